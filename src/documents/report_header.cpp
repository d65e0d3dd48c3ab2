// The standard report header the balance prints start with.
#include <string>

#include "documents/account_text.h"
#include "driver/shared_reads.h"

#include "tov00300/datetime.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300 {

namespace documents {

bool PrintReportHeader(const std::string& scheme, const std::string& title,
                       const std::string& till) {
  // The opening takes no colour scheme: its messages use the default look.
  const bool opened = Relatorio_Gerencial_Imp("", "", "", "", "");
  // Read for its side effect: it refreshes stRetorno, which callers read.
  driver::ReceiptNumber(scheme);

  const std::string rule = hostlib::Replicate("-", kReportColumns);
  // Quoted separators: the header's date is always written with "/" and
  // ":", whatever separators the host's settings use.
  const std::string now = FormatDateTime("dd'/'mm'/'yyyy hh':'nn", DateTime::Now());
  std::string header = "\n" + rule + "\n";
  header += hostlib::Centraliza(title, kReportColumns) + "\n";
  header += "\n" + rule + "\n";
  header += "Caixa: " + till + std::string(16, ' ') + now + "\n";
  header += rule + "\n";
  const bool printed = Usa_CompNFis(scheme, Copy(header, 1, 619));
  return opened && printed;
}

}  // namespace documents

void Cabecalho(const std::string& /*ignorado1*/, const std::string& stEsquema,
               const std::string& titulo, const std::string& caixa,
               const std::string& /*ignorado2*/, const std::string& /*ignorado3*/) {
  // The host's header answers nothing: a refusal reached the operator
  // through the command's own analysis.
  documents::PrintReportHeader(stEsquema, titulo, caixa);
}

}  // namespace Tov00300
