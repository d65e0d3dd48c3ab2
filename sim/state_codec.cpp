// Binary encoding of journal events and of the state snapshot.
#include "codec.h"
#include "event.h"

namespace Tov00300::sim {
namespace {

// Bumped whenever the snapshot layout changes; an unknown version is refused.
// Version 2 (before the open line of a body was kept) still loads.
constexpr uint32_t kStateVersion = 3;
constexpr uint32_t kOldestStateVersion = 2;

template <size_t N>
void PutArray(ByteWriter& w, const std::array<int64_t, N>& a) {
  for (int64_t v : a) w.I64(v);
}
template <size_t N>
void GetArray(ByteReader& r, std::array<int64_t, N>& a) {
  for (int64_t& v : a) v = r.I64();
}

void PutStrings(ByteWriter& w, const std::vector<std::string>& v) {
  w.U32(static_cast<uint32_t>(v.size()));
  for (const std::string& s : v) w.Text(s);
}
std::vector<std::string> GetStrings(ByteReader& r) {
  std::vector<std::string> v(r.Count(4));
  for (std::string& s : v) s = r.Text();
  return v;
}

void PutRates(ByteWriter& w, const std::vector<TaxRate>& rates) {
  w.U32(static_cast<uint32_t>(rates.size()));
  for (const TaxRate& t : rates) {
    w.U8(static_cast<uint8_t>(t.kind));
    w.I64(t.rate);
  }
}
std::vector<TaxRate> GetRates(ByteReader& r) {
  std::vector<TaxRate> rates(r.Count(9));
  for (TaxRate& t : rates) {
    t.kind = static_cast<char>(r.U8());
    t.rate = r.I64();
  }
  return rates;
}

void PutDay(ByteWriter& w, const DayTotals& d) {
  PutArray(w, d.tax);
  PutArray(w, d.discounts);
  PutArray(w, d.surcharges);
  PutArray(w, d.cancellations);
  PutArray(w, d.payments);
  PutArray(w, d.nonFiscal);
  w.I64(d.nonFiscalCancelled);
  w.I64(d.firstCoo);
}
void GetDay(ByteReader& r, DayTotals& d) {
  GetArray(r, d.tax);
  GetArray(r, d.discounts);
  GetArray(r, d.surcharges);
  GetArray(r, d.cancellations);
  GetArray(r, d.payments);
  GetArray(r, d.nonFiscal);
  d.nonFiscalCancelled = r.I64();
  d.firstCoo = r.I64();
}

void PutDocument(ByteWriter& w, const Document& d) {
  w.U8(static_cast<uint8_t>(d.kind));
  for (int64_t v : {d.coo, d.ccf, d.gnf, d.grg, d.cdc, d.opened, d.closed}) w.I64(v);
  w.U8(static_cast<uint8_t>(d.phase));
  w.U8(d.cancelled ? 1 : 0);
  for (const std::string* s : {&d.cpf, &d.name, &d.address, &d.message, &d.reference}) w.Text(*s);
  w.U32(static_cast<uint32_t>(d.items.size()));
  for (const Item& i : d.items) {
    w.I64(i.bucket);
    for (int64_t v : {i.quantity, i.price, i.value, i.discount, i.surcharge}) w.I64(v);
    w.U8(i.cancelled ? 1 : 0);
    w.Text(i.code);
    w.Text(i.unit);
    w.Text(i.description);
  }
  for (int64_t v : {d.liveItems, d.subtotal, d.gross, d.adjustment}) w.I64(v);
  w.U32(static_cast<uint32_t>(d.payments.size()));
  for (const Payment& p : d.payments) {
    w.I64(p.method);
    w.I64(p.amount);
    w.I64(p.vouchered);
  }
  w.U32(static_cast<uint32_t>(d.entries.size()));
  for (const NonFiscalEntry& e : d.entries) {
    w.I64(e.totalizer);
    w.I64(e.amount);
  }
  PutStrings(w, d.lines);
  w.U8(d.lineOpen ? 1 : 0);
  for (int64_t v : {d.linkedCoo, static_cast<int64_t>(d.method), d.amount, d.installments})
    w.I64(v);
}

void GetDocument(ByteReader& r, Document& d, uint32_t version) {
  d.kind = static_cast<DocKind>(r.U8());
  for (int64_t* v : {&d.coo, &d.ccf, &d.gnf, &d.grg, &d.cdc, &d.opened, &d.closed}) *v = r.I64();
  d.phase = static_cast<Phase>(r.U8());
  d.cancelled = r.U8() != 0;
  for (std::string* s : {&d.cpf, &d.name, &d.address, &d.message, &d.reference}) *s = r.Text();
  uint32_t items = r.Count(8);
  for (uint32_t k = 0; k < items && !r.failed(); ++k) {
    Item i;
    i.bucket = static_cast<int>(r.I64());
    for (int64_t* v : {&i.quantity, &i.price, &i.value, &i.discount, &i.surcharge}) *v = r.I64();
    i.cancelled = r.U8() != 0;
    i.code = r.Text();
    i.unit = r.Text();
    i.description = r.Text();
    d.items.push_back(std::move(i));
  }
  for (int64_t* v : {&d.liveItems, &d.subtotal, &d.gross, &d.adjustment}) *v = r.I64();
  uint32_t payments = r.Count(24);
  for (uint32_t k = 0; k < payments && !r.failed(); ++k) {
    Payment p;
    p.method = static_cast<int>(r.I64());
    p.amount = r.I64();
    p.vouchered = r.I64();
    d.payments.push_back(p);
  }
  uint32_t entries = r.Count(16);
  for (uint32_t k = 0; k < entries && !r.failed(); ++k) {
    NonFiscalEntry e;
    e.totalizer = static_cast<int>(r.I64());
    e.amount = r.I64();
    d.entries.push_back(e);
  }
  d.lines = GetStrings(r);
  d.lineOpen = version >= 3 && r.U8() != 0;
  d.linkedCoo = r.I64();
  d.method = static_cast<int>(r.I64());
  d.amount = r.I64();
  d.installments = r.I64();
}

void PutCounters(ByteWriter& w, const Counters& c) {
  for (int64_t v : {c.coo, c.ccf, c.gnf, c.crz, c.cro, c.grg, c.cdc, c.cfc, c.ncn}) w.I64(v);
}
void GetCounters(ByteReader& r, Counters& c) {
  for (int64_t* v : {&c.coo, &c.ccf, &c.gnf, &c.crz, &c.cro, &c.grg, &c.cdc, &c.cfc, &c.ncn}) {
    *v = r.I64();
  }
}

void PutReduction(ByteWriter& w, const ZRecord& z) {
  PutCounters(w, z.counters);
  for (int64_t v : {z.firstCoo, z.movementDay, z.when, z.grandTotal, z.dayStartGrandTotal}) {
    w.I64(v);
  }
  PutDay(w, z.totals);
  PutRates(w, z.rates);
  PutStrings(w, z.paymentMethods);
  PutStrings(w, z.totalizers);
}
void GetReduction(ByteReader& r, ZRecord& z) {
  GetCounters(r, z.counters);
  for (int64_t* v : {&z.firstCoo, &z.movementDay, &z.when, &z.grandTotal, &z.dayStartGrandTotal}) {
    *v = r.I64();
  }
  GetDay(r, z.totals);
  z.rates = GetRates(r);
  z.paymentMethods = GetStrings(r);
  z.totalizers = GetStrings(r);
}

}  // namespace

std::string EncodeEvent(uint64_t sequence, const Event& e) {
  ByteWriter w;
  w.I64(static_cast<int64_t>(sequence));
  w.U8(static_cast<uint8_t>(e.type));
  w.I64(e.time);
  w.I64(e.mfdEnd);
  w.I64(e.tapeEnd);
  w.U32(static_cast<uint32_t>(e.n.size()));
  for (int64_t v : e.n) w.I64(v);
  PutStrings(w, e.s);
  return std::move(w.bytes());
}

bool DecodeEvent(std::string_view payload, uint64_t* sequence, Event* e) {
  ByteReader r(payload);
  *sequence = static_cast<uint64_t>(r.I64());
  uint8_t type = r.U8();
  e->time = r.I64();
  e->mfdEnd = r.I64();
  e->tapeEnd = r.I64();
  uint32_t count = r.Count(8);
  if (r.failed()) return false;
  e->n.assign(count, 0);
  for (int64_t& v : e->n) v = r.I64();
  e->s = GetStrings(r);
  if (r.failed() || !r.AtEnd()) return false;
  if (type < static_cast<uint8_t>(EventType::kAddRate) ||
      type > static_cast<uint8_t>(EventType::kFiscalMemoryPrint)) {
    return false;
  }
  e->type = static_cast<EventType>(type);
  return true;
}

std::string EncodeReduction(const ZRecord& z) {
  ByteWriter w;
  PutReduction(w, z);
  return std::move(w.bytes());
}

std::string EncodeState(const PrinterState& s) {
  ByteWriter w;
  w.U32(kStateVersion);
  const Identity& id = s.identity;
  for (const std::string* t :
       {&id.serial, &id.maker, &id.model, &id.version, &id.cnpj, &id.ie, &id.im}) {
    w.Text(*t);
  }
  w.I64(id.ecfNumber);
  PutStrings(w, id.header);
  PutRates(w, s.rates);
  PutStrings(w, s.paymentMethods);
  PutStrings(w, s.totalizers);
  PutCounters(w, s.counters);
  w.I64(s.grandTotal);
  w.I64(s.dayStartGrandTotal);
  w.I64(s.movementDay);
  w.U8(s.daylightSaving ? 1 : 0);
  PutDay(w, s.day);
  PutDocument(w, s.open);
  PutDocument(w, s.lastReceipt);
  PutDocument(w, s.lastNonFiscal);
  PutDocument(w, s.lastDoc);
  w.U32(static_cast<uint32_t>(s.reductions.size()));
  for (const ZRecord& z : s.reductions) PutReduction(w, z);
  w.I64(static_cast<int64_t>(s.sequence));
  w.I64(s.mfdLength);
  w.I64(s.tapeLength);
  return std::move(w.bytes());
}

bool DecodeState(std::string_view payload, PrinterState* out) {
  ByteReader r(payload);
  const uint32_t version = r.U32();
  if (version < kOldestStateVersion || version > kStateVersion) return false;
  PrinterState s;
  Identity& id = s.identity;
  for (std::string* t : {&id.serial, &id.maker, &id.model, &id.version, &id.cnpj, &id.ie, &id.im}) {
    *t = r.Text();
  }
  id.ecfNumber = r.I64();
  id.header = GetStrings(r);
  s.rates = GetRates(r);
  s.paymentMethods = GetStrings(r);
  s.totalizers = GetStrings(r);
  GetCounters(r, s.counters);
  s.grandTotal = r.I64();
  s.dayStartGrandTotal = r.I64();
  s.movementDay = r.I64();
  s.daylightSaving = r.U8() != 0;
  GetDay(r, s.day);
  GetDocument(r, s.open, version);
  GetDocument(r, s.lastReceipt, version);
  GetDocument(r, s.lastNonFiscal, version);
  GetDocument(r, s.lastDoc, version);
  uint32_t reductions = r.Count(8);
  for (uint32_t k = 0; k < reductions && !r.failed(); ++k) {
    ZRecord z;
    GetReduction(r, z);
    s.reductions.push_back(std::move(z));
  }
  s.sequence = static_cast<uint64_t>(r.I64());
  s.mfdLength = r.I64();
  s.tapeLength = r.I64();
  if (r.failed() || !r.AtEnd()) return false;
  if (s.rates.size() > kMaxRates || s.paymentMethods.size() > kMaxPaymentMethods ||
      s.totalizers.size() > kMaxTotalizers) {
    return false;
  }
  *out = std::move(s);
  return true;
}

}  // namespace Tov00300::sim
