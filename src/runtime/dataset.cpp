// DataSet: structure, activation, cursor, editing and content exchange.
#include "tov00300/dataset.h"

#include "dataset_impl.h"
#include "text_case.h"
#include "tov00300/format.h"

namespace Tov00300 {

// Defined here so that the exception's type information lives in this
// library alone.
DataSetError::~DataSetError() = default;

// ---- Impl helpers -------------------------------------------------------------

void DataSet::Impl::Fail(const std::string& what) const {
  throw DataSetError((name.empty() ? std::string("Data set") : name) + ": " + what);
}

void DataSet::Impl::CheckActive() const {
  if (state == DataSetState::Inactive) Fail("Cannot perform this operation on a closed dataset");
}

int32_t DataSet::Impl::AllocSlot() {
  int32_t slot;
  if (!freeSlots.empty()) {
    slot = freeSlots.back();
    freeSlots.pop_back();
  } else {
    slot = static_cast<int32_t>(seq.size());
    seq.push_back(0);
    values.resize(values.size() + fields.size());
    storage.Reserve(seq.size());
    ordered.Reserve(seq.size());
  }
  seq[static_cast<size_t>(slot)] = nextSeq++;
  return slot;
}

void DataSet::Impl::FreeSlot(int32_t slot) {
  Variant* row = Row(slot);
  for (size_t f = 0; f < fields.size(); ++f) row[f] = Variant();
  freeSlots.push_back(slot);
}

void DataSet::Impl::ResetRows() {
  values.clear();
  seq.clear();
  freeSlots.clear();
  nextSeq = 0;
  storage.Clear();
  ordered.Clear();
  cur = OrderTree::kNil;
  eof = bof = true;
  buffer.clear();
  editRow = insertBefore = OrderTree::kNil;
}

std::vector<int> DataSet::Impl::ResolveFields(const std::string& names) const {
  std::vector<int> out;
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(';', start);
    if (end == std::string::npos) end = names.size();
    const std::string item = Trim(std::string_view(names).substr(start, end - start));
    if (!item.empty()) {
      int found = -1;
      for (size_t i = 0; i < fields.size(); ++i) {
        if (SameTextInline(fields[i].name, item)) found = static_cast<int>(i);
      }
      if (found < 0) Fail("Field '" + item + "' not found");
      out.push_back(found);
    }
    start = end + 1;
  }
  return out;
}

Variant DataSet::Impl::Coerce(const Variant& v, const FieldDef& f) const {
  if (v.IsEmpty() || v.IsNull()) return Variant::Null();
  switch (f.type) {
    case FieldType::String: {
      std::string s = v.AsString();
      if (f.size > 0 && static_cast<int>(s.size()) > f.size) s.resize(static_cast<size_t>(f.size));
      return Variant(std::move(s));
    }
    case FieldType::Integer:
      return Variant(v.AsInt64());
    case FieldType::Float:
      return Variant(v.AsDouble());
    case FieldType::Boolean:
      return Variant(v.AsBool());
    case FieldType::DateTime:
      return Variant(v.AsDateTime());
  }
  return v;
}

void DataSet::Impl::Open(std::vector<FieldDef> structure) {
  if (structure.empty()) Fail("Missing data provider or data packet (no fields defined)");
  for (size_t i = 0; i < structure.size(); ++i) {
    if (structure[i].name.empty()) Fail("Field " + std::to_string(i + 1) + " has no name");
    for (size_t j = 0; j < i; ++j) {
      if (SameTextInline(structure[i].name, structure[j].name)) {
        Fail("Duplicate field name '" + structure[i].name + "'");
      }
    }
  }
  ResetRows();
  key.clear();
  filterBound = false;
  fields = std::move(structure);
  state = DataSetState::Browse;
}

void DataSet::Impl::ApplyOrdering() {
  // The set opens in any case; an index or a filter naming a field the
  // structure lacks is reported after the rows are in place, and is left off.
  std::string error;
  try {
    BuildKey();
  } catch (const DataSetError& e) {
    key.clear();
    error = e.what();
  }
  filterBound = false;
  if (filter) {
    try {
      filter->Bind(fields, name);
      filterBound = true;
    } catch (const DataSetError& e) {
      if (error.empty()) error = e.what();
    }
  }
  RebuildView();
  if (!error.empty()) throw DataSetError(error);
}

void DataSet::Impl::FinishOpen(DataSet& self) {
  std::string error;
  try {
    ApplyOrdering();
  } catch (const DataSetError& e) {
    error = e.what();
  }
  self.First();
  if (self.AfterOpen) self.AfterOpen(self);
  if (!error.empty()) throw DataSetError(error);
}

// ---- DataSet --------------------------------------------------------------------

DataSet::DataSet(std::string name) : impl_(std::make_unique<Impl>(std::move(name))) {}
DataSet::~DataSet() = default;

const std::string& DataSet::Name() const {
  return impl_->name;
}
std::vector<FieldDef>& DataSet::FieldDefs() {
  return impl_->defs;
}
const std::vector<FieldDef>& DataSet::FieldDefs() const {
  return impl_->defs;
}

