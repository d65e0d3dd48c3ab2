#include "support/library_symbols.h"

#include <cxxabi.h>
#include <cstdio>

#include <cstdlib>
#include <memory>

namespace tovtest {

std::set<ExportedSymbol> ExportedSymbols(const std::string& path) {
  std::set<ExportedSymbol> symbols;
  const std::string command = "nm -D --defined-only '" + path + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return symbols;
  char line[4096];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    char address[64], kind[8], name[4000];
    if (std::sscanf(line, "%63s %7s %3999s", address, kind, name) != 3) continue;
    ExportedSymbol symbol;
    symbol.name = name;
    symbol.kind = kind[0];
    if (symbol.name.rfind("_Z", 0) == 0) {
      int status = 0;
      std::unique_ptr<char, decltype(&std::free)> text(
          abi::__cxa_demangle(name, nullptr, nullptr, &status), &std::free);
      symbol.demangled = status == 0 && text ? text.get() : name;
    }
    symbols.insert(std::move(symbol));
  }
  pclose(pipe);
  return symbols;
}

std::set<std::string> ExportedCFunctions(const std::string& path) {
  std::set<std::string> names;
  for (const ExportedSymbol& symbol : ExportedSymbols(path)) {
    if (symbol.kind == 'T' && symbol.demangled.empty() && symbol.name.rfind('_', 0) != 0)
      names.insert(symbol.name);
  }
  return names;
}

}  // namespace tovtest
