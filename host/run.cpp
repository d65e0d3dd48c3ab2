// `ecfhost run`: one session running a till script's calls in order.
#include <iostream>

#include "call_runner.h"
#include "commands.h"
#include "output.h"
#include "tov00300/format.h"

namespace ecfhost {

int RunCommand(const Options& o) {
  Script script;
  try {
    script = LoadScript(o.target);
  } catch (const ScriptError& e) {
    std::cerr << "ecfhost: " << (o.target == "-" ? "standard input" : o.target) << ": " << e.what()
              << "\n";
    return kBadUse;
  }
  if (!PrepareHostFolder(o)) return kBadUse;
  if (script.locale)
    Tov00300::GlobalFormatSettings() = Tov00300::FormatSettings::FromLocaleName(*script.locale);

  Operator till(std::move(script.answers));
  till.Install();
  CallRunner runner(till);
  bool failed = false;
  for (size_t i = 0; i < script.calls.size(); ++i) {
    ScriptCall& call = script.calls[i];
    const Json record = runner.Execute(call);
    failed = failed || RecordFailed(record);
    if (o.pretty) {
      if (!call.comment.empty()) std::cout << "# " << call.comment << "\n";
      PrintPretty(std::cout, i, record);
    } else {
      PrintJsonLine(std::cout, record);
    }
    std::cout.flush();
  }
  return o.strict && failed ? 1 : 0;
}

}  // namespace ecfhost
