// geraEad: the EAD record of a legal text file, made by the signing library.
#include <cstdlib>
#include <string>

#include "driver/command.h"
#include "legal/signing_key.h"
#include "tov00300/legal.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace Tov00300 {

SetLibTypeFunction Bematech_setLibType = nullptr;
GenKeyFunction Bematech_genkkey = nullptr;
GenerateEadFunction Bematech_generateEAD = nullptr;
ValidateFileFunction Bematech_validateFile = nullptr;

namespace {

// The signing library sits beside the package, as its DLL sits beside the
// host's packages; $TOV_SIGNER_LIBRARY points elsewhere (tests, installs).
std::string SignerLibraryPath() {
  if (const char* path = std::getenv("TOV_SIGNER_LIBRARY"); path != nullptr && *path) return path;
  // A file-local object: its address is surely inside the package.
  static const char anchor = 0;
  return platform::JoinPath(platform::FolderOfLoadedObject(&anchor), "libsign_bema.so");
}

template <typename Function>
bool Bind(platform::LibraryHandle library, const char* name, Function& slot) {
  slot = reinterpret_cast<Function>(platform::FindSymbol(library, name));
  return slot != nullptr;
}

void ClearEntryPoints() {
  Bematech_setLibType = nullptr;
  Bematech_genkkey = nullptr;
  Bematech_generateEAD = nullptr;
  Bematech_validateFile = nullptr;
}

}  // namespace

void geraEad(const std::string& caminho) {
  // Loaded anew at every signature and never released; a handle of its own,
  // so the driver library's ImpFisDLLHandle stays as it is.
  platform::LibraryHandle library = platform::LoadLibrary(SignerLibraryPath());
  if (library == nullptr) return;
  // All four must be there, in this order, though only generateEAD is used.
  // The globals are cleared on every way out: they point into a library that
  // may be replaced before the next signature.
  if (!Bind(library, "setLibType", Bematech_setLibType) ||
      !Bind(library, "genkkey", Bematech_genkkey) ||
      !Bind(library, "generateEAD", Bematech_generateEAD) ||
      !Bind(library, "validateFile", Bematech_validateFile)) {
    ClearEntryPoints();
    return;
  }
  // 256 blanks the library overwrites with the record's digits; not read back.
  std::string digits(256, ' ');
  driver::Store(Bematech_generateEAD(platform::NativePath(caminho).c_str(),
                                     legal::kSigningPrivateExponent, legal::kSigningModulus,
                                     digits.data(), 1));
  ClearEntryPoints();
}

}  // namespace Tov00300
