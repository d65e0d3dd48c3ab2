// Reading driver replies defensively.
#include "driver/reply_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using Tov00300::driver::ReplyBuffer;

TEST(ReplyBufferTest, StartsAsBlanksFollowedByZeroGuard) {
  ReplyBuffer buffer(10);
  EXPECT_EQ(std::string(buffer.data()), std::string(10, ' '));
  for (int i = 10; i < 10 + ReplyBuffer::kGuardBytes; ++i) EXPECT_EQ(buffer.data()[i], '\0');
  EXPECT_EQ(buffer.Trimmed(), "");
}

TEST(ReplyBufferTest, ReplyIsReadUpToItsWidthAndItsFirstZero) {
  struct Case {
    const char* what;
    std::string written;  // bytes the driver writes at the start of the buffer
    std::string expected;
  };
  const Case cases[] = {
      {"terminated reply", std::string("12,50\0", 6), "12,50"},
      {"reply filling the width without a zero", "ABCDEFGHIJ", "ABCDEFGHIJ"},
      {"reply running past the width", std::string("ABCDEFGHIJKLMNOP\0", 17), "ABCDEFGHIJ"},
      {"garbage after the zero", std::string("OK\0garbage", 10), "OK"},
      {"zero first", std::string("\0XYZ", 4), ""},
      {"nothing written", "", ""},
      {"short reply leaves blanks", "OK", "OK"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReplyBuffer buffer(10);
    std::memcpy(buffer.data(), c.written.data(), c.written.size());
    EXPECT_EQ(buffer.Trimmed(), c.expected);
  }
}

TEST(ReplyBufferTest, ZeroWidthReadsNothing) {
  ReplyBuffer buffer(0);
  std::memcpy(buffer.data(), "XY", 2);
  EXPECT_EQ(buffer.Text(), "");
  EXPECT_EQ(Tov00300::driver::ReadReply(nullptr, 5), "");
}

}  // namespace
