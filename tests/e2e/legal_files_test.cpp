// The legal files through ecfhost against the virtual printer: each text
// file lands in the host's fiscal-menu folder signed (checked from the shell
// with ead-verify and the shipped public key), the binary files are the
// driver's own bytes, the ranges reach the driver as the debug log shows, and
// a file is signed only when the call has just put it in place.
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sqlite3.h>
#include <sys/stat.h>

#include "ecfhost_runner.h"
#include "tov00300/format.h"

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
Json Sim(const std::string& command) {
  return {{"op", "sim"}, {"command", command}};
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

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class LegalFilesTest : public EcfhostTest {
 protected:
  // The driver folder goes where the registry says, at a short path of its
  // own: its files are read through the driver's 100-character reply, which
  // a folder under a long temporary path would not fit.
  void SetUp() override {
    EcfhostTest::SetUp();
    char pattern[] = "/tmp/tovdrv-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    shortFolder_ = pattern;
    UseDriverFolder(shortFolder_ + "/");
  }
  void TearDown() override {
    fs::remove_all(shortFolder_);
    EcfhostTest::TearDown();
  }
  void UseDriverFolder(const std::string& folder) {
    driverFolder_ = folder;
    std::ofstream(fs::path(hostDir()) / "registry.ini")
        << "[Software\\DarumaFramework]\nLocalArquivos=" << folder << "\n";
  }

  // Yesterday closed with a Z, today one non-fiscal receipt and a Z, the
  // session open, the fiscal-menu folder made: what the legal files read.
  Json Day(std::vector<Json> legalCalls, bool menuFolder = true) {
    Json calls = Json::array(
        {Sim("clock -1d"),
         Call("StartImpFiscal_FrameWork"),
         {{"op", "driver"}, {"name", "eAbrirSerial_Daruma"}, {"args", {"COM1", "115200"}}},
         {{"op", "driver"}, {"name", "iReducaoZ_ECF_Daruma"}, {"args", {"", ""}}},
         Sim("clock 0"),
         StartCall(),
         Call("Cupom_NFiscNVinc", {"PADRAO", "Suprimento", "10,00", "Dinheiro", ""}),
         {{"op", "driver"}, {"name", "iReducaoZ_ECF_Daruma"}, {"args", {"", ""}}}});
    if (menuFolder) calls.push_back(Call("MakeHostFolder", {"Dados\\MenuFiscal"}));
    for (Json& c : legalCalls) calls.push_back(std::move(c));
    return {{"locale", "pt_BR"}, {"calls", calls}};
  }

  fs::path Menu() const { return fs::path(hostDir()) / "Dados" / "MenuFiscal"; }
  fs::path DriverFolder() const { return driverFolder_; }

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

  // A signed file stops verifying when one byte before its record changes.
  static void ExpectSignedAndTamperEvident(const fs::path& file) {
    SCOPED_TRACE(file.string());
    ASSERT_TRUE(Verifies(file));
    const std::string good = ReadAll(file);
    std::string bad = good;
    bad[bad.size() / 3] ^= 0x20;
    std::ofstream(file, std::ios::binary) << bad;
    EXPECT_FALSE(Verifies(file));
    std::ofstream(file, std::ios::binary) << good;
  }

  bool LogHas(const std::string& text) const {
    const auto log = DebugLog();
    return std::find(log.begin(), log.end(), text) != log.end();
  }
  int LogCount(const std::string& prefix) const {
    int n = 0;
    for (const std::string& line : DebugLog()) n += line.starts_with(prefix);
    return n;
  }

  // The paper tape, in the driver folder wherever it is.
  std::string Tape() const { return ReadAll(DriverFolder() / "bobina.txt"); }

  std::string shortFolder_, driverFolder_;
};

// One of each file for today's dates: the text files signed, the binary
// files byte-identical to the driver's.
TEST_F(LegalFilesTest, DateRangesGiveSignedAndDriverFiles) {
  const std::string today = Today();
  const std::string mf = (Menu() / "MFISCAL.MF").string();
  const HostRun run = Run(Day({
      Call("EmiteLeituraMemoriaFiscalSerial",
           {List({"PADRAO", today, today, "s", "DATA"}), nullptr}),
      Call("Gera_ArquivoMFD", {List({"D", " " + today + " ", today, "", "LOJA01"}), nullptr}),
      Call("geraEspelhoMfd", {MirrorList(today, today), nullptr}),
      Call("GERA_MF", {"", mf}),
  }));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("EmiteLeituraMemoriaFiscalSerial")["result"], true) << run.out;
  EXPECT_EQ(run.Record("Gera_ArquivoMFD")["result"], true) << run.out;
  EXPECT_EQ(run.Record("geraEspelhoMfd")["result"], true) << run.out;
  EXPECT_EQ(run.Record("GERA_MF")["result"], true) << run.out;

  const auto readings = FilesStarting(Menu(), "LMFS_");
  const auto mfdTexts = FilesStarting(Menu(), "LOJA01_" + DateText(0, "%Y%m%d") + "_");
  const auto mirrors = FilesStarting(Menu(), "Espelho_MFD_");
  ASSERT_EQ(readings.size(), 1u);
  ASSERT_EQ(mfdTexts.size(), 1u);
  ASSERT_EQ(mirrors.size(), 1u);
  for (const fs::path& file : {readings[0], mfdTexts[0], mirrors[0]})
    ExpectSignedAndTamperEvident(file);
  // The text copy is the driver's report with the record after it.
  const std::string report = ReadAll(DriverFolder() / "ATO_MFD_DATA.txt");
  EXPECT_EQ(ReadAll(mfdTexts[0]).substr(0, report.size()), report);

  EXPECT_EQ(ReadAll(Menu() / "MFDFISCAL.MFD"), ReadAll(DriverFolder() / "MFDFISCAL.MFD"));
  EXPECT_EQ(ReadAll(mf), ReadAll(DriverFolder() / "MFISCAL.MF"));
  EXPECT_FALSE(Verifies(Menu() / "MFDFISCAL.MFD"));

  const std::string d8 = DateText(0, "%d%m%Y"), d6 = DateText(0, "%d%m%y");
  EXPECT_TRUE(LogHas("eMemoriaFiscal_ECF_Daruma : " + d8 + " - " + d8 + " - ARQ"));
  EXPECT_TRUE(LogHas("rGerarRelatorio_ECF_Daruma : MFD - DATAM - " + d8 + " - " + d8));
  EXPECT_TRUE(
      LogHas("rEfetuarDownloadMFD_ECF_Daruma : DATAM - " + d8 + " - " + d8 + " - MFDFISCAL.MFD"));
  EXPECT_TRUE(LogHas("rGerarEspelhoMFD_ECF_Daruma : 1 - " + d6 + " - " + d6));
  EXPECT_TRUE(LogHas("rEfetuarDownloadMF_ECF_Daruma : MFISCAL.MF"));
  EXPECT_EQ(LogCount("regRetornaValorChave_DarumaFramework : START - LocalArquivos - "), 3);

  const Json& shown = run.Record("EmiteLeituraMemoriaFiscalSerial")["messages"];
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0]["text"],
            readings[0].string() + " - Leitura da Memória Fiscal gerada com sucesso.");
  EXPECT_EQ(run.Record("geraEspelhoMfd")["messages"][0]["text"],
            "Espelho da MFD gerado com sucesso: " + mirrors[0].string());
}

