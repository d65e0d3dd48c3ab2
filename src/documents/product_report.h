// The product sales report's rows and texts, shared by the report itself
// and the cash closing, which checks the products before it prints anything.
#ifndef TOV00300_SRC_DOCUMENTS_PRODUCT_REPORT_H_
#define TOV00300_SRC_DOCUMENTS_PRODUCT_REPORT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "tov00300/dataset.h"

namespace Tov00300::documents {

// One product sold, its amounts exact: quantity in thousandths, money in cents.
struct ProductRow {
  std::string code;  // CDPRODIMPFIS, or CDPRODUTO when that is blank
  std::string name;
  int64_t quantity = 0;
  int64_t value = 0, surcharge = 0, discount = 0;
  double rate = 0;  // percent
  std::string situation;
};

// The rows of `table` in its current order. `grouped` also reads the tax
// rate and situation. Throws BadInput for a missing field or an amount that
// is not a number, before anything is printed.
std::vector<ProductRow> ReadProducts(DataSet& table, bool grouped);

// Checks a host's product set the way the report will read it, without
// printing or touching the data module (throws BadInput).
void CheckProducts(const DataSet& host, bool grouped);

// The report texts, every line ending with a line feed.
std::string PlainProductList(const std::vector<ProductRow>& rows);
// Fills cdsAliqProduto with the summary per situation and rate.
std::string GroupedProductList(const std::vector<ProductRow>& rows);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_PRODUCT_REPORT_H_
