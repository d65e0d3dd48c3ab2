// Carrega_Dados_Impressora: the printer's identification for the host's bag.
#include <string>

#include "driver/dialogs.h"
#include "driver/registers.h"
#include "driver/shared_reads.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

bool Carrega_Dados_Impressora(Variant& bag) {
  std::string scheme, printerDate, ecf, reductions, serial, fiscalDay;
  try {
    scheme = hostlib::RecebeParams(bag, "ESQUEMA").AsString();
    printerDate = hostlib::RecebeParams(bag, "DATAATUIMP").AsString();
    ecf = hostlib::RecebeParams(bag, "ECFIMP").AsString();
    reductions = hostlib::RecebeParams(bag, "REDIMP").AsString();
    serial = hostlib::RecebeParams(bag, "SERIEIMP").AsString();
    fiscalDay = hostlib::RecebeParams(bag, "DATAIMP").AsString();
  } catch (const std::exception& e) {
    // The values read before the error are kept; the printer is still asked.
    driver::ShowMessage("001",
                        Utf8ToCp1252("Erro no recebimento dos parâmetros da função: "
                                     "Carrega_Dados_Impressora - Tov_00100.bpl") +
                            "\r" + e.what(),
                        {driver::kErrorDialog});
  }
  bool result = true;

  fiscalDay = driver::FiscalDayText(scheme);
  if (hostlib::EmptyString(fiscalDay)) {
    result = false;
  } else {
    Data_Imp(scheme, printerDate);
  }
  if (hostlib::EmptyString(printerDate)) {
    result = false;
  } else {
    ecf = driver::ReadRegister(driver::Register::kEcfNumber, {scheme, false});
  }
  if (hostlib::EmptyString(ecf)) {
    result = false;
  } else {
    serial = driver::ReadRegister(driver::Register::kSerialNumber, {scheme, false});
  }

  // The number and the serial go back as the driver left them, untrimmed.
  bag = MakeBag({{"DATAATUIMP", printerDate},
                 {"ECFIMP", ecf},
                 {"REDIMP", reductions},
                 {"SERIEIMP", serial},
                 {"DATAIMP", fiscalDay}});
  return result;
}

}  // namespace Tov00300
