// The plain (C) names a host finds with dlsym.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "support/fixture.h"
#include "tov00300/platform.h"

namespace {

using tovtest::PackageTest;
using ExportsTest = PackageTest;

template <typename Function>
Function Plain(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

TEST_F(ExportsTest, OperationsHavePlainNamesButStrToPCharDoesNot) {
  for (const char* name :
       {"AnalisaRetorno_FrameWork", "Estado_Imp", "AnalisaRetorno", "ImpFisDebug", "BuscaDiretorio",
        "StartImpFiscal_FrameWork", "Initialize", "Finalize"})
    EXPECT_NE(dlsym(RTLD_DEFAULT, name), nullptr) << name;
  EXPECT_EQ(dlsym(RTLD_DEFAULT, "StrToPChar"), nullptr);
}

TEST_F(ExportsTest, PlainNamesTakeCTextsAndNeverThrow) {
  auto buscaDiretorio = Plain<const char* (*)()>("BuscaDiretorio");
  auto impFisDebug = Plain<bool (*)(const char*)>("ImpFisDebug");
  auto analisa = Plain<bool (*)(const char*, int, bool, bool, bool)>("AnalisaRetorno_FrameWork");
  ASSERT_NE(buscaDiretorio, nullptr);
  ASSERT_NE(impFisDebug, nullptr);
  ASSERT_NE(analisa, nullptr);

  Tov00300::platform::RegistryWriteString("Software\\DARUMA\\ECF", "Path", "/opt/daruma/");
  EXPECT_STREQ(buscaDiretorio(), "/opt/daruma/");
  EXPECT_TRUE(impFisDebug(nullptr));
  EXPECT_FALSE(analisa(nullptr, -6, false, false, false));

  // A log that cannot be written is a false answer at the C boundary.
  sandbox().SetEnv("TOV_HOST_DIR", sandbox().root() + "/no-such-folder");
  EXPECT_FALSE(impFisDebug("x"));
  EXPECT_FALSE(analisa("", 1, false, false, false));
}

}  // namespace
