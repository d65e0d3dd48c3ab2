// What the package knows of the fiscal receipt it opened, and what the
// printer says of its open receipt. A command whose reply was lost (-28, or
// any failure) may still have taken effect; before an operation repeats it,
// or reports it as failed, it looks here so that nothing is registered twice
// and nothing registered is reported as missing.
#ifndef TOV00300_SRC_RECEIPT_RECEIPT_STATE_H_
#define TOV00300_SRC_RECEIPT_RECEIPT_STATE_H_

#include <optional>
#include <string>

#include "session/printer_documents.h"

namespace Tov00300::receipt {

using session::OwnReceipt;
using session::ThisReceipt;

// What the printer says of its open document, read before each step of a
// closing that may be a repetition.
struct Progress {
  bool known = false;        // every read answered
  bool receiptOpen = false;  // register 56 is "1"
  bool totalled = false;     // register 162
  long long paid = 0;        // register 163, in cents
};
Progress ReadProgress();

// True when the receipt this process opened has been closed on the printer:
// no receipt open, and the last receipt of the day is ours.
bool OwnReceiptClosed();

// A text of digits (blanks around it allowed) as a number.
std::optional<long long> WholeNumber(const std::string& text);

// Cents of an amount text as the package sends it ("12,34" or "12.34").
std::optional<long long> Cents(const std::string& amount);

}  // namespace Tov00300::receipt

#endif  // TOV00300_SRC_RECEIPT_RECEIPT_STATE_H_
