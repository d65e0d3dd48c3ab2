#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/scratch_folder.h"
#include "tov00300/platform.h"

namespace Tov00300::platform {
namespace {

using PathsTest = testing_platform::ScratchFolderTest;

TEST(PathMapping, BackslashesBecomeTheSeparator) {
  EXPECT_EQ(NativePath("Dados\\MenuFiscal\\"), "Dados/MenuFiscal/");
  EXPECT_EQ(NativePath("/a/b.txt"), "/a/b.txt");
  EXPECT_EQ(ShortPath("C:\\Arquivos de Programas\\x"), "C:/Arquivos de Programas/x");
}

TEST(PathMapping, JoinPutsExactlyOneSeparator) {
  struct Case {
    const char* folder;
    const char* name;
    const char* joined;
  } cases[] = {
      {"/a", "b", "/a/b"}, {"/a/", "b", "/a/b"}, {"/a\\", "\\b\\c", "/a/b/c"},
      {"", "b", "b"},      {"/", "b", "/b"},     {"/a", "", "/a/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JoinPath(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
  }
}

TEST_F(PathsTest, FoldersComeFromTheEnvironment) {
  setenv("TOV_HOST_DIR", (folder_ + "/").c_str(), 1);
  EXPECT_EQ(HostFolder(), folder_);
  setenv("TOV_DRIVE_ROOT", "/mnt/c", 1);
  EXPECT_EQ(DriveRoot(), "/mnt/c/");
  setenv("TOV_DRIVE_ROOT", "/mnt/c/", 1);
  EXPECT_EQ(DriveRoot(), "/mnt/c/");
}

TEST_F(PathsTest, WithoutEnvironmentTheExecutableFolderAndRootAreUsed) {
  unsetenv("TOV_HOST_DIR");
  unsetenv("TOV_DRIVE_ROOT");
  EXPECT_EQ(DriveRoot(), "/");
  std::string host = HostFolder();
  ASSERT_FALSE(host.empty());
  EXPECT_NE(host.back(), '/');
  EXPECT_TRUE(FolderExists(host));
  EXPECT_TRUE(FileExists(JoinPath(host, "platform_tests")));
}

}  // namespace
}  // namespace Tov00300::platform
