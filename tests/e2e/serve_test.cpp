// ecfhost serve over TCP, from a client written as a till integrator would
// (the requests on standard input are cases in cases/serve).
#include <cstdlib>
#include <fstream>

#include "ecfhost_runner.h"

namespace e2e {
namespace {

class ServeTest : public EcfhostTest {
 protected:
  // Runs the shell command bounded in time; its output in `out`.
  int Shell(const std::string& command, std::string& out) {
    const std::string file = hostDir() + "/../shell.txt";
    const int status =
        std::system((Environment() + " timeout 120 " + command + " >" + file + " 2>&1").c_str());
    std::ifstream in(file);
    out.assign((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return WEXITSTATUS(status);
  }
};

TEST_F(ServeTest, PythonClientRunsADayOverTcp) {
  std::string out;
  if (Shell("python3 -c pass", out) != 0) GTEST_SKIP() << "python3 is not installed";
  EXPECT_EQ(
      Shell("python3 " TOV_SOURCE_DIR "/tests/e2e/serve_client.py " TOV_BUILD_BIN_DIR "/ecfhost " +
                hostDir(),
            out),
      0)
      << out;
  EXPECT_NE(Tape().find("CONTRA-VALE EMI"), std::string::npos);
}

TEST_F(ServeTest, TokenIsRequiredAndAClientThatDoesNotReadIsDropped) {
  std::string out;
  if (Shell("python3 -c pass", out) != 0) GTEST_SKIP() << "python3 is not installed";
  EXPECT_EQ(
      Shell("python3 " TOV_SOURCE_DIR "/tests/e2e/serve_client.py " TOV_BUILD_BIN_DIR "/ecfhost " +
                hostDir() + " guards",
            out),
      0)
      << out;
}

}  // namespace
}  // namespace e2e
