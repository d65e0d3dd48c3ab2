// Per-test isolation for tests of the package.
//
// PackageSandbox gives its owner a fresh temporary host folder, registry file
// and drive root (TOV_HOST_DIR, TOV_REGISTRY, TOV_DRIVE_ROOT; TOV_DRIVER_LIBRARY
// is unset), the package globals at their load values with the host's data
// folder (dsDiretorio) set to the host folder, no data module, the
// scripted driver and operator installed, the process FormatSettings set to
// pt_BR, and the system clock. Its destructor undoes all of it and removes
// the folders. PackageTest is the GoogleTest fixture around it.
#ifndef TOV00300_TESTS_SUPPORT_FIXTURE_H_
#define TOV00300_TESTS_SUPPORT_FIXTURE_H_

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "support/scripted_driver.h"
#include "support/scripted_operator.h"
#include "tov00300/datetime.h"
#include "tov00300/format.h"

namespace tovtest {

// The pt_BR settings: ',' decimal, '.' thousands, dd/mm/yyyy, hh:nn:ss, "R$".
Tov00300::FormatSettings PtBrFormatSettings();

// Makes DateTime::Now() answer `when` until ResetClock (or the sandbox ends).
void SetClock(Tov00300::DateTime when);
void ResetClock();

// Puts the exported globals back to their load values (the folders computed
// from the current environment) and forgets the data module.
void ResetPackageGlobals();

class PackageSandbox {
 public:
  PackageSandbox();
  ~PackageSandbox();
  PackageSandbox(const PackageSandbox&) = delete;
  PackageSandbox& operator=(const PackageSandbox&) = delete;

  const std::string& root() const { return root_; }
  const std::string& hostFolder() const { return hostFolder_; }
  const std::string& driveRoot() const { return driveRoot_; }
  const std::string& registryFile() const { return registryFile_; }

  // Sets an environment variable for the sandbox's lifetime.
  void SetEnv(const std::string& name, const std::string& value);
  void UnsetEnv(const std::string& name);

 private:
  void Remember(const std::string& name);

  std::string root_, hostFolder_, driveRoot_, registryFile_;
  std::map<std::string, std::optional<std::string>> savedEnv_;
  Tov00300::FormatSettings savedSettings_;
};

class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override { sandbox_ = std::make_unique<PackageSandbox>(); }
  void TearDown() override { sandbox_.reset(); }

  PackageSandbox& sandbox() { return *sandbox_; }
  ScriptedDriver& driver() { return ScriptedDriver::Get(); }
  ScriptedOperator& scriptedOperator() { return ScriptedOperator::Get(); }

 private:
  std::unique_ptr<PackageSandbox> sandbox_;
};

}  // namespace tovtest

#endif  // TOV00300_TESTS_SUPPORT_FIXTURE_H_
