#include "receipt_math.h"

namespace Tov00300::sim {

ReceiptBreakdown Breakdown(const PrinterState& state, const Document& receipt) {
  ReceiptBreakdown b;
  std::array<int64_t, kBucketCount> base{};
  for (const Item& item : receipt.items) {
    int tax = IsServiceBucket(state, item.bucket) ? 1 : 0;
    b.gross += item.value + item.surcharge;
    b.discounts[tax] += item.discount;
    b.surcharges[tax] += item.surcharge;
    if (item.cancelled) {
      b.cancelledItems[tax] += item.Net();
    } else {
      base[item.bucket] += item.Net();
    }
  }
  b.buckets = base;
  // Share the subtotal adjustment in proportion to each bucket's amount,
  // rounding by largest remainder so the shares add up to the adjustment.
  int64_t adjustment = receipt.adjustment;
  if (adjustment != 0 && receipt.subtotal > 0) {
    int64_t magnitude = adjustment < 0 ? -adjustment : adjustment;
    int sign = adjustment < 0 ? -1 : 1;
    std::array<int64_t, kBucketCount> share{};
    std::array<int64_t, kBucketCount> remainder{};
    int64_t given = 0;
    for (int i = 0; i < kBucketCount; ++i) {
      if (base[i] <= 0) continue;
      share[i] = magnitude * base[i] / receipt.subtotal;
      remainder[i] = magnitude * base[i] % receipt.subtotal;
      given += share[i];
    }
    for (int64_t left = magnitude - given; left > 0; --left) {
      int best = -1;
      for (int i = 0; i < kBucketCount; ++i) {
        if (base[i] > 0 && (best < 0 || remainder[i] > remainder[best])) best = i;
      }
      share[best] += 1;
      remainder[best] = -1;
    }
    for (int i = 0; i < kBucketCount; ++i) {
      if (share[i] == 0) continue;
      b.buckets[i] += sign * share[i];
      int tax = IsServiceBucket(state, i) ? 1 : 0;
      (sign < 0 ? b.discounts : b.surcharges)[tax] += share[i];
    }
    if (adjustment > 0) b.gross += adjustment;
  }
  for (int i = 0; i < kBucketCount; ++i) b.live[IsServiceBucket(state, i) ? 1 : 0] += b.buckets[i];
  int64_t paid = receipt.Paid();
  b.change = paid > receipt.Total() ? paid - receipt.Total() : 0;
  return b;
}

}  // namespace Tov00300::sim
