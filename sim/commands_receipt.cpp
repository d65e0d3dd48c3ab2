#include "commands.h"
#include "numbers.h"
#include "text.h"
#include "tov00300/format.h"

namespace Tov00300::sim {
namespace {

// Largest quantity (thousandths) and unit price (thousandths of a real); the
// product of the two still fits comfortably in 64 bits.
constexpr int64_t kMaxQuantity = 99'999'999;
constexpr int64_t kMaxPrice = 9'999'999'999;
constexpr size_t kMaxMessage = 2000;

std::optional<Outcome> NeedReceipt(const Machine& m, Phase phase) {
  if (auto refusal = m.CheckUsable()) return refusal;
  const Document& open = m.state().open;
  if (open.kind != DocKind::kReceipt) return Refuse(kErrNoReceipt);
  if (open.phase != phase) {
    return Refuse(phase == Phase::kItems ? kErrTotalized : kErrNotTotalized);
  }
  return std::nullopt;
}

// Reads an adjustment kind ("D$", "A$", "D%", "A%") and value against `base`
// cents: negative for a discount, positive for a surcharge.
std::optional<int64_t> Adjustment(const std::string& rawKind, const std::string& rawValue,
                                  int64_t base) {
  std::string kind = UpperCase(Trim(rawKind));
  std::string valueText = Trim(rawValue);
  if (kind.empty() && valueText.empty()) return 0;
  auto value = valueText.empty() ? std::optional<int64_t>(0) : ParseDecimal(valueText, 2);
  if (!value || kind.size() != 2 || (kind[0] != 'D' && kind[0] != 'A') ||
      (kind[1] != '$' && kind[1] != '%')) {
    return std::nullopt;
  }
  // A percentage above 100% is no adjustment a printer accepts; the bound
  // also keeps base x percentage inside 64 bits.
  if (kind[1] == '%' && *value > 10000) return std::nullopt;
  int64_t amount = kind[1] == '%' ? base * *value / 10000 : *value;
  return kind[0] == 'D' ? -amount : amount;
}

}  // namespace

int ParseTaxCode(const PrinterState& state, const std::string& raw) {
  std::string text = UpperCase(Trim(raw));
  static const struct {
    const char* code;
    int bucket;
  } kFixed[] = {{"F1", kBucketSubstitutionIcms}, {"FF", kBucketSubstitutionIcms},
                {"I1", kBucketExemptIcms},       {"II", kBucketExemptIcms},
                {"N1", kBucketNoIncidenceIcms},  {"NN", kBucketNoIncidenceIcms},
                {"FS1", kBucketSubstitutionIss}, {"IS1", kBucketExemptIss},
                {"NS1", kBucketNoIncidenceIss}};
  for (const auto& fixed : kFixed) {
    if (text == fixed.code) return fixed.bucket;
  }
  if (text.empty()) return -1;
  char kind = 'I';
  if (text[0] == 'I' || text[0] == 'T' || text[0] == 'S') {
    kind = text[0];
    text.erase(0, 1);
  }
  int count = static_cast<int>(state.rates.size());
  auto matches = [&](int slot) { return kind == 'I' || state.rates[slot].kind == kind; };
  if (text.size() == 2 && DigitsOnly(text) == text) {
    int slot = std::stoi(text) - 1;
    return slot >= 0 && slot < count && matches(slot) ? slot : -2;
  }
  std::optional<int64_t> rate;
  if (text.size() == 4 && DigitsOnly(text) == text) {
    rate = std::stoll(text);
  } else if (text.find_first_of(",.") != std::string::npos) {
    rate = ParseDecimal(text, 2);
  }
  if (!rate) return -1;
  // "I" names the rate whatever its kind; ICMS slots come first.
  for (char wanted : {'T', 'S'}) {
    for (int slot = 0; slot < count; ++slot) {
      if (state.rates[slot].rate == *rate && state.rates[slot].kind == wanted && matches(slot)) {
        return slot;
      }
    }
  }
  return -2;
}

Outcome OpenReceipt(Machine& m, const std::string& cpf, const std::string& name,
                    const std::string& address) {
  if (auto refusal = m.CheckCanOpenDocument()) return *refusal;
  std::string consumer = Trim(cpf);
  if (!consumer.empty()) {
    size_t digits = DigitsOnly(consumer).size();
    if (digits != 11 && digits != 14) return Refuse(kErrParameter, -2);
  }
  Event e{EventType::kOpenReceipt};
  e.s = {OneLine(consumer), Trim(OneLine(name)).substr(0, 30),
         Trim(OneLine(address)).substr(0, 79)};
  return m.Accept(std::move(e));
}

Outcome SellItem(Machine& m, const std::string& tax, const std::string& quantity,
                 const std::string& price, const std::string& adjustKind,
                 const std::string& adjustValue, const std::string& code, const std::string& unit,
                 const std::string& description) {
  if (auto refusal = NeedReceipt(m, Phase::kItems)) return *refusal;
  int bucket = ParseTaxCode(m.state(), tax);
  if (bucket == -2) return Refuse(kErrRate, -3);
  auto qty = ParseDecimal(quantity, 3);
  auto unitPrice = ParseDecimal(price, 3);
  if (bucket < 0 || !qty || !unitPrice || *qty <= 0 || *qty > kMaxQuantity || *unitPrice <= 0 ||
      *unitPrice > kMaxPrice) {
    return Refuse(kErrParameter, -2);
  }
  // Quantity x price in cents, truncated as the printer does.
  int64_t value = *qty * *unitPrice / 10000;
  auto adjustment = Adjustment(adjustKind, adjustValue, value);
  if (value <= 0 || !adjustment) return Refuse(kErrParameter, -2);
  if (-*adjustment >= value) return Refuse(kErrAdjustment);
  if (m.state().open.items.size() >= 9999) return Refuse(kErrBadState);
  Event e{EventType::kSellItem};
  e.n = {bucket,
         *qty,
         *unitPrice,
         value,
         *adjustment < 0 ? -*adjustment : 0,
         *adjustment > 0 ? *adjustment : 0};
  e.s = {Trim(OneLine(code)).substr(0, 48), Trim(OneLine(unit)).substr(0, 2),
         Trim(OneLine(description)).substr(0, 200)};
  return m.Accept(std::move(e));
}

Outcome CancelItem(Machine& m, const std::string& number) {
  if (auto refusal = NeedReceipt(m, Phase::kItems)) return *refusal;
  auto n = ParseInteger(number);
  if (!n) return Refuse(kErrParameter, -2);
  const std::vector<Item>& items = m.state().open.items;
  if (*n < 1 || *n > static_cast<int64_t>(items.size()) || items[*n - 1].cancelled) {
    return Refuse(kErrNoSuchItem);
  }
  Event e{EventType::kCancelItem};
  e.n = {*n};
  return m.Accept(std::move(e));
}

Outcome CancelLastItem(Machine& m) {
  if (auto refusal = NeedReceipt(m, Phase::kItems)) return *refusal;
  const std::vector<Item>& items = m.state().open.items;
  if (items.empty() || items.back().cancelled) return Refuse(kErrNoSuchItem);
  Event e{EventType::kCancelItem};
  e.n = {static_cast<int64_t>(items.size())};
  return m.Accept(std::move(e));
}

Outcome TotalizeReceipt(Machine& m, const std::string& kind, const std::string& value) {
  if (auto refusal = NeedReceipt(m, Phase::kItems)) return *refusal;
  const Document& open = m.state().open;
  if (open.liveItems == 0) return Refuse(kErrNoItems);
  auto adjustment = Adjustment(kind, value, open.subtotal);
  if (!adjustment) return Refuse(kErrParameter, -2);
  if (-*adjustment >= open.subtotal) return Refuse(kErrAdjustment);
  Event e{EventType::kTotalize};
  e.n = {*adjustment};
  return m.Accept(std::move(e));
}

Outcome PayReceipt(Machine& m, const std::string& method, const std::string& value) {
  if (auto refusal = NeedReceipt(m, Phase::kTotalized)) return *refusal;
  int index = FindPaymentMethod(m.state(), method);
  if (index < 0) return Refuse(kErrPaymentMethod, -24);
  auto amount = ParseDecimal(value, 2);
  if (!amount || *amount <= 0) return Refuse(kErrParameter, -2);
  const Document& open = m.state().open;
  if (open.Paid() >= open.Total()) return Refuse(kErrAlreadyPaid);
  Event e{EventType::kPay};
  e.n = {index, *amount};
  return m.Accept(std::move(e));
}

Outcome CloseReceipt(Machine& m, const std::string& message) {
  if (auto refusal = NeedReceipt(m, Phase::kTotalized)) return *refusal;
  const Document& open = m.state().open;
  if (open.Paid() < open.Total()) return Refuse(kErrNotPaid);
  Event e{EventType::kCloseReceipt};
  e.s = {message.substr(0, kMaxMessage)};
  return m.Accept(std::move(e));
}

Outcome CancelReceipt(Machine& m) {
  if (auto refusal = m.CheckUsable()) return *refusal;
  const PrinterState& state = m.state();
  if (state.open.kind != DocKind::kReceipt) {
    if (state.open.kind != DocKind::kNone) return Refuse(kErrDocumentOpen);
    if (state.lastReceipt.kind != DocKind::kReceipt || state.lastReceipt.cancelled) {
      return Refuse(kErrNothingToCancel);
    }
    // Cancelling a closed receipt prints a document of its own, so it meets
    // the same conditions as any new document: paper, and no Z pending (a
    // receipt of a day that has ended belongs to that day's reduction).
    if (auto refusal = m.CheckCanOpenDocument()) return *refusal;
  }
  return m.Accept(Event{EventType::kCancelReceipt});
}

}  // namespace Tov00300::sim
