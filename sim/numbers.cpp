#include "numbers.h"

#include <algorithm>

#include "text.h"

namespace Tov00300::sim {

std::optional<int64_t> ParseDecimal(std::string_view raw, int decimals) {
  std::string text = Trim(raw);
  if (text.empty()) return std::nullopt;
  // The last separator is the decimal one when it is the only one of its kind
  // or when both kinds appear; repeated separators of one kind are grouping.
  size_t lastComma = text.rfind(',');
  size_t lastDot = text.rfind('.');
  size_t decimalAt = std::string::npos;
  if (lastComma != std::string::npos && lastDot != std::string::npos) {
    decimalAt = std::max(lastComma, lastDot);
  } else if (lastComma != std::string::npos) {
    if (text.find(',') == lastComma) decimalAt = lastComma;
  } else if (lastDot != std::string::npos) {
    if (text.find('.') == lastDot) decimalAt = lastDot;
  }
  std::string whole;
  std::string fraction;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      (decimalAt != std::string::npos && i > decimalAt ? fraction : whole) += c;
    } else if (c == ',' || c == '.') {
      if (decimalAt != std::string::npos && i > decimalAt) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;
  while (static_cast<int>(fraction.size()) > decimals) {
    if (fraction.back() != '0') return std::nullopt;
    fraction.pop_back();
  }
  fraction.append(decimals - fraction.size(), '0');
  std::string all = whole + fraction;
  size_t first = all.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  if (all.size() - first > 15) return std::nullopt;
  return std::stoll(all.substr(first));
}

std::optional<int64_t> ParseInteger(std::string_view raw) {
  std::string text = Trim(raw);
  if (text.empty() || text.size() > 15) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  return std::stoll(text);
}

std::string Digits(int64_t value, int width) {
  std::string digits = std::to_string(value < 0 ? 0 : value);
  if (static_cast<int>(digits.size()) >= width) return digits.substr(digits.size() - width);
  return std::string(width - digits.size(), '0') + digits;
}

namespace {

std::string Grouped(int64_t whole) {
  std::string digits = std::to_string(whole);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
    out += digits[i];
  }
  return out;
}

}  // namespace

std::string Money(int64_t cents) {
  bool negative = cents < 0;
  int64_t magnitude = negative ? -cents : cents;
  return (negative ? "-" : "") + Grouped(magnitude / 100) + "," + Digits(magnitude % 100, 2);
}

std::string Quantity(int64_t thousandths) {
  return std::to_string(thousandths / 1000) + "," + Digits(thousandths % 1000, 3);
}

std::string Rate(int64_t hundredths) {
  return Digits(hundredths / 100, 2) + "," + Digits(hundredths % 100, 2);
}

}  // namespace Tov00300::sim
