// The one path of a driver command. Outside the driver layer every call of a
// driver entry point is made inside one of these forms, so each answer is
// stored, logged and analysed the same way everywhere; a register is read
// through driver/registers.h and a problem reaches the operator through
// driver/dialogs.h.
//
// The forms, by what they do with the driver's answer:
//
//   form          inRetorno   debug log         return analysis
//   Command       stored      the description   run
//   Stage         stored      (pending)         later, by JudgePending
//   Judge         kept        the description   run
//   JudgePending  kept        what is pending   run
//   Log           stored      the description   none
//   Log, unstored kept        the description   none
//   Store         stored      nothing           none
//   Silent        kept        nothing           none
//
// "kept" leaves inRetorno with the code of the command the host is running.
#ifndef TOV00300_SRC_DRIVER_COMMAND_H_
#define TOV00300_SRC_DRIVER_COMMAND_H_

#include <initializer_list>
#include <string>
#include <string_view>

#include "driver/reply_buffer.h"

namespace Tov00300::driver {

// How a command's answer is judged: the host's colour scheme and the flags of
// AnalisaRetorno_FrameWork.
struct Judging {
  const std::string& scheme;
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
//   driver::Command(iCFAbrirPadrao_ECF_Daruma(), "iCFAbrirPadrao_ECF_Daruma", {scheme, true});
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
// stored in inRetorno, the way every driver answer is. Returns the code.
// A query whose description is made of its replies stores its code at once
// and is described and judged afterwards:
//   const int code = driver::Store(rDataHoraImpressora_ECF_Daruma(date.data(), time.data()));
//   driver::Command(code, driver::DescribeReply("rDataHoraImpressora_ECF_Daruma", ...), ...);
int Store(int code);

// How an answer that is not analysed is written down.
struct Logging {
  bool stored = true;       // false: inRetorno keeps the code of the host's last command
  bool codeInLine = false;  // the line ends with " - Retorno: " and the code in decimal
};

// An answer the operation decides on by its code alone, without the return
// analysis and without a dialog (the legal files' downloads): `description`
// written to the debug log and the code stored in inRetorno, as `how` says.
// Returns the code.
int Log(int code, std::string description, const Logging& how = {});

// An answer that stays the operation's own: neither stored, logged nor
// analysed (the port's closing, a bar code whose report's closing is what the
// operator hears about). Returns the code.
inline int Silent(int code) {
  return code;
}

// A query whose reply the driver writes into a text of `width` blanks:
// `call` gets that text and returns the driver's code. Touches no shared
// state; the caller judges the code with one of the forms above.
struct Reply {
  int code = 0;
  std::string text;  // as the driver left it: at most `width`, untrimmed
};
template <typename Call>
Reply Query(int width, Call call) {
  ReplyBuffer buffer(width);
  Reply reply;
  reply.code = call(buffer.data());
  reply.text = buffer.Text();
  return reply;
}

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_COMMAND_H_
