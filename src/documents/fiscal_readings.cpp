// The X reading and the Z reduction. They live beside the document register
// rather than with the register queries because each records the document
// it printed there.
#include <optional>
#include <string>

#include "documents/document_record.h"
#include "driver/command.h"
#include "driver/registers.h"
#include "session/pending_record.h"
#include "session/printer_documents.h"
#include "tov00300/datetime.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"

namespace Tov00300 {

namespace {
// The operation counter (COO) moves with every document printed, the
// reduction counter (CRZ) with every Z reduction.
using driver::Register;
}  // namespace

bool Leitura_X_Imp(const std::string& chave, const std::string& /*ignorado1*/,
                   const std::string& stEsquema, const std::string& /*ignorado2*/) {
  // Noted until recorded: a till killed in between records it at the next
  // port opening.
  session::NoteReading("LX", chave, stEsquema);
  // A reading whose reply was lost was printed all the same when the
  // operation counter moved: answered and recorded as done, it is not
  // printed again by an operator who repeats.
  const auto before = driver::ReadRegisterCount(Register::kOperationCounter);
  bool ok = driver::Command(iLeituraX_ECF_Daruma(), "iLeituraX_ECF_Daruma", {stEsquema, true});
  if (!ok && driver::CounterMovedByOne(before, Register::kOperationCounter)) {
    ImpFisDebug(Utf8ToCp1252("Resposta perdida: a leitura X foi impressa pela impressora"));
    ok = true;
  }
  session::SettleReading(ok, ok && documents::RecordDocument(chave, stEsquema, "LX", ""));
  return ok;
}

bool Reducao_Z_Imp(const std::string& chave, const std::string& /*ignorado1*/,
                   const std::string& stEsquema, const std::string& /*ignorado2*/) {
  // A Z closes the fiscal day in the fiscal memory for good: one whose reply
  // was lost is answered from the reduction counter, never made twice.
  const auto before = driver::ReadRegisterCount(Register::kReductionCounter);
  std::optional<long long>& uncertain = session::UncertainReduction();
  if (uncertain && before && *before == *uncertain + 1) {
    // An earlier call could not tell whether its Z took effect: it did.
    uncertain.reset();
    ImpFisDebug(Utf8ToCp1252("Redução Z já feita pela impressora na chamada anterior"));
    // Recorded once: from the earlier call's note when there is one (which
    // records it unless done already), otherwise here.
    if (platform::FileExists(session::PendingRecordPath())) {
      session::ReconcilePendingRecord(stEsquema);
    } else {
      GravaDocumentosNaoFiscais(chave, stEsquema, "RZ", "");
    }
    return true;
  }
  uncertain.reset();
  // One reading of the clock for both texts, so date and time cannot fall on
  // either side of midnight.
  const DateTime now = DateTime::Now();
  const std::string date = FormatDateTime("ddmmyy", now);
  const std::string time = FormatDateTime("hhnnss", now);
  session::NoteReading("RZ", chave, stEsquema);
  bool ok = driver::Command(iReducaoZ_ECF_Daruma(date.c_str(), time.c_str()),
                            "iReducaoZ_ECF_Daruma", {stEsquema, true});
  if (!ok && before) {
    const auto after = driver::ReadRegisterCount(Register::kReductionCounter);
    if (after && *after == *before + 1) {
      ImpFisDebug(Utf8ToCp1252("Resposta perdida: a redução Z foi feita pela impressora"));
      ok = true;
    } else if (!after) {
      // The printer does not say: the next call asks the counter again.
      uncertain = before;
    }
  }
  session::SettleReading(ok, ok && documents::RecordDocument(chave, stEsquema, "RZ", ""));
  return ok;
}

}  // namespace Tov00300
