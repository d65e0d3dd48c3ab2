// Date-time values, FormatDateTime tokens and date parsing.
#include "tov00300/datetime.h"
#include <cmath>

#include "pt_br_settings.h"
#include "tov00300/variant.h"

namespace Tov00300 {
namespace {

class DateTimeTest : public PtBrTest {
 protected:
  void TearDown() override {
    SetClockForTesting(nullptr);
    PtBrTest::TearDown();
  }
};

DateTime FixedNow() {
  return DateTime::FromParts(2024, 7, 15, 9, 30, 5, 250);
}

TEST_F(DateTimeTest, DaysSinceTheEpochAndBack) {
  struct Case {
    int y, m, d, h, n, s, z;
    double value;
  };
  const Case cases[] = {
      {1899, 12, 30, 0, 0, 0, 0, 0},
      {1900, 1, 1, 0, 0, 0, 0, 2},
      {2000, 2, 29, 6, 0, 0, 0, 36585.25},
      {2024, 3, 5, 12, 0, 0, 0, 45356.5},
      {1899, 12, 29, 6, 0, 0, 0, -1.25},  // before the epoch the time is subtracted
      {9999, 12, 31, 23, 59, 59, 999, 2958465.99999998843},
  };
  for (const Case& c : cases) {
    const DateTime dt = DateTime::FromParts(c.y, c.m, c.d, c.h, c.n, c.s, c.z);
    EXPECT_NEAR(dt.value, c.value, 1e-9) << c.y << "-" << c.m << "-" << c.d;
    int y, m, d, h, n, s, z;
    dt.Decode(y, m, d);
    dt.DecodeTime(h, n, s, z);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, z}),
              (std::vector<int>{c.y, c.m, c.d, c.h, c.n, c.s, c.z}));
  }
  for (auto [y, m, d] : {std::tuple{2023, 2, 29}, {2024, 13, 1}, {2024, 4, 31}, {0, 1, 1}}) {
    EXPECT_THROW(DateTime::FromParts(y, m, d), ConversionError);
  }
  EXPECT_THROW(DateTime::FromParts(2024, 1, 1, 24, 0, 0), ConversionError);
  for (double bad : {1e300, -1e300, 3e6, std::nan("")}) {
    EXPECT_THROW(FormatDateTime("dd/mm/yyyy", DateTime(bad)), ConversionError) << bad;
  }
}

TEST_F(DateTimeTest, AlmostMidnightRoundsToTheNextDayNotTo24Hours) {
  const DateTime late(DateTime::FromParts(2024, 1, 1).value + 0.99999999999);
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss", late), "02/01/2024 00:00:00");
}

TEST_F(DateTimeTest, FormatTokens) {
  const DateTime v = DateTime::FromParts(2024, 3, 5, 14, 7, 9, 45);
  struct Case {
    const char* format;
    const char* expected;
  };
  const Case cases[] = {
      {"dd/mm/yyyy hh:nn:ss", "05/03/2024 14:07:09"},
      {"MMYY", "0324"},
      {"hhnn", "1407"},
      {"ddmmyyyyhhnnss", "05032024140709"},
      {"YYYYMMDD", "20240305"},
      {"HHNNSS", "140709"},
      {"d/m/yy", "5/3/24"},
      {"hh:mm", "14:07"},  // "m" after "h" is minutes
      {"h:n:s.zzz", "14:7:9.045"},
      {"ddd dddd",
       "ter ter\xE7"
       "a-feira"},
      {"mmm mmmm", "mar mar\xE7o"},
      {"hh:nn am/pm", "02:07 pm"},
      {"'dia' dd", "dia 05"},
      {"\"hh\" hh", "hh 14"},
      {"ddddd", "05/03/2024"},
      {"c", "05/03/2024 14:07:09"},
      {"t", "14:07"},
      {"tt", "14:07:09"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.format, v), c.expected) << c.format;
  EXPECT_EQ(DateToStr(v), "05/03/2024");
  EXPECT_EQ(TimeToStr(v), "14:07:09");
  EXPECT_EQ(DateTimeToStr(v.DatePart()), "05/03/2024");
  EXPECT_EQ(FormatDateTime("mm/dd/yyyy", v, FormatSettings::FromLocaleName("C")), "03/05/2024");
}

TEST_F(DateTimeTest, ParsesInTheSettingsOrder) {
  SetClockForTesting(FixedNow);
  struct Case {
    const char* text;
    bool ok;
    DateTime expected;
  };
  const Case cases[] = {
      {"05/03/2024", true, DateTime::FromParts(2024, 3, 5)},
      {" 5/3/2024 ", true, DateTime::FromParts(2024, 3, 5)},
      {"05/03/24", true, DateTime::FromParts(2024, 3, 5)},
      {"05/03", true, DateTime::FromParts(2024, 3, 5)},
      {"05-03-2024", true, DateTime::FromParts(2024, 3, 5)},
      {"31/02/2024", false, {}},
      {"2024/03/05", false, {}},
      {"05/03/2024x", false, {}},
      {"", false, {}},
  };
  for (const Case& c : cases) {
    if (c.ok) {
      EXPECT_EQ(StrToDate(c.text), c.expected) << c.text;
    } else {
      EXPECT_THROW(StrToDate(c.text), ConversionError) << c.text;
    }
  }
  EXPECT_EQ(StrToTime("14:07:09"), DateTime::FromParts(1899, 12, 30, 14, 7, 9));
  EXPECT_EQ(StrToTime("14:07"), DateTime::FromParts(1899, 12, 30, 14, 7, 0));
  EXPECT_EQ(StrToTime("2:07 PM"), DateTime::FromParts(1899, 12, 30, 14, 7, 0));
  EXPECT_EQ(StrToTime("12:00 AM"), DateTime::FromParts(1899, 12, 30, 0, 0, 0));
  EXPECT_THROW(StrToTime("25:00"), ConversionError);
  EXPECT_EQ(StrToDateTime("05/03/2024 14:07:09"), DateTime::FromParts(2024, 3, 5, 14, 7, 9));
  EXPECT_EQ(StrToDateTime("05/03/2024"), DateTime::FromParts(2024, 3, 5));
  EXPECT_THROW(StrToDateTime("05/03/2024 xx"), ConversionError);
}

TEST_F(DateTimeTest, ClockCanBeReplacedForTests) {
  SetClockForTesting(FixedNow);
  EXPECT_EQ(DateTime::Now(), FixedNow());
  EXPECT_EQ(DateTime::Today(), DateTime::FromParts(2024, 7, 15));
  SetClockForTesting(nullptr);
  EXPECT_GT(DateTime::Now().value, DateTime::FromParts(2024, 1, 1).value);
}

}  // namespace
}  // namespace Tov00300
