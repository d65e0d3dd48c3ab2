// The printer's state as a service client needs it after a lost reply: the
// open document and its kind, COO, CCF, the open receipt's subtotal, item
// count, whether it is totalled and what is paid on it so far, and the grand
// total, read through the package's bound driver. The fields are described
// in README.md ("Service mode").
#ifndef ECFHOST_PRINTER_STATUS_H_
#define ECFHOST_PRINTER_STATUS_H_

#include "json_values.h"

namespace ecfhost {

// {"session": false} before the session started; otherwise the state, or
// "error" naming the register the printer refused.
Json PrinterStatus();

}  // namespace ecfhost

#endif  // ECFHOST_PRINTER_STATUS_H_
