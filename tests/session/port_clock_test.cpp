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
using porttest::Agora;
using porttest::MaisMinutos;

class ClockTest : public tovtest::PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    tovtest::SetClock(Agora());
  }
};

struct CasoRelogio {
  const char* nome;
  double minutos;  // printer clock minus the computer's
  bool aceito;
};
// Test listings show the case by its name.
void PrintTo(const CasoRelogio& caso, std::ostream* os) {
  *os << caso.nome;
}

class ClockRuleTest : public ClockTest, public ::testing::WithParamInterface<CasoRelogio> {};

TEST_P(ClockRuleTest, FifteenWholeMinutesAreAccepted) {
  porttest::QueueClock(driver(), MaisMinutos(Agora(), GetParam().minutos));
  DateTime data(1.0);
  std::string dataHora;
  boClieUtil = true;
  EXPECT_EQ(VerificaData("AZUL", data, dataHora, "", true), GetParam().aceito);
  EXPECT_EQ(boClieUtil, GetParam().aceito);
  EXPECT_EQ(data, DateTime::Today());
  if (GetParam().aceito) {
    EXPECT_TRUE(operador().Messages().empty());
  } else {
    ASSERT_EQ(operador().Messages().size(), 1u);
    EXPECT_EQ(operador().Messages()[0].text, DataModule().msgPadrao.Msg("DataDif"));
    EXPECT_EQ(operador().Messages()[0].type, 3);
    EXPECT_EQ(operador().Messages()[0].context, "AZUL");
  }
}

INSTANTIATE_TEST_SUITE_P(Diferencas, ClockRuleTest,
                         ::testing::Values(CasoRelogio{"Igual", 0, true},
                                           CasoRelogio{"QuinzeAtras", -15, true},
                                           CasoRelogio{"QuinzeAFrente", 15, true},
                                           CasoRelogio{"QuinzeESegundosAFrente", 15.9, true},
                                           CasoRelogio{"DezesseisAtras", -16, false},
                                           CasoRelogio{"DezesseisAFrente", 16, false},
                                           CasoRelogio{"UmaHoraECinco", 65, false},
                                           CasoRelogio{"UmDiaEDezesseis", 1440 + 16, false},
                                           CasoRelogio{"UmDiaAtras", -1440, false},
                                           CasoRelogio{"UmDiaEDezAFrente", 1440 + 10, false}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ClockTest, DifferenceAcrossMidnightCountsInMinutes) {
  const DateTime meiaNoite = DateTime::FromParts(2026, 3, 15, 0, 5, 0);
  tovtest::SetClock(meiaNoite);
  DateTime data;
  std::string dataHora;
  porttest::QueueClock(driver(), MaisMinutos(meiaNoite, -10));
  EXPECT_TRUE(VerificaData("AZUL", data, dataHora, "", true));
  porttest::QueueClock(driver(), MaisMinutos(meiaNoite, -20));
  EXPECT_FALSE(VerificaData("AZUL", data, dataHora, "", true));
}

TEST_F(ClockTest, UnreadableClockFailsAndLeavesTheDateAlone) {
  driver().Queue("rDataHoraImpressora_ECF_Daruma", -6);
  DateTime data(1.0);
  std::string dataHora;
  boClieUtil = true;
  EXPECT_FALSE(VerificaData("AZUL", data, dataHora, "", true));
  EXPECT_FALSE(boClieUtil);
  EXPECT_EQ(data, DateTime(1.0));
}

TEST_F(ClockTest, MovementDateTextGivesTheFiscalDay) {
  struct {
    std::string mov;
    DateTime esperado;
  } casos[] = {{"140326", DateTime::FromParts(2026, 3, 14)},
               {"", DateTime::Today()},
               {"xx0326", DateTime::Today()},
               {"310226", DateTime::Today()}};
  for (const auto& c : casos) {
    DateTime data;
    std::string dataHora;
    EXPECT_TRUE(VerificaData("AZUL", data, dataHora, c.mov, false)) << c.mov;
    EXPECT_EQ(data, c.esperado) << c.mov;
  }
  EXPECT_TRUE(driver().Calls().empty()) << "the clock is not read without the flag";
}

TEST_F(ClockTest, PrinterTextThatIsNoDateLeavesTheClocksUncompared) {
  DateTime data;
  std::string dataHora = "ab0326103000";
  EXPECT_TRUE(VerificaData("AZUL", data, dataHora, "140326", false));
  EXPECT_EQ(data, DateTime::Today());
}

TEST_F(ClockTest, DataImpGivesDayMonthTwoDigitYearAndTime) {
  stMensagemTaa = "antiga";
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 1, {"15032026", "103007"});
  std::string dataHora;
  EXPECT_TRUE(Data_Imp("AZUL", dataHora));
  EXPECT_EQ(dataHora, "150326103007");
  EXPECT_EQ(stMensagemTaa, "");
  EXPECT_EQ(driver().CallsTo("rDataHoraImpressora_ECF_Daruma")[0].args,
            (std::vector<std::string>{"[out 8]", "[out 6]"}));
  EXPECT_EQ(tovtest::DebugLogTexts().front(),
            "rDataHoraImpressora_ECF_Daruma\r\nRetorno da Impressora : 15032026103007");
}

