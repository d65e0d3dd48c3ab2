// The report operations built directly on the management-report
// primitives: the generic report, the exchange voucher and the table
// conference print.
#include <string>

#include "documents/report_text.h"
#include "tov00300/documents.h"
#include "tov00300/receipt.h"
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
// printer would refuse it whole and its text would be lost.
void PrintGroups(const std::string& stEsquema, const std::string& texto) {
  for (std::string_view group : documents::LineGroups(texto)) {
    if (group.size() <= documents::kMaxTextPiece) {
      Usa_CompNFis(stEsquema, std::string(group));
      continue;
    }
    for (std::string_view piece : documents::TextPieces(group)) {
      Usa_CompNFis(stEsquema, std::string(piece));
    }
  }
}

}  // namespace

bool Relatorio_Generico(const std::string& stEsquema, const std::string& textoA,
                        const std::string& textoB, const std::string& texto,
                        const std::string& chave, const std::string& /*ignorado*/) {
  bool closed = false;
  if (inTipoImpFis == kLineGroupPrinter) {
    // Checked before the opening, so a bad text leaves no empty report.
    if (!documents::CheckPrintable(stEsquema, texto)) return false;
    Relatorio_Gerencial_Imp(stEsquema, textoA, textoB, "", "");
    PrintGroups(stEsquema, texto);
    closed = FechRelatGerenc(stEsquema, true, false);
  } else if (inTipoImpFis == kPiecePrinter) {
    closed = RG_FrameWork(stEsquema, texto);
  }
  if (closed) GravaDocumentosNaoFiscais(chave, stEsquema, "RG", "");
  return closed;
}

bool Cupom_Troca(const std::string& stEsquema, const std::string& /*ignorado1*/,
                 const std::string& /*ignorado2*/, const std::string& texto) {
  // Checked whole first: a bad byte in a later group must not leave the
  // earlier reports printed.
  if (!documents::CheckPrintable(stEsquema, texto)) return false;
  bool printed = false;
  for (std::string_view group : documents::LineGroups(texto)) {
    printed = RG_FrameWork(stEsquema, std::string(group));
  }
  return printed;
}

bool Conferencia_Formatada(const std::string& stEsquema, const std::string& /*ignorado1*/,
                           const std::string& /*ignorado2*/, const std::string& /*ignorado3*/,
                           const std::string& /*ignorado4*/, const std::string& /*ignorado5*/,
                           std::string& nrCupom, const std::string& texto) {
  nrCupom = Nr_Cupom("", stEsquema);
  return RG_FrameWork(stEsquema, texto);
}

}  // namespace Tov00300
