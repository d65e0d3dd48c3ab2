#include "config/printer_lists.h"

#include "tov00300/format.h"

namespace Tov00300::config {

std::vector<std::string> SplitEntries(std::string_view list) {
  std::vector<std::string> entries;
  size_t start = 0;
  for (size_t end = list.find(';'); end != std::string_view::npos; end = list.find(';', start)) {
    entries.emplace_back(list.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

std::optional<std::string> FindEntry(const std::vector<std::string>& entries, std::string_view name,
                                     bool ignoreCase) {
  const std::string wanted = Trim(name);
  if (wanted.empty()) return std::nullopt;
  for (const std::string& entry : entries) {
    const std::string text = Trim(entry);
    if (ignoreCase ? SameText(text, wanted) : text == wanted) return entry;
  }
  return std::nullopt;
}

std::string TwoDigits(int index) {
  std::string text = IntToStr(index);
  return text.size() < 2 ? "0" + text : text;
}

std::string FieldText(DataSet& ds, const char* fieldName) {
  Field field = ds.FieldByName(fieldName);
  return field.IsNull() ? std::string() : field.AsString();
}

}  // namespace Tov00300::config
