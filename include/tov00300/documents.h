// Non-fiscal documents and reports: everything the printer prints outside a
// fiscal receipt. Every driver call is judged by AnalisaRetorno_FrameWork,
// which writes the debug log, shows the printer's messages when asked to and
// collects them in stMensagemTaa.
#ifndef TOV00300_DOCUMENTS_H_
#define TOV00300_DOCUMENTS_H_

#include <string>

#include "tov00300/dataset.h"
#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// ---- non-linked non-fiscal receipt --------------------------------------------

// Prints a whole non-fiscal receipt: one amount registered on the printer's
// non-fiscal totalizer named `totalizador` (compared exactly with the
// printer's list; its position there, two digits, is the code sent) and paid
// with the payment method `formaPagto`. `valor` is a number text in the
// process decimal separator, sent with two decimals. A non-fiscal receipt
// the printer holds open before the opening is cancelled first (false, with
// nothing more sent, when it cannot be); a refused opening sends nothing
// more. Once the receipt is open the item, totalizing and payment commands
// are all sent whatever each answers; the result is the closing's (a closing
// whose reply was lost counts when the printer shows the receipt closed),
// and a receipt left open by a refused closing is cancelled. When `valor` is not a number
// or the totalizer is not in the printer's list, nothing is opened: the
// problem is logged, collected in stMensagemTaa, shown when boNUtilTaa, and
// the result is false. The last parameter is ignored.
bool Cupom_NFiscNVinc(const std::string& stEsquema, const std::string& totalizador,
                      const std::string& valor, const std::string& formaPagto,
                      const std::string& ignorado);

// ---- management reports ---------------------------------------------------------
// The printer's free-text document: opened, printed into, closed. Texts are
// Windows-1252, lines separated by a line feed. A text holding a zero byte
// or a byte Windows-1252 leaves undefined is refused before anything is sent
// (the driver would cut the text at a zero byte and lose the rest): the
// problem is logged, collected in stMensagemTaa, shown when boNUtilTaa, and
// the result is false.

// One whole report from one text: opens, prints the text in pieces of 619
// characters (the cut may fall inside a line; a remainder of blanks only is
// not printed) and closes, each step after the opening sent whatever the
// previous answered and judged with dialogs when boNUtilTaa. A refused
// opening sends nothing more (no text goes into a document another left
// open); a report this session left open is closed before. True when the
// report was closed (a closing whose reply was lost counts when the printer
// shows it closed) with every piece printed; any exception gives false.
bool RG_FrameWork(const std::string& stEsquema, const std::string& texto);

// Opens a report (dialogs when boNUtilTaa). When it opened and `grava` is
// not empty, hands textoA, textoB and the fiscal movement date to the host's
// GravaCER. True when the report was opened.
bool Relatorio_Gerencial_Imp(const std::string& stEsquema, const std::string& textoA,
                             const std::string& textoB, const std::string& ignorado,
                             const std::string& grava);

// Prints the whole text, uncut, into the report this session opened; the
// answer is always shown to the operator. True when printed (the printer
// refuses a text of more than 619 characters). Without a report of this
// session open nothing is sent and the result is false.
bool Usa_CompNFis(const std::string& stEsquema, const std::string& texto);

// Closes the management report if the printer says one is open (document
// state "4"); true without sending anything otherwise, so it is safe after a
// partly failed print. `boMostraMsg` governs the dialogs; the second flag
// has no effect.
bool FechRelatGerenc(const std::string& stEsquema, bool boMostraMsg, bool boReservado);

// True when the printer answers that a management report is open.
bool UsaRG_FrameWork(const std::string& stEsquema);

// A report for printer types 24 (whole-line groups of at least 500
// characters, each sent in one call unless it exceeds what one call takes)
// and 29 (as RG_FrameWork); any other inTipoImpFis prints nothing and gives
// false. A report closed is recorded as "RG" under `chave`; the result is
// true when it was closed with all of its text printed.
bool Relatorio_Generico(const std::string& stEsquema, const std::string& textoA,
                        const std::string& textoB, const std::string& texto,
                        const std::string& chave, const std::string& ignorado);

