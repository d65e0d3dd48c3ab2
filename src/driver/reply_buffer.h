// Output buffers for driver queries.
//
// A query hands the driver a text of `width` blanks to overwrite with its
// reply, zero terminated. A faulty driver may fill the whole width without the
// terminating zero or write past it; the buffer therefore carries zeroed guard
// room after the blanks, and a reply is read only up to its width and up to
// its first zero byte, whatever lies beyond.
#ifndef TOV00300_SRC_DRIVER_REPLY_BUFFER_H_
#define TOV00300_SRC_DRIVER_REPLY_BUFFER_H_

#include <string>
#include <string_view>

namespace Tov00300::driver {

// The reply in `buffer`: at most `width` bytes, cut at the first zero byte.
std::string ReadReply(const char* buffer, int width);

class ReplyBuffer {
 public:
  // Zero bytes kept after the blanks, absorbing a reply that overruns its width.
  static constexpr int kGuardBytes = 64;

  explicit ReplyBuffer(int width);

  // The pointer to pass to the driver.
  char* data() { return bytes_.data(); }
  int width() const { return width_; }

  // The reply as written (up to the width and the first zero byte).
  std::string Text() const { return ReadReply(bytes_.data(), width_); }
  // The reply without surrounding blanks, as every caller uses it.
  std::string Trimmed() const;

 private:
  int width_;
  std::string bytes_;
};

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_REPLY_BUFFER_H_
