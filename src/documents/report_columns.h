// What the report prints of this family share: exact amounts, amount columns
// that never lose digits, the checks of the host's rows, and the yes/no
// question of the closing.
#ifndef TOV00300_SRC_DOCUMENTS_REPORT_COLUMNS_H_
#define TOV00300_SRC_DOCUMENTS_REPORT_COLUMNS_H_

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tov00300/dataset.h"
#include "tov00300/variant.h"

namespace Tov00300::documents {

// The width of the paper, in characters.
constexpr int kPaperWidth = 48;

// The package's contact line, the one the receipt footer prints; it ends the
// table-service prints (without a line feed).
constexpr std::string_view kContactLine = "Suporte: fale com o responsavel pelo sistema";

// Host input the package cannot print from: a data set without a field a
// report reads, or an amount that is not a number. The message is the
// operator's text (Windows-1252); nothing has been printed when it is thrown.
class BadInput : public std::runtime_error {
 public:
  explicit BadInput(const std::string& text) : std::runtime_error(text) {}
};

// An amount as a whole number of 10^-decimals units, rounded half away from
// zero on its decimal value (what the fixed format prints). Sums of these are
// exact, so a cash count adds up to the cent. Throws BadInput, naming `what`,
// for NaN, an infinity or a value too large to count (15 digits and more).
// `truncate` drops the digits past `decimals` instead (Trunc2 for cents).
int64_t Units(double value, int decimals, std::string_view what, bool truncate = false);
inline int64_t Cents(double value, std::string_view what) {
  return Units(value, 2, what);
}

// Quantity x unit price in cents, from their decimal values to the
// thousandth, cut to the cent (`truncate`, as Trunc2) or rounded half away
// from zero (as the fixed format). Throws BadInput as Units does.
int64_t LineCents(double quantity, double price, bool truncate, std::string_view what);

// sum += value; a total too large to count is BadInput.
void AddTo(int64_t& sum, int64_t value);

// A count of 10^-decimals units in fixed notation with `shown` decimals
// (fewer decimals round half away from zero), the process's decimal
// separator and no thousands separator: Fixed(-150, 2, 2) is "-1,50".
std::string Fixed(int64_t units, int decimals, int shown);
inline std::string Money(int64_t cents) {
  return Fixed(cents, 2, 2);
}

// One figure of a row of amount columns: its text and its column's width.
struct Figure {
  std::string text;
  int width;
};

// A row of amount columns, as lines that each end with a line feed: `head`
// (the label, already cut or padded by the report's layout) followed by the
// figures, each right-aligned at the right edge of its column.
//
// Layout rule of every amount column of the reports: a figure is never cut.
// One wider than its column pushes the figures before it to the left, into
// blank room, so that at least one blank separates every figure from the
// figure or label before it. When the 48 columns leave no room for that, the
// label keeps the row's first line and the figures go on the next one, laid
// out the same way (on more lines, in order, should one not hold them all).
// Columns that would end past the paper's edge are laid out ending at it.
std::string AmountRow(std::string_view head, std::initializer_list<Figure> figures);

// The text followed by a line feed, appended to `out`.
void Line(std::string& out, std::string_view text);

// The first of `fields` that the packet or data set does not carry, or ""
// when it carries them all (names compared without case). A variant that is
// not a data packet carries none.
std::string MissingField(const Variant& packet, std::initializer_list<const char*> fields);
std::string MissingField(const DataPacket& packet, std::initializer_list<const char*> fields);
std::string MissingField(const DataSet& table, std::initializer_list<const char*> fields);

// Checks that every field is in the set. A set without rows (also one the
// host never opened) passes: nothing will be read from it.
void RequireFields(const DataSet& set, std::string_view setName,
                   std::initializer_list<const char*> fields);
void RequireFields(const DataPacket& packet, std::string_view setName,
                   std::initializer_list<const char*> fields);

// The text of the current row's field, "" for an empty value.
std::string TextOf(const Field& field);
// The number of the current row's field, 0 for an empty value; throws
// BadInput naming the field when it holds something that is not a number.
double NumberOf(const Field& field);

// Copies a host data set into a table of the data module, whole (all rows,
// whatever the host's filter); a set the host never opened gives an empty table.
void CopyInto(DataSet& table, const DataSet& host);
// The same from a data packet variant; an empty or Null variant gives an
// empty table, anything else that is not a data packet is BadInput.
void CopyInto(DataSet& table, const Variant& packet, std::string_view what);

// The text `compose` gives. Input it cannot print from (BadInput) is
// reported to the operator (shown when boNUtilTaa) and gives nullopt.
std::optional<std::string> ComposeText(const std::string& scheme,
                                       const std::function<std::string()>& compose);

// A yes/no question to the operator, from the main catalogue.
bool Ask(const char* key, const std::string& scheme);

// The text of a key of the main catalogue.
std::string Caption(const char* key);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_REPORT_COLUMNS_H_
