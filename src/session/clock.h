// Reading the printer's clock texts: shared by the date check, the
// daylight-saving detection and the printer-data loading.
#ifndef TOV00300_SESSION_CLOCK_H_
#define TOV00300_SESSION_CLOCK_H_

#include <string>

#include "tov00300/datetime.h"

namespace Tov00300 {

// How far the computer's clock is from the printer's.
struct ClockDifference {
  bool printerAhead = false;  // the printer's clock is later than the computer's
  int hours = 0;              // whole hours, a day or more included (not wrapped at 24)
  int minutes = 0;            // 0 to 59
  // hours x 100 + minutes: the figure the 15- and 50-minute rules compare.
  long long Figure() const { return static_cast<long long>(hours) * 100 + minutes; }
};

// The printer date-time of a DDMMYYHHMMSS text (seconds ignored when
// `withSeconds` is false). The year is taken in the current century. Throws
// ConversionError for a text that is not such a date-time.
DateTime PrinterDateTime(const std::string& ddmmyyhhmmss, bool withSeconds);

// The difference between the printer date-time text and the computer's clock
// now, to the minute. Throws ConversionError for a text that is not a date-time.
ClockDifference PrinterClockDifference(const std::string& ddmmyyhhmmss);

// The date of a DDMMYY text, the year taken in the current century. Throws
// ConversionError.
DateTime DateFromDDMMYY(const std::string& ddmmyy);

// The fiscal day's date as DDMMYY read from printer information 70 (analysed
// without dialogs, result not used); today's date when the printer answers
// 01/01/00 (no movement date). "" when the printer did not answer.
std::string MovementDateText(const std::string& stEsquema);

}  // namespace Tov00300

#endif  // TOV00300_SESSION_CLOCK_H_
