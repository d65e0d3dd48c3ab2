// DataSet: index definitions, the active index, the view order and filters.
#include <algorithm>

#include "dataset_impl.h"
#include "text_case.h"
#include "tov00300/format.h"

namespace Tov00300 {

int CompareValues(const Variant& a, const Variant& b, bool caseInsensitive) {
  const bool an = a.IsNull() || a.IsEmpty(), bn = b.IsNull() || b.IsEmpty();
  if (an || bn) return an == bn ? 0 : an ? -1 : 1;
  const std::string* as = a.IfString();
  const std::string* bs = b.IfString();
  if (as && bs) {
    if (!caseInsensitive) {
      const int c = as->compare(*bs);
      return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    const size_t n = std::min(as->size(), bs->size());
    for (size_t i = 0; i < n; ++i) {
      const unsigned char x = LowerByte(static_cast<unsigned char>((*as)[i]));
      const unsigned char y = LowerByte(static_cast<unsigned char>((*bs)[i]));
      if (x != y) return x < y ? -1 : 1;
    }
    return as->size() == bs->size() ? 0 : as->size() < bs->size() ? -1 : 1;
  }
  if (a.kind() == Variant::Kind::Integer && b.kind() == Variant::Kind::Integer) {
    const int64_t x = a.AsInt64(), y = b.AsInt64();
    return x < y ? -1 : x > y ? 1 : 0;
  }
  if (a.kind() == Variant::Kind::Bool && b.kind() == Variant::Kind::Bool) {
    return static_cast<int>(a.AsBool() ? 1 : 0) - static_cast<int>(b.AsBool() ? 1 : 0);
  }
  const double x = a.AsDouble(), y = b.AsDouble();
  return x < y ? -1 : x > y ? 1 : 0;
}

// ---- Impl: the view --------------------------------------------------------------

void DataSet::Impl::BuildKey() {
  key.clear();
  std::string fieldList;
  bool descending = false, caseInsensitive = false;
  if (!indexFieldNames.empty()) {
    fieldList = indexFieldNames;
  } else if (!indexName.empty() && !SameText(indexName, "DEFAULT_ORDER")) {
    const auto def = std::find_if(indexDefs.begin(), indexDefs.end(),
                                  [&](const IndexDef& i) { return SameText(i.name, indexName); });
    if (def == indexDefs.end()) Fail("Index '" + indexName + "' not found");
    fieldList = def->fields;
    descending = def->descending;
    caseInsensitive = def->caseInsensitive;
  }
  for (int f : ResolveFields(fieldList)) key.push_back(KeyField{f, descending, caseInsensitive});
}

bool DataSet::Impl::KeyBefore(int32_t a, int32_t b) const {
  const Variant* ra = Row(a);
  const Variant* rb = Row(b);
  for (const KeyField& k : key) {
    int c = CompareValues(ra[k.field], rb[k.field], k.caseInsensitive);
    if (k.descending) c = -c;
    if (c != 0) return c < 0;
  }
  // Equal keys keep the order in which the rows were added.
  return seq[static_cast<size_t>(a)] < seq[static_cast<size_t>(b)];
}

bool DataSet::Impl::StorageBefore(int32_t a, int32_t b) const {
  return storage.Rank(a) < storage.Rank(b);
}

void DataSet::Impl::InsertInView(int32_t slot) {
  if (!key.empty()) {
    ordered.InsertBy(slot, [this](int32_t a, int32_t b) { return KeyBefore(a, b); });
  } else if (storage.Next(slot) == OrderTree::kNil) {
    ordered.InsertAt(ordered.Size(), slot);  // appended: last in storage order
  } else {
    ordered.InsertBy(slot, [this](int32_t a, int32_t b) { return StorageBefore(a, b); });
  }
}

void DataSet::Impl::RebuildView() {
  ordered.Clear();
  if (!UsesOrdered()) return;
  ordered.Reserve(seq.size());
  std::vector<int32_t> rows;
  rows.reserve(static_cast<size_t>(storage.Size()));
  for (int32_t s = storage.First(); s != OrderTree::kNil; s = storage.Next(s)) {
    if (Visible(s)) rows.push_back(s);
  }
  if (!key.empty()) {
    std::sort(rows.begin(), rows.end(), [this](int32_t a, int32_t b) { return KeyBefore(a, b); });
  }
  for (size_t i = 0; i < rows.size(); ++i) ordered.InsertAt(static_cast<int32_t>(i), rows[i]);
}

// ---- DataSet: indexes ---------------------------------------------------------------

void DataSet::AddIndex(const IndexDef& def) {
  auto& defs = impl_->indexDefs;
  const auto same = std::find_if(defs.begin(), defs.end(),
                                 [&](const IndexDef& i) { return SameText(i.name, def.name); });
  if (same != defs.end()) {
    *same = def;
  } else {
    defs.push_back(def);
  }
}

std::vector<IndexDef>& DataSet::IndexDefs() {
  return impl_->indexDefs;
}

namespace {

// Switches the active order, keeping the cursor on its row.
void Reorder(DataSet& ds, DataSet::Impl& d, const std::string& name, const std::string& fields) {
  if (ds.State() == DataSetState::Edit || ds.State() == DataSetState::Insert) ds.Post();
  const std::string oldName = d.indexName, oldFields = d.indexFieldNames;
  d.indexName = name;
  d.indexFieldNames = fields;
  if (!ds.Active()) return;
  try {
    d.BuildKey();
  } catch (const DataSetError&) {
    d.indexName = oldName;
    d.indexFieldNames = oldFields;
    d.BuildKey();
    throw;
  }
  const int32_t cur = d.cur;
  d.RebuildView();
  if (cur != OrderTree::kNil && d.View().Contains(cur)) {
    d.cur = cur;
    d.bof = d.eof = false;
  } else {
    ds.First();
  }
}

}  // namespace

void DataSet::SetIndexName(const std::string& name) {
  Reorder(*this, *impl_, name, "");
}
const std::string& DataSet::IndexName() const {
  return impl_->indexName;
}
void DataSet::SetIndexFieldNames(const std::string& fields) {
  Reorder(*this, *impl_, "", fields);
}
const std::string& DataSet::IndexFieldNames() const {
  return impl_->indexFieldNames;
}

// ---- DataSet: filter ----------------------------------------------------------------

namespace {

void Refilter(DataSet& ds, DataSet::Impl& d) {
  if (!ds.Active()) return;
  if (ds.State() == DataSetState::Edit || ds.State() == DataSetState::Insert) ds.Post();
  d.filterBound = false;
  if (d.filter) {
    d.filter->Bind(d.fields, d.name);
    d.filterBound = true;
  }
  d.RebuildView();
  ds.First();
}

}  // namespace

void DataSet::SetFilter(const std::string& expression) {
  std::unique_ptr<FilterExpr> parsed;
  if (!Trim(expression).empty()) parsed = FilterExpr::Parse(expression, impl_->name);
  if (parsed && Active()) parsed->Bind(impl_->fields, impl_->name);  // before anything changes
  impl_->filter = std::move(parsed);
  impl_->filterText = expression;
  if (impl_->filtered) Refilter(*this, *impl_);
}

const std::string& DataSet::Filter() const {
  return impl_->filterText;
}

void DataSet::SetFiltered(bool on) {
  if (impl_->filtered == on) return;
  impl_->filtered = on;
  Refilter(*this, *impl_);
}

bool DataSet::Filtered() const {
  return impl_->filtered;
}

}  // namespace Tov00300
