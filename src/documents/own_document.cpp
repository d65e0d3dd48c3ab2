#include "documents/own_document.h"

#include <optional>

#include "driver/dialogs.h"
#include "driver/registers.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"

namespace Tov00300::documents {

namespace {

// The document's name in the debug-log lines, with its article.
const char* NameOf(session::OwnDocument kind) {
  switch (kind) {
    case session::OwnDocument::kNonFiscal:
      return "o comprovante não fiscal";
    case session::OwnDocument::kVoucher:
      return "o comprovante vinculado";
    case session::OwnDocument::kReport:
    case session::OwnDocument::kNone:
      break;
  }
  return "o relatório gerencial";
}

void LogLostReply(session::OwnDocument kind, const char* what) {
  ImpFisDebug(Utf8ToCp1252(std::string("Resposta perdida: ") + NameOf(kind) + " foi " + what +
                           " pela impressora"));
}

}  // namespace

bool OpenOwn(session::OwnDocument kind, const std::function<int()>& open,
             const std::string& description, const driver::Judging& judging) {
  const std::optional<std::string> before =
      driver::ReadRegisterText(driver::Register::kDocumentState);
  bool opened = driver::Command(open(), description, judging);
  if (!opened && before == "0" &&
      driver::ReadRegisterText(driver::Register::kDocumentState) == session::OpenStateOf(kind)) {
    LogLostReply(kind, "aberto");
    opened = true;
  }
  if (opened) session::SetOwnDocument(kind);
  return opened;
}

bool CloseOwn(session::OwnDocument kind, int code, const std::string& description,
              const driver::Judging& judging) {
  bool closed = driver::Command(code, description, judging);
  if (!closed) {
    // Read only to decide: a printer that does not answer leaves the
    // document taken as open.
    const std::optional<std::string> state =
        driver::ReadRegisterText(driver::Register::kDocumentState);
    if (state && !state->empty() && *state != session::OpenStateOf(kind)) {
      LogLostReply(kind, "encerrado");
      closed = true;
    }
  }
  if (closed && session::CurrentOwnDocument() == kind)
    session::SetOwnDocument(session::OwnDocument::kNone);
  return closed;
}

bool RequireOwn(session::OwnDocument kind, const std::string& scheme, bool show) {
  if (session::CurrentOwnDocument() == kind) return true;
  driver::ReportProblem(scheme, session::NoOwnDocumentText(kind), show);
  return false;
}

void NoteNotOpen(session::OwnDocument kind, const std::string& state) {
  if (!state.empty() && state != session::OpenStateOf(kind) &&
      session::CurrentOwnDocument() == kind) {
    session::SetOwnDocument(session::OwnDocument::kNone);
  }
}

}  // namespace Tov00300::documents
