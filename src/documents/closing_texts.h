// The texts of the cash closing: the two copies of the withdrawal receipt
// and the closing report. Reading the tables checks them (BadInput) so the
// closing can refuse bad input before it prints anything.
#ifndef TOV00300_SRC_DOCUMENTS_CLOSING_TEXTS_H_
#define TOV00300_SRC_DOCUMENTS_CLOSING_TEXTS_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tov00300/dataset.h"

namespace Tov00300::documents {

// What the receipt copies show besides the amounts.
struct ReceiptOptions {
  bool typedAmounts = false;    // VRFECHADIG (withdrawal only) instead of VRFECHAINF
  bool envelopeColumn = false;  // the header has the "NR.ENV" column
  std::string reason, observation;
};

// The supervisor's and the operator's copy, one text beginning with a line
// feed, from cdsMovFecha-like rows and the first row of cdsOperadorSup.
std::string WithdrawalReceipts(DataSet& closingAmounts, DataSet& people,
                               const ReceiptOptions& options);

// The movements a closing report shows, in cents.
struct Movements {
  std::vector<std::pair<std::string, int64_t>> withdrawals;  // types "1" and "5"
  int64_t withdrawn = 0;                                     // W: the sum of those
  int64_t issued = 0;                                        // E: the last type "2"
  int64_t supply = 0;                                        // S: the last type "3"
  int64_t received = 0;                                      // C: the last type "4"
};
Movements ReadMovements(DataSet& table);

// The sum of VRTOTAL over every row of the host's set, in cents.
int64_t SalesOf(const DataSet& products);

// VRCARGACREDITO of the set's current row, in cents; 0 for a set without rows.
int64_t CreditPurchasesOf(DataSet& credit);

// The closing report under `title`: sales, credit purchases, the
// withdrawals, total withdrawals W + C - S - E, and the difference
// W + C - E - S - sales - credit as "SOBRA" (0 or more) or "FALTA".
std::string ClosingReport(const std::string& title, int64_t sales, int64_t credit,
                          const Movements& movements);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_CLOSING_TEXTS_H_
