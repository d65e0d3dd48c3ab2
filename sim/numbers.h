// Decimal texts as the driver receives them, and the digit and money texts
// the printer answers and prints. Amounts are integers in fixed units (cents
// for money, thousandths for quantities): no binary floating point.
#ifndef TOV00300_SIM_NUMBERS_H_
#define TOV00300_SIM_NUMBERS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Tov00300::sim {

// Reads a non-negative decimal text with ',' or '.' as the decimal separator
// ("10,5", "1.234,56", "0.500") scaled to `decimals` places: ParseDecimal("10,5", 2)
// is 1050. More decimals than `decimals` are accepted only when they are
// zeros. Blanks around the text are ignored. nullopt for anything else.
std::optional<int64_t> ParseDecimal(std::string_view text, int decimals);

// Reads a non-negative integer text (blanks around it ignored).
std::optional<int64_t> ParseInteger(std::string_view text);

// Zero-padded digits of a non-negative value, cut to the last `width` digits.
std::string Digits(int64_t value, int width);

// Money for the paper: "1.234,56", "-0,50".
std::string Money(int64_t cents);
// Quantity for the paper: thousandths as "1,000", "0,5" is "0,500".
std::string Quantity(int64_t thousandths);
// A rate in hundredths of a percent as "18,00".
std::string Rate(int64_t hundredths);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_NUMBERS_H_
