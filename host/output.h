// Printing one call's record: a JSON line for programs, a block for people.
// A record is described in call_runner.h.
#ifndef ECFHOST_OUTPUT_H_
#define ECFHOST_OUTPUT_H_

#include <ostream>

#include "json_values.h"

namespace ecfhost {

// Texts are printed as UTF-8 (never \u escapes), one record per line.
void PrintJsonLine(std::ostream& out, const Json& record);
// The readable block of the call at `index` (0-based, as in "calls").
void PrintPretty(std::ostream& out, size_t index, const Json& record);

}  // namespace ecfhost

#endif  // ECFHOST_OUTPUT_H_
