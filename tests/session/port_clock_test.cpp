// The printer's clock: the 15-minute rule, the fiscal day, daylight saving.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "session/port_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using porttest::Now;
using porttest::PlusMinutes;

class ClockTest : public tovtest::PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    tovtest::SetClock(Now());
  }
};

struct ClockCase {
  const char* name;
  double minutes;  // printer clock minus the computer's
  bool accepted;
};
// Test listings show the case by its name.
void PrintTo(const ClockCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class ClockRuleTest : public ClockTest, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(ClockRuleTest, FifteenWholeMinutesAreAccepted) {
  porttest::QueueClock(driver(), PlusMinutes(Now(), GetParam().minutes));
  DateTime data(1.0);
  std::string dateTime;
  boClieUtil = true;
  EXPECT_EQ(VerificaData("AZUL", data, dateTime, "", true), GetParam().accepted);
  EXPECT_EQ(boClieUtil, GetParam().accepted);
  EXPECT_EQ(data, DateTime::Today());
  if (GetParam().accepted) {
    EXPECT_TRUE(scriptedOperator().Messages().empty());
  } else {
    ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
    EXPECT_EQ(scriptedOperator().Messages()[0].text, DataModule().msgPadrao.Msg("DataDif"));
    EXPECT_EQ(scriptedOperator().Messages()[0].type, 3);
    EXPECT_EQ(scriptedOperator().Messages()[0].context, "AZUL");
  }
}

INSTANTIATE_TEST_SUITE_P(Differences, ClockRuleTest,
                         ::testing::Values(ClockCase{"Equal", 0, true},
                                           ClockCase{"FifteenBehind", -15, true},
                                           ClockCase{"FifteenAhead", 15, true},
                                           ClockCase{"FifteenAndSecondsAhead", 15.9, true},
                                           ClockCase{"SixteenBehind", -16, false},
                                           ClockCase{"SixteenAhead", 16, false},
                                           ClockCase{"AnHourAndFive", 65, false},
                                           ClockCase{"ADayAndSixteen", 1440 + 16, false},
                                           ClockCase{"ADayBehind", -1440, false},
                                           ClockCase{"ADayAndTenAhead", 1440 + 10, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockTest, DifferenceAcrossMidnightCountsInMinutes) {
  const DateTime midnight = DateTime::FromParts(2026, 3, 15, 0, 5, 0);
  tovtest::SetClock(midnight);
  DateTime data;
  std::string dateTime;
  porttest::QueueClock(driver(), PlusMinutes(midnight, -10));
  EXPECT_TRUE(VerificaData("AZUL", data, dateTime, "", true));
  porttest::QueueClock(driver(), PlusMinutes(midnight, -20));
  EXPECT_FALSE(VerificaData("AZUL", data, dateTime, "", true));
}

TEST_F(ClockTest, UnreadableClockFailsAndLeavesTheDateAlone) {
  driver().Queue("rDataHoraImpressora_ECF_Daruma", -6);
  DateTime data(1.0);
  std::string dateTime;
  boClieUtil = true;
  EXPECT_FALSE(VerificaData("AZUL", data, dateTime, "", true));
  EXPECT_FALSE(boClieUtil);
  EXPECT_EQ(data, DateTime(1.0));
}

TEST_F(ClockTest, MovementDateTextGivesTheFiscalDay) {
  struct {
    std::string movement;
    DateTime expected;
  } cases[] = {{"140326", DateTime::FromParts(2026, 3, 14)},
               {"", DateTime::Today()},
               {"xx0326", DateTime::Today()},
               {"310226", DateTime::Today()}};
  for (const auto& c : cases) {
    DateTime data;
    std::string dateTime;
    EXPECT_TRUE(VerificaData("AZUL", data, dateTime, c.movement, false)) << c.movement;
    EXPECT_EQ(data, c.expected) << c.movement;
  }
  EXPECT_TRUE(driver().Calls().empty()) << "the clock is not read without the flag";
}

TEST_F(ClockTest, PrinterTextThatIsNoDateLeavesTheClocksUncompared) {
  DateTime data;
  std::string dateTime = "ab0326103000";
  EXPECT_TRUE(VerificaData("AZUL", data, dateTime, "140326", false));
  EXPECT_EQ(data, DateTime::Today());
}

TEST_F(ClockTest, DataImpGivesDayMonthTwoDigitYearAndTime) {
  stMensagemTaa = "antiga";
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 1, {"15032026", "103007"});
  std::string dateTime;
  EXPECT_TRUE(Data_Imp("AZUL", dateTime));
  EXPECT_EQ(dateTime, "150326103007");
  EXPECT_EQ(stMensagemTaa, "");
  EXPECT_EQ(driver().CallsTo("rDataHoraImpressora_ECF_Daruma")[0].args,
            (std::vector<std::string>{"[out 8]", "[out 6]"}));
  EXPECT_EQ(tovtest::DebugLogTexts().front(),
            "rDataHoraImpressora_ECF_Daruma\r\nRetorno da Impressora : 15032026103007");
}

TEST_F(ClockTest, FiscalDayOfTheYear2000MeansToday) {
  struct {
    std::string reply;
    DateTime expected;
  } cases[] = {{"01012000", DateTime::Today()},
               {"14032026", DateTime::FromParts(2026, 3, 14)},
               {"        ", DateTime::Today()},
               {"", DateTime::Today()}};
  for (const auto& c : cases) {
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {c.reply});
    EXPECT_EQ(DataMoviFiscal("AZUL"), c.expected) << c.reply;
  }
  EXPECT_EQ(driver().CallsTo("rRetornarInformacao_ECF_Daruma")[0].args,
            (std::vector<std::string>{"70", "[out 8]"}));
}

struct DaylightCase {
  const char* name;
  double minutes;  // printer clock minus the computer's
  std::string reply;
};
// Test listings show the case by its name.
void PrintTo(const DaylightCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class DaylightSavingTest : public ClockTest, public ::testing::WithParamInterface<DaylightCase> {};

TEST_P(DaylightSavingTest, ComparesTheClocks) {
  porttest::QueueClock(driver(), PlusMinutes(Now(), GetParam().minutes));
  EXPECT_EQ(DataModule().ComparaData_Hora("AZUL", "N"), GetParam().reply);
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Differences, DaylightSavingTest,
                         ::testing::Values(DaylightCase{"FiftyFiveAhead", 55, "D"},
                                           DaylightCase{"FortyNineAhead", 49, "NADA"},
                                           DaylightCase{"FiftyBehind", -50, "H"},
                                           DaylightCase{"AnHourBehind", -60, "H"},
                                           DaylightCase{"FortyNineBehind", -49, "NADA"},
                                           DaylightCase{"ADayAhead", 1440 + 60, "NADA"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockTest, BlankOrGarbledPrinterClockIsNok) {
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 0);
  EXPECT_EQ(DataModule().ComparaData_Hora("AZUL", "S"), "NOK");
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 1, {"99999999", "999999"});
  EXPECT_EQ(DataModule().ComparaData_Hora("AZUL", "S"), "NOK");
}

TEST_F(ClockTest, DaylightSavingStateShowsBothClocks) {
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 1, {"15032026", "112507"});
  EXPECT_TRUE(Estado_HorVerao("AZUL"));
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  const auto& m = scriptedOperator().Messages()[0];
  EXPECT_EQ(m.text, DataModule().msgPadrao.Msg("DataComputador") + " 15/03/2026 10:30:00 - " +
                        DataModule().msgPadrao.Msg("DataImpressora") + " 15/03/2026 11:25:07");
  EXPECT_EQ(m.type, 0);
  EXPECT_EQ(m.context, "AZUL");
}

struct SwitchCase {
  const char* name;
  double minutes;
  std::string call;  // "" when nothing is changed
};
// Test listings show the case by its name.
void PrintTo(const SwitchCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class ChangeOverTest : public ClockTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(ChangeOverTest, SwitchesDaylightSavingTheWayTheClocksDiffer) {
  porttest::QueueClock(driver(), PlusMinutes(Now(), GetParam().minutes));
  const bool switched = Muda_Horario("AZUL");
  const auto commands = porttest::Commands(driver());
  if (GetParam().call.empty()) {
    EXPECT_FALSE(switched);
    EXPECT_EQ(commands, std::vector<std::string>{"rDataHoraImpressora_ECF_Daruma"});
  } else {
    EXPECT_TRUE(switched);
    EXPECT_EQ(commands,
              (std::vector<std::string>{"rDataHoraImpressora_ECF_Daruma", GetParam().call}));
    const auto log = tovtest::DebugLogTexts();
    EXPECT_TRUE(tovtest::LogHas(GetParam().call, log));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Differences, ChangeOverTest,
    ::testing::Values(SwitchCase{"PrinterBehind", -60, "confHabilitarHorarioVerao_ECF_Daruma"},
                      SwitchCase{"PrinterAhead", 60, "confDesabilitarHorarioVerao_ECF_Daruma"},
                      SwitchCase{"Equal", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockTest, FailedChangeOverAnswersFalseWithoutTouchingInRetorno) {
  porttest::QueueClock(driver(), PlusMinutes(Now(), -60));
  driver().Queue("confHabilitarHorarioVerao_ECF_Daruma", -1);
  inRetorno = 77;
  EXPECT_FALSE(Muda_Horario("AZUL"));
  EXPECT_EQ(inRetorno, 1) << "the clock query's code, not the change's";
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

}  // namespace
