// Receipt opening and the receipt-number queries.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "receipt/sale_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/format.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace tovtest {
namespace {

using Tov00300::MakeBag;
using Tov00300::Variant;

const std::vector<std::string> kReturnedKeys = {
    "INTTEFERRO", "INCLUICPF", "INCLUINOME", "INCLUIENDERECO", "CUPNR", "CONTCUPOM", "MENSAGEMTAA"};

class OpeningTest : public PackageTest {
 protected:
  // The printer's answers to the COO and CCF queries after an opening.
  void QueueNumbers(const std::string& coo, const std::string& ccf) {
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {coo});
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {ccf});
  }
  Variant CardSaleBag(const std::string& cardUseKind, bool cardPayment) {
    return MakeBag({{"ESQUEMACOR", "AZUL"},
                    {"INTTEFERRO", 0},
                    {"INCLUICPF", ""},
                    {"CUPNR", "host-cup"},
                    {"CONTCUPOM", "host-cont"},
                    {"IDUTILTEF", cardUseKind},
                    {"UTILTEF", cardPayment}});
  }
};

TEST_F(OpeningTest, StandardOpeningReturnsTheSevenPairsInOrder) {
  QueueNumbers("000150", "000042");
  Variant bag = MakeBag({{"INCLUICPF", "  "},
                         {"INCLUINOME", "Maria"},
                         {"INCLUIENDERECO", "Rua A"},
                         {"INTTEFERRO", 2},
                         {"ESQUEMACOR", "AZUL"}});
  ASSERT_TRUE(Tov00300::AbreCupom(bag));

  EXPECT_EQ(CommandNames(),
            (std::vector<std::string>{"iCFAbrirPadrao_ECF_Daruma", "rRetornarInformacao_ECF_Daruma",
                                      "rRetornarInformacao_ECF_Daruma"}));
  EXPECT_EQ(Commands()[1].args[0], "26");
  EXPECT_EQ(Commands()[2].args[0], "30");
  EXPECT_EQ(BagKeys(bag), kReturnedKeys);
  EXPECT_EQ(BagValue(bag, "INTTEFERRO").kind(), Variant::Kind::Integer);
  EXPECT_EQ(BagValue(bag, "INTTEFERRO").AsInt(), 2);
  // Without a CPF the name and address are neither sent nor blanked.
  EXPECT_EQ(BagValue(bag, "INCLUINOME").AsString(), "Maria");
  EXPECT_EQ(BagValue(bag, "INCLUIENDERECO").AsString(), "Rua A");
  EXPECT_EQ(BagValue(bag, "CUPNR").AsString(), "000150");
  EXPECT_EQ(BagValue(bag, "CONTCUPOM").AsString(), "000042");
  EXPECT_EQ(BagValue(bag, "MENSAGEMTAA").AsString(), "");

  const std::vector<std::string> log = DebugLogTexts();
  EXPECT_TRUE(tovtest::LogHas("iCFAbrirPadrao_ECF_Daruma", log));
  EXPECT_TRUE(tovtest::LogHas(
      "rRetornarInformacao_ECF_Daruma (26)\r\nRetorno da Impressora : 000150", log));
  EXPECT_TRUE(tovtest::LogHas(
      "rRetornarInformacao_ECF_Daruma (30)\r\nRetorno da Impressora : 000042", log));
}

