// The receipt numbers the printer keeps: the operation counter (COO) and the
// fiscal-receipt counter (CCF).
#include <string>

#include "driver/reply_buffer.h"
#include "readings/registers.h"
#include "tov00300/driver.h"
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
  stRetorno = QueryRegister(kRegistroCoo);
  if (AnalisaRetorno_FrameWork(stEsquema, inRetorno, false, true, false)) return stRetorno;
  return "ERRO";
}

bool ContadorCupomFiscalMFD(const std::string& stEsquema, std::string& contador) {
  driver::ReplyBuffer buffer(RegisterWidth(kRegistroCcf));
  const int codigo =
      rRetornarInformacao_ECF_Daruma(std::to_string(kRegistroCcf).c_str(), buffer.data());
  contador = buffer.Text();
  // This query logs its reply itself and leaves stImpDebug and inRetorno to
  // the command the caller is running.
  ImpFisDebug(RegisterDebugLine(kRegistroCcf, contador));
  return AnalisaRetorno_FrameWork(stEsquema, codigo, false, true, false);
}

std::string NumeroCupom() {
  return stNrCupom;
}

}  // namespace Tov00300
