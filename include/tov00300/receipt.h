// The fiscal receipt: opening and numbering, item sale, cancellations and the
// surcharge total.
//
// A sale runs AbreCupom, one VendaItem per item, then the closing. Every
// driver call is judged by AnalisaRetorno_FrameWork, which writes the debug
// log (the description left in stImpDebug), shows the printer's messages when
// asked to and collects them in stMensagemTaa. Commands are never repeated
// automatically; where the operator is asked and answers yes, the same
// command is sent again, as often as the operator wants.
#ifndef TOV00300_RECEIPT_H_
#define TOV00300_RECEIPT_H_

#include <string>

#include "tov00300/dataset.h"
#include "tov00300/export.h"
#include "tov00300/stringlist.h"
#include "tov00300/variant.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// ---- opening and numbering ----------------------------------------------------

// Opens a fiscal receipt: the standard opening when INCLUICPF is blank,
// otherwise the identified opening with INCLUICPF, INCLUINOME and
// INCLUIENDERECO (a blank name or address is sent, and returned, as " ").
// When the opening fails with an operator present (boNUtilTaa), IDUTILTEF "S"
// or "T" and UTILTEF true, the operator is asked "Imp_N_Resp"; yes repeats the
// opening and returns INTTEFERRO as 1, no returns false at once with the bag
// untouched. Otherwise the bag is replaced by the pairs INTTEFERRO, INCLUICPF,
// INCLUINOME, INCLUIENDERECO, CUPNR, CONTCUPOM, MENSAGEMTAA; CUPNR and
// CONTCUPOM become the new receipt's COO and CCF when it opened and are the
// host's own values when it did not. With UTILTEF true, a success (or any
// outcome without an operator) sets boClieUtil to false. Returns true when the
// receipt is open. Reads ESQUEMACOR, INTTEFERRO, INCLUICPF, INCLUINOME,
// INCLUIENDERECO, CUPNR, CONTCUPOM, IDUTILTEF, UTILTEF.
bool AbreCupom(Variant& bag);

// The printer's operation counter (COO), six characters as the printer
// answers it, or "ERRO" when the query is refused (no dialog is shown). The
// first text is ignored. Leaves the reply in stRetorno, the driver's code in
// inRetorno.
std::string Nr_Cupom(const std::string& ignorado, const std::string& stEsquema);

// Reads the printer's fiscal-receipt counter (CCF) into `contador`: six
// blanks overwritten by the printer's reply. True when the printer answered
// (no dialog is shown). Logs its own line directly: it neither sets
// stImpDebug nor stores its code in inRetorno.
bool ContadorCupomFiscalMFD(const std::string& stEsquema, std::string& contador);

// The value of stNrCupom, which only the host sets.
std::string NumeroCupom();

// ---- item sale ----------------------------------------------------------------

// Sells one item on the receipt this session opened (without one, or with a
// receipt of an earlier session left open, nothing is sent: the problem is
// reported and the result is false). The bag gives CDALIQ/VRPERCALIQ (tax),
// QTDE, VALOR, DESCONT, ACRESCIMO, CDARVPROD, UNIDADE (first two characters
// sent), NMPROD (first 50 sent), ESQUEMACOR, INTEFERRO, IDUTILTEF, UTILTEF.
// Quantity is sent with three decimals, price and adjustment truncated to two,
// in the process decimal separator; a positive discount is sent as "D$" (and
// the surcharge dropped), otherwise the surcharge as "A$". A refused item with
// an operator present is offered again ("Imp_N_Resp" in a card sale, else
// "ErroItem" with the item and "Deseja"); no returns false with the bag
// untouched. Otherwise the bag is replaced by INTTEFERRO (the INTEFERRO read)
// and MENSAGEMTAA. A refusal sets boClieUtil to false, and so does any outcome
// reported back with UTILTEF true. A VRPERCALIQ that is not a number throws
// ConversionError before anything is sent.
bool VendaItem(Variant& bag);

// ---- cancellations and surcharge ----------------------------------------------

// Cancels an item of the open receipt by number: the item number text
// without its first character, at most four characters ("00012" cancels
// "0012"). No dialog is shown. The remaining parameters are ignored.
bool Cancela_ItGenerico(const std::string& stEsquema, const std::string& nrItem,
                        const std::string& ignorado1, const std::string& ignorado2,
                        const std::string& ignorado3, const std::string& ignorado4,
                        const std::string& ignorado5, const std::string& ignorado6,
                        const std::string& ignorado7, double ignorado8, double ignorado9);

// Cancels the last item sold; the printer's message is always shown.
bool Cancela_UltimoItem(const std::string& stEsquema);

// Cancels the open receipt or the last one closed, as the printer allows.
// Positions of `valores`: 0 colour scheme, 1 show the message (bool), 2
// passed on to the analysis, 4 CDFILIAL, 5 CDCAIXA, 6 NRSERIEIMP (missing
// positions read as empty). Result element 0 becomes the cancelled receipt's
// number, six digits (for printer type 29, the COO less register 53). The
// stored grand total is brought up to date (Atu_TotGeral, IDVALIDA "N")
// whatever the printer answered. Returns true when the printer cancelled. A
// receipt number that is not a number (a refused COO query) throws
// ConversionError before the cancellation is sent.
bool Cancela_Cupom_Imp(const VariantArray& valores, Variant& result);

