// A command that took effect but whose reply was lost on the line (the
// driver answers -28): the operation learns from the printer's state that it
// took effect, and the operator's repetition never registers it twice.
#include "sale_script.h"

namespace e2e {
namespace {

class LostReplyTest : public EcfhostTest {
 protected:
  static size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }
  static Json Register(const std::string& index, int width) {
    return {{"op", "driver"}, {"name", "rRetornarInformacao_ECF_Daruma"}, {"args", {index, width}}};
  }
};

TEST_F(LostReplyTest, ItemIsSoldOnce) {
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"answers", {"S", "S"}},
           {"calls",
            {StartCall(), OpenReceipt(), Sim("lose-reply iCFVender_ECF_Daruma once"),
             Call("VendaItem", {ItemBag("1", "Cafe torrado", 1, 10)}), ClosingCall({{"001", 10}}),
             Register("56", 1)}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("VendaItem")["result"], true) << run.Record("VendaItem").dump();
  EXPECT_EQ(run.Record("FechaCupom")["result"], true) << run.Record("FechaCupom").dump();
  EXPECT_EQ(Count(Tape(), "Cafe torrado"), 1u) << Tape();
}

// Card sales let the operator repeat a refused step of the closing.
TEST_F(LostReplyTest, PaymentAndClosingAreRegisteredOnce) {
  for (const char* command :
       {"iCFTotalizarCupom_ECF_Daruma", "iCFEfetuarPagamentoFormatado_ECF_Daruma",
        "iCFEncerrarConfigMsg_ECF_Daruma"}) {
    SCOPED_TRACE(command);
    const HostRun run = Run(
        {{"locale", "pt_BR"},
         {"answers", {"S", "S", "S"}},
         {"calls",
          {StartCall(), OpenReceipt(true), Call("VendaItem", {ItemBag("3", "Vinho tinto", 2, 35)}),
           Sim(std::string("lose-reply ") + command + " once"),
           ClosingCall({{"002", 40}, {"003", 30}}, true), Register("56", 1), Register("26", 6)}}});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const Json& closing = run.Record("FechaCupom");
    EXPECT_EQ(closing["result"], true) << closing.dump();
    EXPECT_EQ(run.Record("driver", 0)["args"][1], "0");
    const std::string tape = Tape();
    const size_t receipt = tape.rfind("Vinho tinto");
    ASSERT_NE(receipt, std::string::npos) << tape;
    EXPECT_EQ(Count(tape.substr(receipt), "Cartao Credito"), 1u) << tape;
    EXPECT_EQ(Count(tape.substr(receipt), "Cartao Debito"), 1u) << tape;
    EXPECT_EQ(Count(tape.substr(receipt), "\nTOTAL R$"), 1u) << tape;
  }
}

// The closing repeated by the host after a failure part-way finishes the
// receipt without paying twice.
TEST_F(LostReplyTest, FailedClosingCalledAgainFinishesTheReceipt) {
  const Json closing = ClosingCall({{"001", 4}, {"001", 6}});
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"calls",
            {StartCall(), OpenReceipt(), Call("VendaItem", {ItemBag("4", "Arroz", 1, 10)}),
             Sim("fail iCFEfetuarPagamentoFormatado_ECF_Daruma -6 once"), closing,
             Sim("fail iCFEncerrarConfigMsg_ECF_Daruma -6 once"), closing, closing,
             Register("56", 1)}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("FechaCupom", 0)["result"], false);
  EXPECT_EQ(run.Record("FechaCupom", 1)["result"], false);
  EXPECT_EQ(run.Record("FechaCupom", 2)["result"], true) << run.Record("FechaCupom", 2).dump();
  EXPECT_EQ(run.Record("driver")["args"][1], "0");
  const std::string tape = Tape();
  EXPECT_EQ(Count(tape.substr(tape.rfind("Arroz")), "Dinheiro"), 2u) << tape;
}

