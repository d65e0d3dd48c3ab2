// Port opening: the busy port, the clock rule, documents left open and the
// unfinished sale.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "readings/control_file.h"
#include "session/port_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using porttest::Commands;

const std::vector<std::string> kOpening = {"eAbrirSerial_Daruma",
                                           "eBuscarPortaVelocidade_ECF_Daruma",
                                           "rVerificarImpressoraLigada_ECF_Daruma",
                                           "eDefinirProduto_Daruma",
                                           "rDataHoraImpressora_ECF_Daruma",
                                           "rRetornarInformacao_ECF_Daruma"};

class PortOpeningTest : public tovtest::PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    tovtest::SetClock(porttest::Now());
  }
  // A printer whose clock agrees and whose open document is `document`.
  void Printer(const std::string& document) {
    porttest::QueueClock(driver(), porttest::Now());
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {document});
  }
  static std::vector<std::string> With(std::vector<std::string> a,
                                       const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
  void SaleFile(const std::string& name) {
    std::ofstream(platform::JoinPath(sandbox().hostFolder(), name)) << "x";
  }
};

TEST_F(PortOpeningTest, CleanOpeningRunsEveryStepInOrder) {
  Printer("0");
  EXPECT_TRUE(AbrePorta_FrameWork(porttest::PortBag()));
  EXPECT_EQ(Commands(driver()), kOpening);
  EXPECT_EQ(driver().CallsTo("eAbrirSerial_Daruma")[0].args,
            (std::vector<std::string>{"COM3", "115200"}));
  EXPECT_EQ(driver().CallsTo("eDefinirProduto_Daruma")[0].args, std::vector<std::string>{"ECF"});
  EXPECT_EQ(driver().CallsTo("rRetornarInformacao_ECF_Daruma")[0].args,
            (std::vector<std::string>{"56", "[out 1]"}));
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  const auto log = tovtest::DebugLogTexts();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "Abrindo porta COM3");
}

