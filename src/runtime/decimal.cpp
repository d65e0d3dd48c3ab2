// Decimal: the digits of a double and decimal rounding on them.
#include "tov00300/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace Tov00300 {

namespace {
constexpr int kSignificantDigits = 15;
}

Decimal Decimal::FromDouble(double value) {
  Decimal d;
  if (value == 0 || !std::isfinite(value)) return d;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
  size_t e = text.find('e');
  std::string_view mantissa = text.substr(0, e);
  int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  if (!mantissa.empty() && mantissa[0] == '-') {
    d.negative = true;
    mantissa.remove_prefix(1);
  }
  for (char c : mantissa) {
    if (c >= '0' && c <= '9') d.digits += c;
  }
  if (d.digits.size() > kSignificantDigits) {
    // More than 15 digits means a binary artefact: take the correctly
    // rounded 15-digit form instead.
    res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                        kSignificantDigits - 1);
    text = std::string_view(buf, static_cast<size_t>(res.ptr - buf));
    e = text.find('e');
    exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    d.digits.clear();
    for (char c : text.substr(0, e)) {
      if (c >= '0' && c <= '9') d.digits += c;
    }
  }
  d.point = exponent + 1;
  d.Normalize();
  return d;
}

void Decimal::Normalize() {
  size_t lead = digits.find_first_not_of('0');
  if (lead == std::string::npos) {
    digits.clear();
    point = 0;
    return;
  }
  digits.erase(0, lead);
  point -= static_cast<int>(lead);
  digits.erase(digits.find_last_not_of('0') + 1);
}

void Decimal::Round(int decimals) {
  if (digits.empty()) return;
  const long keep = static_cast<long>(point) + decimals;
  if (keep >= static_cast<long>(digits.size())) return;
  if (keep < 0) {
    digits.clear();
    point = 0;
    return;
  }
  const bool up = digits[static_cast<size_t>(keep)] >= '5';
  digits.resize(static_cast<size_t>(keep));
  if (up) {
    long i = keep - 1;
    while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++digits[static_cast<size_t>(i)];
    } else {
      digits.insert(digits.begin(), '1');
      ++point;
    }
  }
  Normalize();
}

void Decimal::Truncate(int decimals) {
  if (digits.empty()) return;
  const long keep = static_cast<long>(point) + decimals;
  if (keep >= static_cast<long>(digits.size())) return;
  if (keep <= 0) {
    digits.clear();
    point = 0;
    return;
  }
  digits.resize(static_cast<size_t>(keep));
  Normalize();
}

std::string Decimal::IntegerDigits() const {
  if (point <= 0 || digits.empty()) return "";
  std::string out = digits.substr(0, static_cast<size_t>(point));
  if (static_cast<int>(out.size()) < point)
    out.append(static_cast<size_t>(point) - out.size(), '0');
  return out;
}

std::string Decimal::FractionDigits(int decimals) const {
  std::string out;
  out.reserve(static_cast<size_t>(decimals > 0 ? decimals : 0));
  for (int i = 0; i < decimals; ++i) {
    const long at = static_cast<long>(point) + i;  // index into digits
    out += at >= 0 && at < static_cast<long>(digits.size()) ? digits[static_cast<size_t>(at)] : '0';
  }
  return out;
}

double Decimal::ToDouble() const {
  if (digits.empty()) return 0.0;
  std::string text = (negative ? "-0." : "0.") + digits + "e" + std::to_string(point);
  double v = 0;
  std::from_chars(text.data() + (negative ? 1 : 0), text.data() + text.size(), v);
  return negative ? -v : v;
}

}  // namespace Tov00300
