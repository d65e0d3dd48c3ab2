// The one path of a driver command: every operation sends a printer command,
// reports a problem to the operator and reads a register through these, so
// the stored code, the debug-log description and the analysis are the same
// everywhere.
#ifndef TOV00300_SRC_DRIVER_COMMAND_H_
#define TOV00300_SRC_DRIVER_COMMAND_H_

#include <initializer_list>
#include <string>
#include <string_view>

namespace Tov00300::driver {

// How a command's answer is judged: the host's colour scheme and the flags of
// AnalisaRetorno_FrameWork.
struct Judging {
  const std::string& esquema;
  bool show;                // boMostraMsg: dialogs for the operator
  bool reserved = false;    // boReservado
  bool warningOne = false;  // boAvisoUm: also report warning 1 of the last command
};

// The debug-log description of a command: its name, and when it has
// arguments, " : " and the arguments separated by " - "
// ("iSuprimento_ECF_Daruma : 10,50").
std::string Describe(std::string_view name, std::initializer_list<std::string_view> args = {});

// The debug-log description of a query: its name, CR LF,
// "Retorno da Impressora : " and the reply as the driver left it.
std::string DescribeReply(std::string_view name, std::string_view reply);

// Judges a driver answer: stores `code` in inRetorno, sets stImpDebug to
// `description` and runs the return analysis. The driver call itself is the
// `code` argument, so a command is one line:
//   driver::Command(iCFAbrirPadrao_ECF_Daruma(), "iCFAbrirPadrao_ECF_Daruma", {esquema, true});
// True when the analysis takes the command as successful.
bool Command(int code, std::string description, const Judging& judging);

// Command in two steps, for an operation that must convert the reply between
// the call and its analysis (a reply that does not convert then stops the
// operation before anything is analysed): Stage stores the code and the
// description, JudgePending analyses later.
void Stage(int code, std::string description);

// Like Command, but inRetorno keeps the code of the caller's last command:
// for the queries the host runs in the middle of its own commands.
bool Judge(int code, std::string description, const Judging& judging);

// Analyses `code` with whatever description is pending in stImpDebug
// (possibly none); neither stImpDebug nor inRetorno is set.
bool JudgePending(int code, const Judging& judging);

// A command whose answer the operation does not judge: only its code is
// stored in inRetorno, the way every driver answer is.
void Store(int code);

// How a problem reaches the operator.
struct Reporting {
  bool show;           // a dialog for the operator
  bool logged = true;  // false: the caller wrote its own log line for it
  // Called before the dialog: the driver may hold the keyboard locked (card
  // payment) and the operator must be able to answer.
  void (*unlockKeyboard)() = nullptr;
};

// A problem for the operator: logged as "ERRO!!! " + text, collected in
// stMensagemTaa after a blank, and shown (message type 0) when asked.
void ReportProblem(const std::string& esquema, const std::string& text, const Reporting& how);
inline void ReportProblem(const std::string& esquema, const std::string& text, bool show) {
  ReportProblem(esquema, text, Reporting{show});
}

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_COMMAND_H_
