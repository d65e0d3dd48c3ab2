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
  std::string esquema, dataAtu, ecf, reducao, serie, dataImp;
  try {
    esquema = hostlib::RecebeParams(bag, "ESQUEMA").AsString();
    dataAtu = hostlib::RecebeParams(bag, "DATAATUIMP").AsString();
    ecf = hostlib::RecebeParams(bag, "ECFIMP").AsString();
    reducao = hostlib::RecebeParams(bag, "REDIMP").AsString();
    serie = hostlib::RecebeParams(bag, "SERIEIMP").AsString();
    dataImp = hostlib::RecebeParams(bag, "DATAIMP").AsString();
  } catch (const std::exception& e) {
    // The values read before the error are kept; the printer is still asked.
    driver::ShowMessage("001",
                        Utf8ToCp1252("Erro no recebimento dos parâmetros da função: "
                                     "Carrega_Dados_Impressora - Tov_00100.bpl") +
                            "\r" + e.what(),
                        {driver::kErrorDialog});
  }
  bool resultado = true;

  dataImp = driver::FiscalDayText(esquema);
  if (hostlib::EmptyString(dataImp)) {
    resultado = false;
  } else {
    Data_Imp(esquema, dataAtu);
  }
  if (hostlib::EmptyString(dataAtu)) {
    resultado = false;
  } else {
    ecf = driver::ReadRegister(driver::Register::kEcfNumber, {esquema, false});
  }
  if (hostlib::EmptyString(ecf)) {
    resultado = false;
  } else {
    serie = driver::ReadRegister(driver::Register::kSerialNumber, {esquema, false});
  }

  // The number and the serial go back as the driver left them, untrimmed.
  bag = MakeBag({{"DATAATUIMP", dataAtu},
                 {"ECFIMP", ecf},
                 {"REDIMP", reducao},
                 {"SERIEIMP", serie},
                 {"DATAIMP", dataImp}});
  return resultado;
}

}  // namespace Tov00300
