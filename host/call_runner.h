// Runs one prepared call and builds its record, for `run` and `serve` alike:
//   {"op", "result", "args", "messages", "driver", "log", "error"?, "hint"?,
//    "warnings"?, "result_means"?}
// "driver" lists the driver return codes met during the call, "log" the
// debug-log lines it wrote, so a failure explained only in the log is
// explained in the output too. "error" is set when an exception reached the
// host; the package's answer is always the call's own. "hint" is ecfhost's
// advice (a printer operation called before the session started),
// "warnings" what the check noted about the arguments, and "result_means"
// what a false result means where false is an answer, not a failure.
#ifndef ECFHOST_CALL_RUNNER_H_
#define ECFHOST_CALL_RUNNER_H_

#include <cstdint>
#include <string>

#include "operator.h"
#include "script.h"

namespace ecfhost {

class CallRunner {
 public:
  // `till` must outlive the runner.
  explicit CallRunner(Operator& till) : till_(till) {}
  Json Execute(ScriptCall& call);

 private:
  Operator& till_;
};

// True when the record reports a failure: an error, or a false result that
// is not an answer.
bool RecordFailed(const Json& record);

}  // namespace ecfhost

#endif  // ECFHOST_CALL_RUNNER_H_
