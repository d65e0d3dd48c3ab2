#include "call_runner.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include "contracts.h"
#include "driver_trace.h"
#include "tov00300/datetime.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace ecfhost {

namespace {

// ecfhost's advice, beside the package's own answer, for a printer operation
// called before the session started.
constexpr const char* kNoSession = "sessão não iniciada: chame StartImpFiscal";

std::string DebugLogPath() {
  return Tov00300::platform::JoinPath(
      Tov00300::platform::HostFolder(),
      "impdebug" + Tov00300::FormatDateTime("MMYY", Tov00300::DateTime::Now()) + ".txt");
}

// What the call appended to the debug log: the file's length is noted before
// the call and only what follows it is read back (from the start of a new
// month's file when the month turned meanwhile), so the cost does not grow
// with the day's log.
class DebugLogTail {
 public:
  DebugLogTail() : path_(DebugLogPath()), start_(Length(path_)) {}
  Json Take() const {
    const std::string path = DebugLogPath();
    const uintmax_t length = Length(path);
    const uintmax_t from = path == path_ && start_ <= length ? start_ : 0;
    Json lines = Json::array();
    std::ifstream in(path, std::ios::binary);
    if (!in || length <= from) return lines;
    in.seekg(static_cast<std::streamoff>(from));
    std::string text(static_cast<size_t>(length - from), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    for (size_t at = 0; at < text.size();) {
      size_t end = text.find('\n', at);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(at, end - at);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(TextOut(line));
      at = end + 1;
    }
    return lines;
  }

 private:
  static uintmax_t Length(const std::string& path) {
    std::error_code error;
    const uintmax_t length = std::filesystem::file_size(path, error);
    return error ? 0 : length;
  }
  std::string path_;
  uintmax_t start_;
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
  if (error) record["error"] = *error;
  if (withoutSession) record["hint"] = kNoSession;
  if (!call.warnings.empty()) record["warnings"] = call.warnings;
  if (contract && !contract->falseMeans.empty() && record["result"] == false)
    record["result_means"] = contract->falseMeans;
  return record;
}

bool RecordFailed(const Json& record) {
  return record.contains("error") ||
         (record["result"] == false && !record.contains("result_means"));
}

}  // namespace ecfhost
