// The package's load and unload steps. They run by themselves (see the hook
// in state.cpp) and are exported too, so a host that loads the package by
// hand can run them; both may run more than once.
#include <string>

#include "core/exported_texts.h"
#include "tov00300/frame.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace Tov00300 {

void Initialize() {
  std::string folder = platform::ShortPath(platform::HostFolder());
  const std::string separator = platform::NativePath("\\");
  if (!folder.ends_with(separator)) folder += separator;
  DsDirCad = folder;
  DsDirDrive = platform::DriveRoot();
}

void Finalize() {
#define TOV00300_CLEAR(name) name.clear();
  TOV00300_EXPORTED_TEXTS(TOV00300_CLEAR)
#undef TOV00300_CLEAR
  platform::CloseLog();
}

}  // namespace Tov00300
