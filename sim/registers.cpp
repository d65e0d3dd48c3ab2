#include "registers.h"

#include "civil_time.h"
#include "numbers.h"
#include "text.h"

namespace Tov00300::sim {
namespace {

constexpr size_t kReductionRecordWidth = 1164;

std::string NameList(const std::vector<std::string>& names, size_t width) {
  std::string list;
  for (const std::string& name : names) {
    if (list.size() + name.size() + 1 > width) break;
    list += name + ";";
  }
  return PadRight(list, width);
}

template <size_t N>
std::string Amounts(const std::array<int64_t, N>& values, size_t count, int width) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out += Digits(i < N ? values[i] : 0, width);
  return out;
}

// Register 3: the sixteen rate slots, then substitution, exempt and no
// incidence (ICMS, ISS), then discounts, surcharges and cancellations (ICMS, ISS).
std::string TaxTotals(const DayTotals& d) {
  std::string out = Amounts(d.tax, kBucketCount, 13);
  for (const auto* pair : {&d.discounts, &d.surcharges, &d.cancellations}) {
    out += Amounts(*pair, 2, 13);
  }
  return out;
}

std::string OtherTotalizers(const PrinterState& state) {
  std::string out;
  for (size_t i = 0; i < state.totalizers.size(); ++i) {
    if (state.totalizers[i] != "Sangria") out += Digits(state.day.nonFiscal[i], 13);
  }
  out = out.substr(0, 247);
  out.append(247 - out.size(), '0');
  return out;
}

int64_t SangriaTotal(const PrinterState& state) {
  for (size_t i = 0; i < state.totalizers.size(); ++i) {
    if (state.totalizers[i] == "Sangria") return state.day.nonFiscal[i];
  }
  return 0;
}

int64_t Sum(const std::array<int64_t, 2>& a) {
  return a[0] + a[1];
}

}  // namespace

std::string RateList(const PrinterState& state) {
  std::string list;
  for (const TaxRate& t : state.rates) list += std::string(1, t.kind) + Digits(t.rate, 4) + ";";
  return PadRight(list, kRateListWidth);
}

std::string PaymentList(const PrinterState& state) {
  return NameList(state.paymentMethods, kPaymentListWidth);
}

std::string TotalizerList(const PrinterState& state) {
  return NameList(state.totalizers, kTotalizerListWidth);
}

std::string LastReductionRecord(const PrinterState& state) {
  if (state.reductions.empty()) return std::string(kReductionRecordWidth, ' ');
  const ZRecord& z = state.reductions.back();
  const DayTotals& d = z.totals;
  std::string r;
  r += DateDigits(z.movementDay * kSecondsPerDay);   // 1-8
  r += Digits(z.grandTotal, 18);                     // 9-26
  r += Digits(z.dayStartGrandTotal, 18);             // 27-44
  r += Amounts(d.cancellations, 2, 14);              // 45-72
  r += Amounts(d.discounts, 2, 14);                  // 73-100
  r += Amounts(d.surcharges, 2, 14);                 // 101-128
  r += Amounts(d.tax, kBucketCount, 14);             // 129-436: slots, F, I, N
  r += Amounts(d.payments, kMaxPaymentMethods, 14);  // 437-716
  int64_t gross = z.grandTotal - z.dayStartGrandTotal;
  int64_t nonFiscal = 0;
  for (int64_t v : d.nonFiscal) nonFiscal += v;
  r += Digits(nonFiscal, 14);                                        // 717-730
  r += Digits(d.nonFiscalCancelled, 14);                             // 731-744
  r += Digits(gross, 14);                                            // 745-758
  r += Digits(gross - Sum(d.cancellations) - Sum(d.discounts), 14);  // 759-772
  r += std::string(70, '0');                                         // 773-842
  for (size_t i = 0; i < kMaxRates; ++i) {                           // 843-922
    r += i < z.rates.size() ? std::string(1, z.rates[i].kind) + Digits(z.rates[i].rate, 4)
                            : std::string("T0000");
  }
  r += Digits(z.counters.crz, 4);            // 923-926
  r += Digits(z.counters.cro, 4);            // 927-930
  r += "0000";                               // 931-934
  r += Digits(z.counters.coo, 6);            // 935-940
  r += Digits(z.counters.gnf, 6);            // 941-946
  r += Digits(z.counters.ccf, 6);            // 947-952
  r += Digits(z.counters.grg, 6);            // 953-958
  r += Digits(z.counters.cdc, 4);            // 959-962
  r += Digits(z.counters.cfc, 4);            // 963-966
  r += Digits(z.counters.ncn, 4);            // 967-970
  r += Digits(z.firstCoo, 6);                // 971-976
  r += "00";                                 // 977-978
  r += Digits(state.identity.ecfNumber, 4);  // 979-982
  r += PadRight(state.identity.serial, 20);  // 983-1002
  r += TimeDigits(z.when);                   // 1003-1008
  r += DateDigits(z.when);                   // 1009-1016
  r.append(kReductionRecordWidth - r.size(), '0');
  return r;
}

