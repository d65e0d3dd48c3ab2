#include "plain_names.h"

#include <stdexcept>
#include <vector>

#include "tov00300/session.h"

namespace ecfhost {

namespace platform = Tov00300::platform;

platform::LibraryHandle PackageHandle() {
  // The package is already loaded (ecfhost links it): asking for it by the
  // path it was loaded from gives the same copy, not a second one, whatever
  // its versioned soname and whoever intercepts the lookup.
  static const std::string path =
      platform::PathOfLoadedObject(reinterpret_cast<const void*>(&Tov00300::Initialize));
  static platform::LibraryHandle handle = platform::LoadLibrary(path);
  if (!handle)
    throw std::runtime_error("the package is not loaded (" + path +
                             "): " + platform::LastLibraryError());
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
