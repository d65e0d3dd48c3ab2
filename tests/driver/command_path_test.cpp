// The forms of the command path and the operator's dialogs: what each does
// with a driver answer (inRetorno, the debug log, the analysis) and with a
// text for the operator.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::DebugLogTexts;
using tovtest::PackageTest;
using Strings = std::vector<std::string>;

class CommandPathTest : public PackageTest {};

// -6 has a catalogued message, so an analysis that runs leaves its error line.
constexpr int kRefused = -6;
const std::string kErrorLine = "ERRO!!! Impressora desligada ou desconectada.";

struct FormCase {
  const char* form;
  std::function<int()> send;
  int inRetornoAfter;  // 7: the host's last command's code was kept
  Strings log;
};

TEST_F(CommandPathTest, EachFormOfTheCommandPathStoresLogsAndJudgesAsItSays) {
  const std::string scheme = "ESQ";
  const FormCase cases[] = {
      {"Command",
       [&] {
         return driver::Command(kRefused, "iX", {scheme, false}) ? 1 : 0;
       },
       kRefused,
       {"iX", kErrorLine}},
      {"Judge",
       [&] {
         return driver::Judge(kRefused, "iX", {scheme, false}) ? 1 : 0;
       },
       7,
       {"iX", kErrorLine}},
      {"Log", [] { return driver::Log(kRefused, "iX : a"); }, kRefused, {"iX : a"}},
      {"Log unstored", [] { return driver::Log(kRefused, "iX", {.stored = false}); }, 7, {"iX"}},
      {"Log with code",
       [] { return driver::Log(kRefused, "iX", {.codeInLine = true}); },
       kRefused,
       {"iX - Retorno: -6"}},
      {"Store", [] { return driver::Store(kRefused); }, kRefused, {}},
      {"Silent", [] { return driver::Silent(kRefused); }, 7, {}},
  };
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.form);
    const size_t logged = DebugLogTexts().size();
    inRetorno = 7;
    c.send();
    EXPECT_EQ(inRetorno, c.inRetornoAfter);
    const Strings log = DebugLogTexts();
    EXPECT_EQ(Strings(log.begin() + static_cast<long>(logged), log.end()), c.log);
    EXPECT_EQ(stImpDebug, "");
  }
}

TEST_F(CommandPathTest, DialogsCarryTheirKindFlagsAndDetail) {
  scriptedOperator().QueueAnswer(true);
  driver::ShowMessage("A", "aviso");
  driver::ShowMessage("B", "erro", {driver::kErrorDialog, "01/07/2026\r\n"});
  EXPECT_TRUE(driver::AskOperator("C", "Repetir?", driver::kConfirmationDialog));
  EXPECT_FALSE(driver::AskOperator("C", "Repetir?", driver::kErrorDialog));  // no answer left
  const auto& shown = scriptedOperator().Messages();
  ASSERT_EQ(shown.size(), 4u);
  const struct {
    const char *flag, *question, *detail;
    int type;
  } expected[] = {
      {"N", "N", "", 0}, {"S", "N", "01/07/2026\r\n", 3}, {"N", "S", "", 1}, {"N", "S", "", 3}};
  for (size_t i = 0; i < shown.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shown[i].flag, expected[i].flag);
    EXPECT_EQ(shown[i].question, expected[i].question);
    EXPECT_EQ(shown[i].detail, expected[i].detail);
    EXPECT_EQ(shown[i].type, expected[i].type);
  }
  EXPECT_EQ(stMensagemTaa, "");
  EXPECT_TRUE(DebugLogTexts().empty());
}

TEST_F(CommandPathTest, ReportedProblemsAndStatusesAreLoggedCollectedAndShown) {
  driver::ReportProblem("E", "falha", {.show = true, .dialogType = driver::kErrorDialog});
  driver::ReportStatus("E", "aviso", /*show=*/false, driver::kNoticeDialog);
  driver::ReportStatus("E", "aviso 1", /*show=*/true, driver::kNoticeDialog, /*collected=*/false);
  EXPECT_EQ(DebugLogTexts(), (Strings{"ERRO!!! falha", "aviso", "aviso 1"}));
  EXPECT_EQ(stMensagemTaa, " falha aviso");
  EXPECT_EQ(scriptedOperator().Texts(), (Strings{"falha", "aviso 1"}));
}

}  // namespace
