// The exported entry-point variables and their stand-ins.
#include "driver/entry_points.h"

#include <string_view>

#include "tov00300/driver.h"

namespace Tov00300 {

namespace {

// The stand-in of an unbound entry point, one per signature: it answers 0
// (communication error) and touches none of its arguments, so an unbound call
// reads as a failed driver call and output buffers keep their blanks.
template <typename Pointer>
struct Unbound;
template <typename... Args>
struct Unbound<int (*)(Args...)> {
  static int Call(Args...) { return 0; }
};

template <typename Pointer>
constexpr Pointer StandIn() {
  return &Unbound<Pointer>::Call;
}

}  // namespace

#define TOV00300_DEFINE_ENTRY_POINT(name, params) decltype(name) name = StandIn<decltype(name)>();
TOV00300_DRIVER_ENTRY_POINTS(TOV00300_DEFINE_ENTRY_POINT)
#undef TOV00300_DEFINE_ENTRY_POINT

decltype(regAlterarValor_Daruma) regAlterarValor_Daruma =
    StandIn<decltype(regAlterarValor_Daruma)>();

#define TOV00300_DEFINE_LEGACY_ENTRY_POINT(name, params) decltype(name) name = nullptr;
TOV00300_LEGACY_ENTRY_POINTS(TOV00300_DEFINE_LEGACY_ENTRY_POINT)
#undef TOV00300_DEFINE_LEGACY_ENTRY_POINT

namespace driver {

namespace {

// Converting an object address from the symbol lookup into a function
// pointer is what dlsym's contract provides on every platform we build for.
#define TOV00300_ENTRY_POINT_SLOT(name, params)                                                  \
  EntryPointSlot{#name, [](void* address) { name = reinterpret_cast<decltype(name)>(address); }, \
                 [] { name = StandIn<decltype(name)>(); },                                       \
                 [] { return name != StandIn<decltype(name)>(); }},
constexpr EntryPointSlot kEntryPoints[] = {TOV00300_DRIVER_ENTRY_POINTS(TOV00300_ENTRY_POINT_SLOT)};
#undef TOV00300_ENTRY_POINT_SLOT

static_assert(std::size(kEntryPoints) == TOV00300_DRIVER_ENTRY_POINT_COUNT);

}  // namespace

std::span<const EntryPointSlot> EntryPointTable() {
  return kEntryPoints;
}

}  // namespace driver

void UnbindDriverEntryPoints() {
  for (const driver::EntryPointSlot& slot : driver::EntryPointTable()) slot.unbind();
}

bool IsDriverEntryPointBound(std::string_view name) {
  for (const driver::EntryPointSlot& slot : driver::EntryPointTable())
    if (name == slot.name) return slot.isBound();
  return false;
}

std::vector<std::string_view> DriverEntryPointNames() {
  std::vector<std::string_view> names;
  for (const driver::EntryPointSlot& slot : driver::EntryPointTable()) names.push_back(slot.name);
  return names;
}

}  // namespace Tov00300
