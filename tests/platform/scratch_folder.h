// A fresh temporary folder per test, set as host folder, registry and drive
// root, and removed afterwards.
#ifndef TOV00300_TESTS_PLATFORM_SCRATCH_FOLDER_H_
#define TOV00300_TESTS_PLATFORM_SCRATCH_FOLDER_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace Tov00300::testing_platform {

class ScratchFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tov_platform_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    setenv("TOV_HOST_DIR", folder_.c_str(), 1);
    setenv("TOV_REGISTRY", (folder_ + "/registry.ini").c_str(), 1);
    setenv("TOV_DRIVE_ROOT", folder_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TOV_HOST_DIR");
    unsetenv("TOV_REGISTRY");
    unsetenv("TOV_DRIVE_ROOT");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  std::string folder_;
};

}  // namespace Tov00300::testing_platform

#endif  // TOV00300_TESTS_PLATFORM_SCRATCH_FOLDER_H_
