// How a card-payment voucher text is handed to the printer, in either route
// (linked voucher or management report).
#ifndef TOV00300_SRC_DOCUMENTS_VOUCHER_TEXT_H_
#define TOV00300_SRC_DOCUMENTS_VOUCHER_TEXT_H_

#include <functional>
#include <string>
#include <string_view>

namespace Tov00300::documents {

// One text command of a route; true when the printer took it.
using PrintPiece = std::function<bool(const std::string&)>;

// Prints a voucher text: a final line feed is added when missing; the text
// is gathered line by line, four at a time, and a backslash met after a
// gathered line becomes a line break (the acquirers' texts use it as one).
// Each gathering is sent in pieces of at most kMaxTextPiece characters
// until all of it is printed, so no character of a voucher is dropped. Stops
// at the first piece the printer refuses and answers false.
bool PrintVoucherText(std::string_view text, const PrintPiece& print);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_VOUCHER_TEXT_H_
