#include <gtest/gtest.h>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

constexpr int kKey = 4753;

bool Printable(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x21 || c > 0x7E) return false;
  }
  return true;
}

TEST(Scrambler, EveryByteValueRoundTripsAsPrintableText) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  for (size_t length = 0; length <= all.size(); ++length) {
    std::string text = all.substr(all.size() - length);
    std::string scrambled = Cripto(text, kKey);
    ASSERT_TRUE(Printable(scrambled)) << length;
    ASSERT_EQ(Uncripto(scrambled, kKey), text) << length;
  }
}

TEST(Scrambler, StoredValuesDoNotShowAndDependOnTheKey) {
  std::string total = "1234567,89";
  std::string scrambled = Cripto(total, kKey);
  EXPECT_EQ(scrambled.find("123"), std::string::npos);
  EXPECT_NE(Cripto(total, kKey + 1), scrambled);
  EXPECT_NE(Uncripto(scrambled, kKey + 1), total);
  EXPECT_EQ(Cripto(total, kKey), scrambled);  // deterministic: the file compares stored texts
  EXPECT_EQ(Cripto("", kKey), "");
  EXPECT_EQ(Uncripto("", kKey), "");
}

TEST(Scrambler, TextNotMadeByCriptoGivesSomethingWithoutFailing) {
  const std::string garbage[] = {"1234,56", "A", "====", std::string("\0\xff\x80 ~", 5),
                                 std::string(10000, '%')};
  for (const std::string& text : garbage) {
    EXPECT_NO_THROW(Uncripto(text, kKey));
  }
  // Blanks or line breaks added around a stored value are ignored.
  EXPECT_EQ(Uncripto(" " + Cripto("abc", kKey) + "\r\n", kKey), "abc");
}

}  // namespace
}  // namespace Tov00300::hostlib
