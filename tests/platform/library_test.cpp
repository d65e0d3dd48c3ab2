#include <gtest/gtest.h>

#include <cmath>

#include "tov00300/platform.h"

namespace Tov00300::platform {
namespace {

TEST(Library, MissingLibraryIsReportedWithItsPath) {
  EXPECT_EQ(LoadLibrary("/nonexistent\\libNothing.so"), nullptr);
  EXPECT_NE(LastLibraryError().find("/nonexistent/libNothing.so"), std::string::npos)
      << LastLibraryError();
}

TEST(Library, SymbolsAreFoundAndMissingOnesNamed) {
  LibraryHandle libm = LoadLibrary("libm.so.6");
  ASSERT_NE(libm, nullptr) << LastLibraryError();
  auto* cosine = reinterpret_cast<double (*)(double)>(FindSymbol(libm, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(FindSymbol(libm, "NoSuchEntryPoint_Daruma"), nullptr);
  EXPECT_NE(LastLibraryError().find("NoSuchEntryPoint_Daruma"), std::string::npos);
  EXPECT_EQ(FindSymbol(nullptr, "cos"), nullptr);
}

}  // namespace
}  // namespace Tov00300::platform
