// Number formatting: masks, the general form, fixed and currency forms,
// and the money helpers.
#include <cmath>
#include <vector>

#include "tov00300/decimal.h"
#include "tov00300/format.h"

namespace Tov00300 {

namespace {

constexpr int kFixedPrecision = 15;

// "INF", "-INF" and "NAN", as the original writes them.
bool NonFinite(double value, std::string& out) {
  if (std::isnan(value)) {
    out = "NAN";
    return true;
  }
  if (std::isinf(value)) {
    out = value < 0 ? "-INF" : "INF";
    return true;
  }
  return false;
}

std::string Group(const std::string& digits, char separator) {
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

// One section of a mask, reduced to what the number needs.
struct Mask {
  std::string prefix, suffix;  // literal text before the first and after the last placeholder
  int minIntegerDigits = 0;    // placeholders from the first '0' before the point
  int minDecimals = 0;         // up to the last '0' after the point
  int maxDecimals = 0;         // every placeholder after the point
  bool grouping = false;
  bool hasPoint = false;
  bool hasPlaceholder = false;
};

Mask ParseMask(std::string_view section) {
  Mask m;
  int integerPlaceholders = 0, firstZero = -1;
  bool inFraction = false, seenPlaceholder = false;
  std::string literal;
  for (size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (c == '"' || c == '\'') {
      const size_t end = section.find(c, i + 1);
      const size_t stop = end == std::string_view::npos ? section.size() : end;
      literal.append(section.substr(i + 1, stop - i - 1));
      i = stop;
      continue;
    }
    if (c == '0' || c == '#') {
      if (!seenPlaceholder) m.prefix = literal;
      literal.clear();
      seenPlaceholder = true;
      if (inFraction) {
        ++m.maxDecimals;
        if (c == '0') m.minDecimals = m.maxDecimals;
      } else {
        if (c == '0' && firstZero < 0) firstZero = integerPlaceholders;
        ++integerPlaceholders;
      }
    } else if (c == '.' && !inFraction) {
      if (!seenPlaceholder) m.prefix = literal;
      literal.clear();
      seenPlaceholder = true;
      inFraction = true;
      m.hasPoint = true;
    } else if (c == ',' && seenPlaceholder && !inFraction) {
      m.grouping = true;
    } else {
      literal += c;
    }
  }
  if (seenPlaceholder) {
    m.suffix = literal;
  } else {
    m.prefix = literal;
  }
  m.hasPlaceholder = seenPlaceholder;
  m.minIntegerDigits = firstZero < 0 ? 0 : integerPlaceholders - firstZero;
  return m;
}

// The mask's sections: positive;negative;zero.
std::vector<std::string_view> Sections(std::string_view mask) {
  std::vector<std::string_view> out;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < mask.size(); ++i) {
    if (quote) {
      if (mask[i] == quote) quote = 0;
    } else if (mask[i] == '"' || mask[i] == '\'') {
      quote = mask[i];
    } else if (mask[i] == ';') {
      out.push_back(mask.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(mask.substr(start));
  return out;
}

}  // namespace

std::string FormatFloat(std::string_view mask, double value) {
  return FormatFloat(mask, value, GlobalFormatSettings());
}

std::string FormatFloat(std::string_view mask, double value, const FormatSettings& fs) {
  std::string special;
  if (NonFinite(value, special)) return special;
  if (mask.empty()) return FloatToStr(value);

  const std::vector<std::string_view> sections = Sections(mask);
  Decimal d = Decimal::FromDouble(value);
  Mask m = ParseMask(sections[0]);
  d.Round(m.maxDecimals);
  // A negative section is written without a sign of its own; a zero section
  // applies to a value that rounds to zero.
  bool writeSign = d.negative && !d.IsZero();
  if (d.IsZero() && sections.size() >= 3 && !sections[2].empty()) {
    m = ParseMask(sections[2]);
    writeSign = false;
  } else if (d.negative && sections.size() >= 2 && !sections[1].empty()) {
    m = ParseMask(sections[1]);
    d = Decimal::FromDouble(value);
    d.Round(m.maxDecimals);
    writeSign = false;
  }
  if (!m.hasPlaceholder) return m.prefix;

  std::string integer = d.IntegerDigits();
  if (static_cast<int>(integer.size()) < m.minIntegerDigits) {
    integer.insert(0, static_cast<size_t>(m.minIntegerDigits) - integer.size(), '0');
  }
  if (m.grouping) integer = Group(integer, fs.thousandSeparator);
  std::string fraction = d.FractionDigits(m.maxDecimals);
  while (static_cast<int>(fraction.size()) > m.minDecimals && fraction.back() == '0') {
    fraction.pop_back();
  }

  std::string out;
  if (writeSign) out += '-';
  out += m.prefix;
  out += integer;
  if (!fraction.empty()) {
    out += fs.decimalSeparator;
    out += fraction;
  }
  out += m.suffix;
  return out;
}

std::string FloatToStr(double value) {
  std::string special;
  if (NonFinite(value, special)) return special;
  const FormatSettings& fs = GlobalFormatSettings();
  Decimal d = Decimal::FromDouble(value);
  if (d.IsZero()) return "0";
  std::string out = d.negative ? "-" : "";
  if (d.point > 15 || d.point < -4) {
    // Scientific form, as the original's general format: "1,5E20", "1E-6".
    out += d.digits[0];
    if (d.digits.size() > 1) {
      out += fs.decimalSeparator;
      out += d.digits.substr(1);
    }
    out += 'E';
    out += std::to_string(d.point - 1);
    return out;
  }
  const std::string integer = d.IntegerDigits();
  out += integer.empty() ? "0" : integer;
  const int decimals = static_cast<int>(d.digits.size()) - d.point;
  if (decimals > 0) {
    out += fs.decimalSeparator;
    out += d.FractionDigits(decimals);
  }
  return out;
}

std::string FloatToStrF2(double value, int decimals) {
  std::string special;
  if (NonFinite(value, special)) return special;
  if (decimals < 0) decimals = 0;
  Decimal d = Decimal::FromDouble(value);
  // With a precision of 15, a value with more integer digits than that has
  // no exact fixed form: the original writes it in the general form instead
  // of inventing digits.
  if (d.point > kFixedPrecision) return FloatToStr(value);
  d.Round(decimals);
  std::string out = d.negative && !d.IsZero() ? "-" : "";
  const std::string integer = d.IntegerDigits();
  out += integer.empty() ? "0" : integer;
  if (decimals > 0) {
    out += GlobalFormatSettings().decimalSeparator;
    out += d.FractionDigits(decimals);
  }
  return out;
}

std::string CurrToStrF(double value) {
  std::string special;
  if (NonFinite(value, special)) return special;
  const FormatSettings& fs = GlobalFormatSettings();
  Decimal d = Decimal::FromDouble(value);
  d.Round(fs.currencyDecimals);
  std::string integer = d.IntegerDigits();
  std::string number = Group(integer.empty() ? "0" : integer, fs.thousandSeparator);
  if (fs.currencyDecimals > 0) {
    number += fs.decimalSeparator;
    number += d.FractionDigits(fs.currencyDecimals);
  }
  std::string out;
  switch (fs.currencyFormat) {
    case 1:
      out = number + fs.currencyString;
      break;
    case 2:
      out = fs.currencyString + " " + number;
      break;
    case 3:
      out = number + " " + fs.currencyString;
      break;
    default:
      out = fs.currencyString + number;
      break;
  }
  // Negative amounts take a leading minus whatever the currency position.
  return d.negative && !d.IsZero() ? "-" + out : out;
}

std::string IntToStr(long long value) {
  return std::to_string(value);
}

double Trunc2(double value) {
  if (!std::isfinite(value)) return value;
  Decimal d = Decimal::FromDouble(value);
  d.Truncate(2);
  return d.ToDouble();
}

double RoundDec(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  Decimal d = Decimal::FromDouble(value);
  d.Round(decimals);
  return d.ToDouble();
}

}  // namespace Tov00300
