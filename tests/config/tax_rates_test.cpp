// Tax-rate loading: numbering in the printer's order, the fixed codes, and
// what a short, malformed or missing reply leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using configtest::DriverAnswerNoReply;
using tovtest::PackageTest;

struct Aliquota {
  std::string codigo;
  double valor;
  std::string tipo;
  friend bool operator==(const Aliquota&, const Aliquota&) = default;
};

void PrintTo(const Aliquota& a, std::ostream* os) {
  *os << "(" << a.codigo << ", " << a.valor << ", " << a.tipo << ")";
}

std::vector<Aliquota> Linhas(DataSet& ds) {
  std::vector<Aliquota> linhas;
  for (ds.First(); !ds.Eof(); ds.Next()) {
    linhas.push_back({ds.FieldByName("CDALIQIMPFIS").AsString(),
                      ds.FieldByName("VRALIQIMPFIS").AsFloat(),
                      ds.FieldByName("IDALIQIMPFIS").AsString()});
  }
  return linhas;
}

const Aliquota kNN{"NN", 0, "N"}, kII{"II", 0, "I"}, kFF{"FF", 0, "F"};

struct CasoAliquotas {
  const char* nome;
  std::string resposta;
  std::vector<Aliquota> esperado;  // in the host's set, storage order
};
// Test listings show the case by its name.
void PrintTo(const CasoAliquotas& caso, std::ostream* os) {
  *os << caso.nome;
}

class CarregaAliquotaTest : public PackageTest,
                            public ::testing::WithParamInterface<CasoAliquotas> {};

TEST_P(CarregaAliquotaTest, NumbersRatesInPrinterOrderThenFixedCodes) {
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {GetParam().resposta});
  DataSet host("cdsHost");
  host.CreateDataSet({{"OUTRO", FieldType::String, 5}});
  host.Append();
  host.FieldByName("OUTRO").SetAsString("velho");
  host.Post();

  CarregaAliquota("ESQ", host);

  EXPECT_EQ(Linhas(host), GetParam().esperado);
  EXPECT_EQ(host.FieldIndex("OUTRO"), -1) << "the host's content is replaced as a whole";
}

INSTANTIATE_TEST_SUITE_P(
    Respostas, CarregaAliquotaTest,
    ::testing::Values(
        CasoAliquotas{
            "DuasAliquotas", "T1800;S0500;", {{"01", 18, "T"}, {"02", 5, "S"}, kNN, kII, kFF}},
        CasoAliquotas{"UltimaSemPontoEVirgula", "T1800;S0500", {{"01", 18, "T"}, kNN, kII, kFF}},
        CasoAliquotas{"MalformadaConsomeIndice",
                      "T1800;TX100;S0500;",
                      {{"01", 18, "T"}, {"03", 5, "S"}, kNN, kII, kFF}},
        CasoAliquotas{"BrancosEmVolta", "   T0725;   ", {{"01", 7.25, "T"}, kNN, kII, kFF}},
        CasoAliquotas{"EntradaVaziaEncerra", "T1800;;S0500;", {{"01", 18, "T"}, kNN, kII, kFF}},
        CasoAliquotas{"RespostaVazia", "", {kNN, kII, kFF}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(PackageTest, TaxRateTableIsOrderedByKindAndRate) {
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {"T1800;S0500;T0700;"});
  DataSet host;
  CarregaAliquota("ESQ", host);

  DataSet& cds = DataModule().cdsAliqImpFis;
  EXPECT_EQ(cds.IndexName(), "IdxIdAliqVrAliq");
  const std::vector<Aliquota> esperado{
      kFF, kII, kNN, {"02", 5, "S"}, {"03", 7, "T"}, {"01", 18, "T"}};
  EXPECT_EQ(Linhas(cds), esperado);
}

TEST_F(PackageTest, TaxRatesFollowTheProcessDecimalSeparator) {
  GlobalFormatSettings().decimalSeparator = '.';
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {"T1250;"});
  DataSet host;
  CarregaAliquota("ESQ", host);
  const std::vector<Aliquota> esperado{{"01", 12.5, "T"}, kNN, kII, kFF};
  EXPECT_EQ(Linhas(host), esperado);
}

TEST_F(PackageTest, FailedTaxRateReadLeavesOnlyFixedCodesWithoutDialog) {
  driver().Queue("rLerAliquotas_ECF_Daruma", DriverAnswerNoReply());
  DataSet host;
  CarregaAliquota("ESQ", host);

  const std::vector<Aliquota> esperado{kNN, kII, kFF};
  EXPECT_EQ(Linhas(host), esperado);
  EXPECT_TRUE(operador().Messages().empty());
  EXPECT_NE(stMensagemTaa.find(Utf8ToCp1252("Erro de comunicação.")), std::string::npos);
}

TEST_F(PackageTest, TaxRateReadIsLoggedWithTheUntrimmedReply) {
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {"T1800;  "});
  DataSet host;
  CarregaAliquota("ESQ", host);

  const auto chamadas = driver().CallsTo("rLerAliquotas_ECF_Daruma");
  ASSERT_EQ(chamadas.size(), 1u);
  EXPECT_EQ(chamadas[0].args, std::vector<std::string>{"[out 150]"});
  const auto textos = tovtest::DebugLogTexts();
  ASSERT_FALSE(textos.empty());
  EXPECT_EQ(textos.front(), "rLerAliquotas_ECF_Daruma\r\nRetorno da Impressora : T1800;  ");
}

TEST_F(PackageTest, RawTaxRateListIsLeftTrimmedInStRetornoAndAnswersFalse) {
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {"  T1800;S0500;  "});

  EXPECT_FALSE(Retorno_Aliquotas_Imp("ESQ"));

  EXPECT_EQ(stRetorno, "T1800;S0500;");
  EXPECT_EQ(inRetorno, 1);
  const auto textos = tovtest::DebugLogTexts();
  ASSERT_FALSE(textos.empty());
  EXPECT_EQ(textos.front(), "rLerAliquotas_ECF_Daruma\r\nRetorno da Impressora :   T1800;S0500;  ");
}

}  // namespace
