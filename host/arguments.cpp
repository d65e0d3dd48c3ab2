// The conversions of arguments.h, out of line: the dispatcher instantiates
// a call for every operation, and each of them calls these instead of
// carrying its own copy of the JSON handling.
#include "arguments.h"

#include <cstdint>

namespace ecfhost {

Arg<Tov00300::Variant&>::Storage Arg<Tov00300::Variant&>::Make(const Json* j) {
  return j ? VariantIn(*j) : Tov00300::Variant();
}

Json Arg<Tov00300::Variant&>::Show(const Storage& s) {
  return VariantOut(s);
}

Arg<std::string&>::Storage Arg<std::string&>::Make(const Json* j) {
  return j ? TextIn(*j) : std::string();
}

Json Arg<std::string&>::Show(const Storage& s) {
  return TextOut(s);
}

Arg<int>::Storage Arg<int>::Make(const Json* j) {
  if (!j) return 0;
  if (!j->is_number_integer() || j->get<long long>() < INT32_MIN || j->get<long long>() > INT32_MAX)
    throw ArgumentError("expected a whole number, got " + DescribeJson(*j));
  return j->get<int>();
}

Json Arg<int>::Show(Storage s) {
  return s;
}

Arg<bool>::Storage Arg<bool>::Make(const Json* j) {
  if (!j) return false;
  if (!j->is_boolean()) throw ArgumentError("expected true or false, got " + DescribeJson(*j));
  return j->get<bool>();
}

Json Arg<bool>::Show(Storage s) {
  return s;
}

Arg<double>::Storage Arg<double>::Make(const Json* j) {
  if (!j) return 0.0;
  if (!j->is_number()) throw ArgumentError("expected a number, got " + DescribeJson(*j));
  return j->get<double>();
}

Json Arg<double>::Show(Storage s) {
  return s;
}

Arg<Tov00300::DateTime>::Storage Arg<Tov00300::DateTime>::Make(const Json* j) {
  return j ? DateTimeIn(*j) : Tov00300::DateTime();
}

Json Arg<Tov00300::DateTime>::Show(Storage s) {
  return DateTimeOut(s);
}

Arg<Tov00300::DataSet&>::Storage Arg<Tov00300::DataSet&>::Make(const Json* j) {
  // A set without fields stays closed, as a host's unopened data set: the
  // operations that fill one replace its content whole.
  auto ds = std::make_unique<Tov00300::DataSet>("host");
  if (!j) return ds;
  const Tov00300::DataPacket packet = DataPacketIn(*j);
  if (packet.fields.empty()) return ds;
  ds->SetData(packet);
  if (j->contains("filter")) {
    ds->SetFilter(TextIn((*j)["filter"]));
    ds->SetFiltered(true);
  }
  ds->First();
  return ds;
}

Json Arg<Tov00300::DataSet&>::Show(const Storage& s) {
  return DataSetOut(*s);
}

Arg<const Tov00300::VariantArray&>::Storage Arg<const Tov00300::VariantArray&>::Make(
    const Json* j) {
  return j ? VariantArrayIn(*j) : Storage();
}

Json Arg<const Tov00300::VariantArray&>::Show(const Storage& s) {
  return VariantArrayOut(s);
}

Arg<Tov00300::StringList&>::Storage Arg<Tov00300::StringList&>::Make(const Json* j) {
  return j ? StringListIn(*j) : Storage();
}

Json Arg<Tov00300::StringList&>::Show(const Storage& s) {
  return StringListOut(s);
}

Json Result<bool>::Show(bool r) {
  return r;
}

Json Result<int>::Show(int r) {
  return r;
}

Json Result<double>::Show(double r) {
  return r;
}

Json Result<std::string>::Show(const std::string& r) {
  return TextOut(r);
}

Json Result<const char*>::Show(const char* r) {
  return r ? TextOut(r) : Json(nullptr);
}

Json Result<Tov00300::DateTime>::Show(Tov00300::DateTime r) {
  return DateTimeOut(r);
}

Json Result<Tov00300::Variant>::Show(const Tov00300::Variant& r) {
  return VariantOut(r);
}
}  // namespace ecfhost
