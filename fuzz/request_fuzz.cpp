// Requests to `ecfhost serve` come from any program that reaches its port:
// every line ends as a ready call or a refusal, both print as a reply line,
// and nothing runs (printer control is refused, as the service refuses it by
// default, and no prepared call is run here).
#include <cstdint>
#include <sstream>
#include <string>

#include "output.h"
#include "request.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ecfhost::RequestRules rules = [] {
    ecfhost::RequestRules r;
    r.policy.printerControl = false;
    r.policy.confineTo = "/var/empty/ecfhost-fuzz";
    return r;
  }();
  const std::string line(reinterpret_cast<const char*>(data), size);
  std::ostringstream reply;
  try {
    const ecfhost::Request request = ecfhost::ParseRequest(line, rules);
    ecfhost::Json shown = {{"id", request.id}, {"op", request.op}};
    // The arguments as the reply would show them after the call.
    if (request.call.prepared) shown["args"] = request.call.prepared->Args();
    ecfhost::PrintJsonLine(reply, shown);
  } catch (const ecfhost::RequestError& e) {
    ecfhost::PrintJsonLine(reply, ecfhost::RefusalReply(e));
  }
  return 0;
}
