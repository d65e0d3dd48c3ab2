#include "receipt/receipt_state.h"

#include "driver/registers.h"
#include "tov00300/format.h"

namespace Tov00300::receipt {

namespace {

constexpr int kDocumentState = 56;
constexpr int kOperationCounter = 26;
constexpr int kSinceLastReceipt = 53;
constexpr int kTotalled = 162;
constexpr int kPaid = 163;

using driver::DigitsValue;

}  // namespace

std::optional<std::string> ReadText(int number) {
  return driver::ReadRegisterText(number);
}

std::optional<long long> ReadCount(int number) {
  return driver::ReadRegisterCount(number);
}

Progress ReadProgress() {
  Progress p;
  const auto document = ReadText(kDocumentState);
  if (!document || document->empty()) return p;
  p.receiptOpen = *document == "1";
  if (!p.receiptOpen) {
    p.known = true;
    return p;
  }
  const auto totalled = ReadCount(kTotalled);
  const auto paid = ReadCount(kPaid);
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
  const auto document = ReadText(kDocumentState);
  const auto coo = ReadCount(kOperationCounter);
  const auto since = ReadCount(kSinceLastReceipt);
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