// Reads the printer's surcharge total into `total` (thirteen blanks
// overwritten by the reply, two implied decimals). True when the printer
// answered; no dialog is shown; inRetorno is left as it was.
bool Acrescimo_Imp(const std::string& stEsquema, std::string& total);

// Kept for the host's link compatibility: does nothing.
void Leitura_Totais_Imp(bool reservado1, bool reservado2);

// ---- footer, closing and payments ---------------------------------------------

// Composes the closing message of a fiscal receipt and returns it: lines
// separated by a line feed, within `inLimite` lines. It starts with the first
// line, the approximate-tax text, the optional third line and, with a table
// text, the table-conference reference (ECF, CER, COO). Footer kind "1" (the
// agreement footer) then adds, whatever the limit, the agreement, the
// consumer, the consumer's balance (vrSaldoConsumidor - vrPagoConta +
// vrPrecoSubsidio), the subsidised price, the table and password texts, the
// operator, the package's contact line and a one-line free message. Kind "2"
// (standard) adds, while lines are left: the list lines (boAnexaLista), the
// agreement and consumer names, balances (mode "1": from cdsSaldos, one total
// for stTipoSaldo "0", one line per family for "1", net of cdsFamilias and
// cdsEmprestimos; mode "2": the consumer's balance as above), the subsidised
// price, the table and password texts, the two loyalty-points lines centred
// in 40 columns, the free message (cut when it does not fit), the contact
// line and the operator. Any other kind gives only the start. The three
// tables may be inactive (not sent); a table without the fields read throws
// DataSetError. Parameters 14 to 16 are ignored. Talks to no printer and
// changes no state, except the cursors of the tables it reads.
std::string Formata_rodape(
    int inLimite, const std::string& stModoSaldo, const std::string& stLinha1,
    const std::string& stTributos, const std::string& stLinha3, const std::string& cdConvenio,
    const std::string& nmConvenio, const std::string& cdConsumidor, const std::string& nmConsumidor,
    const std::string& cdOperador, const std::string& nmOperador, const std::string& stMesa,
    const std::string& stSenha, const std::string& ignorado14, const std::string& ignorado15,
    const std::string& ignorado16, const std::string& stMensagem, const std::string& nrEcfConf,
    const std::string& nrCerConf, const std::string& nrCooConf, const std::string& stTipoSaldo,
    const std::string& stTipoRodape, double vrPagoConta, double vrPrecoSubsidio,
    double vrSaldoConsumidor, DataSet& cdsSaldos, DataSet& cdsFamilias, DataSet& cdsEmprestimos,
    bool boAnexaLista, const StringList& slLinhas, const std::string& stPontos,
    const std::string& stPontosExtras);

// Totals, pays and closes the fiscal receipt this session opened (without
// one nothing is sent: reported, result false). `valores` holds the 61
// positions the host fills (missing ones read as empty): among them 13 the
// cash-movement rows and 14 the payment types (data packets), 6/8 the
// subtotal discount/surcharge, 9 and 11 the card-payment kind and flag, 4 and
// 7 the contra-vale receipt, 60 whether the consumer is printed (Null counts
// as true). Positions are read in order until one does not convert; the rest
// keep empty values. The movement rows ("E" and "T") become the payments, in
// order of NRORDTROCO then DTHRINCMOV; in a card sale, rows of one payment
// type are paid as one. Every movement's payment type must be in the
// payment-type table: when one is not, nothing is sent to the printer, the
// missing type is reported (log, stMensagemTaa, dialog when position 5 asks
// for messages) and the result is false with the receipt left open, not even
// totalled, so the host may fix its table and close again, or cancel. The
// footer (Formata_rodape, `linhas` appended when asked) closes the receipt; a
// contra-vale non-fiscal receipt may follow. In a card sale with an operator
// present, a refused state check (card kind "T"), subtotal, payment or
// closing is offered again with "Imp_N_Resp"; a no, or a refusal outside
// that case, ends at once with false and leaves `result` untouched
// (boClieUtil false in the latter). Otherwise `result` (an array of at least
// four elements; made so when it is not) receives 0 the repetition flag (1
// after a repetition, else 0), 1 the text of position 42, 2 an empty text and
// 3 stMensagemTaa, and boClieUtil becomes false when stMensagemTaa is not
// empty. Returns true when nothing failed.
// Loads cdsMovCaixa, cdsMovCaixaTef (the payments sent), cdsRecebAux,
// cdsSaldCred, cdsFamiliaSaldo and cdsEmprestimo, which keep their contents.
bool FechaCupom(const VariantArray& valores, const StringList& linhas, Variant& result);

// Kept for the host's link compatibility: prints nothing and returns true.
bool Totaliza_NFiscal(const std::string& ignorado1, const std::string& ignorado2);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_RECEIPT_H_
