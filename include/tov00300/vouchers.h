// Card-payment vouchers: the acquirer's texts printed after a card payment,
// as linked vouchers (a non-fiscal document tied to the last fiscal receipt's
// card payment) or as a management report, and the linked-voucher
// primitives the host may drive one by one. Every driver call is judged by
// AnalisaRetorno_FrameWork (debug log, operator dialogs, stMensagemTaa).
#ifndef TOV00300_VOUCHERS_H_
#define TOV00300_VOUCHERS_H_

#include <string>

#include "tov00300/export.h"
#include "tov00300/stringlist.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// ---- printing the card-payment vouchers ---------------------------------------

// Prints the card-payment vouchers. Entry j of `firstCopies` is voucher j,
// entry j of `secondCopies` (when present) its second copy; a backslash in
// a text is a line break, and every character is printed.
//
// The linked-voucher route is taken when `value` is not 0, `linkedText` is
// not empty and `routeFlag` is not "S"; otherwise the call is that of
// ImprimeTefRG_FrameWork. In the linked route the printer's state is judged
// first (Estado_Imp), then one linked voucher is opened (the receipt number
// is read first unless `openMode` is 2) and each voucher printed in order:
// the first copy, then, unless `terminalKind` is "APC" or "TAA", a pause and
// the second copy; the voucher is closed after the last one. A refused
// check, opening, text or closing ends the pass; with an operator present
// (boNUtilTaa) the question "Imp_N_Resp" follows: yes repeats (a voucher
// left open is closed and every voucher is printed again as a management
// report), no, or no operator, ends with false. True only when every text
// was printed and the voucher closed. Parameters 1 to 3, 7 to 9, 11 and 13
// are not used (1 and 2 reach the management report's opening).
bool ImprimeTef_FrameWork(const std::string& textA, const std::string& textB,
                          const std::string& unused3, const std::string& scheme,
                          const StringList& firstCopies, const StringList& secondCopies,
                          const StringList& unused7, const StringList& unused8,
                          const std::string& unused9, const std::string& linkedText,
                          const std::string& unused11, double value, double unused13, int openMode,
                          const std::string& routeFlag, const std::string& terminalKind);

// ImprimeTef_FrameWork with an empty terminal kind (the sixteenth parameter
// is not used).
bool ImprimeTef(const std::string& textA, const std::string& textB, const std::string& unused3,
                const std::string& scheme, const StringList& firstCopies,
                const StringList& secondCopies, const StringList& unused7,
                const StringList& unused8, const std::string& unused9,
                const std::string& linkedText, const std::string& unused11, double value,
                double unused13, int openMode, const std::string& routeFlag,
                const std::string& unused16);

// The vouchers as one management report, opened with textA and textB: the
// first copies only when `routeFlag` is "N", every second copy after a
// longer pause. A refusal always asks "Imp_N_Resp" (also without an
// operator at the till): yes closes the report and prints every voucher
// again in a new one, no ends with false. True only when every text was
// printed and the report closed.
bool ImprimeTefRG_FrameWork(const std::string& textA, const std::string& textB,
                            const std::string& unused3, const std::string& scheme,
                            const StringList& firstCopies, const StringList& secondCopies,
                            const StringList& unused7, const StringList& unused8,
                            const std::string& unused9, const std::string& linkedText,
                            const std::string& unused11, double value, double unused13,
                            int openMode, const std::string& routeFlag);

// ---- linked-voucher primitives (dialogs always shown) -------------------------

// Opens a linked voucher for the last card payment, after closing one left
// open. True when the voucher is open.
bool AbreCCD_FrameWork(const std::string& scheme);
// Opens a linked voucher for a payment of `method` with `installments`,
// `document` and `value` (a number text, sent with two decimals). False,
// with nothing sent, when `value` is not a number.
bool AbreCCD_simplificado_FrameWork(const std::string& scheme, const std::string& method,
                                    const std::string& installments, const std::string& document,
                                    const std::string& value);
// Prints the first 619 characters of `text` into the linked voucher this
// session opened (the printer takes no more in one command; the rest is not
// printed). Without one nothing is sent and the result is false.
bool ImprimeCCD_FrameWork(const std::string& scheme, const std::string& text);
// Closes the linked voucher when the printer says one is open; true also
// when none is open.
bool FechaCCD_FrameWork(const std::string& scheme);
// Runs one primitive by name for document kind "CCD" (exact case): action
// "AbreCCD", "ImprimeCCD" (with `text`), "FechaCCD" or "UsaRG" (is a
// management report open). Any other kind or action is false.
bool Abre_Comp_NFiscalVinc(const std::string& scheme, const std::string& documentKind,
                           const std::string& action, const std::string& text);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_VOUCHERS_H_
