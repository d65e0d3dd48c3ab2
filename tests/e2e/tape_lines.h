// The lines of a printed text, and whether given lines follow each other in
// it: what the till days' cases and the closing scripts look for on the tape.
#ifndef TOV00300_TESTS_E2E_TAPE_LINES_H_
#define TOV00300_TESTS_E2E_TAPE_LINES_H_

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The text's lines, in order; a last line without its line feed counts.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Whether the lines follow each other somewhere in the text (no lines always
// do). A line a text command's piece cut in two (the second part empty when
// the cut falls just before its line feed) counts as the line.
inline bool HasLines(const std::string& text, const std::vector<std::string>& expected) {
  const std::vector<std::string> lines = Lines(text);
  std::function<bool(size_t, size_t)> from = [&](size_t i, size_t k) {
    if (k == expected.size()) return true;
    if (i < lines.size() && lines[i] == expected[k] && from(i + 1, k + 1)) return true;
    return i + 1 < lines.size() && lines[i] + lines[i + 1] == expected[k] && from(i + 2, k + 1);
  };
  for (size_t i = 0; i < lines.size(); ++i)
    if (from(i, 0)) return true;
  return expected.empty();
}

}  // namespace e2e

#endif  // TOV00300_TESTS_E2E_TAPE_LINES_H_
