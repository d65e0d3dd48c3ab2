// Apply(): the only code that changes the fiscal state (see event.h). Each
// event type has its handler; a table in the order of EventType finds it.
#include <cstddef>
#include <iterator>

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

// ---- one handler per event, in the order of EventType ----

void AddRate(PrinterState& state, const Event& e) {
  state.rates.push_back({static_cast<char>(e.N(0)), e.N(1)});
}

void AddPaymentMethod(PrinterState& state, const Event& e) {
  state.paymentMethods.push_back(e.S(0));
}

void AddTotalizer(PrinterState& state, const Event& e) {
  state.totalizers.push_back(e.S(0));
}

void SetDaylightSaving(PrinterState& state, const Event& e) {
  state.daylightSaving = e.N(0) != 0;
}

void OpenReceipt(PrinterState& state, const Event& e) {
  Document& open = state.open;
  open = NewDocument(state, DocKind::kReceipt, e.time, true);
  open.ccf = ++state.counters.ccf;
  open.cpf = e.S(0);
  open.name = e.S(1);
  open.address = e.S(2);
}

void SellItem(PrinterState& state, const Event& e) {
  Document& open = state.open;
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
}

void CancelItem(PrinterState& state, const Event& e) {
  Document& open = state.open;
  // Events were validated when accepted; the guards only keep a replay of
  // foreign files from reading out of range.
  if (e.N(0) < 1 || e.N(0) > static_cast<int64_t>(open.items.size())) return;
  Item& item = open.items[e.N(0) - 1];
  item.cancelled = true;
  open.liveItems -= 1;
  open.subtotal -= item.Net();
}

void Totalize(PrinterState& state, const Event& e) {
  state.open.adjustment = e.N(0);
  state.open.phase = Phase::kTotalized;
}

