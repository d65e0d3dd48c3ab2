// Reads the package's debug log back for tests.
#ifndef TOV00300_TESTS_SUPPORT_DEBUG_LOG_READER_H_
#define TOV00300_TESTS_SUPPORT_DEBUG_LOG_READER_H_

#include <string>
#include <vector>

#include "tov00300/datetime.h"

namespace tovtest {

struct DebugLogEntry {
  std::string date;
  std::string time;
  std::string text;  // may hold CR LF: an entry runs until the next dated line
};

// The month's log file in the current host folder.
std::string DebugLogPath(Tov00300::DateTime when);
// The entries of a log file (empty when it does not exist). A line starts a
// new entry when it begins with a date, a blank, a time and " - "; any other
// line continues the entry before it.
std::vector<DebugLogEntry> ReadDebugLogFile(const std::string& path);
// This month's entries (the month of DateTime::Now()).
std::vector<DebugLogEntry> ReadDebugLog();
// Only the texts of this month's entries.
std::vector<std::string> DebugLogTexts();
// How many entries of `log` (DebugLogTexts() when not given) read exactly `text`.
long LogCount(const std::string& text, const std::vector<std::string>& log = DebugLogTexts());
// Whether an entry reads exactly `text`.
inline bool LogHas(const std::string& text, const std::vector<std::string>& log = DebugLogTexts()) {
  return LogCount(text, log) > 0;
}

}  // namespace tovtest

#endif  // TOV00300_TESTS_SUPPORT_DEBUG_LOG_READER_H_