TEST_F(ClockTest, FiscalDayOfTheYear2000MeansToday) {
  struct {
    std::string resposta;
    DateTime esperado;
  } casos[] = {{"01012000", DateTime::Today()},
               {"14032026", DateTime::FromParts(2026, 3, 14)},
               {"        ", DateTime::Today()},
               {"", DateTime::Today()}};
  for (const auto& c : casos) {
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {c.resposta});
    EXPECT_EQ(DataMoviFiscal("AZUL"), c.esperado) << c.resposta;
  }
  EXPECT_EQ(driver().CallsTo("rRetornarInformacao_ECF_Daruma")[0].args,
            (std::vector<std::string>{"70", "[out 8]"}));
}

struct CasoHorario {
  const char* nome;
  double minutos;  // printer clock minus the computer's
  std::string resposta;
};
// Test listings show the case by its name.
void PrintTo(const CasoHorario& caso, std::ostream* os) {
  *os << caso.nome;
}

class DaylightSavingTest : public ClockTest, public ::testing::WithParamInterface<CasoHorario> {};

TEST_P(DaylightSavingTest, ComparesTheClocks) {
  porttest::QueueClock(driver(), MaisMinutos(Agora(), GetParam().minutos));
  EXPECT_EQ(DataModule().ComparaData_Hora("AZUL", "N"), GetParam().resposta);
  EXPECT_TRUE(operador().Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Diferencas, DaylightSavingTest,
                         ::testing::Values(CasoHorario{"CinquentaECincoAFrente", 55, "D"},
                                           CasoHorario{"QuarentaENoveAFrente", 49, "NADA"},
                                           CasoHorario{"CinquentaAtras", -50, "H"},
                                           CasoHorario{"UmaHoraAtras", -60, "H"},
                                           CasoHorario{"QuarentaENoveAtras", -49, "NADA"},
                                           CasoHorario{"UmDiaAFrente", 1440 + 60, "NADA"}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ClockTest, BlankOrGarbledPrinterClockIsNok) {
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 0);
  EXPECT_EQ(DataModule().ComparaData_Hora("AZUL", "S"), "NOK");
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 1, {"99999999", "999999"});
  EXPECT_EQ(DataModule().ComparaData_Hora("AZUL", "S"), "NOK");
}

TEST_F(ClockTest, DaylightSavingStateShowsBothClocks) {
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 1, {"15032026", "112507"});
  EXPECT_TRUE(Estado_HorVerao("AZUL"));
  ASSERT_EQ(operador().Messages().size(), 1u);
  const auto& m = operador().Messages()[0];
  EXPECT_EQ(m.text, DataModule().msgPadrao.Msg("DataComputador") + " 15/03/2026 10:30:00 - " +
                        DataModule().msgPadrao.Msg("DataImpressora") + " 15/03/2026 11:25:07");
  EXPECT_EQ(m.type, 0);
  EXPECT_EQ(m.context, "AZUL");
}

struct CasoMuda {
  const char* nome;
  double minutos;
  std::string chamada;  // "" when nothing is changed
};
// Test listings show the case by its name.
void PrintTo(const CasoMuda& caso, std::ostream* os) {
  *os << caso.nome;
}

class ChangeOverTest : public ClockTest, public ::testing::WithParamInterface<CasoMuda> {};

TEST_P(ChangeOverTest, SwitchesDaylightSavingTheWayTheClocksDiffer) {
  porttest::QueueClock(driver(), MaisMinutos(Agora(), GetParam().minutos));
  const bool mudou = Muda_Horario("AZUL");
  const auto comandos = porttest::Commands(driver());
  if (GetParam().chamada.empty()) {
    EXPECT_FALSE(mudou);
    EXPECT_EQ(comandos, std::vector<std::string>{"rDataHoraImpressora_ECF_Daruma"});
  } else {
    EXPECT_TRUE(mudou);
    EXPECT_EQ(comandos,
              (std::vector<std::string>{"rDataHoraImpressora_ECF_Daruma", GetParam().chamada}));
    const auto log = tovtest::DebugLogTexts();
    EXPECT_TRUE(tovtest::LogHas(GetParam().chamada, log));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Diferencas, ChangeOverTest,
    ::testing::Values(CasoMuda{"ImpressoraAtrasada", -60, "confHabilitarHorarioVerao_ECF_Daruma"},
                      CasoMuda{"ImpressoraAdiantada", 60, "confDesabilitarHorarioVerao_ECF_Daruma"},
                      CasoMuda{"Igual", 0, ""}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ClockTest, FailedChangeOverAnswersFalseWithoutTouchingInRetorno) {
  porttest::QueueClock(driver(), MaisMinutos(Agora(), -60));
  driver().Queue("confHabilitarHorarioVerao_ECF_Daruma", -1);
  inRetorno = 77;
  EXPECT_FALSE(Muda_Horario("AZUL"));
  EXPECT_EQ(inRetorno, 1) << "the clock query's code, not the change's";
  EXPECT_TRUE(operador().Messages().empty());
}

}  // namespace
