#include "support/fixture.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "session/printer_documents.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace tovtest {

namespace {

Tov00300::DateTime fixedNow;
Tov00300::DateTime FixedClock() {
  return fixedNow;
}

void ForgetLegacyEntryPoints() {
#define TOVTEST_FORGET(name, params) Tov00300::name = nullptr;
  TOV00300_LEGACY_ENTRY_POINTS(TOVTEST_FORGET)
#undef TOVTEST_FORGET
}

}  // namespace

Tov00300::FormatSettings PtBrFormatSettings() {
  return Tov00300::FormatSettings::FromLocaleName("pt_BR.UTF-8");
}

void SetClock(Tov00300::DateTime when) {
  fixedNow = when;
  Tov00300::SetClockForTesting(&FixedClock);
}

void ResetClock() {
  Tov00300::SetClockForTesting(nullptr);
}

void ResetPackageGlobals() {
  using namespace Tov00300;
  ImpFisDLLHandle = nullptr;  // a library loaded by a test stays loaded, unused
  boImpFiscalOK = false;
  boNUtilTaa = true;
  boClieUtil = false;
  inTipoImpFis = 0;
  inRetorno = 0;
  cdsAuxExtSimp = nullptr;
  delete dtmDaruma300;
  dtmDaruma300 = nullptr;
  Finalize();
  Initialize();
  ForgetLegacyEntryPoints();
  Tov00300::session::ForgetPrinterDocuments();
}

PackageSandbox::PackageSandbox() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tov00300-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed: " + pattern);
  root_ = pattern;
  hostFolder_ = root_ + "/host";
  driveRoot_ = root_ + "/drive/";
  registryFile_ = root_ + "/registry.ini";
  std::filesystem::create_directories(hostFolder_);
  std::filesystem::create_directories(driveRoot_);

  SetEnv("TOV_HOST_DIR", hostFolder_);
  SetEnv("TOV_DRIVE_ROOT", driveRoot_);
  SetEnv("TOV_REGISTRY", registryFile_);
  UnsetEnv("TOV_DRIVER_LIBRARY");

  savedSettings_ = Tov00300::GlobalFormatSettings();
  Tov00300::GlobalFormatSettings() = PtBrFormatSettings();
  ResetClock();
  ResetPackageGlobals();
  // The host's data folder, as a host sets it: what the package writes there
  // (the Z-reduction exports, for one) stays in this test's own folder.
  Tov00300::dsDiretorio = hostFolder_ + "/";
  ScriptedDriver::Get().Install();
  ScriptedOperator::Get().Install();
}

PackageSandbox::~PackageSandbox() {
  ScriptedOperator::Get().Uninstall();
  ScriptedDriver::Get().Uninstall();
  ResetClock();
  Tov00300::GlobalFormatSettings() = savedSettings_;
  for (const auto& [name, value] : savedEnv_) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
  ResetPackageGlobals();
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void PackageSandbox::Remember(const std::string& name) {
  if (savedEnv_.count(name)) return;
  const char* value = std::getenv(name.c_str());
  savedEnv_[name] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

void PackageSandbox::SetEnv(const std::string& name, const std::string& value) {
  Remember(name);
  setenv(name.c_str(), value.c_str(), 1);
}

void PackageSandbox::UnsetEnv(const std::string& name) {
  Remember(name);
  unsetenv(name.c_str());
}

}  // namespace tovtest
