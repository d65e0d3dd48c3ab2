#include <algorithm>

#include "commands.h"
#include "numbers.h"
#include "text.h"

namespace Tov00300::sim {
namespace {

// Most characters a text command takes at once.
constexpr size_t kMaxTextCommand = 619;

std::optional<Outcome> NeedOpen(const Machine& m, DocKind kind, int missingError) {
  if (auto refusal = m.CheckUsable()) return refusal;
  if (m.state().open.kind != kind) return Refuse(missingError);
  return std::nullopt;
}

Outcome AcceptText(Machine& m, const std::string& text) {
  if (text.size() > kMaxTextCommand) return Refuse(kErrTextTooLong, -2);
  if (m.faults().paperOut) return Refuse(kErrPaperOut);
  if (text.empty()) return Ok();
  // Paper goes on where the last text stopped: a text without a final line
  // feed leaves its line open, and the next text continues it, so a report
  // sent in pieces of 619 characters keeps its words and figures whole.
  const Document& open = m.state().open;
  const bool continues = open.lineOpen && !open.lines.empty();
  std::vector<std::string> lines =
      WrapLines(continues ? open.lines.back() + text : text, kPaperColumns);
  std::string body;
  for (size_t i = 0; i < lines.size(); ++i) body += (i > 0 ? "\n" : "") + lines[i];
  Event e{EventType::kPrintText};
  e.n = {continues ? 1 : 0, text.back() != '\n' ? 1 : 0};
  e.s = {body};
  return m.Accept(std::move(e));
}

Outcome OpenSimple(Machine& m, EventType type) {
  if (auto refusal = m.CheckCanOpenDocument()) return *refusal;
  return m.Accept(Event{type});
}

// A bar pattern for the paper: each character of the code drawn as bars and
// spaces from its bits, cut to the paper width.
std::string BarPattern(const std::string& code, int64_t width) {
  std::string bars = "|";
  for (unsigned char c : code) {
    for (int bit = 0; bit < 4; ++bit) bars += ((c >> bit) & 1) ? "||" : "| ";
  }
  bars += "|";
  size_t room = static_cast<size_t>(std::max<int64_t>(1, std::min<int64_t>(width, 4)));
  std::string wide;
  for (char c : bars) wide.append(room / 2 + 1, c);
  return wide.substr(0, kPaperColumns);
}

}  // namespace

Outcome OpenNonFiscal(Machine& m) {
  return OpenSimple(m, EventType::kOpenNonFiscal);
}

Outcome NonFiscalItem(Machine& m, const std::string& totalizer, const std::string& value) {
  if (auto refusal = NeedOpen(m, DocKind::kNonFiscal, kErrNoNonFiscal)) return *refusal;
  if (m.state().open.phase != Phase::kItems) return Refuse(kErrTotalized);
  auto index = ParseInteger(totalizer);
  auto amount = ParseDecimal(value, 2);
  if (!index || !amount || *amount <= 0) return Refuse(kErrParameter, -2);
  if (*index < 1 || *index > static_cast<int64_t>(m.state().totalizers.size())) {
    return Refuse(kErrTotalizer);
  }
  Event e{EventType::kNonFiscalItem};
  e.n = {*index - 1, *amount};
  return m.Accept(std::move(e));
}

Outcome TotalizeNonFiscal(Machine& m) {
  if (auto refusal = NeedOpen(m, DocKind::kNonFiscal, kErrNoNonFiscal)) return *refusal;
  const Document& open = m.state().open;
  if (open.phase != Phase::kItems) return Refuse(kErrTotalized);
  if (open.entries.empty()) return Refuse(kErrNoItems);
  return m.Accept(Event{EventType::kNonFiscalTotalize});
}

Outcome PayNonFiscal(Machine& m, const std::string& method, const std::string& value) {
  if (auto refusal = NeedOpen(m, DocKind::kNonFiscal, kErrNoNonFiscal)) return *refusal;
  const Document& open = m.state().open;
  if (open.phase != Phase::kTotalized) return Refuse(kErrNotTotalized);
  int index = FindPaymentMethod(m.state(), method);
  if (index < 0) return Refuse(kErrPaymentMethod, -24);
  auto amount = ParseDecimal(value, 2);
  if (!amount || *amount <= 0) return Refuse(kErrParameter, -2);
  if (open.Paid() >= open.NonFiscalTotal()) return Refuse(kErrAlreadyPaid);
  Event e{EventType::kPay};
  e.n = {index, *amount};
  return m.Accept(std::move(e));
}

Outcome CloseNonFiscal(Machine& m) {
  if (auto refusal = NeedOpen(m, DocKind::kNonFiscal, kErrNoNonFiscal)) return *refusal;
  const Document& open = m.state().open;
  if (open.phase != Phase::kTotalized) return Refuse(kErrNotTotalized);
  if (open.Paid() < open.NonFiscalTotal()) return Refuse(kErrNotPaid);
  return m.Accept(Event{EventType::kCloseNonFiscal});
}

Outcome CancelNonFiscal(Machine& m) {
  if (auto refusal = m.CheckUsable()) return *refusal;
  const PrinterState& state = m.state();
  if (state.open.kind != DocKind::kNonFiscal) {
    if (state.open.kind != DocKind::kNone) return Refuse(kErrDocumentOpen);
    // Only the last document printed can still be cancelled.
    const Document& last = state.lastNonFiscal;
    if (last.kind != DocKind::kNonFiscal || last.cancelled || last.coo != state.counters.coo) {
      return Refuse(kErrNothingToCancel);
    }
    // The cancellation is a new document: paper, and no Z pending.
    if (auto refusal = m.CheckCanOpenDocument()) return *refusal;
  }
  return m.Accept(Event{EventType::kCancelNonFiscal});
}

Outcome CashMovement(Machine& m, bool supply, const std::string& value,
                     const std::string& message) {
  if (auto refusal = m.CheckCanOpenDocument()) return *refusal;
  auto amount = ParseDecimal(value, 2);
  if (!amount || *amount <= 0) return Refuse(kErrParameter, -2);
  // A withdrawal takes notes out of the drawer: no more than the cash the
  // day has put in (sales in the first payment method, supplies, less the
  // withdrawals already made).
  if (!supply && *amount > m.state().day.payments[0]) return Refuse(kErrCashShort);
  Event e{EventType::kCashMovement};
  e.n = {supply ? 1 : 0, *amount};
  e.s = {message.substr(0, 200)};
  return m.Accept(std::move(e));
}

Outcome OpenReport(Machine& m) {
  return OpenSimple(m, EventType::kOpenReport);
}

Outcome PrintReportText(Machine& m, const std::string& text) {
  if (auto refusal = NeedOpen(m, DocKind::kReport, kErrNoReport)) return *refusal;
  return AcceptText(m, text);
}

Outcome CloseReport(Machine& m) {
  if (auto refusal = NeedOpen(m, DocKind::kReport, kErrNoReport)) return *refusal;
  return m.Accept(Event{EventType::kCloseReport});
}

Outcome OpenVoucher(Machine& m) {
  if (auto refusal = m.CheckCanOpenDocument()) return *refusal;
  const Document& receipt = m.state().lastReceipt;
  if (receipt.kind != DocKind::kReceipt || receipt.cancelled) return Refuse(kErrNoVoucherLink);
  // The standard opening links the last payment not yet covered by vouchers;
  // cash (the first method) needs no voucher.
  for (size_t i = receipt.payments.size(); i-- > 0;) {
    const Payment& p = receipt.payments[i];
    if (p.method != 0 && p.amount > p.vouchered) {
      Event e{EventType::kOpenVoucher};
      e.n = {static_cast<int64_t>(i), p.amount - p.vouchered, 1};
      e.s = {""};
      return m.Accept(std::move(e));
    }
  }
  return Refuse(kErrNoVoucherLink);
}

Outcome OpenVoucherSimplified(Machine& m, const std::string& method,
                              const std::string& installments, const std::string& reference,
                              const std::string& value) {
  if (auto refusal = m.CheckCanOpenDocument()) return *refusal;
  int index = FindPaymentMethod(m.state(), method);
  if (index < 0) return Refuse(kErrPaymentMethod, -24);
  auto amount = ParseDecimal(value, 2);
  auto parts = Trim(installments).empty() ? std::optional<int64_t>(1) : ParseInteger(installments);
  if (!amount || *amount <= 0 || !parts || *parts < 1 || *parts > 99) {
    return Refuse(kErrParameter, -2);
  }
  const Document& receipt = m.state().lastReceipt;
  if (receipt.kind == DocKind::kReceipt && !receipt.cancelled) {
    for (size_t i = receipt.payments.size(); i-- > 0;) {
      const Payment& p = receipt.payments[i];
      if (p.method == index && p.amount - p.vouchered >= *amount) {
        Event e{EventType::kOpenVoucher};
        e.n = {static_cast<int64_t>(i), *amount, *parts};
        e.s = {Trim(reference).substr(0, 20)};
        return m.Accept(std::move(e));
      }
    }
  }
  return Refuse(kErrNoVoucherLink);
}

Outcome PrintVoucherText(Machine& m, const std::string& text) {
  if (auto refusal = NeedOpen(m, DocKind::kVoucher, kErrNoVoucher)) return *refusal;
  return AcceptText(m, text);
}

Outcome CloseVoucher(Machine& m) {
  if (auto refusal = NeedOpen(m, DocKind::kVoucher, kErrNoVoucher)) return *refusal;
  return m.Accept(Event{EventType::kCloseVoucher});
}

Outcome PrintBarCode(Machine& m, const std::string& type, const std::string& width,
                     const std::string& height, const std::string& withText,
                     const std::string& rawCode) {
  if (auto refusal = m.CheckUsable()) return *refusal;
  DocKind open = m.state().open.kind;
  if (open != DocKind::kReport && open != DocKind::kVoucher) return Refuse(kErrNoReport);
  auto kind = ParseInteger(type);
  auto barWidth = Trim(width).empty() ? std::optional<int64_t>(2) : ParseInteger(width);
  auto barHeight = Trim(height).empty() ? std::optional<int64_t>(50) : ParseInteger(height);
  std::string code = Trim(rawCode);
  if (!kind || *kind < 1 || *kind > 11 || !barWidth || !barHeight || code.empty() ||
      code.size() > 40) {
    return Refuse(kErrParameter, -2);
  }
  // The numeric symbologies take a fixed number of digits (check digit optional).
  struct Digits {
    int64_t kind;
    size_t bare;
  };
  for (Digits d : {Digits{1, 12}, Digits{2, 7}, Digits{8, 11}}) {
    if (*kind == d.kind &&
        (DigitsOnly(code) != code || (code.size() != d.bare && code.size() != d.bare + 1))) {
      return Refuse(kErrParameter, -2);
    }
  }
  std::string body = BarPattern(code, *barWidth);
  if (Trim(withText) == "1") body += "\n" + Center(code, kPaperColumns);
  if (m.faults().paperOut) return Refuse(kErrPaperOut);
  Event e{EventType::kPrintText};
  e.s = {body};
  return m.Accept(std::move(e));
}

}  // namespace Tov00300::sim