// Counter and reduction ranges reach the driver padded; for counters the MFD
// is downloaded by counter and no text file is made.
TEST_F(LegalFilesTest, CounterRangesReachTheDriverPadded) {
  const HostRun run = Run(Day({
      Call("Gera_ArquivoMFD", {List({"C", "1", "5", "", "LOJA01"}), nullptr}),
      Call("geraEspelhoMfd", {MirrorList(" 1", "3 "), nullptr}),
      Call("EmiteLeituraMemoriaFiscalSerial", {List({"PADRAO", "1", "2", "S", "R"}), nullptr}),
      {{"op", "set"}, {"name", "inTipoImpFis"}, {"value", 2}},
      Call("Gera_ArquivoMFD", {List({"D", Today(), Today(), "", "OUTRA"}), nullptr}),
  }));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("Gera_ArquivoMFD", 0)["result"], true) << run.out;
  EXPECT_EQ(run.Record("geraEspelhoMfd")["result"], true) << run.out;
  EXPECT_EQ(run.Record("EmiteLeituraMemoriaFiscalSerial")["result"], true) << run.out;
  EXPECT_EQ(run.Record("Gera_ArquivoMFD", 1)["result"], false) << "printer type 2";

  EXPECT_TRUE(LogHas("rGerarRelatorio_ECF_Daruma : MFD - COO - 000001 - 000005"));
  EXPECT_TRUE(LogHas("rEfetuarDownloadMFD_ECF_Daruma : COO - 000001 - 000005 - MFDFISCAL.MFD"));
  EXPECT_TRUE(LogHas("rGerarEspelhoMFD_ECF_Daruma : 2 - 000001 - 000003"));
  EXPECT_TRUE(LogHas("eMemoriaFiscal_ECF_Daruma : 0001 - 0002 - ARQ"));  // "S": complete
  EXPECT_EQ(LogCount("rGerarRelatorio_ECF_Daruma"), 1) << "the other printer type sends nothing";
  EXPECT_TRUE(FilesStarting(Menu(), "LOJA01_").empty());
  EXPECT_TRUE(fs::exists(Menu() / "MFDFISCAL.MFD"));
  ExpectSignedAndTamperEvident(FilesStarting(Menu(), "Espelho_MFD_").at(0));
}

