// Printer amounts and the simple register queries: conversions, buffer
// widths, debug lines and what blank or malformed replies do.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "driver/registers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

// The reduction counter is exported under its plain name only.
extern "C" bool BuscaNReducoes(const char* stEsquema, char* numero, int width);

namespace {

using namespace Tov00300;
using driver::RegisterInfo;
using driver::Registers;
using driver::RegisterWidth;

bool ReductionCount(const std::string& stEsquema, std::string& numero) {
  char buffer[16] = "velho";
  const bool ok = ::BuscaNReducoes(stEsquema.c_str(), buffer, sizeof buffer);
  numero = buffer;
  return ok;
}
using tovtest::PackageTest;

class RegisterQueriesTest : public PackageTest {};

struct ValueCase {
  const char* texto;
  double amount;
};

TEST_F(RegisterQueriesTest, GetValueReadsTwoImpliedDecimals) {
  const ValueCase cases[] = {
      {"0000000000012", 0.12},    {"000000001234567", 12345.67},
      {"1.234,5", 123.45},        {"  000000000100  ", 1.00},
      {"12,34", 12.34},           {"\t0000000099\r\n", 0.99},
      {"-0000000001050", -10.50},
  };
  for (const ValueCase& testCase : cases) {
    EXPECT_DOUBLE_EQ(GetValue(testCase.texto), testCase.amount) << testCase.texto;
  }
}

TEST_F(RegisterQueriesTest, GetValueRaisesForTextsThatAreNoAmount) {
  for (const char* texto : {"", "             ", "12a45", "R$ 10,00", ".,"}) {
    EXPECT_THROW(GetValue(texto), ConversionError) << "'" << texto << "'";
  }
}

TEST_F(RegisterQueriesTest, GetValueFollowsTheProcessDecimalSeparator) {
  GlobalFormatSettings() = FormatSettings::FromLocaleName("C");
  EXPECT_DOUBLE_EQ(GetValue("000000001234567"), 12345.67);
}

// Every query asks its register with a buffer of the register's width.
struct QueryCase {
  const char* name;
  bool (*operation)(const std::string&, std::string&);
  const char* record;
  int width;
  std::string reply;
  std::string expected;
};
// Test listings show the case by its name.
void PrintTo(const QueryCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class SimpleQueryTest : public PackageTest, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(SimpleQueryTest, AsksItsRegisterAndFormatsTheReply) {
  const QueryCase& testCase = GetParam();
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {testCase.reply});
  std::string output = "velho";
  EXPECT_TRUE(testCase.operation("AZUL", output));
  EXPECT_EQ(output, testCase.expected);
  auto calls = driver().CallsTo("rRetornarInformacao_ECF_Daruma");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{
                               testCase.record, "[out " + std::to_string(testCase.width) + "]"}));
  EXPECT_EQ(RegisterWidth(static_cast<driver::Register>(std::stoi(testCase.record))),
            testCase.width);
  EXPECT_TRUE(stImpDebug.empty()) << "the analysis ran and wrote the debug line";
}

INSTANTIATE_TEST_SUITE_P(
    Queries, SimpleQueryTest,
    ::testing::Values(QueryCase{"TotGer", BuscaTotGer, "1", 18, "000000000001234550", "12345,5"},
                      QueryCase{"TotGerWhole", BuscaTotGer, "1", 18, "000000000000100000", "1000"},
                      QueryCase{"Cancellations", Cancelamentos, "13", 13, "0000000001099", "10,99"},
                      QueryCase{"Discounts", BuscaDescontos, "11", 13, "0000000000000", "0"},
                      QueryCase{"OpNFis", BuscaOpNFis, "28", 6, "000321", "000321"},
                      QueryCase{"ReinicioOp", BuscaReinicioOp, "23", 3, "012", "0012"},
                      QueryCase{"ReductionCount", ReductionCount, "24", 4, "0041", "0042"},
                      QueryCase{"ReductionCountBlank", ReductionCount, "24", 4, "    ", "0000"},
                      QueryCase{"ReductionCountEmpty", ReductionCount, "24", 4, "", "0000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegisterQueriesTest, QueryDebugLineCarriesTheReply) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000321"});
  std::string output;
  BuscaOpNFis("AZUL", output);
  const auto texts = tovtest::DebugLogTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "rRetornarInformacao_ECF_Daruma (28)\r\nRetorno da Impressora : 000321");
}

