#include "ecfhost_runner.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "support/debug_log_reader.h"
#include "tov00300/datetime.h"
#include "tov00300/format.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

const Json& HostRun::Record(const std::string& op, int nth) const {
  for (const Json& r : records)
    if (r.value("op", "") == op && nth-- == 0) return r;
  ADD_FAILURE() << "no record " << nth << " of " << op << " in:\n" << out << err;
  static const Json missing = Json::object();
  return missing;
}

const Json& HostRun::At(size_t index) const {
  if (index < records.size()) return records[index];
  ADD_FAILURE() << "no record " << index << " in:\n" << out << err;
  static const Json missing = Json::object();
  return missing;
}

Json StartBag() {
  return {{"bag",
           {{"CDFILIAL", "001"},
            {"CDCAIXA", "001"},
            {"NRSERIEIMP", "DR0111BR000000000001"},
            {"ESQUEMA", "PADRAO"},
            {"CDPORTAIMPFIS", "COM1"},
            {"IDTIPOIMPFIS", 29},
            {"BOUTILTAA", false}}}};
}

Json StartCall() {
  return {{"op", "StartImpFiscal"}, {"args", Json::array({StartBag()})}};
}

void EcfhostTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.') c = '_';
  root_ = (fs::temp_directory_path() / ("ecfhost-e2e-" + std::to_string(getpid()) + "-" + name))
              .string();
  fs::remove_all(root_);
  hostDir_ = root_ + "/host";
  fs::create_directories(hostDir_ + "/drive");
  // The drive root is reached through a short link under /tmp, and lies in
  // the host folder: what the printer keeps there is copied, restored and
  // removed with the host folder. mkdtemp finds the link a name of its own.
  char link[] = "/tmp/tovdrv-XXXXXX";
  ASSERT_NE(mkdtemp(link), nullptr) << "cannot make a folder under /tmp";
  fs::remove(link);
  link_ = link;
  fs::create_directory_symlink(hostDir_ + "/drive", link_);
  driveRoot_ = link_ + "/";
}

void EcfhostTest::TearDown() {
  if (HasFailure()) {
    std::cerr << "The failed test's folders are kept: " << root_ << "\n";
    fs::remove(link_);
    return;
  }
  fs::remove_all(root_);
  fs::remove(link_);
}

void EcfhostTest::StartAfresh() {
  fs::remove_all(hostDir_);
  fs::create_directories(hostDir_ + "/drive");
}

std::string EcfhostTest::Environment() const {
  return "env -u TOV_REGISTRY -u TOV_DRIVER_LIBRARY -u TOV_HOST_DIR TOV_DRIVE_ROOT=" +
         Quote(driveRoot_);
}

std::string EcfhostTest::CommandLine(
    const std::vector<std::string>& arguments,
    const std::vector<std::pair<std::string, std::string>>& environment, std::string* outPath,
    std::string* errPath) {
  const std::string tag = std::to_string(++runs_);
  *outPath = (fs::path(root_) / ("out" + tag + ".txt")).string();
  *errPath = (fs::path(root_) / ("err" + tag + ".txt")).string();
  std::string command = Environment();
  for (const auto& [name, value] : environment) command += " " + name + "=" + Quote(value);
  command += " " + Quote(TOV_BUILD_BIN_DIR "/ecfhost");
  for (const std::string& a : arguments) command += " " + Quote(a);
  return command + " >" + Quote(*outPath) + " 2>" + Quote(*errPath);
}

HostRun EcfhostTest::Exec(const std::vector<std::string>& arguments, const std::string& inputPath,
                          const std::vector<std::pair<std::string, std::string>>& environment,
                          bool records) {
  std::string out, err;
  const std::string command = "timeout 300 " + CommandLine(arguments, environment, &out, &err) +
                              " <" + Quote(inputPath.empty() ? "/dev/null" : inputPath);
  return Collect(std::system(command.c_str()), out, err, records);
}

std::string EcfhostTest::Command(const std::string& scriptText,
                                 const std::vector<std::string>& extraArgs, std::string* outPath,
                                 std::string* errPath) {
  const fs::path script = fs::path(root_) / ("script" + std::to_string(runs_ + 1) + ".json");
  std::ofstream(script, std::ios::binary) << scriptText;
  // The run gets only its own folders: nothing of the environment the tests
  // run in may point it elsewhere.
  std::vector<std::string> arguments = {"run", script.string(), "--host-dir", hostDir_};
  arguments.insert(arguments.end(), extraArgs.begin(), extraArgs.end());
  return CommandLine(arguments, {}, outPath, errPath);
}

HostRun EcfhostTest::Collect(int status, const std::string& outPath, const std::string& errPath,
                             bool records) const {
  HostRun run;
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = ReadAll(outPath);
  run.err = ReadAll(errPath);
  if (!records) return run;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty()) continue;
    try {
      run.records.push_back(Json::parse(line));
    } catch (const std::exception& e) {
      ADD_FAILURE() << "not a JSON line: " << line;
    }
  }
  return run;
}

HostRun EcfhostTest::RunText(const std::string& scriptText,
                             const std::vector<std::string>& extraArgs) {
  std::string out, err;
  const std::string command = Command(scriptText, extraArgs, &out, &err);
  // Only the JSON form is read back; --pretty output is for people.
  const bool pretty = std::find(extraArgs.begin(), extraArgs.end(), "--pretty") != extraArgs.end();
  return Collect(std::system(command.c_str()), out, err, !pretty);
}

HostRun EcfhostTest::RunKilled(const Json& script, const std::function<bool()>& killNow) {
  std::string out, err;
  // exec: the shell becomes ecfhost, so the process killed is ecfhost itself.
  const std::string command = "exec " + Command(script.dump(2), {}, &out, &err);
  const pid_t child = fork();
  if (child == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  bool moment = false, ended = false;
  for (int i = 0; i < 12000 && !moment && !ended; ++i) {
    ended = waitpid(child, &status, WNOHANG) == child;
    moment = !ended && killNow();
    if (!moment) usleep(5000);
  }
  EXPECT_TRUE(moment) << "the till ended before the moment to kill it came";
  if (!ended) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  return Collect(status, out, err, true);
}

HostRun EcfhostTest::Run(const Json& script, const std::vector<std::string>& extraArgs) {
  return RunText(script.dump(2), extraArgs);
}

std::vector<std::string> EcfhostTest::DebugLog() const {
  const std::string path =
      hostDir_ + "/impdebug" + Tov00300::FormatDateTime("MMYY", Tov00300::DateTime::Now()) + ".txt";
  std::vector<std::string> texts;
  for (const auto& entry : tovtest::ReadDebugLogFile(path)) texts.push_back(entry.text);
  return texts;
}

bool EcfhostTest::DebugLogExists() const {
  for (const auto& entry : fs::directory_iterator(hostDir_))
    if (entry.path().filename().string().starts_with("impdebug")) return true;
  return false;
}

std::string EcfhostTest::Tape() const {
  if (!fs::exists(hostDir_)) return "";
  for (const auto& entry : fs::recursive_directory_iterator(hostDir_))
    if (entry.path().filename() == "bobina.txt") return ReadAll(entry.path());
  return "";
}

}  // namespace e2e
