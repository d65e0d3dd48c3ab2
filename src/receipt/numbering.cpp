// The receipt numbers the printer keeps: the operation counter (COO) and the
// fiscal-receipt counter (CCF).
#include <string>

#include "driver/registers.h"
#include "driver/shared_reads.h"
#include "tov00300/frame.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {
using driver::Register;
}  // namespace

std::string Nr_Cupom(const std::string& /*ignorado*/, const std::string& stEsquema) {
  return driver::ReceiptNumber(stEsquema);
}

bool ContadorCupomFiscalMFD(const std::string& stEsquema, std::string& contador) {
  const driver::Reply reply = driver::ReadRegister(Register::kFiscalReceiptCounter);
  contador = reply.text;
  // This query is logged as it is read and leaves stImpDebug and inRetorno to
  // the command the caller is running.
  driver::Log(reply.code, driver::RegisterDescription(Register::kFiscalReceiptCounter, contador),
              {.stored = false});
  return driver::JudgePending(reply.code, {stEsquema, false, true});
}

std::string NumeroCupom() {
  return stNrCupom;
}

}  // namespace Tov00300
