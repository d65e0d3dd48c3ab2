// One whole management report from one text, as RG_FrameWork prints it,
// with the two facts callers need apart: whether the printer closed the
// document (it then exists and belongs in the document register) and
// whether every piece of the text was printed into it.
#ifndef TOV00300_SRC_DOCUMENTS_WHOLE_REPORT_H_
#define TOV00300_SRC_DOCUMENTS_WHOLE_REPORT_H_

#include <string>

namespace Tov00300::documents {

struct ReportOutcome {
  bool closed = false;    // the closing was accepted
  bool complete = false;  // every piece of the text was accepted
  bool Printed() const { return closed && complete; }
};

// Opens, prints the text in 619-character pieces and closes, each step after
// the opening sent whatever the previous answered (dialogs when boNUtilTaa).
// A text the printer must not get is refused before the opening, and a
// refused opening sends nothing more: no report of this call is open for the
// text (nothing closed).
// A report the printer issued whole while the operator was told of a problem
// is remembered: asked for again at once (the operation counter unchanged)
// it answers printed without printing a second copy.
ReportOutcome PrintWholeReport(const std::string& scheme, const std::string& text);

// Forgets that report: for an operation that prints the same text more than
// once on purpose.
void ForgetIssuedReport();

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_WHOLE_REPORT_H_
