// ecfhost: runs a till script against the package, as a point-of-sale host
// would, and prints what every call did.
//
//   ecfhost run SCRIPT.json [--host-dir DIR] [--driver PATH] [--pretty]
//   ecfhost ops
//   ecfhost records [--host-dir DIR] [--table DocNaoFiscaisECF|GravaCER] [--pretty]
//
// Exit status: 0 when the script ran (whatever the calls answered), 2 for a
// bad command line or a script that cannot run (nothing is called then).
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "operator.h"
#include "output.h"
#include "script.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"

namespace {

using namespace ecfhost;

constexpr int kBadUse = 2;

struct Options {
  std::string script;
  std::string table = "DocNaoFiscaisECF";  // for `records`
  std::optional<std::string> hostDir;
  std::optional<std::string> driver;
  bool pretty = false;
};

int Usage(const std::string& problem) {
  if (!problem.empty()) std::cerr << "ecfhost: " << problem << "\n";
  std::cerr << "usage: ecfhost run SCRIPT.json [--host-dir DIR] [--driver PATH] [--pretty]\n"
               "       ecfhost ops\n"
               "       ecfhost records [--host-dir DIR] [--table NAME] [--pretty]\n";
  return kBadUse;
}

std::optional<Options> ParseOptions(int argc, char** argv, std::string& problem, bool needsScript) {
  Options o;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](const char* name) -> std::optional<std::string> {
      if (i + 1 >= argc) {
        problem = std::string(name) + " needs a value";
        return std::nullopt;
      }
      return std::string(argv[++i]);
    };
    if (a == "--pretty") {
      o.pretty = true;
    } else if (a == "--host-dir") {
      if (!(o.hostDir = value("--host-dir"))) return std::nullopt;
    } else if (a == "--table" && !needsScript) {
      if (auto table = value("--table")) {
        o.table = *table;
      } else {
        return std::nullopt;
      }
    } else if (a == "--driver") {
      if (!(o.driver = value("--driver"))) return std::nullopt;
    } else if (a.starts_with("--") || !o.script.empty() || !needsScript) {
      problem = "unexpected argument " + a;
      return std::nullopt;
    } else {
      o.script = a;
    }
  }
  if (needsScript && o.script.empty()) {
    problem = "no script given";
    return std::nullopt;
  }
  return o;
}

void SetEnvDefault(const char* name, const std::string& value) {
  const char* current = std::getenv(name);
  if (!current || !*current) setenv(name, value.c_str(), 1);
}

// The package reads its folders from the environment when it loads, which
// happens before main; set them, then run its load step again so DsDirCad
// and DsDirDrive follow. The registry and the drive root default to places
// inside the host folder so that a run never touches the machine's own.
void PrepareHostFolder(const Options& o) {
  namespace fs = std::filesystem;
  std::string hostDir;
  if (o.hostDir) {
    hostDir = *o.hostDir;
  } else if (const char* env = std::getenv("TOV_HOST_DIR"); env && *env) {
    hostDir = env;
  } else {
    hostDir = fs::current_path().string();
  }
  hostDir = fs::absolute(hostDir).lexically_normal().string();
  while (hostDir.size() > 1 && hostDir.back() == '/') hostDir.pop_back();
  if (!Tov00300::platform::CreateFolder(hostDir))
    throw std::runtime_error("cannot create the host folder " + hostDir);
  setenv("TOV_HOST_DIR", hostDir.c_str(), 1);
  SetEnvDefault("TOV_REGISTRY", Tov00300::platform::JoinPath(hostDir, "registry.ini"));
  if (const char* drive = std::getenv("TOV_DRIVE_ROOT"); !drive || !*drive) {
    const std::string root = Tov00300::platform::JoinPath(hostDir, "drive");
    Tov00300::platform::CreateFolder(root);
    setenv("TOV_DRIVE_ROOT", (root + "/").c_str(), 1);
  }
  if (o.driver) setenv("TOV_DRIVER_LIBRARY", fs::absolute(*o.driver).lexically_normal().c_str(), 1);
  Tov00300::Initialize();
}

int ListOperations() {
  for (const Operation& op : Operations()) {
    std::cout << op.name << "(";
    for (size_t i = 0; i < op.parameterKinds.size(); ++i)
      std::cout << (i ? ", " : "") << op.parameterKinds[i];
    std::cout << ") -> " << op.resultKind << "\n";
  }
  std::cout << "sim {\"command\"} -> integer\nget {\"name\"} -> value\n"
               "set {\"name\", \"value\"} -> none\n"
               "driver {\"name\", \"args\"} -> integer (a driver entry point)\n"
               "records {\"table\"} -> integer (rows of the document register)\n";
  return 0;
}

// Prints the document register the host folder holds, as a call's record.
int ListRecords(const Options& o) {
  Json record = {{"op", "records"}, {"result", nullptr}};
  try {
    PrepareHostFolder(o);
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

int Run(const Options& o) {
  Script script;
  try {
    script = LoadScript(o.script);
  } catch (const ScriptError& e) {
    std::cerr << "ecfhost: " << o.script << ": " << e.what() << "\n";
    return kBadUse;
  }
  try {
    PrepareHostFolder(o);
  } catch (const std::exception& e) {
    std::cerr << "ecfhost: " << e.what() << "\n";
    return kBadUse;
  }
  if (script.locale)
    Tov00300::GlobalFormatSettings() = Tov00300::FormatSettings::FromLocaleName(*script.locale);

  Operator till(std::move(script.answers));
  till.Install();
  for (size_t i = 0; i < script.calls.size(); ++i) {
    ScriptCall& call = script.calls[i];
    Json record = {{"op", call.op}, {"result", nullptr}};
    std::optional<std::string> error;
    try {
      record["result"] = call.prepared->Run();
    } catch (const std::exception& e) {
      error = Tov00300::Cp1252ToUtf8(e.what());
    } catch (...) {
      error = "an exception that is not a std::exception";
    }
    record["args"] = call.prepared->Args();
    record["messages"] = till.TakeMessages();
    if (error) record["error"] = *error;
    if (o.pretty) {
      if (!call.comment.empty()) std::cout << "# " << call.comment << "\n";
      PrintPretty(std::cout, i, record);
    } else {
      PrintJsonLine(std::cout, record);
    }
    std::cout.flush();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage("");
  const std::string command = argv[1];
  if (command == "ops") return ListOperations();
  if (command != "run" && command != "records") return Usage("unknown command " + command);
  std::string problem;
  const auto options = ParseOptions(argc, argv, problem, command == "run");
  if (!options) return Usage(problem);
  return command == "run" ? Run(*options) : ListRecords(*options);
}
