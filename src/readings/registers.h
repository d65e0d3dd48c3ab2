// The printer registers the package reads with rRetornarInformacao_ECF_Daruma:
// one table for the whole package giving each register's number, the width of
// the reply buffer the package allocates for it and who reads it. Every query
// of a register goes through ReadRegister, so the buffer width, the debug line
// and the stored return code are the same everywhere.
#ifndef TOV00300_READINGS_REGISTERS_H_
#define TOV00300_READINGS_REGISTERS_H_

#include <span>
#include <string>

namespace Tov00300 {

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
std::string RegisterDebugLine(int number, const std::string& reply);

// Queries the register into a blank buffer of its width, stores the driver's
// code in inRetorno and sets stImpDebug to the register's debug line. Returns
// the reply exactly as the driver left it (width characters, untrimmed). The
// caller runs the return analysis, so that operations that convert the reply
// first (or log another value) keep their order.
std::string QueryRegister(int number);

// QueryRegister followed by the return analysis with the colour scheme and
// the flags given (both warning flags false). `analysed`, when given,
// receives the analysis' answer. Returns the reply, untrimmed.
std::string ReadRegister(int number, const std::string& stEsquema, bool boMostraMsg,
                         bool* analysed = nullptr);

}  // namespace Tov00300

#endif  // TOV00300_READINGS_REGISTERS_H_
