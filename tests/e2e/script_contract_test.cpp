// The script contract as an integrator meets it: the README's example runs
// as it stands, mistakes are refused before any call with a message naming
// them, describe tells the names, and each record explains its failures.
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "closing_script.h"
#include "ecfhost_runner.h"
#include "sale_script.h"

namespace e2e {
namespace {

class ScriptContractTest : public EcfhostTest {};

std::string ReadmeExample() {
  std::ifstream in(TOV_SOURCE_DIR "/README.md");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t section = text.find("## Writing a till script");
  const size_t start = text.find("```json\n", section);
  const size_t end = text.find("\n```", start + 8);
  if (section == std::string::npos || start == std::string::npos || end == std::string::npos)
    return "";
  return text.substr(start + 8, end - start - 8);
}

// Runs ecfhost with `arguments` (a shell fragment) and returns its exit status.
int Ecfhost(const std::string& arguments, std::string* out = nullptr) {
  // One file per test process: ctest runs the cases of this suite in
  // parallel processes, which must not read each other's output.
  const std::string file =
      ::testing::TempDir() + "/ecfhost-contract-out-" + std::to_string(getpid()) + ".txt";
  const int status = std::system(
      (std::string(TOV_BUILD_BIN_DIR "/ecfhost ") + arguments + " >" + file + " 2>&1").c_str());
  if (out) {
    std::ifstream in(file);
    out->assign((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  return WEXITSTATUS(status);
}

TEST_F(ScriptContractTest, ReadmeExampleRunsAsItStands) {
  const std::string example = ReadmeExample();
  ASSERT_FALSE(example.empty()) << "README.md has no example after \"Writing a till script\"";
  const HostRun run = RunText(example, {"--strict"});
  ASSERT_EQ(run.exitStatus, 0) << run.out << run.err;
  EXPECT_EQ(run.Record("FechaCupom")["result"], true);
  EXPECT_EQ(run.Record("Cupom_NFiscNVinc")["result"], true);
  const std::string tape = Tape();
  EXPECT_NE(tape.find("Cartao Credito                             12,96"), std::string::npos)
      << tape;
  EXPECT_NE(tape.find("CONTRA-VALE EMI                      5,00"), std::string::npos) << tape;
}

TEST_F(ScriptContractTest, MistakesAreRefusedBeforeAnyCallNamingWhatIsWrong) {
  Json misspelt = ItemBag("1", "Cafe", 1, 10);
  misspelt["bag"].erase("QTDE");
  misspelt["bag"]["QTD"] = 1;
  Json missing = ItemBag("1", "Cafe", 1, 10);
  missing["bag"].erase("VALOR");
  Json wrongType = ItemBag("1", "Cafe", 1, 10);
  wrongType["bag"]["VALOR"] = "dez";
  Json closing = ClosingCall({{"001", 10}});
  closing["args"][0]["positions"]["13"]["fields"].erase(3);  // VRMOVIVEND
  for (auto& row : closing["args"][0]["positions"]["13"]["rows"]) row.erase("VRMOVIVEND");
  Json badFlag = ClosingCall({{"001", 10}});
  badFlag["args"][0]["positions"]["5"] = "talvez";
  const struct {
    Json call;
    std::string expected;
  } cases[] = {
      {Call("VendaItem", {misspelt}),
       "bag key QTD is not read by the operation (did you mean QTDE?)"},
      {Call("VendaItem", {missing}), "bag key VALOR (unit price) is missing"},
      {Call("VendaItem", {wrongType}), "bag key VALOR must be a number, got a text \"dez\""},
      {closing,
       "position 13 (cash-movement rows; \"E\" and \"T\" rows are paid): the data set has "
       "no field VRMOVIVEND"},
      {badFlag,
       "position 5 (show the printer's messages of subtotal, payments and closing) must "
       "be a boolean"},
      {Call("DadosUltimaRedZ",
            {Json::array({"PADRAO"}), {{"size", 10}}, {{"rows", Json::array()}}}),
       "args[1] (resultado) must be an array of at least 49 elements"},
  };
  for (const auto& c : cases) {
    const HostRun run = Run({{"calls", {StartCall(), c.call}}});
    EXPECT_EQ(run.exitStatus, 2) << c.expected;
    EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
    EXPECT_TRUE(run.records.empty()) << run.out;
  }
  // Lenient: the package's own rule for an absent key (it reads as 0).
  const HostRun lenient = Run(
      {{"lenient", true}, {"calls", {StartCall(), OpenReceipt(), Call("VendaItem", {missing})}}});
  EXPECT_EQ(lenient.exitStatus, 0) << lenient.err;
  EXPECT_EQ(lenient.records.size(), 3u);
}

// What the package takes reaches it: keys it reads and ignores, values its
// conversions take (with a warning saying what it reads), anything at all in
// a lenient script, a call before the session, a false that is an answer;
// last, a newcomer's day with all of them at once.
TEST_F(ScriptContractTest, ScriptsThePackageTakesReachIt) {
  Json open = OpenReceipt();
  for (const char* key : {"TIPOTICKET", "IVACOMP", "IVAPROP", "TIPODOC", "NRDOC", "MESA"})
    open["args"][0]["bag"][key] = "";
  Json item = Call("VendaItem", {ItemBag("1", "Cafe", 2, 10)});
  for (const char* key : {"MESA", "FLAG", "IDALIQ", "TIPOTICKET"})
    item["args"][0]["bag"][key] = "1";
  Json converted = Call("VendaItem", {ItemBag("1", "Cafe", 1, 10)});
  converted["args"][0]["bag"]["VRPERCALIQ"] = 18.0;
  converted["args"][0]["bag"]["QTDE"] = "2";
  Json badStart = StartCall();
  badStart["args"][0]["bag"]["IDTIPOIMPFIS"] = "vinte e nove";
  Json textForRows = ClosingCall({{"001", 10}});
  textForRows["args"][0]["positions"]["13"] = "sem linhas";
  const Json supply = Call("Suprimento", {"PADRAO", 10.0});
  const struct {
    const char* name;
    bool lenient;
    Json calls;
    size_t at;  // the record looked at
    Json result;
    std::string inRecord;
  } cases[] = {
      {"keys read and ignored", false, {StartCall(), open, item}, 2, true, "\"INTTEFERRO\""},
      {"numbers and texts converted",
       false,
       {StartCall(), OpenReceipt(), converted},
       2,
       true,
       "VRPERCALIQ: a number with decimals, which the package reads as the text"},
      {"lenient start bag", true, {badStart}, 0, true, "Erro no recebimento dos parâmetros"},
      {"lenient text for rows",
       true,
       {StartCall(), OpenReceipt(), item, textForRows},
       3,
       false,
       "position 13"},
      {"call before the session",
       false,
       {supply},
       0,
       false,
       "Erro ao enviar comando para a impressora."},
      {"false as an answer",
       false,
       {StartCall(), CashClosing(Closing{})},
       1,
       false,
       "\"result_means\""},
      {"newcomer's day",
       false,
       {supply, StartCall(), open, converted, item, ClosingCall({{"001", 40}})},
       5,
       true,
       "iCFEncerrarConfigMsg_ECF_Daruma"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const HostRun run = Run({{"lenient", c.lenient}, {"calls", c.calls}});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    ASSERT_EQ(run.records.size(), c.calls.size()) << run.out;
    EXPECT_EQ(run.At(c.at)["result"], c.result) << run.At(c.at).dump();
    EXPECT_FALSE(run.At(c.at).contains("error")) << "the package answers, ecfhost advises";
    EXPECT_NE(run.At(c.at).dump().find(c.inRecord), std::string::npos) << run.At(c.at).dump();
  }
  // A false that is an answer does not fail a strict run; a false that is
  // a failure does.
  EXPECT_EQ(Run({{"calls", {StartCall(), CashClosing(Closing{})}}}, {"--strict"}).exitStatus, 0);
  EXPECT_EQ(Run({{"calls", {supply}}}, {"--strict"}).exitStatus, 1);
}

TEST_F(ScriptContractTest, DescribeAndHelpComeFromTheTablesTheDispatcherUses) {
  std::string out;
  ASSERT_EQ(Ecfhost("describe FechaCupom", &out), 0) << out;
  const Json closing = Json::parse(out);
  EXPECT_EQ(closing["parameters"][0]["name"], "valores");
  EXPECT_EQ(closing["parameters"][0]["positions"].size(), 61u);
  EXPECT_EQ(closing["parameters"][0]["positions"][13]["fields"][3]["field"], "VRMOVIVEND");
  ASSERT_EQ(Ecfhost("describe StartImpFiscal", &out), 0);
  EXPECT_EQ(Json::parse(out)["parameters"][0]["bag"][5], Json({{"key", "IDTIPOIMPFIS"},
                                                               {"type", "whole number"},
                                                               {"required", true},
                                                               {"meaning", "printer type (29)"}}));
  // Meanings and units of keys and fields; what a false result means.
  ASSERT_EQ(Ecfhost("describe VendaItem", &out), 0);
  EXPECT_EQ(Json::parse(out)["parameters"][0]["bag"][3]["unit"], "R$");
  ASSERT_EQ(Ecfhost("describe RegistroVenda", &out), 0);
  const Json stValor = Json::parse(out)["parameters"][3]["fields"][3];
  EXPECT_EQ(stValor["field"], "STVALOR");
  EXPECT_EQ(stValor["meaning"].get<std::string>().rfind("unit price", 0), 0u);
  ASSERT_EQ(Ecfhost("describe GeraReciboSangria", &out), 0);
  EXPECT_TRUE(Json::parse(out).contains("false_means"));
  // Every contract matches an operation and its parameter count.
  EXPECT_EQ(Ecfhost("describe", &out), 0) << out;
  // Reading a register never makes a host folder.
  EXPECT_EQ(Ecfhost("records --host-dir " + hostDir() + "/missing", &out), 2);
  EXPECT_NE(out.find("there is no host folder"), std::string::npos) << out;
  for (const char* help : {"help", "--help", "-h"}) {
    EXPECT_EQ(Ecfhost(help, &out), 0);
    EXPECT_NE(out.find("usage: ecfhost run SCRIPT.json|-"), std::string::npos) << out;
  }
}

TEST_F(ScriptContractTest, RecordsExplainFailuresAndStrictFailsTheRun) {
  const Json script = {
      {"calls",
       {OpenReceipt(), StartCall(), OpenReceipt(), Sim("fail iCFVender_ECF_Daruma -6 once"),
        Call("VendaItem", {ItemBag("1", "Cafe", 1, 10)}), Sim("powr off")}}};
  const HostRun run = Run(script);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  // The package's own answer, and ecfhost's advice beside it.
  EXPECT_EQ(run.At(0)["result"], false);
  EXPECT_FALSE(run.At(0).contains("error"));
  EXPECT_EQ(run.At(0)["hint"], "sessão não iniciada: chame StartImpFiscal");
  EXPECT_FALSE(run.At(2).contains("error"));
  const Json& refused = run.At(4);
  EXPECT_EQ(refused["result"], false);
  EXPECT_EQ(refused["driver"][0], Json({{"call", "iCFVender_ECF_Daruma"}, {"code", -6}}));
  bool logged = false;
  for (const Json& line : refused["log"])
    logged = logged || line.get<std::string>().find("iCFVender_ECF_Daruma") != std::string::npos;
  EXPECT_TRUE(logged) << refused.dump();
  EXPECT_EQ(run.At(5)["result"], -2);
  EXPECT_NE(run.At(5)["error"].get<std::string>().find("power off|on"), std::string::npos);

  EXPECT_EQ(Run(script, {"--strict"}).exitStatus, 1);
  // The same script from standard input.
  const std::string file = hostDir() + "/../stdin.json";
  std::ofstream(file) << script.dump();
  std::string out;
  EXPECT_EQ(Ecfhost("run - --strict --host-dir " + hostDir() + " <" + file, &out), 1);
  EXPECT_NE(out.find("sessão não iniciada"), std::string::npos) << out;
}

}  // namespace
}  // namespace e2e
