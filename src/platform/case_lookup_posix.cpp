// Case-insensitive file lookup on POSIX systems, where names differ by
// letter case but the system's Windows-style names were written without
// regard to it.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tov00300/platform.h"

namespace Tov00300::platform {
namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

}  // namespace

std::string ResolveFileCase(std::string_view path) {
  namespace fs = std::filesystem;
  const std::string native = NativePath(path);
  if (FileExists(native)) return native;
  const fs::path wanted(native);
  const std::string name = wanted.filename().string();
  const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
  std::error_code error;
  std::vector<std::string> matches;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string candidate = it->path().filename().string();
    if (SameIgnoringCase(candidate, name) && it->is_regular_file(error))
      matches.push_back(candidate);
  }
  if (matches.empty()) return native;
  std::sort(matches.begin(), matches.end());
  return (wanted.has_parent_path() ? (folder / matches.front()) : fs::path(matches.front()))
      .string();
}

}  // namespace Tov00300::platform
