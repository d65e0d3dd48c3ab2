// The data set's private state, shared by the files that implement it.
//
// Rows live in slots (values_[slot * fieldCount + field]) that never move;
// `storage` orders the live slots as stored, and `view` orders the visible
// ones (filter applied) in the active index's order. Both are OrderTrees, so
// an appended row costs O(log n) and the index never needs re-sorting. When
// there is neither an index nor a filter, the view is the storage order
// itself and only one tree is kept.
#ifndef TOV00300_RUNTIME_DATASET_IMPL_H_
#define TOV00300_RUNTIME_DATASET_IMPL_H_

#include <memory>
#include <string>
#include <vector>

#include "filter_expr.h"
#include "order_tree.h"
#include "tov00300/dataset.h"

namespace Tov00300 {

struct KeyField {
  int field = 0;
  bool descending = false;
  bool caseInsensitive = false;
};

struct DataSet::Impl {
  explicit Impl(std::string n) : name(std::move(n)) {}

  std::string name;
  std::vector<FieldDef> defs;    // FieldDefs(): the structure of the next open
  std::vector<FieldDef> fields;  // the structure of the open set
  DataSetState state = DataSetState::Inactive;

  // ---- rows ----
  std::vector<Variant> values;
  std::vector<uint64_t> seq;  // order of addition: breaks ties between equal keys
  std::vector<int32_t> freeSlots;
  uint64_t nextSeq = 0;
  OrderTree storage;
  OrderTree ordered;  // the view when an index or a filter is active

  // ---- index ----
  std::vector<IndexDef> indexDefs;
  std::string indexName, indexFieldNames;
  std::vector<KeyField> key;  // empty: storage order

  // ---- filter ----
  std::string filterText;
  bool filtered = false;
  std::unique_ptr<FilterExpr> filter;  // parsed filterText; null when empty
  bool filterBound = false;            // filter resolved against `fields`

  // ---- cursor and editing ----
  int32_t cur = OrderTree::kNil;
  bool eof = true, bof = true;
  std::vector<Variant> buffer;
  int32_t editRow = OrderTree::kNil;
  int32_t insertBefore = OrderTree::kNil;  // storage position of an Insert

  // ---- helpers (dataset.cpp) ----
  size_t FieldCountU() const { return fields.size(); }
  const Variant* Row(int32_t slot) const {
    return &values[static_cast<size_t>(slot) * fields.size()];
  }
  Variant* Row(int32_t slot) { return &values[static_cast<size_t>(slot) * fields.size()]; }
  bool FilterActive() const { return filtered && filter != nullptr && filterBound; }
  bool UsesOrdered() const { return !key.empty() || FilterActive(); }
  OrderTree& View() { return UsesOrdered() ? ordered : storage; }
  const OrderTree& View() const { return UsesOrdered() ? ordered : storage; }
  bool Visible(int32_t slot) const { return !FilterActive() || filter->Matches(Row(slot)); }

  [[noreturn]] void Fail(const std::string& what) const;
  void CheckActive() const;
  int32_t AllocSlot();
  void FreeSlot(int32_t slot);
  void ResetRows();
  // Validates the structure and opens the set empty, in storage order.
  void Open(std::vector<FieldDef> structure);
  // Activates the index and filter on the open structure; throws
  // DataSetError (leaving them off) when they name a missing field.
  void ApplyOrdering();
  // ApplyOrdering, cursor on the first row, AfterOpen; then any error.
  void FinishOpen(DataSet& self);
  // The field indexes of "A;B"; throws for an unknown name.
  std::vector<int> ResolveFields(const std::string& names) const;
  // Normalizes a value to the field's type (Empty becomes Null; a text is cut
  // to the field's width). Throws ConversionError.
  Variant Coerce(const Variant& v, const FieldDef& f) const;

  // ---- ordering (dataset_index.cpp) ----
  void BuildKey();     // from indexName / indexFieldNames; throws for unknown fields
  void RebuildView();  // after a change of index or filter
  void InsertInView(int32_t slot);
  bool KeyBefore(int32_t a, int32_t b) const;
  bool StorageBefore(int32_t a, int32_t b) const;
};

// Orders two values of one field: Null first, texts byte-wise (or ignoring
// case), numbers and dates by value. Used by indexes and Locate.
int CompareValues(const Variant& a, const Variant& b, bool caseInsensitive);

}  // namespace Tov00300

#endif  // TOV00300_RUNTIME_DATASET_IMPL_H_
