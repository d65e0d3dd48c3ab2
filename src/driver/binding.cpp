// Binding the driver library's entry points at session start.
#include <cstdlib>
#include <string>

#include "driver/entry_points.h"
#include "tov00300/driver.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

std::string ultimoErro;

// $TOV_DRIVER_LIBRARY, else the driver library beside the package itself, as
// the driver DLL sits beside the host's packages.
std::string CaminhoDaBiblioteca() {
  if (const char* caminho = std::getenv("TOV_DRIVER_LIBRARY"); caminho != nullptr && *caminho)
    return caminho;
  // The address must be the package's own: an exported variable may live in
  // the host executable (copy relocation), a file-local one cannot.
  return platform::JoinPath(platform::FolderOfLoadedObject(&ultimoErro), "libDarumaFrameWork.so");
}

}  // namespace

bool StartImpFiscal_FrameWork() {
  ultimoErro.clear();
  if (ImpFisDLLHandle == nullptr) {
    const std::string caminho = CaminhoDaBiblioteca();
    ImpFisDLLHandle = platform::LoadLibrary(caminho);
    if (ImpFisDLLHandle == nullptr) {
      ultimoErro = "cannot load " + caminho + ": " + platform::LastLibraryError();
      // Entry points a host may have assigned by hand are not left behind a
      // failed start.
      UnbindDriverEntryPoints();
      return false;
    }
  }
  for (const driver::EntryPointSlot& slot : driver::EntryPointTable()) {
    void* endereco = platform::FindSymbol(ImpFisDLLHandle, slot.name);
    if (endereco == nullptr) {
      ultimoErro = std::string("driver library lacks ") + slot.name;
      UnbindDriverEntryPoints();
      return false;
    }
    slot.bind(endereco);
  }
  return true;
}

std::string LastBindingError() {
  return ultimoErro;
}

}  // namespace Tov00300
