#include "civil_time.h"

#include <chrono>
#include <ctime>

#include "numbers.h"
#include "text.h"

namespace Tov00300::sim {

int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yoe = year - era * 400;
  const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t days, int* year, int* month, int* day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t doe = days - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  *day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *year = static_cast<int>(yoe + era * 400 + (*month <= 2));
}

int64_t CivilNow(int64_t offsetSeconds) {
  std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  int64_t days = DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return days * kSecondsPerDay + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec +
         offsetSeconds;
}

namespace {

struct Parts {
  int year, month, day, hour, minute, second;
};

Parts Split(int64_t civilSeconds) {
  Parts p{};
  int64_t days = DayOf(civilSeconds);
  int64_t rest = civilSeconds - days * kSecondsPerDay;
  CivilFromDays(days, &p.year, &p.month, &p.day);
  p.hour = static_cast<int>(rest / 3600);
  p.minute = static_cast<int>(rest / 60 % 60);
  p.second = static_cast<int>(rest % 60);
  return p;
}

}  // namespace

std::string DateDigits(int64_t t) {
  Parts p = Split(t);
  return Digits(p.day, 2) + Digits(p.month, 2) + Digits(p.year, 4);
}

std::string TimeDigits(int64_t t) {
  Parts p = Split(t);
  return Digits(p.hour, 2) + Digits(p.minute, 2) + Digits(p.second, 2);
}

std::string DateText(int64_t t) {
  Parts p = Split(t);
  return Digits(p.day, 2) + "/" + Digits(p.month, 2) + "/" + Digits(p.year, 4);
}

std::string DateTimeText(int64_t t) {
  Parts p = Split(t);
  return DateText(t) + " " + Digits(p.hour, 2) + ":" + Digits(p.minute, 2) + ":" +
         Digits(p.second, 2);
}

std::optional<int64_t> ParseDay(std::string_view text) {
  std::string trimmed = Trim(text);
  for (char c : trimmed) {
    if ((c < '0' || c > '9') && c != '/') return std::nullopt;
  }
  std::string digits = DigitsOnly(trimmed);
  if (digits.size() != 8 && digits.size() != 6) return std::nullopt;
  int day = std::stoi(digits.substr(0, 2));
  int month = std::stoi(digits.substr(2, 2));
  int year = std::stoi(digits.substr(4));
  if (digits.size() == 6) year += 2000;
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  int64_t days = DaysFromCivil(year, month, day);
  int y = 0, m = 0, d = 0;
  CivilFromDays(days, &y, &m, &d);
  if (d != day || m != month) return std::nullopt;
  return days;
}

}  // namespace Tov00300::sim
