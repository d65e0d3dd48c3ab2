// A request to `ecfhost serve`: one JSON line, a script call with an "id",
// and optionally "answers" (the operator's replies to its questions),
// "lenient" and "token":
//
//   {"id": 7, "op": "VendaItem", "args": [{"bag": {...}}], "answers": ["S"]}
//   {"id": 8, "op": "status"}
//   {"op": "quit"}
//
// Everything a client can send is checked here, before anything runs:
// whatever the line holds, the result is a ready request or a RequestError.
#ifndef ECFHOST_REQUEST_H_
#define ECFHOST_REQUEST_H_

#include <deque>
#include <stdexcept>
#include <string>

#include "script.h"

namespace ecfhost {

struct Request {
  Json id = nullptr;  // echoed in the reply; null when the request has none
  std::string op;
  std::deque<bool> answers;
  ScriptCall call;  // prepared; empty for "status" and "quit"
};

// A request that cannot run. `id` is the request's id when it could be read,
// so the client can tell which of its requests was refused.
class RequestError : public std::runtime_error {
 public:
  RequestError(Json requestId, const std::string& what)
      : std::runtime_error(what), id(std::move(requestId)) {}
  Json id;
  bool tokenMissing = false;  // the request did not carry the service's token
};

// What the service demands of every request.
struct RequestRules {
  CallPolicy policy;  // its `lenient` is taken from each request
  // Not empty: the request must carry this "token".
  std::string token;
};

// Parses and checks one request line. Throws RequestError.
Request ParseRequest(const std::string& line, const RequestRules& rules);

// The reply to a request that did not run: {"id", "error", "refused": true}.
Json RefusalReply(const RequestError& error);

}  // namespace ecfhost

#endif  // ECFHOST_REQUEST_H_
