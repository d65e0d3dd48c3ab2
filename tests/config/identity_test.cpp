// Printer identity queries and the fixed-answer operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/config.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::PackageTest;

class PrinterIdentityTest : public PackageTest {};

const char* const kInformation = "rRetornarInformacao_ECF_Daruma";

TEST_F(PrinterIdentityTest, PrinterModelTextsComeBackAsTheDriverFilledThem) {
  inRetorno = 42;
  driver().Queue(kInformation, 1, {"MACH"});
  driver().Queue(kInformation, 1, {"FABRICANTE ECF"});
  driver().Queue(kInformation, 1, {"MACH 2  "});
  std::string a, b, c;

  EXPECT_TRUE(Modelo_Impressora("ESQ", a, b, c));

  EXPECT_EQ(c, "MACH");
  EXPECT_EQ(a, "FABRICANTE ECF");
  EXPECT_EQ(b, "MACH 2  ");
  EXPECT_EQ(inRetorno, 42);
  const auto calls = driver().CallsTo(kInformation);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"79", "[out 7]"}));
  EXPECT_EQ(calls[1].args, (std::vector<std::string>{"80", "[out 20]"}));
  EXPECT_EQ(calls[2].args, (std::vector<std::string>{"81", "[out 20]"}));
  const std::string line81 =
      "rRetornarInformacao_ECF_Daruma (81)\r\nRetorno da Impressora : MACH 2  ";
  const std::vector<std::string> expected{
      "rRetornarInformacao_ECF_Daruma (79)\r\nRetorno da Impressora : MACH",
      "rRetornarInformacao_ECF_Daruma (80)\r\nRetorno da Impressora : FABRICANTE ECF", line81,
      line81};
  EXPECT_EQ(tovtest::DebugLogTexts(), expected);
  EXPECT_TRUE(stImpDebug.empty());
}

TEST_F(PrinterIdentityTest, SilentPrinterLeavesModelTextsBlankAndStillAnswersTrue) {
  for (int i = 0; i < 3; ++i) driver().Queue(kInformation, configtest::DriverAnswerNoReply());
  std::string a = "x", b = "y", c = "z";

  EXPECT_TRUE(Modelo_Impressora("ESQ", a, b, c));

  EXPECT_EQ(c, std::string(7, ' '));
  EXPECT_EQ(a, std::string(20, ' '));
  EXPECT_EQ(b, std::string(20, ' '));
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

TEST(FormataCNPJTest, RemovesDotsSlashesAndDashes) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"1.2/3-4", "1234"},
      {"12.345.678/0001-90", "12345678000190"},
      {"", ""},
      {"12345678000190", "12345678000190"},
      {"./-", ""},
      {"A B.C", "A BC"},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(FormataCNPJ(input), expected) << input;
  }
}

TEST_F(PrinterIdentityTest, FixedAnswerQueriesNeverFailNorTouchThePrinter) {
  const std::vector<Variant> bags{
      MakeBag({{"UTILIZAIMPFIS", "S"},
               {"DSDIRCAD", "C:\\"},
               {"ESQUEMACOR", "1"},
               {"REV_NRSERIE_IMP", "DR0001"}}),
      MakeBag({}),
      Variant("not a bag"),
  };
  for (const Variant& bag : bags) EXPECT_TRUE(VerificaSerialImp(bag));
  EXPECT_EQ(Codigo_Nacional_ECF(29, "x"), "000000");
  EXPECT_TRUE(driver().Calls().empty());
}

}  // namespace
