// The printer registers the package reads with rRetornarInformacao_ECF_Daruma:
// one table for the whole package giving each register's number, the width of
// the reply buffer the package allocates for it and who reads it, and the one
// reader every query of a register goes through, so the buffer width, the
// debug line and the stored return code are the same everywhere.
#ifndef TOV00300_SRC_DRIVER_REGISTERS_H_
#define TOV00300_SRC_DRIVER_REGISTERS_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "driver/command.h"

namespace Tov00300::driver {

struct RegisterInfo {
  int number;           // the register number, sent to the driver as decimal text
  int width;            // characters of the blank reply buffer; the driver writes no more
  const char* content;  // what the package takes the reply to mean
  const char* readBy;   // the operations that read it
};

// Every register the package reads, in ascending number.
std::span<const RegisterInfo> Registers();

// The buffer width of a register of the table. Throws std::out_of_range for a
// number the table does not hold: a register read with a guessed width could
// be overrun by the driver.
int RegisterWidth(int number);

// "rRetornarInformacao_ECF_Daruma (" number ")" CR LF "Retorno da Impressora : "
// reply: the debug-log description of a register query.
std::string RegisterDescription(int number, std::string_view reply);

// A register's reply exactly as the driver left it (at most the register's
// width, untrimmed) and the driver's return code.
struct RegisterReply {
  int code = 0;
  std::string text;
};

// The one register reader: queries the register into a blank buffer of its
// width. Touches no shared state; the caller judges the code through the
// command path (Command, Stage, Judge, Store).
RegisterReply ReadRegister(int number);

// A register read to decide, not a command of the operation: not analysed and
// not logged, and inRetorno is left alone. The trimmed reply, or nullopt when
// the printer does not answer.
std::optional<std::string> ReadRegisterText(int number);
// The same read as a number: nullopt when the printer does not answer or the
// reply is not a whole number.
std::optional<long long> ReadRegisterCount(int number);

// After a refused command that issues a document: whether the counter
// `number`, read as `before` right before the command, is now one more (the
// printer issued the document and only the answer was lost). False when
// either read failed.
bool CounterMovedByOne(const std::optional<long long>& before, int number);

// A text of digits only (at most 18, no blanks or sign) as a number.
std::optional<long long> DigitsValue(const std::string& text);

// A register read as one command: the code stored in inRetorno, the
// register's description in stImpDebug and the analysis run with `judging`.
// `accepted`, when given, receives the analysis' answer. Returns the reply,
// untrimmed.
std::string ReadRegister(int number, const Judging& judging, bool* accepted = nullptr);

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_REGISTERS_H_
