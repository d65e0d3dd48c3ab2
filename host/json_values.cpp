#include "json_values.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <set>

#include "tov00300/format.h"

namespace ecfhost {

using Tov00300::DataPacket;
using Tov00300::DateTime;
using Tov00300::Variant;
using Tov00300::VariantArray;

namespace {

int SizeIn(const Json& j) {
  if (!j.is_number_integer() || j.get<long long>() < 0 || j.get<long long>() > 100000)
    throw ArgumentError("\"size\" must be a whole number from 0 to 100000, got " + DescribeJson(j));
  return j.get<int>();
}

int ParseDigits(const std::string& s, size_t at, size_t count, bool& ok) {
  int n = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (i >= s.size() || s[i] < '0' || s[i] > '9') {
      ok = false;
      return 0;
    }
    n = n * 10 + (s[i] - '0');
  }
  return n;
}

bool LooksLikeBag(const VariantArray& a) {
  if (a.empty()) return false;
  std::set<std::string> keys;
  for (const Variant& pair : a) {
    if (!pair.IsArray() || pair.AsArray().size() != 2 ||
        pair.AsArray()[0].kind() != Variant::Kind::String)
      return false;
    if (!keys.insert(Tov00300::UpperCase(pair.AsArray()[0].AsString())).second) return false;
  }
  return true;
}

}  // namespace

Json ParseJson(const std::string& text) {
  struct TooDeep {};
  auto check = [](int depth, Json::parse_event_t event, Json& /*parsed*/) {
    if ((event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start) &&
        depth >= kMaxJsonDepth)
      throw TooDeep{};
    return true;
  };
  try {
    return Json::parse(text, check);
  } catch (const TooDeep&) {
    throw ArgumentError("values nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
  } catch (const Json::exception& e) {
    // Also a number no double holds (1e400), which the parser reports as out
    // of range rather than as a syntax error.
    throw ArgumentError(std::string("not valid JSON: ") + e.what());
  }
}

std::string DescribeJson(const Json& j) {
  switch (j.type()) {
    case Json::value_t::null:
      return "null";
    case Json::value_t::boolean:
      return "a boolean";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
      return "a whole number";
    case Json::value_t::number_float:
      return "a number with decimals";
    case Json::value_t::string:
      return "a text";
    case Json::value_t::array:
      return "a list";
    case Json::value_t::object: {
      std::string keys;
      for (const auto& item : j.items()) keys += (keys.empty() ? "" : ", ") + item.key();
      return "an object with " + (keys.empty() ? std::string("no keys") : "keys " + keys);
    }
    default:
      return "an unusable value";
  }
}

std::string TextIn(const Json& j) {
  if (!j.is_string()) throw ArgumentError("expected a text, got " + DescribeJson(j));
  return Tov00300::Utf8ToCp1252(j.get<std::string>());
}

Json TextOut(const std::string& cp1252) {
  return Tov00300::Cp1252ToUtf8(cp1252);
}

DateTime DateTimeIn(const Json& j) {
  if (IsForm(j, "datetime")) return DateTimeIn(j["datetime"]);
  if (!j.is_string())
    throw ArgumentError("expected a date-time \"YYYY-MM-DDTHH:MM:SS\", got " + DescribeJson(j));
  const std::string s = j.get<std::string>();
  bool ok = s.size() == 10 || (s.size() == 19 && (s[10] == 'T' || s[10] == ' '));
  ok = ok && s[4] == '-' && s[7] == '-';
  const int year = ParseDigits(s, 0, 4, ok), month = ParseDigits(s, 5, 2, ok),
            day = ParseDigits(s, 8, 2, ok);
  int hour = 0, minute = 0, second = 0;
  if (ok && s.size() == 19) {
    ok = s[13] == ':' && s[16] == ':';
    hour = ParseDigits(s, 11, 2, ok);
    minute = ParseDigits(s, 14, 2, ok);
    second = ParseDigits(s, 17, 2, ok);
  }
  if (!ok) throw ArgumentError("\"" + s + "\" is not a date-time \"YYYY-MM-DDTHH:MM:SS\"");
  try {
    return DateTime::FromParts(year, month, day, hour, minute, second);
  } catch (const std::exception& e) {
    throw ArgumentError("\"" + s + "\" is not a date-time that exists");
  }
}

std::string DateTimeText(DateTime value) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
  value.Decode(y, mo, d);
  value.DecodeTime(h, mi, s, ms);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", y, mo, d, h, mi, s);
  return text;
}

Json DateTimeOut(DateTime value) {
  return Json{{"datetime", DateTimeText(value)}};
}

