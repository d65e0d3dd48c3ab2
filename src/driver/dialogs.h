// How a text reaches the operator. Every dialog of the package goes through
// one of these: a plain message (ShowMessage), a yes/no question
// (AskOperator, and AskRetry after a refused command) or a problem that is
// also logged and collected for a self-service terminal (ReportProblem,
// ReportStatus).
#ifndef TOV00300_SRC_DRIVER_DIALOGS_H_
#define TOV00300_SRC_DRIVER_DIALOGS_H_

#include <string>
#include <string_view>

namespace Tov00300::driver {

// The dialog's message types as the host's dialog takes them.
inline constexpr int kNoticeDialog = 0;
inline constexpr int kConfirmationDialog = 1;
inline constexpr int kErrorDialog = 3;

// How a message is shown.
struct Showing {
  int dialogType = kNoticeDialog;
  // A list shown under the text (the days a file could not be made); the
  // dialog then carries the flag that says so.
  std::string_view detail = {};
  // Called before the dialog: the driver may hold the keyboard locked (card
  // payment) and the operator must be able to answer.
  void (*unlockKeyboard)() = nullptr;
};

// A dialog only: `text` shown in the colour scheme `scheme`, nothing logged
// or collected.
void ShowMessage(std::string_view scheme, std::string_view text, const Showing& how = {});

// A yes/no question of the message type `dialogType`; true when the operator
// answers yes. Without an operator's dialog the answer is no.
bool AskOperator(std::string_view scheme, std::string_view text, int dialogType);

// The question after a refused command, put by the receipt and the card
// vouchers alike: `text` asked as an error; true when the operator answers
// yes and the command is to be sent again.
bool AskRetry(std::string_view scheme, std::string_view text);
// The same with the catalogue's "Imp_N_Resp" (the printer does not answer:
// print again?).
bool AskRetry(std::string_view scheme);

// How a problem reaches the operator.
struct Reporting {
  bool show;           // a dialog for the operator
  bool logged = true;  // false: the caller wrote its own log line for it
  void (*unlockKeyboard)() = nullptr;
  int dialogType = kNoticeDialog;
};

// A problem for the operator: logged as "ERRO!!! " + text, collected in
// stMensagemTaa after a blank, and shown with the dialog type asked for.
void ReportProblem(const std::string& scheme, const std::string& text, const Reporting& how);
inline void ReportProblem(const std::string& scheme, const std::string& text, bool show) {
  ReportProblem(scheme, text, Reporting{show});
}

// What the printer says of its last command, put into words by the driver:
// collected in stMensagemTaa after a blank (unless `collected` is false),
// shown when `show`, then logged as it is, without the error mark.
void ReportStatus(const std::string& scheme, const std::string& text, bool show, int dialogType,
                  bool collected = true);

// How many problems ReportProblem, and errors ReportStatus, have reported in
// this process so far: an operation compares it before and after
// a step to learn whether the operator was told of a problem on the way.
int ProblemsReported();

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_DIALOGS_H_
