// The operator's answers come from the script, in order, and "N" once they
// run out: a refused item is sold again after a yes and given up after a no.
#include "ecfhost_runner.h"

namespace e2e {
namespace {

class OperatorAnswersTest : public EcfhostTest {};

Json Item(const std::string& code, const std::string& name) {
  return {{"op", "VendaItem"},
          {"args",
           {{{"bag",
              {{"CDALIQ", "T"},
               {"VRPERCALIQ", "18"},
               {"QTDE", 1},
               {"VALOR", 10.99},
               {"DESCONT", 0},
               {"ACRESCIMO", 0},
               {"CDARVPROD", code},
               {"UNIDADE", "UN"},
               {"NMPROD", name},
               {"ESQUEMACOR", "PADRAO"}}}}}}};
}

Json Refuse() {
  return {{"op", "sim"}, {"command", "fail iCFVender_ECF_Daruma -6 once"}};
}

TEST_F(OperatorAnswersTest, RefusedItemIsRepeatedAfterYesAndGivenUpAfterNo) {
  const HostRun run =
      Run({{"locale", "pt_BR"},
           {"answers", {"S"}},
           {"calls",
            {StartCall(),
             {{"op", "AbreCupom"},
              {"args", {{{"bag", {{"ESQUEMACOR", "PADRAO"}, {"INCLUICPF", ""}}}}}}},
             Refuse(),
             Item("789", "Pão de queijo"),
             Refuse(),
             Item("790", "Café"),
             // The printer puts a receipt on the tape when it ends.
             {{"op", "Cancela_Cupom_Imp"}, {"args", {{"PADRAO"}, {{"size", 4}}}}}}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  ASSERT_EQ(run.Record("AbreCupom")["result"], true) << run.out;

  auto question = [](const Json& record) {
    for (const Json& m : record["messages"])
      if (m["question"] == true) return m;
    ADD_FAILURE() << "no question in " << record.dump();
    return Json::object();
  };
  const Json& yes = run.Record("VendaItem", 0);
  EXPECT_EQ(yes["result"], true);
  EXPECT_EQ(question(yes)["answer"], true);
  EXPECT_NE(question(yes)["text"].get<std::string>().find("789 - Pão de queijo"),
            std::string::npos);

  const Json& no = run.Record("VendaItem", 1);
  EXPECT_EQ(no["result"], false);
  EXPECT_EQ(question(no)["answer"], false);  // the answers ran out
  // The bag is left as the host gave it after a no.
  EXPECT_EQ(no["args"][0]["bag"]["NMPROD"], "Café");

  const std::string tape = Tape();
  EXPECT_NE(tape.find("Pão de queijo"), std::string::npos) << tape;
  EXPECT_EQ(tape.find("Café"), std::string::npos) << tape;
}

}  // namespace
}  // namespace e2e
