// OrderTree: an ordered sequence of row ids with positions, the backbone of
// the data set's storage order and of its active index.
//
// A treap whose node for a row is the row id itself (one tree holds a row at
// most once), with subtree sizes and parent links, so that insertion by
// position or by comparison, removal, position of a row, row at a position
// and lower-bound search are all O(log n) expected, and stepping to the next
// or previous row is O(1) amortized.
#ifndef TOV00300_RUNTIME_ORDER_TREE_H_
#define TOV00300_RUNTIME_ORDER_TREE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Tov00300 {

class OrderTree {
 public:
  static constexpr int32_t kNil = -1;

  void Clear();
  // Makes room for row ids below `rows`.
  void Reserve(std::size_t rows);
  int32_t Size() const { return root_ == kNil ? 0 : size_[static_cast<std::size_t>(root_)]; }
  bool Contains(int32_t row) const {
    return row >= 0 && static_cast<std::size_t>(row) < in_.size() &&
           in_[static_cast<std::size_t>(row)];
  }

  int32_t At(int32_t position) const;  // kNil when out of range
  int32_t Rank(int32_t row) const;     // 0-based position of a contained row
  int32_t First() const;
  int32_t Last() const;
  int32_t Next(int32_t row) const;  // kNil past the end
  int32_t Prev(int32_t row) const;

  void InsertAt(int32_t position, int32_t row);
  // Places the row after every row r with !before(row, r).
  template <class Before>
  void InsertBy(int32_t row, Before before) {
    Prepare(row);
    if (root_ == kNil) {
      root_ = row;
      return;
    }
    int32_t node = root_;
    for (;;) {
      ++size_[U(node)];
      int32_t& next = before(row, node) ? left_[U(node)] : right_[U(node)];
      if (next == kNil) {
        next = row;
        parent_[U(row)] = node;
        break;
      }
      node = next;
    }
    BubbleUp(row);
  }
  // The first row r (in order) for which before(r) is false; kNil when none.
  // `before` must be true for a prefix of the sequence and false after it.
  template <class Before>
  int32_t LowerBound(Before before) const {
    int32_t node = root_, found = kNil;
    while (node != kNil) {
      if (before(node)) {
        node = right_[U(node)];
      } else {
        found = node;
        node = left_[U(node)];
      }
    }
    return found;
  }
  void Erase(int32_t row);

 private:
  static std::size_t U(int32_t i) { return static_cast<std::size_t>(i); }
  int32_t Sz(int32_t n) const { return n == kNil ? 0 : size_[U(n)]; }
  void Prepare(int32_t row);
  void BubbleUp(int32_t row);
  void RotateUp(int32_t x);
  void Resize(int32_t n) { size_[U(n)] = 1 + Sz(left_[U(n)]) + Sz(right_[U(n)]); }

  int32_t root_ = kNil;
  std::vector<int32_t> left_, right_, parent_, size_;
  std::vector<uint32_t> priority_;
  std::vector<char> in_;
  uint64_t seed_ = 0x9E3779B97F4A7C15ull;
};

}  // namespace Tov00300

#endif  // TOV00300_RUNTIME_ORDER_TREE_H_
