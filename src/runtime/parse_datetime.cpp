// StrToDate, StrToTime and StrToDateTime in the process's settings.
#include <cctype>
#include <vector>

#include "datetime_parts.h"
#include "tov00300/format.h"
#include "tov00300/variant.h"

namespace Tov00300 {

namespace {

[[noreturn]] void Invalid(std::string_view text, const char* what) {
  throw ConversionError("'" + std::string(text) + "' is not a valid " + what);
}

// Splits "12/05/2024" into its numbers; false when anything else is there.
bool Numbers(std::string_view s, std::string_view separators, std::vector<std::string>& out) {
  out.assign(1, "");
  for (char c : s) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      out.back() += c;
    } else if (separators.find(c) != std::string_view::npos) {
      out.emplace_back();
    } else {
      return false;
    }
  }
  for (const auto& n : out) {
    if (n.empty() || n.size() > 4) return false;
  }
  return true;
}

bool ParseDate(std::string_view text, const FormatSettings& fs, double& days) {
  const std::string separators = std::string(1, fs.dateSeparator) + "/-.";
  std::vector<std::string> n;
  if (!Numbers(Trim(text), separators, n) || n.size() < 2 || n.size() > 3) return false;
  // The order of day, month and year comes from the short date format.
  std::string order;
  for (char c : fs.shortDateFormat) {
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if ((u == 'D' || u == 'M' || u == 'Y') && order.find(u) == std::string::npos) order += u;
  }
  if (order.size() != 3) order = "MDY";
  int day = 0, month = 0;
  int year = 0;
  DateParts today = SplitDateTime(DateTime::Today());
  bool twoDigitYear = false;
  size_t k = 0;
  for (char u : order) {
    if (u == 'Y' && n.size() == 2) {
      year = today.year;  // "dd/mm" is a date of the current year
      continue;
    }
    const int v = std::stoi(n[k]);
    if (u == 'D') day = v;
    if (u == 'M') month = v;
    if (u == 'Y') {
      year = v;
      twoDigitYear = n[k].size() <= 2;
    }
    ++k;
  }
  if (twoDigitYear) year += today.year / 100 * 100;
  return TryEncodeDate(year, month, day, days);
}

bool ParseTime(std::string_view text, const FormatSettings& fs, double& fraction) {
  std::string s = Trim(text);
  int add = 0;
  // A trailing AM/PM designator makes a 12-hour time.
  auto endsWith = [&s](std::string_view word) {
    return !word.empty() && s.size() >= word.size() &&
           SameText(std::string_view(s).substr(s.size() - word.size()), word);
  };
  bool twelve = false;
  for (const auto& [word, offset] : {std::pair<std::string, int>{"AM", 0},
                                     {"PM", 12},
                                     {fs.timeAMString, 0},
                                     {fs.timePMString, 12}}) {
    if (endsWith(word)) {
      s = Trim(std::string_view(s).substr(0, s.size() - word.size()));
      add = offset;
      twelve = true;
      break;
    }
  }
  std::vector<std::string> n;
  size_t dot = s.find('.');
  std::string ms;
  if (dot != std::string::npos) {
    ms = s.substr(dot + 1);
    s.resize(dot);
  }
  const std::string separators = std::string(1, fs.timeSeparator) + ":";
  if (!Numbers(s, separators, n) || n.size() < 2 || n.size() > 3) return false;
  int hour = std::stoi(n[0]);
  const int minute = std::stoi(n[1]);
  const int second = n.size() > 2 ? std::stoi(n[2]) : 0;
  int millisecond = 0;
  if (!ms.empty()) {
    std::vector<std::string> z;
    if (!Numbers(ms, "", z) || ms.size() > 3) return false;
    millisecond = std::stoi(ms);
  }
  if (twelve) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + add;
  }
  return TryEncodeTime(hour, minute, second, millisecond, fraction);
}

}  // namespace

DateTime StrToDate(std::string_view text) {
  double days = 0;
  if (!ParseDate(text, GlobalFormatSettings(), days)) Invalid(text, "date");
  return DateTime(days);
}

DateTime StrToTime(std::string_view text) {
  double fraction = 0;
  if (!ParseTime(text, GlobalFormatSettings(), fraction)) Invalid(text, "time");
  return DateTime(fraction);
}

DateTime StrToDateTime(std::string_view text) {
  const FormatSettings& fs = GlobalFormatSettings();
  const std::string s = Trim(text);
  const size_t blank = s.find(' ');
  double days = 0, fraction = 0;
  if (blank == std::string::npos) {
    if (ParseDate(s, fs, days)) return DateTime(days);
    if (ParseTime(s, fs, fraction)) return DateTime(fraction);
    Invalid(text, "date and time");
  }
  if (!ParseDate(std::string_view(s).substr(0, blank), fs, days) ||
      !ParseTime(std::string_view(s).substr(blank + 1), fs, fraction)) {
    Invalid(text, "date and time");
  }
  return DateTime(CombineDateTime(days, fraction));
}

}  // namespace Tov00300
