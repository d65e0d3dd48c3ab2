// The script's argument forms reach the package as the runtime values they
// name and come back, after the call, in the same forms. These calls need no
// printer (the driver library is not bound).
#include "ecfhost_runner.h"
#include "tov00300/format.h"

namespace e2e {
namespace {

class ArgumentFormsTest : public EcfhostTest {};

TEST_F(ArgumentFormsTest, TextsCrossAsWindows1252AndComeBackAsUtf8) {
  const HostRun run = Run({{"calls",
                            {{{"op", "StrToPChar"}, {"args", {"Relatório às 08:00 – ação"}}},
                             {{"op", "ImpFisDebug"}, {"args", {"Abertura às 08:00"}}}}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  // "–" has a Windows-1252 form (0x96); every character survives the trip.
  EXPECT_EQ(run.At(0)["result"], "Relatório às 08:00 – ação");
  EXPECT_EQ(run.At(0)["args"][0], "Relatório às 08:00 – ação");
  const auto log = DebugLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], Tov00300::Utf8ToCp1252("Abertura às 08:00"));
}

TEST_F(ArgumentFormsTest, BagComesBackInTheFormItWasGiven) {
  const Json bag = {{"bag",
                     {{"UTILIZAIMPFIS", "S"},
                      {"DSDIRCAD", nullptr},
                      {"ESQUEMACOR", {{"empty", true}}},
                      {"REV_NRSERIE_IMP", 12},
                      {"VALOR", 1.5},
                      {"QUANDO", {{"datetime", "2026-07-01T08:30:00"}}},
                      {"LISTA", {1, "dois", true}}}}};
  const HostRun run = Run({{"calls", {{{"op", "VerificaSerialImp"}, {"args", {bag}}}}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.At(0)["result"], true);
  EXPECT_EQ(run.At(0)["args"][0], bag);
}

TEST_F(ArgumentFormsTest, MissingArgumentsTakeEmptyValues) {
  const HostRun run =
      Run({{"calls", {{{"op", "FormataCNPJ"}}, {{"op", "Codigo_Nacional_ECF"}, {"args", {29}}}}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.At(0)["result"], "");
  EXPECT_EQ(run.At(0)["args"], Json::array({""}));
  EXPECT_EQ(run.At(1)["result"], "000000");
  EXPECT_EQ(run.At(1)["args"], Json::array({29, ""}));
}

TEST_F(ArgumentFormsTest, GlobalsAreSetAndReadAsAHostDoes) {
  const HostRun run = Run({{"calls",
                            {{{"op", "set"}, {"name", "stAtuFili"}, {"value", "001"}},
                             {{"op", "get"}, {"name", "stAtuFili"}},
                             {{"op", "get"}, {"name", "boNUtilTaa"}},
                             {{"op", "get"}, {"name", "DsDirCad"}}}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.At(1)["result"], "001");
  EXPECT_EQ(run.At(2)["result"], true);
  // The package's folder follows --host-dir, set before its load step ran.
  EXPECT_EQ(run.At(3)["result"], hostDir() + "/");
}

// Without a printer: the tax-rate table still gets its three fixed codes,
// and the last-Z reader falls back to its defaults in the host's sized array.
TEST_F(ArgumentFormsTest, DataSetsAndResultArraysComeBackFilled) {
  const HostRun run = Run(
      {{"calls",
        {{{"op", "CarregaAliquota"},
          {"args", {"PADRAO", {{"rows", Json::array({{{"X", "old row"}}})}}}}},
         {{"op", "DadosUltimaRedZ"},
          {"args",
           {{{"positions", {{"0", "PADRAO"}}}}, {{"size", 49}}, {{"rows", Json::array()}}}}}}}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const Json& rates = run.At(0)["args"][1];
  ASSERT_EQ(rates["rows"].size(), 3u) << rates.dump();
  EXPECT_EQ(rates["rows"][0]["CDALIQIMPFIS"], "NN");
  EXPECT_EQ(rates["rows"][1]["CDALIQIMPFIS"], "II");
  EXPECT_EQ(rates["rows"][2]["CDALIQIMPFIS"], "FF");

  const Json& z = run.At(1);
  EXPECT_EQ(z["result"], false);
  EXPECT_EQ(z["args"][0], Json::array({"PADRAO"}));
  ASSERT_EQ(z["args"][1].size(), 49u);
  EXPECT_EQ(z["args"][1][0], "");
  EXPECT_EQ(z["args"][1][2], 0.0);
  EXPECT_TRUE(z["args"][1][3].contains("datetime"));
  EXPECT_EQ(z["args"][1][5], Json({{"empty", true}}));
  // The failure is shown to the operator (a notice, not a question).
  ASSERT_FALSE(z["messages"].empty());
  EXPECT_EQ(z["messages"][0]["question"], false);
}

TEST_F(ArgumentFormsTest, PrettyOutputHasOneBlockPerCall) {
  const HostRun run =
      Run({{"calls",
            {{{"op", "FormataCNPJ"}, {"args", {"1.2/3-4"}}},
             {{"op", "CarregaAliquota"}, {"args", {"P", {{"rows", Json::array()}}}}}}}},
          {"--pretty"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.out.find("[0] FormataCNPJ -> \"1234\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("[1] CarregaAliquota -> null"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("data set, 3 rows"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace e2e
