// The demo's end of the day through ecfhost against the virtual printer: a
// withdrawal-only receipt, then the closing with its X reading, product
// report, closing report, the operator's answers, the general closing report
// and the Z reduction.
#include <regex>

#include "closing_script.h"

namespace e2e {
namespace {

class ClosingDayTest : public EcfhostTest {};

const std::string kRule(48, '-');

TEST_F(ClosingDayTest, DemoClosingPrintsReceiptsReportsAndAsksTheOperator) {
  const HostRun run = RunText(Example("closing.json"));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::string tape = Tape();

  // During the day: the withdrawal alone, typed amounts, no question.
  const Json& withdrawal = run.Record("GeraReciboSangria", 0);
  EXPECT_EQ(withdrawal["result"], false);
  EXPECT_TRUE(Questions(withdrawal).empty());
  EXPECT_TRUE(HasLines(
      tape, {Right("RECIBO SAIDA NUMERARIO", 35) + std::string(13, ' '), kRule,
             "Motivo: Excesso de dinheiro no caixa", "Observacao: Envelope lacrado no cofre", kRule,
             "NR.ENV " + Left("MODALIDADE", 25) + " " + Right("VALOR", 15),
             "000101 " + Left("Dinheiro", 25) + " " + Right("150,00", 15),
             Left("TOTAL SANGRIAS", 27) + Right("150,00", 15), "", kRule,
             "Supervisor : 000007 Joana Pereira"}))
      << tape;
  EXPECT_EQ(CountLine(tape, "Operador : 000031 Carlos Souza"), 2) << tape;

  // At closing: no to reopening, yes to the Z and to the closing reports.
  const Json& closing = run.Record("GeraReciboSangria", 1);
  EXPECT_EQ(closing["result"], false);
  const std::vector<std::pair<std::string, bool>> asked = {
      {"Deseja abrir o caixa?", false},
      {"Confirma impressão da redução z?", true},
      {"Confirma impressão dos relatórios de fechamento?", true}};
  EXPECT_EQ(Questions(closing), asked);
  EXPECT_EQ(closing["args"][23], true);
  EXPECT_TRUE(std::regex_match(closing["args"][6].get<std::string>(), std::regex("[0-9]{6}")))
      << closing["args"][6];

  // The closing report: the drawer is 3,20 short of the sales.
  EXPECT_TRUE(HasLines(tape, {Left("TOTAL VENDAS", 35) + Right("231,42", 13),
                              Left("Compra de Credito", 35) + Right("0,00", 13), kRule,
                              Left("Dinheiro", 33) + Right("60,00", 15),
                              Left("Dinheiro (sangria 15:00)", 33) + Right("150,00", 15),
                              Left("Cartao Credito", 33) + Right("45,48", 15),
                              Left("Vale Alimentacao", 33) + Right("25,74", 15),
                              Left("CONTRA-VALE RECEBIDO(+)", 33) + Right("0,00", 15),
                              Left("CONTRA-VALE EMITIDO(-)", 33) + Right("3,00", 15),
                              Left("SUPRIMENTO(-)", 33) + Right("50,00", 15), kRule,
                              Left("TOTAL SANGRIAS", 33) + Right("228,22", 15), "",
                              Left("FALTA", 33) + Right("-3,20", 15)}))
      << tape;
  // The general report balances to the cent: the same figures summed in
  // binary floating point would leave "FALTA -0,00".
  EXPECT_TRUE(HasLines(tape, {Left("TOTAL SANGRIAS", 33) + Right("231,42", 15), "",
                              Left("SOBRA", 33) + Right("0,00", 15)}))
      << tape;
  EXPECT_NE(tape.find("RELATORIO DE FECHAMENTO GERAL"), std::string::npos);

  // The product report, grouped, once for each closing report.
  EXPECT_EQ(CountLine(tape, "Tributacao  18,00"), 2) << tape;
  EXPECT_TRUE(HasLines(tape, {"Isento :", "7896005800010  " + Left("Feijao carioca tipo", 19) +
                                              " " + Right("2,00", 6) + Right("16,98", 7)}))
      << tape;
  EXPECT_TRUE(HasLines(
      tape, {"Subst. Trib.", Left("7898080640017", 14) + " " + Left("Carvao vegetal 3kg", 19) +
                                 " " + Right("1,00", 6) + Right("18,90", 7)}))
      << tape;

  // The register: the X reading, the reduction.
  const std::vector<std::string> types = RegisterTypes(hostDir());
  EXPECT_NE(std::find(types.begin(), types.end(), "LX"), types.end());
  EXPECT_EQ(types.back(), "RZ");
  EXPECT_EQ(run.Record("Reducao_Z_Imp")["result"], true);
}

}  // namespace
}  // namespace e2e
