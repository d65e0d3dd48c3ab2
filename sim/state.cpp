#include "state.h"

#include "text.h"
#include "tov00300/format.h"

namespace Tov00300::sim {

PrinterState FreshState() {
  PrinterState state;
  state.rates = {{'T', 1800}, {'T', 1200}, {'T', 700}, {'S', 500}};
  state.paymentMethods = {"Dinheiro", "Cheque", "Cartao Credito", "Cartao Debito"};
  state.totalizers = {"Sangria", "Suprimento"};
  return state;
}

bool IsServiceBucket(const PrinterState& state, int bucket) {
  if (bucket < kMaxRates) {
    return bucket < static_cast<int>(state.rates.size()) && state.rates[bucket].kind == 'S';
  }
  return bucket == kBucketSubstitutionIss || bucket == kBucketExemptIss ||
         bucket == kBucketNoIncidenceIss;
}

int FindPaymentMethod(const PrinterState& state, std::string_view name) {
  std::string wanted = UpperCase(Trim(name.substr(0, kPaymentNameLength)));
  for (size_t i = 0; i < state.paymentMethods.size(); ++i) {
    if (UpperCase(state.paymentMethods[i]) == wanted) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace Tov00300::sim
