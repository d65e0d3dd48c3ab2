// How report texts are cut for the printer: pieces of what one text command
// takes, and groups of whole lines. Both hand back views into the caller's
// text, so cutting a long text costs one pass over it, never a copy of the
// remainder at each piece.
#ifndef TOV00300_SRC_DOCUMENTS_REPORT_TEXT_H_
#define TOV00300_SRC_DOCUMENTS_REPORT_TEXT_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Tov00300::documents {

// Most characters the printer takes in one text command.
constexpr size_t kMaxTextPiece = 619;
// A line group is closed as soon as it holds this many characters.
constexpr size_t kGroupThreshold = 500;

// Whether TextPieces drops a remainder of blanks or sends it as well.
enum class BlankRest { Drop, Keep };

// Consecutive pieces of at most kMaxTextPiece characters; the cut falls
// inside a line when it must. With BlankRest::Drop, pieces from the first
// whose remainder holds only blanks are dropped (a trailing line feed prints
// nothing); with BlankRest::Keep every piece of the text is given.
std::vector<std::string_view> TextPieces(std::string_view text,
                                         BlankRest blankRest = BlankRest::Drop);

// Groups of whole lines (line feeds kept): lines are added to a group until
// it holds at least kGroupThreshold characters or the text ends, so a group
// exceeds the threshold by at most one line. An empty text gives no group.
std::vector<std::string_view> LineGroups(std::string_view text);

// The operator's text of why the printer must not get this text: a zero
// byte (the driver would stop there and drop the rest) or a byte
// Windows-1252 leaves undefined. nullopt for a printable text.
std::optional<std::string> UnprintableText(std::string_view text);

// UnprintableText, reported to the operator (shown when boNUtilTaa). True
// when the text may be printed.
bool CheckPrintable(const std::string& scheme, std::string_view text);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_REPORT_TEXT_H_
