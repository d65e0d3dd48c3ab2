// The receipt numbers the printer keeps: the operation counter (COO) and the
// fiscal-receipt counter (CCF).
#include <string>

#include "driver/registers.h"
#include "tov00300/receipt.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {
constexpr int kRegistroCoo = 26;
constexpr int kRegistroCcf = 30;
}  // namespace

std::string Nr_Cupom(const std::string& /*ignorado*/, const std::string& stEsquema) {
  // The reply stays in stRetorno: the receipt cancellation reads it there.
  const driver::RegisterReply resposta = driver::ReadRegister(kRegistroCoo);
  stRetorno = resposta.text;
  const std::string descricao = driver::RegisterDescription(kRegistroCoo, stRetorno);
  return driver::Command(resposta.code, descricao, {stEsquema, false, true}) ? stRetorno : "ERRO";
}

bool ContadorCupomFiscalMFD(const std::string& stEsquema, std::string& contador) {
  const driver::RegisterReply resposta = driver::ReadRegister(kRegistroCcf);
  contador = resposta.text;
  // This query logs its reply itself and leaves stImpDebug and inRetorno to
  // the command the caller is running.
  ImpFisDebug(driver::RegisterDescription(kRegistroCcf, contador));
  return driver::JudgePending(resposta.code, {stEsquema, false, true});
}

std::string NumeroCupom() {
  return stNrCupom;
}

}  // namespace Tov00300
