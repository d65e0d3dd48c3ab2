// The dispatcher's table in parts, one per operation family, so that no one
// file instantiates the argument handling of every operation: each part
// lists its operations one line each (dispatcher.h's Op), and
// dispatcher.cpp joins them.
#ifndef ECFHOST_OPERATION_FAMILIES_H_
#define ECFHOST_OPERATION_FAMILIES_H_

#include <vector>

#include "dispatcher.h"

namespace ecfhost {

// Package frame, session, driver binding and analysis, configuration tables.
std::vector<Operation> SessionOperations();
// Registers and grand total, fiscal receipt, non-fiscal receipt.
std::vector<Operation> ReceiptOperations();
// Management reports, X and Z, cash and drawer, Z-reduction export.
std::vector<Operation> DocumentOperations();
// Legal files and the host folder maker.
std::vector<Operation> LegalOperations();
// Cash closing and table service.
std::vector<Operation> ClosingOperations();
// Card vouchers and consumer accounts.
std::vector<Operation> AccountOperations();

}  // namespace ecfhost

#endif  // ECFHOST_OPERATION_FAMILIES_H_
