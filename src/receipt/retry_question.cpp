#include "receipt/retry_question.h"

namespace Tov00300::receipt {

bool VendaComTef(const std::string& idUtilTef, bool utilTef) {
  return (idUtilTef == "S" || idUtilTef == "T") && utilTef;
}

}  // namespace Tov00300::receipt
