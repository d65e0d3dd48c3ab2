// The C interface's library functions: version, last error, settings, the
// host's hooks, and the table of every declaration of the C header.
#include <optional>
#include <string>

#include "exports_boundary.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/tov00300_c.h"

using namespace Tov00300;
using namespace Tov00300::boundary;

namespace {

// The locale name the formats were last taken from.
std::string& LocaleName() {
  static std::string name = [] {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
      std::string value = platform::ProcessVariable(variable);
      if (!value.empty()) return value;
    }
    return std::string();
  }();
  return name;
}

[[noreturn]] void RefuseValue(const std::string& name, const std::string& value,
                              const std::string& why) {
  throw Refusal(TOV_ERR_ARGUMENT, "\"" + value + "\" cannot be " + name + ": " + why);
}

char OneCharacter(const std::string& name, const std::string& value) {
  if (value.size() != 1) RefuseValue(name, value, "one character expected");
  return value[0];
}

// A setting kept in an environment variable, so that every library of the
// process (the driver library included) reads the same value.
struct VariableSetting {
  const char* name;
  const char* variable;
  enum { kFolder, kFileInFolder, kFile } must;
};

constexpr VariableSetting kVariableSettings[] = {
    {"host_folder", "TOV_HOST_DIR", VariableSetting::kFolder},
    {"drive_root", "TOV_DRIVE_ROOT", VariableSetting::kFolder},
    {"registry", "TOV_REGISTRY", VariableSetting::kFileInFolder},
    {"driver_library", "TOV_DRIVER_LIBRARY", VariableSetting::kFile},
    {"signer_library", "TOV_SIGNER_LIBRARY", VariableSetting::kFile},
};

const VariableSetting* FindVariableSetting(const std::string& name) {
  for (const VariableSetting& setting : kVariableSettings) {
    if (name == setting.name) return &setting;
  }
  return nullptr;
}

void SetVariable(const VariableSetting& setting, const std::string& value) {
  if (!value.empty()) {
    const std::string path = platform::NativePath(value);
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const bool exists = setting.must == VariableSetting::kFolder ? platform::FolderExists(path)
                        : setting.must == VariableSetting::kFile ? platform::FileExists(path)
                                                                 : platform::FolderExists(folder);
    if (!exists) RefuseValue(setting.name, value, "no such file or folder");
  }
  platform::SetProcessVariable(setting.variable, value);
  // The folder globals follow the settings they come from, as at load.
  if (setting.must == VariableSetting::kFolder) Tov00300::Initialize();
}

std::string VariableValue(const VariableSetting& setting) {
  const std::string name = setting.name;
  if (name == "host_folder") return platform::HostFolder();
  if (name == "drive_root") return platform::DriveRoot();
  if (name == "registry") return platform::RegistryFile();
  return platform::ProcessVariable(setting.variable);  // "" is the library beside the package
}

void SetSetting(const std::string& name, const std::string& value) {
  if (const VariableSetting* setting = FindVariableSetting(name))
    return SetVariable(*setting, value);
  FormatSettings& formats = GlobalFormatSettings();
  if (name == "locale") {
    // By name alone: "pt_BR" needs no locale installed on the machine.
    formats =
        value.empty() ? FormatSettings::FromEnvironment() : FormatSettings::FromLocaleName(value);
    LocaleName() = value;
  } else if (name == "encoding") {
    const std::string upper = UpperCase(value);
    if (upper == "UTF-8" || upper == "UTF8") {
      SetUtf8Texts(true);
    } else if (upper.empty() || upper == "WINDOWS-1252" || upper == "CP1252") {
      SetUtf8Texts(false);
    } else {
      RefuseValue(name, value, "\"UTF-8\" or \"WINDOWS-1252\" expected");
    }
  } else if (name == "decimal_separator") {
    formats.decimalSeparator = OneCharacter(name, value);
  } else if (name == "thousand_separator") {
    formats.thousandSeparator = OneCharacter(name, value);
  } else if (name == "date_separator") {
    formats.dateSeparator = OneCharacter(name, value);
  } else if (name == "time_separator") {
    formats.timeSeparator = OneCharacter(name, value);
  } else if (name == "short_date_format") {
    formats.shortDateFormat = value;
  } else if (name == "long_time_format") {
    formats.longTimeFormat = value;
  } else if (name == "currency_string") {
    formats.currencyString = value;
  } else {
    throw Refusal(TOV_ERR_ARGUMENT, "no setting named \"" + name + "\"");
  }
}

// The value in effect; nullopt for an unknown name.
std::optional<std::string> GetSetting(const std::string& name) {
  if (const VariableSetting* setting = FindVariableSetting(name)) return VariableValue(*setting);
  const FormatSettings& formats = GlobalFormatSettings();
  if (name == "locale") return LocaleName();
  if (name == "encoding") return std::string(Utf8Texts() ? "UTF-8" : "WINDOWS-1252");
  if (name == "decimal_separator") return std::string(1, formats.decimalSeparator);
  if (name == "thousand_separator") return std::string(1, formats.thousandSeparator);
  if (name == "date_separator") return std::string(1, formats.dateSeparator);
  if (name == "time_separator") return std::string(1, formats.timeSeparator);
  if (name == "short_date_format") return formats.shortDateFormat;
  if (name == "long_time_format") return formats.longTimeFormat;
  if (name == "currency_string") return formats.currencyString;
  return std::nullopt;
}

