#include <gtest/gtest.h>

#include <chrono>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

struct WidthCase {
  const char* text;
  int width;
  const char* expected;
};

TEST(TextWidths, TamFixoCutsOrPadsOnTheRight) {
  const WidthCase cases[] = {
      {"ABC", 5, "ABC  "}, {"ABCDEF", 3, "ABC"}, {"ABC", 3, "ABC"},
      {"", 2, "  "},       {"ABC", 0, ""},       {"ABC", -1, ""},
  };
  for (const WidthCase& c : cases) EXPECT_EQ(TamFixo(c.text, c.width), c.expected) << c.text;
}

TEST(TextWidths, TamFixoRAlignsRight) {
  const WidthCase cases[] = {
      {"12,50", 8, "   12,50"},
      {"ABCDEF", 3, "ABC"},
      {"", 2, "  "},
      {"X", -3, ""},
  };
  for (const WidthCase& c : cases) EXPECT_EQ(TamFixoR(c.text, c.width), c.expected) << c.text;
}

TEST(TextWidths, CentralizaCentresInExactlyTheWidth) {
  const WidthCase cases[] = {
      {"ABCD", 8, "  ABCD  "},
      {"ABC", 8, "  ABC   "},  // the odd blank goes right
      {"  ABC  ", 7, "  ABC  "},
      {"ABCDEFGHIJ", 4, "ABCD"},
      {"", 3, "   "},
      {"RELATORIO", 48, "                   RELATORIO                    "},
  };
  for (const WidthCase& c : cases) {
    std::string centred = Centraliza(c.text, static_cast<uint8_t>(c.width));
    EXPECT_EQ(centred, c.expected) << c.text;
    EXPECT_EQ(centred.size(), static_cast<size_t>(c.width));
  }
}

TEST(TextWidths, PadLAlignsRightAndKeepsLongAmounts) {
  const WidthCase cases[] = {
      {"1,50", 8, "    1,50"}, {"123456789,00", 8, "123456789,00"}, {"", 2, "  "}};
  for (const WidthCase& c : cases) {
    EXPECT_EQ(PadL(c.text, static_cast<uint16_t>(c.width)), c.expected) << c.text;
  }
}

TEST(TextWidths, AjustaFillsLeadingZeros) {
  const WidthCase cases[] = {
      {"24", 6, "000024"}, {"3", 2, "03"},      {"12", 2, "12"},           {" 7 ", 4, "0007"},
      {"", 4, "0000"},     {"-5", 6, "-00005"}, {"1234567", 6, "1234567"},  // never loses digits
  };
  for (const WidthCase& c : cases) {
    EXPECT_EQ(Ajusta(c.text, c.width), c.expected) << c.text;
    EXPECT_EQ(AjustaZero(c.text, c.width), c.expected) << c.text;
  }
}

TEST(TextBlanks, EmptyStringAndRTrim) {
  EXPECT_TRUE(EmptyString(""));
  EXPECT_TRUE(EmptyString("   \t\r\n"));
  EXPECT_FALSE(EmptyString("  x "));
  EXPECT_FALSE(EmptyString("0"));
  EXPECT_EQ(RTrim("  abc  \r\n"), "  abc");
  EXPECT_EQ(RTrim("   "), "");
}

TEST(Numbers, DelayReallyPauses) {
  auto start = std::chrono::steady_clock::now();
  Delay(4);
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(40));
  EXPECT_LT(elapsed, std::chrono::milliseconds(1000));
}

}  // namespace
}  // namespace Tov00300::hostlib