TEST_F(OpeningTest, IdentifiedOpeningSendsABlankForMissingNameOrAddress) {
  struct Case {
    std::string name, address, nameSent, addressSent;
  };
  const Case cases[] = {
      {"", "", " ", " "},
      {"   ", "Rua B, 10", " ", "Rua B, 10"},
      {"Ana", "\t", "Ana", " "},
      {"Ana", "Rua B", "Ana", "Rua B"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("name '" + c.name + "', address '" + c.address + "'");
    driver().ClearCalls();
    QueueNumbers("000151", "000043");
    Variant bag = MakeBag(
        {{"INCLUICPF", "12345678909"}, {"INCLUINOME", c.name}, {"INCLUIENDERECO", c.address}});
    ASSERT_TRUE(Tov00300::AbreCupom(bag));
    const std::vector<DriverCall> open = driver().CallsTo("iCFAbrir_ECF_Daruma");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].args, (std::vector<std::string>{"12345678909", c.nameSent, c.addressSent}));
    EXPECT_EQ(BagValue(bag, "INCLUINOME").AsString(), c.nameSent);
    EXPECT_EQ(BagValue(bag, "INCLUIENDERECO").AsString(), c.addressSent);
    EXPECT_EQ(BagValue(bag, "INCLUICPF").AsString(), "12345678909");
  }
}

TEST_F(OpeningTest, FailureWithoutOperatorAsksNothingAndKeepsTheHostNumbers) {
  Tov00300::boNUtilTaa = false;
  Tov00300::boClieUtil = true;
  driver().Queue("iCFAbrirPadrao_ECF_Daruma", -6);
  Variant bag = CardSaleBag("S", true);
  EXPECT_FALSE(Tov00300::AbreCupom(bag));

  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_EQ(CommandNames(), std::vector<std::string>{"iCFAbrirPadrao_ECF_Daruma"});
  EXPECT_FALSE(Tov00300::boClieUtil);
  EXPECT_EQ(BagKeys(bag), kReturnedKeys);
  EXPECT_EQ(BagValue(bag, "CUPNR").AsString(), "host-cup");
  EXPECT_EQ(BagValue(bag, "CONTCUPOM").AsString(), "host-cont");
  EXPECT_FALSE(BagValue(bag, "MENSAGEMTAA").AsString().empty());
}

TEST_F(OpeningTest, RefusedOpeningIsRepeatedAfterYes) {
  Tov00300::boClieUtil = true;
  driver().Queue("iCFAbrirPadrao_ECF_Daruma", -6);
  driver().Queue("iCFAbrirPadrao_ECF_Daruma", -6);
  QueueNumbers("000152", "000044");
  scriptedOperator().QueueAnswer(true);
  scriptedOperator().QueueAnswer(true);
  Variant bag = CardSaleBag("T", true);
  ASSERT_TRUE(Tov00300::AbreCupom(bag));

  EXPECT_EQ(driver().CountOf("iCFAbrirPadrao_ECF_Daruma"), 3);
  const std::vector<ShownMessage> questions = Questions();
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_EQ(questions[0].text,
            Tov00300::Utf8ToCp1252("Impressora não responde. Imprimir novamente?"));
  EXPECT_EQ(questions[0].flag, "N");
  EXPECT_EQ(questions[0].type, 3);
  EXPECT_EQ(questions[0].context, "AZUL");
  EXPECT_EQ(BagValue(bag, "INTTEFERRO").AsInt(), 1);
  EXPECT_EQ(BagValue(bag, "CUPNR").AsString(), "000152");
  EXPECT_FALSE(Tov00300::boClieUtil);
  // The terminal text is cleared once, before the first try: the refusals
  // stay in it after the opening finally succeeds.
  EXPECT_FALSE(BagValue(bag, "MENSAGEMTAA").AsString().empty());
}

TEST_F(OpeningTest, NoToTheRetryLeavesTheBagAsTheHostSentIt) {
  driver().Queue("iCFAbrirPadrao_ECF_Daruma", -6);
  scriptedOperator().QueueAnswer(false);
  const Variant original = CardSaleBag("S", true);
  Variant bag = original;
  EXPECT_FALSE(Tov00300::AbreCupom(bag));
  EXPECT_EQ(Questions().size(), 1u);
  EXPECT_EQ(driver().CountOf("iCFAbrirPadrao_ECF_Daruma"), 1);
  EXPECT_TRUE(bag == original);
}

