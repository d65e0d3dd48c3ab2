// Cancellations of items and receipts, and the surcharge total.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "readings/control_file.h"
#include "receipt/sale_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/dataset.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace tovtest {
namespace {

using Tov00300::Variant;
using Tov00300::VariantArray;

class CancellationTest : public PackageTest {
 protected:
  static VariantArray Positions(bool shown = true) {
    return {Variant("AZUL"), Variant(shown), Variant(false),         Variant(),
            Variant("001"),  Variant("02"),  Variant("BE0123456789")};
  }
  bool CancelItem(const std::string& nrItem) {
    return Tov00300::Cancela_ItGenerico("AZUL", nrItem, "", "", "", "", "", "", "", 0.0, 0.0);
  }
  // Index of the first recorded call to the entry point, or -1.
  int IndexOfCall(const std::string& name) {
    const auto& calls = driver().Calls();
    for (size_t i = 0; i < calls.size(); ++i)
      if (calls[i].name == name) return static_cast<int>(i);
    return -1;
  }
};

TEST_F(CancellationTest, ItemNumberLosesItsFirstCharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {"00012", "0012"}, {"012", "12"}, {"123456", "2345"}, {"7", ""}};
  for (const auto& [nrItem, sent] : cases) {
    SCOPED_TRACE(nrItem);
    driver().ClearCalls();
    EXPECT_TRUE(CancelItem(nrItem));
    const std::vector<DriverCall> calls = driver().CallsTo("iCFCancelarItem_ECF_Daruma");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args[0], sent);
  }
  const std::vector<std::string> log = DebugLogTexts();
  EXPECT_TRUE(tovtest::LogHas("iCFCancelarItem_ECF_Daruma : 0012", log));
}

TEST_F(CancellationTest, RefusedItemCancellationShowsNothing) {
  driver().Queue("iCFCancelarItem_ECF_Daruma", -6);
  EXPECT_FALSE(CancelItem("00003"));
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_EQ(Tov00300::inRetorno, -6);
}

TEST_F(CancellationTest, RefusedLastItemCancellationIsAlwaysShown) {
  Tov00300::boNUtilTaa = false;
  driver().Queue("iCFCancelarUltimoItem_ECF_Daruma", -6);
  EXPECT_FALSE(Tov00300::Cancela_UltimoItem("AZUL"));
  ASSERT_FALSE(scriptedOperator().Messages().empty());
  EXPECT_EQ(scriptedOperator().Messages()[0].context, "AZUL");
  const std::vector<std::string> log = DebugLogTexts();
  EXPECT_TRUE(tovtest::LogHas("iCFCancelarUltimoItem_ECF_Daruma", log));
}

TEST_F(CancellationTest, ReceiptNumberHandedBackDependsOnThePrinterType) {
  struct Case {
    int kind;
    std::string coo, count, expected;
  };
  const Case cases[] = {
      {29, "000150", "0002", "000148"}, {29, "000150", "0000", "000150"},
      {24, "000150", "", "000150"},     {0, "000007", "", "000007"},
      {0, "150   ", "", "000150"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.kind) + " COO '" + c.coo + "'");
    driver().ClearCalls();
    Tov00300::inTipoImpFis = c.kind;
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {c.coo});
    if (c.kind == 29) driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {c.count});
    Variant result(VariantArray{Variant("antes")});
    EXPECT_TRUE(Tov00300::Cancela_Cupom_Imp(Positions(), result));
    EXPECT_EQ(result.AsArray()[0].AsString(), c.expected);

    // The register queries made before the cancellation (the grand-total
    // refresh may query more after it): the receipt number, then whether a
    // receipt is open, whose cancellation the grand-total note covers.
    std::vector<std::string> queried;
    for (const DriverCall& call : driver().Calls()) {
      if (call.name == "iCFCancelar_ECF_Daruma") break;
      if (call.name == "rRetornarInformacao_ECF_Daruma") queried.push_back(call.args[0]);
    }
    const std::vector<std::string> expected = c.kind == 29
                                                  ? std::vector<std::string>{"26", "53", "56"}
                                                  : std::vector<std::string>{"26", "56"};
    EXPECT_EQ(queried, expected);
    EXPECT_EQ(driver().CountOf("iCFCancelar_ECF_Daruma"), 1);
  }
}

