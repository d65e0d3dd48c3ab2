// The withdrawal receipt and the closing through ecfhost: the receipt's line
// counter, the operator's questions and parameter 24 under each flag, a
// closing without movement totals, the supply that counts.
#include "closing_script.h"

namespace e2e {
namespace {

class CashClosingTest : public EcfhostTest {
 protected:
  // Runs one closing after the session start; the tape it added.
  std::string RunClosing(const Closing& closing, const std::vector<std::string>& answers,
                         Json* record) {
    const std::string before = Tape();
    const HostRun run = Run({{"locale", "pt_BR"},
                             {"answers", answers},
                             {"calls", {StartCall(), CashClosing(closing)}}});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    *record = run.Record("GeraReciboSangria");
    return Tape().substr(before.size());
  }
};

const std::string kRule(48, '-');
const std::string kReopen = "Deseja abrir o caixa?";
const std::string kConfirmZ = "Confirma impressão da redução z?";
const std::string kConfirmReports = "Confirma impressão dos relatórios de fechamento?";

TEST_F(CashClosingTest, ReceiptLineCounterAddsAnEmptyLineWhereATotalClosesABlockOfTen) {
  Closing c;
  c.withdrawalOnly = true;
  // Seven methods: the first copy's total reaches line 13, the second's 28.
  std::vector<std::tuple<std::string, double, double>> rows;
  for (int i = 1; i <= 7; ++i) rows.emplace_back("Forma " + std::to_string(i), 1.1 * i, 99);
  c.closingAmounts = ClosingAmounts(rows);
  Json record;
  const std::string tape = RunClosing(c, {}, &record);
  EXPECT_TRUE(Questions(record).empty());
  // Typed amounts: 1,10 + 2,20 + ... + 7,70.
  const std::string total = Left("TOTAL SANGRIAS", 27) + Right("30,80", 15);
  EXPECT_TRUE(HasLines(tape, {Left("MODALIDADE", 25) + " " + Right("VALOR", 15),
                              "000200 " + Left("Forma 1", 25) + " " + Right("1,10", 15)}))
      << tape;
  EXPECT_TRUE(HasLines(tape, {total, "", "", kRule, "Supervisor : 000007 Joana Pereira"})) << tape;
  EXPECT_TRUE(HasLines(tape, {total, "", kRule, "Operador : 000031 Carlos Souza"})) << tape;
  EXPECT_FALSE(HasLines(tape, {total, "", "", kRule, "Operador : 000031 Carlos Souza"})) << tape;
}

TEST_F(CashClosingTest, QuestionsAndTheZConfirmationFollowTheFlags) {
  struct Case {
    const char* what;
    bool allowZ, alreadyHandled;
    std::vector<std::string> answers;
    std::vector<std::pair<std::string, bool>> asked;
    bool result, zConfirmed;
  };
  const Case cases[] = {
      {"closing confirmed",
       true,
       false,
       {"N", "S", "S"},
       {{kReopen, false}, {kConfirmZ, true}, {kConfirmReports, true}},
       false,
       true},
      {"reports declined still confirm the Z",
       true,
       false,
       {"N", "S", "N"},
       {{kReopen, false}, {kConfirmZ, true}, {kConfirmReports, false}},
       false,
       true},
      {"till reopened", true, false, {"S"}, {{kReopen, true}}, true, false},
      {"Z not allowed", false, false, {"N"}, {{kReopen, false}}, false, false},
      {"Z declined", true, false, {"N", "N"}, {{kReopen, false}, {kConfirmZ, false}}, false, false},
      {"till already handled", true, true, {"S"}, {{kConfirmReports, true}}, false, false},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    Closing c;
    c.printWithdrawal = false;
    c.allowZ = t.allowZ;
    c.alreadyHandled = t.alreadyHandled;
    Json record;
    const std::string printed = RunClosing(c, t.answers, &record);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(Questions(record), t.asked);
    EXPECT_EQ(record["result"], t.result);
    EXPECT_EQ(record["args"][23], t.zConfirmed);
  }
}

TEST_F(CashClosingTest, ClosingWithoutMovementTotalsPrintsOnlyTheProductReport) {
  Closing c;
  c.products = ProductSet({{"1", "1", "Arroz", 1, 5, 0, 0, 0, "T"}});
  Json record;
  const std::string tape = RunClosing(c, {"N", "N"}, &record);
  EXPECT_NE(tape.find("RELATORIO DE PRODUTOS"), std::string::npos) << tape;
  EXPECT_EQ(tape.find("RECIBO SAIDA NUMERARIO"), std::string::npos) << tape;
  EXPECT_EQ(tape.find("RELATORIO DE FECHAMENTO"), std::string::npos) << tape;
}

TEST_F(CashClosingTest, LastSupplyCountsAndAnExactBalanceIsASurplusOfZero) {
  Closing c;
  c.envelope = "S";
  c.movementTotals = MovementSet({{"1", "Dinheiro", 50.3}});
  c.openingMovements = MovementSet({{"1", "Dinheiro", 50.3},
                                    {"3", "Suprimento", 10},
                                    {"3", "Suprimento", 20},
                                    {"9", "Outro", 7}});
  c.products = ProductSet(
      {{"1", "1", "Arroz", 1, 30.1, 0, 0, 0, "T"}, {"2", "2", "Bala", 1, 0.2, 0, 0, 0, "T"}});
  Json record;
  const std::string tape = RunClosing(c, {"N", "N"}, &record);
  EXPECT_TRUE(HasLines(tape, {"NR.ENV " + Left("MODALIDADE", 25) + " " + Right("VALOR", 15),
                              "000200 " + Left("Dinheiro", 25) + " " + Right("10,00", 15)}))
      << tape;
  EXPECT_TRUE(HasLines(tape, {Left("SUPRIMENTO(-)", 33) + Right("20,00", 15), kRule,
                              Left("TOTAL SANGRIAS", 33) + Right("30,30", 15), "",
                              Left("SOBRA", 33) + Right("0,00", 15)}))
      << tape;
  EXPECT_EQ(tape.find("Outro"), std::string::npos);
}

}  // namespace
}  // namespace e2e
