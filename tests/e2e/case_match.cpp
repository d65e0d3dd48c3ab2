// Matching what a run left against what a case expects: a plain value is
// matched as written (objects by the keys given, arrays whole), an object
// whose key starts with "$" is one of the forms below.
#include <functional>
#include <regex>
#include <string>

#include "case_data.h"
#include "tape_lines.h"

namespace e2e::cases {

namespace {

using Why = std::vector<std::string>;

bool Fail(Why* why, const std::string& path, const std::string& what) {
  if (why != nullptr) why->push_back(path + ": " + what);
  return false;
}

// Numbers by value (1 and 1.0 are one number), objects whatever their order.
bool SameValue(const Json& a, const Json& b) {
  if (a.is_number() && b.is_number()) return a.get<double>() == b.get<double>();
  if (a.type() != b.type()) return false;
  if (a.is_object()) {
    if (a.size() != b.size()) return false;
    for (const auto& [key, value] : a.items())
      if (!b.contains(key) || !SameValue(value, b[key])) return false;
    return true;
  }
  if (a.is_array()) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (!SameValue(a[i], b[i])) return false;
    return true;
  }
  return a == b;
}

size_t Occurrences(const std::string& text, const std::string& part) {
  if (part.empty()) return 0;
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The operator key of an object ("" when it has none).
std::string OperatorOf(const Json& e) {
  if (!e.is_object()) return "";
  for (const auto& [key, value] : e.items())
    if (key.starts_with("$")) return key;
  return "";
}

const Json& Is(const Json& e, const std::string& op, const std::string& path) {
  if (!e.contains("is")) throw CaseError(path + ": {\"" + op + "\": ..., \"is\": ...}");
  return e["is"];
}

// A long text as it reads, cut to its first 6000 bytes.
std::string Excerpt(const std::string& text) {
  return text.size() <= 6000
             ? text
             : text.substr(0, 6000) + "\n... (" + std::to_string(text.size()) + " bytes)";
}

const std::string* Text(const Json& a) {
  return a.is_string() ? &a.get_ref<const std::string&>() : nullptr;
}

bool MatchOperator(const std::string& op, const Json& e, const Json& a, const std::string& path,
                   Why* why) {
  const Json& arg = e[op];
  const std::string* text = Text(a);
  auto needText = [&](const std::string& what) {
    if (text == nullptr) Fail(why, path, op + " " + what + ", got " + Show(a));
    return text != nullptr;
  };
  auto needArray = [&]() {
    if (!a.is_array()) Fail(why, path, op + " looks into an array, got " + Show(a));
    return a.is_array();
  };
  if (op == "$not") {
    if (!Match(arg, a, path, nullptr)) return true;
    return Fail(why, path, "should not be " + Show(arg) + ", got " + Show(a));
  }
  if (op == "$any_of") {
    for (const Json& option : arg)
      if (Match(option, a, path, nullptr)) return true;
    return Fail(why, path, "none of " + Show(arg) + " matches " + Show(a));
  }
  if (op == "$all") {
    bool ok = true;
    for (const Json& each : arg) ok = Match(each, a, path, why) && ok;
    return ok;
  }
  if (op == "$equals") {
    return SameValue(arg, a) ||
           Fail(why, path, "expected exactly " + Show(arg) + ", got " + Show(a));
  }
  if (op == "$absent") {
    throw CaseError(path + ": {\"$absent\": true} stands only as the value of a key");
  }
  if (op == "$present") return true;  // the key's presence is checked with its object
  if (op == "$contains") {
    if (text != nullptr && (arg.is_string() || arg.is_array())) {
      bool ok = true;
      for (const Json& part : arg.is_array() ? arg : Json::array({arg})) {
        if (!part.is_string()) throw CaseError(path + ": $contains looks for texts in a text");
        if (text->find(part.get_ref<const std::string&>()) == std::string::npos)
          ok = Fail(why, path, "lacks " + Show(part) + " in:\n" + Excerpt(*text));
      }
      return ok;
    }
    if (a.is_array()) {
      for (const Json& item : a)
        if (Match(arg, item, path, nullptr)) return true;
      return Fail(why, path, "no element matches " + Show(arg) + " in " + Show(a, 4000));
    }
    return Fail(why, path, "$contains looks into a text or an array, got " + Show(a));
  }
  if (op == "$prefix") {
    if (!needText("reads a text")) return false;
    return text->starts_with(arg.get<std::string>()) ||
           Fail(why, path, "does not start with " + Show(arg) + ": " + Show(a));
  }
  if (op == "$regex") {
    if (!needText("reads a text")) return false;
    return std::regex_search(*text, std::regex(arg.get<std::string>())) ||
           Fail(why, path, "does not match /" + arg.get<std::string>() + "/: " + Show(a));
  }
  if (op == "$size") {
    if (!text && !a.is_array() && !a.is_object()) return Fail(why, path, "$size of " + Show(a));
    return Match(arg, text ? text->size() : a.size(), path + ".size", why);
  }
  if (op == "$count") {
    size_t n = 0;
    if (text != nullptr && arg.is_string()) {
      n = Occurrences(*text, arg.get<std::string>());
    } else if (a.is_array()) {
      for (const Json& item : a) n += Match(arg, item, path, nullptr);
    } else {
      return Fail(why, path, "$count looks into a text or an array, got " + Show(a));
    }
    return Match(Is(e, op, path), n, path + ".count(" + Show(arg, 80) + ")", why);
  }
  if (op == "$count_line") {
    if (!needText("reads a text")) return false;
    size_t n = 0;
    for (const std::string& line : Lines(*text)) n += line == arg.get<std::string>();
    return Match(Is(e, op, path), n, path + ".count_line(" + Show(arg, 80) + ")", why);
  }
  if (op == "$in_order") {
    size_t at = 0;
    for (const Json& part : arg) {
      if (text != nullptr && part.is_string()) {
        at = text->find(part.get<std::string>(), at);
        if (at == std::string::npos)
          return Fail(why, path,
                      "lacks " + Show(part) + " after the parts before it in " + Show(a, 4000));
        at += part.get<std::string>().size();
      } else if (a.is_array()) {
        while (at < a.size() && !Match(part, a[at], path, nullptr)) ++at;
        if (at == a.size())
          return Fail(
              why, path,
              "no element matches " + Show(part) + " after those before it in " + Show(a, 4000));
        ++at;
      } else {
        return Fail(why, path, "$in_order looks into a text or an array, got " + Show(a));
      }
    }
    return true;
  }
  if (op == "$lines") {
    if (!needText("reads a text")) return false;
    return HasLines(*text, arg.get<std::vector<std::string>>()) ||
           Fail(why, path, "lacks the lines " + Show(arg, 2000) + " in:\n" + *text);
  }
  if (op == "$each") {
    if (!needArray()) return false;
    bool ok = true;
    for (size_t i = 0; i < a.size(); ++i)
      ok = Match(arg, a[i], path + "[" + std::to_string(i) + "]", why) && ok;
    return ok;
  }
  if (op == "$filter") {
    if (!needArray()) return false;
    Json kept = Json::array();
    for (const Json& item : a)
      if (Match(arg, item, path, nullptr)) kept.push_back(item);
    return Match(Is(e, op, path), kept, path + ".filter(" + Show(arg, 80) + ")", why);
  }
  if (op == "$slice") {
    if (!needText("reads a text")) return false;
    const size_t start = arg.at(0).get<size_t>(), length = arg.at(1).get<size_t>();
    if (start > text->size()) return Fail(why, path, "too short for " + Show(arg));
    return Match(Is(e, op, path), text->substr(start, length), path + ".slice" + Show(arg), why);
  }
  if (op == "$after_last") {
    if (!needText("reads a text")) return false;
    const size_t at = text->rfind(arg.get<std::string>());
    if (at == std::string::npos) return Fail(why, path, "lacks " + Show(arg) + " in " + Show(a));
    return Match(Is(e, op, path), text->substr(at), path + ".after_last(" + Show(arg, 80) + ")",
                 why);
  }
  if (op == "$joined") {
    if (!needText("reads a text")) return false;
    std::string joined = *text;
    std::erase(joined, '\n');
    return Match(arg, joined, path + ".joined", why);
  }
  if (op == "$json") {
    if (!needText("reads a text")) return false;
    const Json parsed = Json::parse(*text, nullptr, false);
    if (parsed.is_discarded()) return Fail(why, path, "not JSON: " + Show(a));
    return Match(arg, parsed, path, why);
  }
  throw CaseError(path + ": unknown form " + op);
}

}  // namespace

std::string Show(const Json& value, size_t limit) {
  std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  if (text.size() > limit)
    text = text.substr(0, limit) + "... (" + std::to_string(text.size()) + " bytes)";
  return text;
}

bool Match(const Json& expected, const Json& actual, const std::string& path, Why* why) {
  if (const std::string op = OperatorOf(expected); !op.empty())
    return MatchOperator(op, expected, actual, path, why);
  if (expected.is_object()) {
    if (!actual.is_object() && !actual.is_array())
      return Fail(why, path, "expected " + Show(expected) + ", got " + Show(actual));
    bool ok = true;
    for (const auto& [key, value] : expected.items()) {
      if (actual.is_array()) {
        char* end = nullptr;
        const long index = std::strtol(key.c_str(), &end, 10);
        const long size = static_cast<long>(actual.size());
        const long at = index < 0 ? size + index : index;
        if (key.empty() || *end != '\0')
          throw CaseError(path + ": \"" + key + "\" is no index of an array");
        if (at < 0 || at >= size) {
          ok = Fail(why, path, "has no element " + key + " (" + std::to_string(size) + ")");
        } else {
          ok = Match(value, actual[static_cast<size_t>(at)], path + "[" + key + "]", why) && ok;
        }
      } else if (OperatorOf(value) == "$absent") {
        if (actual.contains(key))
          ok = Fail(why, path + "." + key, "should be absent, got " + Show(actual[key]));
      } else if (!actual.contains(key)) {
        ok = Fail(why, path + "." + key, "missing in " + Show(actual));
      } else {
        ok = Match(value, actual[key], path + "." + key, why) && ok;
      }
    }
    return ok;
  }
  if (expected.is_array()) {
    if (!actual.is_array() || actual.size() != expected.size())
      return Fail(why, path, "expected " + Show(expected, 2000) + ", got " + Show(actual, 2000));
    bool ok = true;
    for (size_t i = 0; i < expected.size(); ++i)
      ok = Match(expected[i], actual[i], path + "[" + std::to_string(i) + "]", why) && ok;
    return ok;
  }
  return SameValue(expected, actual) ||
         Fail(why, path, "expected " + Show(expected) + ", got " + Show(actual));
}

}  // namespace e2e::cases