TEST_F(RegisterQueriesTest, ReductionCounterDebugLineCarriesTheNextNumber) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"0041"});
  std::string output;
  ReductionCount("AZUL", output);
  const auto texts = tovtest::DebugLogTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "rRetornarInformacao_ECF_Daruma (24)\r\nRetorno da Impressora : 0042");
}

TEST_F(RegisterQueriesTest, BlankAmountReplyRaisesBeforeTheAnalysis) {
  // A printer that did not answer leaves the buffer blank.
  driver().Queue("rRetornarInformacao_ECF_Daruma", 0, {"                  "});
  std::string output;
  EXPECT_THROW(BuscaTotGer("AZUL", output), ConversionError);
  EXPECT_EQ(inRetorno, 0);
  EXPECT_EQ(driver().CountOf("rStatusUltimoCmdInt_ECF_Daruma"), 0) << "no analysis ran";
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

TEST_F(RegisterQueriesTest, MalformedCounterReplyIsAFailureAtThePlainName) {
  // The conversion error cannot cross the C boundary: the plain name answers
  // false and hands back the raw reply.
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"00A1"});
  std::string output;
  EXPECT_FALSE(ReductionCount("AZUL", output));
  EXPECT_EQ(output, "00A1");
}

TEST_F(RegisterQueriesTest, FailedQueryStillAnswersTrue) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", -6, {"000000"});
  std::string output;
  EXPECT_TRUE(BuscaOpNFis("AZUL", output));
  EXPECT_EQ(inRetorno, -6);
  EXPECT_TRUE(scriptedOperator().Messages().empty()) << "the simple queries show no dialog";
  EXPECT_NE(stMensagemTaa.find("Impressora desligada"), std::string::npos);
}

TEST_F(RegisterQueriesTest, ReplyOverrunningItsBufferIsReadUpToTheWidth) {
  tovtest::DriverAnswer reply;
  reply.texts = {"0123456789"};
  reply.terminate = false;
  driver().Queue("rRetornarInformacao_ECF_Daruma", reply);
  std::string output;
  BuscaReinicioOp("AZUL", output);
  EXPECT_EQ(output, "0012");
}

struct SaleCase {
  std::string gt, start, expected;
};

TEST_F(RegisterQueriesTest, GrossSalesIsRegisterOneMinusRegisterTwo) {
  const SaleCase cases[] = {
      {"000000001234567", "000000001000000", "2345,67"},
      {"000000001000000", "000000001000000", ",00"},
      {"000000001000050", "000000001000000", ",50"},
  };
  for (const SaleCase& testCase : cases) {
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {testCase.gt});
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {testCase.start});
    std::string output;
    EXPECT_TRUE(BuscaVendaBruta("AZUL", output));
    EXPECT_EQ(output, testCase.expected);
  }
  auto calls = driver().CallsTo("rRetornarInformacao_ECF_Daruma");
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"1", "[out 18]"}));
  EXPECT_EQ(calls[1].args, (std::vector<std::string>{"2", "[out 18]"}));
}

TEST(RegisterTable, NumbersAreUniqueAndWidthsPositive) {
  int previous = 0;
  for (const RegisterInfo& r : Registers()) {
    EXPECT_GT(r.number, previous) << "ascending and unique";
    EXPECT_GT(r.width, 0);
    previous = r.number;
  }
  EXPECT_EQ(RegisterWidth(driver::Register::kLastReduction), 1164);
  EXPECT_THROW(RegisterWidth(static_cast<driver::Register>(99)), std::out_of_range);
}

}  // namespace
