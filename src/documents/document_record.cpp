// The host's register of non-fiscal documents: one record for each report,
// reading and voucher the printer issued.
#include <cmath>
#include <exception>
#include <initializer_list>
#include <string>

#include "documents/document_record.h"
#include "driver/dialogs.h"
#include "driver/registers.h"
#include "driver/shared_reads.h"
#include "tov00300/datetime.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/hostlib.h"
#include "tov00300/session.h"

namespace Tov00300 {

namespace {

// A counter as the printer filled its blank buffer. The record takes what
// the printer wrote, refused or not, and the query leaves inRetorno and
// stImpDebug to the command the caller is reporting on.
std::string Counter(driver::Register name) {
  return driver::ReadRegister(name).text;
}

bool IsOneOf(const std::string& tipo, std::initializer_list<const char*> codes) {
  for (const char* code : codes) {
    if (tipo == code) return true;
  }
  return false;
}

}  // namespace

namespace documents {

bool RecordDocument(const std::string& chave, const std::string& stEsquema, const std::string& tipo,
                    const std::string& extra) {
  try {
    std::string gnf, grg, cdc;
    // The non-fiscal counter means nothing for a fiscal reading, an X
    // reading or a receipt-free non-fiscal document.
    if (!IsOneOf(tipo, {"NC", "LX", "MF"})) gnf = Counter(driver::Register::kNonFiscalCounter);
    const std::string number = driver::ReceiptNumber(stEsquema);
    if (IsOneOf(tipo, {"CM", "RV", "RG"})) {
      grg = Counter(driver::Register::kReportCounter);
    } else if (tipo == "CC") {
      cdc = Counter(driver::Register::kVoucherCounter);
    }
    const DateTime dataFiscal(std::floor(DataMoviFiscal(stEsquema).value));
    hostlib::setDocNaoFiscaisECF(chave, number, gnf, grg, cdc, tipo, extra, DateTime::Now(),
                                 dataFiscal, "");
    return true;
  } catch (const std::exception& e) {
    driver::ShowMessage(stEsquema, e.what(), {driver::kErrorDialog});
    return false;
  }
}

}  // namespace documents

void GravaDocumentosNaoFiscais(const std::string& chave, const std::string& stEsquema,
                               const std::string& tipo, const std::string& extra) {
  documents::RecordDocument(chave, stEsquema, tipo, extra);
}

}  // namespace Tov00300
