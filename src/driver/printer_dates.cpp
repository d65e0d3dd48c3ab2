#include "driver/printer_dates.h"

#include <cctype>

#include "tov00300/format.h"
#include "tov00300/variant.h"

namespace Tov00300::driver {

namespace {

// A two-digit field of a printer date text; anything but two digits is an error.
int TwoDigits(const std::string& text, int position, const char* what) {
  const std::string field = Copy(text, position, 2);
  if (field.size() != 2 || !std::isdigit(static_cast<unsigned char>(field[0])) ||
      !std::isdigit(static_cast<unsigned char>(field[1]))) {
    throw ConversionError("'" + text + "' is not a printer date: bad " + what + " '" + field + "'");
  }
  return (field[0] - '0') * 10 + (field[1] - '0');
}

int CurrentCentury() {
  int year, month, day;
  DateTime::Today().Decode(year, month, day);
  return year / 100 * 100;
}

}  // namespace

DateTime PrinterDateTime(const std::string& ddmmyyhhmmss, bool withSeconds) {
  const std::string& t = ddmmyyhhmmss;
  return DateTime::FromParts(CurrentCentury() + TwoDigits(t, 5, "year"), TwoDigits(t, 3, "month"),
                             TwoDigits(t, 1, "day"), TwoDigits(t, 7, "hour"),
                             TwoDigits(t, 9, "minute"),
                             withSeconds ? TwoDigits(t, 11, "second") : 0);
}

DateTime DateFromDDMMYY(const std::string& ddmmyy) {
  return DateTime::FromParts(CurrentCentury() + TwoDigits(ddmmyy, 5, "year"),
                             TwoDigits(ddmmyy, 3, "month"), TwoDigits(ddmmyy, 1, "day"));
}

}  // namespace Tov00300::driver
