// The Z-reduction export against driver replies the virtual printer never
// gives: totalizer lists with "Sangria" elsewhere or absent, a rate list whose
// last entry is not closed, and the plain C name's answer to an error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>

#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/dataset.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

extern "C" bool ExportRedZ(const char* unusedText, const char* stEsquema, const char* ecfNumber,
                           int unusedNumber, const Tov00300::DataSet* paymentTypes,
                           Tov00300::DataSet* dsReducaoZ, Tov00300::DataSet* dsFormPgtoRedZ,
                           Tov00300::DataSet* dsImpostoRedZ, Tov00300::DataSet* dsTotNFiscRedZ);

namespace {

using namespace Tov00300;
using tovtest::PackageTest;

class ZExportTest : public PackageTest {};

std::string Amount13(long long cents) {
  std::string s = std::to_string(cents);
  return std::string(13 - s.size(), '0') + s;
}

// The printer's answers to one export, register by register, in the order
// the export asks for them.
struct Day {
  std::string payments = "Dinheiro;";
  std::string rates = "T1800;";
  std::string totalizers = "Sangria;Suprimento;";
  std::map<int, std::string> registers = {
      {26, "000042"},
      {70, "15032026"},
      {28, "000007"},
      {23, "001"},
      {24, "0003"},
      {1, "000000000000110000"},  // 1100,00
      {2, "000000000000100000"},  // the day began at 1000,00: gross 100,00
      {13, Amount13(1000)},       // cancellations 10,00
      {11, Amount13(500)},        // discounts 5,00
      {12, Amount13(0)},
      {6, std::string(260, '0')},
      {3, std::string(364, '0')},
      {8, Amount13(0)},
      {9, std::string(247, '0')},
  };

  void Queue(tovtest::ScriptedDriver& driver) const {
    driver.Queue("rLerMeiosPagto_ECF_Daruma", 1, {payments});
    driver.Queue("rLerAliquotas_ECF_Daruma", 1, {rates});
    driver.Queue("rLerCNF_ECF_Daruma", 1, {totalizers});
    // The export's registers, in its order (register 1 twice: grand total,
    // then gross sales).
    for (int number : {26, 70, 28, 23, 24, 1, 1, 2, 13, 11, 12, 6, 3, 8, 9})
      driver.Queue("rRetornarInformacao_ECF_Daruma", 1, {registers.at(number)});
  }
};

struct Sets {
  DataSet types, day, payments, taxes, totalizers;
  Sets() {
    types.CreateDataSet(
        {{"CDTIPORECE", FieldType::String, 3}, {"NMTIPORECE", FieldType::String, 40}});
  }
  bool Export() {
    return ExportRedZ("", "PADRAO", "001", 0, types, day, payments, taxes, totalizers);
  }
};

// Totalizer rows by their number: name and amount in cents.
std::map<std::string, std::pair<std::string, long long>> Totalizers(DataSet& rows) {
  std::map<std::string, std::pair<std::string, long long>> out;
  for (rows.First(); !rows.Eof(); rows.Next()) {
    out[rows.FieldByName("NRTOTNFISCRZ").AsString()] = {
        rows.FieldByName("DSTOTNFISCRZ").AsString(),
        std::llround(rows.FieldByName("VRACUTOTNFIS").AsFloat() * 100)};
  }
  return out;
}

TEST_F(ZExportTest, SangriaInSecondPlaceAndAnUnclosedRateList) {
  Day d;
  d.totalizers = "Vale;Sangria;Suprimento;";
  d.registers[8] = Amount13(500);
  d.registers[9] = Amount13(1000) + Amount13(2000) + std::string(221, '0');
  d.rates = "T1800;T1200;S0500";  // the driver did not close the last entry
  d.registers[3] = Amount13(10000) + Amount13(2000) + Amount13(3000) + std::string(325, '0');
  driver().Install();
  d.Queue(driver());
  Sets s;
  ASSERT_TRUE(s.Export());
  // The export's folder is made in the host's data folder (names in Windows-1252).
  EXPECT_TRUE(std::filesystem::is_directory(sandbox().hostFolder() + "/Dados/Redu\xE7\xF5"
                                                                     "es"));

  using Row = std::pair<std::string, long long>;
  EXPECT_EQ(Totalizers(s.totalizers),
            (std::map<std::string, Row>{
                {"01", {"Vale", 1000}}, {"02", {"Sangria", 500}}, {"03", {"Suprimento", 2000}}}));

  ASSERT_EQ(s.taxes.RecordCount(), 3) << "the unclosed last rate keeps its row";
  s.taxes.Last();
  EXPECT_EQ(s.taxes.FieldByName("CDALIQIMPRZ").AsString(), "3");
  EXPECT_DOUBLE_EQ(s.taxes.FieldByName("VRALIQIMPRZ").AsFloat(), 5.0);
  EXPECT_DOUBLE_EQ(s.taxes.FieldByName("VRBCALCIMPRZ").AsFloat(), 30.0);
  EXPECT_DOUBLE_EQ(s.taxes.FieldByName("VRIMPOSTORZ").AsFloat(), 1.5);

  // Net sales 100 - 10 - 5; the counters the printer does not give.
  s.day.First();
  EXPECT_DOUBLE_EQ(s.day.FieldByName("VRVENLIQREDZ").AsFloat(), 85.0);
  EXPECT_EQ(s.day.FieldByName("NRREDREDZ").AsString(), "0004");
  EXPECT_EQ(s.day.FieldByName("NRULTCFREDZ").AsString(), "0000000042");
  EXPECT_EQ(stCupomFin, "000042");
  for (const char* zeros : {"NRLEITREDZ", "NRCANCFREDZ", "NRPRIMCFREDZ"})
    EXPECT_EQ(s.day.FieldByName(zeros).AsString(), "0000000000") << zeros;
}

TEST_F(ZExportTest, NoSangriaStillExportsTheOtherTotalizers) {
  Day d;
  d.totalizers = "Suprimento;Vale;";
  d.registers[8] = "             ";  // no such totalizer: nothing reads it
  d.registers[9] = Amount13(700) + Amount13(300) + std::string(221, '0');
  driver().Install();
  d.Queue(driver());
  Sets s;
  ASSERT_TRUE(s.Export());
  using Row = std::pair<std::string, long long>;
  EXPECT_EQ(Totalizers(s.totalizers),
            (std::map<std::string, Row>{{"01", {"Suprimento", 700}}, {"02", {"Vale", 300}}}));
}

// Through the plain C name an error is the answer false and a debug-log
// line; the sets hold what was gathered (here: the day row).
TEST_F(ZExportTest, PlainNameAnswersFalseForAnErrorAndLogsIt) {
  Day d;
  d.registers[6] = std::string(260, ' ');  // payment totals left blank
  driver().Install();
  d.Queue(driver());
  Sets s;
  EXPECT_FALSE(
      ::ExportRedZ("", "PADRAO", "001", 0, &s.types, &s.day, &s.payments, &s.taxes, &s.totalizers));
  EXPECT_EQ(s.day.RecordCount(), 1);
  const auto log = tovtest::DebugLogTexts();
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
    return line.starts_with("ExportRedZ : ") && line.find("not a valid") != std::string::npos;
  })) << "no debug line for the error";
  // The C++ name raises the same error.
  driver().Install();
  d.Queue(driver());
  EXPECT_THROW(s.Export(), ConversionError);
}

}  // namespace