TEST_F(LostReplyTest, NonFiscalReceiptIsPrintedOnce) {
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"calls",
            {StartCall(), Register("28", 6), Sim("lose-reply iCNFEncerrarPadrao_ECF_Daruma once"),
             Call("Cupom_NFiscNVinc", {"PADRAO", "Suprimento", "15,00", "Dinheiro", ""}),
             Register("28", 6), Register("56", 1)}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("Cupom_NFiscNVinc")["result"], true)
      << run.Record("Cupom_NFiscNVinc").dump();
  EXPECT_EQ(std::stoi(run.Record("driver", 1)["args"][1].get<std::string>()),
            std::stoi(run.Record("driver", 0)["args"][1].get<std::string>()) + 1);
  EXPECT_EQ(run.Record("driver", 2)["args"][1], "0");
}

// A supply and a withdrawal whose replies were lost are answered as done:
// each is registered once, and the host has nothing to repeat.
TEST_F(LostReplyTest, CashMovementsAreRegisteredOnce) {
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"calls",
            {StartCall(), Register("28", 6), Sim("lose-reply iSuprimento_ECF_Daruma once"),
             Call("Suprimento", {"PADRAO", 100.0}), Sim("lose-reply iSangria_ECF_Daruma once"),
             Call("Sangria", {"", "PADRAO", 30.0}), Register("28", 6), Register("8", 13),
             Register("9", 247)}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("Suprimento")["result"], true) << run.Record("Suprimento").dump();
  EXPECT_EQ(run.Record("Sangria")["result"], true) << run.Record("Sangria").dump();
  EXPECT_EQ(std::stoi(run.Record("driver", 1)["args"][1].get<std::string>()),
            std::stoi(run.Record("driver", 0)["args"][1].get<std::string>()) + 2);
  EXPECT_EQ(run.Record("driver", 2)["args"][1], "0000000003000");  // Sangria
  EXPECT_EQ(run.Record("driver", 3)["args"][1].get<std::string>().substr(0, 13),
            "0000000010000");  // Suprimento, the first of the other totalizers
  size_t lost = 0;
  for (const std::string& entry : DebugLog()) lost += Count(entry, "Resposta perdida");
  EXPECT_EQ(lost, 2u);
}

// A reading or report printed though its reply was lost answers true and is
// recorded once, as its counter tells; a Z repeated after it is refused by
// the printer, never made twice.
TEST_F(LostReplyTest, PrintedReadingsAndReportsAreAnsweredAndRecordedOnce) {
  const struct {
    const char* what;
    const char* command;
    Json call;
    const char* type;     // its record in the document register
    const char* counter;  // the register that counts it
    int width;
  } cases[] = {
      {"X reading", "iLeituraX_ECF_Daruma", Call("Leitura_X_Imp", {"K", "", "PADRAO", ""}), "LX",
       "26", 6},
      {"management report", "iRGFechar_ECF_Daruma",
       Call("Relatorio_Generico", {"PADRAO", "", "", "Relatorio\n", "K", ""}), "RG", "33", 6},
      {"Z reduction", "iReducaoZ_ECF_Daruma", Call("Reducao_Z_Imp", {"K", "", "PADRAO", ""}), "RZ",
       "24", 4},
      {"fiscal-memory reading", "eMemoriaFiscal_ECF_Daruma",
       Call("EmiteLeituraMemoriaFiscal", {"PADRAO", "1", "1", "s", "R", "K"}), "MF", "26", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const bool z = std::string(c.type) == "RZ";
    const Json count = Register(c.counter, c.width);
    // The Z is also repeated, as an operator does who does not trust it.
    std::vector<Json> calls = {
        StartCall(), count, Sim(std::string("lose-reply ") + c.command + " once"), c.call, count};
    if (z) calls.insert(calls.end(), {c.call, count});
    calls.push_back({{"op", "records"}});
    const HostRun run = Run({{"locale", "pt_BR"}, {"calls", calls}});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto counted = [&](int n) {
      return std::stoll(run.Record("driver", n)["args"][1].get<std::string>());
    };
    EXPECT_EQ(run.At(3)["result"], true) << run.At(3).dump();
    EXPECT_EQ(counted(1), counted(0) + 1);
    size_t records = 0;
    for (const Json& row : run.Record("records")["args"][1]["rows"])
      records += row["tipo_documento"] == c.type;
    EXPECT_EQ(records, 1u);
    if (z) {
      EXPECT_EQ(run.At(5)["result"], false);
      EXPECT_FALSE(run.At(5)["messages"].empty());
      EXPECT_EQ(counted(2), counted(1));
    }
  }
}

}  // namespace
}  // namespace e2e