std::optional<std::string> ReadRegister(const Machine& m, int index) {
  const PrinterState& s = m.state();
  const DayTotals& d = s.day;
  switch (index) {
    case 1:
      return Digits(s.grandTotal, 18);
    case 2:
      return Digits(s.dayStartGrandTotal, 18);
    case 3:
      return TaxTotals(d);
    case 6:
      return Amounts(d.payments, kMaxPaymentMethods, 13);
    case 8:
      return Digits(SangriaTotal(s), 13);
    case 9:
      return OtherTotalizers(s);
    case 11:
      return Digits(Sum(d.discounts), 13);
    case 12:
      return Digits(Sum(d.surcharges), 13);
    case 13:
      return Digits(Sum(d.cancellations), 13);
    case 23:
      return Digits(s.counters.cro, 3);
    case 24:
      return Digits(s.counters.crz, 4);
    case 26:
      return Digits(s.counters.coo, 6);
    case 28:
      return Digits(s.counters.gnf, 6);
    case 30:
      return Digits(s.counters.ccf, 6);
    case 33:
      return Digits(s.counters.grg, 6);
    case 45:
      return Digits(s.counters.cdc, 4);
    case 53:
      // Documents printed since the last fiscal receipt: the receipt's number
      // is the operation counter minus this. A receipt still open is the
      // last one (it is the one a cancellation ends), so none come after it.
      if (s.open.kind == DocKind::kReceipt) return Digits(0, 4);
      return Digits(
          s.lastReceipt.kind == DocKind::kReceipt ? s.counters.coo - s.lastReceipt.coo : 0, 4);
    case 56:
      switch (s.open.kind) {
        case DocKind::kReceipt:
          return std::string("1");
        case DocKind::kNonFiscal:
          return std::string("2");
        case DocKind::kVoucher:
          return std::string("3");
        case DocKind::kReport:
          return std::string("4");
        default:
          return std::string("0");
      }
    case 70:
      // No fiscal day open: the printer answers 01/01/2000, read as "no date".
      return s.movementDay >= 0 ? DateDigits(s.movementDay * kSecondsPerDay)
                                : std::string("01012000");
    case 78:
      return PadRight(s.identity.serial, 20);
    case 79:
      return PadRight(s.identity.version, 7);
    case 80:
      return PadRight(s.identity.maker, 20);
    case 81:
      return PadRight(s.identity.model, 20);
    case 107:
      return Digits(s.identity.ecfNumber, 3);
    case 140:
      return LastReductionRecord(s);
    case 160:
      // A host that lost a reply reads these to learn whether its item or
      // adjustment reached the open receipt before sending it again.
      return Digits(s.open.kind == DocKind::kReceipt ? s.open.Total() : 0, 13);
    case 161:
      return Digits(
          s.open.kind == DocKind::kReceipt ? static_cast<int64_t>(s.open.items.size()) : 0, 4);
    default:
      return std::nullopt;
  }
}

}  // namespace Tov00300::sim
