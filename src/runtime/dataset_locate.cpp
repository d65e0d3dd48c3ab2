// DataSet::Locate: a binary search on the active index when its leading
// fields are among the searched ones, a scan of the visible rows otherwise.
// Three steps: the criteria from the caller's fields and values, the prefix
// of the index they cover, and the scan from where that prefix begins.
#include "dataset_impl.h"
#include "text_case.h"
#include "tov00300/format.h"

namespace Tov00300 {

namespace {

struct Criterion {
  int field;
  Variant value;  // converted to the field's type; Null matches only Null
};

// A leading field of the active index and the value searched in it.
struct PrefixField {
  KeyField key;
  const Variant* value;
};

bool IsText(const DataSet::Impl& d, int field) {
  return d.fields[static_cast<size_t>(field)].type == FieldType::String;
}

// Compares a row value with a search value; with `partial`, a text row value
// equal to the search text over its length compares equal.
int CompareForSearch(const Variant& row, const Variant& search, bool ci, bool partial) {
  if (partial && !row.IsNull() && !search.IsNull() && row.IfString() && search.IfString()) {
    const std::string& s = *search.IfString();
    const std::string& r = *row.IfString();
    if (r.size() > s.size()) {
      return CompareValues(Variant(r.substr(0, s.size())), search, ci);
    }
  }
  return CompareValues(row, search, ci);
}

// One value per field of "A;B": a single field takes `values` itself (or the
// one element of a one-element array), several take an array of as many.
std::vector<Criterion> BuildCriteria(const DataSet::Impl& d, const std::string& keyFields,
                                     const Variant& values) {
  const std::vector<int> fields = d.ResolveFields(keyFields);
  if (fields.empty()) d.Fail("Locate needs at least one field");
  std::vector<const Variant*> raw;
  if (fields.size() == 1 && !(values.IsArray() && values.AsArray().size() == 1)) {
    raw.push_back(&values);
  } else {
    if (!values.IsArray() || values.AsArray().size() != fields.size()) {
      d.Fail("Locate on '" + keyFields + "' needs " + std::to_string(fields.size()) + " values");
    }
    for (const Variant& v : values.AsArray()) raw.push_back(&v);
  }
  std::vector<Criterion> criteria;
  for (size_t i = 0; i < fields.size(); ++i) {
    Criterion c{fields[i], d.Coerce(*raw[i], d.fields[static_cast<size_t>(fields[i])])};
    // The search value of a text field is not cut to the field's width: a
    // longer value must not match a row holding its beginning.
    if (IsText(d, c.field) && !c.value.IsNull()) c.value = Variant(raw[i]->AsString());
    criteria.push_back(std::move(c));
  }
  return criteria;
}

// Leading index fields the search covers, usable for a binary search: a text
// field only when the index orders it the way the search compares.
std::vector<PrefixField> IndexPrefix(const DataSet::Impl& d, const std::vector<Criterion>& criteria,
                                     LocateOptions options) {
  std::vector<PrefixField> prefix;
  for (const KeyField& k : d.key) {
    const Criterion* c = nullptr;
    for (const Criterion& x : criteria) {
      if (x.field == k.field) c = &x;
    }
    if (!c) break;
    const bool text = IsText(d, k.field);
    if (text && options.caseInsensitive && !k.caseInsensitive) break;
    prefix.push_back({k, &c->value});
    // With partial keys only the first field's range is contiguous.
    if (options.partialKey && text) break;
  }
  return prefix;
}

// The first visible row, in view order, that meets every criterion: within
// the prefix's range when there is a prefix, among all rows otherwise.
int32_t Scan(const DataSet::Impl& d, const std::vector<Criterion>& criteria,
             const std::vector<PrefixField>& prefix, LocateOptions options) {
  auto matches = [&](int32_t slot) {
    const Variant* row = d.Row(slot);
    for (const Criterion& c : criteria) {
      const bool text = IsText(d, c.field);
      if (CompareForSearch(row[c.field], c.value, options.caseInsensitive && text,
                           options.partialKey && text) != 0) {
        return false;
      }
    }
    return true;
  };
  // Orders a row against the prefix as the index orders it.
  auto comparePrefix = [&](int32_t slot) {
    const Variant* row = d.Row(slot);
    for (const PrefixField& p : prefix) {
      const bool text = IsText(d, p.key.field);
      int c = CompareForSearch(row[p.key.field], *p.value, p.key.caseInsensitive && text,
                               options.partialKey && text);
      if (p.key.descending) c = -c;
      if (c != 0) return c;
    }
    return 0;
  };

  const OrderTree& view = d.View();
  // Without a prefix every row compares equal to it: the scan runs from the
  // first row to the last.
  int32_t s = prefix.empty()
                  ? view.First()
                  : view.LowerBound([&](int32_t slot) { return comparePrefix(slot) < 0; });
  for (; s != OrderTree::kNil && comparePrefix(s) == 0; s = view.Next(s)) {
    if (matches(s)) return s;
  }
  return OrderTree::kNil;
}

}  // namespace

bool DataSet::Locate(const std::string& keyFields, const Variant& values, LocateOptions options) {
  Impl& d = *impl_;
  d.CheckActive();
  if (d.state == DataSetState::Edit || d.state == DataSetState::Insert) Post();

  const std::vector<Criterion> criteria = BuildCriteria(d, keyFields, values);
  const int32_t found = Scan(d, criteria, IndexPrefix(d, criteria, options), options);
  if (found == OrderTree::kNil) return false;
  d.cur = found;
  d.eof = d.bof = false;
  return true;
}

}  // namespace Tov00300
