// The management-report primitives: open, print into, close, and ask
// whether a report is open. Every other report of the package prints
// through these.
#include <exception>
#include <string>

#include "documents/open_document.h"
#include "documents/own_document.h"
#include "documents/report_text.h"
#include "documents/whole_report.h"
#include "driver/command.h"
#include "driver/registers.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/hostlib.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// Document-state answer while a management report is open.
constexpr const char* kReportOpen = "4";
constexpr session::OwnDocument kReport = session::OwnDocument::kReport;

bool OpenReport(const driver::Judging& judging) {
  return documents::OpenOwn(kReport, iRGAbrirPadrao_ECF_Daruma, "iRGAbrirPadrao_ECF_Daruma",
                            judging);
}

bool CloseReport(const driver::Judging& judging) {
  return documents::CloseOwn(kReport, iRGFechar_ECF_Daruma(), "iRGFechar_ECF_Daruma", judging);
}

}  // namespace

namespace documents {

std::string OpenDocumentState(const std::string& stEsquema, bool show, bool reserved,
                              bool& analysed) {
  const driver::Reply reply = driver::ReadRegister(driver::Register::kDocumentState);
  stRetorno = reply.text;
  analysed = driver::Command(
      reply.code, driver::RegisterLineDescription(driver::Register::kDocumentState, stRetorno),
      {stEsquema, show, reserved});
  return stRetorno;
}

ReportClosing CloseOpenReport(const std::string& stEsquema, bool show, bool reserved) {
  bool analysed = false;
  // The state is asked first so that a report already closed (or never
  // opened) is not answered with a refused closing.
  const std::string state = OpenDocumentState(stEsquema, show, reserved, analysed);
  if (!analysed) {
    // The printer did not tell which document is open: the report this
    // session opened is closed all the same, and without one nothing is known
    // to be closed (taking the silence for "none open" would answer a report
    // left open as closed).
    if (session::CurrentOwnDocument() != kReport) return ReportClosing::Refused;
  } else if (state != kReportOpen) {
    NoteNotOpen(kReport, state);
    return ReportClosing::NoneOpen;
  }
  // Any report open is closed, this session's or one left by an earlier
  // one: closing adds nothing to it.
  return CloseReport({stEsquema, show}) ? ReportClosing::Closed : ReportClosing::Refused;
}

bool OpenReportForText(const std::string& stEsquema, bool show) {
  const bool ownOpen = session::CurrentOwnDocument() == kReport;
  if (OpenReport({stEsquema, show})) return true;
  // The opening is refused while a report is open: one this session opened
  // (the host may open a report and have an operation print into it) takes
  // the text; one left by an earlier session or another program never does.
  return ownOpen && driver::ReadRegisterText(driver::Register::kDocumentState) == kReportOpen;
}

ReportOutcome PrintWholeReport(const std::string& stEsquema, const std::string& texto) {
  ReportOutcome outcome;
  if (!CheckPrintable(stEsquema, texto)) return outcome;
  const driver::Judging judging{stEsquema, boNUtilTaa};
  // No report of this session is open for the text: nothing more is sent,
  // or the text would end up in another document.
  if (!OpenReportForText(stEsquema, boNUtilTaa)) return outcome;
  // Each later step is sent whatever the previous one answered: a refused
  // piece is reported by its own analysis, and the closing still ends the
  // document so the printer is not left with a report open.
  outcome.complete = true;
  for (std::string_view piece : TextPieces(texto)) {
    const std::string text(piece);
    if (!driver::Command(iRGImprimirTexto_ECF_Daruma(text.c_str()), "iRGImprimirTexto_ECF_Daruma",
                         judging)) {
      outcome.complete = false;
    }
  }
  outcome.closed = CloseReport(judging);
  return outcome;
}

}  // namespace documents

bool RG_FrameWork(const std::string& stEsquema, const std::string& texto) {
  try {
    // A report closed with a piece of its text refused is not the report
    // the host asked for: the answer says so.
    return documents::PrintWholeReport(stEsquema, texto).Printed();
  } catch (const std::exception&) {
    return false;
  }
}

bool Relatorio_Gerencial_Imp(const std::string& stEsquema, const std::string& textoA,
                             const std::string& textoB, const std::string& /*ignorado*/,
                             const std::string& grava) {
  const bool opened = OpenReport({stEsquema, boNUtilTaa});
  if (opened && !grava.empty()) hostlib::GravaCER(textoA, textoB, DataMoviFiscal(stEsquema));
  return opened;
}

bool Usa_CompNFis(const std::string& stEsquema, const std::string& texto) {
  if (!documents::CheckPrintable(stEsquema, texto)) return false;
  // Only into the report this session opened.
  if (!documents::RequireOwn(kReport, stEsquema, true)) return false;
  return driver::Command(iRGImprimirTexto_ECF_Daruma(texto.c_str()), "iRGImprimirTexto_ECF_Daruma",
                         {stEsquema, true});
}

bool FechRelatGerenc(const std::string& stEsquema, bool boMostraMsg, bool boReservado) {
  return documents::CloseOpenReport(stEsquema, boMostraMsg, boReservado) !=
         documents::ReportClosing::Refused;
}

bool UsaRG_FrameWork(const std::string& stEsquema) {
  try {
    bool analysed = false;
    const std::string state = documents::OpenDocumentState(stEsquema, true, false, analysed);
    return analysed && state == kReportOpen;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace Tov00300
