// The XML data-packet format of the original's client data sets:
//
//   <?xml version="1.0" encoding="UTF-8" standalone="yes"?>
//   <DATAPACKET Version="2.0"><METADATA><FIELDS>
//     <FIELD attrname="NM" fieldtype="string" WIDTH="40"/> ...
//   </FIELDS><PARAMS/></METADATA><ROWDATA><ROW RowState="4" NM="x"/></ROWDATA></DATAPACKET>
//
// A Null value is an absent attribute. Texts are Windows-1252 in memory and
// written as UTF-8 (declared so); reading accepts UTF-8, and files declared
// (or found) to be in a single-byte encoding are read byte for byte.
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>
#include <stdexcept>

#include "dataset_impl.h"
#include "datetime_parts.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace Tov00300 {

namespace {

const char* TypeName(FieldType t) {
  switch (t) {
    case FieldType::String:
      return "string";
    case FieldType::Integer:
      return "i4";
    case FieldType::Float:
      return "r8";
    case FieldType::Boolean:
      return "boolean";
    case FieldType::DateTime:
      return "dateTime";
  }
  return "string";
}

// The field types the original writes, folded onto ours.
FieldType TypeFromName(std::string_view name) {
  if (name == "i1" || name == "i2" || name == "i4" || name == "i8" || name == "ui1" ||
      name == "ui2" || name == "ui4" || name == "ui8") {
    return FieldType::Integer;
  }
  if (name == "r4" || name == "r8" || name == "fixed" || name == "fixedFMT")
    return FieldType::Float;
  if (name == "boolean") return FieldType::Boolean;
  if (name == "date" || name == "time" || name == "dateTime" || name == "SQLdateTime") {
    return FieldType::DateTime;
  }
  return FieldType::String;  // string, string.uni, bin.hex memos and anything unknown
}

std::string FloatText(double v) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

// yyyymmddThh:nn:sszzz, as the original writes date-times.
std::string DateTimeText(DateTime v) {
  const DateParts p = SplitDateTime(v);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d:%02d:%02d%03d", p.year, p.month, p.day, p.hour,
                p.minute, p.second, p.millisecond);
  return buf;
}

std::string ValueText(const Variant& v, FieldType t) {
  switch (t) {
    case FieldType::String:
      return Cp1252ToUtf8(*v.IfString());
    case FieldType::Integer:
      return std::to_string(v.AsInt64());
    case FieldType::Float:
      return FloatText(v.AsDouble());
    case FieldType::Boolean:
      return v.AsBool() ? "TRUE" : "FALSE";
    case FieldType::DateTime:
      return DateTimeText(v.AsDateTime());
  }
  return "";
}

[[noreturn]] void Bad(const std::string& what) {
  throw DataSetError("Invalid data packet: " + what);
}

int Digits(std::string_view s, size_t at, size_t n) {
  int v = 0;
  for (size_t i = at; i < at + n; ++i) {
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return -1;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

// "20240131T13:45:10000", "20240131", "13:45:10", "2024-01-31T13:45:10".
bool ParseDateTimeText(std::string_view s, DateTime& out) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, se = 0, ms = 0;
  size_t at = 0;
  if (s.size() >= 10 && s[4] == '-' && s[7] == '-') {
    y = Digits(s, 0, 4), mo = Digits(s, 5, 2), d = Digits(s, 8, 2);
    at = 10;
  } else if (s.size() >= 8 && s[2] != ':') {
    y = Digits(s, 0, 4), mo = Digits(s, 4, 2), d = Digits(s, 6, 2);
    at = 8;
  } else {
    y = 1899, mo = 12, d = 30;
  }
  if (at < s.size() && (s[at] == 'T' || s[at] == ' ')) ++at;
  if (at < s.size()) {
    h = Digits(s, at, 2), mi = Digits(s, at + 3, 2), se = Digits(s, at + 6, 2);
    if (at + 5 > s.size() || s[at + 2] != ':') return false;
    if (at + 8 > s.size()) se = 0;
    size_t z = at + 8;
    if (z < s.size() && (s[z] == '.' || s[z] == ',')) ++z;
    if (z < s.size()) ms = Digits(s, z, std::min<size_t>(3, s.size() - z));
  }
  double date = 0, time = 0;
  if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0 || se < 0 || ms < 0) return false;
  if (!TryEncodeDate(y, mo, d, date) || !TryEncodeTime(h, mi, se, ms, time)) return false;
  out = DateTime(CombineDateTime(date, time));
  return true;
}

