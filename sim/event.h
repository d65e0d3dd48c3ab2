// Journal events: a command the printer accepted, with everything needed to
// apply it again on load. The command layer validates and builds an event;
// Apply() is the only code that changes the fiscal state, live and on replay.
#ifndef TOV00300_SIM_EVENT_H_
#define TOV00300_SIM_EVENT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "state.h"

namespace Tov00300::sim {

enum class EventType : uint8_t {
  kAddRate = 1,       // n: kind, rate
  kAddPaymentMethod,  // s: name
  kAddTotalizer,      // s: name
  kDaylightSaving,    // n: 1 on, 0 off
  kOpenReceipt,       // s: cpf, name, address
  kSellItem,  // n: bucket, quantity, price, value, discount, surcharge; s: code, unit, description
  kCancelItem,     // n: item number (1-based)
  kTotalize,       // n: signed adjustment
  kPay,            // n: method, amount (receipt or non-fiscal receipt open)
  kCloseReceipt,   // s: message
  kCancelReceipt,  // the open receipt, or the last one closed
  kOpenNonFiscal,
  kNonFiscalItem,  // n: totalizer, amount
  kNonFiscalTotalize,
  kCloseNonFiscal,
  kCancelNonFiscal,  // the open one, or the last one closed
  kCashMovement,     // n: 1 supply / 0 withdrawal, amount; s: message
  kOpenReport,
  kOpenVoucher,  // n: payment index in the last receipt, amount, installments; s: reference
  kPrintText,    // s: lines already wrapped, joined by line feeds (report or voucher body);
                 // n: 1 when the first line replaces the body's open last line (it goes on
                 // with it), 1 when the last line stays open (no n: neither, as older
                 // journals wrote it)
  kCloseReport,
  kCloseVoucher,
  kXReading,
  kZReduction,
  kFiscalMemoryPrint,  // s: body lines joined by line feeds
};

struct Event {
  explicit Event(EventType t = EventType::kOpenReceipt) : type(t) {}

  EventType type;
  int64_t time = 0;  // civil seconds of the printer clock when accepted
  std::vector<int64_t> n;
  std::vector<std::string> s;
  // Lengths of the detail memory and the paper tape after this event's
  // document was written; -1 when the event finishes no document.
  int64_t mfdEnd = -1;
  int64_t tapeEnd = -1;

  int64_t N(size_t i) const { return i < n.size() ? n[i] : 0; }
  const std::string& S(size_t i) const {
    static const std::string kEmpty;
    return i < s.size() ? s[i] : kEmpty;
  }
};

// True when the event finishes a document (it then has a paper print and a
// detail-memory record).
bool FinishesDocument(EventType type);

// True when the event only adds to the open document (items, payments, text).
// The default durability level flushes these to the device lazily.
bool IsInDocumentStep(EventType type);

// Applies the event to the state. The event was validated when accepted, so
// this never refuses; replay after a restart runs the same code.
void Apply(PrinterState& state, const Event& event);

std::string EncodeEvent(uint64_t sequence, const Event& event);
bool DecodeEvent(std::string_view payload, uint64_t* sequence, Event* event);

std::string EncodeState(const PrinterState& state);
std::string EncodeReduction(const ZRecord& z);
bool DecodeState(std::string_view payload, PrinterState* state);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_EVENT_H_
