// The table-service prints through ecfhost: the demo's restaurant script line
// by line, a move that comes back, and a host text whose print fails.
#include "closing_script.h"

namespace e2e {
namespace {

class TableServiceTest : public EcfhostTest {};

const std::string kRule(48, '-');
const std::string kBlank(48, ' ');
const std::string kContact = "Suporte: fale com o responsavel pelo sistema";

TEST_F(TableServiceTest, RestaurantDemoPrintsEachDocument) {
  const HostRun run = RunText(Example("restaurant.json"));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::string tape = Tape();
  const std::string itemHeader = Right("QTDE", 4) + Right("VR. UNIT", 12) + Right("VLR.TOT", 32);

  EXPECT_EQ(run.Record("Abertura_Mesa")["result"], true);
  EXPECT_TRUE(HasLines(
      tape, {kBlank, kBlank, kRule, kBlank, std::string(15, ' ') + "Abertura de Mesa", kBlank,
             "Mesa: 0012", "Emissao: 07/12/2026 12:41", kRule, "CODIGO     NOME", itemHeader, "",
             "3001 Picanha na chapa (2 pessoas)", "1,000   X 89,90     " + Right("89,90", 27)}))
      << tape;
  // 0,333 x 12,90 = 4,2957, cut to the cent; no surcharge line.
  EXPECT_TRUE(
      HasLines(tape, {"0,333   X 12,90     " + Right("4,29", 27), kBlank,
                      "Taxa de Servico: " + Right("12,27", 30), "Desconto: " + Right("5,00", 37),
                      kRule, "Total Geral: " + Right("129,96", 35), kBlank, kContact}))
      << tape;

  EXPECT_EQ(run.Record("RegistroVenda", 0)["result"], true);
  EXPECT_TRUE(HasLines(
      tape, {kBlank, "       Relatório de abertura da mesa 0012", kBlank, kRule,
             std::string(15, ' ') + "REGISTRO DE VENDA", kRule, "", "CODIGO     NOME", itemHeader,
             "", kRule, "4010 Suco de laranja 500ml", "2,00   X 9,50     " + Right("19,00", 29)}))
      << tape;
  EXPECT_TRUE(HasLines(tape, {"   Relatório de abertura da comanda 00345", kBlank}));

  EXPECT_TRUE(HasLines(
      tape, {"", "", "Mesas Abertas:", "Nrº da Mesa      Data/Hora de abertura",
             "0012             07/12/2026 12:41:08", "0007             07/12/2026 12:55:30", "", "",
             "Comandas Tranvoquick Abertas:", "Nrº da Comanda   Data/Hora de abertura",
             "DLV00881       07/12/2026 13:02:11", "", "", "Comandas Abertas:",
             "Nrº da Comanda   Data/Hora de abertura", "00345       07/12/2026 13:10:45", ""}))
      << tape;

  const std::string movedHeader = "Código  -  Nome Produto   -    Qtde. -  Vr Unit.";
  EXPECT_TRUE(HasLines(tape, {"Mes Origem: 0007 -> Mesa Destino: 0012", movedHeader,
                              Left("5002 " + Left("Chopp claro 300ml", 19) + " 2,00", 37) + " " +
                                  Right("R$ 12,90", 10)}))
      << tape;
  EXPECT_TRUE(HasLines(tape, {"", "Mes Origem: 00345 -> Mesa Destino: 0012", movedHeader}));

  EXPECT_TRUE(
      HasLines(tape, {std::string(47, '-'),
                      Left(std::string(9, ' ') + "Restaurante Bom Sabor - Centro", 48), kRule}))
      << tape;
  EXPECT_TRUE(
      HasLines(tape, {kRule, Left(std::string(10, ' ') + ">>> Produtos Bloqueados <<<", 48), kRule,
                      "CODIGO     COD. TECLADO NOME",
                      Left("3005", 11) + Left("F5", 13) + Left("Costela no bafo", 24),
                      Left("6004", 11) + Left("D4", 13) + Left("Torta de limao", 24), kContact}))
      << tape;

  EXPECT_EQ(run.Record("imprimeTipoRece")["result"], true);
  EXPECT_TRUE(HasLines(tape, {"Pagamento da mesa 0012", "Dinheiro              80,00"}));
  EXPECT_EQ(RegisterTypes(hostDir()), std::vector<std::string>{"RG"});
}

TEST_F(TableServiceTest, MoveThatComesBackGetsItsOwnHeadingAndAFailedTextIsNotRecorded) {
  auto move = [](const std::string& from, const std::string& to, const std::string& name) {
    return Json{{"NRMESA", to},      {"NRMESADSCOMORIT", from}, {"CDPRODUTO", "1"},
                {"NMPRODUTO", name}, {"QTPRODCOMVEN", 1},       {"VRPRECCOMVEN", 2.5}};
  };
  const Json moves = {
      {"fields",
       {{"NRMESA", "string", 4},
        {"NRMESADSCOMORIT", "string", 20},
        {"CDPRODUTO", "string", 14},
        {"NMPRODUTO", "string", 40},
        {"QTPRODCOMVEN", "float"},
        {"VRPRECCOMVEN", "float"}}},
      {"rows",
       {move("0001", "0002", "Agua"), move("0003", "0002", "Cafe"), move("0001", "0002", "Cha")}}};
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"calls",
            {StartCall(), Call("imprimeProdutosTransf", {"", "", "PADRAO", moves}),
             Sim("fail iRGFechar_ECF_Daruma -6 once"),
             Call("imprimeTipoRece", {"", "", "PADRAO", "MESA0002", "Conta da mesa 0002\n"})}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(CountLine(Tape(), "Mes Origem: 0001 -> Mesa Destino: 0002"), 2) << Tape();
  EXPECT_EQ(CountLine(Tape(), "Mes Origem: 0003 -> Mesa Destino: 0002"), 1);
  EXPECT_EQ(run.Record("imprimeTipoRece")["result"], false);
  EXPECT_TRUE(RegisterTypes(hostDir()).empty());
}

}  // namespace
}  // namespace e2e