void DataSet::CreateDataSet() {
  impl_->Open(impl_->defs);
  impl_->FinishOpen(*this);
}

void DataSet::CreateDataSet(const std::vector<FieldDef>& defs) {
  impl_->defs = defs;
  CreateDataSet();
}

void DataSet::Close() {
  impl_->ResetRows();
  impl_->state = DataSetState::Inactive;
}

bool DataSet::Active() const {
  return impl_->state != DataSetState::Inactive;
}
DataSetState DataSet::State() const {
  return impl_->state;
}

int DataSet::FieldCount() const {
  return static_cast<int>(Active() ? impl_->fields.size() : impl_->defs.size());
}

int DataSet::FieldIndex(const std::string& name) const {
  const auto& list = Active() ? impl_->fields : impl_->defs;
  for (size_t i = 0; i < list.size(); ++i) {
    if (SameTextInline(list[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

Field DataSet::FieldByName(const std::string& name) {
  const int index = FieldIndex(name);
  if (index < 0) impl_->Fail("Field '" + name + "' not found");
  return Field(this, index);
}

Field DataSet::Fields(int index) {
  if (index < 0 || index >= FieldCount()) {
    impl_->Fail("Field index out of range (" + std::to_string(index) + ")");
  }
  return Field(this, index);
}

// ---- cursor ---------------------------------------------------------------------

void DataSet::First() {
  if (impl_->state != DataSetState::Browse) Post();
  impl_->CheckActive();
  impl_->cur = impl_->View().First();
  impl_->bof = true;
  impl_->eof = impl_->cur == OrderTree::kNil;
}

void DataSet::Last() {
  if (impl_->state != DataSetState::Browse) Post();
  impl_->CheckActive();
  impl_->cur = impl_->View().Last();
  impl_->eof = true;
  impl_->bof = impl_->cur == OrderTree::kNil;
}

void DataSet::Next() {
  if (impl_->state != DataSetState::Browse) Post();
  impl_->CheckActive();
  if (impl_->cur == OrderTree::kNil) {
    impl_->eof = true;
    return;
  }
  const int32_t next = impl_->View().Next(impl_->cur);
  if (next == OrderTree::kNil) {
    impl_->eof = true;
  } else {
    impl_->cur = next;
    impl_->bof = false;
  }
}

void DataSet::Prior() {
  if (impl_->state != DataSetState::Browse) Post();
  impl_->CheckActive();
  if (impl_->cur == OrderTree::kNil) {
    impl_->bof = true;
    return;
  }
  const int32_t prev = impl_->View().Prev(impl_->cur);
  if (prev == OrderTree::kNil) {
    impl_->bof = true;
  } else {
    impl_->cur = prev;
    impl_->eof = false;
  }
}

bool DataSet::Eof() const {
  return !Active() || impl_->eof;
}
bool DataSet::Bof() const {
  return !Active() || impl_->bof;
}

int DataSet::RecNo() const {
  if (!Active() || impl_->state == DataSetState::Insert || impl_->cur == OrderTree::kNil) return 0;
  return impl_->View().Rank(impl_->cur) + 1;
}

int DataSet::RecordCount() const {
  return Active() ? impl_->View().Size() : 0;
}
bool DataSet::IsEmpty() const {
  return RecordCount() == 0 && impl_->state != DataSetState::Insert;
}

// ---- content exchange -------------------------------------------------------------

DataPacket DataSet::Data() const {
  const Impl& d = *impl_;
  DataPacket packet;
  packet.fields = Active() ? d.fields : d.defs;
  if (!Active()) return packet;
  packet.rows.reserve(static_cast<size_t>(d.storage.Size()));
  for (int32_t s = d.storage.First(); s != OrderTree::kNil; s = d.storage.Next(s)) {
    const Variant* row = d.Row(s);
    packet.rows.emplace_back(row, row + d.fields.size());
  }
  return packet;
}

void DataSet::SetData(const DataPacket& packet) {
  Impl& d = *impl_;
  // Everything is checked and converted before the set is touched.
  std::vector<Variant> converted;
  converted.reserve(packet.rows.size() * packet.fields.size());
  for (size_t r = 0; r < packet.rows.size(); ++r) {
    const auto& row = packet.rows[r];
    if (row.size() != packet.fields.size()) {
      d.Fail("Data packet row " + std::to_string(r + 1) + " has " + std::to_string(row.size()) +
             " values for " + std::to_string(packet.fields.size()) + " fields");
    }
    for (size_t f = 0; f < row.size(); ++f) converted.push_back(d.Coerce(row[f], packet.fields[f]));
  }
  d.defs = packet.fields;
  d.Open(packet.fields);
  const size_t n = packet.rows.size();
  d.values = std::move(converted);
  d.seq.resize(n);
  d.storage.Reserve(n);
  d.ordered.Reserve(n);
  for (size_t r = 0; r < n; ++r) {
    d.seq[r] = d.nextSeq++;
    d.storage.InsertAt(static_cast<int32_t>(r), static_cast<int32_t>(r));
  }
  d.FinishOpen(*this);
}

}  // namespace Tov00300
