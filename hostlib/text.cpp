// Width and blank helpers used to lay out receipt lines and driver buffers.
#include <algorithm>
#include <string>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

size_t Width(int width) {
  return width > 0 ? static_cast<size_t>(width) : 0;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Leading zeros up to the width, after an optional sign.
std::string ZeroPad(std::string_view text, int width) {
  std::string_view digits = TrimBlanks(text);
  size_t target = Width(width);
  if (digits.size() >= target) return std::string(digits);
  std::string sign;
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
    sign = digits.front();
    digits.remove_prefix(1);
  }
  return sign + std::string(target - sign.size() - digits.size(), '0') + std::string(digits);
}

}  // namespace

std::string Replicate(std::string_view text, int count) {
  std::string result;
  if (count <= 0 || text.empty()) return result;
  result.reserve(text.size() * static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) result.append(text);
  return result;
}

std::string TamFixo(std::string_view text, int width) {
  size_t target = Width(width);
  std::string result(text.substr(0, target));
  result.resize(target, ' ');
  return result;
}

std::string TamFixoR(std::string_view text, int width) {
  size_t target = Width(width);
  std::string_view cut = text.substr(0, target);
  return std::string(target - cut.size(), ' ') + std::string(cut);
}

std::string Centraliza(std::string_view text, uint8_t width) {
  std::string_view core = TrimBlanks(text).substr(0, width);
  size_t left = (width - core.size()) / 2;
  std::string result(left, ' ');
  result.append(core);
  result.resize(width, ' ');
  return result;
}

std::string PadL(std::string_view text, uint16_t width) {
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), ' ') + std::string(text);
}

std::string Ajusta(std::string_view text, int width) {
  return ZeroPad(text, width);
}

std::string AjustaZero(std::string_view text, int width) {
  return ZeroPad(text, width);
}

std::string RTrim(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

bool EmptyString(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsBlank);
}

}  // namespace Tov00300::hostlib
