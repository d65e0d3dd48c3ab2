// A driver folder that cannot be made: the port does not open, the error's
// text names the folder for the operator, and the registry is not left
// pointing at it.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "sim_fixture.h"

namespace Tov00300::simtest {
namespace {

using DriverFolderTest = SimTest;

TEST_F(DriverFolderTest, UnmadeFolderIsNamedAndNeverRegistered) {
  UseFreshFolders();
  // A file where the drive root's folder would go: not even root can make it.
  std::ofstream(root_ + "/blocked") << "x";
  setenv("TOV_DRIVE_ROOT", (root_ + "/blocked/").c_str(), 1);
  setenv("TOV_REGISTRY", (root_ + "/fresh.ini").c_str(), 1);

  EXPECT_EQ(Sim().eAbrirSerial_Daruma("COM1", "115200"), -107);
  const int error = Status().first;
  EXPECT_EQ(error, 30);
  EXPECT_NE(ErrorText(error).find(root_ + "/blocked/Daruma"), std::string::npos)
      << ErrorText(error);
  std::stringstream registry;
  registry << std::ifstream(root_ + "/fresh.ini").rdbuf();
  EXPECT_EQ(registry.str().find("LocalArquivos"), std::string::npos) << registry.str();
}

}  // namespace
}  // namespace Tov00300::simtest
