// The package's operations that a C++ host can reach only through their plain
// (C) names, and the package's own library handle and folder.
#ifndef ECFHOST_PLAIN_NAMES_H_
#define ECFHOST_PLAIN_NAMES_H_

#include <string>

#include "tov00300/platform.h"

namespace ecfhost {

// The loaded package (libtov00300.so) and the folder it was loaded from.
Tov00300::platform::LibraryHandle PackageHandle();
std::string PackageFolder();

// BuscaNReducoes through its plain name; throws std::runtime_error when the
// package does not export it.
bool BuscaNReducoesPlain(const std::string& stEsquema, std::string& stNReducoes);

}  // namespace ecfhost

#endif  // ECFHOST_PLAIN_NAMES_H_
