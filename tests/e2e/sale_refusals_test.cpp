// Commands the virtual printer refuses during a sale, through ecfhost: what
// the operator is asked, what is repeated, and what the printer ends up with.
#include <algorithm>
#include <string>
#include <vector>

#include "sale_script.h"
#include "support/debug_log_reader.h"
#include "tov00300/format.h"

namespace e2e {
namespace {

class SaleRefusalsTest : public EcfhostTest {
 protected:
  long CountInLog(const std::string& text) const {
    return tovtest::LogCount(Tov00300::Utf8ToCp1252(text), DebugLog());
  }
};

Json OpenDocumentQuery() {
  return {{"op", "driver"}, {"name", "rRetornarInformacao_ECF_Daruma"}, {"args", {"56", 1}}};
}

TEST_F(SaleRefusalsTest, RefusedItemAnsweredNoIsNotSoldAndTheBagIsLeftAlone) {
  const Json refused = ItemBag("111", "Queijo minas", 1, 20);
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"answers", {"N"}},
           {"calls",
            {StartCall(), OpenReceipt(), Sim("fail iCFVender_ECF_Daruma 0 once"),
             Call("VendaItem", {refused}), Call("VendaItem", {ItemBag("222", "Goiabada", 1, 6.5)}),
             ClosingCall({{"001", 6.5}})}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const Json& item = run.Record("VendaItem", 0);
  EXPECT_EQ(item["result"], false);
  EXPECT_EQ(item["args"][0], refused) << "the bag must come back as the host sent it";
  // The code's message, the printer's status of the command it did not
  // carry out, the question.
  ASSERT_EQ(item["messages"].size(), 3u) << item.dump();
  EXPECT_EQ(item["messages"][1]["text"], "Comando não executado.");
  EXPECT_EQ(item["messages"][2]["question"], true);
  EXPECT_EQ(item["messages"][2]["answer"], false);
  EXPECT_EQ(CountInLog("iCFVender_ECF_Daruma : I18,00 - 1,000 - 20,00 - A$ - 0,00 - 111 - UN - "
                       "Queijo minas"),
            1);

  EXPECT_EQ(run.Record("VendaItem", 1)["result"], true);
  EXPECT_EQ(run.Record("FechaCupom")["result"], true);
  EXPECT_EQ(Tape().find("Queijo minas"), std::string::npos) << Tape();
  EXPECT_NE(Tape().find("TOTAL R$                                    6,50"), std::string::npos)
      << Tape();
}

TEST_F(SaleRefusalsTest, CardPaymentRefusedOnceIsRepeatedAfterYes) {
  const HostRun run = Run(
      {{"locale", "pt_BR"},
       {"answers", {"S"}},
       {"calls",
        {StartCall(), OpenReceipt(true), Call("VendaItem", {ItemBag("333", "Vinho tinto", 2, 35)}),
         Sim("fail iCFEfetuarPagamentoFormatado_ECF_Daruma 0 once"),
         ClosingCall({{"003", 40}, {"003", 30}}, true), OpenDocumentQuery()}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const Json& closing = run.Record("FechaCupom");
  EXPECT_EQ(closing["result"], true) << closing.dump();
  // Element 0 says a repetition happened; element 3 keeps the printer's
  // message of the refusal for a self-service terminal.
  const Json& result = closing["args"][2];
  ASSERT_EQ(result.size(), 4u);
  EXPECT_EQ(result[0], 1);
  EXPECT_EQ(result[1], "ret");
  EXPECT_EQ(result[2], "");
  EXPECT_EQ(result[3], " Erro de comunicação. Comando não executado.");
  ASSERT_FALSE(closing["messages"].empty());
  const Json& question = closing["messages"].back();
  EXPECT_EQ(question["text"], "Impressora não responde. Imprimir novamente?");
  EXPECT_EQ(question["answer"], true);

  // The merged payment went twice to the printer and was registered once.
  EXPECT_EQ(CountInLog("iCFEfetuarPagamentoFormatado_ECF_Daruma : Cartao Debito - 70,00"), 2);
  EXPECT_EQ(run.Record("driver")["args"][1], "0") << "the receipt is still open";
  const std::string tape = Tape();
  EXPECT_NE(tape.find("Cartao Debito                              70,00"), std::string::npos)
      << tape;
  EXPECT_EQ(tape.find("Cartao Debito", tape.find("Cartao Debito") + 1), std::string::npos) << tape;
}

TEST_F(SaleRefusalsTest, CardPaymentRefusedAndNotRepeatedLeavesTheReceiptOpen) {
  const HostRun run = Run(
      {{"locale", "pt_BR"},
       {"answers", {"N"}},
       {"calls",
        {StartCall(), OpenReceipt(true), Call("VendaItem", {ItemBag("333", "Vinho tinto", 1, 35)}),
         Sim("fail iCFEfetuarPagamentoFormatado_ECF_Daruma 0 once"),
         ClosingCall({{"002", 35}}, true), OpenDocumentQuery()}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const Json& closing = run.Record("FechaCupom");
  EXPECT_EQ(closing["result"], false);
  // Ended by the operator's no: the host's result array is not written.
  EXPECT_EQ(
      closing["args"][2],
      Json::array({{{"empty", true}}, {{"empty", true}}, {{"empty", true}}, {{"empty", true}}}));
  EXPECT_EQ(CountInLog("iCFEncerrarConfigMsg_ECF_Daruma"), 0);
  EXPECT_EQ(run.Record("driver")["args"][1], "1") << "the receipt should be left open";
}

}  // namespace
}  // namespace e2e