Variant ParseValue(std::string_view text, const FieldDef& f, bool singleByte) {
  switch (f.type) {
    case FieldType::String:
      if (singleByte || !IsValidUtf8(text)) return Variant(std::string(text));
      return Variant(Utf8ToCp1252(text));
    case FieldType::Integer: {
      int64_t v = 0;
      auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
      if (ec == std::errc() && p == text.data() + text.size()) return Variant(v);
      break;
    }
    case FieldType::Float: {
      std::string t(text);
      for (char& c : t) {
        if (c == ',') c = '.';
      }
      double v = 0;
      const char* first = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
      auto [p, ec] = std::from_chars(first, t.data() + t.size(), v);
      if (ec == std::errc() && p == t.data() + t.size()) return Variant(v);
      break;
    }
    case FieldType::Boolean:
      if (SameText(text, "TRUE") || text == "1") return Variant(true);
      if (SameText(text, "FALSE") || text == "0") return Variant(false);
      break;
    case FieldType::DateTime: {
      DateTime dt;
      if (ParseDateTimeText(text, dt)) return Variant(dt);
      break;
    }
  }
  Bad("value '" + std::string(text) + "' of field " + f.name + " is not a " + TypeName(f.type) +
      " value");
}

// A field's values travel as attributes of ROW named after the field, so a
// field name must be an XML name and must not be the row's own "RowState".
bool IsFieldAttributeName(std::string_view name) {
  if (name.empty() || name == "RowState") return false;
  auto nameChar = [](unsigned char c, bool first) {
    if (c >= 0x80 || std::isalpha(c) || c == '_' || c == ':') return true;
    return !first && (std::isdigit(c) || c == '-' || c == '.');
  };
  for (size_t i = 0; i < name.size(); ++i) {
    if (!nameChar(static_cast<unsigned char>(name[i]), i == 0)) return false;
  }
  return true;
}

class StringWriter : public pugi::xml_writer {
 public:
  std::string out;
  void write(const void* data, size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
};

}  // namespace

std::string DataSet::ToXml(const DataPacket& packet) {
  pugi::xml_document doc;
  auto decl = doc.append_child(pugi::node_declaration);
  decl.append_attribute("version") = "1.0";
  decl.append_attribute("encoding") = "UTF-8";
  decl.append_attribute("standalone") = "yes";
  auto root = doc.append_child("DATAPACKET");
  root.append_attribute("Version") = "2.0";
  auto meta = root.append_child("METADATA");
  auto fields = meta.append_child("FIELDS");
  std::vector<std::string> names;
  for (const FieldDef& f : packet.fields) {
    if (!IsFieldAttributeName(f.name)) {
      throw DataSetError("Invalid data packet: the field name '" + f.name +
                         "' cannot be written as a row attribute");
    }
    auto node = fields.append_child("FIELD");
    names.push_back(Cp1252ToUtf8(f.name));
    node.append_attribute("attrname") = names.back().c_str();
    node.append_attribute("fieldtype") = TypeName(f.type);
    if (f.type == FieldType::String && f.size > 0) node.append_attribute("WIDTH") = f.size;
  }
  meta.append_child("PARAMS");
  auto rowData = root.append_child("ROWDATA");
  for (const auto& row : packet.rows) {
    auto node = rowData.append_child("ROW");
    node.append_attribute("RowState") = "4";
    for (size_t i = 0; i < packet.fields.size() && i < row.size(); ++i) {
      if (row[i].IsNull() || row[i].IsEmpty()) continue;
      const FieldDef& f = packet.fields[i];
      // A value of another kind (a packet built by hand) is written in the
      // field's type, so the file always reads back.
      const Variant v =
          f.type == FieldType::String && !row[i].IfString() ? Variant(row[i].AsString()) : row[i];
      node.append_attribute(names[i].c_str()) = ValueText(v, f.type).c_str();
    }
  }
  StringWriter writer;
  doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
  return writer.out;
}

