// The non-linked non-fiscal receipt for callers inside the package that hold
// the amount as a number (the contra-vale after a receipt closing), so the
// amount is never written out and read back.
#ifndef TOV00300_SRC_DOCUMENTS_NONFISCAL_RECEIPT_H_
#define TOV00300_SRC_DOCUMENTS_NONFISCAL_RECEIPT_H_

#include <string>

namespace Tov00300::documents {

// Cupom_NFiscNVinc with the amount already a number: the same totalizer
// check, commands and result.
bool NonFiscalReceipt(const std::string& scheme, const std::string& totalizer, double amount,
                      const std::string& paymentMethod);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_NONFISCAL_RECEIPT_H_