Variant VariantIn(const Json& j) {
  switch (j.type()) {
    case Json::value_t::null:
      return Variant::Null();
    case Json::value_t::boolean:
      return Variant(j.get<bool>());
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned: {
      const long long n = j.get<long long>();
      if (n >= INT32_MIN && n <= INT32_MAX) return Variant(static_cast<int>(n));
      return Variant(static_cast<int64_t>(n));
    }
    case Json::value_t::number_float:
      return Variant(j.get<double>());
    case Json::value_t::string:
      return Variant(TextIn(j));
    case Json::value_t::array:
      return Variant(VariantArrayIn(j));
    case Json::value_t::object:
      break;
    default:
      throw ArgumentError("unusable value " + j.dump());
  }
  if (j.size() == 1 && IsForm(j, "empty")) return Variant();
  if (IsForm(j, "bag")) {
    const Json& bag = j["bag"];
    if (!bag.is_object() || j.size() != 1)
      throw ArgumentError("{\"bag\": ...} takes an object of KEY: value pairs");
    std::vector<std::pair<std::string, Variant>> pairs;
    for (const auto& item : bag.items()) {
      try {
        pairs.emplace_back(Tov00300::Utf8ToCp1252(item.key()), VariantIn(item.value()));
      } catch (const ArgumentError& e) {
        throw ArgumentError("bag key " + item.key() + ": " + e.what());
      }
    }
    return Tov00300::MakeBag(pairs);
  }
  if (IsForm(j, "rows")) return Variant(DataPacketIn(j));
  if (IsForm(j, "datetime")) return Variant(DateTimeIn(j));
  if (IsForm(j, "strings")) {
    VariantArray items;
    const Tov00300::StringList list = StringListIn(j);
    for (const std::string& s : list.Items()) items.emplace_back(s);
    return Variant(std::move(items));
  }
  if (IsForm(j, "array") || IsForm(j, "positions") || IsForm(j, "size"))
    return Variant(VariantArrayIn(j));
  throw ArgumentError("unknown value form: " + DescribeJson(j) +
                      " (bag, array, strings, rows, datetime, positions, size or empty)");
}

Json VariantOut(const Variant& v) {
  switch (v.kind()) {
    case Variant::Kind::Empty:
      return Json{{"empty", true}};
    case Variant::Kind::Null:
      return nullptr;
    case Variant::Kind::Bool:
      return v.AsBool();
    case Variant::Kind::Integer:
      return v.AsInt64();
    case Variant::Kind::Double:
      return v.AsDouble();
    case Variant::Kind::String:
      return TextOut(v.AsString());
    case Variant::Kind::DateTime:
      return DateTimeOut(v.AsDateTime());
    case Variant::Kind::DataPacket:
      return DataPacketOut(v.AsDataPacket());
    case Variant::Kind::Array:
      break;
  }
  const VariantArray& a = v.AsArray();
  if (LooksLikeBag(a)) {
    Json bag = Json::object();
    for (const Variant& pair : a)
      bag[Tov00300::Cp1252ToUtf8(pair.AsArray()[0].AsString())] = VariantOut(pair.AsArray()[1]);
    return Json{{"bag", bag}};
  }
  return VariantArrayOut(a);
}

VariantArray VariantArrayIn(const Json& j) {
  VariantArray out;
  if (j.is_array()) {
    for (size_t i = 0; i < j.size(); ++i) {
      try {
        out.push_back(VariantIn(j[i]));
      } catch (const ArgumentError& e) {
        throw ArgumentError("element " + std::to_string(i) + ": " + e.what());
      }
    }
    return out;
  }
  if (IsForm(j, "array")) {
    if (!j["array"].is_array() || j.size() != 1)
      throw ArgumentError("{\"array\": ...} takes a list");
    return VariantArrayIn(j["array"]);
  }
  if (IsForm(j, "positions") || IsForm(j, "size")) {
    const Json positions = j.value("positions", Json::object());
    if (!positions.is_object())
      throw ArgumentError("{\"positions\": ...} takes an object of \"N\": value");
    size_t size = j.contains("size") ? static_cast<size_t>(SizeIn(j["size"])) : 0;
    std::vector<std::pair<size_t, Variant>> given;
    for (const auto& item : positions.items()) {
      const std::string& key = item.key();
      bool ok = !key.empty() && key.size() <= 5;
      const int index = ParseDigits(key, 0, key.size(), ok);
      if (!ok) throw ArgumentError("position \"" + key + "\" is not a whole number");
      try {
        given.emplace_back(index, VariantIn(item.value()));
      } catch (const ArgumentError& e) {
        throw ArgumentError("position " + key + ": " + e.what());
      }
      if (!j.contains("size")) size = std::max(size, static_cast<size_t>(index) + 1);
      if (static_cast<size_t>(index) >= size)
        throw ArgumentError("position " + key + " lies beyond \"size\" " + std::to_string(size));
    }
    out.resize(size);
    for (auto& [index, value] : given) out[index] = std::move(value);
    return out;
  }
  throw ArgumentError(
      "expected a list, {\"array\": [...]}, {\"positions\": {...}} or "
      "{\"size\": n}, got " +
      DescribeJson(j));
}

Json VariantArrayOut(const VariantArray& a) {
  Json out = Json::array();
  for (const Variant& v : a) out.push_back(VariantOut(v));
  return out;
}

Tov00300::StringList StringListIn(const Json& j) {
  const Json& items = IsForm(j, "strings") ? j["strings"] : j;
  if (!items.is_array())
    throw ArgumentError("expected {\"strings\": [...]}, got " + DescribeJson(j));
  Tov00300::StringList list;
  for (const Json& item : items) list.Add(TextIn(item));
  return list;
}

Json StringListOut(const Tov00300::StringList& list) {
  Json items = Json::array();
  for (const std::string& s : list.Items()) items.push_back(TextOut(s));
  return Json{{"strings", items}};
}

}  // namespace ecfhost