TEST_F(PortOpeningTest, BusyPortIsClosedAndReopenedWithoutAMessage) {
  driver().Queue("eAbrirSerial_Daruma", -107);
  Printer("0");
  EXPECT_TRUE(AbrePorta_FrameWork(porttest::PortBag()));
  EXPECT_EQ(Commands(driver()), With({"eAbrirSerial_Daruma", "eFecharSerial_Daruma"}, kOpening));
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

TEST_F(PortOpeningTest, PortBusyTwiceIsReported) {
  driver().Queue("eAbrirSerial_Daruma", -107);
  driver().Queue("eAbrirSerial_Daruma", -107);
  EXPECT_FALSE(AbrePorta_FrameWork(porttest::PortBag()));
  EXPECT_EQ(Commands(driver()),
            (std::vector<std::string>{"eAbrirSerial_Daruma", "eFecharSerial_Daruma",
                                      "eAbrirSerial_Daruma"}));
  ASSERT_EQ(scriptedOperator().Texts().size(), 1u);
  EXPECT_EQ(scriptedOperator().Texts()[0], Utf8ToCp1252("Porta de comunicação ocupada."));
  EXPECT_EQ(scriptedOperator().Messages()[0].context, "AZUL");
}

TEST_F(PortOpeningTest, DriverFailureStopsTheOpeningAtOnce) {
  driver().Queue("rVerificarImpressoraLigada_ECF_Daruma", -6);
  EXPECT_FALSE(AbrePorta_FrameWork(porttest::PortBag()));
  EXPECT_EQ(Commands(driver()),
            (std::vector<std::string>{"eAbrirSerial_Daruma", "eBuscarPortaVelocidade_ECF_Daruma",
                                      "rVerificarImpressoraLigada_ECF_Daruma"}));
  EXPECT_EQ(scriptedOperator().Texts(),
            std::vector<std::string>{"Impressora desligada ou desconectada."});
}

TEST_F(PortOpeningTest, ClockOffByMoreThanFifteenMinutesRefusesTheOpening) {
  porttest::QueueClock(driver(), porttest::PlusMinutes(porttest::Now(), 16));
  EXPECT_FALSE(AbrePorta_FrameWork(porttest::PortBag()));
  EXPECT_EQ(driver().CountOf("rRetornarInformacao_ECF_Daruma"), 0);
  EXPECT_EQ(scriptedOperator().Texts(),
            std::vector<std::string>{DataModule().msgPadrao.Msg("DataDif")});
  EXPECT_FALSE(boClieUtil);
}

struct DocumentCase {
  const char* name;
  std::string document;
  std::string saleFile;  // "" for none
  std::vector<std::string> after;
};
// Test listings show the case by its name.
void PrintTo(const DocumentCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class DocumentLeftOpenTest : public PortOpeningTest,
                             public ::testing::WithParamInterface<DocumentCase> {};

TEST_P(DocumentLeftOpenTest, ClosesOrCancelsWhatWasLeftOpen) {
  const DocumentCase& c = GetParam();
  if (!c.saleFile.empty()) SaleFile(c.saleFile);
  Printer(c.document);
  EXPECT_TRUE(AbrePorta_FrameWork(porttest::PortBag()));
  // Without a control file the grand-total update after a cancellation
  // stops before reading the printer.
  EXPECT_EQ(Commands(driver()), With(kOpening, c.after));
}

INSTANTIATE_TEST_SUITE_P(
    States, DocumentLeftOpenTest,
    ::testing::Values(DocumentCase{"None", "0", "", {}},
                      DocumentCase{"NonFiscal", "2", "", {"iCNFCancelar_ECF_Daruma"}},
                      DocumentCase{"ManagementReport", "4", "", {"iRGFechar_ECF_Daruma"}},
                      DocumentCase{"LinkedVoucher", "3", "", {"iCCDFechar_ECF_Daruma"}},
                      // The grand-total note asks the receipt's number first.
                      DocumentCase{"FiscalWithoutFile",
                                   "1",
                                   "",
                                   {"rRetornarInformacao_ECF_Daruma", "iCFCancelar_ECF_Daruma"}},
                      DocumentCase{
                          "NoneWithASale", "0", "cdsVenda.cds", {"iCFCancelar_ECF_Daruma"}},
                      DocumentCase{"NonFiscalWithCancelledItems",
                                   "2",
                                   "cdsItensCancelados.cds",
                                   {"iCNFCancelar_ECF_Daruma", "iCFCancelar_ECF_Daruma"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PortOpeningTest, SaleFilesAreLookedForInTheDataFolder) {
  // A sale file beside the executable but outside DsDirCad does not count.
  SaleFile("cdsVenda.cds");
  const std::string data = platform::JoinPath(sandbox().root(), "dados");
  ASSERT_TRUE(platform::CreateFolder(data));
  DsDirCad = data + platform::NativePath("\\");
  Printer("0");
  EXPECT_TRUE(AbrePorta_FrameWork(porttest::PortBag()));
  EXPECT_EQ(driver().CountOf("iCFCancelar_ECF_Daruma"), 0);

  std::ofstream(DsDirCad + "cdsItensCancelados.cds") << "x";
  driver().ClearCalls();
  Printer("0");
  EXPECT_TRUE(AbrePorta_FrameWork(porttest::PortBag()));
  EXPECT_EQ(driver().CountOf("iCFCancelar_ECF_Daruma"), 1);
}

TEST_F(PortOpeningTest, OpenReceiptIsCancelledAndTheGrandTotalRecorded) {
  stAtuFili = "001";
  stAtuCaixa = "02";
  stSerieAtu = "DR0001";
  DataPacket p;
  p.fields = {{"CDFILIAL", FieldType::String, 4},
              {"CDCAIXA", FieldType::String, 3},
              {"NRSERIEECF", FieldType::String, 20},
              {"CAMPO01", FieldType::String, 1},
              {"CAMPO02", FieldType::String, 60}};
  p.rows.push_back({Variant("001"), Variant("02"), Variant("DR0001"), Variant("S"),
                    Variant(hostlib::Cripto("10,10", kScrambleKey))});
  platform::AtomicReplaceFile(ControlFilePath(), DataSet::ToXml(p));

  Printer("1");
  // The grand-total note: COO, grand total, restarts, the receipt's total.
  for (const char* reply : {"000007", "000000000000400000", "001", "0000000032100"})
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {reply});
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000000000000432100"});
  EXPECT_TRUE(AbrePorta_FrameWork(porttest::PortBag()));
  const std::string read = "rRetornarInformacao_ECF_Daruma";
  EXPECT_EQ(Commands(driver()),
            With(kOpening, {read, read, read, read, "iCFCancelar_ECF_Daruma", read}));
  EXPECT_EQ(driver().CallsTo(read)[5].args[0], "1");
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_FALSE(platform::FileExists(DsDirCad + "pending_closing.txt"))
      << "the recorded total needs no note";

  DataPacket recorded = DataSet::FromXml(platform::ReadFile(ControlFilePath()).value());
  EXPECT_EQ(hostlib::Uncripto(recorded.rows[0][4].AsString(), kScrambleKey), "4321");
}

TEST_F(PortOpeningTest, BagThatIsNotABagFailsWithoutTouchingThePrinter) {
  EXPECT_FALSE(AbrePorta_FrameWork(Variant("COM3")));
  EXPECT_TRUE(driver().Calls().empty());
}

}  // namespace
