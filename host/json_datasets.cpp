// Data sets and data packets in the script's JSON form:
//   {"rows": [{"FIELD": value, ...}], "fields": [["NAME", "string", 40], ...],
//    "filter": "EXPR"}
#include <algorithm>

#include "json_values.h"

namespace ecfhost {

using Tov00300::DataPacket;
using Tov00300::FieldDef;
using Tov00300::FieldType;
using Tov00300::Variant;

namespace {

// Inferred text fields get room for what an operation may write back into
// them (names of payment methods, descriptions), not just the script's value.
constexpr int kInferredTextWidth = 255;

const char* FieldTypeName(FieldType t) {
  switch (t) {
    case FieldType::String:
      return "string";
    case FieldType::Integer:
      return "integer";
    case FieldType::Float:
      return "float";
    case FieldType::Boolean:
      return "boolean";
    case FieldType::DateTime:
      return "datetime";
  }
  return "string";
}

FieldType FieldTypeFromName(const std::string& name) {
  if (name == "string") return FieldType::String;
  if (name == "integer") return FieldType::Integer;
  if (name == "float") return FieldType::Float;
  if (name == "boolean") return FieldType::Boolean;
  if (name == "datetime") return FieldType::DateTime;
  throw ArgumentError("unknown field type \"" + name +
                      "\" (string, integer, float, boolean or datetime)");
}

FieldDef FieldDefIn(const Json& j) {
  if (!j.is_array() || j.empty() || j.size() > 3 || !j[0].is_string())
    throw ArgumentError("a field is [\"NAME\", \"type\"] or [\"NAME\", \"string\", width], got " +
                        j.dump());
  FieldDef def;
  def.name = j[0].get<std::string>();
  def.type = j.size() > 1 ? FieldTypeFromName(j[1].is_string() ? j[1].get<std::string>() : "?")
                          : FieldType::String;
  if (def.type == FieldType::String) {
    def.size = kInferredTextWidth;
    if (j.size() > 2) {
      if (!j[2].is_number_integer() || j[2].get<int>() <= 0)
        throw ArgumentError("the width of field " + def.name + " must be a positive number");
      def.size = j[2].get<int>();
    }
  }
  return def;
}

FieldDef FieldDefFromValue(const std::string& name, const Json& value) {
  FieldDef def{name, FieldType::String, kInferredTextWidth};
  if (value.is_boolean()) {
    def = {name, FieldType::Boolean, 0};
  } else if (value.is_number_integer()) {
    def = {name, FieldType::Integer, 0};
  } else if (value.is_number_float()) {
    def = {name, FieldType::Float, 0};
  } else if (IsForm(value, "datetime")) {
    def = {name, FieldType::DateTime, 0};
  } else if (value.is_string()) {
    def.size = std::max<int>(kInferredTextWidth, static_cast<int>(value.get<std::string>().size()));
  }
  return def;
}

Variant FieldValueIn(const FieldDef& def, const Json& j) {
  if (j.is_null()) return Variant::Null();
  const std::string where = "field " + def.name + ": ";
  switch (def.type) {
    case FieldType::String:
      if (!j.is_string()) throw ArgumentError(where + "expected a text, got " + DescribeJson(j));
      return Variant(TextIn(j));
    case FieldType::Integer:
      if (!j.is_number_integer())
        throw ArgumentError(where + "expected a whole number, got " + DescribeJson(j));
      return Variant(j.get<int>());
    case FieldType::Float:
      if (!j.is_number()) throw ArgumentError(where + "expected a number, got " + DescribeJson(j));
      return Variant(j.get<double>());
    case FieldType::Boolean:
      if (!j.is_boolean())
        throw ArgumentError(where + "expected true or false, got " + DescribeJson(j));
      return Variant(j.get<bool>());
    case FieldType::DateTime:
      return Variant(DateTimeIn(j));
  }
  return Variant::Null();
}

Json FieldValueOut(const Variant& v) {
  if (v.IsNull() || v.IsEmpty()) return nullptr;
  return VariantOut(v);
}

}  // namespace

DataPacket DataPacketIn(const Json& j) {
  if (!IsForm(j, "rows") || !j["rows"].is_array())
    throw ArgumentError("expected a data set {\"rows\": [...], \"fields\": [...]}, got " +
                        DescribeJson(j));
  for (const auto& item : j.items())
    if (item.key() != "rows" && item.key() != "fields" && item.key() != "filter")
      throw ArgumentError("a data set takes \"rows\", \"fields\" and \"filter\", not \"" +
                          item.key() + "\"");
  const Json& rows = j["rows"];
  DataPacket packet;
  if (j.contains("fields")) {
    if (!j["fields"].is_array()) throw ArgumentError("\"fields\" takes a list of fields");
    for (const Json& f : j["fields"]) packet.fields.push_back(FieldDefIn(f));
  } else {
    // Field list from the rows: names in order of first use, each typed by
    // its first non-null value.
    for (const Json& row : rows) {
      if (!row.is_object()) continue;
      for (const auto& item : row.items()) {
        auto found = std::find_if(packet.fields.begin(), packet.fields.end(),
                                  [&](const FieldDef& d) { return d.name == item.key(); });
        if (found == packet.fields.end())
          packet.fields.push_back(FieldDefFromValue(item.key(), item.value()));
        else if (found->type == FieldType::String && !item.value().is_null() &&
                 !item.value().is_string())
          *found = FieldDefFromValue(item.key(), item.value());
      }
    }
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    const Json& row = rows[r];
    if (!row.is_object())
      throw ArgumentError("row " + std::to_string(r) + " is not an object of FIELD: value");
    std::vector<Variant> values(packet.fields.size(), Variant::Null());
    for (const auto& item : row.items()) {
      auto found = std::find_if(packet.fields.begin(), packet.fields.end(),
                                [&](const FieldDef& d) { return d.name == item.key(); });
      if (found == packet.fields.end())
        throw ArgumentError("row " + std::to_string(r) + ": no field " + item.key());
      try {
        values[found - packet.fields.begin()] = FieldValueIn(*found, item.value());
      } catch (const ArgumentError& e) {
        throw ArgumentError("row " + std::to_string(r) + ": " + e.what());
      }
    }
    packet.rows.push_back(std::move(values));
  }
  return packet;
}

Json DataPacketOut(const DataPacket& p) {
  Json fields = Json::array();
  for (const FieldDef& f : p.fields) {
    Json def = Json::array({f.name, FieldTypeName(f.type)});
    if (f.type == FieldType::String) def.push_back(f.size);
    fields.push_back(def);
  }
  Json rows = Json::array();
  for (const auto& values : p.rows) {
    Json row = Json::object();
    for (size_t i = 0; i < p.fields.size() && i < values.size(); ++i)
      row[p.fields[i].name] = FieldValueOut(values[i]);
    rows.push_back(row);
  }
  return Json{{"rows", rows}, {"fields", fields}};
}

Json DataSetOut(const Tov00300::DataSet& ds) {
  if (!ds.Active()) return Json{{"rows", Json::array()}, {"fields", Json::array()}};
  Json out = DataPacketOut(ds.Data());
  if (ds.Filtered() && !ds.Filter().empty()) out["filter"] = TextOut(ds.Filter());
  return out;
}

}  // namespace ecfhost
