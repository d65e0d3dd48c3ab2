#include "driver/closing_note.h"

#include <optional>
#include <sstream>

#include "driver/registers.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace Tov00300::driver {

namespace {

struct Note {
  long long coo = 0, grandTotal = 0, restarts = 0, total = 0;
  bool cancelled = false;
};

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
  // The registers are read silently: the note is the package's own
  // bookkeeping, not a command of the operation.
  const auto coo = ReadRegisterCount(Register::kOperationCounter);
  if (!coo) return;
  const auto grandTotal = ReadRegisterCount(Register::kGrandTotal);
  const auto restarts = ReadRegisterCount(Register::kRestarts);
  const auto total = ReadRegisterCount(Register::kReceiptTotal);
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
  if (ReadRegisterCount(Register::kDocumentState) == 1) NoteReceiptEnd(true);
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
  const auto coo = ReadRegisterCount(Register::kOperationCounter);
  const auto since = ReadRegisterCount(Register::kSinceLastReceipt);
  const auto document = ReadRegisterCount(Register::kDocumentState);
  const auto restarts = ReadRegisterCount(Register::kRestarts);
  if (cancelled != nullptr) *cancelled = note->cancelled;
  return coo && since && document && restarts && *document != 1 && *coo - *since == note->coo &&
         *restarts == note->restarts;
}

}  // namespace Tov00300::driver
