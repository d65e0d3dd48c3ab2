// The host's document register as the package's record writers left it in
// documentos.db: the "records" pseudo-operation and `ecfhost records`.
#include <iostream>
#include <memory>
#include <string>

#include "commands.h"
#include "output.h"
#include "script.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"

namespace ecfhost {

namespace {

// The rows as a data set, so that both outputs print them as a table.
Json RecordsDataSet(const std::vector<Tov00300::hostlib::StoredRecord>& records) {
  Json fields = Json::array({Json::array({"id", "integer"})});
  if (!records.empty()) {
    for (const auto& [name, value] : records.front().columns)
      fields.push_back(Json::array({name, "string"}));
  }
  Json rows = Json::array();
  for (const auto& record : records) {
    Json row = {{"id", record.id}};
    for (const auto& [name, value] : record.columns) row[name] = value;
    rows.push_back(std::move(row));
  }
  return {{"rows", std::move(rows)}, {"fields", std::move(fields)}};
}

class RecordsCall : public PreparedCall {
 public:
  explicit RecordsCall(std::string table) : table_(std::move(table)) {}
  // The result is the number of rows; the rows come back as the second
  // argument, the way an operation hands back a data set.
  Json Run() override {
    rows_ = RecordsDataSet(Tov00300::hostlib::ListRecords(table_));
    return rows_["rows"].size();
  }
  Json Args() const override { return Json::array({table_, rows_}); }

 private:
  std::string table_;
  Json rows_ = {{"rows", Json::array()}, {"fields", Json::array()}};
};

}  // namespace

std::unique_ptr<PreparedCall> PrepareRecords(const Json& call) {
  std::string table = "DocNaoFiscaisECF";
  if (call.contains("table")) {
    if (!call["table"].is_string()) throw ArgumentError("\"table\" must be a text");
    table = call["table"].get<std::string>();
  }
  if (table != "DocNaoFiscaisECF" && table != "GravaCER")
    throw ArgumentError("\"table\" is \"DocNaoFiscaisECF\" or \"GravaCER\", got " + table);
  return std::make_unique<RecordsCall>(table);
}

// Prints the document register the host folder holds, as a call's record.
int RecordsCommand(const Options& o) {
  Json record = {{"op", "records"}, {"result", nullptr}};
  // Reading a register never makes a host folder: a mistyped folder is said.
  if (const std::string folder = HostFolderPath(o); !Tov00300::platform::FolderExists(folder)) {
    std::cerr << "ecfhost: there is no host folder " << folder << "\n";
    return kBadUse;
  }
  if (!PrepareHostFolder(o)) return kBadUse;
  try {
    auto call = PrepareRecords(Json{{"table", o.table}});
    record["result"] = call->Run();
    record["args"] = call->Args();
  } catch (const std::exception& e) {
    std::cerr << "ecfhost: " << Tov00300::Cp1252ToUtf8(e.what()) << "\n";
    return kBadUse;
  }
  record["messages"] = Json::array();
  if (o.pretty) {
    PrintPretty(std::cout, 0, record);
  } else {
    PrintJsonLine(std::cout, record);
  }
  return 0;
}

}  // namespace ecfhost
