// Runs the till-day cases of tests/e2e/cases, one test per case file (its
// folder names the suite, its file the test): each run of the case through
// ecfhost in the test's own host folder, then everything the case expects
// checked against what the run left.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "case_data.h"
#include "case_views.h"
#include "ecfhost_runner.h"
#include "tov00300/format.h"

namespace e2e::cases {
namespace {

namespace fs = std::filesystem;

const fs::path kCases = TOV_SOURCE_DIR "/tests/e2e/cases";

Json ReadJson(const fs::path& path) {
  return ReadCaseFile(path.string());
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CaseError("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The first ```json block after `heading` in a Markdown file.
std::string JsonBlockAfter(const std::string& markdown, const std::string& heading) {
  const size_t section = markdown.find(heading);
  const size_t start = markdown.find("```json\n", section);
  const size_t end = markdown.find("\n```", start + 8);
  if (section == std::string::npos || start == std::string::npos || end == std::string::npos)
    throw CaseError("no JSON example after \"" + heading + "\"");
  return markdown.substr(start + 8, end - start - 8);
}

class CaseTest : public EcfhostTest {
 public:
  explicit CaseTest(fs::path file) : file_(std::move(file)) {}

  void TestBody() override {
    try {
      const Json theCase = Load();
      const Json runs = theCase.contains("runs") ? theCase["runs"] : Json::array({theCase});
      if (theCase.contains("driver_folder")) UseDriverFolder(theCase["driver_folder"]);
      for (size_t i = 0; i < runs.size(); ++i) RunAndCheck(runs[i], i);
    } catch (const CaseError& e) {
      FAIL() << fs::relative(file_, kCases).string() << ": " << e.what();
    }
  }

 private:
  // The case with its fragments in place and its tokens replaced.
  Json Load() {
    Json raw = ReadJson(file_);
    const fs::path folderFragments = file_.parent_path() / "fragments.json";
    const Json shared = ReadJson(kCases / "fragments.json");
    const Json folder = fs::exists(folderFragments) ? ReadJson(folderFragments) : Json::object();
    const Json own = raw.value("fragments", Json::object());
    raw.erase("fragments");
    Json expanded = Expand(raw, Fragments{{&own, &folder, &shared, &PackageFragments()}});
    tokens_ = {{"HOST", hostDir()},
               {"WORK", workDir()},
               {"DRIVE", driveRoot()},
               {"SOURCE", TOV_SOURCE_DIR},
               {"BIN", TOV_BUILD_BIN_DIR}};
    tokens_["DRIVER"] = expanded.contains("driver_folder")
                            ? Substitute(expanded["driver_folder"], tokens_).get<std::string>()
                            : driveRoot() + "Daruma/";
    return Substitute(expanded, tokens_);
  }

  // The driver's folder where the registry says, instead of the drive
  // root's Daruma folder.
  void UseDriverFolder(const std::string& folder) {
    std::ofstream(fs::path(hostDir()) / "registry.ini")
        << "[Software\\DarumaFramework]\nLocalArquivos=" << folder << "\n";
  }

  // The script of the run as ecfhost reads it, and the expectations of its
  // calls (by the call's index) taken out of it.
  std::string Script(const Json& run, std::vector<Json>* callExpectations) {
    if (run.contains("script_file")) {
      const std::string text = ReadText(InFolder(TOV_SOURCE_DIR, run["script_file"]));
      return run.contains("section") ? JsonBlockAfter(text, run["section"]) : text;
    }
    if (run.contains("script_text")) return run["script_text"].get<std::string>();
    if (!run.contains("script")) return "";
    Json script = run["script"];
    if (script.contains("calls") && script["calls"].is_array()) {
      for (Json& call : script["calls"]) {
        callExpectations->push_back(call.is_object() ? call.value("expect", Json()) : Json());
        if (call.is_object()) call.erase("expect");
      }
    }
    return script.dump(2);
  }

  std::string WriteInput(const std::string& name, const std::string& text) {
    const std::string path = (fs::path(workDir()) / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  void RunAndCheck(const Json& run, size_t index) {
    for (const Json& step : run.value("setup", Json::array())) PrepareFiles(step, hostDir());
    std::vector<Json> callExpectations;
    const std::string tag = std::to_string(index + 1);
    const std::string script = Script(run, &callExpectations);
    std::vector<std::string> arguments;
    std::string input;
    if (run.contains("command")) {
      arguments = run["command"].get<std::vector<std::string>>();
      if (!script.empty()) input = WriteInput("script" + tag + ".json", script);
    } else {
      arguments = {"run", WriteInput("script" + tag + ".json", script), "--host-dir", hostDir()};
    }
    for (const std::string& a : run.value("args", std::vector<std::string>{}))
      arguments.push_back(a);
    if (run.contains("stdin_lines")) {
      std::string lines;
      for (Json line : run["stdin_lines"]) {
        callExpectations.push_back(line.is_object() ? line.value("expect", Json()) : Json());
        if (line.is_object()) line.erase("expect");
        lines += (line.is_string() ? line.get<std::string>() : line.dump()) + "\n";
      }
      input = WriteInput("input" + tag + ".txt", lines);
    }
    std::vector<std::pair<std::string, std::string>> environment;
    const Json env = run.value("env", Json::object());
    for (const auto& [name, value] : env.items())
      environment.emplace_back(name, value.get<std::string>());
    const bool records =
        (arguments[0] == "run" || arguments[0] == "serve") &&
        std::find(arguments.begin(), arguments.end(), "--pretty") == arguments.end();

    const size_t tapeBefore = Tape().size();
    const HostRun result = Exec(arguments, input, environment, records);

    std::vector<std::string> why;
    Check(run.value("expect", Json::object()), callExpectations, result, tapeBefore, &why);
    if (why.empty()) return;
    std::string report = fs::relative(file_, kCases).string() + ", run " + tag;
    if (run.contains("comment")) report += " (" + run["comment"].get<std::string>() + ")";
    report += ": ecfhost";
    for (const std::string& a : arguments) report += " " + a;
    for (const std::string& line : why) report += "\n  " + line;
    if (!result.err.empty()) report += "\n  standard error: " + Show(result.err, 2000);
    ADD_FAILURE() << report;
  }

  void Check(const Json& expect, const std::vector<Json>& calls, const HostRun& result,
             size_t tapeBefore, std::vector<std::string>* why) {
    const Json expected = WithFileTexts(expect, hostDir(), why);
    Match(expected.value("exit", Json(0)), result.exitStatus, "exit", why);
    const Json records(result.records);
    for (size_t i = 0; i < calls.size(); ++i) {
      if (calls[i].is_null()) continue;
      const std::string path = "records[" + std::to_string(i) + "]";
      if (i >= records.size()) {
        why->push_back(path + ": no record (" + std::to_string(records.size()) + " in all)");
      } else {
        Match(calls[i], records[i], path + " " + records[i].value("op", ""), why);
      }
    }
    for (const auto& [view, wanted] : expected.items()) {
      if (view == "exit") continue;
      if (view == "records") {
        Match(wanted, records, view, why);
      } else if (view == "calls") {
        for (const auto& [selector, record] : wanted.items())
          CheckCall(selector, record, records, why);
      } else if (view == "stdout") {
        Match(wanted, result.out, view, why);
      } else if (view == "stderr") {
        Match(wanted, result.err, view, why);
      } else if (view == "log") {
        Json entries = Json::array();
        for (const std::string& entry : DebugLog())
          entries.push_back(Tov00300::Cp1252ToUtf8(entry));
        Match(wanted, entries, view, why);
      } else if (view == "tape") {
        Match(wanted, Tape(), view, why);
      } else if (view == "tape_of_run") {
        const std::string tape = Tape();
        Match(wanted, tape.substr(std::min(tapeBefore, tape.size())), view, why);
      } else if (view == "document_register") {
        Match(wanted, DocumentRegister(hostDir()), view, why);
      } else if (view == "files" || view == "control_file") {
        for (const auto& [path, files] : wanted.items()) {
          const Json seen = view == "files" ? FilesMatching(hostDir(), path, files)
                                            : ControlFileRows(InFolder(hostDir(), path));
          Match(files, seen, view + "[" + path + "]", why);
        }
      } else {
        throw CaseError("unknown expectation \"" + view + "\"");
      }
    }
  }

  // "OP" is the first record of that operation, "OP#N" the N-th (from 0).
  static void CheckCall(const std::string& selector, const Json& expected, const Json& records,
                        std::vector<std::string>* why) {
    const size_t hash = selector.find('#');
    const std::string op = selector.substr(0, hash);
    size_t nth = hash == std::string::npos ? 0 : std::stoul(selector.substr(hash + 1));
    for (size_t i = 0; i < records.size(); ++i) {
      if (records[i].value("op", "") != op || nth-- != 0) continue;
      Match(expected, records[i], "records[" + std::to_string(i) + "] " + selector, why);
      return;
    }
    why->push_back("calls: no record " + selector);
  }

  fs::path file_;
  std::map<std::string, std::string> tokens_;
};

// Every case file, registered before the tests are listed or run.
[[maybe_unused]] const bool kRegistered = [] {
  if (!fs::is_directory(kCases)) return false;
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(kCases)) {
    const fs::path& path = entry.path();
    if (path.extension() == ".json" && path.filename() != "fragments.json" &&
        path.parent_path() != kCases)
      files.push_back(path);
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    const std::string suite = fs::relative(file.parent_path(), kCases).string();
    ::testing::RegisterTest(suite.c_str(), file.stem().c_str(), nullptr, nullptr, __FILE__,
                            __LINE__, [file]() -> EcfhostTest* { return new CaseTest(file); });
  }
  return true;
}();

}  // namespace
}  // namespace e2e::cases
