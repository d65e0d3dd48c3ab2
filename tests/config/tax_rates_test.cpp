// Tax-rate loading: numbering in the printer's order, the fixed codes, and
// what a short, malformed or missing reply leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using configtest::DriverAnswerNoReply;
using tovtest::PackageTest;

class TaxRatesTest : public PackageTest {};

struct TaxRate {
  std::string code;
  double amount;
  std::string kind;
  friend bool operator==(const TaxRate&, const TaxRate&) = default;
};

void PrintTo(const TaxRate& a, std::ostream* os) {
  *os << "(" << a.code << ", " << a.amount << ", " << a.kind << ")";
}

std::vector<TaxRate> Lines(DataSet& ds) {
  std::vector<TaxRate> lines;
  for (ds.First(); !ds.Eof(); ds.Next()) {
    lines.push_back({ds.FieldByName("CDALIQIMPFIS").AsString(),
                     ds.FieldByName("VRALIQIMPFIS").AsFloat(),
                     ds.FieldByName("IDALIQIMPFIS").AsString()});
  }
  return lines;
}

const TaxRate kNN{"NN", 0, "N"}, kII{"II", 0, "I"}, kFF{"FF", 0, "F"};

struct TaxRateCase {
  const char* name;
  std::string reply;
  std::vector<TaxRate> expected;  // in the host's set, storage order
};
// Test listings show the case by its name.
void PrintTo(const TaxRateCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class CarregaAliquotaTest : public PackageTest,
                            public ::testing::WithParamInterface<TaxRateCase> {};

TEST_P(CarregaAliquotaTest, NumbersRatesInPrinterOrderThenFixedCodes) {
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {GetParam().reply});
  DataSet host("cdsHost");
  host.CreateDataSet({{"OUTRO", FieldType::String, 5}});
  host.Append();
  host.FieldByName("OUTRO").SetAsString("velho");
  host.Post();

  CarregaAliquota("ESQ", host);

  EXPECT_EQ(Lines(host), GetParam().expected);
  EXPECT_EQ(host.FieldIndex("OUTRO"), -1) << "the host's content is replaced as a whole";
}

INSTANTIATE_TEST_SUITE_P(
    Replies, CarregaAliquotaTest,
    ::testing::Values(
        TaxRateCase{"TwoRates", "T1800;S0500;", {{"01", 18, "T"}, {"02", 5, "S"}, kNN, kII, kFF}},
        TaxRateCase{"LastWithoutSemicolon", "T1800;S0500", {{"01", 18, "T"}, kNN, kII, kFF}},
        TaxRateCase{"MalformedTakesAnIndex",
                    "T1800;TX100;S0500;",
                    {{"01", 18, "T"}, {"03", 5, "S"}, kNN, kII, kFF}},
        TaxRateCase{"BlanksAround", "   T0725;   ", {{"01", 7.25, "T"}, kNN, kII, kFF}},
        TaxRateCase{"EmptyEntryEnds", "T1800;;S0500;", {{"01", 18, "T"}, kNN, kII, kFF}},
        TaxRateCase{"EmptyReply", "", {kNN, kII, kFF}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TaxRatesTest, TaxRateTableIsOrderedByKindAndRate) {
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {"T1800;S0500;T0700;"});
  DataSet host;
  CarregaAliquota("ESQ", host);

  DataSet& cds = DataModule().cdsAliqImpFis;
  EXPECT_EQ(cds.IndexName(), "IdxIdAliqVrAliq");
  const std::vector<TaxRate> expected{
      kFF, kII, kNN, {"02", 5, "S"}, {"03", 7, "T"}, {"01", 18, "T"}};
  EXPECT_EQ(Lines(cds), expected);
}

TEST_F(TaxRatesTest, TaxRatesFollowTheProcessDecimalSeparator) {
  GlobalFormatSettings().decimalSeparator = '.';
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {"T1250;"});
  DataSet host;
  CarregaAliquota("ESQ", host);
  const std::vector<TaxRate> expected{{"01", 12.5, "T"}, kNN, kII, kFF};
  EXPECT_EQ(Lines(host), expected);
}

TEST_F(TaxRatesTest, FailedTaxRateReadLeavesOnlyFixedCodesWithoutDialog) {
  driver().Queue("rLerAliquotas_ECF_Daruma", DriverAnswerNoReply());
  DataSet host;
  CarregaAliquota("ESQ", host);

  const std::vector<TaxRate> expected{kNN, kII, kFF};
  EXPECT_EQ(Lines(host), expected);
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_NE(stMensagemTaa.find(Utf8ToCp1252("Erro de comunicação.")), std::string::npos);
}

TEST_F(TaxRatesTest, TaxRateReadIsLoggedWithTheUntrimmedReply) {
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {"T1800;  "});
  DataSet host;
  CarregaAliquota("ESQ", host);

  const auto calls = driver().CallsTo("rLerAliquotas_ECF_Daruma");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, std::vector<std::string>{"[out 150]"});
  const auto texts = tovtest::DebugLogTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "rLerAliquotas_ECF_Daruma\r\nRetorno da Impressora : T1800;  ");
}

TEST_F(TaxRatesTest, RawTaxRateListIsLeftTrimmedInStRetornoAndAnswersFalse) {
  driver().Queue("rLerAliquotas_ECF_Daruma", 1, {"  T1800;S0500;  "});

  EXPECT_FALSE(Retorno_Aliquotas_Imp("ESQ"));

  EXPECT_EQ(stRetorno, "T1800;S0500;");
  EXPECT_EQ(inRetorno, 1);
  const auto texts = tovtest::DebugLogTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "rLerAliquotas_ECF_Daruma\r\nRetorno da Impressora :   T1800;S0500;  ");
}

}  // namespace
