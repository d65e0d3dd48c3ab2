// The legal files through ecfhost against the virtual printer, where a till
// killed while signing or calls in the same second are concerned (the files
// of each operation, their signatures and ranges are cases in
// cases/legal_files): a file is signed only when the call has just put it in
// place.
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "case_data.h"
#include "ecfhost_runner.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

std::string DateText(int daysFromToday, const char* format) {
  std::time_t t = std::time(nullptr) + daysFromToday * 86400;
  char text[16];
  std::strftime(text, sizeof text, format, std::localtime(&t));
  return text;
}
std::string Today() {
  return DateText(0, "%d/%m/%Y");
}

Json Call(const std::string& op, Json args = Json::array()) {
  return {{"op", op}, {"args", std::move(args)}};
}
Json Get(const std::string& name) {
  return {{"op", "get"}, {"name", name}};
}
Json List(Json values) {
  return {{"array", std::move(values)}};
}
Json MirrorList(const std::string& start, const std::string& end) {
  return List({0, 0, 0, 0, 0, 0, start, end, "1"});
}

class LegalFilesTest : public EcfhostTest {
 protected:
  // Yesterday closed with a Z, today one non-fiscal receipt and a Z, the
  // session open, the fiscal-menu folder made: what the legal files read (the
  // day the legal-file cases share).
  Json Day(std::vector<Json> legalCalls) {
    Json calls = cases::CaseFragment("legal_files", "day", {});
    calls.push_back(cases::CaseFragment("legal_files", "menu_folder", {}));
    for (Json& c : legalCalls) calls.push_back(std::move(c));
    return {{"locale", "pt_BR"}, {"calls", calls}};
  }

  fs::path Menu() const { return fs::path(hostDir()) / "Dados" / "MenuFiscal"; }

  // The files of the folder whose names start with `prefix`, in name order.
  static std::vector<fs::path> FilesStarting(const fs::path& folder, const std::string& prefix) {
    std::vector<fs::path> out;
    if (!fs::exists(folder)) return out;
    for (const auto& e : fs::directory_iterator(folder))
      if (e.path().filename().string().starts_with(prefix)) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
  }

  // ead-verify's verdict, as the shop or the auditor runs it from the shell.
  static bool Verifies(const fs::path& file) {
    const std::string command =
        std::string(TOV_BUILD_BIN_DIR "/ead-verify '") + file.string() + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }
};

// Killed after a legal file is put in place, before its signature ends: the
// signing library is a pipe nobody writes to, so the till stops exactly
// there. No file the host hands out is left unsigned; the next call signs.
TEST_F(LegalFilesTest, TillKilledWhileSigningLeavesNoUnsignedFileUnderItsName) {
  const std::string today = Today();
  const struct {
    Json call;
    const char* prefix;
  } kCases[] = {
      {Call("EmiteLeituraMemoriaFiscalSerial",
            {List({"PADRAO", today, today, "s", "DATA"}), nullptr}),
       "LMFS_"},
      {Call("geraEspelhoMfd", {MirrorList(today, today), nullptr}), "Espelho_MFD_"},
      {Call("Gera_ArquivoMFD", {List({"D", today, today, "", "LOJA01"}), nullptr}), "LOJA01_"},
  };
  const std::string pipe = workDir() + "/signer-pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.prefix);
    StartAfresh();
    setenv("TOV_SIGNER_LIBRARY", pipe.c_str(), 1);
    RunKilled(Day({c.call}), [&] { return !FilesStarting(Menu(), "").empty(); });
    unsetenv("TOV_SIGNER_LIBRARY");
    EXPECT_TRUE(FilesStarting(Menu(), c.prefix).empty());

    const HostRun next = Run({{"calls", {StartCall(), c.call}}});
    EXPECT_EQ(next.Record(c.call["op"])["result"], true) << next.out;
    const auto files = FilesStarting(Menu(), c.prefix);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(Verifies(files[0]));
  }
  fs::remove(pipe);
}

// Files made within one second share their name: the later call fails and
// the earlier file, already handed out, keeps its one valid signature.
TEST_F(LegalFilesTest, SameSecondFilesAreNotSignedTwice) {
  const std::string today = Today();
  const Json reading = Call("EmiteLeituraMemoriaFiscalSerial",
                            {List({"PADRAO", today, today, "s", "DATA"}), nullptr});
  const Json mirror = Call("geraEspelhoMfd", {MirrorList(today, today), nullptr});
  std::vector<Json> calls;
  for (int i = 0; i < 4; ++i) calls.insert(calls.end(), {reading, Get("inRetorno")});
  for (int i = 0; i < 4; ++i) calls.insert(calls.end(), {mirror, Get("inRetorno")});
  const HostRun run = Run(Day(calls));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (const auto& [op, prefix] : {std::pair{"EmiteLeituraMemoriaFiscalSerial", "LMFS_"},
                                   std::pair{"geraEspelhoMfd", "Espelho_MFD_"}}) {
    SCOPED_TRACE(op);
    int made = 0;
    for (int i = 0; i < 4; ++i) made += run.Record(op, i)["result"] == true;
    // Four calls within at most three distinct seconds: at least one clash.
    EXPECT_LT(made, 4);
    const auto files = FilesStarting(Menu(), prefix);
    EXPECT_EQ(files.size(), static_cast<size_t>(made));
    for (const fs::path& f : files) EXPECT_TRUE(Verifies(f)) << f;
  }
  // Signing the earlier file again would have left the signer's refusal code.
  for (int i = 0; i < 8; ++i) EXPECT_EQ(run.Record("get", i)["result"], 1) << i;
}

}  // namespace
}  // namespace e2e
