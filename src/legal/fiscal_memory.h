// The range texts and the description of a fiscal-memory reading, shared by
// the printed readings and the reading to a file.
#ifndef TOV00300_SRC_LEGAL_FISCAL_MEMORY_H_
#define TOV00300_SRC_LEGAL_FISCAL_MEMORY_H_

#include <string>

namespace Tov00300::legal {

struct ReadingRange {
  std::string start, end;
};

// Dates lose their separators; reduction numbers are padded to four digits.
ReadingRange DateRange(const std::string& start, const std::string& end);
ReadingRange ReductionRange(const std::string& start, const std::string& end);

// Flag 0 (simplified) only for exactly "s"; 1 (complete) for anything else.
int ReadingFlag(const std::string& flag);

// "eMemoriaFiscal_ECF_Daruma : start - end - IMP" (or ARQ).
std::string ReadingDescription(const ReadingRange& range, const char* output);

}  // namespace Tov00300::legal

#endif  // TOV00300_SRC_LEGAL_FISCAL_MEMORY_H_
