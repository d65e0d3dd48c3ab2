// DateTime: days since 1899-12-30 with the time of day as the fraction.
#include "tov00300/datetime.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <string>

#include "datetime_parts.h"
#include "tov00300/variant.h"

namespace Tov00300 {

namespace {

constexpr int64_t kMsPerDay = 86400000;
ClockFunction g_clock = nullptr;

// Howard Hinnant's days_from_civil, shifted to the 1899-12-30 epoch.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468 + 25569;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468 - 25569;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

DateTime SystemNow() {
  auto now = std::chrono::system_clock::now();
  std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return DateTime::FromParts(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                             tm.tm_sec, static_cast<int>(ms));
}

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

DateParts SplitDateTime(DateTime value) {
  // Rounded to the millisecond first, as the original does, so 23:59:59.9999
  // is the next day's midnight and never "24:00:00".
  DateParts p;
  // Outside 0001-01-01 .. 9999-12-31 there is no calendar date to show.
  if (!std::isfinite(value.value) || value.value < -693594.0 || value.value >= 2958466.0) {
    throw ConversionError("Invalid date-time value " + std::to_string(value.value));
  }
  const double scaled = std::round(value.value * static_cast<double>(kMsPerDay));
  const int64_t total = static_cast<int64_t>(scaled);
  const int64_t days = total / kMsPerDay;  // towards zero: negative dates keep a positive time
  int64_t ms = total % kMsPerDay;
  if (ms < 0) ms = -ms;
  CivilFromDays(days, p.year, p.month, p.day);
  p.days = days;
  p.hour = static_cast<int>(ms / 3600000);
  p.minute = static_cast<int>(ms / 60000 % 60);
  p.second = static_cast<int>(ms / 1000 % 60);
  p.millisecond = static_cast<int>(ms % 1000);
  // 1899-12-30 is day 0: Sunday is day 1 in the original's DayOfWeek.
  p.dayOfWeek = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
  return p;
}

bool TryEncodeDate(int year, int month, int day, double& days) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    return false;
  }
  days = static_cast<double>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)));
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& fraction) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    return false;
  }
  fraction = static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) /
             static_cast<double>(kMsPerDay);
  return true;
}

double CombineDateTime(double date, double time) {
  // Before the epoch the time is subtracted: -1.25 is 1899-12-29 06:00.
  return date < 0 ? date - time : date + time;
}

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second,
                             int millisecond) {
  double date = 0, time = 0;
  if (!TryEncodeDate(year, month, day, date)) {
    throw ConversionError("Invalid date: " + std::to_string(year) + "-" + std::to_string(month) +
                          "-" + std::to_string(day));
  }
  if (!TryEncodeTime(hour, minute, second, millisecond, time)) {
    throw ConversionError("Invalid time: " + std::to_string(hour) + ":" + std::to_string(minute) +
                          ":" + std::to_string(second) + "." + std::to_string(millisecond));
  }
  return DateTime(CombineDateTime(date, time));
}

DateTime DateTime::Now() {
  return g_clock ? g_clock() : SystemNow();
}

DateTime DateTime::Today() {
  return Now().DatePart();
}

DateTime DateTime::DatePart() const {
  return DateTime(static_cast<double>(SplitDateTime(*this).days));
}

DateTime DateTime::TimePart() const {
  DateParts p = SplitDateTime(*this);
  double t = 0;
  TryEncodeTime(p.hour, p.minute, p.second, p.millisecond, t);
  return DateTime(t);
}

void DateTime::Decode(int& year, int& month, int& day) const {
  DateParts p = SplitDateTime(*this);
  year = p.year;
  month = p.month;
  day = p.day;
}

void DateTime::DecodeTime(int& hour, int& minute, int& second, int& millisecond) const {
  DateParts p = SplitDateTime(*this);
  hour = p.hour;
  minute = p.minute;
  second = p.second;
  millisecond = p.millisecond;
}

void SetClockForTesting(ClockFunction clock) {
  g_clock = clock;
}

}  // namespace Tov00300
