// geraEad: the EAD record of a legal text file, made by the signing library.
#include <iterator>
#include <string>

#include "driver/command.h"
#include "legal/signing_key.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/legal.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace Tov00300 {

SetLibTypeFunction Bematech_setLibType = nullptr;
GenKeyFunction Bematech_genkkey = nullptr;
GenerateEadFunction Bematech_generateEAD = nullptr;
ValidateFileFunction Bematech_validateFile = nullptr;

namespace {

void ClearEntryPoints() {
  Bematech_setLibType = nullptr;
  Bematech_genkkey = nullptr;
  Bematech_generateEAD = nullptr;
  Bematech_validateFile = nullptr;
}

}  // namespace

void geraEad(const std::string& caminho) {
  // The signing library sits beside the package, as its DLL sits beside the
  // host's packages; $TOV_SIGNER_LIBRARY points elsewhere (tests, installs).
  // A file-local object: its address is surely inside the package.
  static const char anchor = 0;
  const std::string path = platform::LibraryPath(
      "TOV_SIGNER_LIBRARY", platform::FolderOfLoadedObject(&anchor), "libsign_bema.so");
  // Loaded anew at every signature and never released; a handle of its own,
  // so the driver library's ImpFisDLLHandle stays as it is. All four entry
  // points must be there, in this order, though only generateEAD is used.
  static constexpr const char* kNames[] = {"setLibType", "genkkey", "generateEAD", "validateFile"};
  void* addresses[std::size(kNames)] = {};
  platform::LibraryHandle library = nullptr;
  std::string error;
  if (!platform::BindLibrary(path, library, kNames, addresses, error)) {
    // Nothing is signed and nothing is shown: the log says why. A log that
    // cannot be written does not stop the caller, which is putting the file
    // in its place.
    try {
      ImpFisDebug(Utf8ToCp1252("Arquivo não assinado (EAD): ") + error);
    } catch (const std::exception&) {
    }
    return;
  }
  Bematech_setLibType = reinterpret_cast<SetLibTypeFunction>(addresses[0]);
  Bematech_genkkey = reinterpret_cast<GenKeyFunction>(addresses[1]);
  Bematech_generateEAD = reinterpret_cast<GenerateEadFunction>(addresses[2]);
  Bematech_validateFile = reinterpret_cast<ValidateFileFunction>(addresses[3]);
  // 256 blanks the library overwrites with the record's digits; not read back.
  std::string digits(256, ' ');
  driver::Store(Bematech_generateEAD(platform::NativePath(caminho).c_str(),
                                     legal::kSigningPrivateExponent, legal::kSigningModulus,
                                     digits.data(), 1));
  // The globals point into a library that may be replaced before the next
  // signature.
  ClearEntryPoints();
}

}  // namespace Tov00300
