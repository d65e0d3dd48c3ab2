// The note that keeps an X reading or a Z reduction from going missing in
// the document register.
//
// The reading is printed first and recorded afterwards (setDocNaoFiscaisECF);
// a till killed in between, or a register that could not be written, would
// leave a document the printer issued and the register never heard of. Just
// before it sends the reading, the package writes down its kind, the record
// key, the colour scheme and the counters it starts from (COO and CRZ); the
// note goes once the record is written or the printer shows the reading was
// not issued. At the next port opening, before anything is printed, a note
// left behind is compared with the printer's counters and what is missing is
// recorded, with a line in the debug log.
#ifndef TOV00300_SRC_SESSION_PENDING_RECORD_H_
#define TOV00300_SRC_SESSION_PENDING_RECORD_H_

#include <string>

namespace Tov00300::session {

// DsDirCad + "pending_record.txt".
std::string PendingRecordPath();

// Before the command: `kind` "LX" or "RZ", with the key and colour scheme
// its record takes. A note an earlier reading left is reconciled first, as
// at the port opening. Nothing is noted when the printer does not give its
// counters or that earlier note still stands (the reading then goes on as
// without a note).
void NoteReading(const std::string& kind, const std::string& key, const std::string& scheme);

// After it: `printed` whether the command was taken as done, `recorded`
// whether its record was written. A recorded reading, or one the counters
// show was not issued, needs the note no more; one printed but not recorded
// keeps it with the counters it left, and one whose outcome the printer did
// not tell keeps it for the next port opening to decide.
void SettleReading(bool printed, bool recorded);

// At the port opening: records the reading a note left behind when the
// printer's counters show it was issued (the debug log says which), drops
// the note when they show it was not, and says in the debug log when they
// cannot tell. The note stays when the record cannot be written.
void ReconcilePendingRecord(const std::string& scheme);

}  // namespace Tov00300::session

#endif  // TOV00300_SRC_SESSION_PENDING_RECORD_H_
