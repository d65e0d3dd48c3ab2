// Receipt closing: refused steps, the operator's repetition in a card sale
// and the repetition flag handed back to the host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "receipt/closing_helpers.h"
#include "receipt/sale_helpers.h"
#include "support/fixture.h"
#include "tov00300/format.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace tovtest {
namespace {

using Tov00300::StringList;
using Tov00300::Variant;
using Tov00300::VariantArray;

const char* const kPassos[] = {"iCFTotalizarCupom_ECF_Daruma",
                               "iCFEfetuarPagamentoFormatado_ECF_Daruma",
                               "iCFEncerrarConfigMsg_ECF_Daruma"};

class ClosingFailureTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    ReceiptOpenedBySession();
  }
  bool Fecha(const Posicoes& p) { return Tov00300::FechaCupom(p.v, linhas_, result_); }
  // The printer accepts the first `aceitos` commands and reports an error
  // in its status after the next one.
  void RecusaDepoisDe(int aceitos) {
    for (int i = 0; i < aceitos; ++i) driver().QueueStatus(1, 0, 0);
    driver().QueueStatus(1, 78, 0);
  }
  std::vector<int> Contagens() {
    std::vector<int> n;
    for (const char* passo : kPassos) n.push_back(driver().CountOf(passo));
    return n;
  }
  bool ResultadoIntocado() {
    for (const Variant& e : result_.AsArray())
      if (!e.IsEmpty()) return false;
    return true;
  }

  StringList linhas_;
  Variant result_{VariantArray(4)};
};

TEST_F(ClosingFailureTest, RefusedStepIsRepeatedAfterYesInACardSale) {
  for (int passo = 0; passo < 3; ++passo) {
    SCOPED_TRACE(kPassos[passo]);
    driver().Reset();
    operador().Clear();
    result_ = Variant(VariantArray(4));
    RecusaDepoisDe(passo);
    operador().QueueAnswer(true);
    ASSERT_TRUE(Fecha(Posicoes().Cartao("S")));
    std::vector<int> esperado = {1, 1, 1};
    esperado[static_cast<size_t>(passo)] = 2;
    EXPECT_EQ(Contagens(), esperado);
    const auto calls = driver().CallsTo(kPassos[passo]);
    EXPECT_EQ(calls[0].args, calls[1].args);  // the same command, the footer composed again
    ASSERT_EQ(Questions().size(), 1u);
    EXPECT_EQ(Questions()[0].text,
              Tov00300::Utf8ToCp1252("Impressora não responde. Imprimir novamente?"));
    EXPECT_EQ(Questions()[0].context, "VERDE");
    EXPECT_EQ(result_.AsArray()[0].AsInt(), 1);
    EXPECT_EQ(result_.AsArray()[1].AsString(), "RET42");
  }
}

TEST_F(ClosingFailureTest, RefusalEndsTheClosingWithoutAResult) {
  struct Case {
    const char* name;
    std::string idUtilTef;
    bool utilTef;
    bool operador;
    bool perguntado;
  };
  const Case cases[] = {
      {"card sale, operator says no", "S", true, true, true},
      {"card sale without an operator", "T", true, false, false},
      {"no card payment", "S", false, true, false},
      {"card kind not S or T", "N", true, true, false},
  };
  for (const Case& c : cases) {
    for (int passo = 0; passo < 3; ++passo) {
      SCOPED_TRACE(std::string(c.name) + " at " + kPassos[passo]);
      driver().Reset();
      operador().Clear();
      result_ = Variant(VariantArray(4));
      Tov00300::boNUtilTaa = c.operador;
      Tov00300::boClieUtil = true;
      Tov00300::inRetorno = 1;
      RecusaDepoisDe(passo + (c.idUtilTef == "T" ? 1 : 0));  // the state check comes first
      EXPECT_FALSE(Fecha(Posicoes().Pos(9, c.idUtilTef).Pos(11, c.utilTef)));
      std::vector<int> esperado = {1, 1, 1};
      for (int i = passo + 1; i < 3; ++i) esperado[static_cast<size_t>(i)] = 0;
      EXPECT_EQ(Contagens(), esperado);
      EXPECT_EQ(Questions().size(), c.perguntado ? 1u : 0u);
      EXPECT_EQ(Tov00300::boClieUtil, c.perguntado);  // only an unasked refusal clears it
      EXPECT_TRUE(ResultadoIntocado());
    }
  }
}

TEST_F(ClosingFailureTest, PrinterStateIsCheckedFirstInACardSaleOfKindT) {
  Tov00300::inRetorno = 1;
  driver().QueueStatus(1, 78, 0);  // the state check finds an error
  operador().QueueAnswer(true);
  ASSERT_TRUE(Fecha(Posicoes().Cartao("T")));
  EXPECT_EQ(Contagens(), (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(Questions().size(), 1u);
  EXPECT_EQ(result_.AsArray()[0].AsInt(), 1);

  // No: nothing is sent and the result is left alone.
  driver().Reset();
  operador().Clear();
  result_ = Variant(VariantArray(4));
  driver().QueueStatus(1, 78, 0);
  EXPECT_FALSE(Fecha(Posicoes().Cartao("T")));
  EXPECT_EQ(Contagens(), (std::vector<int>{0, 0, 0}));
  EXPECT_TRUE(ResultadoIntocado());

  // Kind "S" does not check the state: the same status refuses the subtotal.
  driver().Reset();
  driver().QueueStatus(1, 78, 0);
  EXPECT_FALSE(Fecha(Posicoes().Cartao("S")));
  EXPECT_EQ(Contagens(), (std::vector<int>{1, 0, 0}));
}

TEST_F(ClosingFailureTest, CardPaymentRefusedTwiceIsSentUntilAccepted) {
  Posicoes p;
  p.Cartao("S").Pos(13, Movimentos({{"1", "E", "002", 10}, {"2", "E", "002", 15}}));
  driver().Queue("iCFEfetuarPagamentoFormatado_ECF_Daruma", -6);
  driver().Queue("iCFEfetuarPagamentoFormatado_ECF_Daruma", 0);
  operador().QueueAnswer(true);
  operador().QueueAnswer(true);
  ASSERT_TRUE(Fecha(p));
  const auto calls = driver().CallsTo("iCFEfetuarPagamentoFormatado_ECF_Daruma");
  ASSERT_EQ(calls.size(), 3u);
  for (const DriverCall& c : calls)
    EXPECT_EQ(c.args, (std::vector<std::string>{"Cartao Credito", "25,00"}));
  EXPECT_EQ(result_.AsArray()[0].AsInt(), 1);
  // The printer's messages were collected for the host.
  EXPECT_FALSE(result_.AsArray()[3].AsString().empty());
}

}  // namespace
}  // namespace tovtest
