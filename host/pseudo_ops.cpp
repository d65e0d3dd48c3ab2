// The script's pseudo-operations: "sim" (a command to the virtual printer)
// and "get"/"set" (the package's exported globals, as a host reads and sets
// them).
#include <map>
#include <span>
#include <variant>

#include "contracts.h"
#include "plain_names.h"
#include "script.h"
#include "tov00300/driver_api.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace ecfhost {

namespace platform = Tov00300::platform;

namespace {

// ---- sim --------------------------------------------------------------------

// The driver library the package binds: $TOV_DRIVER_LIBRARY, else the one
// beside the package. Loading it here gives the package the same copy later,
// so commands sent before the session starts reach the printer it will use.
SimControlFunction SimControl() {
  const std::string path =
      platform::LibraryPath("TOV_DRIVER_LIBRARY", PackageFolder(), "libDarumaFrameWork.so");
  static constexpr const char* kNames[] = {TOV00300_SIM_CONTROL_NAME};
  void* address = nullptr;
  platform::LibraryHandle library = nullptr;
  std::string error;
  if (!platform::BindLibrary(path, library, kNames, std::span<void*>(&address, 1), error)) {
    throw std::runtime_error("the driver library: " + error +
                             (library != nullptr ? " (it is not the virtual printer)" : ""));
  }
  return reinterpret_cast<SimControlFunction>(address);
}

class SimCall : public PreparedCall {
 public:
  explicit SimCall(std::string command) : command_(std::move(command)) {}
  Json Run() override {
    const int code = SimControl()(command_.c_str());
    understood_ = code != -2;
    return code;
  }
  Json Args() const override { return Json::array({TextOut(command_)}); }
  std::optional<std::string> Problem() const override {
    if (understood_) return std::nullopt;
    return "the virtual printer did not understand \"" + Tov00300::Cp1252ToUtf8(command_) +
           "\"; it understands: " + kSimVocabulary;
  }

 private:
  // The commands of simControl_Daruma (sim/README.md), for a script that
  // misspelt one: the printer itself answers only -2.
  static constexpr const char* kSimVocabulary =
      "power off|on; port busy|free; clock 0|+16m|-15m|+1h5m|+1d|-30s; "
      "fail ENTRY_POINT CODE [once|N|always]; fail ENTRY_POINT off; status ERROR WARNING; "
      "paper low|ok|out; line BAUD|off; drawer open|closed; memory N; "
      "durability off|on|sync; reset; reload";
  std::string command_;
  bool understood_ = true;
};

// ---- globals ----------------------------------------------------------------

using GlobalRef = std::variant<std::string*, bool*, int*>;

const std::map<std::string, GlobalRef>& Globals() {
  using namespace Tov00300;
  static const std::map<std::string, GlobalRef> globals = {
      {"boImpFiscalOK", &boImpFiscalOK},
      {"boNUtilTaa", &boNUtilTaa},
      {"boClieUtil", &boClieUtil},
      {"inTipoImpFis", &inTipoImpFis},
      {"inRetorno", &inRetorno},
      {"stRetorno", &stRetorno},
      {"stImpDebug", &stImpDebug},
      {"stMensagemTaa", &stMensagemTaa},
      {"stNrCupom", &stNrCupom},
      {"stCupomFin", &stCupomFin},
      {"DsDirCad", &DsDirCad},
      {"DsDirDrive", &DsDirDrive},
      {"dsDiretorio", &dsDiretorio},
      {"stAtuFili", &stAtuFili},
      {"stAtuCaixa", &stAtuCaixa},
      {"stSerieAtu", &stSerieAtu},
      {"IdTotParcCV", &IdTotParcCV},
      {"IdTotRelatorio", &IdTotRelatorio},
      {"IdTotCompCred", &IdTotCompCred},
      {"IdTotParcVCons", &IdTotParcVCons},
      {"IdTotCancCred", &IdTotCancCred},
      {"CdFormPagCPess", &CdFormPagCPess},
      {"IdFormPagCPess", &IdFormPagCPess},
      {"DsFormPagCPess", &DsFormPagCPess},
      {"CdFormPagVCons", &CdFormPagVCons},
      {"DsFormPagVCons", &DsFormPagVCons},
  };
  return globals;
}

const GlobalRef& FindGlobal(const Json& call) {
  if (!call.contains("name") || !call["name"].is_string())
    throw ArgumentError("\"name\" (a text) names the global");
  const std::string name = call["name"].get<std::string>();
  auto found = Globals().find(name);
  if (found == Globals().end()) {
    std::string known;
    for (const auto& [n, ref] : Globals()) known += (known.empty() ? "" : ", ") + n;
    throw ArgumentError("no global named " + name + " (known: " + known + ")");
  }
  return found->second;
}

Json GlobalValue(const GlobalRef& ref) {
  if (auto* text = std::get_if<std::string*>(&ref)) return TextOut(**text);
  if (auto* flag = std::get_if<bool*>(&ref)) return **flag;
  return *std::get<int*>(ref);
}

class GetCall : public PreparedCall {
 public:
  GetCall(std::string name, GlobalRef ref) : name_(std::move(name)), ref_(ref) {}
  Json Run() override { return GlobalValue(ref_); }
  Json Args() const override { return Json::array({name_}); }

 private:
  std::string name_;
  GlobalRef ref_;
};

class SetCall : public PreparedCall {
 public:
  SetCall(std::string name, GlobalRef ref, Json value)
      : name_(std::move(name)), ref_(ref), value_(std::move(value)) {}
  Json Run() override {
    if (auto* text = std::get_if<std::string*>(&ref_)) **text = TextIn(value_);
    if (auto* flag = std::get_if<bool*>(&ref_)) **flag = value_.get<bool>();
    if (auto* number = std::get_if<int*>(&ref_)) **number = value_.get<int>();
    return nullptr;
  }
  Json Args() const override { return Json::array({name_, GlobalValue(ref_)}); }

 private:
  std::string name_;
  GlobalRef ref_;
  Json value_;
};

}  // namespace

std::unique_ptr<PreparedCall> PrepareSim(const Json& call) {
  if (!call.contains("command") || !call["command"].is_string())
    throw ArgumentError("\"command\" (a text) is the virtual printer's command");
  return std::make_unique<SimCall>(TextIn(call["command"]));
}

std::unique_ptr<PreparedCall> PrepareGet(const Json& call) {
  const GlobalRef& ref = FindGlobal(call);
  return std::make_unique<GetCall>(call["name"].get<std::string>(), ref);
}

std::unique_ptr<PreparedCall> PrepareSet(const Json& call, const std::string& confineTo) {
  const GlobalRef& ref = FindGlobal(call);
  if (!call.contains("value")) throw ArgumentError("\"value\" is the global's new value");
  const Json& value = call["value"];
  const bool fits = std::holds_alternative<std::string*>(ref) ? value.is_string()
                    : std::holds_alternative<bool*>(ref)      ? value.is_boolean()
                                                              : value.is_number_integer();
  if (!fits) throw ArgumentError("\"value\" does not fit the global: got " + DescribeJson(value));
  // The folders the package writes its files into.
  const std::string name = call["name"].get<std::string>();
  if (!confineTo.empty() && (name == "DsDirCad" || name == "DsDirDrive" || name == "dsDiretorio"))
    CheckInsideFolder(TextIn(value), confineTo, name);
  return std::make_unique<SetCall>(call["name"].get<std::string>(), ref, value);
}

}  // namespace ecfhost
