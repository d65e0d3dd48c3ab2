#include "receipt/retry_question.h"

namespace Tov00300::receipt {

bool CardSale(const std::string& cardUseKind, bool cardPayment) {
  return (cardUseKind == "S" || cardUseKind == "T") && cardPayment;
}

}  // namespace Tov00300::receipt
