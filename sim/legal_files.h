// Fiscal-memory readings and the detail-memory (MFD) files: the reports,
// mirror and downloads the package copies into the host's fiscal folder.
// Every file is written into the driver folder.
#ifndef TOV00300_SIM_LEGAL_FILES_H_
#define TOV00300_SIM_LEGAL_FILES_H_

#include <string>

#include "machine.h"

namespace Tov00300::sim {

// eMemoriaFiscal: a range of dates (DDMMYYYY or DDMMYY) or of reduction
// numbers (up to four digits); flag 0 simplified, other values complete;
// kind "IMP" prints a document, "ARQ" writes "retorno.txt".
Outcome FiscalMemoryReading(Machine& m, const std::string& start, const std::string& end, int flag,
                            const std::string& kind);
// rGerarRelatorio: report "MFD" (documents, "ATO_MFD_DATA.txt") or "MF"
// (reductions, "ATO_MF_DATA.txt"); range kind "DATAM" (dates) or "COO".
Outcome GenerateReport(Machine& m, const std::string& report, const std::string& kind,
                       const std::string& start, const std::string& end);
// rGerarEspelhoMFD: kind "1" dates, "2" operation counters; "Espelho_MFD.txt".
Outcome GenerateMirror(Machine& m, const std::string& kind, const std::string& start,
                       const std::string& end);
// rEfetuarDownloadMFD / rEfetuarDownloadMF: binary files (see README).
Outcome DownloadMfd(Machine& m, const std::string& kind, const std::string& start,
                    const std::string& end, const std::string& file);
Outcome DownloadMf(Machine& m, const std::string& file);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_LEGAL_FILES_H_
