// Management reports, readings and the drawer against the scripted driver:
// how texts are cut, what each command is sent, and the answers the virtual
// printer never gives (a drawer state of 2, a host whose register throws).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "documents/report_text.h"
#include "session/printer_documents.h"
#include "support/fixture.h"
#include "tov00300/documents.h"
#include "tov00300/hostlib.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

namespace tovtest {
namespace {

using Tov00300::DateTime;
using Tov00300::documents::LineGroups;
using Tov00300::documents::TextPieces;

std::vector<size_t> Sizes(const std::vector<std::string_view>& parts) {
  std::vector<size_t> sizes;
  for (std::string_view p : parts) sizes.push_back(p.size());
  return sizes;
}

std::string Lines(int count, int width) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(static_cast<size_t>(width - 1), 'x') + "\n";
  return text;
}

TEST(ReportTextTest, PiecesAndLineGroups) {
  EXPECT_EQ(Sizes(TextPieces(std::string(620, 'a'))), (std::vector<size_t>{619, 1}));
  EXPECT_EQ(Sizes(TextPieces(std::string(619, 'a'))), (std::vector<size_t>{619}));
  // A remainder of blanks only prints nothing.
  EXPECT_EQ(Sizes(TextPieces(std::string(619, 'a') + " \n ")), (std::vector<size_t>{619}));
  EXPECT_TRUE(TextPieces("").empty());

  EXPECT_EQ(Sizes(LineGroups(Lines(30, 40))), (std::vector<size_t>{520, 520, 160}));
  // A line is never split, however long; the last line needs no line feed.
  EXPECT_EQ(Sizes(LineGroups(std::string(700, 'y'))), (std::vector<size_t>{700}));
  EXPECT_EQ(Sizes(LineGroups(Lines(12, 40) + std::string(90, 'z') + "\nfim")),
            (std::vector<size_t>{571, 3}));
  EXPECT_TRUE(LineGroups("").empty());
}

class ReportsTest : public PackageTest {
 protected:
  std::vector<std::string> ArgsOf(const std::string& entryPoint, size_t nth = 0) {
    const auto calls = driver().CallsTo(entryPoint);
    if (calls.size() <= nth) return {"(no call)"};
    return calls[nth].args;
  }
};

TEST_F(ReportsTest, ZSendsTheClocksDateAndTimeInSixDigitsEach) {
  SetClock(DateTime::FromParts(2026, 2, 1, 9, 5, 3));
  EXPECT_TRUE(Tov00300::Reducao_Z_Imp("K", "x", "AZUL", "y"));
  EXPECT_EQ(ArgsOf("iReducaoZ_ECF_Daruma"), (std::vector<std::string>{"010226", "090503"}));
}

TEST_F(ReportsTest, FailedReadingsWriteNoRecord) {
  int records = 0;
  Tov00300::hostlib::SetDocNaoFiscalHandler([&](auto&&...) {
    ++records;
    return Tov00300::Variant();
  });
  driver().Queue("iLeituraX_ECF_Daruma", -1);
  driver().Queue("iReducaoZ_ECF_Daruma", 0);
  EXPECT_FALSE(Tov00300::Leitura_X_Imp("K", "", "AZUL", ""));
  EXPECT_FALSE(Tov00300::Reducao_Z_Imp("K", "", "AZUL", ""));
  EXPECT_EQ(records, 0);
  Tov00300::hostlib::SetDocNaoFiscalHandler(nullptr);
}

// A Z whose reply and counter were both lost: the next call asks the
// counter first; one Z more is that Z (recorded once, no second Z sent), the
// same count means the Z is still to be made.
TEST_F(ReportsTest, ZWhoseOutcomeWasNotKnownIsSettledByTheNextCall) {
  int records = 0;
  Tov00300::hostlib::SetDocNaoFiscalHandler(
      [&](auto&&...) { return Tov00300::Variant(++records); });
  for (const auto& [counterNow, zSent] : {std::pair{"0006", 1}, std::pair{"0005", 2}}) {
    SCOPED_TRACE(counterNow);
    Tov00300::session::ForgetPrinterDocuments();
    driver().ClearCalls();
    records = 0;
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"0005"});
    driver().Queue("iReducaoZ_ECF_Daruma", -28);
    driver().Queue("rRetornarInformacao_ECF_Daruma", 0);  // the counter after it is lost too
    EXPECT_FALSE(Tov00300::Reducao_Z_Imp("K", "", "AZUL", ""));
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {counterNow});
    EXPECT_TRUE(Tov00300::Reducao_Z_Imp("K", "", "AZUL", ""));
    EXPECT_EQ(driver().CountOf("iReducaoZ_ECF_Daruma"), zSent);
    EXPECT_EQ(records, 1);
  }
  Tov00300::hostlib::SetDocNaoFiscalHandler(nullptr);
}

