// Daylight-saving detection and adjustment: ComparaData_Hora, Estado_HorVerao,
// Muda_Horario.
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/printer_dates.h"
#include "session/clock.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// Clocks this far apart are out by more than a daylight-saving hour.
constexpr long long kDaylightSavingFigure = 50;
// A day or more apart: no daylight-saving change explains it or mends it.
constexpr int kDayHours = 24;

std::string ShortDateLongTime(DateTime value) {
  return DateToStr(value) + " " + TimeToStr(value);
}

}  // namespace

std::string TdtmDaruma300::ComparaData_Hora(const std::string& stEsquema,
                                            const std::string& mostra) {
  std::string stDataHora;
  Data_Imp(stEsquema, stDataHora);
  if (Trim(stDataHora).empty()) return "NOK";

  std::string answer;
  DateTime printerClock;
  try {
    const ClockDifference diff = PrinterClockDifference(stDataHora);
    if (diff.Figure() < kDaylightSavingFigure || diff.hours >= kDayHours) {
      answer = "NADA";
    } else {
      answer = diff.printerAhead ? "D" : "H";
    }
    if (mostra == "S") printerClock = driver::PrinterDateTime(stDataHora, true);
  } catch (const ConversionError&) {
    // A printer clock that does not read as a date cannot be compared.
    return "NOK";
  }
  if (mostra == "S") {
    const std::string text =
        msgPadrao.Msg("DataComputador") + " " + ShortDateLongTime(DateTime::Now()) + " - " +
        msgPadrao.Msg("DataImpressora") + " " + ShortDateLongTime(printerClock);
    driver::ShowMessage(stEsquema, text);
  }
  return answer;
}

bool Estado_HorVerao(const std::string& stEsquema) {
  return DataModule().ComparaData_Hora(stEsquema, "S") == "D";
}

bool Muda_Horario(const std::string& stEsquema) {
  const std::string answer = DataModule().ComparaData_Hora(stEsquema, "N");
  // The command's name is logged, its code judged but not stored: inRetorno
  // keeps the clock query's.
  int code;
  if (answer == "H") {
    code = driver::Log(confHabilitarHorarioVerao_ECF_Daruma(),
                       "confHabilitarHorarioVerao_ECF_Daruma", {.stored = false});
  } else if (answer == "D") {
    code = driver::Log(confDesabilitarHorarioVerao_ECF_Daruma(),
                       "confDesabilitarHorarioVerao_ECF_Daruma", {.stored = false});
  } else {
    return false;
  }
  return driver::JudgePending(code, {stEsquema, false});
}

}  // namespace Tov00300
