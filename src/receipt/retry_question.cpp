#include "receipt/retry_question.h"

#include "driver/dialogs.h"
#include "tov00300/datamodule.h"

namespace Tov00300::receipt {

bool PerguntaRepetir(const std::string& texto, const std::string& stEsquema) {
  return driver::AskOperator(stEsquema, texto, driver::kErrorDialog);
}

bool VendaComTef(const std::string& idUtilTef, bool utilTef) {
  return (idUtilTef == "S" || idUtilTef == "T") && utilTef;
}

std::string TextoImpNaoResponde() {
  return DataModule().msgPadrao.Msg("Imp_N_Resp");
}

}  // namespace Tov00300::receipt
