// What the package knows of the fiscal receipt on the printer.
//
// The receipt this process opened: a command whose reply was lost may still
// have taken effect, and the sale operations compare the printer's state with
// what they know of their own receipt before they repeat or report one.
//
// A receipt the package must not sell on: one left open by an earlier session
// that the start of day could not cancel. Items, payments and a closing sent
// then would land on the previous customer's receipt, so the sale operations
// refuse until the receipt is gone (a new receipt opened, a cancellation that
// took effect, a later start of day).
#ifndef TOV00300_SRC_CORE_SALE_GUARD_H_
#define TOV00300_SRC_CORE_SALE_GUARD_H_

#include <string>
#include <string_view>

namespace Tov00300::core {

struct OwnReceipt {
  long long coo = 0;    // its number; 0 when this process has no receipt open
  long long items = 0;  // items the printer registered on it, cancelled ones too
  bool closed = false;  // its closing took effect
  bool contraValePrinted = false;
};
OwnReceipt& ThisReceipt();

void SetForeignReceiptOpen(bool open);
bool ForeignReceiptOpen();

// The operator's text for a sale refused because of that receipt.
std::string ForeignReceiptText();

// A field the printer prints on one line (an item's description, unit or
// code, a name): control characters become blanks, so that the field cannot
// start a line of its own that reads like another part of the document.
std::string OneLine(std::string_view text);

}  // namespace Tov00300::core

#endif  // TOV00300_SRC_CORE_SALE_GUARD_H_
