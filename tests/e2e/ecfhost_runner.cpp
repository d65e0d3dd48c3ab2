#include "ecfhost_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
  fs::create_directories(hostDir_);
}

void EcfhostTest::TearDown() {
  if (!HasFailure()) fs::remove_all(root_);
}

HostRun EcfhostTest::RunText(const std::string& scriptText,
                             const std::vector<std::string>& extraArgs) {
  const std::string tag = std::to_string(++runs_);
  const fs::path script = fs::path(root_) / ("script" + tag + ".json");
  const fs::path out = fs::path(root_) / ("out" + tag + ".txt");
  const fs::path err = fs::path(root_) / ("err" + tag + ".txt");
  std::ofstream(script, std::ios::binary) << scriptText;
  // The run gets only its own folders: nothing of the environment the tests
  // run in may point it elsewhere.
  std::string command =
      "env -u TOV_REGISTRY -u TOV_DRIVE_ROOT -u TOV_DRIVER_LIBRARY -u TOV_HOST_DIR " +
      Quote(TOV_BUILD_BIN_DIR "/ecfhost") + " run " + Quote(script.string()) + " --host-dir " +
      Quote(hostDir_);
  for (const std::string& a : extraArgs) command += " " + Quote(a);
  command += " >" + Quote(out.string()) + " 2>" + Quote(err.string());
  const int status = std::system(command.c_str());
  HostRun run;
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  // Only the JSON form is read back; --pretty output is for people.
  if (std::find(extraArgs.begin(), extraArgs.end(), "--pretty") != extraArgs.end()) return run;
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
  for (const auto& entry : fs::recursive_directory_iterator(hostDir_))
    if (entry.path().filename() == "bobina.txt") return ReadAll(entry.path());
  return "";
}

}  // namespace e2e
