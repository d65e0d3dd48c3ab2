// The product sales report through ecfhost: both layouts line by line, the
// confirmation modes and the report flag.
#include "closing_script.h"

namespace e2e {
namespace {

class ProductReportTest : public EcfhostTest {};

const std::vector<Product> kProducts = {
    {"A1", "1", "Arroz agulhinha tipo 1 pacote 5kg", 2, 10.0, 0.5, 0, 18, "T"},
    {"A2", "2", "Oleo", 1, 7.5, 0, 1.25, 18, "T"},
    {"", "3", "Feijao", 1, 8.2, 0, 0, 0, "I"},
    {"A4", "4", "Sal", 1, 2.1, 0, 0, 0, "Z"},
    {"A5", "5", "Balas", 10, 123.4, 0, 0, 7, "T"},
};

std::string Item(const std::string& code, const std::string& name, const std::string& quantity,
                 const std::string& value, size_t nameWidth, size_t valueWidth) {
  return Left(code, 14) + " " + Left(name, nameWidth) + " " + Right(quantity, 6) +
         Right(value, valueWidth);
}

TEST_F(ProductReportTest, LayoutsConfirmationModesAndTheReportFlag) {
  const Json products = ProductSet(kProducts);
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"answers", {"N"}},
           {"calls",
            {StartCall(), ProductReport(products, "N", "S", false),
             ProductReport(products, "N", "N", true), ProductReport(products, "", "N", false),
             ProductReport(products, "S", "N", false)}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::string tape = Tape();
  const std::string title = Left(std::string(13, ' ') + "RELATORIO DE PRODUTOS", 47);
  // The two printed, the last two not: an empty mode prints nothing, and
  // "S" asks first.
  EXPECT_EQ(CountLine(tape, title), 2) << tape;
  EXPECT_EQ(run.At(1)["args"][10], true);
  EXPECT_EQ(run.At(3)["args"][10], false);
  EXPECT_EQ(Questions(run.At(4)), (std::vector<std::pair<std::string, bool>>{
                                      {"Confirma impressão do Relatório de Produtos?", false}}));
  EXPECT_EQ(run.At(4)["args"][10], false);
  // The grouped layout hands the receipt number back.
  EXPECT_EQ(run.At(1)["args"][5].get<std::string>().size(), 6u) << run.At(1);

  // Grouped by situation and rate: exempt, then taxed at 7 % and 18 %, then
  // a rate of 0 with a situation that is none of the untaxed ones, which
  // is labelled as a rate like any other.
  EXPECT_TRUE(HasLines(
      tape, {Left("CODIGO", 15) + Left("NOME", 17) + Right("QTDE", 6) + Right("VLR.TOT", 8),
             "Isento :", Item("3", "Feijao", "1,00", "8,20", 19, 7), "Tributacao  7,00",
             Item("A5", "Balas", "10,00", "123,40", 19, 7), "Tributacao  18,00",
             Item("A1", "Arroz agulhinha tip", "2,00", "10,00", 19, 7),
             Item("A2", "Oleo", "1,00", "7,50", 19, 7), "Tributacao  0,00",
             Item("A4", "Sal", "1,00", "2,10", 19, 7)}))
      << tape;
  EXPECT_TRUE(HasLines(
      tape,
      {"", Left("Tributados", 35), Left("Isento :", 35) + Right("8,20", 13),
       Left("7,00", 35) + Right("123,40", 13), Left("18,00", 35) + Right("17,50", 13),
       Left("0,00", 35) + Right("2,10", 13), Left("Total de Acréscimos", 38) + Right("0,50", 10),
       "", Left("Total de Descontos", 38) + Right("1,25", 10), ""}))
      << tape;
  // The totals end at the paper's edge, as the item lines do.
  EXPECT_EQ(CountLine(tape, Left("VALOR", 32) + Right("15,00", 9) + Right("151,20", 7)), 1) << tape;
  EXPECT_EQ(CountLine(tape, Left("Total das Vendas", 32) + Right("15,00", 9) + Right("151,20", 7)),
            2)
      << tape;

  // The plain list, in the set's order, names cut to their column.
  EXPECT_TRUE(HasLines(
      tape,
      {Left("CODIGO", 15) + Left("NOME", 18) + Right("QTDE", 6) + Right("VLR.TOT", 9), "",
       Item("A1", "Arroz agulhinha t", "2,00", "10,00", 17, 9),
       Item("A2", "Oleo", "1,00", "7,50", 17, 9), Item("3", "Feijao", "1,00", "8,20", 17, 9)}))
      << tape;
  EXPECT_TRUE(HasLines(tape, {Left("Total de Acréscimos", 38) + Right("0,50", 10), "",
                              Left("Total de Descontos", 38) + Right("1,25", 10), ""}))
      << tape;
}

}  // namespace
}  // namespace e2e
