// Non-fiscal totalizers: indices found in the printer's list, registration
// order and indices of the missing ones, the globals and the log lines.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "config/config_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/config.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::PackageTest;

class TotalizersTest : public PackageTest {};

const char* const kRead = "rLerCNF_ECF_Daruma";
const char* const kRegister = "confCadastrarPadrao_ECF_Daruma";

using Indices = std::array<std::string, 5>;  // voucher, consumer card, credit, cancel, report

Indices Load(Indices input = {"x", "x", "x", "x", ""}) {
  DataSet ignorado;
  CarregaTotalizador(input[0], input[1], input[2], input[3], input[4], "ESQ", 0, ignorado);
  return input;
}

std::vector<std::string> Registrations(tovtest::ScriptedDriver& driver) {
  std::vector<std::string> names;
  for (const auto& call : driver.CallsTo(kRegister)) {
    EXPECT_EQ(call.args.at(0), "TNF");
    names.push_back(call.args.at(1));
  }
  return names;
}

struct TotalizerCase {
  const char* name;
  std::string list;
  Indices expected;
  std::vector<std::string> registrations;
};
// Test listings show the case by its name.
void PrintTo(const TotalizerCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class CarregaTotalizadorTest : public PackageTest,
                               public ::testing::WithParamInterface<TotalizerCase> {};

TEST_P(CarregaTotalizadorTest, FindsOrRegistersTheFiveTotalizers) {
  driver().Queue(kRead, 1, {GetParam().list});

  EXPECT_EQ(Load(), GetParam().expected);
  EXPECT_EQ(Registrations(driver()), GetParam().registrations);
}

const std::vector<std::string> kAll{"CONTRA-VALE EMITIDO", "Cred Pessoal", "Relatorios",
                                    "VENDA CONSUMIDOR", "Canc Credito"};

INSTANTIATE_TEST_SUITE_P(
    Lists, CarregaTotalizadorTest,
    ::testing::Values(
        TotalizerCase{"NamesCutAtFifteen",
                      "CONTRA-VALE EMI;VENDA CONSUMIDO",
                      {"01", "02", "03", "05", "04"},
                      {"Cred Pessoal", "Relatorios", "Canc Credito"}},
        TotalizerCase{"EmptyListRegistersTheFive", "", {"01", "04", "02", "05", "03"}, kAll},
        TotalizerCase{"AllPresent",
                      "Relatorios;Canc Credito;Cred Pessoal;VENDA CONSUMIDO;CONTRA-VALE EMI",
                      {"05", "04", "03", "02", "01"},
                      {}},
        TotalizerCase{"OtherLetterCaseNotRecognised",
                      "contra-vale emi;VENDA CONSUMIDO;Cred Pessoal;Canc Credito;Relatorios",
                      {"06", "02", "03", "04", "05"},
                      {"CONTRA-VALE EMITIDO"}},
        TotalizerCase{"BlankEntryTakesAnIndex",
                      "CONTRA-VALE EMI;;VENDA CONSUMIDO",
                      {"01", "03", "04", "06", "05"},
                      {"Cred Pessoal", "Relatorios", "Canc Credito"}},
        // The printer's own ";" at the end adds no phantom entry.
        TotalizerCase{"FinalSemicolon",
                      "CONTRA-VALE EMI;VENDA CONSUMIDO;",
                      {"01", "02", "03", "05", "04"},
                      {"Cred Pessoal", "Relatorios", "Canc Credito"}},
        TotalizerCase{"BlanksAround",
                      "  Sangria ; Cred Pessoal  ",
                      {"03", "05", "02", "06", "04"},
                      {"CONTRA-VALE EMITIDO", "Relatorios", "VENDA CONSUMIDOR", "Canc Credito"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TotalizersTest, HostReportIndexIsKeptWhenThePrinterHasNoReportTotalizer) {
  driver().Queue(kRead, 1, {"CONTRA-VALE EMI"});
  const Indices indices = Load({"", "", "", "", "09"});
  EXPECT_EQ(indices[4], "09");
  EXPECT_EQ(Registrations(driver()),
            (std::vector<std::string>{"Cred Pessoal", "VENDA CONSUMIDOR", "Canc Credito"}));
  EXPECT_EQ(indices[2], "02");
}

TEST_F(TotalizersTest, HostReportIndexIsReplacedByThePrintersIndex) {
  driver().Queue(kRead, 1, {"Sangria;Relatorios"});
  EXPECT_EQ(Load({"", "", "", "", "09"})[4], "02");
}

TEST_F(TotalizersTest, TotalizerIndicesReachTheGlobals) {
  IdTotRelatorio = "07";
  driver().Queue(kRead, 1, {"VENDA CONSUMIDO;Canc Credito;Cred Pessoal;CONTRA-VALE EMI"});
  Load();
  EXPECT_EQ(IdTotParcCV, "04");
  EXPECT_EQ(IdTotParcVCons, "01");
  EXPECT_EQ(IdTotCompCred, "03");
  EXPECT_EQ(IdTotCancCred, "02");
  EXPECT_EQ(IdTotRelatorio, "");
}

TEST_F(TotalizersTest, TotalizerLoadingWritesTheExactLogLines) {
  driver().Queue(kRead, 1, {"CONTRA-VALE EMI;VENDA CONSUMIDO;Cred Pessoal;Canc Credito  "});
  Load();
  const std::vector<std::string> expected{
      "rLerCNF_ECF_Daruma\r\nRetorno da Impressora : "
      "CONTRA-VALE EMI;VENDA CONSUMIDO;Cred Pessoal;Canc Credito  ",
      "confCadastrarPadrao_ECF_Daruma (TNF) : 5 - Relatorios"};
  EXPECT_EQ(tovtest::DebugLogTexts(), expected);
  EXPECT_EQ(driver().CallsTo(kRead).at(0).args, std::vector<std::string>{"[out 360]"});
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

TEST_F(TotalizersTest, RefusedTotalizerGetsNoIndexAndTheNextTakesTheFreeOne) {
  driver().Queue(kRead, 1, {"CONTRA-VALE EMI;VENDA CONSUMIDO"});
  driver().Queue(kRegister, -1);  // "Cred Pessoal" refused

  const Indices indices = Load();

  EXPECT_EQ(indices, (Indices{"01", "02", "", "04", "03"}));
  EXPECT_EQ(IdTotCompCred, "");
  EXPECT_FALSE(VerificaTotalizador());
}

TEST_F(TotalizersTest, UnreadableTotalizerListRegistersNothing) {
  driver().Queue(kRead, configtest::DriverAnswerNoReply());

  EXPECT_EQ(Load({"01", "02", "03", "04", "05"}), (Indices{"", "", "", "", "05"}));
  EXPECT_EQ(driver().CountOf(kRegister), 0);
  EXPECT_EQ(IdTotParcCV, "");
}

TEST_F(TotalizersTest, VerificaTotalizadorAnswersWhetherTheCreditIndexIsKnown) {
  const std::vector<std::pair<std::string, bool>> cases{{"", false}, {"  ", false}, {"03", true}};
  for (const auto& [index, expected] : cases) {
    IdTotCompCred = index;
    EXPECT_EQ(VerificaTotalizador(), expected) << "'" << index << "'";
  }
}

}  // namespace
