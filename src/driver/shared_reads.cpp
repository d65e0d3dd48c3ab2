#include "driver/shared_reads.h"

#include "driver/printer_dates.h"
#include "driver/registers.h"
#include "tov00300/format.h"
#include "tov00300/state.h"

namespace Tov00300::driver {

std::string ReceiptNumber(const std::string& scheme) {
  const Reply reply = ReadRegister(Register::kOperationCounter);
  stRetorno = reply.text;
  const std::string description = RegisterDescription(Register::kOperationCounter, stRetorno);
  return Command(reply.code, description, {scheme, false, true}) ? stRetorno : "ERRO";
}

std::string FiscalDayText(const std::string& scheme) {
  const std::string reply = Trim(ReadRegister(Register::kFiscalDay, {scheme, false}));
  std::string ddmmyy = Copy(reply, 1, 4) + Copy(reply, 7, 2);
  // The printer answers 01/01/2000 while it has no fiscal day.
  if (ddmmyy == "010100") ddmmyy = FormatDateTime("ddmmyy", DateTime::Today());
  return ddmmyy;
}

DateTime FiscalDay(const std::string& scheme) {
  const std::string ddmmyy = FiscalDayText(scheme);
  try {
    return DateFromDDMMYY(ddmmyy);
  } catch (const ConversionError&) {
    return DateTime::Today();
  }
}

}  // namespace Tov00300::driver
