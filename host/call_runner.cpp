#include "call_runner.h"

#include <optional>

#include "contracts.h"
#include "driver_trace.h"
#include "tov00300/datetime.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace ecfhost {

namespace {

constexpr const char* kNoSession = "sessão não iniciada: chame StartImpFiscal";

std::string DebugLogPath() {
  return Tov00300::platform::JoinPath(
      Tov00300::platform::HostFolder(),
      "impdebug" + Tov00300::FormatDateTime("MMYY", Tov00300::DateTime::Now()) + ".txt");
}

// What the call appended to the debug log: the file's length is noted before
// the call and the lines after it are read back (from the start of a new
// month's file when the month turned meanwhile).
class DebugLogTail {
 public:
  DebugLogTail() : path_(DebugLogPath()), start_(Length(path_)) {}
  Json Take() const {
    const std::string path = DebugLogPath();
    const auto text = Tov00300::platform::ReadFile(path);
    Json lines = Json::array();
    if (!text) return lines;
    const size_t from = path == path_ && start_ <= text->size() ? start_ : 0;
    size_t at = from;
    while (at < text->size()) {
      size_t end = text->find('\n', at);
      if (end == std::string::npos) end = text->size();
      std::string line = text->substr(at, end - at);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(TextOut(line));
      at = end + 1;
    }
    return lines;
  }

 private:
  static size_t Length(const std::string& path) {
    const auto text = Tov00300::platform::ReadFile(path);
    return text ? text->size() : 0;
  }
  std::string path_;
  size_t start_;
};

}  // namespace

Json CallRunner::Execute(ScriptCall& call) {
  Json record = {{"op", call.op}, {"result", nullptr}};
  const Contract* contract = FindContract(call.op);
  const bool withoutSession = contract && contract->talksToPrinter && !SessionStarted();
  std::optional<std::string> error;
  TraceDriverCalls();
  TakeDriverCodes();
  const DebugLogTail log;
  try {
    record["result"] = call.prepared->Run();
  } catch (const std::exception& e) {
    error = Tov00300::Cp1252ToUtf8(e.what());
  } catch (...) {
    error = "an exception that is not a std::exception";
  }
  // A session start binds the driver during the call: wrap it for the next.
  TraceDriverCalls();
  record["args"] = call.prepared->Args();
  record["messages"] = till_.TakeMessages();
  record["driver"] = TakeDriverCodes();
  record["log"] = log.Take();
  if (auto problem = call.prepared->Problem()) error = error ? *problem + "; " + *error : *problem;
  if (withoutSession) error = error ? std::string(kNoSession) + " (" + *error + ")" : kNoSession;
  if (error) record["error"] = *error;
  return record;
}

bool RecordFailed(const Json& record) {
  return record.contains("error") || record["result"] == false;
}

}  // namespace ecfhost
