// The operator's dialogs: the only calls of the host's dialog.
#include "driver/dialogs.h"

#include "tov00300/datamodule.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300::driver {

namespace {

// The host dialog's flags: "S" when the message carries a detail list or asks
// a question, "N" otherwise.
constexpr std::string_view kYes = "S";
constexpr std::string_view kNo = "N";

void Collect(const std::string& text) {
  stMensagemTaa += ' ';
  stMensagemTaa += text;
}

}  // namespace

void ShowMessage(std::string_view scheme, std::string_view text, const Showing& how) {
  if (how.unlockKeyboard != nullptr) how.unlockKeyboard();
  hostlib::Mensagem(text, how.detail, how.detail.empty() ? kNo : kYes, kNo, how.dialogType, "",
                    scheme, 0, nullptr);
}

bool AskOperator(std::string_view scheme, std::string_view text, int dialogType) {
  return hostlib::Mensagem(text, "", kNo, kYes, dialogType, "", scheme, 0, nullptr);
}

bool AskRetry(std::string_view scheme, std::string_view text) {
  return AskOperator(scheme, text, kErrorDialog);
}

bool AskRetry(std::string_view scheme) {
  return AskRetry(scheme, DataModule().msgPadrao.Msg("Imp_N_Resp"));
}

namespace {
int problemsReported = 0;
}  // namespace

int ProblemsReported() {
  return problemsReported;
}

void ReportProblem(const std::string& scheme, const std::string& text, const Reporting& how) {
  ++problemsReported;
  if (how.logged) ImpFisDebug("ERRO!!! " + text);
  Collect(text);
  if (how.show) ShowMessage(scheme, text, {how.dialogType, {}, how.unlockKeyboard});
}

void ReportStatus(const std::string& scheme, const std::string& text, bool show, int dialogType,
                  bool collected) {
  // A warning is a notice: it tells of no problem with the command.
  if (dialogType == kErrorDialog) ++problemsReported;
  if (collected) Collect(text);
  if (show) ShowMessage(scheme, text, {dialogType});
  ImpFisDebug(text);
}

}  // namespace Tov00300::driver