// A driver folder longer than the driver's 100-character reply: the files
// the driver reports through it cannot be found, and the operator is told
// why instead of a silent false.
TEST_F(LegalFilesTest, DriverFolderLongerThanTheDriversReplyIsExplained) {
  const std::string folder = hostDir() + "/" + std::string(110, 'd') + "/";
  UseDriverFolder(folder);
  const std::string today = Today();
  const HostRun run = Run(Day({
      Call("Gera_ArquivoMFD", {List({"D", today, today, "", "LOJA01"}), nullptr}),
      Call("GERA_MF", {"", (Menu() / "MFISCAL.MF").string()}),
  }));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::string why = "A pasta de arquivos do driver tem " + std::to_string(folder.size()) +
                          " caracteres, mais que os 100 que o driver informa";
  for (const char* op : {"Gera_ArquivoMFD", "GERA_MF"}) {
    SCOPED_TRACE(op);
    const Json& call = run.Record(op);
    EXPECT_EQ(call["result"], false);
    ASSERT_EQ(call["messages"].size(), 1u) << call.dump();
    EXPECT_EQ(call["messages"][0]["text"].get<std::string>().find(why), 0u) << call.dump();
  }
  EXPECT_EQ(LogCount(Tov00300::Utf8ToCp1252("ERRO!!! " + why)), 2);
  EXPECT_TRUE(fs::exists(fs::path(folder) / "MFDFISCAL.MFD")) << "the driver made its files";
  EXPECT_TRUE(FilesStarting(Menu(), "").empty());
}

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
  const std::string pipe = shortFolder_ + "-signer";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.prefix);
    fs::remove_all(hostDir());
    fs::create_directories(hostDir());
    fs::remove_all(shortFolder_);
    UseDriverFolder(shortFolder_ + "/");
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

// Without the signing library every file is still made, unsigned, and every
// result is the same.
TEST_F(LegalFilesTest, MissingSignerLeavesFilesUnsigned) {
  setenv("TOV_SIGNER_LIBRARY", "/nonexistent/libsign_bema.so", 1);
  const std::string today = Today();
  const HostRun run = Run(Day({
      Call("EmiteLeituraMemoriaFiscalSerial",
           {List({"PADRAO", today, today, "s", "DATA"}), nullptr}),
      Call("Gera_ArquivoMFD", {List({"D", today, today, "", "LOJA01"}), nullptr}),
      Call("geraEspelhoMfd", {MirrorList(today, today), nullptr}),
      Get("inRetorno"),
  }));
  unsetenv("TOV_SIGNER_LIBRARY");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (const char* op : {"EmiteLeituraMemoriaFiscalSerial", "Gera_ArquivoMFD", "geraEspelhoMfd"})
    EXPECT_EQ(run.Record(op)["result"], true) << op;
  EXPECT_EQ(run.Record("get")["result"], 1);
  for (const char* prefix : {"LMFS_", "LOJA01_", "Espelho_MFD_"}) {
    const auto files = FilesStarting(Menu(), prefix);
    ASSERT_EQ(files.size(), 1u) << prefix;
    EXPECT_FALSE(Verifies(files[0]));
    EXPECT_EQ(ReadAll(files[0]).find("EAD"), std::string::npos);
  }
}

