// The fiscal-memory reading printed by the printer.
#include <exception>
#include <string>

#include "driver/command.h"
#include "legal/fiscal_memory.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/legal.h"
#include "tov00300/state.h"

namespace Tov00300 {

bool Memoria_Fiscal_Imp(const std::string& stEsquema, const std::string& tipo,
                        const std::string& inicio, const std::string& fim,
                        const std::string& /*ignorado*/) {
  legal::ReadingRange range;
  if (tipo == "D") {
    range = legal::DateRange(inicio, fim);
  } else if (tipo == "R") {
    range = legal::ReductionRange(inicio, fim);
  } else {
    return false;
  }
  return driver::Command(
      eMemoriaFiscal_ECF_Daruma(range.start.c_str(), range.end.c_str(), 0, "IMP"),
      legal::ReadingDescription(range, "IMP"), {stEsquema, true});
}

bool EmiteLeituraMemoriaFiscal(const std::string& stEsquema, const std::string& inicio,
                               const std::string& fim, const std::string& flag,
                               const std::string& tipo, const std::string& chave) {
  try {
    const legal::ReadingRange range =
        tipo == "DATA" ? legal::DateRange(inicio, fim) : legal::ReductionRange(inicio, fim);
    // This reading does not leave its code in inRetorno: the analysis gets
    // it, and inRetorno keeps the previous command's.
    const int code = eMemoriaFiscal_ECF_Daruma(range.start.c_str(), range.end.c_str(),
                                               legal::ReadingFlag(flag), "IMP");
    const bool printed =
        driver::Judge(code, legal::ReadingDescription(range, "IMP"), {stEsquema, true});
    if (printed) GravaDocumentosNaoFiscais(chave, stEsquema, "MF", "");
    return printed;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace Tov00300
