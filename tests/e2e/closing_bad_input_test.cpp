// Host input the closing and table-service prints cannot print from: a clear
// message, nothing on the paper, no question asked; empty sets print what
// they can.
#include "closing_script.h"

namespace e2e {
namespace {

class ClosingBadInputTest : public EcfhostTest {
 protected:
  bool Logged(const std::string& text) {
    for (const std::string& entry : DebugLog())
      if (entry.find(text) != std::string::npos) return true;
    return false;
  }
};

TEST_F(ClosingBadInputTest, MissingFieldsStopThePrintBeforeItStarts) {
  Json noPrice = {
      {"fields",
       {{"CDARVPROD", "string", 14}, {"NMPRODUTO", "string", 40}, {"QTPRODCOMVEN", "float"}}},
      {"rows", {{{"CDARVPROD", "1"}, {"NMPRODUTO", "Agua"}, {"QTPRODCOMVEN", 1}}}}};
  Closing closing;
  closing.products = Sales({10.0});  // VRTOTAL alone: no product report can be printed
  // Lenient: the sets go to the package, whose own refusal is what is tested.
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"lenient", true},
           {"answers", {"N", "S", "S"}},
           {"calls",
            {StartCall(), ProductReport(Sales({1.0, 2.0}), "N", "N", false), CashClosing(closing),
             Call("Abertura_Mesa", {"", "PADRAO", "", "0001", "", "07/12/2026 12:00", noPrice, 0, 0,
                                    0, 0, 0, 1.0, 0})}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(Tape(), "");
  EXPECT_EQ(run.At(1)["args"][10], false);
  EXPECT_EQ(run.At(2)["result"], false);
  EXPECT_TRUE(Questions(run.At(2)).empty());
  EXPECT_EQ(run.At(2)["args"][23], false);
  EXPECT_EQ(run.At(3)["result"], false);
  EXPECT_TRUE(Logged("Campo CDPRODIMPFIS ausente em cdsProdVend"))
      << ::testing::PrintToString(DebugLog());
  EXPECT_TRUE(Logged("Campo VRPRECCOMVEN ausente em cdsParcProdutos"));
}

TEST_F(ClosingBadInputTest, EmptySetsPrintNoRowsAndNothingBreaks) {
  const HostRun run = Run({{"locale", "pt_BR"},
                           {"calls",
                            {StartCall(), ProductReport(NoRows(), "N", "S", false),
                             Call("RegistroVenda", {"", "", "PADRAO", NoRows(), "0001"}),
                             Call("ImprimeMesasAbertas", {NoRows(), "", "", "PADRAO", "", nullptr}),
                             Call("ImprimeProdBloq", {"", "", "PADRAO", NoRows()})}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  // An empty product set prints nothing, and the flag says a report may follow.
  EXPECT_EQ(run.At(1)["args"][10], true);
  EXPECT_EQ(run.At(2)["result"], true);
  EXPECT_EQ(run.At(4)["result"], true);
  const std::string tape = Tape();
  EXPECT_EQ(tape.find("RELATORIO DE PRODUTOS"), std::string::npos);
  EXPECT_NE(tape.find("Relatório de abertura da mesa 0001"), std::string::npos) << tape;
  EXPECT_NE(tape.find("Mesas Abertas"), std::string::npos);
  EXPECT_NE(tape.find(">>> Produtos Bloqueados <<<"), std::string::npos);
}

}  // namespace
}  // namespace e2e
