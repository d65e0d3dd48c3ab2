// The printer's surcharge total, and a reading kept only for the host's link.
#include <string>

#include "driver/registers.h"
#include "tov00300/receipt.h"

namespace Tov00300 {

namespace {
constexpr int kRegistroAcrescimos = 12;
}  // namespace

bool Acrescimo_Imp(const std::string& stEsquema, std::string& total) {
  const driver::RegisterReply resposta = driver::ReadRegister(kRegistroAcrescimos);
  total = resposta.text;
  // The code is judged but not stored: inRetorno keeps the last command's.
  return driver::Judge(resposta.code, driver::RegisterDescription(kRegistroAcrescimos, total),
                       {stEsquema, false, true});
}

void Leitura_Totais_Imp(bool /*reservado1*/, bool /*reservado2*/) {}

}  // namespace Tov00300
