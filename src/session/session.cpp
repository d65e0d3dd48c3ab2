// The printer session: StartImpFiscal, StopImpFiscal, AbrePorta, FechaPorta,
// ImpressoraOk.
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/session.h"
#include "tov00300/state.h"
#include "tov00300/variant.h"

namespace Tov00300 {

namespace {

// A start parameter the bag must hold. An absent key would read as "", 0 or
// false and pass unnoticed (a session without a port name, or with dialogs
// switched on for a self-service terminal); it is reported like a value that
// does not convert.
Variant StartParameter(const Variant& bag, const std::string& key) {
  if (FindInBag(bag, key) == nullptr) {
    throw ConversionError(Utf8ToCp1252("Parâmetro ") + key + Utf8ToCp1252(" não informado."));
  }
  return hostlib::RecebeParams(bag, key);
}

}  // namespace

bool StartImpFiscal(Variant& bag) {
  try {
    // The texts are only checked here; port opening reads them again.
    StartParameter(bag, "CDFILIAL").AsString();
    StartParameter(bag, "CDCAIXA").AsString();
    StartParameter(bag, "NRSERIEIMP").AsString();
    StartParameter(bag, "ESQUEMA").AsString();
    StartParameter(bag, "CDPORTAIMPFIS").AsString();
    inTipoImpFis = StartParameter(bag, "IDTIPOIMPFIS").AsInt();
    boNUtilTaa = !StartParameter(bag, "BOUTILTAA").AsBool();
  } catch (const std::exception& e) {
    // The values read before the error keep their new values; the session
    // start goes on.
    driver::ShowMessage("001",
                        Utf8ToCp1252("Erro no recebimento dos parâmetros da função: "
                                     "StartImpFiscal - Tov_00300.bpl") +
                            "\r" + e.what(),
                        {driver::kErrorDialog});
  }
  // A failed binding leaves every entry point unbound; the port opening then
  // fails as a failed driver call, which is what the host is told.
  StartImpFiscal_FrameWork();
  if (!AbrePorta(bag)) return false;
  boImpFiscalOK = true;
  return true;
}

void StopImpFiscal() {
  UnbindDriverEntryPoints();
}

bool AbrePorta(const Variant& bag) {
  try {
    DataModule();
  } catch (const std::exception&) {
    // Without the data module there are no catalogues to report with.
    return false;
  }
  return AbrePorta_FrameWork(bag);
}

// Neither analysed nor logged: the host only asks whether the port closed,
// which the driver confirms with 1 alone.
bool FechaPorta() {
  return driver::Silent(eFecharSerial_Daruma()) == 1;
}

bool ImpressoraOk(const std::string& stEsquema, bool boReservado1, bool boReservado2,
                  bool boReservado3) {
  (void)boReservado1;
  (void)boReservado2;
  (void)boReservado3;
  // Code 1 matches no error row: the answer is the printer's status of its
  // last command.
  return driver::JudgePending(1, {stEsquema, boNUtilTaa});
}

}  // namespace Tov00300
