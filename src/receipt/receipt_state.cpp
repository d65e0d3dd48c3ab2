#include "receipt/receipt_state.h"

#include "driver/registers.h"
#include "tov00300/format.h"

namespace Tov00300::receipt {

namespace {

using driver::DigitsValue;
using driver::ReadRegisterCount;
using driver::ReadRegisterText;
using driver::Register;

}  // namespace

Progress ReadProgress() {
  Progress p;
  const auto document = ReadRegisterText(Register::kDocumentState);
  if (!document || document->empty()) return p;
  p.receiptOpen = *document == "1";
  if (!p.receiptOpen) {
    p.known = true;
    return p;
  }
  const auto totalled = ReadRegisterCount(Register::kReceiptTotalled);
  const auto paid = ReadRegisterCount(Register::kReceiptPaid);
  if (!totalled || !paid) return p;
  p.totalled = *totalled == 1;
  p.paid = *paid;
  p.known = true;
  return p;
}

bool OwnReceiptClosed() {
  const OwnReceipt& own = ThisReceipt();
  if (own.coo == 0) return false;
  if (own.closed) return true;
  const auto document = ReadRegisterText(Register::kDocumentState);
  const auto coo = ReadRegisterCount(Register::kOperationCounter);
  const auto since = ReadRegisterCount(Register::kSinceLastReceipt);
  return document && *document != "1" && !document->empty() && coo && since &&
         *coo - *since == own.coo;
}

std::optional<long long> WholeNumber(const std::string& text) {
  return DigitsValue(Trim(text));
}

std::optional<long long> Cents(const std::string& amount) {
  std::string text = Trim(amount);
  const size_t separator = text.find_first_of(",.");
  std::string whole = text.substr(0, separator);
  std::string fraction = separator == std::string::npos ? "" : text.substr(separator + 1);
  if (fraction.size() > 2) return std::nullopt;
  fraction.resize(2, '0');
  const auto value = DigitsValue(whole + fraction);
  return value;
}

}  // namespace Tov00300::receipt
