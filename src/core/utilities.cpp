// Two small exported utilities: the driver folder from the registry and the
// text-to-pointer helper.
#include <string>

#include "tov00300/frame.h"
#include "tov00300/platform.h"

namespace Tov00300 {

namespace {
constexpr const char* kDriverRegistryKey = "Software\\DARUMA\\ECF";
}  // namespace

std::string BuscaDiretorio() {
  platform::RegistryOpenKey(kDriverRegistryKey, /*create=*/true);
  return platform::RegistryReadString(kDriverRegistryKey, "Path").value_or("");
}

const char* StrToPChar(const std::string& texto) {
  return texto.c_str();
}

}  // namespace Tov00300