// A file that is not where the host will look makes the result false, and
// an earlier call's driver file is never handed out as this call's.
TEST_F(LegalFilesTest, FilesNotPutInPlaceMakeTheResultFalse) {
  const std::string today = Today();
  const Json mfd = Call("Gera_ArquivoMFD", {List({"D", today, today, "", "LOJA01"}), nullptr});
  const Json reading = Call("EmiteLeituraMemoriaFiscalSerial",
                            {List({"PADRAO", today, today, "s", "DATA"}), nullptr});
  // No fiscal-menu folder: the driver's files are made, none can be placed.
  const HostRun noFolder = Run(Day({mfd, reading, Call("GERA_MF", {"", (Menu() / "MF").string()})},
                                   /*menuFolder=*/false));
  ASSERT_EQ(noFolder.exitStatus, 0) << noFolder.err;
  EXPECT_EQ(noFolder.Record("Gera_ArquivoMFD")["result"], false);
  EXPECT_EQ(noFolder.Record("EmiteLeituraMemoriaFiscalSerial")["result"], false);
  EXPECT_EQ(noFolder.Record("GERA_MF")["result"], false);
  EXPECT_FALSE(Verifies(DriverFolder() / "retorno.txt")) << "the driver's file is not signed";

  // The report refused: the stale report of the first call is not copied.
  const HostRun refused = Run({{"calls",
                                {Call("MakeHostFolder", {"Dados\\MenuFiscal"}), StartCall(),
                                 Sim("fail rGerarRelatorio_ECF_Daruma -1 once"), mfd}}});
  EXPECT_EQ(refused.Record("Gera_ArquivoMFD")["result"], false) << refused.out;
  EXPECT_TRUE(FilesStarting(Menu(), "LOJA01_").empty());
  EXPECT_TRUE(fs::exists(Menu() / "MFDFISCAL.MFD")) << "the download itself worked";
}

// CAT files: one driver call per day; a day the driver did not answer 1
// collects no file, even with an earlier day's file waiting in the folder.
TEST_F(LegalFilesTest, CatFilesOnlyForDaysTheDriverMade) {
  // CAT files are collected from the drive's Daruma folder.
  UseDriverFolder((fs::path(hostDir()) / "drive" / "Daruma").string() + "/");
  const Json params = {
      {"rows", {{{"CDFILIAL", "001"}, {"CDCAIXA", "002"}, {"IDESQUEMA", "PADRAO"}}}}};
  const std::string yesterday = DateText(-1, "%d/%m/%Y"), today = Today();
  const HostRun run = Run(Day({
      Call("GeraCatGenerica", {List({params, yesterday, today}), {{"strings", Json::array()}}}),
      Call("Gera_ArquivoMFD", {List({"D", today, today, "", "LOJA01"}), nullptr}),  // a stale file
      Call("GeraCatGenerica", {List({params, "010325", "030325"}), {{"strings", Json::array()}}}),
      Call("GeraCatGenerica", {List({params, today, yesterday}), {{"strings", {"old"}}}}),
      Call("GeraCatGenerica", {List({params, "01/01/1990", today}), {{"strings", Json::array()}}}),
  }));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const Json& first = run.Record("GeraCatGenerica", 0);
  EXPECT_EQ(first["result"], true) << first.dump();
  const std::string d8 = DateText(0, "%d%m%Y");
  const fs::path todays = DriverFolder() / ("DR001002" + d8 + ".txt");
  EXPECT_EQ(first["args"][1]["strings"],
            Json::array({(DriverFolder() / ("DR001002" + DateText(-1, "%d%m%Y") + ".txt")).string(),
                         todays.string()}));
  EXPECT_NE(ReadAll(todays).find("MEMORIA FITA DETALHE"), std::string::npos);

  // 1 to 3 March 2025, before the printer's first document: three calls,
  // three failed days listed to the operator, nothing collected.
  const Json& march = run.Record("GeraCatGenerica", 1);
  EXPECT_EQ(march["result"], false);
  EXPECT_EQ(march["args"][1]["strings"], Json::array());
  for (const char* day : {"01032025", "02032025", "03032025"})
    EXPECT_EQ(LogCount(std::string("rGerarRelatorio_ECF_Daruma : MFD+[EAD]+ Chave Privada  - "
                                   "DATAM - ") +
                       day + " - Retorno: "),
              1)
        << day;
  ASSERT_EQ(march["messages"].size(), 1u);
  EXPECT_EQ(march["messages"][0]["text"],
            "Houve erro na geração ou não há movimento nas seguintes datas:");
  EXPECT_FALSE(fs::exists(DriverFolder() / "DR00100201032025.txt"));
  EXPECT_TRUE(fs::exists(DriverFolder() / "ATO_MFD_DATA.TXT")) << "the stale file stays";

  // Reversed: nothing sent, an empty list. Decades: refused before any call.
  const Json& reversed = run.Record("GeraCatGenerica", 2);
  EXPECT_EQ(reversed["result"], false);
  EXPECT_EQ(reversed["args"][1]["strings"], Json::array());
  EXPECT_EQ(run.Record("GeraCatGenerica", 3)["result"], false);
  EXPECT_EQ(run.Record("GeraCatGenerica", 3)["messages"].size(), 1u);
  EXPECT_EQ(LogCount("rGerarRelatorio_ECF_Daruma : MFD+[EAD]"), 5);
}

