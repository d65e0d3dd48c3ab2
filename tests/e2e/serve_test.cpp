// ecfhost serve: one session answering requests in order, on standard input
// and over TCP from a client written as a till integrator would.
#include <cstdlib>
#include <filesystem>
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
  // The replies of a service fed these request lines on standard input.
  std::vector<Json> Serve(const std::vector<std::string>& lines, const std::string& options = "") {
    const std::string file = hostDir() + "/../requests.jsonl";
    {
      std::ofstream out(file);
      for (const std::string& line : lines) out << line << "\n";
    }
    std::string out;
    EXPECT_EQ(Shell(TOV_BUILD_BIN_DIR "/ecfhost serve " + options + " --host-dir " + hostDir() +
                        " <" + file,
                    out),
              0)
        << out;
    std::vector<Json> replies;
    std::istringstream text(out);
    for (std::string line; std::getline(text, line);) replies.push_back(Json::parse(line));
    return replies;
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

// Whatever a request holds, it is answered and the sale in progress goes on.
TEST_F(ServeTest, RequestsThatAreNotCallsAreRefusedAndTheSaleGoesOn) {
  const std::string item = Call("VendaItem", {ItemBag("1", "Cafe", 1, 2.5)}).dump();
  const std::vector<std::string> bad = {
      R"({"id": 1, "op": 5})",
      R"({"id": 2, "op": null})",
      R"({"id": 3, "op": ["VendaItem"]})",
      R"({"id": 1e400, "op": "status"})",
      R"({"op": "VendaItem", "args": )" + std::string(100000, '[') + std::string(100000, ']') + "}",
      R"({"id": 6, "op": "status", "lenient": "yes"})",
      R"([1, 2])"};
  std::vector<std::string> lines = {StartCall().dump(), OpenReceipt().dump(), item};
  lines.insert(lines.end(), bad.begin(), bad.end());
  lines.insert(lines.end(), {item, R"({"op": "status"})", ClosingCall({{"001", 5}}).dump()});
  const std::vector<Json> replies = Serve(lines);
  ASSERT_EQ(replies.size(), lines.size());
  for (size_t i = 3; i < 3 + bad.size(); ++i) {
    EXPECT_EQ(replies[i]["refused"], true) << bad[i - 3];
    EXPECT_FALSE(replies[i]["error"].get<std::string>().empty());
  }
  EXPECT_EQ(replies[3]["id"], 1);
  EXPECT_EQ(replies[lines.size() - 2]["result"]["items"], 2);
  EXPECT_EQ(replies.back()["result"], true) << replies.back().dump();
}

// Printer control, files outside the host folder and folder globals pointing
// out of it are refused; with --allow-printer-control the printer takes its
// commands.
TEST_F(ServeTest, ServiceGivesNoPowersBeyondThePackageAndTheHostFolder) {
  const std::string outside = hostDir() + "/../outside.txt";
  std::ofstream(outside) << "keep\n";
  const std::vector<Json> refused = {
      Sim("reset"),
      {{"op", "driver"}, {"name", "iCFCancelar_ECF_Daruma"}},
      Call("GERA_MF", {"", outside}),
      Call("geraEad", {outside}),
      Call("MakeHostFolder", {"..\\escape"}),
      {{"op", "set"}, {"name", "dsDiretorio"}, {"value", hostDir() + "/../"}}};
  std::vector<std::string> lines = {StartCall().dump()};
  for (const Json& r : refused) lines.push_back(r.dump());
  lines.push_back(Call("MakeHostFolder", {"Dados\\MenuFiscal"}).dump());
  std::vector<Json> replies = Serve(lines);
  ASSERT_EQ(replies.size(), lines.size());
  for (size_t i = 1; i <= refused.size(); ++i)
    EXPECT_EQ(replies[i]["refused"], true) << replies[i].dump();
  EXPECT_EQ(replies.back()["result"], true);
  std::ifstream kept(outside);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep\n");
  EXPECT_FALSE(std::filesystem::exists(hostDir() + "/../escape"));

  replies = Serve({StartCall().dump(), Sim("paper low").dump()}, "--allow-printer-control");
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_FALSE(replies[1].contains("refused")) << replies[1].dump();
}

// A closing that stopped half-way: the status tells the client that the
// receipt is totalled and how much is paid, so it knows which step to send.
TEST_F(ServeTest, StatusTellsWhichStepOfAClosingTookEffect) {
  const std::vector<Json> replies =
      Serve({StartCall().dump(), OpenReceipt().dump(),
             Call("VendaItem", {ItemBag("1", "Cafe", 1, 2.5)}).dump(),
             ClosingCall({{"001", 1}}).dump(), R"({"op": "status"})"});
  ASSERT_EQ(replies.size(), 5u);
  EXPECT_EQ(replies[3]["result"], false);
  const Json& status = replies[4]["result"];
  EXPECT_EQ(status["open_kind"], "receipt");
  EXPECT_EQ(status["totalled"], true);
  EXPECT_EQ(status["paid"], 1.0);
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
