// Non-fiscal documents and reports: everything the printer prints outside a
// fiscal receipt. Every driver call is judged by AnalisaRetorno_FrameWork,
// which writes the debug log, shows the printer's messages when asked to and
// collects them in stMensagemTaa.
#ifndef TOV00300_DOCUMENTS_H_
#define TOV00300_DOCUMENTS_H_

#include <string>

namespace Tov00300 {

// ---- non-linked non-fiscal receipt --------------------------------------------

// Prints a whole non-fiscal receipt: one amount registered on the printer's
// non-fiscal totalizer named `totalizador` (compared exactly with the
// printer's list; its position there, two digits, is the code sent) and paid
// with the payment method `formaPagto`. `valor` is a number text in the
// process decimal separator, sent with two decimals. The opening, item,
// totalizing and payment commands are all sent whatever each answers; the
// result is the printer's answer to the closing. When `valor` is not a number
// or the totalizer is not in the printer's list, nothing is opened: the
// problem is logged, collected in stMensagemTaa, shown when boNUtilTaa, and
// the result is false. The last parameter is ignored.
bool Cupom_NFiscNVinc(const std::string& stEsquema, const std::string& totalizador,
                      const std::string& valor, const std::string& formaPagto,
                      const std::string& ignorado);

}  // namespace Tov00300

#endif  // TOV00300_DOCUMENTS_H_
