// Reading numbers written as text: in the process's settings, or in the fixed
// form with '.' as the decimal point.
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "tov00300/format.h"
#include "tov00300/variant.h"

namespace Tov00300 {

namespace {

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

// Optional sign, digits with at most one `decimal`, optional exponent; blanks
// around allowed. Any other character, the thousand separator included, makes
// the text no number.
bool ParseFloat(std::string_view text, char decimal, double& out) {
  std::string_view s = TrimView(text);
  // Rewritten into the form from_chars reads: '.' as the point, no '+'.
  std::string buf;
  buf.reserve(s.size());
  bool negative = false, digits = false, point = false, exponent = false;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      buf += c;
    } else if (c == decimal && !point && !exponent) {
      point = true;
      buf += '.';
    } else if ((c == 'e' || c == 'E') && digits && !exponent) {
      exponent = true;
      buf += 'e';
      if (i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) buf += s[++i];
      if (i + 1 >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i + 1]))) return false;
    } else {
      return false;
    }
  }
  if (!digits) return false;
  double v = 0;
  auto [p, ec] = std::from_chars(buf.data(), buf.data() + buf.size(), v);
  if (ec != std::errc() || p != buf.data() + buf.size() || !std::isfinite(v)) return false;
  out = negative ? -v : v;
  return true;
}

// Throws the one conversion error of a text that is no number.
[[noreturn]] void NotANumber(std::string_view text) {
  throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

}  // namespace

bool TryStrToFloat(std::string_view text, double& out) {
  return ParseFloat(text, GlobalFormatSettings().decimalSeparator, out);
}

bool TryStrToFloat(std::string_view text, double& out, const FormatSettings& fs) {
  return ParseFloat(text, fs.decimalSeparator, out);
}

double StrToFloat(std::string_view text) {
  double v = 0;
  if (!TryStrToFloat(text, v)) NotANumber(text);
  return v;
}

bool TryFixedToFloat(std::string_view text, double& out) {
  return ParseFloat(text, '.', out);
}

double FixedToFloat(std::string_view text) {
  double v = 0;
  if (!TryFixedToFloat(text, v)) NotANumber(text);
  return v;
}

bool TryStrToInt(std::string_view text, int& out) {
  std::string_view s = TrimView(text);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  // "$1F" and "0x1F" are hexadecimal, as in the original.
  if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty() || s[0] == '-' || s[0] == '+') return false;
  long long v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (ec != std::errc() || p != s.data() + s.size()) return false;
  if (negative) v = -v;
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
  out = static_cast<int>(v);
  return true;
}

int StrToInt(std::string_view text) {
  int v = 0;
  if (!TryStrToInt(text, v)) {
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
  }
  return v;
}

}  // namespace Tov00300
