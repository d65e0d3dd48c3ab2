// DataSet::Locate: a binary search on the active index when its leading
// fields are among the searched ones, a scan of the visible rows otherwise.
#include "dataset_impl.h"
#include "text_case.h"
#include "tov00300/format.h"

namespace Tov00300 {

namespace {

struct Criterion {
  int field;
  Variant value;  // converted to the field's type; Null matches only Null
};

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

}  // namespace

bool DataSet::Locate(const std::string& keyFields, const Variant& values, LocateOptions options) {
  Impl& d = *impl_;
  d.CheckActive();
  if (d.state == DataSetState::Edit || d.state == DataSetState::Insert) Post();

  const std::vector<int> fields = d.ResolveFields(keyFields);
  if (fields.empty()) d.Fail("Locate needs at least one field");
  std::vector<Criterion> criteria;
  if (fields.size() == 1 && !(values.IsArray() && values.AsArray().size() == 1)) {
    criteria.push_back({fields[0], d.Coerce(values, d.fields[static_cast<size_t>(fields[0])])});
  } else {
    if (!values.IsArray() || values.AsArray().size() != fields.size()) {
      d.Fail("Locate on '" + keyFields + "' needs " + std::to_string(fields.size()) + " values");
    }
    for (size_t i = 0; i < fields.size(); ++i) {
      const FieldDef& f = d.fields[static_cast<size_t>(fields[i])];
      criteria.push_back({fields[i], d.Coerce(values.AsArray()[i], f)});
    }
  }
  // The search value of a text field is not cut to the field's width: a
  // longer value must not match a row holding its beginning.
  for (size_t i = 0; i < criteria.size(); ++i) {
    const FieldDef& f = d.fields[static_cast<size_t>(criteria[i].field)];
    const Variant& raw = fields.size() == 1 && !values.IsArray() ? values
                         : values.IsArray()                      ? values.AsArray()[i]
                                                                 : values;
    if (f.type == FieldType::String && !criteria[i].value.IsNull()) {
      criteria[i].value = Variant(raw.AsString());
    }
  }

  auto matches = [&](int32_t slot) {
    const Variant* row = d.Row(slot);
    for (const Criterion& c : criteria) {
      const bool text = d.fields[static_cast<size_t>(c.field)].type == FieldType::String;
      if (CompareForSearch(row[c.field], c.value, options.caseInsensitive && text,
                           options.partialKey && text) != 0) {
        return false;
      }
    }
    return true;
  };

  // Leading index fields the search covers, usable for a binary search: a
  // text field only when the index orders it the way the search compares.
  std::vector<std::pair<KeyField, const Variant*>> prefix;
  for (const KeyField& k : d.key) {
    const Criterion* c = nullptr;
    for (const Criterion& x : criteria) {
      if (x.field == k.field) c = &x;
    }
    if (!c) break;
    const bool text = d.fields[static_cast<size_t>(k.field)].type == FieldType::String;
    if (text && options.caseInsensitive && !k.caseInsensitive) break;
    prefix.emplace_back(k, &c->value);
    // With partial keys only the first field's range is contiguous.
    if (options.partialKey && text) break;
  }

  const OrderTree& view = d.View();
  int32_t found = OrderTree::kNil;
  if (!prefix.empty()) {
    auto comparePrefix = [&](int32_t slot) {
      const Variant* row = d.Row(slot);
      for (const auto& [k, value] : prefix) {
        const bool text = d.fields[static_cast<size_t>(k.field)].type == FieldType::String;
        int c = CompareForSearch(row[k.field], *value, k.caseInsensitive && text,
                                 options.partialKey && text);
        if (k.descending) c = -c;
        if (c != 0) return c;
      }
      return 0;
    };
    for (int32_t s = view.LowerBound([&](int32_t slot) { return comparePrefix(slot) < 0; });
         s != OrderTree::kNil && comparePrefix(s) == 0; s = view.Next(s)) {
      if (matches(s)) {
        found = s;
        break;
      }
    }
  } else {
    for (int32_t s = view.First(); s != OrderTree::kNil; s = view.Next(s)) {
      if (matches(s)) {
        found = s;
        break;
      }
    }
  }
  if (found == OrderTree::kNil) return false;
  d.cur = found;
  d.eof = d.bof = false;
  return true;
}

}  // namespace Tov00300
