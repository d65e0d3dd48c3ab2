// The driver return codes met during one call: every bound driver entry
// point is wrapped so that its result is noted before the package sees it.
// The session start binds the entry points in the middle of its own call, so
// the codes of that call's port opening are not seen; its debug-log lines
// are (call_record.h).
#ifndef ECFHOST_DRIVER_TRACE_H_
#define ECFHOST_DRIVER_TRACE_H_

#include "json_values.h"

namespace ecfhost {

// Wraps every entry point that is bound and not wrapped yet (after a session
// start rebinds them). Stand-ins are left alone: the package tells a bound
// entry point from an unbound one by them.
void TraceDriverCalls();
// The codes noted since the last take: [{"call": NAME, "code": N}, ...].
Json TakeDriverCodes();
// True when the package has bound the driver (a session was started).
bool SessionStarted();

}  // namespace ecfhost

#endif  // ECFHOST_DRIVER_TRACE_H_
