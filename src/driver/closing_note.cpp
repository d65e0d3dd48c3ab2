#include "driver/closing_note.h"

#include <optional>
#include <sstream>

#include "driver/registers.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300::driver {

namespace {

constexpr int kGrandTotal = 1;
constexpr int kRestarts = 23;
constexpr int kOperationCounter = 26;
constexpr int kSinceLastReceipt = 53;
constexpr int kDocumentState = 56;
constexpr int kReceiptTotal = 160;

struct Note {
  long long coo = 0, grandTotal = 0, restarts = 0, total = 0;
  bool cancelled = false;
};

// A register of digits, silently: the note is the package's own bookkeeping,
// not a command of the operation.
std::optional<long long> Number(int reg) {
  return ReadRegisterCount(reg);
}

std::optional<Note> ReadNote() {
  const auto text = platform::ReadFile(ClosingNotePath());
  if (!text) return std::nullopt;
  std::istringstream in(*text);
  Note n;
  if (!(in >> n.coo >> n.grandTotal >> n.restarts >> n.total)) return std::nullopt;
  // A note written before cancellations were noted ends here: a closing.
  std::string end;
  n.cancelled = in >> end && end == "C";
  return n;
}

}  // namespace

std::string ClosingNotePath() {
  return DsDirCad + "pending_closing.txt";
}

void NoteReceiptEnd(bool cancelling) {
  const auto coo = Number(kOperationCounter);
  if (!coo) return;
  const auto grandTotal = Number(kGrandTotal);
  const auto restarts = Number(kRestarts);
  const auto total = Number(kReceiptTotal);
  if (!grandTotal || !restarts || !total) return;
  try {
    platform::AtomicReplaceFile(ClosingNotePath(),
                                std::to_string(*coo) + " " + std::to_string(*grandTotal) + " " +
                                    std::to_string(*restarts) + " " + std::to_string(*total) +
                                    (cancelling ? " C\n" : " E\n"));
  } catch (const std::exception& e) {
    // Without the note the next check is only stricter; the receipt goes on.
    ImpFisDebug(Utf8ToCp1252("Nota do encerramento não gravada: ") + e.what());
  }
}

void NoteCancellation() {
  if (Number(kDocumentState) == 1) NoteReceiptEnd(true);
}

void DropClosingNote() {
  if (platform::FileExists(ClosingNotePath())) platform::DeleteFile(ClosingNotePath());
}

bool ClosingExplains(long long recorded, long long current, bool* cancelled) {
  const auto note = ReadNote();
  if (!note || note->grandTotal != recorded || current - recorded < note->total ||
      current <= recorded) {
    return false;
  }
  const auto coo = Number(kOperationCounter);
  const auto since = Number(kSinceLastReceipt);
  const auto document = Number(kDocumentState);
  const auto restarts = Number(kRestarts);
  if (cancelled != nullptr) *cancelled = note->cancelled;
  return coo && since && document && restarts && *document != 1 && *coo - *since == note->coo &&
         *restarts == note->restarts;
}

}  // namespace Tov00300::driver
