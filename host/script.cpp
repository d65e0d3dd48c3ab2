#include "script.h"

#include <iostream>
#include <set>
#include <sstream>

#include "contracts.h"

#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace ecfhost {

namespace {

void CheckKeys(const Json& object, const std::set<std::string>& allowed, const std::string& where) {
  for (const auto& item : object.items()) {
    if (allowed.count(item.key()) == 0 && item.key() != "comment")
      throw ScriptError(where + ": unknown key \"" + item.key() + "\"");
  }
}

}  // namespace

std::deque<bool> AnswersIn(const Json& answers) {
  if (!answers.is_array()) throw ScriptError("\"answers\" must be a list of \"S\" and \"N\"");
  std::deque<bool> out;
  for (size_t i = 0; i < answers.size(); ++i) {
    const Json& a = answers[i];
    if (!a.is_string() || (a != "S" && a != "N"))
      throw ScriptError("answers[" + std::to_string(i) + "] must be \"S\" or \"N\", got " +
                        a.dump());
    out.push_back(a == "S");
  }
  return out;
}

ScriptCall PrepareCall(const Json& call, const std::string& callName, const CallPolicy& policy) {
  std::string where = callName;
  if (!call.is_object() || !call.contains("op") || !call["op"].is_string())
    throw ScriptError(where + ": a call is an object with \"op\" (a text), got " +
                      DescribeJson(call));
  ScriptCall out;
  out.op = call["op"].get<std::string>();
  where += " (" + out.op + ")";
  if (call.contains("comment")) {
    if (!call["comment"].is_string()) throw ScriptError(where + ": \"comment\" must be a text");
    out.comment = call["comment"].get<std::string>();
  }
  if ((out.op == "sim" || out.op == "driver") && !policy.printerControl)
    throw ScriptError(where +
                      ": printer-control commands act on the printer without the package; "
                      "this service was started without --allow-printer-control");
  try {
    if (out.op == "sim") {
      CheckKeys(call, {"op", "command"}, where);
      out.prepared = PrepareSim(call);
    } else if (out.op == "get") {
      CheckKeys(call, {"op", "name"}, where);
      out.prepared = PrepareGet(call);
    } else if (out.op == "set") {
      CheckKeys(call, {"op", "name", "value"}, where);
      out.prepared = PrepareSet(call, policy.confineTo);
    } else if (out.op == "records") {
      CheckKeys(call, {"op", "table"}, where);
      out.prepared = PrepareRecords(call);
    } else if (out.op == "driver") {
      CheckKeys(call, {"op", "name", "args"}, where);
      out.prepared = PrepareDriver(call);
    } else {
      const Operation* op = FindOperation(out.op);
      if (!op) throw ScriptError(where + ": unknown op (`ecfhost ops` lists them)");
      CheckKeys(call, {"op", "args"}, where);
      const Json args = call.value("args", Json::array());
      if (!args.is_array())
        throw ScriptError(where + ": \"args\" must be a list, got " + DescribeJson(args));
      if (const Contract* contract = FindContract(out.op)) {
        CheckArguments(*contract, args, policy.lenient, &out.warnings);
        if (!policy.confineTo.empty()) CheckConfined(*contract, args, policy.confineTo);
      }
      out.prepared = op->Prepare(args);
    }
  } catch (const ArgumentError& e) {
    throw ScriptError(where + ": " + e.what());
  }
  return out;
}

Script ParseScript(const std::string& text) {
  Json root;
  try {
    root = ParseJson(text);
  } catch (const ArgumentError& e) {
    throw ScriptError(std::string("not a usable script: ") + e.what());
  }
  if (!root.is_object() || !root.contains("calls") || !root["calls"].is_array())
    throw ScriptError("a script is an object with \"calls\": [...]");
  CheckKeys(root, {"answers", "locale", "calls", "description", "lenient"}, "script");
  Script script;
  if (root.contains("lenient")) {
    if (!root["lenient"].is_boolean()) throw ScriptError("\"lenient\" must be true or false");
    script.lenient = root["lenient"].get<bool>();
  }
  if (root.contains("answers")) script.answers = AnswersIn(root["answers"]);
  if (root.contains("locale")) {
    if (!root["locale"].is_string())
      throw ScriptError("\"locale\" must be a text such as \"pt_BR\"");
    script.locale = root["locale"].get<std::string>();
    // The calls are checked with the package's conversions, which read
    // numbers in the script's formats.
    Tov00300::GlobalFormatSettings() = Tov00300::FormatSettings::FromLocaleName(*script.locale);
  }
  const Json& calls = root["calls"];
  CallPolicy policy;
  policy.lenient = script.lenient;
  for (size_t i = 0; i < calls.size(); ++i)
    script.calls.push_back(PrepareCall(calls[i], "calls[" + std::to_string(i) + "]", policy));
  return script;
}

Script LoadScript(const std::string& path) {
  if (path == "-") {
    std::ostringstream text;
    text << std::cin.rdbuf();
    return ParseScript(text.str());
  }
  const auto text = Tov00300::platform::ReadFile(path);
  if (!text) throw ScriptError("cannot read the script " + path);
  return ParseScript(*text);
}

}  // namespace ecfhost
