// Text helpers with the original runtime's forgiving 1-based semantics.
#include "text_case.h"
#include "tov00300/format.h"

namespace Tov00300 {

std::string Copy(std::string_view s, int index, int count) {
  if (index < 1) index = 1;
  const size_t start = static_cast<size_t>(index) - 1;
  if (count <= 0 || start >= s.size()) return "";
  return std::string(s.substr(start, static_cast<size_t>(count)));
}

int Pos(std::string_view needle, std::string_view haystack) {
  if (needle.empty()) return 0;
  const size_t at = haystack.find(needle);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string TrimLeft(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  return std::string(s);
}

std::string TrimRight(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return std::string(s);
}

std::string Trim(std::string_view s) {
  return TrimLeft(TrimRight(s));
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(LowerByte(static_cast<unsigned char>(c)));
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  return SameTextInline(a, b);
}

std::string StringOfChar(char c, int count) {
  return count > 0 ? std::string(static_cast<size_t>(count), c) : std::string();
}

}  // namespace Tov00300
