// Host texts the printer prints as fields of a receipt.
#ifndef TOV00300_SRC_RECEIPT_PRINTED_FIELDS_H_
#define TOV00300_SRC_RECEIPT_PRINTED_FIELDS_H_

#include <string>
#include <string_view>

namespace Tov00300::receipt {

// A field the printer prints on one line (an item's description, unit or
// code, a name): control characters become blanks, so that the field cannot
// start a line of its own that reads like another part of the document.
std::string OneLine(std::string_view text);

}  // namespace Tov00300::receipt

#endif  // TOV00300_SRC_RECEIPT_PRINTED_FIELDS_H_
