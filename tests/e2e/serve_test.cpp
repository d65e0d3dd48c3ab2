// ecfhost serve: one session answering requests in order, on standard input
// and over TCP from a client written as a till integrator would.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ecfhost_runner.h"
#include "sale_script.h"

namespace e2e {
namespace {

class ServeTest : public EcfhostTest {
 protected:
  // Runs the shell command bounded in time; its output in `out`.
  int Shell(const std::string& command, std::string& out) {
    const std::string file = hostDir() + "/../shell.txt";
    const int status = std::system(("timeout 120 " + command + " >" + file + " 2>&1").c_str());
    std::ifstream in(file);
    out.assign((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return WEXITSTATUS(status);
  }
};

TEST_F(ServeTest, StandardInputRequestsAreAnsweredInOrderWithTheirIds) {
  std::vector<Json> requests = {{{"id", "s0"}, {"op", "status"}},
                                StartCall(),
                                OpenReceipt(),
                                Call("VendaItem", {ItemBag("1", "Cafe", 3, 2.5)}),
                                {{"id", "s1"}, {"op", "status"}},
                                {{"op", "VendaItem"}}};
  requests[1]["id"] = 1;
  requests[2]["id"] = 2;
  requests[3]["id"] = 3;
  requests[5]["id"] = 4;
  const std::string file = hostDir() + "/../requests.jsonl";
  {
    std::ofstream out(file);
    for (const Json& r : requests) out << r.dump() << "\nnot json\n";
  }
  std::string out;
  ASSERT_EQ(Shell(TOV_BUILD_BIN_DIR "/ecfhost serve --host-dir " + hostDir() + " <" + file, out), 0)
      << out;
  std::vector<Json> replies;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) replies.push_back(Json::parse(line));
  ASSERT_EQ(replies.size(), 12u) << out;
  for (size_t i = 0; i < requests.size(); ++i) {
    EXPECT_EQ(replies[2 * i]["id"], requests[i]["id"]);
    EXPECT_EQ(replies[2 * i + 1]["id"], nullptr);
    EXPECT_NE(replies[2 * i + 1]["error"].get<std::string>().find("not valid JSON"),
              std::string::npos);
  }
  EXPECT_EQ(replies[0]["result"], Json({{"session", false}}));
  EXPECT_EQ(replies[6]["result"], true);
  const Json& status = replies[8]["result"];
  EXPECT_EQ(status["open_kind"], "receipt");
  EXPECT_EQ(status["items"], 1);
  EXPECT_EQ(status["subtotal"], 7.5);
  EXPECT_EQ(status["ccf"], 1);
  EXPECT_EQ(replies[10]["refused"], true);
  // The service drives a fiscal printer without authentication: loopback only.
  EXPECT_EQ(Shell(TOV_BUILD_BIN_DIR "/ecfhost serve --listen 0.0.0.0:0 --host-dir " + hostDir() +
                      " </dev/null",
                  out),
            2);
  EXPECT_NE(out.find("loopback address"), std::string::npos) << out;
}

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

}  // namespace
}  // namespace e2e
