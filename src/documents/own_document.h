// The non-fiscal documents this session opens on the printer (management
// report, linked voucher, non-fiscal receipt): opened and closed through
// these, so that text, items and payments go only into a document the
// session opened itself, and a command whose reply was lost on the line is
// judged by what the printer shows afterwards.
#ifndef TOV00300_SRC_DOCUMENTS_OWN_DOCUMENT_H_
#define TOV00300_SRC_DOCUMENTS_OWN_DOCUMENT_H_

#include <functional>
#include <string>

#include "driver/command.h"
#include "session/printer_documents.h"

namespace Tov00300::documents {

// Sends the opening command of a document of `kind` (`open` calls the
// driver) and judges it. The printer's open document is read first: a
// refused opening after which a document of the kind is open where none was
// made it all the same (its reply was lost, or its status carried an error).
// True when the document is open and this session's.
bool OpenOwn(session::OwnDocument kind, const std::function<int()>& open,
             const std::string& description, const driver::Judging& judging);

// Judges the closing command of this session's open document of `kind`. A
// refused closing after which the printer shows no document of the kind open
// closed it. True when it is closed; the session then has no document open.
bool CloseOwn(session::OwnDocument kind, int code, const std::string& description,
              const driver::Judging& judging);

// True when this session has a document of `kind` open; otherwise the
// refusal is reported to the operator (dialog when `show`) and false.
bool RequireOwn(session::OwnDocument kind, const std::string& scheme, bool show);

// The printer shows no document of `kind` open (register 56 read as
// `state`): the session's record of one is over.
void NoteNotOpen(session::OwnDocument kind, const std::string& state);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_OWN_DOCUMENT_H_
