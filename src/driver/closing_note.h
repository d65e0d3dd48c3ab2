// The note a receipt's end leaves for the grand-total check.
//
// The printer's grand total grows when a receipt ends: closed, or cancelled
// while open. The recorded copy (Atu_TotGeral, "N") is brought up to date
// only after the command returns; a till stopped in between would leave it
// one receipt behind, and the next start-of-day check would cry tampering.
// Just before it sends the closing or the cancellation, the package writes
// down the receipt's number, the grand total before it and the restart
// counter. A difference that this note explains exactly is then brought up
// to date. The receipt's closing, its cancellation by the host and the one
// at the port opening all write it, so it lives beneath them.
#ifndef TOV00300_SRC_DRIVER_CLOSING_NOTE_H_
#define TOV00300_SRC_DRIVER_CLOSING_NOTE_H_

#include <string>

namespace Tov00300::driver {

// DsDirCad + "pending_closing.txt".
std::string ClosingNotePath();

// Writes the note for the receipt open on the printer, about to be closed or
// (`cancelling`) cancelled; nothing when the printer does not answer the
// registers it needs (the check then stays as strict as without a note).
void NoteReceiptEnd(bool cancelling);
inline void NoteClosing() {
  NoteReceiptEnd(false);
}
// Before a cancellation that may find no receipt open: the note only when
// one is (cancelling a receipt already closed leaves the grand total alone).
void NoteCancellation();

// Removes the note: the recorded grand total is the printer's again.
void DropClosingNote();

// True when the note explains why the printer's grand total (`current`,
// cents) is above the recorded one (`recorded`, cents): the note's total
// before the receipt's end is the recorded one, the last receipt of the day
// is the noted one and no receipt is open (so nothing after it changed the
// grand total), the restart counter is unchanged and the growth is at least
// the receipt's total. Only a receipt's end changes the grand total, so the
// whole difference is that receipt's. `cancelled`, when given, tells whether
// the noted end was a cancellation.
bool ClosingExplains(long long recorded, long long current, bool* cancelled = nullptr);

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_CLOSING_NOTE_H_
