// Number masks, the general and fixed forms, money helpers and number parsing.
#include <cmath>

#include "pt_br_settings.h"
#include "tov00300/variant.h"

namespace Tov00300 {
namespace {

class FormatFloatTest : public PtBrTest {};

TEST_F(FormatFloatTest, MasksRoundHalfAwayFromZeroOnTheDecimalValue) {
  struct Case {
    const char* mask;
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {"#0.000", 1234.5678, "1234,568"},
      {"0.00", 0.125, "0,13"},
      {"0.00", 1.005, "1,01"},
      {"0.00", 2.675, "2,68"},
      {"0.00", 1.115, "1,12"},
      {"0.00", -1.005, "-1,01"},
      {"0.00", -0.004, "0,00"},  // rounds to zero: no sign
      {"0.00", 0.1 + 0.2, "0,30"},
      {"0.00", 1234567.5, "1234567,50"},
      {"#0.000", 0.0005, "0,001"},
      {"00.00", 5.5, "05,50"},
      {"00.00", 123.456, "123,46"},
      {"#0.00", 0, "0,00"},
      {"#0.00", 10, "10,00"},
      {"#,##0.00", 1234567.891, "1.234.567,89"},
      {"#,##0.00", 999.995, "1.000,00"},
      {"#,##0.00", -1234.5, "-1.234,50"},
      {"#,##0.00", 0.5, "0,50"},
      {"0.00#", 1.5, "1,50"},
      {"0.00#", 1.234, "1,234"},
      {"0.00#", 1.2345, "1,235"},
      {"000000000.00", 12.3, "000000012,30"},
      {"000000000.00", 123456789.126, "123456789,13"},
      {"#.00", 0.5, ",50"},
      {"#.00", 12.345, "12,35"},
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"0.00", 99.999, "100,00"},
      {"0.00", 1e-20, "0,00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFloat(c.mask, c.value), c.expected) << c.mask << " " << c.value;
  }
}

TEST_F(FormatFloatTest, LiteralsSectionsAndSpecialValues) {
  EXPECT_EQ(FormatFloat("R$ #,##0.00", 1234.5), "R$ 1.234,50");
  EXPECT_EQ(FormatFloat("0.00 'kg'", 1.5), "1,50 kg");
  EXPECT_EQ(FormatFloat("0.00;(0.00)", -1.5), "(1,50)");
  EXPECT_EQ(FormatFloat("0.00;(0.00);'zero'", 0.001), "zero");
  EXPECT_EQ(FormatFloat("0.00", std::nan("")), "NAN");
  EXPECT_EQ(FormatFloat("0.00", -INFINITY), "-INF");
}

TEST_F(FormatFloatTest, CLocaleUsesPointAndComma) {
  const FormatSettings c = FormatSettings::FromLocaleName("C");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, c), "1,234,567.89");
  EXPECT_EQ(FormatFloat("0.00", 0.125, c), "0.13");
}

TEST_F(FormatFloatTest, GeneralFixedAndCurrencyForms) {
  struct Case {
    double value;
    const char* general;
    const char* fixed2;
    const char* currency;
  };
  const Case cases[] = {
      {1.5, "1,5", "1,50", "R$ 1,50"},
      {10, "10", "10,00", "R$ 10,00"},
      {0.1, "0,1", "0,10", "R$ 0,10"},
      {0.1 + 0.2, "0,3", "0,30", "R$ 0,30"},
      {1234.5, "1234,5", "1234,50", "R$ 1.234,50"},
      {-2.005, "-2,005", "-2,01", "-R$ 2,01"},
      {0, "0", "0,00", "R$ 0,00"},
      {123456789012345.0, "123456789012345", "123456789012345,00", "R$ 123.456.789.012.345,00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FloatToStr(c.value), c.general) << c.value;
    EXPECT_EQ(FloatToStrF2(c.value), c.fixed2) << c.value;
    EXPECT_EQ(CurrToStrF(c.value), c.currency) << c.value;
  }
  EXPECT_EQ(FloatToStrF2(1.23456, 3), "1,235");
  // Past 15 integer digits the fixed form has no exact digits left: general form.
  EXPECT_EQ(FloatToStrF2(1234567890123456.0), "1,23456789012346E15");
  EXPECT_EQ(FloatToStrF2(-1e20), "-1E20");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStr(1.5e-6), "1,5E-6");
  EXPECT_EQ(FloatToStr(0.00001), "0,00001");
}

TEST(MoneyTest, Trunc2AndRoundDecWorkOnTheDecimalValue) {
  struct Case {
    double value;
    double trunc2;
    double round2;
  };
  const Case cases[] = {
      {1.15, 1.15, 1.15},     {10.999, 10.99, 11.0},
      {-1.239, -1.23, -1.24}, {0.29, 0.29, 0.29},
      {1.005, 1.0, 1.01},     {2.675, 2.67, 2.68},
      {19.99, 19.99, 19.99},  {0.001, 0.0, 0.0},
      {-0.005, 0.0, -0.01},   {4.35 * 100 / 100, 4.35, 4.35},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Trunc2(c.value), c.trunc2) << c.value;
    EXPECT_EQ(RoundDec(c.value, 2), c.round2) << c.value;
  }
  EXPECT_EQ(RoundDec(1234.5, 0), 1235.0);
  EXPECT_EQ(RoundDec(1250, -2), 1300.0);
}

