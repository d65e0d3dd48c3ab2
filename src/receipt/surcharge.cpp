// The printer's surcharge total, and a reading kept only for the host's link.
#include <string>

#include "driver/registers.h"
#include "tov00300/receipt.h"

namespace Tov00300 {

bool Acrescimo_Imp(const std::string& stEsquema, std::string& total) {
  const driver::Reply reply = driver::ReadRegister(driver::Register::kSurcharges);
  total = reply.text;
  // The code is judged but not stored: inRetorno keeps the last command's.
  return driver::Judge(reply.code,
                       driver::RegisterDescription(driver::Register::kSurcharges, total),
                       {stEsquema, false, true});
}

void Leitura_Totais_Imp(bool /*reservado1*/, bool /*reservado2*/) {}

}  // namespace Tov00300