void Pay(PrinterState& state, const Event& e) {
  state.open.payments.push_back({static_cast<int>(e.N(0)), e.N(1), 0});
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

void OpenNonFiscal(PrinterState& state, const Event& e) {
  state.open = NewDocument(state, DocKind::kNonFiscal, e.time, true);
  state.open.gnf = ++state.counters.gnf;
}

void AddNonFiscalItem(PrinterState& state, const Event& e) {
  state.open.entries.push_back({static_cast<int>(e.N(0)), e.N(1)});
}

void TotalizeNonFiscal(PrinterState& state, const Event&) {
  state.open.phase = Phase::kTotalized;
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

void MoveCash(PrinterState& state, const Event& e) {
  const bool supply = e.N(0) == 1;
  Document doc = NewDocument(state, supply ? DocKind::kCashIn : DocKind::kCashOut, e.time, true);
  doc.gnf = ++state.counters.gnf;
  doc.amount = e.N(1);
  doc.message = e.S(0);
  doc.closed = e.time;
  const int index = TotalizerIndex(state, supply ? "Suprimento" : "Sangria");
  if (index >= 0) state.day.nonFiscal[index] += doc.amount;
  // Supply and withdrawal are cash put into and taken out of the drawer: the
  // cash payment total (the first method) then says what the drawer holds.
  state.day.payments[0] += supply ? doc.amount : -doc.amount;
  state.lastDoc = std::move(doc);
}

void OpenReport(PrinterState& state, const Event& e) {
  state.open = NewDocument(state, DocKind::kReport, e.time, true);
  state.open.gnf = ++state.counters.gnf;
  state.open.grg = ++state.counters.grg;
}

void OpenVoucher(PrinterState& state, const Event& e) {
  if (e.N(0) < 0 || e.N(0) >= static_cast<int64_t>(state.lastReceipt.payments.size())) return;
  Payment& paid = state.lastReceipt.payments[e.N(0)];
  paid.vouchered += e.N(1);
  const int method = paid.method;
  const int64_t linked = state.lastReceipt.coo;
  Document& open = state.open;
  open = NewDocument(state, DocKind::kVoucher, e.time, true);
  open.gnf = ++state.counters.gnf;
  open.cdc = ++state.counters.cdc;
  open.linkedCoo = linked;
  open.method = method;
  open.amount = e.N(1);
  open.installments = e.N(2);
  open.reference = e.S(0);
}

void PrintText(PrinterState& state, const Event& e) {
  Document& open = state.open;
  if (e.N(0) != 0 && !open.lines.empty()) open.lines.pop_back();
  for (std::string& line : SplitText(e.S(0))) open.lines.push_back(std::move(line));
  open.lineOpen = e.N(1) != 0;
}

// A management report or a linked voucher: what was printed in it is final.
void CloseOpenDocument(PrinterState& state, const Event& e) {
  state.open.closed = e.time;
  state.lastDoc = std::move(state.open);
  state.open = Document{};
}

void XReading(PrinterState& state, const Event& e) {
  Document doc = NewDocument(state, DocKind::kXReading, e.time, false);
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

void PrintFiscalMemory(PrinterState& state, const Event& e) {
  Document doc = NewDocument(state, DocKind::kFiscalMemory, e.time, false);
  doc.lines = SplitText(e.S(0));
  doc.closed = e.time;
  state.lastDoc = std::move(doc);
}

using Handler = void (*)(PrinterState&, const Event&);

struct HandlerEntry {
  EventType type;
  Handler apply;
};

// In the order of EventType, so an event finds its handler by its value. A
// report and a voucher close the same way.
constexpr HandlerEntry kHandlers[] = {
    {EventType::kAddRate, AddRate},
    {EventType::kAddPaymentMethod, AddPaymentMethod},
    {EventType::kAddTotalizer, AddTotalizer},
    {EventType::kDaylightSaving, SetDaylightSaving},
    {EventType::kOpenReceipt, OpenReceipt},
    {EventType::kSellItem, SellItem},
    {EventType::kCancelItem, CancelItem},
    {EventType::kTotalize, Totalize},
    {EventType::kPay, Pay},
    {EventType::kCloseReceipt, CloseReceipt},
    {EventType::kCancelReceipt, CancelReceipt},
    {EventType::kOpenNonFiscal, OpenNonFiscal},
    {EventType::kNonFiscalItem, AddNonFiscalItem},
    {EventType::kNonFiscalTotalize, TotalizeNonFiscal},
    {EventType::kCloseNonFiscal, CloseNonFiscal},
    {EventType::kCancelNonFiscal, CancelNonFiscal},
    {EventType::kCashMovement, MoveCash},
    {EventType::kOpenReport, OpenReport},
    {EventType::kOpenVoucher, OpenVoucher},
    {EventType::kPrintText, PrintText},
    {EventType::kCloseReport, CloseOpenDocument},
    {EventType::kCloseVoucher, CloseOpenDocument},
    {EventType::kXReading, XReading},
    {EventType::kZReduction, ZReduction},
    {EventType::kFiscalMemoryPrint, PrintFiscalMemory},
};

constexpr size_t kFirstEvent = static_cast<size_t>(EventType::kAddRate);

// Every event type the journal accepts (kAddRate to kFiscalMemoryPrint, as
// DecodeEvent checks) has its entry, at its place: a new event type must be
// added to both.
constexpr bool HandlersInEventOrder() {
  for (size_t i = 0; i < std::size(kHandlers); ++i) {
    if (static_cast<size_t>(kHandlers[i].type) != kFirstEvent + i) return false;
  }
  return std::size(kHandlers) ==
         static_cast<size_t>(EventType::kFiscalMemoryPrint) - kFirstEvent + 1;
}
static_assert(HandlersInEventOrder(), "kHandlers must list every EventType in order");

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
  const size_t index = static_cast<size_t>(e.type) - kFirstEvent;
  if (index < std::size(kHandlers)) kHandlers[index].apply(state, e);
  if (e.mfdEnd >= 0) state.mfdLength = e.mfdEnd;
  if (e.tapeEnd >= 0) state.tapeLength = e.tapeEnd;
}

}  // namespace Tov00300::sim