TEST_F(FormatFloatTest, ParsesNumbersInTheSettingsOnly) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  // '.' groups thousands under pt_BR: "1.5" and "1.234" are no numbers there.
  const Case cases[] = {
      {"1,5", true, 1.5},  {"1.5", false, 0},      {" -2,25 ", true, -2.25}, {"+3", true, 3},
      {"1.234", false, 0}, {"1.299,00", false, 0}, {"1e3", true, 1000},      {",5", true, 0.5},
      {"", false, 0},      {"abc", false, 0},      {"1,2,3", false, 0},      {"1.234,5", false, 0},
      {"12a", false, 0},   {"1e", false, 0},       {"-", false, 0},          {"inf", false, 0},
      {"nan", false, 0},
  };
  for (const Case& c : cases) {
    double v = -99;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  EXPECT_THROW(StrToFloat("x"), ConversionError);
  EXPECT_THROW(StrToFloat("1.234"), ConversionError);
}

TEST(NumberParseTest, CSettingsAndTheFixedFormReadOnlyAPoint) {
  const FormatSettings c = FormatSettings::FromLocaleName("C");
  double v = -99;
  EXPECT_TRUE(TryStrToFloat("1.234", v, c));
  EXPECT_EQ(v, 1.234);
  EXPECT_FALSE(TryStrToFloat("1,5", v, c));
  // The fixed form is the same whatever the process's settings.
  for (const char* locale : {"C", "pt_BR.UTF-8"}) {
    SCOPED_TRACE(locale);
    const FormatSettings saved = GlobalFormatSettings();
    GlobalFormatSettings() = FormatSettings::FromLocaleName(locale);
    EXPECT_EQ(FixedToFloat("1.234"), 1.234);
    EXPECT_EQ(FixedToFloat(" -0.5 "), -0.5);
    EXPECT_FALSE(TryFixedToFloat("1,5", v));
    EXPECT_THROW(FixedToFloat("1.2.3"), ConversionError);
    GlobalFormatSettings() = saved;
  }
}

TEST(NumberParseTest, IntegersAndTheirLimits) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  };
  const Case cases[] = {
      {"42", true, 42},         {" -7 ", true, -7}, {"+8", true, 8},
      {"$1F", true, 31},        {"0x10", true, 16}, {"2147483647", true, 2147483647},
      {"2147483648", false, 0}, {"1.5", false, 0},  {"", false, 0},
      {"--1", false, 0},        {"12 3", false, 0},
  };
  for (const Case& c : cases) {
    int v = -99;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  try {
    StrToInt("abc");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
}

TEST(FormatSettingsTest, TakenFromTheLocaleNameAlone) {
  for (const char* name : {"pt_BR", "pt_BR.UTF-8", "pt_BR.ISO-8859-1", "pt_BR@latin"}) {
    const FormatSettings fs = FormatSettings::FromLocaleName(name);
    EXPECT_EQ(fs.decimalSeparator, ',') << name;
    EXPECT_EQ(fs.thousandSeparator, '.') << name;
    EXPECT_EQ(fs.shortDateFormat, "dd/mm/yyyy") << name;
    EXPECT_EQ(fs.longTimeFormat, "hh:nn:ss") << name;
    EXPECT_EQ(fs.currencyString, "R$") << name;
    EXPECT_EQ(fs.currencyFormat, 2) << name;
  }
  for (const char* name : {"", "C", "POSIX", "C.UTF-8", "en_US.UTF-8", "pt"}) {
    const FormatSettings fs = FormatSettings::FromLocaleName(name);
    EXPECT_EQ(fs.decimalSeparator, '.') << name;
    EXPECT_EQ(fs.thousandSeparator, ',') << name;
  }
}

TEST(FormatSettingsTest, EnvironmentOrderIsLcAllThenLcNumericThenLang) {
  struct Env {
    const char* lcAll;
    const char* lcNumeric;
    const char* lang;
    char decimal;
  };
  const Env cases[] = {
      {"pt_BR.UTF-8", "C", "C", ','}, {"", "pt_BR", "C", ','}, {"", "", "pt_BR.UTF-8", ','},
      {"C", "pt_BR", "pt_BR", '.'},   {"", "", "", '.'},
  };
  const char* names[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
  std::string saved[3];
  bool had[3];
  for (int i = 0; i < 3; ++i) {
    const char* v = std::getenv(names[i]);
    had[i] = v != nullptr;
    saved[i] = v ? v : "";
  }
  for (const Env& e : cases) {
    setenv("LC_ALL", e.lcAll, 1);
    setenv("LC_NUMERIC", e.lcNumeric, 1);
    setenv("LANG", e.lang, 1);
    EXPECT_EQ(FormatSettings::FromEnvironment().decimalSeparator, e.decimal)
        << e.lcAll << "|" << e.lcNumeric << "|" << e.lang;
  }
  for (int i = 0; i < 3; ++i) {
    if (had[i]) {
      setenv(names[i], saved[i].c_str(), 1);
    } else {
      unsetenv(names[i]);
    }
  }
}

}  // namespace
}  // namespace Tov00300
