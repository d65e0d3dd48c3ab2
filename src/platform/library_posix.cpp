// Dynamic libraries on POSIX systems (dlopen and dlsym).
#include <dlfcn.h>

#include <algorithm>
#include <string>

#include "tov00300/platform.h"

namespace Tov00300::platform {
namespace {

thread_local std::string lastError;

std::string DlError() {
  const char* text = ::dlerror();
  return text != nullptr ? text : "unknown error";
}

}  // namespace

LibraryHandle LoadLibrary(std::string_view path) {
  std::string native = NativePath(path);
  ::dlerror();
  void* handle = ::dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) lastError = "cannot load library " + native + ": " + DlError();
  return handle;
}

void* FindSymbol(LibraryHandle library, std::string_view name) {
  std::string symbol(name);
  if (library == nullptr) {
    lastError = "cannot find " + symbol + ": no library loaded";
    return nullptr;
  }
  ::dlerror();
  void* address = ::dlsym(library, symbol.c_str());
  if (address == nullptr) lastError = "cannot find " + symbol + ": " + DlError();
  return address;
}

std::string LastLibraryError() {
  return lastError;
}

std::string PathOfLoadedObject(const void* address) {
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  return info.dli_fname;
}

std::string FolderOfLoadedObject(const void* address) {
  const std::string file = PathOfLoadedObject(address);
  if (file.empty()) return {};
  size_t slash = file.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return file.substr(0, slash);
}

std::string LibraryPath(std::string_view variable, std::string_view folder,
                        std::string_view fileName) {
  std::string configured = ProcessVariable(variable);
  return configured.empty() ? JoinPath(folder, fileName) : configured;
}

bool BindLibrary(std::string_view path, LibraryHandle& library, std::span<const char* const> names,
                 std::span<void*> addresses, std::string& error) {
  std::fill(addresses.begin(), addresses.end(), nullptr);
  if (library == nullptr) library = LoadLibrary(path);
  if (library == nullptr) {
    error = LastLibraryError();
    return false;
  }
  for (size_t i = 0; i < names.size() && i < addresses.size(); ++i) {
    addresses[i] = FindSymbol(library, names[i]);
    if (addresses[i] == nullptr) {
      error = std::string(path) + " lacks " + names[i];
      std::fill(addresses.begin(), addresses.end(), nullptr);
      return false;
    }
  }
  return true;
}

}  // namespace Tov00300::platform
