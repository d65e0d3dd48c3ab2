// The receipt numbers the printer keeps: the operation counter (COO) and the
// fiscal-receipt counter (CCF).
#include <string>

#include "driver/registers.h"
#include "tov00300/receipt.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {
constexpr int kCooRegister = 26;
constexpr int kCcfRegister = 30;
}  // namespace

std::string Nr_Cupom(const std::string& /*ignorado*/, const std::string& stEsquema) {
  // The reply stays in stRetorno: the receipt cancellation reads it there.
  const driver::RegisterReply reply = driver::ReadRegister(kCooRegister);
  stRetorno = reply.text;
  const std::string description = driver::RegisterDescription(kCooRegister, stRetorno);
  return driver::Command(reply.code, description, {stEsquema, false, true}) ? stRetorno : "ERRO";
}

bool ContadorCupomFiscalMFD(const std::string& stEsquema, std::string& contador) {
  const driver::RegisterReply reply = driver::ReadRegister(kCcfRegister);
  contador = reply.text;
  // This query logs its reply itself and leaves stImpDebug and inRetorno to
  // the command the caller is running.
  ImpFisDebug(driver::RegisterDescription(kCcfRegister, contador));
  return driver::JudgePending(reply.code, {stEsquema, false, true});
}

std::string NumeroCupom() {
  return stNrCupom;
}

}  // namespace Tov00300
