// The Z-reduction export's steps that read the printer's lists and amount
// registers and turn them into the rows of the export tables.
#ifndef TOV00300_SRC_READINGS_Z_EXPORT_ROWS_H_
#define TOV00300_SRC_READINGS_Z_EXPORT_ROWS_H_

#include <string>
#include <vector>

#include "tov00300/dataset.h"
#include "tov00300/datetime.h"

namespace Tov00300::zexport {

// What every row of the four tables starts with.
struct RowKey {
  const std::string& scheme;
  const std::string& ecfNumber;
  DateTime day;
};

// The entries of a printer list whose entries each end with ";", up to the
// first empty entry; text after the last ";" is not an entry.
std::vector<std::string> ListEntries(const std::string& list);

// Recreates `table` empty with the fields of one of the four tables.
void CreateDayTable(DataSet& table);
void CreatePaymentTable(DataSet& table);
void CreateTaxTable(DataSet& table);
void CreateTotalizerTable(DataSet& table);

// One row per host payment method with a printer total, summed by host code.
// `types` is the host's table (CDTIPORECE, NMTIPORECE); throws DataSetError
// when it lacks either field, ConversionError for an amount that is blank.
void GatherPayments(const RowKey& key, DataSet& types, DataSet& payments);

// One row per programmed rate (`taxes`). Returns the whole register-3 reply,
// whose substitution, exempt and no-incidence amounts go into the day row.
std::string GatherTaxes(const RowKey& key, DataSet& taxes);

// The register-3 sums of the day row: substitution, exempt, no incidence
// (each ICMS plus ISS).
void FillRegister3Sums(const std::string& register3, DataSet& day);

// The "Sangria" row (register 8) and the other totalizers (register 9).
void GatherTotalizers(const RowKey& key, DataSet& totalizers);

}  // namespace Tov00300::zexport

#endif  // TOV00300_SRC_READINGS_Z_EXPORT_ROWS_H_
