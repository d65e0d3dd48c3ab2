// Item sale: the printer command built from the host's numbers, and the
// operator's repetition of a refused item.
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

class ItemSaleTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    ReceiptOpenedBySession();
  }
  static Variant Item(const std::string& cardUseKind = "", bool cardPayment = false) {
    return MakeBag({{"ESQUEMACOR", "VERDE"},
                    {"INTEFERRO", 4},
                    {"CDARVPROD", "789"},
                    {"NMPROD", "ARROZ TIPO 1 PACOTE DE CINCO QUILOS"},
                    {"CDALIQ", "T"},
                    {"VRPERCALIQ", "18"},
                    {"QTDE", 1.0},
                    {"VALOR", 10.99},
                    {"DESCONT", 0.0},
                    {"ACRESCIMO", 0.0},
                    {"UNIDADE", "UN"},
                    {"IDUTILTEF", cardUseKind},
                    {"UTILTEF", cardPayment}});
  }
  std::string ItemQuestion() {
    return Tov00300::Utf8ToCp1252(
        "Erro ao imprimir o item: \r\n789 - ARROZ TIPO 1 PACOTE \r\nDeseja imprimir novamente?");
  }
};

TEST_F(ItemSaleTest, CommandArgumentsFollowTheHostNumbers) {
  struct Case {
    std::vector<std::pair<std::string, Variant>> changes;
    std::string expected;     // tax, quantity, price, kind, adjustment, code, unit
    size_t description = 35;  // characters of NMPROD sent
  };
  // clang-format off
  const Case cases[] = {
      {{}, "I18,00|1,000|10,99|A$|0,00|789|UN"},
      {{{"QTDE", 0.5}}, "I18,00|0,500|10,99|A$|0,00|789|UN"},
      {{{"QTDE", 1234.5678}}, "I18,00|1234,568|10,99|A$|0,00|789|UN"},  // rounded, not cut
      {{{"VALOR", 10.999}}, "I18,00|1,000|10,99|A$|0,00|789|UN"},
      {{{"DESCONT", 1.5}, {"ACRESCIMO", 2.0}}, "I18,00|1,000|10,99|D$|1,50|789|UN"},
      {{{"DESCONT", 0.019}}, "I18,00|1,000|10,99|D$|0,01|789|UN"},
      {{{"ACRESCIMO", -1.0}}, "I18,00|1,000|10,99|A$|-1,00|789|UN"},
      {{{"DESCONT", -3.0}, {"ACRESCIMO", 0.5}}, "I18,00|1,000|10,99|A$|0,50|789|UN"},
      {{{"UNIDADE", "UNID"}, {"NMPROD", std::string(60, 'D')}}, "I18,00|1,000|10,99|A$|0,00|789|UN", 50},
      {{{"CDALIQ", "II"}}, "I1|1,000|10,99|A$|0,00|789|UN"},
      {{{"CDALIQ", "FF"}}, "F1|1,000|10,99|A$|0,00|789|UN"},
      {{{"CDALIQ", "NN"}}, "N1|1,000|10,99|A$|0,00|789|UN"},
      {{{"CDALIQ", "ii"}}, "I18,00|1,000|10,99|A$|0,00|789|UN"},
      {{{"VRPERCALIQ", "7"}}, "I07,00|1,000|10,99|A$|0,00|789|UN"},
      {{{"VRPERCALIQ", "12,567"}}, "I12,56|1,000|10,99|A$|0,00|789|UN"},
      {{{"VRPERCALIQ", "  "}}, "I00,00|1,000|10,99|A$|0,00|789|UN"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    driver().ClearCalls();
    Variant bag = Item();
    std::string name = "ARROZ TIPO 1 PACOTE DE CINCO QUILOS";
    for (Variant& pair : bag.AsArray())
      for (const auto& [key, value] : c.changes)
        if (pair.AsArray()[0].AsString() == key) pair.AsArray()[1] = value;
    for (const auto& [key, value] : c.changes)
      if (key == "NMPROD") name = value.AsString();
    ASSERT_TRUE(Tov00300::VendaItem(bag));
    const std::vector<DriverCall> sell = driver().CallsTo("iCFVender_ECF_Daruma");
    ASSERT_EQ(sell.size(), 1u);
    std::string sent;
    for (size_t i = 0; i < 7; ++i) sent += (i ? "|" : "") + sell[0].args[i];
    EXPECT_EQ(sent, c.expected);
    EXPECT_EQ(sell[0].args[7], name.substr(0, c.description));
  }
}

// '.' groups thousands under pt_BR: a price or a rate written with a point is
// no number there, and the item is refused before the printer sees it (never
// sold at 1,29).
TEST_F(ItemSaleTest, NumberTextWithAPointIsRefusedUnderPtBr) {
  for (const char* key : {"VALOR", "VRPERCALIQ"}) {
    SCOPED_TRACE(key);
    Variant bag = Item();
    for (Variant& pair : bag.AsArray())
      if (pair.AsArray()[0].AsString() == key) pair.AsArray()[1] = "1.299";
    EXPECT_THROW(Tov00300::VendaItem(bag), Tov00300::ConversionError);
    EXPECT_TRUE(driver().CallsTo("iCFVender_ECF_Daruma").empty());
  }
}

TEST_F(ItemSaleTest, DebugLineListsTheArgumentsAsSent) {
  Variant bag = Item();
  ASSERT_TRUE(Tov00300::VendaItem(bag));
  const std::vector<std::string> log = DebugLogTexts();
  EXPECT_TRUE(
      tovtest::LogHas("iCFVender_ECF_Daruma : I18,00 - 1,000 - 10,99 - A$ - 0,00 - 789 - UN - "
                      "ARROZ TIPO 1 PACOTE DE CINCO QUILOS",
                      log));
}

TEST_F(ItemSaleTest, SoldItemReturnsTheTwoPairs) {
  Variant bag = Item();
  ASSERT_TRUE(Tov00300::VendaItem(bag));
  EXPECT_EQ(BagKeys(bag), (std::vector<std::string>{"INTTEFERRO", "MENSAGEMTAA"}));
  EXPECT_EQ(BagValue(bag, "INTTEFERRO").AsInt(), 4);
  EXPECT_EQ(BagValue(bag, "MENSAGEMTAA").AsString(), "");
}

TEST_F(ItemSaleTest, RefusedItemIsRepeatedAfterYes) {
  driver().Queue("iCFVender_ECF_Daruma", -6);
  scriptedOperator().QueueAnswer(true);
  Variant bag = Item();
  ASSERT_TRUE(Tov00300::VendaItem(bag));

  const std::vector<DriverCall> sell = driver().CallsTo("iCFVender_ECF_Daruma");
  ASSERT_EQ(sell.size(), 2u);
  EXPECT_EQ(sell[0].args, sell[1].args);
  const std::vector<ShownMessage> questions = Questions();
  ASSERT_EQ(questions.size(), 1u);
  // The description is cut to 20 characters in the question.
  EXPECT_EQ(questions[0].text, ItemQuestion());
  EXPECT_EQ(questions[0].type, 3);
  EXPECT_EQ(questions[0].context, "VERDE");
  EXPECT_EQ(BagKeys(bag), (std::vector<std::string>{"INTTEFERRO", "MENSAGEMTAA"}));
  // The terminal text is cleared before each analysis: the refusal of the
  // first try does not reach the host with the registered item.
  EXPECT_EQ(BagValue(bag, "MENSAGEMTAA").AsString(), "");
}

TEST_F(ItemSaleTest, ClientFlagFollowsTheOutcomeAndTheCardSale) {
  struct Case {
    const char* what;
    bool scriptedOperator, refused, cardPayment, clientFlag;
  };
  const Case cases[] = {
      {"sold, no card", true, false, false, true},
      {"sold, card sale", true, false, true, false},
      {"refused, no operator, no card", false, true, false, false},
      {"sold, no operator, no card", false, false, false, true},
      {"sold, no operator, card sale", false, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tov00300::boNUtilTaa = c.scriptedOperator;
    Tov00300::boClieUtil = true;
    if (c.refused) driver().Queue("iCFVender_ECF_Daruma", -6);
    Variant bag = Item("S", c.cardPayment);
    EXPECT_EQ(Tov00300::VendaItem(bag), !c.refused);
    EXPECT_EQ(Tov00300::boClieUtil, c.clientFlag);
  }
}

TEST_F(ItemSaleTest, QuestionDependsOnTheCardSale) {
  struct Case {
    std::string cardUseKind;
    bool cardPayment;
    bool printerQuestion;
  };
  for (const Case& c : {Case{"S", true, true}, Case{"T", true, true}, Case{"S", false, false},
                        Case{"N", true, false}}) {
    SCOPED_TRACE("IDUTILTEF '" + c.cardUseKind + "' UTILTEF " + std::to_string(c.cardPayment));
    scriptedOperator().Clear();
    driver().Queue("iCFVender_ECF_Daruma", -6);
    Variant bag = Item(c.cardUseKind, c.cardPayment);
    EXPECT_FALSE(Tov00300::VendaItem(bag));
    const std::vector<ShownMessage> questions = Questions();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text,
              c.printerQuestion
                  ? Tov00300::Utf8ToCp1252("Impressora não responde. Imprimir novamente?")
                  : ItemQuestion());
  }
}

TEST_F(ItemSaleTest, NoToTheRetryLeavesTheBagAsTheHostSentIt) {
  Tov00300::boClieUtil = true;
  driver().Queue("iCFVender_ECF_Daruma", -6);
  const Variant original = Item();
  Variant bag = original;
  EXPECT_FALSE(Tov00300::VendaItem(bag));
  EXPECT_TRUE(bag == original);
  EXPECT_EQ(driver().CountOf("iCFVender_ECF_Daruma"), 1);
  EXPECT_FALSE(Tov00300::boClieUtil);
}

TEST_F(ItemSaleTest, RefusalWithoutOperatorReturnsThePrinterMessage) {
  Tov00300::boNUtilTaa = false;
  Tov00300::boClieUtil = true;
  driver().Queue("iCFVender_ECF_Daruma", -6);
  Variant bag = Item("S", true);
  EXPECT_FALSE(Tov00300::VendaItem(bag));
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_FALSE(Tov00300::boClieUtil);
  EXPECT_EQ(BagKeys(bag), (std::vector<std::string>{"INTTEFERRO", "MENSAGEMTAA"}));
  EXPECT_FALSE(BagValue(bag, "MENSAGEMTAA").AsString().empty());
}

TEST_F(ItemSaleTest, RateThatIsNotANumberReachesTheHostBeforeAnyCommand) {
  Variant bag = MakeBag({{"CDALIQ", "T"}, {"VRPERCALIQ", "dezoito"}, {"QTDE", 1.0}});
  EXPECT_THROW(Tov00300::VendaItem(bag), Tov00300::ConversionError);
  EXPECT_TRUE(driver().Calls().empty());
}

}  // namespace
}  // namespace tovtest
