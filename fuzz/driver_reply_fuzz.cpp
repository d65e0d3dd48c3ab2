// Driver replies are written by a library the package does not control: a
// reply of any bytes, with or without its terminator, is read only up to its
// width, and the list parsers split whatever comes back without failing.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/printer_lists.h"
#include "driver/reply_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the width the caller asked for; the rest is what
  // the driver wrote, possibly past the width into the guard room.
  const int width = 1 + data[0] % 64;
  Tov00300::driver::ReplyBuffer buffer(width);
  const size_t written =
      std::min(size - 1, static_cast<size_t>(width + Tov00300::driver::ReplyBuffer::kGuardBytes));
  std::memcpy(buffer.data(), data + 1, written);
  const std::string reply = buffer.Text();
  if (reply.size() > static_cast<size_t>(width)) std::abort();
  if (reply.find('\0') != std::string::npos) std::abort();
  buffer.Trimmed();
  const auto entries = Tov00300::config::SplitEntries(reply);
  Tov00300::config::FindEntry(entries, "Dinheiro", true);
  return 0;
}
