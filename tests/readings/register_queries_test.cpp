// Printer amounts and the simple register queries: conversions, buffer
// widths, debug lines and what blank or malformed replies do.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "driver/registers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

// The reduction counter is exported under its plain name only.
extern "C" bool BuscaNReducoes(const char* stEsquema, char* numero, int tamanho);

namespace {

using namespace Tov00300;
using driver::RegisterInfo;
using driver::Registers;
using driver::RegisterWidth;

bool NReducoes(const std::string& stEsquema, std::string& numero) {
  char buffer[16] = "velho";
  const bool ok = ::BuscaNReducoes(stEsquema.c_str(), buffer, sizeof buffer);
  numero = buffer;
  return ok;
}
using tovtest::PackageTest;

struct CasoValor {
  const char* texto;
  double valor;
};

TEST_F(PackageTest, GetValueReadsTwoImpliedDecimals) {
  const CasoValor casos[] = {
      {"0000000000012", 0.12},    {"000000001234567", 12345.67},
      {"1.234,5", 123.45},        {"  000000000100  ", 1.00},
      {"12,34", 12.34},           {"\t0000000099\r\n", 0.99},
      {"-0000000001050", -10.50},
  };
  for (const CasoValor& caso : casos) {
    EXPECT_DOUBLE_EQ(GetValue(caso.texto), caso.valor) << caso.texto;
  }
}

TEST_F(PackageTest, GetValueRaisesForTextsThatAreNoAmount) {
  for (const char* texto : {"", "             ", "12a45", "R$ 10,00", ".,"}) {
    EXPECT_THROW(GetValue(texto), ConversionError) << "'" << texto << "'";
  }
}

TEST_F(PackageTest, GetValueFollowsTheProcessDecimalSeparator) {
  GlobalFormatSettings() = FormatSettings::FromLocaleName("C");
  EXPECT_DOUBLE_EQ(GetValue("000000001234567"), 12345.67);
}

// Every query asks its register with a buffer of the register's width.
struct CasoConsulta {
  const char* nome;
  bool (*operacao)(const std::string&, std::string&);
  const char* registro;
  int largura;
  std::string resposta;
  std::string esperado;
};
// Test listings show the case by its name.
void PrintTo(const CasoConsulta& caso, std::ostream* os) {
  *os << caso.nome;
}

class SimpleQueryTest : public PackageTest, public ::testing::WithParamInterface<CasoConsulta> {};

TEST_P(SimpleQueryTest, AsksItsRegisterAndFormatsTheReply) {
  const CasoConsulta& caso = GetParam();
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {caso.resposta});
  std::string saida = "velho";
  EXPECT_TRUE(caso.operacao("AZUL", saida));
  EXPECT_EQ(saida, caso.esperado);
  auto chamadas = driver().CallsTo("rRetornarInformacao_ECF_Daruma");
  ASSERT_EQ(chamadas.size(), 1u);
  EXPECT_EQ(chamadas[0].args, (std::vector<std::string>{
                                  caso.registro, "[out " + std::to_string(caso.largura) + "]"}));
  EXPECT_EQ(RegisterWidth(static_cast<driver::Register>(std::stoi(caso.registro))), caso.largura);
  EXPECT_TRUE(stImpDebug.empty()) << "the analysis ran and wrote the debug line";
}

INSTANTIATE_TEST_SUITE_P(
    Consultas, SimpleQueryTest,
    ::testing::Values(
        CasoConsulta{"TotGer", BuscaTotGer, "1", 18, "000000000001234550", "12345,5"},
        CasoConsulta{"TotGerInteiro", BuscaTotGer, "1", 18, "000000000000100000", "1000"},
        CasoConsulta{"Cancelamentos", Cancelamentos, "13", 13, "0000000001099", "10,99"},
        CasoConsulta{"Descontos", BuscaDescontos, "11", 13, "0000000000000", "0"},
        CasoConsulta{"OpNFis", BuscaOpNFis, "28", 6, "000321", "000321"},
        CasoConsulta{"ReinicioOp", BuscaReinicioOp, "23", 3, "012", "0012"},
        CasoConsulta{"NReducoes", NReducoes, "24", 4, "0041", "0042"},
        CasoConsulta{"NReducoesBranco", NReducoes, "24", 4, "    ", "0000"},
        CasoConsulta{"NReducoesVazio", NReducoes, "24", 4, "", "0000"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(PackageTest, QueryDebugLineCarriesTheReply) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000321"});
  std::string saida;
  BuscaOpNFis("AZUL", saida);
  const auto textos = tovtest::DebugLogTexts();
  ASSERT_FALSE(textos.empty());
  EXPECT_EQ(textos.front(),
            "rRetornarInformacao_ECF_Daruma (28)\r\nRetorno da Impressora : 000321");
}

TEST_F(PackageTest, ReductionCounterDebugLineCarriesTheNextNumber) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"0041"});
  std::string saida;
  NReducoes("AZUL", saida);
  const auto textos = tovtest::DebugLogTexts();
  ASSERT_FALSE(textos.empty());
  EXPECT_EQ(textos.front(), "rRetornarInformacao_ECF_Daruma (24)\r\nRetorno da Impressora : 0042");
}

