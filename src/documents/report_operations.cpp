// The report operations built directly on the management-report
// primitives: the generic report, the exchange voucher and the table
// conference print.
#include <string>
#include <string_view>
#include <vector>

#include "documents/open_document.h"
#include "documents/report_text.h"
#include "documents/whole_report.h"
#include "driver/shared_reads.h"
#include "tov00300/documents.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// Printer types of the generic report: 24 takes whole-line groups, 29 the
// text in 619-character pieces.
constexpr int kLineGroupPrinter = 24;
constexpr int kPiecePrinter = 29;

// Prints the text group by group into the open report. A group is sent in
// one call so that no line is split; only a group longer than one call takes
// (a line of more than 119 characters can make one) is cut, since the
// printer would refuse it whole and its text would be lost. True when every
// call was accepted.
bool PrintGroups(const std::string& stEsquema, const std::string& texto) {
  bool complete = true;
  for (std::string_view group : documents::LineGroups(texto)) {
    if (group.size() <= documents::kMaxTextPiece) {
      complete = Usa_CompNFis(stEsquema, std::string(group)) && complete;
      continue;
    }
    for (std::string_view piece : documents::TextPieces(group)) {
      complete = Usa_CompNFis(stEsquema, std::string(piece)) && complete;
    }
  }
  return complete;
}

}  // namespace

bool Relatorio_Generico(const std::string& stEsquema, const std::string& /*textoA*/,
                        const std::string& /*textoB*/, const std::string& texto,
                        const std::string& chave, const std::string& /*ignorado*/) {
  documents::ReportOutcome outcome;
  if (inTipoImpFis == kLineGroupPrinter) {
    // Checked before the opening, so a bad text leaves no empty report.
    if (!documents::CheckPrintable(stEsquema, texto)) return false;
    // A report this session left open (the host opened it) refuses the
    // opening but takes the text and the closing all the same, as with the
    // other printer type; a document this session did not open gets
    // nothing, and is neither closed nor recorded.
    if (documents::OpenReportForText(stEsquema, boNUtilTaa)) {
      outcome.complete = PrintGroups(stEsquema, texto);
      // Closed, or found closed already: the report is a document.
      outcome.closed =
          documents::CloseOpenReport(stEsquema, true, false) != documents::ReportClosing::Refused;
    }
  } else if (inTipoImpFis == kPiecePrinter) {
    outcome = documents::PrintWholeReport(stEsquema, texto);
  }
  // A closed report is a document the printer issued: it is recorded even
  // when part of its text was refused, and the answer then says false.
  if (outcome.closed) GravaDocumentosNaoFiscais(chave, stEsquema, "RG", "");
  return outcome.Printed();
}

bool Cupom_Troca(const std::string& stEsquema, const std::string& /*ignorado1*/,
                 const std::string& /*ignorado2*/, const std::string& texto) {
  // Checked whole first: a bad byte in a later group must not leave the
  // earlier reports printed.
  if (!documents::CheckPrintable(stEsquema, texto)) return false;
  const std::vector<std::string_view> groups = documents::LineGroups(texto);
  bool printed = !groups.empty();
  // Every group is printed whatever the one before answered; the voucher is
  // printed only when all of its reports were.
  for (size_t i = 0; i < groups.size(); ++i) {
    // Two equal groups are two copies, whatever the first one's answers.
    if (i > 0) documents::ForgetIssuedReport();
    const std::string_view group = groups[i];
    printed = RG_FrameWork(stEsquema, std::string(group)) && printed;
  }
  return printed;
}

bool Conferencia_Formatada(const std::string& stEsquema, const std::string& /*ignorado1*/,
                           const std::string& /*ignorado2*/, const std::string& /*ignorado3*/,
                           const std::string& /*ignorado4*/, const std::string& /*ignorado5*/,
                           std::string& nrCupom, const std::string& texto) {
  nrCupom = driver::ReceiptNumber(stEsquema);
  return RG_FrameWork(stEsquema, texto);
}

}  // namespace Tov00300
