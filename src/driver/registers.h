// The printer registers the package reads with rRetornarInformacao_ECF_Daruma.
// Each register is named once, here, with its number, the width of the reply
// buffer the package allocates for it and what the package takes its reply to
// mean; code names a register only as a driver::Register. Who reads a
// register is what reads its name (git grep Register::kDocumentState): a list
// kept by hand beside the table would go stale with the first new reader.
// Every query of a register goes through the one reader below, so the buffer
// width, the debug line and the stored return code are the same everywhere.
#ifndef TOV00300_SRC_DRIVER_REGISTERS_H_
#define TOV00300_SRC_DRIVER_REGISTERS_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "driver/command.h"

// X(name, number, width, content), in ascending number.
// clang-format off
#define TOV00300_PRINTER_REGISTERS(X)                                                              \
  X(kGrandTotal, 1, 18, "grand total (GT), amount")                                                \
  X(kGrossSalesBase, 2, 18, "grand total the day's gross sales are counted from")                  \
  X(kTaxTotals, 3, 364, "tax totals: 16 rate slots, then ST, exempt, no incidence (13 each)")      \
  X(kPaymentTotals, 6, 260, "one 13-character amount per payment method")                          \
  X(kWithdrawalTotal, 8, 13, "amount of the non-fiscal totalizer \"Sangria\"")                     \
  X(kOtherTotalizers, 9, 247, "one 13-character amount per other non-fiscal totalizer")            \
  X(kDiscounts, 11, 13, "total of discounts, amount")                                              \
  X(kSurcharges, 12, 13, "total of surcharges, amount")                                            \
  X(kCancellations, 13, 13, "total of cancellations, amount")                                      \
  X(kRestarts, 23, 3, "restart-of-operation counter (CRO)")                                        \
  X(kReductionCounter, 24, 4, "Z-reduction counter (CRZ)")                                         \
  X(kOperationCounter, 26, 6, "operation counter (COO), the receipt number")                       \
  X(kNonFiscalCounter, 28, 6, "general non-fiscal operation counter (GNF)")                        \
  X(kFiscalReceiptCounter, 30, 6, "fiscal receipt counter (CCF)")                                  \
  X(kReportCounter, 33, 6, "management-report counter")                                            \
  X(kVoucherCounter, 45, 4, "credit or debit voucher counter")                                     \
  X(kSinceLastReceipt, 53, 4,                                                                      \
    "documents since the last fiscal receipt: the receipt cancellation subtracts it from the "     \
    "receipt number")                                                                              \
  X(kDocumentState, 56, 1,                                                                         \
    "kind of open document: 0 none, 1 fiscal, 2 non-fiscal, 3 linked voucher, 4 management "       \
    "report")                                                                                      \
  X(kFiscalDay, 70, 8, "date of the fiscal day, DDMMYYYY (010100: none)")                          \
  X(kSerialNumber, 78, 20, "printer serial number")                                                \
  X(kIdentity1, 79, 7, "printer identity text")                                                    \
  X(kIdentity2, 80, 20, "printer identity text")                                                   \
  X(kIdentity3, 81, 20, "printer identity text")                                                   \
  X(kEcfNumber, 107, 3, "number of the ECF")                                                       \
  X(kLastReduction, 140, 1164, "record of the last Z reduction")                                   \
  X(kReceiptTotal, 160, 13, "total of the open receipt, amount")                                   \
  X(kReceiptItems, 161, 4, "items registered on the open receipt, cancelled ones included")        \
  X(kReceiptTotalled, 162, 1, "open receipt totalled: 1, else 0")                                  \
  X(kReceiptPaid, 163, 13, "amount paid on the open receipt")
// clang-format on

namespace Tov00300::driver {

enum class Register : int {
#define TOV00300_REGISTER_NAME(name, number, width, content) name = number,
  TOV00300_PRINTER_REGISTERS(TOV00300_REGISTER_NAME)
#undef TOV00300_REGISTER_NAME
};

struct RegisterInfo {
  Register name;
  int number;           // the register number, sent to the driver as decimal text
  int width;            // characters of the blank reply buffer; the driver writes no more
  const char* content;  // what the package takes the reply to mean
};

// Every register the package reads, in ascending number.
std::span<const RegisterInfo> Registers();

// The buffer width of a register. Throws std::out_of_range for a value that
// names no register of the table: a register read with a guessed width could
// be overrun by the driver.
int RegisterWidth(Register name);

// "rRetornarInformacao_ECF_Daruma (" number ")" CR LF "Retorno da Impressora : "
// reply: the debug-log description of a register query.
std::string RegisterDescription(Register name, std::string_view reply);

// "rRetornarInformacao_ECF_Daruma (" number ") - " reply: the one-line
// description the document-state check of the reports and vouchers logs.
std::string RegisterLineDescription(Register name, std::string_view reply);

// The one register reader: queries the register into a blank buffer of its
// width. Touches no shared state; the caller judges the code through the
// command path (Command, Stage, Judge, Log, Store).
Reply ReadRegister(Register name);

// A register read to decide, not a command of the operation: not analysed and
// not logged, and inRetorno is left alone. The trimmed reply, or nullopt when
// the printer does not answer.
std::optional<std::string> ReadRegisterText(Register name);
// The same read as a number: nullopt when the printer does not answer or the
// reply is not a whole number.
std::optional<long long> ReadRegisterCount(Register name);

// After a refused command that issues a document: whether the counter
// `name`, read as `before` right before the command, is now one more (the
// printer issued the document and only the answer was lost). False when
// either read failed.
bool CounterMovedByOne(const std::optional<long long>& before, Register name);

// A text of digits only (at most 18, no blanks or sign) as a number.
std::optional<long long> DigitsValue(const std::string& text);

// A register read as one command: the code stored in inRetorno, the
// register's description in stImpDebug and the analysis run with `judging`.
// `accepted`, when given, receives the analysis' answer. Returns the reply,
// untrimmed.
std::string ReadRegister(Register name, const Judging& judging, bool* accepted = nullptr);

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_REGISTERS_H_
