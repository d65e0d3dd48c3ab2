// The printer's clock and fiscal day: Data_Imp, VerificaData, DataMoviFiscal.
#include <cctype>
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/printer_dates.h"
#include "driver/reply_buffer.h"
#include "driver/shared_reads.h"
#include "session/clock.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

ClockDifference PrinterClockDifference(const std::string& ddmmyyhhmmss) {
  const DateTime printer = driver::PrinterDateTime(ddmmyyhhmmss, false);
  // "[-]h...h:nn": the hours are not wrapped at a day, so a printer a day and
  // 16 minutes off reads 24:16 here, never 00:16.
  const std::string text = hostlib::SubtDataHoraQir(printer, DateTime::Now());
  ClockDifference diff;
  std::string rest = text;
  if (!rest.empty() && rest[0] == '-') {
    diff.printerAhead = true;
    rest.erase(0, 1);
  }
  const size_t colon = rest.find(':');
  if (colon == std::string::npos || colon == 0 || rest.size() - colon - 1 != 2) {
    throw ConversionError("'" + text + "' is not a clock difference");
  }
  for (size_t i = 0; i < rest.size(); ++i) {
    if (i != colon && !std::isdigit(static_cast<unsigned char>(rest[i]))) {
      throw ConversionError("'" + text + "' is not a clock difference");
    }
  }
  diff.hours = StrToInt(rest.substr(0, colon));
  diff.minutes = StrToInt(rest.substr(colon + 1));
  return diff;
}

bool Data_Imp(const std::string& stEsquema, std::string& stDataHora) {
  stMensagemTaa.clear();
  driver::ReplyBuffer data(8), hora(6);
  const int code = driver::Store(rDataHoraImpressora_ECF_Daruma(data.data(), hora.data()));
  const std::string dateText = data.Text(), timeText = hora.Text();
  const bool ok = driver::Command(
      code, driver::DescribeReply("rDataHoraImpressora_ECF_Daruma", dateText + timeText),
      {stEsquema, boNUtilTaa || !boClieUtil});
  // DDMMYY + HHMMSS, whatever the answer: the year keeps its last two digits.
  stDataHora = Copy(dateText, 1, 4) + Copy(dateText, 7, 2) + timeText;
  return ok;
}

bool VerificaData(const std::string& stEsquema, DateTime& dtData, std::string& stDataHoraImp,
                  const std::string& stDataMov, bool boLeRelogio) {
  DataModule();
  bool result = true;
  try {
    if (boLeRelogio && !Data_Imp(stEsquema, stDataHoraImp)) {
      boClieUtil = false;
      return false;
    }
    if (!stDataHoraImp.empty()) {
      // A difference of a day or more counts in full: its figure is 2400 or
      // more, far beyond the 15 minutes allowed.
      if (PrinterClockDifference(stDataHoraImp).Figure() > 15) {
        if (boNUtilTaa || !boClieUtil) {
          driver::ShowMessage(stEsquema, DataModule().msgPadrao.Msg("Datadif"),
                              {driver::kErrorDialog});
        }
        boClieUtil = false;
        result = false;
      }
    }
    dtData = stDataMov.empty() ? DateTime::Today() : driver::DateFromDDMMYY(stDataMov);
  } catch (const std::exception&) {
    // A printer date that does not read as a date leaves the clocks
    // uncompared; the fiscal day then defaults to today.
    dtData = DateTime::Today();
  }
  return result;
}

DateTime DataMoviFiscal(const std::string& stEsquema) {
  return driver::FiscalDay(stEsquema);
}

}  // namespace Tov00300
