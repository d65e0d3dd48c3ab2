// The yes/no question the receipt operations put to the operator after the
// printer refused a command.
#ifndef TOV00300_SRC_RECEIPT_RETRY_QUESTION_H_
#define TOV00300_SRC_RECEIPT_RETRY_QUESTION_H_

#include <string>

#include "tov00300/variant.h"

namespace Tov00300::receipt {

// Asks `texto` as a retry question (message type 3) in the colour scheme;
// true when the operator answers yes.
bool PerguntaRepetir(const std::string& texto, const std::string& stEsquema);

// True when a card payment takes part in the sale and its indicator allows the
// printer-does-not-answer question: IDUTILTEF "S" or "T" with UTILTEF true.
bool VendaComTef(const std::string& idUtilTef, bool utilTef);

// The catalogue text "Imp_N_Resp" of msgPadrao.
std::string TextoImpNaoResponde();

}  // namespace Tov00300::receipt

#endif  // TOV00300_SRC_RECEIPT_RETRY_QUESTION_H_
