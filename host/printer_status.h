// The printer's state as a service client needs it after a lost reply: the
// open document and its kind, COO, CCF, the open receipt's subtotal and item
// count, and the grand total, read through the package's bound driver.
#ifndef ECFHOST_PRINTER_STATUS_H_
#define ECFHOST_PRINTER_STATUS_H_

#include "json_values.h"

namespace ecfhost {

// {"session": false} before the session started; otherwise the state, or
// "error" naming the register the printer refused.
Json PrinterStatus();

}  // namespace ecfhost

#endif  // ECFHOST_PRINTER_STATUS_H_
