// What this session knows of the documents on the printer. The port opening
// starts it afresh and sets what an earlier session left behind; the
// receipt, the non-fiscal documents and the readings keep it up to date.
//
// The receipt this process opened: a command whose reply was lost may still
// have taken effect, and the sale operations compare the printer's state with
// what they know of their own receipt before they repeat or report one.
//
// A receipt the package must not sell on: one left open by an earlier session
// that the start of day could not cancel. Items, payments and a closing sent
// then would land on the previous customer's receipt, so the sale operations
// refuse until the receipt is gone (a new receipt opened, a cancellation that
// took effect, a later start of day). More generally the package adds items,
// payments, a closing or text only to a document this session opened itself:
// a receipt whose opening failed, a report or voucher another program left
// open, is never written to.
#ifndef TOV00300_SRC_SESSION_PRINTER_DOCUMENTS_H_
#define TOV00300_SRC_SESSION_PRINTER_DOCUMENTS_H_

#include <optional>
#include <string>

namespace Tov00300::session {

struct OwnReceipt {
  long long coo = 0;    // its number; 0 when this process has no receipt open
  long long items = 0;  // items the printer registered on it, cancelled ones too
  bool opened = false;  // this session's opening of it took effect
  bool closed = false;  // its closing took effect
  bool changeVoucherPrinted = false;
};
OwnReceipt& ThisReceipt();

void SetForeignReceiptOpen(bool open);
bool ForeignReceiptOpen();

// The operator's text for a sale refused because of that receipt.
std::string ForeignReceiptText();
// Why items, payments and a closing must not be sent now, as the operator's
// text: a receipt of an earlier session is open, or this session opened none
// (its opening failed, or it never opened one). "" when they may be sent.
std::string ReceiptRefusal();

// The non-fiscal document this session opened and has not seen end. Only one
// document is open on the printer at a time.
enum class OwnDocument { kNone, kNonFiscal, kVoucher, kReport };
void SetOwnDocument(OwnDocument kind);
OwnDocument CurrentOwnDocument();
// The register 56 answer while a document of the kind is open.
const char* OpenStateOf(OwnDocument kind);
// The operator's text for text refused because this session has no document
// of the kind open.
std::string NoOwnDocumentText(OwnDocument kind);

// The Z-reduction counter (CRZ) before a reduction whose outcome could not
// be read back (the reply was lost and so was the counter): the next call
// learns from the counter whether that reduction took effect.
std::optional<long long>& UncertainReduction();

// A new session: nothing is known of the printer's documents, none is this
// session's, and no earlier outcome is pending.
void ForgetPrinterDocuments();

}  // namespace Tov00300::session

#endif  // TOV00300_SRC_SESSION_PRINTER_DOCUMENTS_H_
