#include "driver_trace.h"

#include "tov00300/driver.h"

namespace ecfhost {

namespace {

Json& Noted() {
  static Json codes = Json::array();
  return codes;
}

// One wrapper per entry-point variable: it calls the function that was bound
// there and notes the result under the entry point's name.
template <auto Slot, typename F>
struct Wrapper;

template <auto Slot, typename... P>
struct Wrapper<Slot, int (*)(P...)> {
  static inline int (*original)(P...) = nullptr;
  static inline const char* name = "";
  static int Call(P... args) {
    const int code = original(args...);
    // Capped so that a long polling loop cannot swell one call's record.
    if (Noted().size() < 500) Noted().push_back({{"call", name}, {"code", code}});
    return code;
  }
  static void Install(const char* entryName) {
    if (*Slot == &Call || !Tov00300::IsDriverEntryPointBound(entryName)) return;
    original = *Slot;
    name = entryName;
    *Slot = &Call;
  }
};

}  // namespace

void TraceDriverCalls() {
#define ECFHOST_WRAP(entry, params) \
  Wrapper<&Tov00300::entry, decltype(Tov00300::entry)>::Install(#entry);
  TOV00300_DRIVER_ENTRY_POINTS(ECFHOST_WRAP)
#undef ECFHOST_WRAP
}

Json TakeDriverCodes() {
  Json taken = Json::array();
  std::swap(taken, Noted());
  return taken;
}

bool SessionStarted() {
  return Tov00300::IsDriverEntryPointBound("rRetornarInformacao_ECF_Daruma");
}

}  // namespace ecfhost