DataPacket DataSet::FromXml(const std::string& xml) {
  pugi::xml_document doc;
  // Bytes are taken as they are; texts are converted per attribute below.
  const pugi::xml_parse_result result = doc.load_buffer(
      xml.data(), xml.size(), pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
  if (!result) {
    Bad(std::string(result.description()) + " at offset " + std::to_string(result.offset));
  }
  bool singleByte = false;
  for (auto node = doc.first_child(); node; node = node.next_sibling()) {
    if (node.type() == pugi::node_declaration) {
      const std::string enc = LowerCase(node.attribute("encoding").value());
      singleByte = !enc.empty() && enc != "utf-8" && enc != "utf8";
    }
  }
  const auto root = doc.child("DATAPACKET");
  if (!root) Bad("no DATAPACKET element");
  const auto fieldsNode = root.child("METADATA").child("FIELDS");
  if (!fieldsNode) Bad("no METADATA/FIELDS element");
  DataPacket packet;
  std::vector<std::string> attrNames;
  for (auto f : fieldsNode.children("FIELD")) {
    const char* name = f.attribute("attrname").value();
    if (!*name) Bad("a FIELD without attrname");
    // A packet whose fields a data set could not hold, or could not write
    // back, is refused here, so whatever loads can also be opened and saved.
    FieldDef def;
    def.name = singleByte || !IsValidUtf8(name) ? std::string(name) : Utf8ToCp1252(name);
    // Checked after the conversion: a character Windows-1252 lacks would
    // come back as another name, and two names that differ only in the case
    // of an accented letter ("É", "é") are one name to the data set, which
    // compares Windows-1252 bytes without case.
    if (!IsFieldAttributeName(def.name)) Bad("the field name '" + def.name + "' is not usable");
    for (const FieldDef& earlier : packet.fields) {
      if (SameText(earlier.name, def.name)) {
        Bad(std::string("the field '") + name + "' is declared twice");
      }
    }
    def.type = TypeFromName(f.attribute("fieldtype").value());
    if (def.type == FieldType::String) def.size = f.attribute("WIDTH").as_int(0);
    attrNames.emplace_back(name);
    packet.fields.push_back(std::move(def));
  }
  if (packet.fields.empty()) Bad("no fields");
  const auto rowData = root.child("ROWDATA");
  if (!rowData) Bad("no ROWDATA element");
  for (auto rowNode : rowData.children("ROW")) {
    // Change-log rows: a deleted one is left out, a modified one carries the
    // new values of the row before it.
    const int rowState = rowNode.attribute("RowState").as_int(0);
    if (rowState & 2) continue;
    const bool modification = (rowState & 8) && !packet.rows.empty();
    std::vector<Variant> fresh;
    if (!modification) fresh.assign(packet.fields.size(), Variant::Null());
    std::vector<Variant>& row = modification ? packet.rows.back() : fresh;
    for (size_t i = 0; i < packet.fields.size(); ++i) {
      const auto attr = rowNode.attribute(attrNames[i].c_str());
      if (attr) row[i] = ParseValue(attr.value(), packet.fields[i], singleByte);
    }
    if (!modification) packet.rows.push_back(std::move(fresh));
  }
  return packet;
}

void DataSet::SaveToFile(const std::string& path) const {
  impl_->CheckActive();
  const std::string xml = ToXml(Data());
  // The platform seam's one atomic replacement: a crash never leaves a
  // half-written table behind, and a failure keeps the old one.
  try {
    platform::AtomicReplaceFile(path, xml);
  } catch (const std::runtime_error& error) {
    throw DataSetError("Cannot write file '" + path + "': " + error.what());
  }
}

void DataSet::LoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw DataSetError("Cannot open file '" + path + "'");
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw DataSetError("Cannot read file '" + path + "'");
  DataPacket packet;
  try {
    packet = FromXml(content.str());
  } catch (const DataSetError& e) {
    throw DataSetError("Cannot load '" + path + "': " + e.what());
  }
  SetData(packet);
}

}  // namespace Tov00300
