// Text helpers, Windows-1252 conversion and StringList.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tov00300/cp1252.h"
#include "tov00300/format.h"
#include "tov00300/stringlist.h"

namespace Tov00300 {
namespace {

TEST(TextTest, CopyNeverThrowsOnShortInput) {
  struct Case {
    const char* s;
    int index, count;
    const char* expected;
  };
  const Case cases[] = {
      {"abc", 1, 2, "ab"}, {"abc", 3, 10, "c"},           {"abc", 4, 1, ""}, {"abc", 5, 1, ""},
      {"abc", 0, 2, "ab"}, {"abc", -5, 1, "a"},           {"abc", 2, 0, ""}, {"abc", 2, -1, ""},
      {"", 1, 1, ""},      {"abc", 1, 2147483647, "abc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Copy(c.s, c.index, c.count), c.expected) << c.s << " " << c.index << " " << c.count;
  }
}

TEST(TextTest, PosTrimAndCase) {
  EXPECT_EQ(Pos("b", "abc"), 2);
  EXPECT_EQ(Pos("x", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(Pos("abcd", "abc"), 0);
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(UpperCase("a\xE7\xE3o \x9A\xFF"), "A\xC7\xC3O \x8A\x9F");
  EXPECT_EQ(LowerCase("A\xC7\xC3O \xD7\xDF"), "a\xE7\xE3o \xD7\xDF");
  EXPECT_TRUE(SameText("A\xC7\xC3O", "a\xE7\xE3o"));
  EXPECT_FALSE(SameText("abc", "abd"));
  EXPECT_EQ(StringOfChar('-', 3), "---");
  EXPECT_EQ(StringOfChar('-', -1), "");
}

TEST(Cp1252Test, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

// The five undefined bytes, and the defined ones beside them: an undefined
// byte becomes the C1 control of its value and back, and is told apart.
TEST(Cp1252Test, UndefinedBytesRoundTripAsControlsAndAreToldApart) {
  const struct {
    char byte;
    const char* utf8;
    bool defined;
  } cases[] = {
      {'\x81', "\xC2\x81", false},    {'\x8D', "\xC2\x8D", false}, {'\x8F', "\xC2\x8F", false},
      {'\x90', "\xC2\x90", false},    {'\x9D', "\xC2\x9D", false}, {'\x8E', "\xC5\xBD", true},
      {'\x91', "\xE2\x80\x98", true}, {'\xA0', "\xC2\xA0", true},  {'\x7F', "\x7F", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c.byte)));
    EXPECT_EQ(Cp1252ToUtf8(std::string(1, c.byte)), c.utf8);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), std::string(1, c.byte));
    EXPECT_EQ(IsCp1252Defined(c.byte), c.defined);
  }
}

TEST(Cp1252Test, MapsTheWindowsRange) {
  struct Case {
    const char* cp1252;
    const char* utf8;
  };
  const Case cases[] = {
      {"\x80", "\xE2\x82\xAC"},  // euro
      {"\x93"
       "x"
       "\x94",
       "\xE2\x80\x9C"
       "x"
       "\xE2\x80\x9D"},
      {"\x96", "\xE2\x80\x93"},
      {"\x9F", "\xC5\xB8"},
      {"\xE7\xE3", "\xC3\xA7\xC3\xA3"},
      {"R$ 1,00", "R$ 1,00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
  }
  // No Windows-1252 form, broken sequences, overlong forms and surrogates.
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
}

TEST(StringListTest, TextFormsAndLookups) {
  StringList list;
  list.SetText("a=1\r\nB=2\nc\rd\r\n");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[3], "d");
  EXPECT_EQ(list.Values("b"), "2");
  EXPECT_EQ(list.Values("x"), "");
  EXPECT_EQ(list.IndexOf("C"), 2);
  EXPECT_EQ(list.IndexOf("zz"), -1);
  EXPECT_EQ(list.Text(), "a=1\r\nB=2\r\nc\r\nd\r\n");
  list.SetText("x\n\ny");
  EXPECT_EQ(list.Count(), 3);
  list.Insert(3, "z");
  list.Delete(0);
  EXPECT_EQ(list.Text(), "\r\ny\r\nz\r\n");
  EXPECT_THROW(list.Insert(9, "q"), std::out_of_range);
  EXPECT_THROW(list.Delete(3), std::out_of_range);
  list.Clear();
  for (const char* s : {"banana", "Abacate", "caju", "abacaxi"}) list.Add(s);
  list.Sort();
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"Abacate", "abacaxi", "banana", "caju"}));
}

}  // namespace
}  // namespace Tov00300
