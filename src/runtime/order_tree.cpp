// OrderTree: treap maintenance (rotations keep sizes and parent links).
#include "order_tree.h"

namespace Tov00300 {

void OrderTree::Clear() {
  root_ = kNil;
  left_.clear();
  right_.clear();
  parent_.clear();
  size_.clear();
  priority_.clear();
  in_.clear();
}

void OrderTree::Reserve(std::size_t rows) {
  if (in_.size() >= rows) return;
  left_.resize(rows, kNil);
  right_.resize(rows, kNil);
  parent_.resize(rows, kNil);
  size_.resize(rows, 0);
  priority_.resize(rows, 0);
  in_.resize(rows, 0);
}

int32_t OrderTree::At(int32_t position) const {
  if (position < 0 || position >= Size()) return kNil;
  int32_t node = root_;
  while (node != kNil) {
    const int32_t ls = Sz(left_[U(node)]);
    if (position < ls) {
      node = left_[U(node)];
    } else if (position == ls) {
      return node;
    } else {
      position -= ls + 1;
      node = right_[U(node)];
    }
  }
  return kNil;
}

int32_t OrderTree::Rank(int32_t row) const {
  int32_t rank = Sz(left_[U(row)]);
  for (int32_t x = row; parent_[U(x)] != kNil; x = parent_[U(x)]) {
    const int32_t p = parent_[U(x)];
    if (right_[U(p)] == x) rank += Sz(left_[U(p)]) + 1;
  }
  return rank;
}

int32_t OrderTree::First() const {
  int32_t node = root_;
  if (node == kNil) return kNil;
  while (left_[U(node)] != kNil) node = left_[U(node)];
  return node;
}

int32_t OrderTree::Last() const {
  int32_t node = root_;
  if (node == kNil) return kNil;
  while (right_[U(node)] != kNil) node = right_[U(node)];
  return node;
}

int32_t OrderTree::Next(int32_t row) const {
  if (right_[U(row)] != kNil) {
    int32_t node = right_[U(row)];
    while (left_[U(node)] != kNil) node = left_[U(node)];
    return node;
  }
  int32_t x = row;
  while (parent_[U(x)] != kNil && right_[U(parent_[U(x)])] == x) x = parent_[U(x)];
  return parent_[U(x)];
}

int32_t OrderTree::Prev(int32_t row) const {
  if (left_[U(row)] != kNil) {
    int32_t node = left_[U(row)];
    while (right_[U(node)] != kNil) node = right_[U(node)];
    return node;
  }
  int32_t x = row;
  while (parent_[U(x)] != kNil && left_[U(parent_[U(x)])] == x) x = parent_[U(x)];
  return parent_[U(x)];
}

void OrderTree::Prepare(int32_t row) {
  Reserve(U(row) + 1);
  left_[U(row)] = right_[U(row)] = parent_[U(row)] = kNil;
  size_[U(row)] = 1;
  in_[U(row)] = 1;
  // xorshift64*: a cheap, well-spread priority.
  seed_ ^= seed_ >> 12;
  seed_ ^= seed_ << 25;
  seed_ ^= seed_ >> 27;
  priority_[U(row)] = static_cast<uint32_t>((seed_ * 0x2545F4914F6CDD1Dull) >> 32);
}

void OrderTree::InsertAt(int32_t position, int32_t row) {
  Prepare(row);
  if (root_ == kNil) {
    root_ = row;
    return;
  }
  if (position < 0) position = 0;
  int32_t node = root_;
  for (;;) {
    ++size_[U(node)];
    const int32_t ls = Sz(left_[U(node)]);
    int32_t* next;
    if (position <= ls) {
      next = &left_[U(node)];
    } else {
      position -= ls + 1;
      next = &right_[U(node)];
    }
    if (*next == kNil) {
      *next = row;
      parent_[U(row)] = node;
      break;
    }
    node = *next;
  }
  BubbleUp(row);
}

void OrderTree::BubbleUp(int32_t row) {
  while (parent_[U(row)] != kNil && priority_[U(row)] > priority_[U(parent_[U(row)])]) {
    RotateUp(row);
  }
}

void OrderTree::RotateUp(int32_t x) {
  const int32_t p = parent_[U(x)];
  const int32_t g = parent_[U(p)];
  if (left_[U(p)] == x) {
    left_[U(p)] = right_[U(x)];
    if (right_[U(x)] != kNil) parent_[U(right_[U(x)])] = p;
    right_[U(x)] = p;
  } else {
    right_[U(p)] = left_[U(x)];
    if (left_[U(x)] != kNil) parent_[U(left_[U(x)])] = p;
    left_[U(x)] = p;
  }
  parent_[U(p)] = x;
  parent_[U(x)] = g;
  if (g == kNil) {
    root_ = x;
  } else if (left_[U(g)] == p) {
    left_[U(g)] = x;
  } else {
    right_[U(g)] = x;
  }
  Resize(p);
  Resize(x);
}

void OrderTree::Erase(int32_t row) {
  if (!Contains(row)) return;
  // Rotate the row down until it has at most one child, then splice it out.
  while (left_[U(row)] != kNil && right_[U(row)] != kNil) {
    const int32_t l = left_[U(row)], r = right_[U(row)];
    RotateUp(priority_[U(l)] > priority_[U(r)] ? l : r);
  }
  const int32_t child = left_[U(row)] != kNil ? left_[U(row)] : right_[U(row)];
  const int32_t p = parent_[U(row)];
  if (child != kNil) parent_[U(child)] = p;
  if (p == kNil) {
    root_ = child;
  } else if (left_[U(p)] == row) {
    left_[U(p)] = child;
  } else {
    right_[U(p)] = child;
  }
  for (int32_t x = p; x != kNil; x = parent_[U(x)]) --size_[U(x)];
  in_[U(row)] = 0;
  left_[U(row)] = right_[U(row)] = parent_[U(row)] = kNil;
}

}  // namespace Tov00300
