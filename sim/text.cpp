#include "text.h"

#include <algorithm>
#include <cstdint>

namespace Tov00300::sim {
namespace {

// Code points of bytes 0x80-0x9F in Windows-1252 (0 marks an unassigned byte).
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char ToCp1252(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

bool IsBlank(unsigned char c) {
  return c <= ' ';
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (unsigned char c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0xA0) {
      char16_t cp = kHighControls[c - 0x80];
      AppendUtf8(out, cp == 0 ? '?' : cp);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = text[i];
    uint32_t cp = 0;
    int extra = 0;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      extra = 3;
    } else {
      out += '?';
      ++i;
      continue;
    }
    if (i + extra >= text.size()) {
      out += '?';
      break;
    }
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      unsigned char next = text[i + k];
      if ((next & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (next & 0x3F);
    }
    out += valid ? ToCp1252(cp) : '?';
    i += valid ? extra + 1 : 1;
  }
  return out;
}

std::string Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    unsigned char c = ch;
    if (c >= 'a' && c <= 'z') {
      ch = static_cast<char>(c - 32);
    } else if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
      ch = static_cast<char>(c - 32);
    }
  }
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && Upper(a) == Upper(b);
}

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