TEST_F(OpeningTest, NoRetryQuestionOutsideACardSale) {
  struct Case {
    std::string cardUseKind;
    bool cardPayment;
  };
  for (const Case& c : {Case{"S", false}, Case{"T", false}, Case{"N", true}, Case{"", true}}) {
    SCOPED_TRACE("IDUTILTEF '" + c.cardUseKind + "' UTILTEF " + std::to_string(c.cardPayment));
    scriptedOperator().Clear();
    scriptedOperator().QueueAnswer(true);
    driver().ClearCalls();
    Tov00300::boClieUtil = true;
    driver().Queue("iCFAbrirPadrao_ECF_Daruma", -6);
    Variant bag = CardSaleBag(c.cardUseKind, c.cardPayment);
    EXPECT_FALSE(Tov00300::AbreCupom(bag));
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(driver().CountOf("iCFAbrirPadrao_ECF_Daruma"), 1);
    EXPECT_TRUE(Tov00300::boClieUtil);
    EXPECT_EQ(BagKeys(bag), kReturnedKeys);
    EXPECT_EQ(BagValue(bag, "CUPNR").AsString(), "host-cup");
  }
}

TEST_F(OpeningTest, RefusedCooQueryAnswersErrorAlthoughTheReceiptIsOpen) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", -1, {"      "});
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000045"});
  Variant bag = MakeBag({{"CUPNR", "x"}});
  EXPECT_TRUE(Tov00300::AbreCupom(bag));
  EXPECT_EQ(BagValue(bag, "CUPNR").AsString(), "ERRO");
  EXPECT_EQ(BagValue(bag, "CONTCUPOM").AsString(), "000045");
  // The query is never shown to the operator.
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

TEST_F(OpeningTest, OnlyTheOpeningReportsAPendingPrinterWarning) {
  // Warning 1 pending after the opening and after both counter queries.
  for (int i = 0; i < 3; ++i) driver().QueueStatus(1, 0, 1);
  driver().QueueInterpretation("eInterpretarAviso_ECF_Daruma", "Pouco papel");
  QueueNumbers("000153", "000046");
  Variant bag = MakeBag({{"ESQUEMACOR", "AZUL"}});
  ASSERT_TRUE(Tov00300::AbreCupom(bag));

  const std::vector<std::string> calls = driver().CallNames();
  ASSERT_EQ(driver().CountOf("eInterpretarAviso_ECF_Daruma"), 1);
  const auto warning = std::find(calls.begin(), calls.end(), "eInterpretarAviso_ECF_Daruma");
  const auto query = std::find(calls.begin(), calls.end(), "rRetornarInformacao_ECF_Daruma");
  EXPECT_LT(warning, query);
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  EXPECT_EQ(scriptedOperator().Messages()[0].text, "Pouco papel");
  EXPECT_EQ(BagValue(bag, "CUPNR").AsString(), "000153");
}

TEST_F(OpeningTest, CcfCounterKeepsBlanksWhenTheDriverWritesNothing) {
  Tov00300::inRetorno = 77;
  // A description pending from the caller's own command is left for the
  // analysis to log; the counter's line is written separately.
  Tov00300::stImpDebug = "comando pendente";
  driver().Queue("rRetornarInformacao_ECF_Daruma", DriverAnswer{1, {}, {}, false});
  std::string contador = "host";
  EXPECT_TRUE(Tov00300::ContadorCupomFiscalMFD("AZUL", contador));
  EXPECT_EQ(contador, "      ");
  EXPECT_EQ(Tov00300::inRetorno, 77);
  const std::vector<std::string> log = DebugLogTexts();
  EXPECT_EQ(tovtest::LogCount(
                "rRetornarInformacao_ECF_Daruma (30)\r\nRetorno da Impressora :       ", log),
            1);
  EXPECT_TRUE(tovtest::LogHas("comando pendente", log));
}

}  // namespace
}  // namespace tovtest