// Every declaration of the C header, from the header's own lists.
#define TOV_DECLARATION(kind, result, name, params) kind "|" #result "|" #name "|" #params "\n"
#define TOV_FUNCTION_ROW(result, name, params) TOV_DECLARATION("function", result, name, params)
#define TOV_PLAIN_ROW(result, name, params) TOV_DECLARATION("plain", result, name, params)
#define TOV_HOOK_ROW(result, name, params) TOV_DECLARATION("hook", result, name, params)
#define TOV_TEXT_ROW(name) TOV_DECLARATION("text", char*, name, ())
#define TOV_SCALAR_ROW(type, name) TOV_DECLARATION("scalar", type, name, ())
constexpr char kDeclarations[] =
    TOV00300_HOOK_TYPES(TOV_HOOK_ROW) TOV00300_LIBRARY_FUNCTIONS(TOV_FUNCTION_ROW)
        TOV00300_VALUE_FUNCTIONS(TOV_FUNCTION_ROW) TOV00300_EXPORTED_TEXTS(TOV_TEXT_ROW)
            TOV00300_EXPORTED_SCALARS(TOV_SCALAR_ROW) TOV00300_PLAIN_NAMES(TOV_PLAIN_ROW);

}  // namespace

extern "C" {

const char* tov_version(void) {
  return TOV00300_VERSION;
}

int tov_last_error(const char** text) {
  if (text != nullptr) {
    thread_local std::string handed;
    handed = Utf8Texts() ? ErrorText() : Utf8ToCp1252(ErrorText());
    *text = handed.c_str();
  }
  return ErrorCode();
}

int tov_last_error_needed(void) {
  return ErrorNeeded();
}

bool tov_set_setting(const char* name, const char* value) {
  return Contain("tov_set_setting", false, [&] {
    // Paths go to the system as the host wrote them, whatever the encoding.
    if (name == nullptr) throw Refusal(TOV_ERR_ARGUMENT, "the setting's name is null");
    SetSetting(name, value != nullptr ? value : "");
    return true;
  });
}

int tov_get_setting(const char* name, char* buf, int bufSize) {
  return Contain("tov_get_setting", -1, [&] {
    if (name == nullptr) throw Refusal(TOV_ERR_ARGUMENT, "the setting's name is null");
    const std::optional<std::string> value = GetSetting(name);
    if (!value) {
      SetError(TOV_ERR_ARGUMENT, "tov_get_setting: no setting named \"" + std::string(name) + "\"");
      return -1;
    }
    return CopyLength(*value, buf, bufSize);
  });
}

void tov_set_dialog_hook(TovDialogHook hook, void* user) {
  if (hook == nullptr) return hostlib::SetDialogHandler(nullptr);
  hostlib::SetDialogHandler([hook, user](const hostlib::MessageRequest& r) {
    const std::string text = Out(r.text), detail = Out(r.detail), flag = Out(r.flag),
                      question = Out(r.question), reserved = Out(r.reserved),
                      context = Out(r.context);
    const int answer = hook(user, text.c_str(), detail.c_str(), flag.c_str(), question.c_str(),
                            r.type, reserved.c_str(), context.c_str(), r.number, r.dataSet);
    if (answer == 0 || answer == 1) return answer == 1;
    // Not an answer: "no" is what the package does without an operator, and
    // the host learns what its hook did.
    SetError(TOV_ERR_HOOK, "the dialog hook answered " + std::to_string(answer) + " to \"" +
                               Cp1252ToUtf8(r.text) +
                               "\"; 1 (yes) or 0 (no) expected, taken as no");
    return false;
  });
}

void tov_set_grava_cer_hook(TovGravaCERHook hook, void* user) {
  if (hook == nullptr) return hostlib::SetGravaCERHandler(nullptr);
  hostlib::SetGravaCERHandler(
      [hook, user](const std::string& a, const std::string& b, DateTime when) {
        const std::string textA = Out(a), textB = Out(b);
        const int id = hook(user, textA.c_str(), textB.c_str(), when.value);
        return id < 0 ? std::string() : std::to_string(id);
      });
}

void tov_set_document_hook(TovDocumentHook hook, void* user) {
  if (hook == nullptr) return hostlib::SetDocNaoFiscalHandler(nullptr);
  hostlib::SetDocNaoFiscalHandler([hook, user](const std::string& key, const std::string& number,
                                               const std::string& c28, const std::string& c33,
                                               const std::string& c45, const std::string& kind,
                                               const std::string& extra, DateTime recordedAt,
                                               DateTime fiscalDay, const std::string& text) {
    const std::string t[] = {Out(key), Out(number), Out(c28),   Out(c33),
                             Out(c45), Out(kind),   Out(extra), Out(text)};
    const int id =
        hook(user, t[0].c_str(), t[1].c_str(), t[2].c_str(), t[3].c_str(), t[4].c_str(),
             t[5].c_str(), t[6].c_str(), recordedAt.value, fiscalDay.value, t[7].c_str());
    return id < 0 ? Variant() : Variant(id);
  });
}

const char* tov_declarations(void) {
  return kDeclarations;
}

}  // extern "C"
