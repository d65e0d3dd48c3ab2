// The printer's document-state register as the management reports and the
// linked vouchers read it, and the closing of a management report that the
// printer holds open.
#ifndef TOV00300_SRC_DOCUMENTS_OPEN_DOCUMENT_H_
#define TOV00300_SRC_DOCUMENTS_OPEN_DOCUMENT_H_

#include <string>

namespace Tov00300::documents {

// Asks the printer which document is open, judged as one command of the
// operation (logged "rRetornarInformacao_ECF_Daruma (56) - " and the answer).
// The answer is returned and also left in stRetorno; `analysed` receives the
// analysis' verdict.
std::string OpenDocumentState(const std::string& scheme, bool show, bool reserved, bool& analysed);

enum class ReportClosing {
  NoneOpen,  // the printer held no management report open: nothing was sent
  Closed,    // the open report was closed
  Refused,   // the closing was refused
};

// Closes the management report if the printer holds one open (a closing
// whose reply was lost counts when the printer shows it closed).
ReportClosing CloseOpenReport(const std::string& scheme, bool show, bool reserved);

// Opens a management report for an operation's text (dialogs when `show`).
// True when this call opened it (a refused opening that took effect counts)
// or when the printer refuses because a report this session opened is still
// open, which then takes the text. False when no report of this session is
// open: nothing may be printed.
bool OpenReportForText(const std::string& scheme, bool show);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_OPEN_DOCUMENT_H_
