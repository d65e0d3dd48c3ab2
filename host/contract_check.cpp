// Checking a call's arguments against its operation's contract before the
// call is prepared: a misspelt or missing key, a missing field, or a value the
// package's own conversions cannot take is refused with a message naming the
// key, position or field; a value the package converts from another form
// gets a warning saying what the package reads. In a lenient script nothing
// is refused: every problem becomes a warning and the package meets the
// arguments as given.
#include <algorithm>
#include <cstdio>
#include <set>

#include "contracts.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

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

// One call's check: a problem refuses the call, or, in a lenient script,
// becomes one of its warnings and the package meets the value as given.
class Check {
 public:
  Check(bool lenient, std::vector<std::string>* warnings)
      : lenient_(lenient), warnings_(warnings) {}
  void Problem(const std::string& text) const {
    if (!lenient_) throw ArgumentError(text);
    Note(text);
  }
  void Note(const std::string& text) const {
    if (warnings_) warnings_->push_back(text);
  }

 private:
  bool lenient_;
  std::vector<std::string>* warnings_;
};

std::string NumberText(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

// Whether the JSON value is the kind's own form, so that the package reads
// it as written.
bool NaturalForm(const Json& value, ValueKind kind) {
  switch (kind) {
    case ValueKind::kText:
    case ValueKind::kNumberText:
      return value.is_string();
    case ValueKind::kInteger:
      return value.is_number_integer();
    case ValueKind::kNumber:
      return value.is_number();
    case ValueKind::kBoolean:
      return value.is_boolean();
    case ValueKind::kDateTime:
      return IsForm(value, "datetime");
    default:
      return true;
  }
}

// Reads the value as the package does, with the runtime's own variant
// conversions: false when they refuse it. `readAs` receives what the
// package reads, as a phrase for a warning.
bool Converts(const Json& value, ValueKind kind, std::string& readAs) {
  if (kind == ValueKind::kAny) return true;
  if (kind == ValueKind::kDataSet) return IsForm(value, "rows");
  try {
    const Tov00300::Variant v = VariantIn(value);
    switch (kind) {
      case ValueKind::kText:
        readAs = "the text \"" + Tov00300::Cp1252ToUtf8(v.AsString()) + "\"";
        break;
      case ValueKind::kNumberText: {
        // The operation reads a text and converts it to a number itself;
        // a blank text reads as zero.
        const std::string text = v.AsString();
        double number = 0;
        if (!Tov00300::hostlib::EmptyString(text) && !Tov00300::TryStrToFloat(text, number))
          return false;
        readAs = "the text \"" + Tov00300::Cp1252ToUtf8(text) + "\"";
        break;
      }
      case ValueKind::kInteger:
        readAs = "the whole number " + std::to_string(v.AsInt());
        break;
      case ValueKind::kNumber:
        readAs = "the number " + NumberText(v.AsDouble());
        break;
      case ValueKind::kBoolean:
        readAs = v.AsBool() ? "true" : "false";
        break;
      case ValueKind::kDateTime:
        readAs = "the date-time " + DateTimeText(v.AsDateTime());
        break;
      default:
        break;
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// Refuses a value the package cannot convert; notes one it converts from
// another form than the kind's own (a number for a text, a text for a
// number), saying what the package will read. True when it converts.
bool CheckKind(const Json& value, ValueKind kind, const std::string& where, const Check& check) {
  std::string readAs;
  if (!Converts(value, kind, readAs)) {
    check.Problem(where + " must be a " + ValueKindName(kind) + ", got " + DescribeJson(value) +
                  (value.is_string() ? " \"" + value.get<std::string>() + "\"" : ""));
    return false;
  }
  if (!NaturalForm(value, kind) && !readAs.empty())
    check.Note(where + ": " + DescribeJson(value) + ", which the package reads as " + readAs);
  return true;
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

void CheckBag(const ParameterRule& p, const Json* arg, const Check& check,
              const std::string& where) {
  if (!arg || (arg->is_object() && arg->size() == 1 && arg->contains("empty"))) {
    for (const KeyRule& k : p.keys)
      if (k.required) {
        check.Problem(where + " is missing: a bag with " + k.key + " is required");
        return;
      }
    return;
  }
  if (!IsForm(*arg, "bag") || !(*arg)["bag"].is_object()) {
    check.Problem(where + " must be a parameter bag {\"bag\": {\"KEY\": value}}, got " +
                  DescribeJson(*arg));
    return;
  }
  const Json& bag = (*arg)["bag"];
  std::set<std::string> given;
  for (const auto& item : bag.items()) {
    const std::string key = Tov00300::UpperCase(item.key());
    given.insert(key);
    auto rule =
        std::find_if(p.keys.begin(), p.keys.end(), [&](const KeyRule& k) { return k.key == key; });
    if (rule == p.keys.end()) {
      if (p.otherKeysAllowed) continue;
      const KeyRule* nearest = nullptr;
      size_t best = 3;
      for (const KeyRule& k : p.keys) {
        const size_t d = EditDistance(key, k.key);
        if (d < best) best = d, nearest = &k;
      }
      std::string known;
      for (const KeyRule& k : p.keys) known += (known.empty() ? "" : ", ") + k.key;
      check.Problem(where + ": bag key " + item.key() + " is not read by the operation" +
                    (nearest ? " (did you mean " + nearest->key + "?)" : "") + "; it reads " +
                    known);
      continue;
    }
    CheckKind(item.value(), rule->kind, where + ": bag key " + rule->key, check);
  }
  for (const KeyRule& k : p.keys)
    if (k.required && given.count(k.key) == 0)
      check.Problem(where + ": bag key " + k.key + " (" + k.meaning + ") is missing");
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
                 bool withRowsOnly, const Check& check, const std::string& where) {
  if (!IsForm(set, "rows")) {
    if (!optional)
      check.Problem(where + " must be a data set {\"rows\": [...], \"fields\": [...]}, got " +
                    DescribeJson(set));
    return;
  }
  if (withRowsOnly && (!set["rows"].is_array() || set["rows"].empty())) return;
  const std::set<std::string> names = FieldNames(set);
  if (names.empty() && optional) return;
  for (const FieldRule& f : fields)
    if (!f.optional && names.count(f.name) == 0)
      check.Problem(where + ": the data set has no field " + f.name + " (" + ValueKindName(f.kind) +
                    "), which the operation reads");
}

void CheckPositions(const ParameterRule& p, const Json& arg, const Check& check,
                    const std::string& where) {
  for (const PositionRule& rule : p.positions) {
    const Json* value = PositionalElement(arg, rule.index);
    if (!value || (value->is_object() && value->contains("empty"))) continue;
    const std::string at =
        where + " position " + std::to_string(rule.index) + " (" + rule.meaning + ")";
    // A value of another kind (lenient) reaches the package as given.
    if (CheckKind(*value, rule.kind, at, check) && !rule.fields.empty())
      CheckFields(rule.fields, *value, false, false, check, at);
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

void CheckArguments(const Contract& contract, const Json& args, bool lenient,
                    std::vector<std::string>* warnings) {
  const Check check(lenient, warnings);
  for (size_t i = 0; i < contract.parameters.size(); ++i) {
    const ParameterRule& p = contract.parameters[i];
    const Json* arg = i < args.size() ? &args[i] : nullptr;
    const std::string where = "args[" + std::to_string(i) + "] (" + p.name + ")";
    if (!p.keys.empty()) CheckBag(p, arg, check, where);
    if (!arg) continue;
    if (!p.positions.empty()) CheckPositions(p, *arg, check, where);
    if (p.minimumSize > 0 && ArraySize(*arg) < static_cast<size_t>(p.minimumSize))
      check.Problem(where + " must be an array of at least " + std::to_string(p.minimumSize) +
                    " elements, e.g. {\"size\": " + std::to_string(p.minimumSize) + "}");
    if (!p.fields.empty())
      CheckFields(p.fields, *arg, p.fieldsOptional, p.readWithRowsOnly, check, where);
  }
}

}  // namespace ecfhost