// The printed readings: ranges, the reading's flag (the tape says which
// reading was printed), the document record, inRetorno untouched by the
// reading itself.
TEST_F(LegalFilesTest, PrintedReadingsReachTheDriverAndAreRecorded) {
  const std::string today = Today();
  const HostRun run = Run(Day({
      Call("Memoria_Fiscal_Imp", {"PADRAO", "D", today, today, ""}),
      Call("Memoria_Fiscal_Imp", {"PADRAO", "R", "1", "2", ""}),
      Call("Memoria_Fiscal_Imp", {"PADRAO", "X", "1", "2", ""}),
      Call("EmiteLeituraMemoriaFiscal", {"PADRAO", today, today, "s", "DATA", "CHAVE-1"}),
      Call("EmiteLeituraMemoriaFiscal", {"PADRAO", "1", "2", "S", "R", "CHAVE-2"}),
      {{"op", "set"}, {"name", "inRetorno"}, {"value", 77}},
      Call("EmiteLeituraMemoriaFiscal", {"PADRAO", "2", "1", "s", "R", "CHAVE-3"}),
      Get("inRetorno"),
  }));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("Memoria_Fiscal_Imp", 0)["result"], true) << run.out;
  EXPECT_EQ(run.Record("Memoria_Fiscal_Imp", 1)["result"], true) << run.out;
  EXPECT_EQ(run.Record("Memoria_Fiscal_Imp", 2)["result"], false);
  EXPECT_EQ(run.Record("EmiteLeituraMemoriaFiscal", 0)["result"], true) << run.out;
  EXPECT_EQ(run.Record("EmiteLeituraMemoriaFiscal", 1)["result"], true) << run.out;
  EXPECT_EQ(run.Record("get")["result"], 77);
  const Json& reversed = run.Record("EmiteLeituraMemoriaFiscal", 2);
  EXPECT_EQ(reversed["result"], false);
  EXPECT_FALSE(reversed["messages"].empty()) << "the printer's refusal is shown";

  const std::string d8 = DateText(0, "%d%m%Y");
  EXPECT_EQ(LogCount("eMemoriaFiscal_ECF_Daruma : " + d8 + " - " + d8 + " - IMP"), 2);
  EXPECT_EQ(LogCount("eMemoriaFiscal_ECF_Daruma : 0001 - 0002 - IMP"), 2);
  EXPECT_EQ(LogCount("eMemoriaFiscal_ECF_Daruma"), 5) << "kind X sends nothing";
  const std::string tape = Tape();
  EXPECT_EQ(tape.find("Leitura completa"), tape.rfind("Leitura completa")) << "only from \"S\"";
  EXPECT_NE(tape.find("Leitura simplificada"), std::string::npos);

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((hostDir() + "/documentos.db").c_str(), &db), SQLITE_OK);
  sqlite3_stmt* query = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT group_concat(chave) FROM DocNaoFiscaisECF WHERE tipo_documento = 'MF'",
                     -1, &query, nullptr);
  ASSERT_EQ(sqlite3_step(query), SQLITE_ROW);
  const unsigned char* keys = sqlite3_column_text(query, 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(keys), "CHAVE-1,CHAVE-2");
  sqlite3_finalize(query);
  sqlite3_close(db);
}

}  // namespace
}  // namespace e2e
