#include "request.h"

namespace ecfhost {

namespace {

// Compares without stopping at the first difference, so the time a refusal
// takes does not tell a client how much of its guess was right.
bool SameToken(const std::string& given, const std::string& expected) {
  if (expected.empty()) return given.empty();
  unsigned char difference = given.size() == expected.size() ? 0 : 1;
  for (size_t i = 0; i < given.size(); ++i)
    difference |= static_cast<unsigned char>(given[i] ^ expected[i % expected.size()]);
  return difference == 0;
}

}  // namespace

Request ParseRequest(const std::string& line, const RequestRules& rules) {
  Json request;
  try {
    request = ParseJson(line);
  } catch (const ArgumentError& e) {
    throw RequestError(nullptr, e.what());
  }
  if (!request.is_object())
    throw RequestError(
        nullptr, "a request is an object {\"id\", \"op\", \"args\"}, got " + DescribeJson(request));
  Request out;
  if (request.contains("id")) out.id = request["id"];
  if (!rules.token.empty()) {
    const Json& token = request.contains("token") ? request["token"] : Json();
    if (!token.is_string() || !SameToken(token.get<std::string>(), rules.token)) {
      RequestError refusal(out.id, "this service takes requests only with its token (\"token\")");
      refusal.tokenMissing = true;
      throw refusal;
    }
  }
  CallPolicy policy = rules.policy;
  try {
    if (request.contains("lenient")) {
      if (!request["lenient"].is_boolean())
        throw ScriptError("\"lenient\" must be true or false, got " +
                          DescribeJson(request["lenient"]));
      policy.lenient = request["lenient"].get<bool>();
    }
    if (request.contains("answers")) out.answers = AnswersIn(request["answers"]);
    for (const char* key : {"id", "answers", "lenient", "token"}) request.erase(key);
    if (!request.contains("op") || !request["op"].is_string())
      throw ScriptError("a request names its operation with \"op\" (a text)");
    out.op = request["op"].get<std::string>();
    if (out.op == "status" || out.op == "quit") {
      if (request.size() > 1)
        throw ScriptError("\"" + out.op + "\" takes no arguments besides \"id\"");
      return out;
    }
    out.call = PrepareCall(request, "request", policy);
  } catch (const ScriptError& e) {
    throw RequestError(out.id, e.what());
  } catch (const ArgumentError& e) {
    throw RequestError(out.id, e.what());
  }
  return out;
}

Json RefusalReply(const RequestError& error) {
  return {{"id", error.id}, {"error", error.what()}, {"refused", true}};
}

}  // namespace ecfhost
