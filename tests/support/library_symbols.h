// What a built shared library exports, read with nm: the tests of the
// library surface use it instead of loading the library beside the
// package's own objects that every test program links.
#ifndef TOV00300_TESTS_SUPPORT_LIBRARY_SYMBOLS_H_
#define TOV00300_TESTS_SUPPORT_LIBRARY_SYMBOLS_H_

#include <set>
#include <string>

namespace tovtest {

struct ExportedSymbol {
  std::string name;       // as linked (mangled for C++)
  std::string demangled;  // as written in C++ ("" for a C name)
  char kind = 0;          // nm's letter: 'T' function, 'B'/'D' variable, 'V'/'W' weak, ...
  bool operator<(const ExportedSymbol& other) const { return name < other.name; }
};

// The defined dynamic symbols of the library at `path`; empty when nm fails.
std::set<ExportedSymbol> ExportedSymbols(const std::string& path);

// The C (unmangled) function names among them.
std::set<std::string> ExportedCFunctions(const std::string& path);

}  // namespace tovtest

#endif  // TOV00300_TESTS_SUPPORT_LIBRARY_SYMBOLS_H_
