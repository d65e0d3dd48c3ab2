// Receipt closing: the subtotal, the payments built from the movement rows,
// the closing message and the result elements.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "receipt/closing_helpers.h"
#include "receipt/sale_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace tovtest {
namespace {

using Tov00300::StringList;
using Tov00300::Variant;
using Tov00300::VariantArray;

class ClosingTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    ReceiptOpenedBySession();
  }
  bool Close(const Positions& p) { return Tov00300::FechaCupom(p.v, lines_, result_); }
  // The payments sent, as "name|value".
  std::vector<std::string> PaymentsSent() {
    std::vector<std::string> found;
    for (const DriverCall& c : driver().CallsTo("iCFEfetuarPagamentoFormatado_ECF_Daruma"))
      found.push_back(c.args[0] + "|" + c.args[1]);
    return found;
  }
  std::string ClosingMessage() {
    const auto calls = driver().CallsTo("iCFEncerrarConfigMsg_ECF_Daruma");
    return calls.empty() ? "(none)" : calls.back().args[0];
  }

  StringList lines_;
  Variant result_{VariantArray(4)};
};

TEST_F(ClosingTest, SubtotalSendsTheDiscountOrElseTheSurcharge) {
  struct Case {
    double discount, surcharge;
    const char* kind;
    const char* amount;
  };
  const Case cases[] = {
      {5, 2, "D$", "5,00"},       {0, 0, "D$", "0"},     {0, 2.499, "A$", "2,49"},
      {10.999, 0, "D$", "10,99"}, {-1, 3, "A$", "3,00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + c.amount);
    driver().ClearCalls();
    ASSERT_TRUE(Close(Positions().Pos(6, c.discount).Pos(8, c.surcharge)));
    const auto calls = driver().CallsTo("iCFTotalizarCupom_ECF_Daruma");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, (std::vector<std::string>{c.kind, c.amount}));
    EXPECT_TRUE(LogHas(std::string("iCFTotalizarCupom_ECF_Daruma : ") + c.kind + " - " + c.amount));
  }
}