TEST_F(ReportsTest, DocumentRecordQueriesTheCountersOfItsType) {
  std::vector<std::vector<std::string>> records;
  Tov00300::hostlib::SetDocNaoFiscalHandler(
      [&](const std::string& t1, const std::string& t2, const std::string& t3,
          const std::string& t4, const std::string& t5, const std::string& t6,
          const std::string& t7, DateTime, DateTime, const std::string&) {
        records.push_back({t1, t2, t3, t4, t5, t6, t7});
        return Tov00300::Variant();
      });
  driver().SetDefault("rRetornarInformacao_ECF_Daruma", {1, {"000042"}, {}});
  for (const char* tipo : {"LX", "RG", "CC", "RZ"}) {
    Tov00300::inRetorno = 77;
    Tov00300::GravaDocumentosNaoFiscais("K", "AZUL", tipo, "");
  }
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0], (std::vector<std::string>{"K", "000042", "", "", "", "LX", ""}));
  EXPECT_EQ(records[1],
            (std::vector<std::string>{"K", "000042", "000042", "000042", "", "RG", ""}));
  EXPECT_EQ(records[2], (std::vector<std::string>{"K", "000042", "000042", "", "0000", "CC", ""}));
  EXPECT_EQ(records[3], (std::vector<std::string>{"K", "000042", "000042", "", "", "RZ", ""}));
  // The CDC buffer is four characters wide.
  int cdcQueries = 0;
  for (const DriverCall& call : driver().CallsTo("rRetornarInformacao_ECF_Daruma")) {
    if (call.args[0] != "45") continue;
    ++cdcQueries;
    EXPECT_EQ(call.args[1], "[out 4]");
  }
  EXPECT_EQ(cdcQueries, 1);

  // A host whose register fails: the operator is told, nothing escapes.
  Tov00300::hostlib::SetDocNaoFiscalHandler(
      [](auto&&...) -> Tov00300::Variant { throw std::runtime_error("banco fora do ar"); });
  EXPECT_NO_THROW(Tov00300::GravaDocumentosNaoFiscais("K", "AZUL", "RG", ""));
  ASSERT_FALSE(scriptedOperator().Messages().empty());
  EXPECT_EQ(scriptedOperator().Messages().back().text, "banco fora do ar");
  EXPECT_EQ(scriptedOperator().Messages().back().type, 3);
  Tov00300::hostlib::SetDocNaoFiscalHandler(nullptr);
}

TEST_F(ReportsTest, BarCodesOfFixedLengthAreBroughtToTheirDigits) {
  struct Case {
    const char* tipo;
    const char* codigo;
    std::vector<std::string> sent;
  } cases[] = {
      {"EAN-13", "7891234567895", {"1", "4", "150", "1", "789123456789"}},
      {"EAN-8", "123", {"2", "4", "150", "1", "0000123"}},
      {"UPC-A", "036000291452", {"8", "4", "150", "1", "03600029145"}},
      {"CODE128", "ABC-1", {"5", "4", "150", "1", "ABC-1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tipo);
    driver().ClearCalls();
    EXPECT_TRUE(Tov00300::CodigoBarra("AZUL", "", "", 0, c.codigo, c.tipo));
    EXPECT_EQ(ArgsOf("iImprimirCodigoBarras_ECF_Daruma"), c.sent);
  }
  // A refused code is not reported as printed, though the report is closed.
  driver().Queue("iImprimirCodigoBarras_ECF_Daruma", -2);
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"0"});  // before the opening
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"4"});
  EXPECT_FALSE(Tov00300::CodigoBarra("AZUL", "", "", 0, "1", "CODE39"));
  EXPECT_EQ(driver().CountOf("iRGFechar_ECF_Daruma"), 1);
}

