// The standard report header the balance prints start with.
#include <string>

#include "driver/shared_reads.h"

#include "tov00300/datetime.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300 {

namespace {
constexpr int kReportColumns = 48;
}  // namespace

void Cabecalho(const std::string& /*ignorado1*/, const std::string& stEsquema,
               const std::string& titulo, const std::string& caixa,
               const std::string& /*ignorado2*/, const std::string& /*ignorado3*/) {
  // The opening takes no colour scheme: its messages use the default look.
  Relatorio_Gerencial_Imp("", "", "", "", "");
  // Read for its side effect: it refreshes stRetorno, which callers read.
  driver::ReceiptNumber(stEsquema);

  const std::string rule = hostlib::Replicate("-", kReportColumns);
  // Quoted separators: the header's date is always written with "/" and
  // ":", whatever separators the host's settings use.
  const std::string now = FormatDateTime("dd'/'mm'/'yyyy hh':'nn", DateTime::Now());
  std::string header = "\n" + rule + "\n";
  header += hostlib::Centraliza(titulo, kReportColumns) + "\n";
  header += "\n" + rule + "\n";
  header += "Caixa: " + caixa + std::string(16, ' ') + now + "\n";
  header += rule + "\n";
  Usa_CompNFis(stEsquema, Copy(header, 1, 619));
}

}  // namespace Tov00300
