// StringList: Text form, name=value lookup and sorting.
#include "tov00300/stringlist.h"

#include <algorithm>
#include <stdexcept>

#include "text_case.h"
#include "tov00300/format.h"

namespace Tov00300 {

namespace {
[[noreturn]] void OutOfBounds(int index) {
  throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}
}  // namespace

void StringList::Insert(int index, std::string s) {
  if (index < 0 || index > Count()) OutOfBounds(index);
  items_.insert(items_.begin() + index, std::move(s));
}

void StringList::Delete(int index) {
  if (index < 0 || index >= Count()) OutOfBounds(index);
  items_.erase(items_.begin() + index);
}

int StringList::IndexOf(std::string_view s) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(items_[static_cast<size_t>(i)], s)) return i;
  }
  return -1;
}

std::string StringList::Text() const {
  std::string out;
  for (const auto& item : items_) {
    out += item;
    out += "\r\n";
  }
  return out;
}

void StringList::SetText(std::string_view text) {
  items_.clear();
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    items_.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  // A final line break ends the last line; it does not start an empty one.
  if (start < text.size()) items_.emplace_back(text.substr(start));
}

std::string StringList::Values(std::string_view name) const {
  for (const auto& item : items_) {
    const size_t eq = item.find('=');
    if (eq != std::string::npos && SameText(std::string_view(item).substr(0, eq), name)) {
      return item.substr(eq + 1);
    }
  }
  return "";
}

void StringList::Sort() {
  // Case-insensitive, as the original's default sort.
  std::stable_sort(items_.begin(), items_.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return LowerByte(static_cast<unsigned char>(x)) < LowerByte(static_cast<unsigned char>(y));
    });
  });
}

}  // namespace Tov00300
