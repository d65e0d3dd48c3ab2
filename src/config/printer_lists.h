// Helpers shared by the configuration operations: the printer's name lists
// (entries each ended by ";"), two-digit printer indices and field reading.
#ifndef TOV00300_SRC_CONFIG_PRINTER_LISTS_H_
#define TOV00300_SRC_CONFIG_PRINTER_LISTS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tov00300/dataset.h"

namespace Tov00300::config {

// The entries of a printer list, in order; each entry is the text before a
// ";" (blanks kept). Text after the last ";" is not an entry.
std::vector<std::string> SplitEntries(std::string_view list);

// The first entry naming `name`: equal to it once both are trimmed, with or
// without regard to letter case. A blank name names nothing. Whole entries
// are compared so that a name that is only part of another method's name
// ("CARTAO" in "CARTAO CREDITO") is not taken for it.
std::optional<std::string> FindEntry(const std::vector<std::string>& entries, std::string_view name,
                                     bool ignoreCase);

// A printer index as the printer shows it: two digits with a leading zero.
std::string TwoDigits(int index);

// The field's text, "" when it holds nothing.
std::string FieldText(DataSet& ds, const char* fieldName);

}  // namespace Tov00300::config

#endif  // TOV00300_SRC_CONFIG_PRINTER_LISTS_H_
