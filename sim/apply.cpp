// Apply(): the only code that changes the fiscal state (see event.h).
#include "civil_time.h"
#include "event.h"
#include "receipt_math.h"

namespace Tov00300::sim {
namespace {

int TotalizerIndex(const PrinterState& state, std::string_view name) {
  for (size_t i = 0; i < state.totalizers.size(); ++i) {
    if (state.totalizers[i] == name) return static_cast<int>(i);
  }
  return -1;
}

// Gives the next operation counter to a new document; the first document of
// a fiscal day that starts movement also fixes the movement date.
Document NewDocument(PrinterState& state, DocKind kind, int64_t time, bool startsMovement) {
  Document doc;
  doc.kind = kind;
  doc.coo = ++state.counters.coo;
  doc.opened = time;
  if (state.day.firstCoo == 0) state.day.firstCoo = doc.coo;
  if (startsMovement && state.movementDay < 0) state.movementDay = DayOf(time);
  return doc;
}

void AddPayments(PrinterState& state, const Document& doc, int64_t change, int sign) {
  for (const Payment& p : doc.payments) state.day.payments[p.method] += sign * p.amount;
  if (change > 0 && !doc.payments.empty()) {
    state.day.payments[doc.payments.back().method] -= sign * change;
  }
}

void CloseReceipt(PrinterState& state, const Event& e) {
  Document& doc = state.open;
  ReceiptBreakdown b = Breakdown(state, doc);
  for (int i = 0; i < kBucketCount; ++i) state.day.tax[i] += b.buckets[i];
  for (int t = 0; t < 2; ++t) {
    state.day.discounts[t] += b.discounts[t];
    state.day.surcharges[t] += b.surcharges[t];
    state.day.cancellations[t] += b.cancelledItems[t];
  }
  state.grandTotal += b.gross;
  AddPayments(state, doc, b.change, 1);
  doc.message = e.S(0);
  doc.closed = e.time;
  state.lastReceipt = std::move(doc);
  state.open = Document{};
}

void CancelReceipt(PrinterState& state, const Event& e) {
  ++state.counters.cfc;
  if (state.open.kind == DocKind::kReceipt) {
    // The open receipt: its items were sold (grand total) and are all undone.
    Document& doc = state.open;
    ReceiptBreakdown b = Breakdown(state, doc);
    for (int t = 0; t < 2; ++t) {
      state.day.discounts[t] += b.discounts[t];
      state.day.surcharges[t] += b.surcharges[t];
      state.day.cancellations[t] += b.cancelledItems[t] + b.live[t];
    }
    state.grandTotal += b.gross;
    doc.cancelled = true;
    doc.closed = e.time;
    state.lastReceipt = std::move(doc);
    state.open = Document{};
    return;
  }
  // The last receipt closed: a cancellation document of its own takes back
  // its taxed amounts and payments; the grand total keeps the sale.
  Document& last = state.lastReceipt;
  ReceiptBreakdown b = Breakdown(state, last);
  for (int i = 0; i < kBucketCount; ++i) state.day.tax[i] -= b.buckets[i];
  for (int t = 0; t < 2; ++t) state.day.cancellations[t] += b.live[t];
  AddPayments(state, last, b.change, -1);
  last.cancelled = true;
  Document doc = NewDocument(state, DocKind::kReceiptCancel, e.time, false);
  doc.linkedCoo = last.coo;
  doc.amount = last.Total();
  doc.closed = e.time;
  state.lastDoc = std::move(doc);
}

void CloseNonFiscal(PrinterState& state, const Event& e) {
  Document& doc = state.open;
  for (const NonFiscalEntry& entry : doc.entries)
    state.day.nonFiscal[entry.totalizer] += entry.amount;
  int64_t paid = doc.Paid();
  int64_t total = doc.NonFiscalTotal();
  AddPayments(state, doc, paid > total ? paid - total : 0, 1);
  doc.closed = e.time;
  state.lastNonFiscal = std::move(doc);
  state.open = Document{};
}

void CancelNonFiscal(PrinterState& state, const Event& e) {
  ++state.counters.ncn;
  if (state.open.kind == DocKind::kNonFiscal) {
    state.open.cancelled = true;
    state.open.closed = e.time;
    state.day.nonFiscalCancelled += state.open.NonFiscalTotal();
    state.lastNonFiscal = std::move(state.open);
    state.open = Document{};
    return;
  }
  Document& last = state.lastNonFiscal;
  for (const NonFiscalEntry& entry : last.entries)
    state.day.nonFiscal[entry.totalizer] -= entry.amount;
  int64_t paid = last.Paid();
  int64_t total = last.NonFiscalTotal();
  AddPayments(state, last, paid > total ? paid - total : 0, -1);
  state.day.nonFiscalCancelled += total;
  last.cancelled = true;
  Document doc = NewDocument(state, DocKind::kNonFiscalCancel, e.time, false);
  doc.gnf = ++state.counters.gnf;
  doc.linkedCoo = last.coo;
  doc.amount = total;
  doc.closed = e.time;
  state.lastDoc = std::move(doc);
}

void ZReduction(PrinterState& state, const Event& e) {
  Document doc = NewDocument(state, DocKind::kZReduction, e.time, true);
  ZRecord z;
  ++state.counters.crz;
  z.counters = state.counters;  // counters.coo is the Z's own COO (doc.coo)
  z.firstCoo = state.day.firstCoo;
  z.movementDay = state.movementDay;
  z.when = e.time;
  z.grandTotal = state.grandTotal;
  z.dayStartGrandTotal = state.dayStartGrandTotal;
  z.totals = state.day;
  z.rates = state.rates;
  z.paymentMethods = state.paymentMethods;
  z.totalizers = state.totalizers;
  state.reductions.push_back(std::move(z));
  state.day = DayTotals{};
  state.dayStartGrandTotal = state.grandTotal;
  state.movementDay = -1;
  state.lastReceipt = Document{};
  state.lastNonFiscal = Document{};
  doc.closed = e.time;
  state.lastDoc = std::move(doc);
}

std::vector<std::string> SplitText(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

bool FinishesDocument(EventType type) {
  switch (type) {
    case EventType::kCloseReceipt:
    case EventType::kCancelReceipt:
    case EventType::kCloseNonFiscal:
    case EventType::kCancelNonFiscal:
    case EventType::kCashMovement:
    case EventType::kCloseReport:
    case EventType::kCloseVoucher:
    case EventType::kXReading:
    case EventType::kZReduction:
    case EventType::kFiscalMemoryPrint:
      return true;
    default:
      return false;
  }
}

bool IsInDocumentStep(EventType type) {
  switch (type) {
    case EventType::kSellItem:
    case EventType::kCancelItem:
    case EventType::kTotalize:
    case EventType::kPay:
    case EventType::kNonFiscalItem:
    case EventType::kNonFiscalTotalize:
    case EventType::kPrintText:
      return true;
    default:
      return false;
  }
}

void Apply(PrinterState& state, const Event& e) {
  Document& open = state.open;
  switch (e.type) {
    case EventType::kAddRate:
      state.rates.push_back({static_cast<char>(e.N(0)), e.N(1)});
      break;
    case EventType::kAddPaymentMethod:
      state.paymentMethods.push_back(e.S(0));
      break;
    case EventType::kAddTotalizer:
      state.totalizers.push_back(e.S(0));
      break;
    case EventType::kDaylightSaving:
      state.daylightSaving = e.N(0) != 0;
      break;
    case EventType::kOpenReceipt:
      open = NewDocument(state, DocKind::kReceipt, e.time, true);
      open.ccf = ++state.counters.ccf;
      open.cpf = e.S(0);
      open.name = e.S(1);
      open.address = e.S(2);
      break;
    case EventType::kSellItem: {
      Item item;
      item.bucket = static_cast<int>(e.N(0));
      item.quantity = e.N(1);
      item.price = e.N(2);
      item.value = e.N(3);
      item.discount = e.N(4);
      item.surcharge = e.N(5);
      item.code = e.S(0);
      item.unit = e.S(1);
      item.description = e.S(2);
      open.liveItems += 1;
      open.subtotal += item.Net();
      open.gross += item.value + item.surcharge;
      open.items.push_back(std::move(item));
      break;
    }
    case EventType::kCancelItem: {
      // Events were validated when accepted; the guards only keep a replay
      // of foreign files from reading out of range.
      if (e.N(0) < 1 || e.N(0) > static_cast<int64_t>(open.items.size())) break;
      Item& item = open.items[e.N(0) - 1];
      item.cancelled = true;
      open.liveItems -= 1;
      open.subtotal -= item.Net();
      break;
    }
    case EventType::kTotalize:
      open.adjustment = e.N(0);
      open.phase = Phase::kTotalized;
      break;
    case EventType::kPay:
      open.payments.push_back({static_cast<int>(e.N(0)), e.N(1), 0});
      break;
    case EventType::kCloseReceipt:
      CloseReceipt(state, e);
      break;
    case EventType::kCancelReceipt:
      CancelReceipt(state, e);
      break;
    case EventType::kOpenNonFiscal:
      open = NewDocument(state, DocKind::kNonFiscal, e.time, true);
      open.gnf = ++state.counters.gnf;
      break;
    case EventType::kNonFiscalItem:
      open.entries.push_back({static_cast<int>(e.N(0)), e.N(1)});
      break;
    case EventType::kNonFiscalTotalize:
      open.phase = Phase::kTotalized;
      break;
    case EventType::kCloseNonFiscal:
      CloseNonFiscal(state, e);
      break;
    case EventType::kCancelNonFiscal:
      CancelNonFiscal(state, e);
      break;
    case EventType::kCashMovement: {
      bool supply = e.N(0) == 1;
      Document doc =
          NewDocument(state, supply ? DocKind::kCashIn : DocKind::kCashOut, e.time, true);
      doc.gnf = ++state.counters.gnf;
      doc.amount = e.N(1);
      doc.message = e.S(0);
      doc.closed = e.time;
      int index = TotalizerIndex(state, supply ? "Suprimento" : "Sangria");
      if (index >= 0) state.day.nonFiscal[index] += doc.amount;
      // Supply and withdrawal are cash put into and taken out of the drawer:
      // the cash payment total (the first method) then says what the drawer
      // holds.
      state.day.payments[0] += supply ? doc.amount : -doc.amount;
      state.lastDoc = std::move(doc);
      break;
    }
    case EventType::kOpenReport:
      open = NewDocument(state, DocKind::kReport, e.time, true);
      open.gnf = ++state.counters.gnf;
      open.grg = ++state.counters.grg;
      break;
    case EventType::kOpenVoucher: {
      if (e.N(0) < 0 || e.N(0) >= static_cast<int64_t>(state.lastReceipt.payments.size())) break;
      Payment& paid = state.lastReceipt.payments[e.N(0)];
      paid.vouchered += e.N(1);
      int method = paid.method;
      int64_t linked = state.lastReceipt.coo;
      open = NewDocument(state, DocKind::kVoucher, e.time, true);
      open.gnf = ++state.counters.gnf;
      open.cdc = ++state.counters.cdc;
      open.linkedCoo = linked;
      open.method = method;
      open.amount = e.N(1);
      open.installments = e.N(2);
      open.reference = e.S(0);
      break;
    }
    case EventType::kPrintText:
      if (e.N(0) != 0 && !open.lines.empty()) open.lines.pop_back();
      for (std::string& line : SplitText(e.S(0))) open.lines.push_back(std::move(line));
      open.lineOpen = e.N(1) != 0;
      break;
    case EventType::kCloseReport:
    case EventType::kCloseVoucher:
      open.closed = e.time;
      state.lastDoc = std::move(open);
      open = Document{};
      break;
    case EventType::kXReading: {
      Document doc = NewDocument(state, DocKind::kXReading, e.time, false);
      doc.closed = e.time;
      state.lastDoc = std::move(doc);
      break;
    }
    case EventType::kZReduction:
      ZReduction(state, e);
      break;
    case EventType::kFiscalMemoryPrint: {
      Document doc = NewDocument(state, DocKind::kFiscalMemory, e.time, false);
      doc.lines = SplitText(e.S(0));
      doc.closed = e.time;
      state.lastDoc = std::move(doc);
      break;
    }
  }
  if (e.mfdEnd >= 0) state.mfdLength = e.mfdEnd;
  if (e.tapeEnd >= 0) state.tapeLength = e.tapeEnd;
}

}  // namespace Tov00300::sim