TEST_F(CancellationTest, RefusedCancellationStillFillsTheNumberAndRefreshesTheGrandTotal) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000150"});
  driver().Queue("iCFCancelar_ECF_Daruma", -6);
  Variant result(VariantArray{Variant()});
  EXPECT_FALSE(Tov00300::Cancela_Cupom_Imp(Positions(false), result));
  EXPECT_EQ(result.AsArray()[0].AsString(), "000150");

  // Position 1 false: the refusal itself is not shown. Without a control file
  // the grand-total refresh reports that, after the cancellation was sent.
  const int cancel = IndexOfCall("iCFCancelar_ECF_Daruma");
  ASSERT_GE(cancel, 0);
  const auto& messages = scriptedOperator().Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_GT(messages[0].driverCallsBefore, static_cast<size_t>(cancel));
  EXPECT_NE(messages[0].text.find("Brindal.cds"), std::string::npos);
  const std::vector<std::string> log = DebugLogTexts();
  EXPECT_TRUE(tovtest::LogHas("iCFCancelar_ECF_Daruma", log));
}

TEST_F(CancellationTest, CancellationRecordsThePrinterGrandTotalWhateverItsOutcome) {
  using Tov00300::DataPacket;
  using Tov00300::FieldType;
  Tov00300::stAtuFili = "001";
  Tov00300::stAtuCaixa = "02";
  Tov00300::stSerieAtu = "DR0001";
  for (const int code : {1, -6}) {
    SCOPED_TRACE("cancellation code " + std::to_string(code));
    scriptedOperator().Clear();
    // The stored total differs from the printer's: a check would refuse it,
    // the refresh after a cancellation records the printer's total.
    DataPacket p;
    p.fields = {{"CDFILIAL", FieldType::String, 4},    {"CDCAIXA", FieldType::String, 3},
                {"NRSERIEECF", FieldType::String, 20}, {"IDSITECFIMPF", FieldType::String, 1},
                {"CAMPO01", FieldType::String, 1},     {"CAMPO02", FieldType::String, 60}};
    p.rows.push_back({Variant("001"), Variant("02"), Variant("DR0001"), Variant("A"), Variant("S"),
                      Variant(Tov00300::hostlib::Cripto("1,00", Tov00300::kScrambleKey))});
    Tov00300::platform::AtomicReplaceFile(Tov00300::ControlFilePath(), Tov00300::DataSet::ToXml(p));
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000150"});
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"0"});  // no receipt open
    driver().Queue("iCFCancelar_ECF_Daruma", code);
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000000001234567"});
    Variant result(VariantArray{Variant()});
    EXPECT_EQ(Tov00300::Cancela_Cupom_Imp(Positions(false), result), code == 1);

    EXPECT_TRUE(scriptedOperator().Messages().empty());
    const DataPacket recorded = Tov00300::DataSet::FromXml(
        Tov00300::platform::ReadFile(Tov00300::ControlFilePath()).value_or(""));
    ASSERT_EQ(recorded.rows.size(), 1u);
    EXPECT_EQ(Tov00300::hostlib::Uncripto(recorded.rows[0][5].AsString(), Tov00300::kScrambleKey),
              "12345,67");
  }
}

TEST_F(CancellationTest, ReceiptNumberThatIsNotANumberStopsBeforeTheCancellation) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", -6, {"      "});
  Variant result(VariantArray{Variant("antes")});
  EXPECT_THROW(Tov00300::Cancela_Cupom_Imp(Positions(), result), Tov00300::ConversionError);
  EXPECT_EQ(driver().CountOf("iCFCancelar_ECF_Daruma"), 0);
  EXPECT_EQ(result.AsArray()[0].AsString(), "antes");
}

TEST_F(CancellationTest, ShortPositionArrayAndEmptyResultAreTolerated) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000009"});
  Variant result(VariantArray{});
  EXPECT_TRUE(Tov00300::Cancela_Cupom_Imp(VariantArray{Variant("AZUL")}, result));
  ASSERT_EQ(result.AsArray().size(), 1u);
  EXPECT_EQ(result.AsArray()[0].AsString(), "000009");
}

TEST_F(CancellationTest, SurchargeTotalIsReadWithoutTouchingTheLastCode) {
  Tov00300::inRetorno = 55;
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"0000000001250"});
  std::string total;
  EXPECT_TRUE(Tov00300::Acrescimo_Imp("AZUL", total));
  EXPECT_EQ(total, "0000000001250");
  EXPECT_EQ(Tov00300::inRetorno, 55);
  EXPECT_EQ(driver().CallsTo("rRetornarInformacao_ECF_Daruma")[0].args,
            (std::vector<std::string>{"12", "[out 13]"}));
  const std::vector<std::string> log = DebugLogTexts();
  EXPECT_NE(
      std::find(log.begin(), log.end(),
                "rRetornarInformacao_ECF_Daruma (12)\r\nRetorno da Impressora : 0000000001250"),
      log.end());

  driver().Queue("rRetornarInformacao_ECF_Daruma", -6, {"0000000000000"});
  EXPECT_FALSE(Tov00300::Acrescimo_Imp("AZUL", total));
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

}  // namespace
}  // namespace tovtest
