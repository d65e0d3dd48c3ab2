// DataSet: Append/Insert/Edit/Post/Cancel/Delete and the view kept in step.
#include "dataset_impl.h"

namespace Tov00300 {

// ---- editing --------------------------------------------------------------------

void DataSet::Append() {
  Post();
  impl_->CheckActive();
  impl_->buffer.assign(impl_->fields.size(), Variant::Null());
  impl_->insertBefore = OrderTree::kNil;
  impl_->state = DataSetState::Insert;
  impl_->eof = true;
}

void DataSet::Insert() {
  Post();
  impl_->CheckActive();
  impl_->buffer.assign(impl_->fields.size(), Variant::Null());
  impl_->insertBefore = impl_->cur;
  impl_->state = DataSetState::Insert;
}

void DataSet::Edit() {
  impl_->CheckActive();
  if (impl_->state != DataSetState::Browse) return;
  if (impl_->cur == OrderTree::kNil) {
    // Editing an empty set starts a new row, as in the original.
    Insert();
    return;
  }
  const Variant* row = impl_->Row(impl_->cur);
  impl_->buffer.assign(row, row + impl_->fields.size());
  impl_->editRow = impl_->cur;
  impl_->state = DataSetState::Edit;
}

void DataSet::Post() {
  Impl& d = *impl_;
  if (d.state == DataSetState::Insert) {
    const int32_t slot = d.AllocSlot();
    std::move(d.buffer.begin(), d.buffer.end(), d.Row(slot));
    const bool atEnd = d.insertBefore == OrderTree::kNil || !d.storage.Contains(d.insertBefore);
    d.storage.InsertAt(atEnd ? d.storage.Size() : d.storage.Rank(d.insertBefore), slot);
    d.state = DataSetState::Browse;
    d.insertBefore = OrderTree::kNil;
    if (d.UsesOrdered() && d.Visible(slot)) d.InsertInView(slot);
    if (d.View().Contains(slot)) d.cur = slot;
    if (d.cur == OrderTree::kNil) d.cur = d.View().First();
  } else if (d.state == DataSetState::Edit) {
    const int32_t slot = d.editRow;
    // A row that leaves the view (filtered out) hands the cursor to its neighbour.
    int32_t neighbour = OrderTree::kNil;
    if (d.UsesOrdered() && d.ordered.Contains(slot)) {
      neighbour = d.ordered.Next(slot);
      if (neighbour == OrderTree::kNil) neighbour = d.ordered.Prev(slot);
      d.ordered.Erase(slot);
    }
    std::move(d.buffer.begin(), d.buffer.end(), d.Row(slot));
    if (d.UsesOrdered() && d.Visible(slot)) d.InsertInView(slot);
    d.cur = d.View().Contains(slot) ? slot : neighbour;
    d.state = DataSetState::Browse;
    d.editRow = OrderTree::kNil;
  } else {
    return;
  }
  d.buffer.clear();
  d.eof = d.bof = d.cur == OrderTree::kNil;
}

void DataSet::Cancel() {
  if (impl_->state != DataSetState::Edit && impl_->state != DataSetState::Insert) return;
  impl_->state = DataSetState::Browse;
  impl_->buffer.clear();
  impl_->editRow = impl_->insertBefore = OrderTree::kNil;
  impl_->eof = impl_->bof = impl_->cur == OrderTree::kNil;
}

void DataSet::Delete() {
  Impl& d = *impl_;
  d.CheckActive();
  if (d.state == DataSetState::Insert) {
    Cancel();
    return;
  }
  if (d.state == DataSetState::Edit) Cancel();
  if (d.cur == OrderTree::kNil) d.Fail("Cannot perform this operation on an empty dataset");
  const int32_t slot = d.cur;
  OrderTree& view = d.View();
  int32_t next = view.Next(slot);
  const bool wasLast = next == OrderTree::kNil;
  if (wasLast) next = view.Prev(slot);
  if (d.UsesOrdered()) d.ordered.Erase(slot);
  d.storage.Erase(slot);
  d.FreeSlot(slot);
  d.cur = next;
  d.bof = d.cur == OrderTree::kNil;
  d.eof = d.cur == OrderTree::kNil || wasLast;
}

void DataSet::EmptyDataSet() {
  impl_->CheckActive();
  impl_->ResetRows();
  impl_->state = DataSetState::Browse;
}

}  // namespace Tov00300
