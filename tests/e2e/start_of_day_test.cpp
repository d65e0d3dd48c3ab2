// Start of day through ecfhost against the virtual printer: the session start
// with its checks, the configuration tables and the registers, as a till runs
// them, checked in the results, the debug log, the tape and the control file.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ecfhost_runner.h"
#include "support/debug_log_reader.h"
#include "tov00300/dataset.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace e2e {
namespace {

constexpr int kChaveCripto = 300172;  // the package's fixed scrambling key

class StartOfDayTest : public EcfhostTest {
 protected:
  bool LogHas(const std::string& text) const {
    return tovtest::LogHas(Tov00300::Utf8ToCp1252(text), DebugLog());
  }
  std::string LogDump() const {
    std::string all;
    for (const std::string& line : DebugLog()) all += Tov00300::Cp1252ToUtf8(line) + "\n";
    return all;
  }
};

Json Call(const std::string& op, Json args = Json::array()) {
  return {{"op", op}, {"args", std::move(args)}};
}
Json Sim(const std::string& command) {
  return {{"op", "sim"}, {"command", command}};
}

void ExpectNoErrors(const HostRun& run) {
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  for (const Json& r : run.records) EXPECT_FALSE(r.contains("error")) << r.dump();
}

std::string Example(const std::string& name) {
  std::ifstream in(TOV_SOURCE_DIR "/examples/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The demo's own scripts: yesterday closed with a Z, then every step of the
// start of day.
TEST_F(StartOfDayTest, CleanStartOfDayRunsTheExampleScript) {
  ExpectNoErrors(RunText(Example("previous-day.json")));
  const HostRun run = RunText(Example("start-of-day.json"));
  ExpectNoErrors(run);

  const Json& start = run.Record("StartImpFiscal");
  EXPECT_EQ(start["result"], true);
  EXPECT_EQ(start["messages"], Json::array()) << start.dump();
  EXPECT_TRUE(LogHas("Abrindo porta COM1")) << LogDump();

  // Tax rates: the printer's, numbered in its order, then the fixed codes.
  const Json& rates = run.Record("CarregaAliquota")["args"][1]["rows"];
  ASSERT_GE(rates.size(), 3u);
  EXPECT_EQ(rates[rates.size() - 3]["CDALIQIMPFIS"], "NN");
  EXPECT_EQ(rates[rates.size() - 1]["CDALIQIMPFIS"], "FF");

  // Payment methods: the new one is registered; the filter stays on.
  const Json& types = run.Record("CarregaRecebimento")["args"][3];
  EXPECT_EQ(types.value("filter", ""), "IDTPBUTTON = '5'");
  const auto& rows = types["rows"];
  auto row = [&](const std::string& code) {
    for (const Json& r : rows)
      if (r["CDTIPORECE"] == code) return r;
    ADD_FAILURE() << "no payment type " << code << " in " << types.dump();
    return Json::object();
  };
  EXPECT_EQ(row("004")["CDFPIMPFIS"], "S");
  EXPECT_EQ(row("004")["IDEMIVALE"], "N");  // kind 4 issues no voucher
  EXPECT_EQ(row("001")["CDFPIMPFIS"], "S");
  EXPECT_EQ(row("006")["CDFPIMPFIS"], "");  // not a type of button 5: untouched
  EXPECT_TRUE(LogHas("confCadastrarPadrao_ECF_Daruma (FPGTO) : Vale Alimentacao1")) << LogDump();

  EXPECT_TRUE(LogHas("confCadastrarPadrao_ECF_Daruma (FPGTO : Rel Gerencial")) << LogDump();

  // Totalizers: the printer knows only Sangria and Suprimento, so all five
  // are registered, in the order voucher, credit purchase, reports, consumer
  // card, credit cancellation.
  const Json& tot = run.Record("CarregaTotalizador")["args"];
  EXPECT_EQ(tot[0], "03");
  EXPECT_EQ(tot[2], "04");
  EXPECT_EQ(tot[4], "05");
  EXPECT_EQ(tot[1], "06");
  EXPECT_EQ(tot[3], "07");
  EXPECT_TRUE(LogHas("confCadastrarPadrao_ECF_Daruma (TNF) : 3 - CONTRA-VALE EMITIDO"))
      << LogDump();
  EXPECT_TRUE(LogHas("confCadastrarPadrao_ECF_Daruma (TNF) : 7 - Canc Credito")) << LogDump();
  EXPECT_EQ(run.Record("VerificaTotalizador")["result"], true);

  // Registers of a printer that has sold nothing yet, after one Z.
  EXPECT_EQ(run.Record("BuscaTotGer")["args"][1], "0");
  EXPECT_TRUE(
      LogHas("rRetornarInformacao_ECF_Daruma (1)\r\nRetorno da Impressora : 000000000000000000"))
      << LogDump();
  EXPECT_EQ(run.Record("BuscaVendaBruta")["args"][1], ",00");
  EXPECT_EQ(run.Record("BuscaNReducoes")["args"][1], "0002");
  EXPECT_EQ(run.Record("BuscaReinicioOp")["args"][1], "0001");
  const Json& z = run.Record("DadosUltimaRedZ");
  EXPECT_EQ(z["result"], true);
  EXPECT_EQ(z["args"][1][1], "0001");
  EXPECT_EQ(z["args"][1][47], "00,00");
  EXPECT_NE(Tape().find("REDUÇÃO Z"), std::string::npos);

  EXPECT_EQ(run.Record("FechaPorta")["result"], true);
}

struct ClockCase {
  const char* offset;
  bool accepted;
};

// The printer's clock has minutes, the computer's has seconds: 15 minutes
// either way pass, 16 behind fail, and 17 ahead fail whatever the seconds.
TEST_F(StartOfDayTest, PrinterClockMoreThanFifteenMinutesOffIsRefused) {
  const std::vector<ClockCase> cases = {
      {"-15m", true}, {"+15m", true}, {"-16m", false}, {"+17m", false}, {"-1h05m", false}};
  for (const ClockCase& c : cases) {
    SCOPED_TRACE(c.offset);
    std::filesystem::remove_all(hostDir());
    std::filesystem::create_directories(hostDir());
    const HostRun run = Run({{"calls",
                              {Sim("reset"),
                               Sim(std::string("clock ") + c.offset),
                               StartCall(),
                               {{"op", "get"}, {"name", "boImpFiscalOK"}}}}});
    ExpectNoErrors(run);
    EXPECT_EQ(run.At(1)["result"], 1) << "the printer did not take the clock command";
    const Json& start = run.Record("StartImpFiscal");
    EXPECT_EQ(start["result"], c.accepted);
    EXPECT_EQ(run.Record("get")["result"], c.accepted);
    const std::string dataDif =
        "Data da impressora fiscal difere da data do sistema em mais de 15 minutos.";
    const bool shown = std::any_of(start["messages"].begin(), start["messages"].end(),
                                   [&](const Json& m) { return m["text"] == dataDif; });
    EXPECT_EQ(shown, !c.accepted) << start.dump();
  }
}

// The till crashed with a receipt open: the next start cancels it and records
// the printer's grand total, scrambled, in the control file.
TEST_F(StartOfDayTest, ReceiptLeftOpenIsCancelledAndTheGrandTotalRecorded) {
  // The shop's control file: grand-total control on for this register.
  Tov00300::DataSet control("cdsCheckECF");
  control.CreateDataSet({{"CDFILIAL", Tov00300::FieldType::String, 3},
                         {"CDCAIXA", Tov00300::FieldType::String, 3},
                         {"NRSERIEECF", Tov00300::FieldType::String, 20},
                         {"IDSITECFIMPF", Tov00300::FieldType::String, 1},
                         {"CAMPO01", Tov00300::FieldType::String, 1},
                         {"CAMPO02", Tov00300::FieldType::String, 40}});
  control.Append();
  control.FieldByName("CDFILIAL").SetAsString("001");
  control.FieldByName("CDCAIXA").SetAsString("001");
  control.FieldByName("NRSERIEECF").SetAsString("DR0111BR000000000001");
  control.FieldByName("IDSITECFIMPF").SetAsString("A");
  control.FieldByName("CAMPO01").SetAsString("S");
  control.FieldByName("CAMPO02").SetAsString(Tov00300::hostlib::Cripto("10,10", kChaveCripto));
  control.Post();
  control.SaveToFile(hostDir() + "/Brindal.cds");

  // First run: a receipt opened and an item sold, then the till "crashes".
  const HostRun crashed =
      Run({{"locale", "pt_BR"},
           {"calls",
            {StartCall(),
             {{"op", "driver"}, {"name", "iCFAbrirPadrao_ECF_Daruma"}},
             {{"op", "driver"},
              {"name", "iCFVender_ECF_Daruma"},
              {"args", {"F1", "1,000", "10,99", "D$", "0,00", "789", "UN", "Pao de queijo"}}}}}});
  ExpectNoErrors(crashed);
  ASSERT_EQ(crashed.Record("StartImpFiscal")["result"], true);
  ASSERT_EQ(crashed.At(1)["result"], 1) << crashed.At(1).dump();
  ASSERT_EQ(crashed.At(2)["result"], 1) << crashed.At(2).dump();

  const HostRun next =
      Run({{"locale", "pt_BR"},
           {"calls",
            {{{"op", "set"}, {"name", "stAtuFili"}, {"value", "001"}},
             {{"op", "set"}, {"name", "stAtuCaixa"}, {"value", "001"}},
             {{"op", "set"}, {"name", "stSerieAtu"}, {"value", "DR0111BR000000000001"}},
             StartCall(),
             {{"op", "driver"}, {"name", "rRetornarInformacao_ECF_Daruma"}, {"args", {"56", 1}}},
             Call("BuscaTotGer", {"PADRAO", ""})}}});
  ExpectNoErrors(next);
  EXPECT_EQ(next.Record("StartImpFiscal")["result"], true);
  EXPECT_NE(next.Record("driver")["args"][1], "1") << "the receipt is still open";
  const std::string total =
      Tov00300::Utf8ToCp1252(next.Record("BuscaTotGer")["args"][1].get<std::string>());

  control.LoadFromFile(hostDir() + "/Brindal.cds");
  control.First();
  EXPECT_EQ(Tov00300::hostlib::Uncripto(control.FieldByName("CAMPO02").AsString(), kChaveCripto),
            total);
  EXPECT_NE(Tape().find("Pao de queijo"), std::string::npos) << Tape();
}

TEST_F(StartOfDayTest, PortBusyOnceIsClosedAndReopened) {
  const HostRun run = Run({{"calls", {Sim("port busy"), StartCall()}}});
  ExpectNoErrors(run);
  EXPECT_EQ(run.At(0)["result"], 1);
  const Json& start = run.Record("StartImpFiscal");
  EXPECT_EQ(start["result"], true);
  EXPECT_EQ(start["messages"], Json::array()) << start.dump();
}

TEST_F(StartOfDayTest, PortBusyForGoodFailsTheStart) {
  const HostRun run = Run({{"calls", {Sim("fail eAbrirSerial_Daruma -107 always"), StartCall()}}});
  ExpectNoErrors(run);
  const Json& start = run.Record("StartImpFiscal");
  EXPECT_EQ(start["result"], false);
  EXPECT_FALSE(start["messages"].empty());
}

TEST_F(StartOfDayTest, MissingDriverLibraryFailsTheStartWithoutACrash) {
  const HostRun run = Run({{"calls",
                            {StartCall(),
                             Call("FechaPorta"),
                             Call("BuscaOpNFis", {"PADRAO", ""}),
                             {{"op", "get"}, {"name", "boImpFiscalOK"}}}}},
                          {"--driver", "/nonexistent/libDarumaFrameWork.so"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  ASSERT_EQ(run.records.size(), 4u) << run.out << run.err;
  EXPECT_EQ(run.At(0)["result"], false);
  EXPECT_EQ(run.At(1)["result"], false);
  EXPECT_EQ(run.At(3)["result"], false);
}

}  // namespace
}  // namespace e2e
