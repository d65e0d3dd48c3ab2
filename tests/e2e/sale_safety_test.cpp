// A sale never goes onto the previous customer's receipt, a closing never
// reports success for a receipt it left open, the tape prints no line the
// host did not mean, and the grand-total check survives a till stopped right
// after a closing.
#include <algorithm>
#include <filesystem>

#include "tov00300/format.h"

#include "sale_script.h"

namespace e2e {
namespace {

class SaleSafetyTest : public EcfhostTest {
 protected:
  long CountInLog(const std::string& text) const {
    const auto log = DebugLog();
    return std::count(log.begin(), log.end(), Tov00300::Utf8ToCp1252(text));
  }
  static bool LogHas(const std::vector<std::string>& log, const std::string& part) {
    for (const std::string& line : log)
      if (line.find(part) != std::string::npos) return true;
    return false;
  }
};

TEST_F(SaleSafetyTest, LeftoverReceiptThatCannotBeCancelledBlocksTheNextSale) {
  const HostRun crashed =
      Run({{"calls",
            {StartCall(), Driver("iCFAbrirPadrao_ECF_Daruma"),
             Driver("iCFVender_ECF_Daruma",
                    {"F1", "1,000", "3,00", "D$", "0,00", "1", "UN", "Pao frances"})}}});
  ASSERT_EQ(crashed.exitStatus, 0) << crashed.err;

  const HostRun next = Run({{"locale", "pt_BR"},
                            {"calls",
                             {Sim("fail iCFCancelar_ECF_Daruma -1 always"), StartCall(),
                              OpenReceipt(), Call("VendaItem", {ItemBag("2", "Manteiga", 1, 9)}),
                              ClosingCall({{"001", 12}}), DocumentState()}}});
  ASSERT_EQ(next.exitStatus, 0) << next.err;
  const Json& start = next.Record("StartImpFiscal");
  EXPECT_EQ(start["result"], false);
  EXPECT_FALSE(start["messages"].empty());
  EXPECT_EQ(next.Record("AbreCupom")["result"], false);
  const Json& item = next.Record("VendaItem");
  EXPECT_EQ(item["result"], false);
  ASSERT_FALSE(item["messages"].empty());
  EXPECT_NE(item["messages"][0]["text"].get<std::string>().find("venda anterior"),
            std::string::npos);
  EXPECT_EQ(next.Record("FechaCupom")["result"], false);
  EXPECT_EQ(next.Record("driver")["args"][1], "1") << "the previous customer's receipt stays open";
  EXPECT_EQ(Tape().find("Manteiga"), std::string::npos) << Tape();
}

TEST_F(SaleSafetyTest, ClosingThatCannotFinishTheReceiptSaysSoBeforeSendingAnything) {
  Json paysNothing = ClosingCall({{"001", 5}});
  paysNothing["args"][0]["positions"]["13"]["rows"][0]["IDTIPOMOVIVE"] = "S";
  Json negativeContraVale = ClosingCall({{"001", 5}});
  negativeContraVale["args"][0]["positions"]["4"] = true;
  negativeContraVale["args"][0]["positions"]["7"] = -5;
  const HostRun run = Run(
      {{"locale", "pt_BR"},
       {"calls",
        {StartCall(), OpenReceipt(), Call("VendaItem", {ItemBag("3", "Sabao", 1, 5)}), paysNothing,
         negativeContraVale, DocumentState(), ClosingCall({{"001", 5}}), DocumentState()}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (int i : {0, 1}) {
    SCOPED_TRACE(i);
    const Json& closing = run.Record("FechaCupom", i);
    EXPECT_EQ(closing["result"], false);
    EXPECT_FALSE(closing["messages"].empty()) << closing.dump();
  }
  EXPECT_EQ(run.Record("driver", 0)["args"][1], "1") << "still open, untouched";
  EXPECT_EQ(CountInLog("iCFTotalizarCupom_ECF_Daruma : D$ - 0"), 1);
  EXPECT_EQ(run.Record("FechaCupom", 2)["result"], true);
  EXPECT_EQ(run.Record("driver", 1)["args"][1], "0");
  EXPECT_EQ(Tape().find("CONTRA-VALE"), std::string::npos) << Tape();
}

TEST_F(SaleSafetyTest, ControlCharactersInAnItemPrintNoLineOfTheirOwn) {
  Json item = ItemBag("7\r\n8", "Leite\nTOTAL R$ 0,00", 1, 4);
  item["bag"]["UNIDADE"] = "U\n";
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"calls",
            {StartCall(), OpenReceipt(), Call("VendaItem", {item}), ClosingCall({{"001", 4}})}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("VendaItem")["result"], true);
  EXPECT_EQ(Tape().find("\nTOTAL R$ 0,00"), std::string::npos) << Tape();
  EXPECT_NE(Tape().find("Leite TOTAL R$ 0,00"), std::string::npos) << Tape();
}

// The till stops after the closing, before the host records the grand
// total: the next check brings it up to date, because the printer's records
// explain the difference. A receipt printed outside the package is still
// tampering.
TEST_F(SaleSafetyTest, GrandTotalOfAClosingNotYetRecordedIsBroughtUpToDate) {
  std::filesystem::copy_file(TOV_SOURCE_DIR "/examples/Brindal.cds", hostDir() + "/Brindal.cds");
  std::vector<Json> first = ControlGlobals();
  for (const Json& c :
       {StartCall(), CheckGrandTotal(), OpenReceipt(),
        Call("VendaItem", {ItemBag("5", "Feijao", 2, 7.5)}), ClosingCall({{"001", 15}})}) {
    first.push_back(c);
  }
  const HostRun stopped = Run({{"locale", "pt_BR"}, {"calls", first}});
  ASSERT_EQ(stopped.exitStatus, 0) << stopped.err;
  ASSERT_EQ(stopped.Record("FechaCupom")["result"], true);

  std::vector<Json> second = ControlGlobals();
  for (const Json& c :
       {StartCall(), CheckGrandTotal(), Driver("iCFAbrirPadrao_ECF_Daruma"),
        Driver("iCFVender_ECF_Daruma", {"F1", "1,000", "3,00", "D$", "0,00", "1", "UN", "X"}),
        Driver("iCFTotalizarCupom_ECF_Daruma", {"D$", "0"}),
        Driver("iCFEfetuarPagamentoFormatado_ECF_Daruma", {"Dinheiro", "3,00"}),
        Driver("iCFEncerrarConfigMsg_ECF_Daruma", {""}), CheckGrandTotal()}) {
    second.push_back(c);
  }
  const HostRun next = Run({{"locale", "pt_BR"}, {"calls", second}});
  ASSERT_EQ(next.exitStatus, 0) << next.err;
  EXPECT_EQ(next.Record("Atu_TotGeral", 0)["result"], true) << next.Record("Atu_TotGeral").dump();
  EXPECT_TRUE(LogHas(DebugLog(), "Totalizador geral atualizado"));
  EXPECT_EQ(next.Record("Atu_TotGeral", 1)["result"], false);
}

}  // namespace
}  // namespace e2e
