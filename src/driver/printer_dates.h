// Dates and times as the printer writes them in its replies.
#ifndef TOV00300_SRC_DRIVER_PRINTER_DATES_H_
#define TOV00300_SRC_DRIVER_PRINTER_DATES_H_

#include <string>

#include "tov00300/datetime.h"

namespace Tov00300::driver {

// The printer date-time of a DDMMYYHHMMSS text (seconds ignored when
// `withSeconds` is false). The year is taken in the current century. Throws
// ConversionError for a text that is not such a date-time.
DateTime PrinterDateTime(const std::string& ddmmyyhhmmss, bool withSeconds);

// The date of a DDMMYY text, the year taken in the current century. Throws
// ConversionError.
DateTime DateFromDDMMYY(const std::string& ddmmyy);

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_PRINTER_DATES_H_
