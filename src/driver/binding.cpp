// Binding the driver library's entry points at session start.
#include <string>
#include <vector>

#include "driver/entry_points.h"
#include "tov00300/driver.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

std::string lastError;

}  // namespace

bool StartImpFiscal_FrameWork() {
  lastError.clear();
  const std::span<const driver::EntryPointSlot> slots = driver::EntryPointTable();
  std::vector<const char*> names;
  for (const driver::EntryPointSlot& slot : slots) names.push_back(slot.name);
  std::vector<void*> addresses(slots.size());
  // $TOV_DRIVER_LIBRARY, else the driver library beside the package itself.
  // The address must be the package's own: an exported variable may live in
  // the host executable (copy relocation), a file-local one cannot.
  const std::string path = platform::LibraryPath(
      "TOV_DRIVER_LIBRARY", platform::FolderOfLoadedObject(&lastError), "libDarumaFrameWork.so");
  if (!platform::BindLibrary(path, ImpFisDLLHandle, names, addresses, lastError)) {
    // Entry points a host may have assigned by hand are not left behind a
    // failed start.
    UnbindDriverEntryPoints();
    return false;
  }
  for (size_t i = 0; i < slots.size(); ++i) slots[i].bind(addresses[i]);
  return true;
}

std::string LastBindingError() {
  return lastError;
}

}  // namespace Tov00300
