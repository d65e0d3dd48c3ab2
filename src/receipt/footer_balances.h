// The consumer-balance lines of the receipt footer, read from the tables the
// host sent with the closing.
#ifndef TOV00300_SRC_RECEIPT_FOOTER_BALANCES_H_
#define TOV00300_SRC_RECEIPT_FOOTER_BALANCES_H_

#include <string>

#include "tov00300/dataset.h"

namespace Tov00300::receipt {

// An amount in fixed notation with two decimals and no thousands separator,
// in the process decimal separator ("1234,50").
std::string FooterAmount(double amount);

// The line count of a footer text: its line feeds, at least 1.
int LineCount(const std::string& text);

// The consumer's total balance: the sum of VRSALDCONFAM over every row of
// `balances`, less `paidFromAccount` (what this sale took from the account). A
// table without rows, or one the host did not send, gives 0 and nothing is
// subtracted.
double TotalBalance(DataSet& balances, double paidFromAccount);

// One line per family balance of `balances` (name in 25 columns, value right
// aligned in 22, each line ending in a line feed), net of the family's
// balance in `families` and of its loan movements in `loans`. Only the
// first two rows of `balances` are considered, and a row whose balance is 0
// gives no line.
std::string FamilyBlock(DataSet& balances, DataSet& families, DataSet& loans);

}  // namespace Tov00300::receipt

#endif  // TOV00300_SRC_RECEIPT_FOOTER_BALANCES_H_
