// The printer's code tables: last-command error codes, warning codes, and
// the Portuguese texts of error, warning and return codes (Windows-1252).
#ifndef TOV00300_SIM_MESSAGES_H_
#define TOV00300_SIM_MESSAGES_H_

#include <string>

namespace Tov00300::sim {

enum ErrorCode : int {
  kErrNone = 0,
  kErrBadState = 1,
  kErrDocumentOpen = 2,
  kErrNoReceipt = 3,
  kErrTotalized = 4,
  kErrNotTotalized = 5,
  kErrNotPaid = 6,
  kErrAlreadyPaid = 7,
  kErrNoSuchItem = 8,
  kErrNoItems = 9,
  kErrAdjustment = 10,
  kErrRate = 11,
  kErrPaymentMethod = 12,
  kErrTotalizer = 13,
  kErrZPending = 14,
  kErrNoNonFiscal = 15,
  kErrNoReport = 16,
  kErrNoVoucher = 17,
  kErrNothingToCancel = 18,
  kErrNoVoucherLink = 19,
  kErrParameter = 20,
  kErrTableFull = 21,
  kErrDuplicate = 22,
  kErrPaperOut = 23,
  kErrAfterZOnly = 24,
  kErrDaylight = 25,
  kErrNoMovement = 26,
  kErrStorage = 27,
  kErrDamaged = 28,
  kErrTextTooLong = 29,
  kErrFile = 30,
  kErrMemoryFull = 31,
  kErrNoReduction = 32,
  kErrNotExecuted = 33,  // the command did not reach the printer or was not carried out
  kErrCashShort = 34,    // a withdrawal larger than the cash in the drawer
  kErrDayClosed = 35,    // a second Z reduction on a fiscal day already closed
  kErrLastCode = 35,
};

enum WarningCode : int {
  kWarnNone = 0,
  kWarnPaperLow = 1,
  kWarnZPending = -1,
  kWarnMemoryNearlyFull = -2,
};

std::string ErrorText(int code);
std::string WarningText(int code);
std::string ReturnText(int code);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_MESSAGES_H_
