// A till script: the operator's answers and the calls of one session, read
// from JSON and checked completely before the first call runs, so a script
// with a mistake makes no call at all.
//
//   {"answers": ["S", "N"], "locale": "pt_BR", "lenient": false,
//    "calls": [{"op": "StartImpFiscal", "args": [{"bag": {...}}]},
//              {"op": "sim", "command": "clock +16m"},
//              {"op": "set", "name": "stAtuFili", "value": "001"},
//              {"op": "get", "name": "IdTotParcCV"},
//              {"op": "driver", "name": "iCFAbrirPadrao_ECF_Daruma"},
//              {"op": "records"}]}
//
// "locale" (optional) sets the process's number and date formats as a host
// may, so a script's expected ',' or '.' does not depend on the environment.
#ifndef ECFHOST_SCRIPT_H_
#define ECFHOST_SCRIPT_H_

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dispatcher.h"

namespace ecfhost {

// A script that cannot run: not JSON, an unknown op, or arguments of the
// wrong number or kind. The text names the call's index and the problem.
class ScriptError : public std::runtime_error {
 public:
  explicit ScriptError(const std::string& what) : std::runtime_error(what) {}
};

// What a call may do besides running one of the package's operations as
// given. A script is the operator's own and may do everything; the service
// (serve.cpp) narrows it for the programs that connect to it.
struct CallPolicy {
  // Refuses nothing the contracts would: absent and unknown bag keys, value
  // types and data-set fields are left to the package's own rules, each
  // problem noted as a warning.
  bool lenient = false;
  // "sim" and "driver" act on the printer without the package: they may
  // reset the fiscal memory or leave a document open behind its back.
  bool printerControl = true;
  // Not empty: every file path a call hands the package, and every folder
  // global it sets, must lie inside this folder.
  std::string confineTo;
};

struct ScriptCall {
  std::string op;
  std::string comment;  // the call's "comment", shown above it in --pretty output
  std::unique_ptr<PreparedCall> prepared;
  // What the check noted without refusing the call: a value the package
  // converts from another form, or, in a lenient script, every problem.
  std::vector<std::string> warnings;
};

struct Script {
  std::deque<bool> answers;
  // "lenient": true refuses nothing: names, types and data sets reach the
  // package as given, each problem noted as a warning of its call.
  bool lenient = false;
  std::optional<std::string> locale;
  std::vector<ScriptCall> calls;
};

Script ParseScript(const std::string& text);
// "-" reads the script from standard input.
Script LoadScript(const std::string& path);
// One call object ({"op", "args", ...}) checked and prepared; `where` names
// it in the error ("calls[3]"). Throws ScriptError.
ScriptCall PrepareCall(const Json& call, const std::string& where, const CallPolicy& policy);
// The operator's answers ["S", "N", ...]; throws ScriptError.
std::deque<bool> AnswersIn(const Json& answers);

// The pseudo-operations (pseudo_ops.cpp): "sim" passes a command to the
// virtual printer; "get" and "set" read and write the package's exported
// globals, as a host does.
std::unique_ptr<PreparedCall> PrepareSim(const Json& call);
std::unique_ptr<PreparedCall> PrepareGet(const Json& call);
// A global that names a folder the package writes into is checked against
// `confineTo` when that is not empty.
std::unique_ptr<PreparedCall> PrepareSet(const Json& call, const std::string& confineTo);
// "driver" calls one driver entry point through the package's variable
// (driver_ops.cpp).
std::unique_ptr<PreparedCall> PrepareDriver(const Json& call);
// "records" lists the document register the record writers keep in the
// host folder: {"op": "records"} or {"op": "records", "table": "GravaCER"}
// (records.cpp).
std::unique_ptr<PreparedCall> PrepareRecords(const Json& call);

}  // namespace ecfhost

#endif  // ECFHOST_SCRIPT_H_
