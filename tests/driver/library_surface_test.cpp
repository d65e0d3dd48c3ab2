// The installed libraries export their API and nothing else: C names the C
// header declares (checked in plain_names_test.cpp), and C++ names of
// namespace Tov00300 that the public headers declare; no subsystem's own
// namespace, and no symbol exported by two libraries.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/library_symbols.h"

namespace {

using tovtest::ExportedSymbol;
using tovtest::ExportedSymbols;

// Every identifier written in the public headers.
std::set<std::string> PublicIdentifiers() {
  std::set<std::string> names;
  const std::regex identifier("[A-Za-z_][A-Za-z0-9_]*");
  for (const auto& entry :
       std::filesystem::directory_iterator(TOV_SOURCE_DIR "/include/tov00300")) {
    std::ifstream file(entry.path());
    std::stringstream text;
    text << file.rdbuf();
    const std::string content = text.str();
    for (std::sregex_iterator it(content.begin(), content.end(), identifier), end; it != end; ++it)
      names.insert(it->str());
  }
  return names;
}

// The first name after "Tov00300::" in a demangled symbol, and whether it is
// followed by "::" (a namespace or a class).
std::pair<std::string, bool> FirstName(const std::string& demangled) {
  const size_t at = demangled.find("Tov00300::");
  if (at == std::string::npos) return {"", false};
  const size_t start = at + 10;
  size_t end = start;
  while (end < demangled.size() &&
         (std::isalnum(static_cast<unsigned char>(demangled[end])) || demangled[end] == '_'))
    ++end;
  return {demangled.substr(start, end - start), demangled.compare(end, 2, "::") == 0};
}

struct Library {
  const char* file;
  std::set<std::string> publicNamespaces;  // lower-case namespaces that are API
};

TEST(LibrarySurfaceTest, OnlyThePublicApiIsExportedAndByOneLibraryEach) {
  const std::set<std::string> declared = PublicIdentifiers();
  const Library libraries[] = {{"libtov00300.so", {}},
                               {"libtovrtl.so", {}},
                               {"libtovhost.so", {"hostlib"}},
                               {"libDarumaFrameWork.so", {}},
                               {"libsign_bema.so", {}}};
  std::map<std::string, std::string> exporter;
  for (const Library& library : libraries) {
    const std::string path = std::string(TOV_BUILD_LIB_DIR) + "/" + library.file;
    if (!std::filesystem::exists(path)) continue;  // a tree without the signer
    const std::set<ExportedSymbol> symbols = ExportedSymbols(path);
    ASSERT_FALSE(symbols.empty()) << "nm could not list " << path;
    for (const ExportedSymbol& symbol : symbols) {
      // Sanitizer builds add the runtime's own hooks.
      if (symbol.name.rfind("__", 0) == 0 || symbol.name.rfind("_fini", 0) == 0 ||
          symbol.name.rfind("_init", 0) == 0)
        continue;
      const auto [other, added] = exporter.emplace(symbol.name, library.file);
      EXPECT_TRUE(added) << symbol.name << " is exported by " << other->second << " and "
                         << library.file;
      if (symbol.demangled.empty()) continue;  // a C name: see plain_names_test.cpp
      const auto [name, qualifies] = FirstName(symbol.demangled);
      EXPECT_FALSE(name.empty()) << library.file << " exports " << symbol.demangled
                                 << ", which is not the package's";
      if (name.empty()) continue;
      const bool internalNamespace = qualifies &&
                                     std::islower(static_cast<unsigned char>(name[0])) &&
                                     !library.publicNamespaces.count(name);
      EXPECT_FALSE(internalNamespace) << library.file << " exports " << symbol.demangled;
      EXPECT_TRUE(declared.count(name))
          << library.file << " exports " << symbol.demangled << ", not in the public headers";
    }
  }
}

}  // namespace
