// The table of driver entry points, in binding order, as the binding and the
// session stop use it.
#ifndef TOV00300_SRC_DRIVER_ENTRY_POINTS_H_
#define TOV00300_SRC_DRIVER_ENTRY_POINTS_H_

#include <span>

namespace Tov00300::driver {

struct EntryPointSlot {
  const char* name;
  void (*bind)(void* address);  // stores the looked-up address in the variable
  void (*unbind)();             // points the variable back at its stand-in
  bool (*isBound)();
};

// The 54 slots in binding order.
std::span<const EntryPointSlot> EntryPointTable();

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_ENTRY_POINTS_H_
