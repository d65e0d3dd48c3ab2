// The printer's surcharge total, and a reading kept only for the host's link.
#include <string>

#include "readings/register_queries.h"
#include "tov00300/receipt.h"

namespace Tov00300 {

bool Acrescimo_Imp(const std::string& stEsquema, std::string& total) {
  return readings::SurchargeTotal(stEsquema, total);
}

void Leitura_Totais_Imp(bool /*reservado1*/, bool /*reservado2*/) {}

}  // namespace Tov00300
