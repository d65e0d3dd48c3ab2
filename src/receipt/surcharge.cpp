// The printer's surcharge total, and a reading kept only for the host's link.
#include <string>

#include "driver/reply_buffer.h"
#include "readings/registers.h"
#include "tov00300/driver.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {
constexpr int kRegistroAcrescimos = 12;
}  // namespace

bool Acrescimo_Imp(const std::string& stEsquema, std::string& total) {
  driver::ReplyBuffer buffer(RegisterWidth(kRegistroAcrescimos));
  // The code is judged but not stored: inRetorno keeps the last command's.
  const int codigo =
      rRetornarInformacao_ECF_Daruma(std::to_string(kRegistroAcrescimos).c_str(), buffer.data());
  total = buffer.Text();
  stImpDebug = RegisterDebugLine(kRegistroAcrescimos, total);
  return AnalisaRetorno_FrameWork(stEsquema, codigo, false, true, false);
}

void Leitura_Totais_Imp(bool /*reservado1*/, bool /*reservado2*/) {}

}  // namespace Tov00300
