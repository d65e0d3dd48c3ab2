// Date-time values as the runtime keeps them: days since 1899-12-30, the
// fraction being the time of day.
#ifndef TOV00300_DATETIME_H_
#define TOV00300_DATETIME_H_

#include <compare>
#include <cstdint>

#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

struct DateTime {
  double value = 0.0;  // days since 1899-12-30; fraction = time of day

  constexpr DateTime() = default;
  constexpr explicit DateTime(double days) : value(days) {}

  // Throws ConversionError for a date or time that does not exist.
  static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0, int millisecond = 0);
  static DateTime Now();    // local time
  static DateTime Today();  // local date, time 00:00

  DateTime DatePart() const;
  DateTime TimePart() const;
  void Decode(int& year, int& month, int& day) const;
  void DecodeTime(int& hour, int& minute, int& second, int& millisecond) const;

  friend bool operator==(DateTime a, DateTime b) { return a.value == b.value; }
  friend auto operator<=>(DateTime a, DateTime b) { return a.value <=> b.value; }
};

// Overrides the clock Now()/Today() read, for tests (nullptr restores the system clock).
using ClockFunction = DateTime (*)();
void SetClockForTesting(ClockFunction clock);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_DATETIME_H_
