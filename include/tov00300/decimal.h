// Decimal digits of a double, for formatting and rounding money without
// binary artefacts: 1.005 is taken as the decimal 1.005 it was written as,
// not as 1.00499999999999989... The runtime's money helpers and masks work
// on it; a host may use it for the same exactness.
#ifndef TOV00300_DECIMAL_H_
#define TOV00300_DECIMAL_H_

#include <string>

#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// value = (negative ? -1 : 1) * 0.d1d2d3... * 10^point; `digits` has no
// leading or trailing zeros; an empty `digits` is zero.
struct Decimal {
  bool negative = false;
  std::string digits;
  int point = 0;

  bool IsZero() const { return digits.empty(); }
  // The shortest decimal that reads back as `value`, cut to 15 significant
  // digits as the original's formatting does (so 0.1 + 0.2 is 0.3).
  static Decimal FromDouble(double value);
  // Rounds half away from zero to `decimals` fraction digits (may be negative).
  void Round(int decimals);
  // Drops the fraction digits past `decimals`.
  void Truncate(int decimals);
  // Integer digits ("" for a value below 1) and exactly `decimals` fraction digits.
  std::string IntegerDigits() const;
  std::string FractionDigits(int decimals) const;
  double ToDouble() const;

 private:
  void Normalize();
};

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_DECIMAL_H_
