// The printer's registers and lists, in the widths and layouts the package
// reads them (every reply has exactly the register's width).
#ifndef TOV00300_SIM_REGISTERS_H_
#define TOV00300_SIM_REGISTERS_H_

#include <optional>
#include <string>

#include "machine.h"

namespace Tov00300::sim {

constexpr size_t kRateListWidth = 150;
constexpr size_t kPaymentListWidth = 330;
constexpr size_t kTotalizerListWidth = 360;

// The reply of register `index`, or nullopt for a register the printer does
// not have.
std::optional<std::string> ReadRegister(const Machine& m, int index);

// "T1800;T1200;S0500;" padded with blanks to 150.
std::string RateList(const PrinterState& state);
// "Dinheiro;Cheque;...;" padded with blanks to 330 (whole names only).
std::string PaymentList(const PrinterState& state);
// "Sangria;Suprimento;...;" padded with blanks to 360 (whole names only).
std::string TotalizerList(const PrinterState& state);

// Register 140: the record of the last Z reduction (1164 characters; blanks
// when the fiscal memory has none).
std::string LastReductionRecord(const PrinterState& state);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_REGISTERS_H_
