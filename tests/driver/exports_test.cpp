// The plain (C) names a host finds in the installed library.
#include <gtest/gtest.h>

#include <string>

#include "support/fixture.h"
#include "support/library_symbols.h"
#include "tov00300/platform.h"
#include "tov00300/tov00300_c.h"

namespace {

using tovtest::PackageTest;
using ExportsTest = PackageTest;

TEST_F(ExportsTest, OperationsHavePlainNamesButStrToPCharDoesNot) {
  const auto exported = tovtest::ExportedCFunctions(TOV_BUILD_LIB_DIR "/libtov00300.so");
  for (const char* name :
       {"AnalisaRetorno_FrameWork", "Estado_Imp", "AnalisaRetorno", "ImpFisDebug", "BuscaDiretorio",
        "StartImpFiscal_FrameWork", "Initialize", "Finalize"})
    EXPECT_TRUE(exported.count(name)) << name;
  EXPECT_FALSE(exported.count("StrToPChar"));
}

TEST_F(ExportsTest, PlainNamesTakeCTextsAndNeverThrow) {
  Tov00300::platform::RegistryWriteString("Software\\DARUMA\\ECF", "Path", "/opt/daruma/");
  EXPECT_STREQ(BuscaDiretorio(), "/opt/daruma/");
  EXPECT_TRUE(ImpFisDebug(nullptr));
  EXPECT_FALSE(AnalisaRetorno_FrameWork(nullptr, -6, false, false, false));

  // A log that cannot be written is a false answer at the C boundary.
  sandbox().SetEnv("TOV_HOST_DIR", sandbox().root() + "/no-such-folder");
  EXPECT_FALSE(ImpFisDebug("x"));
  EXPECT_FALSE(AnalisaRetorno_FrameWork("", 1, false, false, false));
}

}  // namespace
