// Path helpers for POSIX systems: the host folder comes from /proc/self/exe,
// the drive root is "/", and short (8.3) names do not exist; the settings'
// variables live in the process environment.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tov00300/platform.h"

namespace Tov00300::platform {
namespace {

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string ReadExecutableFolder() {
  std::string buffer(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0) return ".";
  buffer.resize(static_cast<size_t>(length));
  size_t slash = buffer.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return buffer.substr(0, slash);
}

// The running executable does not change, so /proc is read once (the debug
// log asks for the host folder at every entry).
const std::string& ExecutableFolder() {
  static const std::string folder = ReadExecutableFolder();
  return folder;
}

}  // namespace

std::string NativePath(std::string_view path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

std::string HostFolder() {
  if (const char* dir = std::getenv("TOV_HOST_DIR"); dir != nullptr && *dir != '\0') {
    return WithoutTrailingSeparators(NativePath(dir));
  }
  return ExecutableFolder();
}

std::string DriveRoot() {
  if (const char* root = std::getenv("TOV_DRIVE_ROOT"); root != nullptr && *root != '\0') {
    std::string native = NativePath(root);
    if (native.back() != '/') native += '/';
    return native;
  }
  return "/";
}

std::string ShortPath(std::string_view path) {
  return NativePath(path);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string left = NativePath(folder);
  std::string right = NativePath(name);
  if (left.empty()) return right;
  while (!left.empty() && left.back() == '/') left.pop_back();
  size_t start = right.find_first_not_of('/');
  right = start == std::string::npos ? std::string() : right.substr(start);
  return left + '/' + right;
}

std::string ProcessVariable(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  return value != nullptr ? value : "";
}

void SetProcessVariable(std::string_view name, std::string_view value) {
  const std::string variable(name);
  if (value.empty()) {
    unsetenv(variable.c_str());
  } else {
    setenv(variable.c_str(), std::string(value).c_str(), 1);
  }
}

}  // namespace Tov00300::platform
