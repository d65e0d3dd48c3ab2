// When the receipt operations may put the retry question (driver::AskRetry)
// to the operator after the printer refused a command.
#ifndef TOV00300_SRC_RECEIPT_RETRY_QUESTION_H_
#define TOV00300_SRC_RECEIPT_RETRY_QUESTION_H_

#include <string>

namespace Tov00300::receipt {

// True when a card payment takes part in the sale and its indicator allows the
// printer-does-not-answer question: IDUTILTEF "S" or "T" with UTILTEF true.
bool CardSale(const std::string& cardUseKind, bool cardPayment);

}  // namespace Tov00300::receipt

#endif  // TOV00300_SRC_RECEIPT_RETRY_QUESTION_H_
