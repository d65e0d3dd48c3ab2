// The fiscal-memory reading printed by the printer.
#include <exception>
#include <optional>
#include <string>

#include "driver/command.h"
#include "driver/registers.h"
#include "legal/fiscal_memory.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/legal.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// The operation counter, read before a reading, moves with every document
// printed.
using driver::Register;

// A printed reading whose reply was lost: the operation counter, read before
// the command, moved. Answered (and recorded) as done, it is not printed
// again by an operator who repeats.
bool PrintedAfterAll(const std::optional<long long>& before) {
  if (!driver::CounterMovedByOne(before, Register::kOperationCounter)) return false;
  ImpFisDebug(
      Utf8ToCp1252("Resposta perdida: a leitura da memória fiscal foi impressa pela impressora"));
  return true;
}

}  // namespace

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
  const auto before = driver::ReadRegisterCount(Register::kOperationCounter);
  const bool printed =
      driver::Command(eMemoriaFiscal_ECF_Daruma(range.start.c_str(), range.end.c_str(), 0, "IMP"),
                      legal::ReadingDescription(range, "IMP"), {stEsquema, true});
  return printed || PrintedAfterAll(before);
}

bool EmiteLeituraMemoriaFiscal(const std::string& stEsquema, const std::string& inicio,
                               const std::string& fim, const std::string& flag,
                               const std::string& tipo, const std::string& chave) {
  try {
    const legal::ReadingRange range =
        tipo == "DATA" ? legal::DateRange(inicio, fim) : legal::ReductionRange(inicio, fim);
    // This reading does not leave its code in inRetorno: the analysis gets
    // it, and inRetorno keeps the previous command's.
    const auto before = driver::ReadRegisterCount(Register::kOperationCounter);
    const bool printed =
        driver::Judge(eMemoriaFiscal_ECF_Daruma(range.start.c_str(), range.end.c_str(),
                                                legal::ReadingFlag(flag), "IMP"),
                      legal::ReadingDescription(range, "IMP"), {stEsquema, true}) ||
        PrintedAfterAll(before);
    if (printed) GravaDocumentosNaoFiscais(chave, stEsquema, "MF", "");
    return printed;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace Tov00300
