// The consumer-balance lines of the receipt footer, read from the tables the
// host sent with the closing.
#ifndef TOV00300_SRC_RECEIPT_FOOTER_BALANCES_H_
#define TOV00300_SRC_RECEIPT_FOOTER_BALANCES_H_

#include <string>

#include "tov00300/dataset.h"

namespace Tov00300::receipt {

// An amount in fixed notation with two decimals and no thousands separator,
// in the process decimal separator ("1234,50").
std::string ValorRodape(double valor);

// The line count of a footer text: its line feeds, at least 1.
int LinhasDoTexto(const std::string& texto);

// The consumer's total balance: the sum of VRSALDCONFAM over every row of
// `saldos`, less `vrPagoConta` (what this sale took from the account). A
// table without rows, or one the host did not send, gives 0 and nothing is
// subtracted.
double SaldoTotal(DataSet& saldos, double vrPagoConta);

// One line per family balance of `saldos` (name in 25 columns, value right
// aligned in 22, each line ending in a line feed), net of the family's
// balance in `familias` and of its loan movements in `emprestimos`. Only the
// first two rows of `saldos` are considered, and a row whose balance is 0
// gives no line.
std::string BlocoFamilias(DataSet& saldos, DataSet& familias, DataSet& emprestimos);

}  // namespace Tov00300::receipt

#endif  // TOV00300_SRC_RECEIPT_FOOTER_BALANCES_H_
