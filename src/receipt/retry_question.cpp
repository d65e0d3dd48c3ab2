#include "receipt/retry_question.h"

#include "tov00300/datamodule.h"
#include "tov00300/hostlib.h"

namespace Tov00300::receipt {

namespace {
constexpr int kTipoRepetir = 3;
}  // namespace

bool PerguntaRepetir(const std::string& texto, const std::string& stEsquema) {
  return hostlib::Mensagem(texto, "", "N", "S", kTipoRepetir, "", stEsquema, 0, nullptr);
}

bool VendaComTef(const std::string& idUtilTef, bool utilTef) {
  return (idUtilTef == "S" || idUtilTef == "T") && utilTef;
}

std::string TextoImpNaoResponde() {
  return DataModule().msgPadrao.Msg("Imp_N_Resp");
}

}  // namespace Tov00300::receipt
