// The management-report primitives: open, print into, close, and ask
// whether a report is open. Every other report of the package prints
// through these.
#include <exception>
#include <optional>
#include <string>

#include "documents/open_document.h"
#include "documents/own_document.h"
#include "documents/report_text.h"
#include "documents/whole_report.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/registers.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
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

// A whole report the printer issued although the operator was shown a
// problem on the way (an answer lost, a status query unanswered, an opening
// or closing refused that the printer showed to have taken effect): every
// piece of its text was accepted and the report closed. Its text and the
// operation counter (COO) after it: the same text asked for again while the
// counter still stands there (no document printed since) is the operator
// repeating, and gets no second copy. An operation that prints copies of one
// text itself forgets it first (ForgetIssuedReport).
struct IssuedDespiteError {
  std::string text;
  std::optional<long long> operations;
};

IssuedDespiteError& LastIssuedDespiteError() {
  static IssuedDespiteError issued;
  return issued;
}

// True when `text` is the report issued despite a problem and nothing was
// printed since; any other print ends what is remembered.
bool AlreadyIssued(const std::string& text) {
  IssuedDespiteError& issued = LastIssuedDespiteError();
  if (issued.text.empty()) return false;
  const bool same =
      issued.text == text && issued.operations &&
      driver::ReadRegisterCount(driver::Register::kOperationCounter) == issued.operations;
  issued = {};
  if (same) {
    ImpFisDebug(
        Utf8ToCp1252("Relatório gerencial já impresso pela impressora na chamada anterior"));
  }
  return same;
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

void ForgetIssuedReport() {
  LastIssuedDespiteError() = {};
}

ReportOutcome PrintWholeReport(const std::string& stEsquema, const std::string& texto) {
  ReportOutcome outcome;
  if (!CheckPrintable(stEsquema, texto)) return outcome;
  if (AlreadyIssued(texto)) {
    outcome.closed = outcome.complete = true;
    return outcome;
  }
  const int problems = driver::ProblemsReported();
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
  if (outcome.Printed() && driver::ProblemsReported() != problems) {
    LastIssuedDespiteError() = {texto,
                                driver::ReadRegisterCount(driver::Register::kOperationCounter)};
  }
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
