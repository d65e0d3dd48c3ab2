// How far the printer's clock is from the computer's: shared by the date
// check and the daylight-saving detection.
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

// The difference between the printer date-time text and the computer's clock
// now, to the minute. Throws ConversionError for a text that is not a date-time.
ClockDifference PrinterClockDifference(const std::string& ddmmyyhhmmss);

}  // namespace Tov00300

#endif  // TOV00300_SESSION_CLOCK_H_