TEST_F(ClosingTest, PaymentsFollowTheMovementRows) {
  struct Case {
    const char* name;
    std::string cardUseKind;
    bool cardPayment;
    std::vector<Movement> rows;
    std::vector<std::string> expected;
  };
  const std::vector<Movement> threeLines = {
      {"1", "E", "002", 10}, {"2", "E", "002", 15}, {"3", "E", "001", 5}};
  const Case cases[] = {
      {"card sale merges one type",
       "S",
       true,
       threeLines,
       {"Cartao Credito|25,00", "Dinheiro|5,00"}},
      {"card kind T merges too", "T", true, threeLines, {"Cartao Credito|25,00", "Dinheiro|5,00"}},
      {"a T row joins the E line of its type, never another T line",
       "S",
       true,
       {{"1", "T", "002", 4}, {"2", "E", "002", 6}, {"3", "T", "002", 1}},
       {"Cartao Credito|4,00", "Cartao Credito|7,00"}},
      {"no card payment: one each",
       "S",
       false,
       threeLines,
       {"Cartao Credito|10,00", "Cartao Credito|15,00", "Dinheiro|5,00"}},
      {"order of NRORDTROCO, then time",
       "",
       false,
       {{"2", "E", "001", 1, "", "", 5},
        {"1", "E", "002", 2, "", "", 9},
        {"2", "E", "004", 3, "", "", 1}},
       {"Cartao Credito|2,00", "Conta Consumidor|3,00", "Dinheiro|1,00"}},
      {"card line pays as its original type",
       "",
       false,
       {{"1", "E", "002", 7.5, "341", "005"}},
       {"Ticket Alimentac|7,50"}},
      {"other kinds are not paid",
       "",
       false,
       {{"1", "S", "001", 3}, {"2", "T", "001", 4}},
       {"Dinheiro|4,00"}},
      {"amount rounded to the cent", "", false, {{"1", "E", "001", 0.125}}, {"Dinheiro|0,13"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    driver().ClearCalls();
    Positions p;
    p.Pos(9, c.cardUseKind).Pos(11, c.cardPayment).Pos(13, Movements(c.rows));
    ASSERT_TRUE(Close(p));
    EXPECT_EQ(PaymentsSent(), c.expected);
  }
  EXPECT_TRUE(LogHas("iCFEfetuarPagamentoFormatado_ECF_Daruma : Cartao Credito - 25,00"));
  EXPECT_TRUE(LogHas("iCFEfetuarPagamentoFormatado_ECF_Daruma : Ticket Alimentac - 7,50"));
  // The working table keeps the lines sent, in change order.
  EXPECT_EQ(Tov00300::DataModule().cdsMovCaixaTef.IndexName(), "idxNRORDTROCO");
}

// A closing that pays nothing cannot close the receipt: it says so, sends
// nothing, and still writes the result elements.
TEST_F(ClosingTest, WithoutPaymentRowsNothingIsSentAndTheResultIsWritten) {
  EXPECT_FALSE(Close(Positions().Pos(13, Movements({{"1", "S", "001", 3}}))));
  EXPECT_TRUE(CommandNames().empty());
  const VariantArray& r = result_.AsArray();
  EXPECT_EQ(r[0].AsInt(), 0);
  EXPECT_EQ(r[1].AsString(), "RET42");
  EXPECT_EQ(r[2].AsString(), "");
  EXPECT_NE(r[3].AsString().find("Nenhum pagamento"), std::string::npos);
}

TEST_F(ClosingTest, UnknownPaymentTypeSendsNothingAndNamesTheType) {
  Tov00300::boClieUtil = true;
  Positions p;
  p.Pos(13, Movements({{"1", "E", "001", 10}, {"2", "E", "009", 5}}));
  EXPECT_FALSE(Close(p));
  EXPECT_TRUE(driver().Calls().empty());  // the receipt stays as it was, open
  const std::string text =
      Tov00300::Utf8ToCp1252("Tipo de recebimento não cadastrado para o pagamento: 009");
  EXPECT_TRUE(LogHas("ERRO!!! " + text));
  EXPECT_EQ(result_.AsArray()[3].AsString(), " " + text);
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  EXPECT_EQ(scriptedOperator().Messages()[0].text, text);
  EXPECT_FALSE(Tov00300::boClieUtil);

  // A card line is checked by the type it stands for, before even the state
  // check of a card sale of kind "T".
  driver().ClearCalls();
  Tov00300::inRetorno = 1;
  EXPECT_FALSE(
      Close(Positions().Card("T").Pos(13, Movements({{"1", "E", "002", 10, "341", "077"}}))));
  EXPECT_TRUE(driver().Calls().empty());
  EXPECT_TRUE(Questions().empty());
}

TEST_F(ClosingTest, ClosingMessageCarriesTheSaleTexts) {
  Positions p;
  p.Pos(1, "OBRIGADO").Pos(21, "12").Pos(31, "77").Pos(41, "001").Pos(29, "0005").Pos(28, "000123");
  p.Pos(51, 1234.5).Pos(58, 2.0).Pos(52, 150.0).Pos(54, 12.5).Pos(22, "01").Pos(23, "ANA");
  ASSERT_TRUE(Close(p));
  EXPECT_EQ(ClosingMessage(),
            "OBRIGADO\n"
            "Trib aprox R$: 1.234,50 Federal e 2,00 Estadual\n\rFonte: IBPT\n"
            "ECF:001-Conf.Mesa -CER: 0005- COO: 000123\n"
            "Mesa  : 12           - SENHA : 77\n"
            "   Nesta compra voce ganhou 150 DOTZ    \n"
            "Nesta compra voce ganhou 12,5 DOTZ extra\n" +
                std::string(kSupportLine) + "\n");  // the eighth line: no operator line
  EXPECT_TRUE(LogHas("iCFEncerrarConfigMsg_ECF_Daruma"));

  // An order-pad number (five characters or more), no points, short footer.
  driver().ClearCalls();
  ASSERT_TRUE(Close(Positions().Pos(21, "12345").Pos(22, "01").Pos(23, "ANA")));
  EXPECT_EQ(ClosingMessage(), std::string("\n") + kNoTaxes +
                                  "\nECF:-Conf.Mesa -CER: - COO: \n"
                                  "Comanda : 12345   - \n" +
                                  kSupportLine + "\nOperador: 01 - ANA\n");
}

TEST_F(ClosingTest, ConsumerIsPrintedUnlessPositionSixtyIsFalse) {
  struct Case {
    Variant pos60;
    bool printed;
  };
  for (const Case& c : {Case{Variant::Null(), true}, Case{true, true}, Case{false, false}}) {
    SCOPED_TRACE(c.pos60.KindName());
    driver().ClearCalls();
    Positions p;
    p.Pos(15, "10").Pos(16, "EMPRESA X").Pos(17, "55").Pos(18, "JOAO").Pos(60, c.pos60);
    ASSERT_TRUE(Close(p));
    EXPECT_EQ(ClosingMessage().find("EMPRESA X - JOAO\n") != std::string::npos, c.printed);
  }
}

TEST_F(ClosingTest, ReadingStopsAtAValueThatDoesNotConvert) {
  Positions p;
  p.Pos(15, "10").Pos(16, "EMPRESA X").Pos(17, "55").Pos(18, "JOAO").Pos(30, Variant::Null());
  ASSERT_TRUE(Close(p));
  // Positions 31 to 60 kept their empty values: no consumer, no position 42.
  EXPECT_EQ(ClosingMessage().find("JOAO"), std::string::npos);
  EXPECT_EQ(result_.AsArray()[1].AsString(), "");
}

TEST_F(ClosingTest, AgreementFooterShowsTheConsumerBalance) {
  Positions p;
  p.Pos(13, Movements({{"1", "E", "003", 20}, {"2", "E", "004", 30}}));
  p.Pos(15, "10").Pos(16, "EMPRESA X").Pos(17, "55").Pos(18, "JOAO").Pos(37, 100.0).Pos(38, 5.0);
  ASSERT_TRUE(Close(p));
  const std::string message = ClosingMessage();
  // 100 less the 30 paid from the account, plus the subsidy of 5.
  EXPECT_NE(message.find(Tov00300::Utf8ToCp1252("Convênio ..: 10 - EMPRESA X\n")),
            std::string::npos);
  EXPECT_NE(message.find("Saldo Final :  - 75,00\n"), std::string::npos);
}

TEST_F(ClosingTest, ChangeVoucherFollowsTheClosing) {
  driver().Queue("rLerCNF_ECF_Daruma", 1, {"SANGRIA;CONTRA-VALE EMI"});
  ASSERT_TRUE(Close(Positions().Pos(4, true).Pos(7, 12.5)));
  const std::vector<std::string> names = CommandNames();
  const auto closing = std::find(names.begin(), names.end(), "iCFEncerrarConfigMsg_ECF_Daruma");
  ASSERT_NE(closing, names.end());
  EXPECT_LT(closing - names.begin(),
            std::find(names.begin(), names.end(), "iCNFAbrirPadrao_ECF_Daruma") - names.begin());
  EXPECT_EQ(driver().CallsTo("iCNFReceberSemDesc_ECF_Daruma").at(0).args,
            (std::vector<std::string>{"02", "12,50"}));
  EXPECT_EQ(driver().CallsTo("iCNFEfetuarPagamentoFormatado_ECF_Daruma").at(0).args,
            (std::vector<std::string>{"Dinheiro", "12,50"}));

  // A contra-vale the printer cannot take does not undo the closing.
  driver().ClearCalls();
  driver().Queue("rLerCNF_ECF_Daruma", 1, {"SANGRIA"});
  EXPECT_TRUE(Close(Positions().Pos(4, true).Pos(7, 12.5)));
}

// Under pt_BR "1.500" is no amount: the closing stops at it, and no
// contra-vale of 1,50 is printed.
TEST_F(ClosingTest, ChangeVoucherWithAPointIsNoAmountUnderPtBr) {
  driver().Queue("rLerCNF_ECF_Daruma", 1, {"SANGRIA;CONTRA-VALE EMI"});
  EXPECT_FALSE(Close(Positions().Pos(4, true).Pos(7, "1.500")));
  EXPECT_TRUE(driver().CallsTo("iCNFReceberSemDesc_ECF_Daruma").empty());
}

TEST_F(ClosingTest, BadPacketFailsButStillWritesTheResult) {
  for (const Variant& bad : {Variant(), Variant("rows")}) {
    SCOPED_TRACE(bad.KindName());
    result_ = Variant(VariantArray(4));
    EXPECT_FALSE(Close(Positions().Pos(13, bad)));
    EXPECT_EQ(result_.AsArray()[1].AsString(), "RET42");
  }
  EXPECT_TRUE(driver().Calls().empty());
}

}  // namespace
}  // namespace tovtest
