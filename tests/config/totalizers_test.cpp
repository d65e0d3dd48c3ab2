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

const char* const kLer = "rLerCNF_ECF_Daruma";
const char* const kCadastrar = "confCadastrarPadrao_ECF_Daruma";

using Indices = std::array<std::string, 5>;  // voucher, consumer card, credit, cancel, report

Indices Carrega(Indices entrada = {"x", "x", "x", "x", ""}) {
  DataSet ignorado;
  CarregaTotalizador(entrada[0], entrada[1], entrada[2], entrada[3], entrada[4], "ESQ", 0,
                     ignorado);
  return entrada;
}

std::vector<std::string> Cadastros(tovtest::ScriptedDriver& driver) {
  std::vector<std::string> nomes;
  for (const auto& chamada : driver.CallsTo(kCadastrar)) {
    EXPECT_EQ(chamada.args.at(0), "TNF");
    nomes.push_back(chamada.args.at(1));
  }
  return nomes;
}

struct CasoTotalizadores {
  const char* nome;
  std::string lista;
  Indices esperado;
  std::vector<std::string> cadastros;
};
// Test listings show the case by its name.
void PrintTo(const CasoTotalizadores& caso, std::ostream* os) {
  *os << caso.nome;
}

class CarregaTotalizadorTest : public PackageTest,
                               public ::testing::WithParamInterface<CasoTotalizadores> {};

TEST_P(CarregaTotalizadorTest, FindsOrRegistersTheFiveTotalizers) {
  driver().Queue(kLer, 1, {GetParam().lista});

  EXPECT_EQ(Carrega(), GetParam().esperado);
  EXPECT_EQ(Cadastros(driver()), GetParam().cadastros);
}

const std::vector<std::string> kTodos{"CONTRA-VALE EMITIDO", "Cred Pessoal", "Relatorios",
                                      "VENDA CONSUMIDOR", "Canc Credito"};

INSTANTIATE_TEST_SUITE_P(
    Listas, CarregaTotalizadorTest,
    ::testing::Values(
        CasoTotalizadores{"NomesCortadosEmQuinze",
                          "CONTRA-VALE EMI;VENDA CONSUMIDO",
                          {"01", "02", "03", "05", "04"},
                          {"Cred Pessoal", "Relatorios", "Canc Credito"}},
        CasoTotalizadores{"ListaVaziaCadastraOsCinco", "", {"01", "04", "02", "05", "03"}, kTodos},
        CasoTotalizadores{"TodosPresentes",
                          "Relatorios;Canc Credito;Cred Pessoal;VENDA CONSUMIDO;CONTRA-VALE EMI",
                          {"05", "04", "03", "02", "01"},
                          {}},
        CasoTotalizadores{"OutraCaixaNaoReconhecida",
                          "contra-vale emi;VENDA CONSUMIDO;Cred Pessoal;Canc Credito;Relatorios",
                          {"06", "02", "03", "04", "05"},
                          {"CONTRA-VALE EMITIDO"}},
        CasoTotalizadores{"EntradaEmBrancoOcupaIndice",
                          "CONTRA-VALE EMI;;VENDA CONSUMIDO",
                          {"01", "03", "04", "06", "05"},
                          {"Cred Pessoal", "Relatorios", "Canc Credito"}},
        // The printer's own ";" at the end adds no phantom entry.
        CasoTotalizadores{"PontoEVirgulaFinal",
                          "CONTRA-VALE EMI;VENDA CONSUMIDO;",
                          {"01", "02", "03", "05", "04"},
                          {"Cred Pessoal", "Relatorios", "Canc Credito"}},
        CasoTotalizadores{
            "BrancosEmVolta",
            "  Sangria ; Cred Pessoal  ",
            {"03", "05", "02", "06", "04"},
            {"CONTRA-VALE EMITIDO", "Relatorios", "VENDA CONSUMIDOR", "Canc Credito"}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(PackageTest, HostReportIndexIsKeptWhenThePrinterHasNoReportTotalizer) {
  driver().Queue(kLer, 1, {"CONTRA-VALE EMI"});
  const Indices indices = Carrega({"", "", "", "", "09"});
  EXPECT_EQ(indices[4], "09");
  EXPECT_EQ(Cadastros(driver()),
            (std::vector<std::string>{"Cred Pessoal", "VENDA CONSUMIDOR", "Canc Credito"}));
  EXPECT_EQ(indices[2], "02");
}

TEST_F(PackageTest, HostReportIndexIsReplacedByThePrintersIndex) {
  driver().Queue(kLer, 1, {"Sangria;Relatorios"});
  EXPECT_EQ(Carrega({"", "", "", "", "09"})[4], "02");
}

TEST_F(PackageTest, TotalizerIndicesReachTheGlobals) {
  IdTotRelatorio = "07";
  driver().Queue(kLer, 1, {"VENDA CONSUMIDO;Canc Credito;Cred Pessoal;CONTRA-VALE EMI"});
  Carrega();
  EXPECT_EQ(IdTotParcCV, "04");
  EXPECT_EQ(IdTotParcVCons, "01");
  EXPECT_EQ(IdTotCompCred, "03");
  EXPECT_EQ(IdTotCancCred, "02");
  EXPECT_EQ(IdTotRelatorio, "");
}

TEST_F(PackageTest, TotalizerLoadingWritesTheExactLogLines) {
  driver().Queue(kLer, 1, {"CONTRA-VALE EMI;VENDA CONSUMIDO;Cred Pessoal;Canc Credito  "});
  Carrega();
  const std::vector<std::string> esperado{
      "rLerCNF_ECF_Daruma\r\nRetorno da Impressora : "
      "CONTRA-VALE EMI;VENDA CONSUMIDO;Cred Pessoal;Canc Credito  ",
      "confCadastrarPadrao_ECF_Daruma (TNF) : 5 - Relatorios"};
  EXPECT_EQ(tovtest::DebugLogTexts(), esperado);
  EXPECT_EQ(driver().CallsTo(kLer).at(0).args, std::vector<std::string>{"[out 360]"});
  EXPECT_TRUE(operador().Messages().empty());
}

TEST_F(PackageTest, RefusedTotalizerGetsNoIndexAndTheNextTakesTheFreeOne) {
  driver().Queue(kLer, 1, {"CONTRA-VALE EMI;VENDA CONSUMIDO"});
  driver().Queue(kCadastrar, -1);  // "Cred Pessoal" refused

  const Indices indices = Carrega();

  EXPECT_EQ(indices, (Indices{"01", "02", "", "04", "03"}));
  EXPECT_EQ(IdTotCompCred, "");
  EXPECT_FALSE(VerificaTotalizador());
}

TEST_F(PackageTest, UnreadableTotalizerListRegistersNothing) {
  driver().Queue(kLer, configtest::DriverAnswerNoReply());

  EXPECT_EQ(Carrega({"01", "02", "03", "04", "05"}), (Indices{"", "", "", "", "05"}));
  EXPECT_EQ(driver().CountOf(kCadastrar), 0);
  EXPECT_EQ(IdTotParcCV, "");
}

TEST_F(PackageTest, VerificaTotalizadorAnswersWhetherTheCreditIndexIsKnown) {
  const std::vector<std::pair<std::string, bool>> casos{{"", false}, {"  ", false}, {"03", true}};
  for (const auto& [indice, esperado] : casos) {
    IdTotCompCred = indice;
    EXPECT_EQ(VerificaTotalizador(), esperado) << "'" << indice << "'";
  }
}

}  // namespace
