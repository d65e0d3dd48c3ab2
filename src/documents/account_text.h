// Pieces shared by the consumer-account prints: the 48-column report lines,
// amount columns, the checks made before anything is printed, and the
// management report they print into.
#ifndef TOV00300_SRC_DOCUMENTS_ACCOUNT_TEXT_H_
#define TOV00300_SRC_DOCUMENTS_ACCOUNT_TEXT_H_

#include <initializer_list>
#include <string>
#include <string_view>

#include "documents/report_columns.h"

#include "tov00300/dataset.h"
#include "tov00300/variant.h"

namespace Tov00300::documents {

constexpr int kReportColumns = 48;
constexpr char kLineFeed = '\n';

// `text` and a line feed.
std::string Line(std::string_view text);
// A line of 48 of `c`.
std::string Rule(char c = '-');
// The first 48 characters of `text`, as a line.
std::string Line48(std::string_view text);
// `text` centred in 48 columns, as a line.
std::string Centred(std::string_view text);

// An amount in fixed notation with two decimals, no thousands separator.
std::string Fixed2(double amount);

// The text under `key` in msgPadrao / msgPadrao2.
std::string Catalogue(std::string_view key);
std::string Catalogue2(std::string_view key);

// `text` with its "%s" replaced by `value` (appended when it has none).
std::string WithValue(const std::string& text, const std::string& value);

// Input the package cannot print from: logged, collected for a self-service
// terminal and shown to an operator (boNUtilTaa).
void ReportBadInput(const std::string& scheme, std::string_view utf8Text, std::string_view culprit);

// Prints `text` into the open management report, whole, in pieces the
// printer takes; false at the first refused piece.
bool PrintIntoReport(const std::string& scheme, std::string_view text);

// Opens a management report and prints the standard header into it (what
// Cabecalho prints); false when the opening or the header was refused, the
// refusal reported to the operator by the command's analysis. The report is
// left open for the caller's body and closing.
bool PrintReportHeader(const std::string& scheme, const std::string& title,
                       const std::string& till);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_ACCOUNT_TEXT_H_
