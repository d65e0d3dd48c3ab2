// The printer's calendar. Times are "civil seconds": seconds since
// 1970-01-01 00:00 of the printer's own wall clock, with no time zone, so a
// stored document time reads back the same wherever the files are loaded.
#ifndef TOV00300_SIM_CIVIL_TIME_H_
#define TOV00300_SIM_CIVIL_TIME_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Tov00300::sim {

constexpr int64_t kSecondsPerDay = 86400;

// The computer's local wall clock as civil seconds, moved by `offsetSeconds`.
int64_t CivilNow(int64_t offsetSeconds);

int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int* year, int* month, int* day);
inline int64_t DayOf(int64_t civilSeconds) {
  return civilSeconds >= 0 ? civilSeconds / kSecondsPerDay
                           : -((-civilSeconds + kSecondsPerDay - 1) / kSecondsPerDay);
}

// "DDMMYYYY", "HHMMSS", "dd/mm/yyyy", "dd/mm/yyyy hh:mm:ss".
std::string DateDigits(int64_t civilSeconds);
std::string TimeDigits(int64_t civilSeconds);
std::string DateText(int64_t civilSeconds);
std::string DateTimeText(int64_t civilSeconds);

// Reads a day given as DDMMYYYY or DDMMYY (separators "/" allowed); nullopt
// for a text that is not a valid date.
std::optional<int64_t> ParseDay(std::string_view text);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_CIVIL_TIME_H_
