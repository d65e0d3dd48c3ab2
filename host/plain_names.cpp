#include "plain_names.h"

#include <stdexcept>
#include <vector>

namespace ecfhost {

namespace platform = Tov00300::platform;

platform::LibraryHandle PackageHandle() {
  // The package is already loaded (ecfhost links it): asking for it by name
  // gives the same copy, not a second one.
  static platform::LibraryHandle handle = platform::LoadLibrary("libtov00300.so");
  if (!handle)
    throw std::runtime_error("the package libtov00300.so is not loaded: " +
                             platform::LastLibraryError());
  return handle;
}

std::string PackageFolder() {
  const void* symbol = platform::FindSymbol(PackageHandle(), "Initialize");
  if (!symbol) throw std::runtime_error("the package does not export Initialize");
  return platform::FolderOfLoadedObject(symbol);
}

namespace {

template <typename Function>
Function PlainName(const char* name) {
  void* symbol = platform::FindSymbol(PackageHandle(), name);
  if (!symbol) throw std::runtime_error(std::string("the package does not export ") + name);
  return reinterpret_cast<Function>(symbol);
}

}  // namespace

bool BuscaNReducoesPlain(const std::string& stEsquema, std::string& stNReducoes) {
  using Function = bool (*)(const char*, char*, int);
  static const Function fn = PlainName<Function>("BuscaNReducoes");
  std::vector<char> buffer(64, '\0');
  const bool ok = fn(stEsquema.c_str(), buffer.data(), static_cast<int>(buffer.size()));
  stNReducoes = buffer.data();
  return ok;
}

}  // namespace ecfhost
