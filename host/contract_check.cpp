// Checking a call's arguments against its operation's contract before the
// call is prepared: what the package would only notice half-way through (or
// never, reading an absent key as "" or 0) is refused with a message naming
// the key, position or field.
#include <algorithm>
#include <set>

#include "contracts.h"
#include "tov00300/format.h"

namespace ecfhost {

const char* ValueKindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::kText:
      return "text";
    case ValueKind::kNumberText:
      return "number as text";
    case ValueKind::kInteger:
      return "whole number";
    case ValueKind::kNumber:
      return "number";
    case ValueKind::kBoolean:
      return "boolean";
    case ValueKind::kDateTime:
      return "date-time";
    case ValueKind::kDataSet:
      return "data set";
    case ValueKind::kAny:
      return "any value";
  }
  return "any value";
}

namespace {

// Blank, or digits with at most one decimal separator ("," or ".", as the
// process's settings may have either) and an optional sign.
bool IsNumberText(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return true;
  const size_t last = text.find_last_not_of(' ');
  size_t at = first + (text[first] == '-' || text[first] == '+');
  bool digits = false, separator = false;
  for (; at <= last; ++at) {
    const char c = text[at];
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if ((c == ',' || c == '.') && !separator) {
      separator = true;
    } else {
      return false;
    }
  }
  return digits;
}

// Whether the package's conversion of the value to `kind` succeeds.
bool Converts(const Json& value, ValueKind kind) {
  if (kind == ValueKind::kAny) return true;
  if (kind == ValueKind::kDataSet) return IsForm(value, "rows");
  if (kind == ValueKind::kNumberText)
    return value.is_string() && IsNumberText(value.get<std::string>());
  try {
    const Tov00300::Variant v = VariantIn(value);
    switch (kind) {
      case ValueKind::kText:
        (void)v.AsString();
        break;
      case ValueKind::kInteger:
        (void)v.AsInt();
        break;
      case ValueKind::kNumber:
        (void)v.AsDouble();
        break;
      case ValueKind::kBoolean:
        (void)v.AsBool();
        break;
      case ValueKind::kDateTime:
        (void)v.AsDateTime();
        break;
      default:
        break;
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void CheckKind(const Json& value, ValueKind kind, const std::string& where) {
  if (!Converts(value, kind))
    throw ArgumentError(where + " must be a " + ValueKindName(kind) + ", got " +
                        DescribeJson(value) +
                        (value.is_string() ? " \"" + value.get<std::string>() + "\"" : ""));
}

size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string Upper(const std::string& s) {
  return Tov00300::UpperCase(s);
}

void CheckBag(const ParameterRule& p, const Json* arg, bool lenient, const std::string& where) {
  if (!arg || (arg->is_object() && arg->size() == 1 && arg->contains("empty"))) {
    if (lenient) return;
    for (const KeyRule& k : p.keys)
      if (k.required)
        throw ArgumentError(where + " is missing: a bag with " + k.key + " is required");
    return;
  }
  if (!IsForm(*arg, "bag") || !(*arg)["bag"].is_object()) {
    if (lenient) return;
    throw ArgumentError(where + " must be a parameter bag {\"bag\": {\"KEY\": value}}, got " +
                        DescribeJson(*arg));
  }
  const Json& bag = (*arg)["bag"];
  std::set<std::string> given;
  for (const auto& item : bag.items()) {
    const std::string key = Upper(item.key());
    given.insert(key);
    auto rule =
        std::find_if(p.keys.begin(), p.keys.end(), [&](const KeyRule& k) { return k.key == key; });
    if (rule == p.keys.end()) {
      if (lenient || p.otherKeysAllowed) continue;
      const KeyRule* nearest = nullptr;
      size_t best = 3;
      for (const KeyRule& k : p.keys) {
        const size_t d = EditDistance(key, k.key);
        if (d < best) best = d, nearest = &k;
      }
      std::string known;
      for (const KeyRule& k : p.keys) known += (known.empty() ? "" : ", ") + k.key;
      throw ArgumentError(where + ": bag key " + item.key() + " is not read by the operation" +
                          (nearest ? " (did you mean " + nearest->key + "?)" : "") + "; it reads " +
                          known);
    }
    CheckKind(item.value(), rule->kind, where + ": bag key " + rule->key);
  }
  if (lenient) return;
  for (const KeyRule& k : p.keys)
    if (k.required && given.count(k.key) == 0)
      throw ArgumentError(where + ": bag key " + k.key + " (" + k.meaning + ") is missing");
}

// The field names of a data-set argument: declared, or taken from the rows.
std::set<std::string> FieldNames(const Json& set) {
  std::set<std::string> names;
  if (set.contains("fields") && set["fields"].is_array()) {
    for (const Json& f : set["fields"])
      if (f.is_array() && !f.empty() && f[0].is_string()) names.insert(f[0].get<std::string>());
    return names;
  }
  if (set.contains("rows") && set["rows"].is_array())
    for (const Json& row : set["rows"])
      if (row.is_object())
        for (const auto& item : row.items()) names.insert(item.key());
  return names;
}

void CheckFields(const std::vector<FieldRule>& fields, const Json& set, bool optional,
                 bool withRowsOnly, const std::string& where) {
  if (!IsForm(set, "rows")) {
    if (optional) return;
    throw ArgumentError(where + " must be a data set {\"rows\": [...], \"fields\": [...]}, got " +
                        DescribeJson(set));
  }
  if (withRowsOnly && (!set["rows"].is_array() || set["rows"].empty())) return;
  const std::set<std::string> names = FieldNames(set);
  if (names.empty() && optional) return;
  for (const FieldRule& f : fields)
    if (names.count(f.name) == 0)
      throw ArgumentError(where + ": the data set has no field " + f.name + " (" +
                          ValueKindName(f.kind) + "), which the operation reads");
}

void CheckPositions(const ParameterRule& p, const Json& arg, bool lenient,
                    const std::string& where) {
  for (const PositionRule& rule : p.positions) {
    const Json* value = PositionalElement(arg, rule.index);
    if (!value || (value->is_object() && value->contains("empty"))) continue;
    const std::string at =
        where + " position " + std::to_string(rule.index) + " (" + rule.meaning + ")";
    CheckKind(*value, rule.kind, at);
    if (!rule.fields.empty() && !lenient) CheckFields(rule.fields, *value, false, false, at);
  }
}

size_t ArraySize(const Json& arg) {
  if (arg.is_array()) return arg.size();
  if (IsForm(arg, "array") && arg["array"].is_array()) return arg["array"].size();
  if (arg.is_object() && arg.contains("size") && arg["size"].is_number_integer())
    return arg["size"].get<size_t>();
  if (IsForm(arg, "positions") && arg["positions"].is_object()) {
    size_t size = 0;
    for (const auto& item : arg["positions"].items())
      size = std::max<size_t>(size, std::strtoul(item.key().c_str(), nullptr, 10) + 1);
    return size;
  }
  return 0;
}

}  // namespace

const Json* PositionalElement(const Json& array, int index) {
  if (array.is_array()) return static_cast<size_t>(index) < array.size() ? &array[index] : nullptr;
  if (IsForm(array, "array") && array["array"].is_array())
    return PositionalElement(array["array"], index);
  if (IsForm(array, "positions") && array["positions"].is_object()) {
    const std::string key = std::to_string(index);
    return array["positions"].contains(key) ? &array["positions"][key] : nullptr;
  }
  return nullptr;
}

void CheckArguments(const Contract& contract, const Json& args, bool lenient) {
  for (size_t i = 0; i < contract.parameters.size(); ++i) {
    const ParameterRule& p = contract.parameters[i];
    const Json* arg = i < args.size() ? &args[i] : nullptr;
    const std::string where = "args[" + std::to_string(i) + "] (" + p.name + ")";
    if (!p.keys.empty()) CheckBag(p, arg, lenient, where);
    if (!arg) continue;
    if (!p.positions.empty()) CheckPositions(p, *arg, lenient, where);
    if (p.minimumSize > 0 && ArraySize(*arg) < static_cast<size_t>(p.minimumSize))
      throw ArgumentError(where + " must be an array of at least " + std::to_string(p.minimumSize) +
                          " elements, e.g. {\"size\": " + std::to_string(p.minimumSize) + "}");
    if (!p.fields.empty() && !lenient)
      CheckFields(p.fields, *arg, p.fieldsOptional, p.readWithRowsOnly, where);
  }
}

}  // namespace ecfhost
