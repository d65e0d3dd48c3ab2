#include <algorithm>
#include <string>
#include <vector>

#include "call_runner.h"
#include "output.h"

namespace ecfhost {

namespace {

std::string Compact(const Json& j) {
  return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

bool IsDataSet(const Json& j) {
  return j.is_object() && j.contains("rows") && j.contains("fields");
}
bool IsBag(const Json& j) {
  return j.is_object() && j.size() == 1 && j.contains("bag");
}
bool IsEmptyForm(const Json& j) {
  return j.is_object() && j.size() == 1 && j.contains("empty");
}

// Display width of a UTF-8 text (continuation bytes take no column).
size_t Columns(const std::string& s) {
  return static_cast<size_t>(
      std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Cell(const Json& j) {
  if (j.is_string()) return j.get<std::string>();
  if (j.is_null()) return "";
  if (j.is_object() && j.contains("datetime")) return j["datetime"].get<std::string>();
  return Compact(j);
}

void PrintTable(std::ostream& out, const Json& ds, const std::string& indent) {
  const Json& fields = ds["fields"];
  const Json& rows = ds["rows"];
  out << "data set, " << rows.size() << (rows.size() == 1 ? " row" : " rows");
  if (ds.contains("filter")) out << " (filter " << Cell(ds["filter"]) << ")";
  out << "\n";
  if (fields.empty()) return;
  std::vector<std::string> names;
  std::vector<size_t> widths;
  for (const Json& f : fields) {
    names.push_back(f[0].get<std::string>());
    widths.push_back(Columns(names.back()));
  }
  std::vector<std::vector<std::string>> cells;
  for (const Json& row : rows) {
    std::vector<std::string> line;
    for (size_t i = 0; i < names.size(); ++i) {
      line.push_back(row.contains(names[i]) ? Cell(row[names[i]]) : "");
      widths[i] = std::max(widths[i], Columns(line.back()));
    }
    cells.push_back(std::move(line));
  }
  auto printLine = [&](const std::vector<std::string>& line) {
    out << indent;
    for (size_t i = 0; i < line.size(); ++i) {
      out << (i ? " | " : "") << line[i];
      if (i + 1 < line.size()) out << std::string(widths[i] - Columns(line[i]), ' ');
    }
    out << "\n";
  };
  printLine(names);
  for (const auto& line : cells) printLine(line);
}

// A message may span lines (CR LF inside): continuation lines are indented
// under the first.
std::string Indented(const std::string& text, const std::string& indent) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
    if (text[i] == '\n' || text[i] == '\r') {
      if (text[i] == '\r') out.back() = '\n';
      out += indent;
    }
  }
  return out;
}

void PrintValue(std::ostream& out, const Json& value, const std::string& indent) {
  if (IsDataSet(value)) {
    PrintTable(out, value, indent + "  ");
  } else if (IsBag(value)) {
    out << "bag\n";
    for (const auto& item : value["bag"].items())
      out << indent << "  " << item.key() << " = " << Compact(item.value()) << "\n";
  } else if (value.is_array() && value.size() > 8) {
    // Long result arrays: one element a line, empty elements left out.
    out << "array of " << value.size() << "\n";
    // Data sets among them (a closing's movement rows) print as tables.
    for (size_t i = 0; i < value.size(); ++i) {
      if (IsEmptyForm(value[i])) continue;
      out << indent << "  [" << i << "] ";
      PrintValue(out, value[i], indent + "    ");
    }
  } else {
    out << Compact(value) << "\n";
  }
}

}  // namespace

void PrintJsonLine(std::ostream& out, const Json& record) {
  out << Compact(record) << "\n";
}

void PrintPretty(std::ostream& out, size_t index, const Json& record) {
  out << "[" << index << "] " << record["op"].get<std::string>() << " -> "
      << Compact(record["result"]) << "\n";
  const Json& args = record["args"];
  for (size_t i = 0; i < args.size(); ++i) {
    out << "    arg " << i + 1 << ": ";
    PrintValue(out, args[i], "      ");
  }
  for (const Json& m : record["messages"]) {
    out << "    " << (m["question"].get<bool>() ? "question" : "message") << " (type "
        << m["type"].get<int>() << "): " << Indented(m["text"].get<std::string>(), "      ");
    if (m["question"].get<bool>()) out << "  -> answered " << (m["answer"].get<bool>() ? "S" : "N");
    out << "\n";
    if (m.contains("detail"))
      out << "      " << Indented(m["detail"].get<std::string>(), "      ") << "\n";
  }
  // Only the codes that are not plain success; the log only of a call that
  // failed, where it explains the failure.
  if (record.contains("driver"))
    for (const Json& d : record["driver"])
      if (d["code"] != 1)
        out << "    driver: " << d["call"].get<std::string>() << " -> " << d["code"] << "\n";
  if (RecordFailed(record) && record.contains("log"))
    for (const Json& line : record["log"]) out << "    log: " << line.get<std::string>() << "\n";
  if (record.contains("result_means"))
    out << "    false: " << record["result_means"].get<std::string>() << "\n";
  if (record.contains("warnings"))
    for (const Json& w : record["warnings"]) out << "    warning: " << w.get<std::string>() << "\n";
  if (record.contains("hint")) out << "    hint: " << record["hint"].get<std::string>() << "\n";
  if (record.contains("error")) out << "    ERROR: " << record["error"].get<std::string>() << "\n";
  out << "\n";
}

}  // namespace ecfhost