// The exchange voucher: one complete report per group of whole lines
// (groups of at least 500 characters), each printed whatever the one before
// answered. True when every report was printed; an empty text prints
// nothing and gives false. Nothing is recorded.
bool Cupom_Troca(const std::string& stEsquema, const std::string& ignorado1,
                 const std::string& ignorado2, const std::string& texto);

// The table conference print: `nrCupom` receives Nr_Cupom (six characters
// or "ERRO"), then the text is printed with RG_FrameWork, whose result this
// is. Nothing is recorded.
bool Conferencia_Formatada(const std::string& stEsquema, const std::string& ignorado1,
                           const std::string& ignorado2, const std::string& ignorado3,
                           const std::string& ignorado4, const std::string& ignorado5,
                           std::string& nrCupom, const std::string& texto);

// Prints a bar code in a report of its own. `tipo` is one of "EAN-13",
// "EAN-8", "STANDARD 2 of 5", "INTERLEAVED 2 of 5", "CODE128", "CODE39",
// "CODE93", "UPC-A", "CODABAR", "MSI", "CODE11", compared exactly; EAN-13,
// EAN-8 and UPC-A codes are brought to 12, 7 and 11 digits (leading zeros,
// or the check digit dropped: the printer computes it). An unknown type is
// reported and nothing is printed (false). True when the report closed and
// the printer printed the code.
bool CodigoBarra(const std::string& stEsquema, const std::string& textoA, const std::string& textoB,
                 int ignorado, const std::string& codigo, const std::string& tipo);

// Opens a report and prints the standard header: rules of 48 "-", the title
// centred, "Caixa: " + `caixa` + 16 spaces + "DD/MM/YYYY hh:mm". The report
// is left open for the caller's body and closing.
void Cabecalho(const std::string& ignorado1, const std::string& stEsquema,
               const std::string& titulo, const std::string& caixa, const std::string& ignorado2,
               const std::string& ignorado3);

// Hands the host (setDocNaoFiscaisECF) the record of a non-fiscal document
// the printer issued: the key, the receipt number (Nr_Cupom), the counters
// "28" (not for "NC", "LX", "MF"), "33" (for "CM", "RV", "RG") and "45" (for
// "CC"), the type, `extra`, now and the fiscal movement date. The counter
// queries leave inRetorno and stImpDebug alone. An exception is shown to the
// operator with Mensagem and goes no further.
void GravaDocumentosNaoFiscais(const std::string& chave, const std::string& stEsquema,
                               const std::string& tipo, const std::string& extra);

// ---- cash supply, withdrawal and drawer ----------------------------------------
// Amounts are sent with the mask "0.00" in the process decimal separator,
// described to the printer as "Suprimento de " / "Sangria de " + amount.
// A refusal is shown with the printer's message, then "ErroComando". A NaN
// or infinite amount is reported and nothing is sent (false).

// Cash put into the drawer. Creates the data module when absent. An amount
// of 0 or less sends nothing and gives true.
bool Suprimento(const std::string& stEsquema, double valor);

// Cash taken out of the drawer. 0 is sent as 0,01; a negative amount is sent
// as it is and the printer's refusal reported (false). The first text and
// the data set are not used.
bool Sangria(const std::string& ignorado, const std::string& stEsquema, double valor,
             DataSet& ignorado2);

// Opens the drawer wired to the printer. True when the command succeeded.
bool Abre_Gaveta_Imp(const std::string& stEsquema, bool ignorado);

// The drawer's state: "01" open, "00" closed (any other state too), "" when
// the printer could not be asked.
std::string Estado_Gaveta_Imp(const std::string& stEsquema);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_DOCUMENTS_H_
