// Field: reading and writing one value of the current row.
#include "dataset_impl.h"

namespace Tov00300 {

namespace {

const FieldDef& Def(const DataSet::Impl& d, int index) {
  const auto& list = d.state == DataSetState::Inactive ? d.defs : d.fields;
  return list.at(static_cast<size_t>(index));
}

}  // namespace

const std::string& Field::Name() const {
  return Def(*owner_->impl_, index_).name;
}
FieldType Field::Type() const {
  return Def(*owner_->impl_, index_).type;
}
int Field::Size() const {
  return Def(*owner_->impl_, index_).size;
}

Variant Field::Value() const {
  const DataSet::Impl& d = *owner_->impl_;
  d.CheckActive();
  if (d.state == DataSetState::Edit || d.state == DataSetState::Insert) {
    return d.buffer[static_cast<size_t>(index_)];
  }
  // No current row (an empty set) reads as Null, as the original's fields do.
  if (d.cur == OrderTree::kNil) return Variant::Null();
  return d.Row(d.cur)[index_];
}

bool Field::IsNull() const {
  return Value().IsNull();
}

std::string Field::AsString() const {
  const Variant v = Value();
  return v.IsNull() ? std::string() : v.AsString();
}

int Field::AsInteger() const {
  const Variant v = Value();
  return v.IsNull() ? 0 : v.AsInt();
}

double Field::AsFloat() const {
  const Variant v = Value();
  return v.IsNull() ? 0.0 : v.AsDouble();
}

bool Field::AsBoolean() const {
  const Variant v = Value();
  return v.IsNull() ? false : v.AsBool();
}

DateTime Field::AsDateTime() const {
  const Variant v = Value();
  return v.IsNull() ? DateTime() : v.AsDateTime();
}

void Field::SetValue(const Variant& v) {
  DataSet::Impl& d = *owner_->impl_;
  d.CheckActive();
  if (d.state != DataSetState::Edit && d.state != DataSetState::Insert) {
    d.Fail("Dataset not in edit or insert mode (setting field '" + Name() + "')");
  }
  d.buffer[static_cast<size_t>(index_)] = d.Coerce(v, d.fields[static_cast<size_t>(index_)]);
}

void Field::SetAsString(const std::string& v) {
  SetValue(Variant(v));
}
void Field::SetAsInteger(int v) {
  SetValue(Variant(v));
}
void Field::SetAsFloat(double v) {
  SetValue(Variant(v));
}
void Field::SetAsBoolean(bool v) {
  SetValue(Variant(v));
}
void Field::SetAsDateTime(DateTime v) {
  SetValue(Variant(v));
}
void Field::Clear() {
  SetValue(Variant::Null());
}

}  // namespace Tov00300
