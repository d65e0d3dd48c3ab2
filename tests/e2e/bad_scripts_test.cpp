// A script that cannot run is refused whole: exit status 2, a message naming
// the call's index and the problem, and no call made (not even the calls
// before the mistake, which would have written the debug log).
#include "ecfhost_runner.h"

namespace e2e {
namespace {

class BadScriptTest : public EcfhostTest {};

struct BadScript {
  const char* name;
  std::string text;
  std::vector<std::string> expected;  // parts of the error message
};

std::string WithSecondCall(const std::string& call) {
  return R"({"calls": [{"op": "ImpFisDebug", "args": ["first call"]}, )" + call + "]}";
}

TEST_F(BadScriptTest, IsRefusedWithTheCallIndexAndNothingRuns) {
  const std::vector<BadScript> cases = {
      {"invalid JSON", R"({"calls": [{"op": "ImpFisDebug", "args": ["x"]},)", {"not valid JSON"}},
      {"no calls", R"({"answers": []})", {"\"calls\""}},
      {"unknown op",
       WithSecondCall(R"({"op": "VendeTudo", "args": []})"),
       {"calls[1]", "VendeTudo", "unknown op"}},
      {"op not a text", WithSecondCall(R"({"op": 12})"), {"calls[1]", "\"op\""}},
      {"too many args",
       WithSecondCall(R"({"op": "FormataCNPJ", "args": ["1", "2"]})"),
       {"calls[1]", "FormataCNPJ", "takes 1 argument, got 2"}},
      {"number for a text",
       WithSecondCall(R"({"op": "BuscaTotGer", "args": [7]})"),
       {"calls[1]", "BuscaTotGer", "args[0]", "expected a text"}},
      {"text for a boolean",
       WithSecondCall(R"({"op": "Config_FormaPg", "args": ["P", "Vale", "S"]})"),
       {"calls[1]", "args[2]", "expected true or false"}},
      {"bad bag",
       WithSecondCall(R"({"op": "StartImpFiscal", "args": [{"bag": [1, 2]}]})"),
       {"calls[1]", "args[0]", "bag"}},
      {"bad date-time",
       WithSecondCall(R"({"op": "GeraBinMes", "args": [{"datetime": "2026-02-30"}]})"),
       {"calls[1]", "args[0]", "2026-02-30"}},
      {"bad field type",
       WithSecondCall(
           R"({"op": "CarregaAliquota", "args": ["P", {"rows": [], "fields": [["A", "money"]]}]})"),
       {"calls[1]", "args[1]", "money"}},
      {"sim without command", WithSecondCall(R"({"op": "sim"})"), {"calls[1]", "command"}},
      {"unknown global",
       WithSecondCall(R"({"op": "get", "name": "stNada"})"),
       {"calls[1]", "stNada"}},
      {"bad answer", R"({"answers": ["sim"], "calls": []})", {"answers[0]"}},
      {"misspelt key",
       WithSecondCall(R"({"op": "BuscaTotGer", "arg": ["P", ""]})"),
       {"calls[1]", "unknown key \"arg\""}},
      {"nested 100,000 deep",
       WithSecondCall(R"({"op": "GetValue", "args": [)" + std::string(100000, '[') +
                      std::string(100000, ']') + "]}"),
       {"nested deeper than"}},
      {"a number no double holds",
       WithSecondCall(R"({"op": "GetValue", "args": [1e400]})"),
       {"not valid JSON", "1e400"}},
  };
  for (const BadScript& c : cases) {
    SCOPED_TRACE(c.name);
    const HostRun run = RunText(c.text);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    for (const std::string& part : c.expected)
      EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    EXPECT_FALSE(DebugLogExists()) << "a call ran before the mistake was found";
  }
}

TEST_F(BadScriptTest, MissingScriptAndBadCommandLineExitWithTwo) {
  const HostRun missing = RunText("", {"--pretty", "--unknown-option"});
  EXPECT_EQ(missing.exitStatus, 2);
  EXPECT_NE(missing.err.find("--unknown-option"), std::string::npos);
}

// An exception that reaches the host is printed with its call, and the
// script goes on.
TEST_F(BadScriptTest, ExceptionInACallIsReportedAndTheNextCallRuns) {
  const HostRun run = Run({{"calls",
                            {{{"op", "GetValue"}, {"args", {"   "}}},
                             {{"op", "FormataCNPJ"}, {"args", {"12.345/0001-99"}}}}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  ASSERT_EQ(run.records.size(), 2u);
  EXPECT_TRUE(run.At(0).contains("error"));
  EXPECT_FALSE(run.At(0)["error"].get<std::string>().empty());
  EXPECT_EQ(run.At(1)["result"], "12345000199");
  EXPECT_FALSE(run.At(1).contains("error"));
}

// The driver writes a register's whole reply whatever width the script
// gives; the pseudo-op's buffer always has room for it.
TEST_F(BadScriptTest, DriverReplyWiderThanTheGivenBufferIsShownWhole) {
  const HostRun run =
      Run({{"calls",
            {{{"op", "StartImpFiscal"}, {"args", {StartBag()}}},
             {{"op", "driver"}, {"name", "rRetornarInformacao_ECF_Daruma"}, {"args", {"78", 2}}},
             {{"op", "driver"}, {"name", "rLerAliquotas_ECF_Daruma"}, {"args", {0}}}}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.At(1)["result"], 1);
  EXPECT_EQ(run.At(1)["args"][1], "VP0000BR000000000001");
  EXPECT_EQ(run.At(2)["args"][0].get<std::string>().substr(0, 6), "T1800;");
}

}  // namespace
}  // namespace e2e
