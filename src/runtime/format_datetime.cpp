// FormatDateTime and the short date / long time forms.
#include <cctype>
#include <cstdio>

#include "datetime_parts.h"
#include "tov00300/format.h"

namespace Tov00300 {

namespace {

std::string Pad(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

char Up(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Length of the run of `c` (any case) starting at `i`.
size_t Run(std::string_view f, size_t i) {
  size_t n = 0;
  while (i + n < f.size() && Up(f[i + n]) == Up(f[i])) ++n;
  return n;
}

bool StartsWithNoCase(std::string_view f, size_t i, std::string_view word) {
  if (f.size() - i < word.size()) return false;
  for (size_t k = 0; k < word.size(); ++k) {
    if (Up(f[i + k]) != Up(word[k])) return false;
  }
  return true;
}

bool HasAmPm(std::string_view f) {
  for (size_t i = 0; i < f.size(); ++i) {
    if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") ||
        StartsWithNoCase(f, i, "ampm")) {
      return true;
    }
  }
  return false;
}

void Format(std::string& out, std::string_view f, const DateParts& p, double value,
            const FormatSettings& fs, int depth) {
  const bool twelveHour = HasAmPm(f);
  char lastToken = 0;
  size_t i = 0;
  while (i < f.size()) {
    const char c = f[i];
    const char t = Up(c);
    if (c == '"' || c == '\'') {
      size_t end = f.find(c, i + 1);
      if (end == std::string_view::npos) end = f.size();
      out.append(f.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    const size_t n = Run(f, i);
    switch (t) {
      case 'D':
        if (n == 1) out += std::to_string(p.day);
        if (n == 2) out += Pad(p.day, 2);
        if (n == 3) out += fs.shortDayNames[static_cast<size_t>(p.dayOfWeek - 1)];
        if (n == 4) out += fs.longDayNames[static_cast<size_t>(p.dayOfWeek - 1)];
        if (n >= 5 && depth < 2) Format(out, fs.shortDateFormat, p, value, fs, depth + 1);
        i += n;
        break;
      case 'M':
        if (n <= 2 && (lastToken == 'H')) {
          out += n == 1 ? std::to_string(p.minute) : Pad(p.minute, 2);
        } else if (n <= 2) {
          out += n == 1 ? std::to_string(p.month) : Pad(p.month, 2);
        } else {
          const auto& names = n == 3 ? fs.shortMonthNames : fs.longMonthNames;
          out += names[static_cast<size_t>(p.month - 1)];
        }
        i += n;
        break;
      case 'Y':
        out += n <= 2 ? Pad(p.year % 100, 2) : Pad(p.year, 4);
        i += n;
        break;
      case 'H': {
        int h = p.hour;
        if (twelveHour) {
          h %= 12;
          if (h == 0) h = 12;
        }
        out += n == 1 ? std::to_string(h) : Pad(h, 2);
        i += n;
        break;
      }
      case 'N':
        out += n == 1 ? std::to_string(p.minute) : Pad(p.minute, 2);
        i += n;
        break;
      case 'S':
        out += n == 1 ? std::to_string(p.second) : Pad(p.second, 2);
        i += n;
        break;
      case 'Z':
        out += n < 3 ? std::to_string(p.millisecond) : Pad(p.millisecond, 3);
        i += n;
        break;
      case 'T':
        if (depth < 2) {
          Format(out, n == 1 ? fs.shortTimeFormat : fs.longTimeFormat, p, value, fs, depth + 1);
        }
        i += n;
        break;
      case 'C':
        if (depth < 2) {
          Format(out, fs.shortDateFormat, p, value, fs, depth + 1);
          if (p.hour || p.minute || p.second || p.millisecond) {
            out += ' ';
            Format(out, fs.longTimeFormat, p, value, fs, depth + 1);
          }
        }
        i += 1;
        break;
      case 'A':
        if (StartsWithNoCase(f, i, "am/pm")) {
          out += p.hour < 12 ? "am" : "pm";
          if (f[i] == 'A') out.replace(out.size() - 2, 2, p.hour < 12 ? "AM" : "PM");
          i += 5;
        } else if (StartsWithNoCase(f, i, "a/p")) {
          out += p.hour < 12 ? (f[i] == 'A' ? "A" : "a") : (f[i] == 'A' ? "P" : "p");
          i += 3;
        } else if (StartsWithNoCase(f, i, "ampm")) {
          out += p.hour < 12 ? fs.timeAMString : fs.timePMString;
          i += 4;
        } else {
          out += c;
          i += 1;
        }
        break;
      case '/':
        out += fs.dateSeparator;
        i += 1;
        break;
      case ':':
        out += fs.timeSeparator;
        i += 1;
        break;
      default:
        out += c;
        i += 1;
        continue;  // literals leave the hour context for a following "m"
    }
    if (t != '/' && t != ':') lastToken = t;
  }
}

}  // namespace

std::string FormatDateTime(std::string_view format, DateTime value) {
  return FormatDateTime(format, value, GlobalFormatSettings());
}

std::string FormatDateTime(std::string_view format, DateTime value, const FormatSettings& fs) {
  std::string out;
  const DateParts p = SplitDateTime(value);
  Format(out, format.empty() ? std::string_view("c") : format, p, value.value, fs, 0);
  return out;
}

std::string DateToStr(DateTime value) {
  return FormatDateTime(GlobalFormatSettings().shortDateFormat, value);
}

std::string TimeToStr(DateTime value) {
  return FormatDateTime(GlobalFormatSettings().longTimeFormat, value);
}

std::string DateTimeToStr(DateTime value) {
  return FormatDateTime("c", value);
}

}  // namespace Tov00300
