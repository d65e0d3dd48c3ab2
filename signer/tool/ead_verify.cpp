// ead-verify: checks that legal files end with an EAD record made with the
// package's key, for the shop and for the fiscal auditor.
//
//   ead-verify [--modulus HEX --exponent HEX] FILE...
//
// Prints one line per file ("OK", "NOT SIGNED OR ALTERED", or the problem).
// Exit status: 0 when every file verifies, 1 when one does not, 2 for a bad
// command line or key.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "public_key.h"
#include "sign_bema.h"

namespace {

const char* Verdict(int code) {
  switch (code) {
    case EAD_OK:
      return "OK";
    case EAD_NOT_SIGNED:
      return "NOT SIGNED OR ALTERED";
    case EAD_ERR_FILE:
      return "CANNOT READ";
    default:
      return "ERROR";
  }
}

int Usage() {
  std::fprintf(stderr, "usage: ead-verify [--modulus HEX --exponent HEX] FILE...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string modulus = EAD_PUBLIC_MODULUS, exponent = EAD_PUBLIC_EXPONENT;
  std::vector<const char*> files;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--modulus") == 0 && i + 1 < argc) {
      modulus = argv[++i];
    } else if (std::strcmp(argv[i], "--exponent") == 0 && i + 1 < argc) {
      exponent = argv[++i];
    } else if (std::strncmp(argv[i], "--", 2) == 0) {
      return Usage();
    } else {
      files.push_back(argv[i]);
    }
  }
  if (files.empty()) return Usage();
  int status = 0;
  for (const char* file : files) {
    int code = validateFile(file, modulus.c_str(), exponent.c_str());
    if (code == EAD_ERR_KEY) {
      std::fprintf(stderr, "ead-verify: the public key is not a 1024-bit RSA key\n");
      return 2;
    }
    std::printf("%s: %s\n", file, Verdict(code));
    if (code != EAD_OK) status = 1;
  }
  return status;
}
