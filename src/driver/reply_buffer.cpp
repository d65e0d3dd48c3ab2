#include "driver/reply_buffer.h"

#include <cstring>

#include "tov00300/format.h"

namespace Tov00300::driver {

std::string ReadReply(const char* buffer, int width) {
  if (buffer == nullptr || width <= 0) return {};
  const void* zero = std::memchr(buffer, '\0', static_cast<size_t>(width));
  const size_t length = zero != nullptr
                            ? static_cast<size_t>(static_cast<const char*>(zero) - buffer)
                            : static_cast<size_t>(width);
  return std::string(buffer, length);
}

ReplyBuffer::ReplyBuffer(int width) : width_(width < 0 ? 0 : width) {
  bytes_.assign(static_cast<size_t>(width_), ' ');
  bytes_.append(static_cast<size_t>(kGuardBytes), '\0');
}

std::string ReplyBuffer::Trimmed() const {
  return Trim(Text());
}

}  // namespace Tov00300::driver
