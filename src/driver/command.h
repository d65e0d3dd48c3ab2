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

// Judges a driver answer: stores `code` in inRetorno, sets stImpDebug to
// `description` and runs the return analysis. The driver call itself is the
// `code` argument, so a command is one line:
//   driver::Command(iCFAbrirPadrao_ECF_Daruma(), "iCFAbrirPadrao_ECF_Daruma", {esquema, true});
// True when the analysis takes the command as successful.
bool Command(int code, std::string description, const Judging& judging);

// A problem the package found itself (bad input, a precondition the printer
// would refuse): logged as "ERRO!!! " + text, collected in stMensagemTaa after
// a blank, and shown to the operator when `show`, as a message of
// `dialogType` (0 notice, 3 error).
void ReportProblem(const std::string& esquema, const std::string& text, bool show,
                   int dialogType = 0);

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_COMMAND_H_
