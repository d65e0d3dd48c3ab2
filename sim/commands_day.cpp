#include "civil_time.h"
#include "commands.h"
#include "numbers.h"
#include "text.h"
#include "tov00300/format.h"

namespace Tov00300::sim {
namespace {

std::optional<Outcome> NeedIdle(const Machine& m) {
  if (auto refusal = m.CheckUsable()) return refusal;
  if (m.state().open.kind != DocKind::kNone) return Refuse(kErrDocumentOpen);
  return std::nullopt;
}

bool SixDigitsOrEmpty(const std::string& text) {
  std::string t = Trim(text);
  return t.empty() || (t.size() == 6 && DigitsOnly(t) == t);
}

Outcome RegisterRate(Machine& m, char kind, const std::string& value) {
  const PrinterState& state = m.state();
  // The rate table changes only before the fiscal day has movement.
  if (state.movementDay >= 0) return Refuse(kErrAfterZOnly);
  std::string text = UpperCase(Trim(value));
  if (!text.empty() && (text[0] == 'T' || text[0] == 'S')) {
    kind = text[0];
    text.erase(0, 1);
  }
  std::optional<int64_t> rate;
  if (text.size() == 4 && DigitsOnly(text) == text) {
    rate = std::stoll(text);
  } else {
    rate = ParseDecimal(text, 2);
  }
  if (!rate || *rate <= 0 || *rate >= 10000) return Refuse(kErrParameter, -2);
  for (const TaxRate& t : state.rates) {
    if (t.kind == kind && t.rate == *rate) return Refuse(kErrDuplicate);
  }
  if (state.rates.size() >= kMaxRates) return Refuse(kErrTableFull);
  Event e{EventType::kAddRate};
  e.n = {kind, *rate};
  return m.Accept(std::move(e));
}

}  // namespace

Outcome XReading(Machine& m) {
  if (auto refusal = NeedIdle(m)) return *refusal;
  if (m.faults().paperOut) return Refuse(kErrPaperOut);
  return m.Accept(Event{EventType::kXReading});
}

Outcome ZReduction(Machine& m, const std::string& date, const std::string& time) {
  if (auto refusal = NeedIdle(m)) return *refusal;
  // The date and time the package sends are checked for form only: the
  // reduction belongs to the printer's own clock.
  if (!SixDigitsOrEmpty(date) || !SixDigitsOrEmpty(time)) return Refuse(kErrParameter, -2);
  if (m.faults().paperOut) return Refuse(kErrPaperOut);
  const PrinterState& state = m.state();
  if (static_cast<int64_t>(state.reductions.size()) >= m.faults().memoryCapacity) {
    return Refuse(kErrMemoryFull);
  }
  // A day closed by a Z stays closed until a document starts the next one
  // or the date changes: a second Z would be a second record of the same
  // day in the fiscal memory, which can never be taken back.
  if (state.movementDay < 0 && !state.reductions.empty() &&
      DayOf(state.reductions.back().when) == DayOf(m.Now())) {
    return Refuse(kErrDayClosed);
  }
  return m.Accept(Event{EventType::kZReduction});
}

Outcome Register(Machine& m, const std::string& rawKind, const std::string& value) {
  if (auto refusal = NeedIdle(m)) return *refusal;
  std::string kind = UpperCase(Trim(rawKind));
  const PrinterState& state = m.state();
  if (kind == "FPGTO") {
    std::string name = Trim(Trim(value).substr(0, kPaymentNameLength));
    if (name.empty()) return Refuse(kErrParameter, -2);
    if (FindPaymentMethod(state, name) >= 0) return Refuse(kErrDuplicate);
    if (state.paymentMethods.size() >= kMaxPaymentMethods) return Refuse(kErrTableFull);
    Event e{EventType::kAddPaymentMethod};
    e.s = {name};
    return m.Accept(std::move(e));
  }
  if (kind == "TNF") {
    // Totalizer names are matched with letter case, so "Vale" and "VALE" are two.
    std::string name = Trim(Trim(value).substr(0, kTotalizerNameLength));
    if (name.empty()) return Refuse(kErrParameter, -2);
    for (const std::string& t : state.totalizers) {
      if (t == name) return Refuse(kErrDuplicate);
    }
    if (state.totalizers.size() >= kMaxTotalizers) return Refuse(kErrTableFull);
    Event e{EventType::kAddTotalizer};
    e.s = {name};
    return m.Accept(std::move(e));
  }
  if (kind == "ALIQUOTA" || kind == "ICMS") return RegisterRate(m, 'T', value);
  if (kind == "ISS") return RegisterRate(m, 'S', value);
  return Refuse(kErrParameter, -2);
}

Outcome SetDaylightSaving(Machine& m, bool on) {
  if (auto refusal = NeedIdle(m)) return *refusal;
  if (m.state().daylightSaving == on) return Refuse(kErrDaylight);
  Event e{EventType::kDaylightSaving};
  e.n = {on ? 1 : 0};
  return m.Accept(std::move(e));
}

}  // namespace Tov00300::sim
