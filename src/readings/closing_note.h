// The note a receipt closing leaves for the grand-total check.
//
// The host records the printer's grand total (Atu_TotGeral, "N") after the
// closing returns; a till stopped in between would leave the recorded total
// one receipt behind, and the next start-of-day check would cry tampering.
// Just before it sends the closing command, the package writes down the
// receipt's number, the grand total before it and the restart counter. A
// difference that this note explains exactly is then brought up to date.
#ifndef TOV00300_SRC_READINGS_CLOSING_NOTE_H_
#define TOV00300_SRC_READINGS_CLOSING_NOTE_H_

#include <string>

namespace Tov00300::readings {

// DsDirCad + "pending_closing.txt".
std::string ClosingNotePath();

// Writes the note for the receipt open on the printer; nothing when the
// printer does not answer the registers it needs (the check then stays as
// strict as without a note).
void NoteClosing();

// Removes the note: the recorded grand total is the printer's again.
void DropClosingNote();

// True when the note explains why the printer's grand total (`current`,
// cents) is above the recorded one (`recorded`, cents): the note's total
// before the closing is the recorded one, the last document of the day that
// changed the grand total is the noted receipt (no receipt open, none after
// it), the restart counter is unchanged and the growth is at least the
// receipt's total. Only a receipt changes the grand total, so the whole
// difference is that receipt's.
bool ClosingExplains(long long recorded, long long current);

}  // namespace Tov00300::readings

#endif  // TOV00300_SRC_READINGS_CLOSING_NOTE_H_
