// The X reading and the Z reduction. They live beside the document register
// rather than with the register queries because each records the document
// it printed there.
#include <string>

#include "driver/command.h"
#include "tov00300/datetime.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/readings.h"

namespace Tov00300 {

bool Leitura_X_Imp(const std::string& chave, const std::string& /*ignorado1*/,
                   const std::string& stEsquema, const std::string& /*ignorado2*/) {
  const bool ok =
      driver::Command(iLeituraX_ECF_Daruma(), "iLeituraX_ECF_Daruma", {stEsquema, true});
  if (ok) GravaDocumentosNaoFiscais(chave, stEsquema, "LX", "");
  return ok;
}

bool Reducao_Z_Imp(const std::string& chave, const std::string& /*ignorado1*/,
                   const std::string& stEsquema, const std::string& /*ignorado2*/) {
  // One reading of the clock for both texts, so date and time cannot fall on
  // either side of midnight.
  const DateTime now = DateTime::Now();
  const std::string date = FormatDateTime("ddmmyy", now);
  const std::string time = FormatDateTime("hhnnss", now);
  const bool ok = driver::Command(iReducaoZ_ECF_Daruma(date.c_str(), time.c_str()),
                                  "iReducaoZ_ECF_Daruma", {stEsquema, true});
  if (ok) GravaDocumentosNaoFiscais(chave, stEsquema, "RZ", "");
  return ok;
}

}  // namespace Tov00300
