// geraEad in the package's process: the signing library found by the
// platform seam, its entry points set only while it signs, the driver
// library's handle untouched, and the library's code left in inRetorno.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/legal.h"
#include "tov00300/state.h"

namespace tovtest {
namespace {

using EadSignatureTest = PackageTest;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(EadSignatureTest, SignsThroughTheLibraryAndClearsItsEntryPoints) {
  const std::string file = sandbox().hostFolder() + "/LMFS.txt";
  std::ofstream(file, std::ios::binary) << "linha\n";
  int driverLibrary = 0;
  Tov00300::ImpFisDLLHandle = &driverLibrary;
  const struct {
    const char* name;
    std::string library;
    std::string path;
    int inRetorno;       // after the call; 99 = untouched
    size_t addedBytes;   // to the file
    std::string logged;  // what the debug log names, "" for nothing
  } cases[] = {
      {"signed", TOV_BUILD_LIB_DIR "/libsign_bema.so", file, 1, 261, ""},
      {"already signed: refused", TOV_BUILD_LIB_DIR "/libsign_bema.so", file, -4, 0, ""},
      {"missing file", TOV_BUILD_LIB_DIR "/libsign_bema.so", file + ".absent", -1, 0, ""},
      {"no library", "/nonexistent/libsign_bema.so", file, 99, 0, "/nonexistent/libsign_bema.so"},
      {"a library without the entry points", TOV_BUILD_LIB_DIR "/libDarumaFrameWork.so", file, 99,
       0, "lacks setLibType"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox().SetEnv("TOV_SIGNER_LIBRARY", c.library);
    Tov00300::inRetorno = 99;
    const size_t before = ReadAll(file).size();
    const size_t logLines = DebugLogTexts().size();
    Tov00300::geraEad(c.path);
    const std::vector<std::string> log = DebugLogTexts();
    EXPECT_EQ(log.size(), logLines + (c.logged.empty() ? 0 : 1));
    if (!c.logged.empty() && !log.empty()) {
      EXPECT_NE(log.back().find(c.logged), std::string::npos) << log.back();
    }
    EXPECT_EQ(Tov00300::inRetorno, c.inRetorno);
    EXPECT_EQ(ReadAll(file).size(), before + c.addedBytes);
    EXPECT_EQ(Tov00300::Bematech_setLibType, nullptr);
    EXPECT_EQ(Tov00300::Bematech_genkkey, nullptr);
    EXPECT_EQ(Tov00300::Bematech_generateEAD, nullptr);
    EXPECT_EQ(Tov00300::Bematech_validateFile, nullptr);
    EXPECT_EQ(Tov00300::ImpFisDLLHandle, &driverLibrary);
  }
  EXPECT_FALSE(std::filesystem::exists(file + ".absent"));
  Tov00300::ImpFisDLLHandle = nullptr;
}

}  // namespace
}  // namespace tovtest