TEST_F(PackageTest, BlankAmountReplyRaisesBeforeTheAnalysis) {
  // A printer that did not answer leaves the buffer blank.
  driver().Queue("rRetornarInformacao_ECF_Daruma", 0, {"                  "});
  std::string saida;
  EXPECT_THROW(BuscaTotGer("AZUL", saida), ConversionError);
  EXPECT_EQ(inRetorno, 0);
  EXPECT_EQ(driver().CountOf("rStatusUltimoCmdInt_ECF_Daruma"), 0) << "no analysis ran";
  EXPECT_TRUE(operador().Messages().empty());
}

TEST_F(PackageTest, MalformedCounterReplyIsAFailureAtThePlainName) {
  // The conversion error cannot cross the C boundary: the plain name answers
  // false and hands back the raw reply.
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"00A1"});
  std::string saida;
  EXPECT_FALSE(NReducoes("AZUL", saida));
  EXPECT_EQ(saida, "00A1");
}

TEST_F(PackageTest, FailedQueryStillAnswersTrue) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", -6, {"000000"});
  std::string saida;
  EXPECT_TRUE(BuscaOpNFis("AZUL", saida));
  EXPECT_EQ(inRetorno, -6);
  EXPECT_TRUE(operador().Messages().empty()) << "the simple queries show no dialog";
  EXPECT_NE(stMensagemTaa.find("Impressora desligada"), std::string::npos);
}

TEST_F(PackageTest, ReplyOverrunningItsBufferIsReadUpToTheWidth) {
  tovtest::DriverAnswer resposta;
  resposta.texts = {"0123456789"};
  resposta.terminate = false;
  driver().Queue("rRetornarInformacao_ECF_Daruma", resposta);
  std::string saida;
  BuscaReinicioOp("AZUL", saida);
  EXPECT_EQ(saida, "0012");
}

struct CasoVenda {
  std::string gt, inicio, esperado;
};

TEST_F(PackageTest, GrossSalesIsRegisterOneMinusRegisterTwo) {
  const CasoVenda casos[] = {
      {"000000001234567", "000000001000000", "2345,67"},
      {"000000001000000", "000000001000000", ",00"},
      {"000000001000050", "000000001000000", ",50"},
  };
  for (const CasoVenda& caso : casos) {
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {caso.gt});
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {caso.inicio});
    std::string saida;
    EXPECT_TRUE(BuscaVendaBruta("AZUL", saida));
    EXPECT_EQ(saida, caso.esperado);
  }
  auto chamadas = driver().CallsTo("rRetornarInformacao_ECF_Daruma");
  ASSERT_EQ(chamadas.size(), 6u);
  EXPECT_EQ(chamadas[0].args, (std::vector<std::string>{"1", "[out 18]"}));
  EXPECT_EQ(chamadas[1].args, (std::vector<std::string>{"2", "[out 18]"}));
}

TEST(RegisterTable, NumbersAreUniqueAndWidthsPositive) {
  int anterior = 0;
  for (const RegisterInfo& r : Registers()) {
    EXPECT_GT(r.number, anterior) << "ascending and unique";
    EXPECT_GT(r.width, 0);
    anterior = r.number;
  }
  EXPECT_EQ(RegisterWidth(driver::Register::kLastReduction), 1164);
  EXPECT_THROW(RegisterWidth(static_cast<driver::Register>(99)), std::out_of_range);
}

}  // namespace
