#include "text.h"

#include <algorithm>

namespace Tov00300::sim {

std::string PadRight(std::string_view text, size_t width) {
  std::string out(text.substr(0, width));
  out.append(width - out.size(), ' ');
  return out;
}

std::string PadLeft(std::string_view text, size_t width) {
  if (text.size() >= width) return std::string(text.substr(text.size() - width));
  return std::string(width - text.size(), ' ') + std::string(text);
}

std::string Center(std::string_view text, size_t width) {
  std::string cut(text.substr(0, width));
  size_t left = (width - cut.size()) / 2;
  return std::string(left, ' ') + cut;
}

std::string Columns(std::string_view left, std::string_view right, size_t width) {
  if (right.size() >= width) return std::string(right.substr(0, width));
  size_t room = width - right.size() - 1;
  std::string out(left.substr(0, room));
  out.append(width - out.size() - right.size(), ' ');
  out += right;
  return out;
}

std::vector<std::string> WrapLines(std::string_view text, size_t width) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    bool last = end == std::string_view::npos;
    if (last) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) lines.emplace_back();
    while (!line.empty()) {
      lines.emplace_back(line.substr(0, width));
      line.remove_prefix(std::min(width, line.size()));
    }
    start = end + 1;
  }
  return lines;
}

std::string DigitsOnly(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c >= '0' && c <= '9') out += c;
  }
  return out;
}

std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return out;
}

}  // namespace Tov00300::sim
