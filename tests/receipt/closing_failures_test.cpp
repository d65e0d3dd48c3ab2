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

const char* const kSteps[] = {"iCFTotalizarCupom_ECF_Daruma",
                              "iCFEfetuarPagamentoFormatado_ECF_Daruma",
                              "iCFEncerrarConfigMsg_ECF_Daruma"};

class ClosingFailureTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    ReceiptOpenedBySession();
  }
  bool Close(const Positions& p) { return Tov00300::FechaCupom(p.v, lines_, result_); }
  // The printer accepts the first `accepted` commands and reports an error
  // in its status after the next one.
  void RefuseAfter(int accepted) {
    for (int i = 0; i < accepted; ++i) driver().QueueStatus(1, 0, 0);
    driver().QueueStatus(1, 78, 0);
  }
  std::vector<int> Counts() {
    std::vector<int> n;
    for (const char* step : kSteps) n.push_back(driver().CountOf(step));
    return n;
  }
  bool ResultUntouched() {
    for (const Variant& e : result_.AsArray())
      if (!e.IsEmpty()) return false;
    return true;
  }

  StringList lines_;
  Variant result_{VariantArray(4)};
};

TEST_F(ClosingFailureTest, RefusedStepIsRepeatedAfterYesInACardSale) {
  for (int step = 0; step < 3; ++step) {
    SCOPED_TRACE(kSteps[step]);
    driver().Reset();
    scriptedOperator().Clear();
    result_ = Variant(VariantArray(4));
    RefuseAfter(step);
    scriptedOperator().QueueAnswer(true);
    ASSERT_TRUE(Close(Positions().Card("S")));
    std::vector<int> expected = {1, 1, 1};
    expected[static_cast<size_t>(step)] = 2;
    EXPECT_EQ(Counts(), expected);
    const auto calls = driver().CallsTo(kSteps[step]);
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
    std::string cardUseKind;
    bool cardPayment;
    bool scriptedOperator;
    bool asked;
  };
  const Case cases[] = {
      {"card sale, operator says no", "S", true, true, true},
      {"card sale without an operator", "T", true, false, false},
      {"no card payment", "S", false, true, false},
      {"card kind not S or T", "N", true, true, false},
  };
  for (const Case& c : cases) {
    for (int step = 0; step < 3; ++step) {
      SCOPED_TRACE(std::string(c.name) + " at " + kSteps[step]);
      driver().Reset();
      scriptedOperator().Clear();
      result_ = Variant(VariantArray(4));
      Tov00300::boNUtilTaa = c.scriptedOperator;
      Tov00300::boClieUtil = true;
      Tov00300::inRetorno = 1;
      RefuseAfter(step + (c.cardUseKind == "T" ? 1 : 0));  // the state check comes first
      EXPECT_FALSE(Close(Positions().Pos(9, c.cardUseKind).Pos(11, c.cardPayment)));
      std::vector<int> expected = {1, 1, 1};
      for (int i = step + 1; i < 3; ++i) expected[static_cast<size_t>(i)] = 0;
      EXPECT_EQ(Counts(), expected);
      EXPECT_EQ(Questions().size(), c.asked ? 1u : 0u);
      EXPECT_EQ(Tov00300::boClieUtil, c.asked);  // only an unasked refusal clears it
      EXPECT_TRUE(ResultUntouched());
    }
  }
}

TEST_F(ClosingFailureTest, PrinterStateIsCheckedFirstInACardSaleOfKindT) {
  Tov00300::inRetorno = 1;
  driver().QueueStatus(1, 78, 0);  // the state check finds an error
  scriptedOperator().QueueAnswer(true);
  ASSERT_TRUE(Close(Positions().Card("T")));
  EXPECT_EQ(Counts(), (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(Questions().size(), 1u);
  EXPECT_EQ(result_.AsArray()[0].AsInt(), 1);

  // No: nothing is sent and the result is left alone.
  driver().Reset();
  scriptedOperator().Clear();
  result_ = Variant(VariantArray(4));
  driver().QueueStatus(1, 78, 0);
  EXPECT_FALSE(Close(Positions().Card("T")));
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0}));
  EXPECT_TRUE(ResultUntouched());

  // Kind "S" does not check the state: the same status refuses the subtotal.
  driver().Reset();
  driver().QueueStatus(1, 78, 0);
  EXPECT_FALSE(Close(Positions().Card("S")));
  EXPECT_EQ(Counts(), (std::vector<int>{1, 0, 0}));
}

TEST_F(ClosingFailureTest, CardPaymentRefusedTwiceIsSentUntilAccepted) {
  Positions p;
  p.Card("S").Pos(13, Movements({{"1", "E", "002", 10}, {"2", "E", "002", 15}}));
  driver().Queue("iCFEfetuarPagamentoFormatado_ECF_Daruma", -6);
  driver().Queue("iCFEfetuarPagamentoFormatado_ECF_Daruma", 0);
  scriptedOperator().QueueAnswer(true);
  scriptedOperator().QueueAnswer(true);
  ASSERT_TRUE(Close(p));
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
