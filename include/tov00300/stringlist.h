// StringList: an ordered list of texts with the original's Text/CommaText
// forms and name=value access.
#ifndef TOV00300_STRINGLIST_H_
#define TOV00300_STRINGLIST_H_

#include <string>
#include <string_view>
#include <vector>

#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

class StringList {
 public:
  StringList() = default;
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& operator[](int i) const { return items_.at(i); }
  std::string& operator[](int i) { return items_.at(i); }
  void Add(std::string s) { items_.push_back(std::move(s)); }
  void Insert(int index, std::string s);
  void Delete(int index);
  void Clear() { items_.clear(); }
  int IndexOf(std::string_view s) const;  // case-insensitive; -1 when absent
  // Lines joined, each followed by CR LF (as the original's Text).
  std::string Text() const;
  // Splits on CR LF, LF or CR.
  void SetText(std::string_view text);
  // The value of the first "name=value" line (name compared case-insensitively).
  std::string Values(std::string_view name) const;
  void Sort();
  const std::vector<std::string>& Items() const { return items_; }

 private:
  std::vector<std::string> items_;
};

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_STRINGLIST_H_
