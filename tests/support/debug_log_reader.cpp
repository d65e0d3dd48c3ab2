#include "support/debug_log_reader.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace tovtest {

std::string DebugLogPath(Tov00300::DateTime when) {
  return Tov00300::platform::JoinPath(Tov00300::platform::HostFolder(),
                                      "impdebug" + Tov00300::FormatDateTime("MMYY", when) + ".txt");
}

namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Digits and the given separators only, starting and ending with a digit.
bool IsDigitsWith(const std::string& text, const std::string& separators) {
  if (text.empty() || !IsDigit(text.front()) || !IsDigit(text.back())) return false;
  for (char c : text)
    if (!IsDigit(c) && separators.find(c) == std::string::npos) return false;
  return true;
}

// "date time - text" -> the entry; nullopt for a line that does not start one.
std::optional<DebugLogEntry> ParseEntryStart(const std::string& line) {
  const size_t blank = line.find(' ');
  if (blank == std::string::npos) return std::nullopt;
  const size_t dash = line.find(" - ", blank + 1);
  if (dash == std::string::npos) return std::nullopt;
  DebugLogEntry entry{line.substr(0, blank), line.substr(blank + 1, dash - blank - 1),
                      line.substr(dash + 3)};
  if (!IsDigitsWith(entry.date, "/.-") || !IsDigitsWith(entry.time, ":")) return std::nullopt;
  return entry;
}

}  // namespace

std::vector<DebugLogEntry> ReadDebugLogFile(const std::string& path) {
  std::vector<DebugLogEntry> entries;
  const std::optional<std::string> content = Tov00300::platform::ReadFile(path);
  if (!content) return entries;

  size_t start = 0;
  while (start < content->size()) {
    size_t end = content->find("\r\n", start);
    const bool last = end == std::string::npos;
    const std::string line = content->substr(start, last ? std::string::npos : end - start);
    if (std::optional<DebugLogEntry> entry = ParseEntryStart(line)) {
      entries.push_back(std::move(*entry));
    } else if (entries.empty()) {
      entries.push_back({"", "", line});
    } else {
      entries.back().text += "\r\n" + line;
    }
    if (last) break;
    start = end + 2;
  }
  return entries;
}

std::vector<DebugLogEntry> ReadDebugLog() {
  return ReadDebugLogFile(DebugLogPath(Tov00300::DateTime::Now()));
}

std::vector<std::string> DebugLogTexts() {
  std::vector<std::string> texts;
  for (const DebugLogEntry& entry : ReadDebugLog()) texts.push_back(entry.text);
  return texts;
}

long LogCount(const std::string& text, const std::vector<std::string>& log) {
  return std::count(log.begin(), log.end(), text);
}

}  // namespace tovtest
