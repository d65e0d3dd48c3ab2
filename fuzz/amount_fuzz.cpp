// Amount texts come from the printer's registers and from the host: every
// text either converts or is refused with ConversionError, and a number that
// converts formats and parses back within a cent.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tov00300/format.h"
#include "tov00300/readings.h"
#include "tov00300/variant.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool configured = [] {
    Tov00300::GlobalFormatSettings() = Tov00300::FormatSettings::FromLocaleName("pt_BR.UTF-8");
    return true;
  }();
  (void)configured;
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    Tov00300::GetValue(text);
  } catch (const Tov00300::ConversionError&) {
  }
  double value = 0;
  if (Tov00300::TryStrToFloat(text, value) && std::isfinite(value) && std::fabs(value) < 1e12) {
    const std::string shown = Tov00300::FormatFloat("#0.00", value);
    const double back = Tov00300::StrToFloat(shown);
    // Half a cent at most, plus the binary error of numbers this large.
    if (std::fabs(back - value) > 0.005 + std::fabs(value) * 1e-12 + 1e-9) std::abort();
    // Truncation never goes up, beyond the 15 significant digits money keeps.
    if (value >= 0 && Tov00300::Trunc2(value) > value + std::fabs(value) * 1e-14 + 1e-9) {
      std::abort();
    }
  }
  return 0;
}
