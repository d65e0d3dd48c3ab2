// Runs the built ecfhost on till scripts, each test in its own host folder
// (debug log, registry, control files and the virtual printer's files all
// live there), and reads back what the run left: the JSON records, the debug
// log, the paper tape and the control files.
#ifndef TOV00300_TESTS_E2E_ECFHOST_RUNNER_H_
#define TOV00300_TESTS_E2E_ECFHOST_RUNNER_H_

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

using Json = nlohmann::ordered_json;

struct HostRun {
  int exitStatus = -1;
  std::string out, err;
  std::vector<Json> records;  // one per call, in order

  // The n-th record (0-based) of the op; fails the test when absent.
  const Json& Record(const std::string& op, int nth = 0) const;
  // The record of the call at `index` in the script.
  const Json& At(size_t index) const;
};

// The start-parameter bag of the test till: branch 001, till 001, COM1.
Json StartBag();
Json StartCall();

class EcfhostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `ecfhost run` on the script (written to a file in the test folder)
  // with the host folder of this test.
  HostRun Run(const Json& script, const std::vector<std::string>& extraArgs = {});
  HostRun RunText(const std::string& scriptText, const std::vector<std::string>& extraArgs = {});
  // Runs the script as Run does, but kills ecfhost (SIGKILL) as soon as
  // `killNow` answers true, as a till killed at that moment; `killNow` is
  // asked every few milliseconds. Fails the test when the run ends first or
  // the moment does not come within a minute.
  HostRun RunKilled(const Json& script, const std::function<bool()>& killNow);

  // Runs ecfhost with these arguments, standard input from `inputPath` (none
  // when empty) and these variables added to the environment. Records are
  // read from standard output only when `records` is true.
  HostRun Exec(const std::vector<std::string>& arguments, const std::string& inputPath = "",
               const std::vector<std::pair<std::string, std::string>>& environment = {},
               bool records = false);
  // The start of every ecfhost command line of this test: none of the
  // machine's TOV_ variables, and this test's own drive root.
  std::string Environment() const;

  // Empties the host folder and the drive root: a new till on a new printer.
  void StartAfresh();

  const std::string& hostDir() const { return hostDir_; }
  // The drive root of this test's runs, where the virtual printer keeps its
  // folder: the host folder's drive/, reached through a short link under
  // /tmp, because the driver reports its folder in a reply of at most 100
  // characters, which a folder under a long $TMPDIR would not fit.
  const std::string& driveRoot() const { return driveRoot_; }
  // The work folder of this test (the host folder lies in it); kept when the
  // test fails.
  const std::string& workDir() const { return root_; }
  // This month's debug-log entries (texts only; an entry may hold CR LF).
  std::vector<std::string> DebugLog() const;
  bool DebugLogExists() const;
  // The virtual printer's paper tape (bobina.txt, wherever in the host
  // folder the printer keeps its files); "" when nothing was printed.
  std::string Tape() const;

 private:
  // The shell command of one ecfhost run and the files it reads and writes.
  std::string Command(const std::string& scriptText, const std::vector<std::string>& extraArgs,
                      std::string* outPath, std::string* errPath);
  std::string CommandLine(const std::vector<std::string>& arguments,
                          const std::vector<std::pair<std::string, std::string>>& environment,
                          std::string* outPath, std::string* errPath);
  HostRun Collect(int status, const std::string& outPath, const std::string& errPath,
                  bool records) const;

  std::string root_, hostDir_, driveRoot_, link_;
  int runs_ = 0;
};

}  // namespace e2e

#endif  // TOV00300_TESTS_E2E_ECFHOST_RUNNER_H_
