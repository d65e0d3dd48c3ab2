// The message catalogue component: "key|text" lines looked up by key.
#include <algorithm>
#include <cctype>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

std::string UpperKey(std::string_view key) {
  size_t first = key.find_first_not_of(" \t");
  size_t last = key.find_last_not_of(" \t");
  std::string upper(first == std::string_view::npos ? std::string_view()
                                                    : key.substr(first, last - first + 1));
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool KeyOfLine(std::string_view line, std::string_view& key, std::string_view& text) {
  size_t bar = line.find('|');
  if (bar == std::string_view::npos) return false;
  key = line.substr(0, bar);
  text = line.substr(bar + 1);
  return true;
}

}  // namespace

void TMessages::Add(std::string_view key, std::string_view text) {
  std::string line(key);
  line += '|';
  line.append(text);
  lines_.Add(std::move(line));
}

void TMessages::Reindex() const {
  index_.clear();
  index_.reserve(static_cast<size_t>(lines_.Count()));
  for (int i = 0; i < lines_.Count(); ++i) {
    std::string_view key, text;
    if (KeyOfLine(lines_[i], key, text)) index_.emplace_back(UpperKey(key), i);
  }
  // Stable, so the first line of a key that appears twice stays first.
  std::stable_sort(index_.begin(), index_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  indexedCount_ = lines_.Count();
}

std::string TMessages::Msg(std::string_view key) const {
  std::string wanted = UpperKey(key);
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (indexedCount_ != lines_.Count()) Reindex();
    auto found =
        std::lower_bound(index_.begin(), index_.end(), wanted,
                         [](const auto& entry, const std::string& k) { return entry.first < k; });
    if (found == index_.end() || found->first != wanted) return "";
    std::string_view lineKey, text;
    // A line changed in place since the index was built: build it again.
    if (found->second < lines_.Count() && KeyOfLine(lines_[found->second], lineKey, text) &&
        UpperKey(lineKey) == wanted) {
      return std::string(text);
    }
    indexedCount_ = -1;
  }
  return "";
}

}  // namespace Tov00300::hostlib
