// Reading a case: fragments put in place, generated texts built, tokens
// replaced.
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <regex>
#include <string>

#include "case_data.h"
#include "tov00300/closing_reports.h"

namespace e2e::cases {

namespace {

constexpr int kMaxDepth = 64;

bool IsIndex(const std::string& key) {
  return !key.empty() && key.find_first_not_of("0123456789") == std::string::npos;
}

// Lays `overlay` over `target`: objects key by key, an object of indexes
// over an array element by element, anything else replaces.
void Merge(Json& target, const Json& overlay, const std::string& where) {
  if (overlay.is_object() && target.is_object()) {
    for (const auto& [key, value] : overlay.items()) {
      if (target.contains(key)) {
        Merge(target[key], value, where + "." + key);
      } else {
        target[key] = value;
      }
    }
    return;
  }
  if (overlay.is_object() && target.is_array()) {
    for (const auto& [key, value] : overlay.items()) {
      if (!IsIndex(key) || std::stoul(key) >= target.size())
        throw CaseError(where + ": \"" + key + "\" is no element of the fragment's " +
                        std::to_string(target.size()));
      Merge(target[std::stoul(key)], value, where + "[" + key + "]");
    }
    return;
  }
  target = overlay;
}

Json ExpandAt(const Json& value, const Fragments& fragments, const std::string& where, int depth) {
  if (depth > kMaxDepth) throw CaseError(where + ": fragments refer to each other without end");
  if (value.is_array()) {
    Json out = Json::array();
    for (size_t i = 0; i < value.size(); ++i) {
      const Json& item = value[i];
      const std::string at = where + "[" + std::to_string(i) + "]";
      if (item.is_object() && item.contains("$spread")) {
        if (item.size() != 1 || !item["$spread"].is_string())
          throw CaseError(at + ": {\"$spread\": NAME} takes nothing else");
        const Json items = ExpandAt(fragments.Find(item["$spread"]), fragments, at, depth + 1);
        if (!items.is_array()) throw CaseError(at + ": a spread fragment must be an array");
        for (const Json& spread : items) out.push_back(spread);
      } else {
        out.push_back(ExpandAt(item, fragments, at, depth + 1));
      }
    }
    return out;
  }
  if (!value.is_object()) return value;
  if (value.contains("$ref")) {
    if (!value["$ref"].is_string()) throw CaseError(where + ": \"$ref\" names a fragment");
    Json out = ExpandAt(fragments.Find(value["$ref"]), fragments, where, depth + 1);
    Json overlay = Json::object();
    for (const auto& [key, item] : value.items())
      if (key != "$ref") overlay[key] = ExpandAt(item, fragments, where + "." + key, depth + 1);
    if (!overlay.empty()) {
      if (!out.is_object() && !out.is_array())
        throw CaseError(where + ": only an object or array fragment takes keys of its own");
      Merge(out, overlay, where);
    }
    return out;
  }
  if (value.contains("$repeat")) {
    const Json text = ExpandAt(value["$repeat"], fragments, where, depth + 1);
    if (value.size() != 2 || !text.is_string() || !value.contains("times") ||
        !value["times"].is_number_unsigned())
      throw CaseError(where + ": {\"$repeat\": TEXT, \"times\": N}");
    std::string out;
    const size_t times = value["times"].get<size_t>();
    out.reserve(text.get_ref<const std::string&>().size() * times);
    for (size_t i = 0; i < times; ++i) out += text.get_ref<const std::string&>();
    return out;
  }
  if (value.contains("$concat")) {
    const Json parts = ExpandAt(value["$concat"], fragments, where, depth + 1);
    if (value.size() != 1 || !parts.is_array())
      throw CaseError(where + ": {\"$concat\": [TEXT, ...]}");
    std::string out;
    for (const Json& part : parts) {
      if (!part.is_string()) throw CaseError(where + ": \"$concat\" joins texts only");
      out += part.get_ref<const std::string&>();
    }
    return out;
  }
  Json out = Json::object();
  for (const auto& [key, item] : value.items())
    out[key] = ExpandAt(item, fragments, where + "." + key, depth + 1);
  return out;
}

std::string DateToken(const std::string& spec) {
  // DATE, DATE-1, DATE+2, then ":FORMAT"
  const size_t colon = spec.find(':');
  const std::string offset = spec.substr(4, colon == std::string::npos ? 0 : colon - 4);
  if (colon == std::string::npos) throw CaseError("${" + spec + "}: a date needs :FORMAT");
  long days = 0;
  if (!offset.empty()) {
    char* end = nullptr;
    days = std::strtol(offset.c_str(), &end, 10);
    if (*end != '\0' || (offset[0] != '-' && offset[0] != '+'))
      throw CaseError("${" + spec + "}: the offset is -N or +N days");
  }
  const std::time_t when = std::time(nullptr) + days * 86400;
  std::tm local{};
  localtime_r(&when, &local);
  char text[64];
  const size_t n = std::strftime(text, sizeof text, spec.substr(colon + 1).c_str(), &local);
  return std::string(text, n);
}

std::string Escaped(const std::string& text) {
  static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
  return std::regex_replace(text, special, R"(\$&)");
}

std::string SubstituteText(const std::string& text,
                           const std::map<std::string, std::string>& tokens, bool inRegex) {
  std::string out;
  size_t at = 0;
  for (size_t open; (open = text.find("${", at)) != std::string::npos;) {
    const size_t close = text.find('}', open);
    if (close == std::string::npos) throw CaseError("unclosed ${ in " + text);
    const std::string name = text.substr(open + 2, close - open - 2);
    std::string value;
    if (name.starts_with("DATE")) {
      value = DateToken(name);
    } else if (auto found = tokens.find(name); found != tokens.end()) {
      value = found->second;
    } else {
      throw CaseError("unknown token ${" + name + "}");
    }
    out += text.substr(at, open - at) + (inRegex ? Escaped(value) : value);
    at = close + 1;
  }
  return out + text.substr(at);
}

Json SubstituteIn(const Json& value, const std::map<std::string, std::string>& tokens,
                  bool inRegex) {
  if (value.is_string()) return SubstituteText(value.get<std::string>(), tokens, inRegex);
  if (value.is_array()) {
    Json out = Json::array();
    for (const Json& item : value) out.push_back(SubstituteIn(item, tokens, inRegex));
    return out;
  }
  if (!value.is_object()) return value;
  Json out = Json::object();
  for (const auto& [key, item] : value.items())
    out[SubstituteText(key, tokens, false)] = SubstituteIn(item, tokens, key == "$regex");
  return out;
}

}  // namespace

const Json& Fragments::Find(const std::string& name) const {
  for (const Json* scope : scopes)
    if (scope != nullptr && scope->is_object() && scope->contains(name)) return (*scope)[name];
  throw CaseError("no fragment named \"" + name + "\"");
}

const Json& PackageFragments() {
  static const Json fragments = [] {
    Json fields = Json::array();
    for (const Tov00300::SoldProductField& f : Tov00300::kSoldProductFields) {
      fields.push_back(f.type == Tov00300::FieldType::String ? Json{f.name, "string", f.size}
                                                             : Json{f.name, "float"});
    }
    return Json{{"product_fields", fields}};
  }();
  return fragments;
}

Json ReadCaseFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CaseError("cannot read " + path);
  try {
    return Json::parse(in);
  } catch (const std::exception& e) {
    throw CaseError(path + ": " + e.what());
  }
}

Json CaseFragment(const std::string& folder, const std::string& name,
                  const std::map<std::string, std::string>& tokens) {
  const std::string cases = TOV_SOURCE_DIR "/tests/e2e/cases/";
  const Json shared = ReadCaseFile(cases + "fragments.json");
  const Json own = ReadCaseFile(cases + folder + "/fragments.json");
  const Fragments fragments{{&own, &shared, &PackageFragments()}};
  return Substitute(Expand(fragments.Find(name), fragments), tokens);
}

Json Expand(const Json& value, const Fragments& fragments) {
  return ExpandAt(value, fragments, "case", 0);
}

Json Substitute(const Json& value, const std::map<std::string, std::string>& tokens) {
  return SubstituteIn(value, tokens, false);
}

}  // namespace e2e::cases
