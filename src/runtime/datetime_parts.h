// Calendar arithmetic shared by the date-time formatting and parsing code.
#ifndef TOV00300_RUNTIME_DATETIME_PARTS_H_
#define TOV00300_RUNTIME_DATETIME_PARTS_H_

#include <cstdint>

#include "tov00300/datetime.h"

namespace Tov00300 {

struct DateParts {
  int64_t days = 0;  // whole days since 1899-12-30
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  int dayOfWeek = 7;  // 1 = Sunday ... 7 = Saturday
};

DateParts SplitDateTime(DateTime value);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool TryEncodeDate(int year, int month, int day, double& days);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& fraction);
double CombineDateTime(double date, double time);

}  // namespace Tov00300

#endif  // TOV00300_RUNTIME_DATETIME_PARTS_H_
