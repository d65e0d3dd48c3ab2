// How one fiscal receipt adds to the day totals. Shared by the closing, both
// cancellations and the paper print, so they always agree.
#ifndef TOV00300_SIM_RECEIPT_MATH_H_
#define TOV00300_SIM_RECEIPT_MATH_H_

#include <array>
#include <cstdint>

#include "state.h"

namespace Tov00300::sim {

struct ReceiptBreakdown {
  // Net amount per tax bucket of the items not cancelled, with the subtotal
  // discount or surcharge shared among the buckets in proportion.
  std::array<int64_t, kBucketCount> buckets{};
  std::array<int64_t, 2> discounts{};       // item and subtotal discounts, ICMS/ISS
  std::array<int64_t, 2> surcharges{};      // item and subtotal surcharges
  std::array<int64_t, 2> cancelledItems{};  // net of the cancelled items
  std::array<int64_t, 2> live{};            // buckets summed per ICMS/ISS
  int64_t gross = 0;                        // what the grand total grows by
  int64_t change = 0;                       // paid beyond the total
};

ReceiptBreakdown Breakdown(const PrinterState& state, const Document& receipt);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_RECEIPT_MATH_H_
