// The printer reads that operations of several layers share: the receipt
// number and the fiscal day. The exported operations that answer them to the
// host (Nr_Cupom, DataMoviFiscal) are these reads; the receipts, reports,
// readings and the session all read through them here.
#ifndef TOV00300_SRC_DRIVER_SHARED_READS_H_
#define TOV00300_SRC_DRIVER_SHARED_READS_H_

#include <string>

#include "tov00300/datetime.h"

namespace Tov00300::driver {

// The operation counter (COO) as the printer wrote it, judged without a
// dialog with warning 1 reported; "ERRO" when the analysis refuses it. The
// reply also stays in stRetorno: the receipt cancellation reads it there.
std::string ReceiptNumber(const std::string& scheme);

// The fiscal day's date as DDMMYY, read as one command judged without a
// dialog (result not used); today's date when the printer answers 01/01/00
// (no movement date). "" when the printer did not answer.
std::string FiscalDayText(const std::string& scheme);

// The date of the fiscal day; today when the printer has none or its answer
// is not a date.
DateTime FiscalDay(const std::string& scheme);

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_SHARED_READS_H_
