// The difference of two date-times as an hours:minutes text.
#include <cmath>
#include <cstdio>
#include <string>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {

std::string SubtDataHoraQir(DateTime a, DateTime b) {
  // Whole milliseconds first: a difference of exactly 15 minutes must not
  // come out as 14 minutes 59.999 seconds from the binary day fraction.
  double milliseconds = std::round((b.value - a.value) * 86400000.0);
  // Beyond any real calendar (and NaN) there is no meaningful difference;
  // clamp so the conversion below stays defined.
  constexpr double kLimit = 1e15;
  if (!(std::fabs(milliseconds) <= kLimit)) milliseconds = milliseconds < 0 ? -kLimit : kLimit;
  bool negative = milliseconds < 0;
  long long minutes = static_cast<long long>(std::fabs(milliseconds)) / 60000;
  char text[32];
  std::snprintf(text, sizeof text, "%s%02lld:%02lld", negative ? "-" : "", minutes / 60,
                minutes % 60);
  return text;
}

}  // namespace Tov00300::hostlib