TEST_F(ReportsTest, LineGroupPrinterCutsOnlyALineTooLongForOneCommand) {
  Tov00300::inTipoImpFis = 24;
  EXPECT_TRUE(
      Tov00300::Relatorio_Generico("AZUL", "", "", std::string(700, 'w') + "\nfim\n", "K", ""));
  const auto prints = driver().CallsTo("iRGImprimirTexto_ECF_Daruma");
  ASSERT_EQ(prints.size(), 3u);
  EXPECT_EQ(prints[0].args[0], std::string(619, 'w'));
  EXPECT_EQ(prints[1].args[0], std::string(81, 'w') + "\n");
  EXPECT_EQ(prints[2].args[0], "fim\n");
}

TEST_F(ReportsTest, ReportWithARefusedPieceIsClosedButNotPrinted) {
  int records = 0;
  Tov00300::hostlib::SetDocNaoFiscalHandler([&](auto&&...) {
    ++records;
    return Tov00300::Variant();
  });
  driver().Queue("iRGImprimirTexto_ECF_Daruma", 1);
  driver().Queue("iRGImprimirTexto_ECF_Daruma", -1);
  EXPECT_FALSE(Tov00300::RG_FrameWork("AZUL", std::string(700, 'a')));
  EXPECT_EQ(driver().CountOf("iRGFechar_ECF_Daruma"), 1);

  // The closed report is a document: recorded, though the answer is false.
  Tov00300::inTipoImpFis = 29;
  driver().Queue("iRGImprimirTexto_ECF_Daruma", -1);
  EXPECT_FALSE(Tov00300::Relatorio_Generico("AZUL", "", "", "texto", "K", ""));
  EXPECT_EQ(records, 1);
  // A report that never opened is no document, whatever the closing says.
  Tov00300::inTipoImpFis = 24;
  driver().Queue("iRGAbrirPadrao_ECF_Daruma", -1);
  EXPECT_FALSE(Tov00300::Relatorio_Generico("AZUL", "", "", "texto", "K", ""));
  EXPECT_EQ(records, 1);
  Tov00300::hostlib::SetDocNaoFiscalHandler(nullptr);
}

// A report the host left open refuses the line-group printer's opening but
// takes the text and the closing: a document printed, recorded.
TEST_F(ReportsTest, GenericReportIntoAReportLeftOpenIsPrintedAndRecorded) {
  int records = 0;
  Tov00300::hostlib::SetDocNaoFiscalHandler([&](auto&&...) {
    ++records;
    return Tov00300::Variant();
  });
  Tov00300::inTipoImpFis = 24;
  ASSERT_TRUE(Tov00300::Relatorio_Gerencial_Imp("AZUL", "", "", "", ""));  // the host's report
  driver().Queue("iRGAbrirPadrao_ECF_Daruma", -1);
  // The document state before and after the refused opening, and at the closing.
  for (int i = 0; i < 3; ++i) driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"4"});
  EXPECT_TRUE(Tov00300::Relatorio_Generico("AZUL", "", "", "texto\n", "K", ""));
  EXPECT_EQ(ArgsOf("iRGImprimirTexto_ECF_Daruma"), std::vector<std::string>{"texto\n"});
  EXPECT_EQ(driver().CountOf("iRGFechar_ECF_Daruma"), 1);
  EXPECT_EQ(records, 1);
  Tov00300::hostlib::SetDocNaoFiscalHandler(nullptr);
}

TEST_F(ReportsTest, DrawerStateIsOpenOnlyForOne) {
  driver().Queue("rStatusGaveta_ECF_Daruma", {1, {}, {2}});
  EXPECT_EQ(Tov00300::Estado_Gaveta_Imp("AZUL"), "00");
  driver().Queue("rStatusGaveta_ECF_Daruma", {1, {}, {1}});
  EXPECT_EQ(Tov00300::Estado_Gaveta_Imp("AZUL"), "01");
  driver().Queue("rStatusGaveta_ECF_Daruma", {0, {}, {1}});
  EXPECT_EQ(Tov00300::Estado_Gaveta_Imp("AZUL"), "");
}

TEST_F(ReportsTest, AmountsThatAreNoNumberSendNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(Tov00300::Suprimento("AZUL", nan));
  Tov00300::DataSet nothing;
  EXPECT_FALSE(Tov00300::Sangria("", "AZUL", std::numeric_limits<double>::infinity(), nothing));
  EXPECT_EQ(driver().CountOf("iSuprimento_ECF_Daruma"), 0);
  EXPECT_EQ(driver().CountOf("iSangria_ECF_Daruma"), 0);
  EXPECT_EQ(scriptedOperator().Messages().size(), 2u);
}

}  // namespace
}  // namespace tovtest
