// The host folder every command works in.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "commands.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace ecfhost {

namespace {

void SetEnvDefault(const char* name, const std::string& value) {
  const char* current = std::getenv(name);
  if (!current || !*current) setenv(name, value.c_str(), 1);
}

}  // namespace

// The package reads its folders from the environment when it loads, which
// happens before main; set them, then run its load step again so DsDirCad
// and DsDirDrive follow. The registry and the drive root default to places
// inside the host folder so that a run never touches the machine's own.
std::string HostFolderPath(const Options& o) {
  namespace fs = std::filesystem;
  std::string hostDir;
  if (o.hostDir) {
    hostDir = *o.hostDir;
  } else if (const char* env = std::getenv("TOV_HOST_DIR"); env && *env) {
    hostDir = env;
  } else {
    hostDir = fs::current_path().string();
  }
  hostDir = fs::absolute(hostDir).lexically_normal().string();
  while (hostDir.size() > 1 && hostDir.back() == '/') hostDir.pop_back();
  return hostDir;
}

namespace {

void Prepare(const Options& o) {
  namespace fs = std::filesystem;
  const std::string hostDir = HostFolderPath(o);
  if (!Tov00300::platform::CreateFolder(hostDir))
    throw std::runtime_error("cannot create the host folder " + hostDir);
  setenv("TOV_HOST_DIR", hostDir.c_str(), 1);
  SetEnvDefault("TOV_REGISTRY", Tov00300::platform::JoinPath(hostDir, "registry.ini"));
  if (const char* drive = std::getenv("TOV_DRIVE_ROOT"); !drive || !*drive) {
    const std::string root = Tov00300::platform::JoinPath(hostDir, "drive");
    Tov00300::platform::CreateFolder(root);
    setenv("TOV_DRIVE_ROOT", (root + "/").c_str(), 1);
  }
  if (o.driver) setenv("TOV_DRIVER_LIBRARY", fs::absolute(*o.driver).lexically_normal().c_str(), 1);
  Tov00300::Initialize();
  // A host tells the package its data folder; this one keeps its data in the
  // host folder.
  Tov00300::dsDiretorio = hostDir + "/";
}

}  // namespace

bool PrepareHostFolder(const Options& o) {
  try {
    Prepare(o);
    return true;
  } catch (const std::exception& e) {
    std::cerr << "ecfhost: " << e.what() << "\n";
    return false;
  }
}

}  // namespace ecfhost
