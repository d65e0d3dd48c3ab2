// The grand-total control in "Brindal.cds": checking, recording, the fallback
// file, and what missing, corrupt or unconvertible data leads to.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "readings/control_file.h"
#include "support/fixture.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::PackageTest;

struct Row {
  std::string branch, till, serial, state, field01, total;  // total in clear
};

class GrandTotalTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    stAtuFili = "001";
    stAtuCaixa = "02";
    stSerieAtu = "DR0001";
  }

  static DataPacket Packet(const std::vector<Row>& lines, int field02Width = 60) {
    DataPacket p;
    p.fields = {{"CDFILIAL", FieldType::String, 4},    {"CDCAIXA", FieldType::String, 3},
                {"NRSERIEECF", FieldType::String, 20}, {"IDSITECFIMPF", FieldType::String, 1},
                {"CAMPO01", FieldType::String, 1},     {"CAMPO02", FieldType::String, field02Width},
                {"OUTRO", FieldType::String, 10}};
    for (const Row& l : lines) {
      p.rows.push_back(
          {Variant(l.branch), Variant(l.till), Variant(l.serial), Variant(l.state),
           Variant(l.field01),
           Variant(l.total.empty() ? std::string() : hostlib::Cripto(l.total, kScrambleKey)),
           Variant("guardado")});
    }
    return p;
  }
  static void Write(const std::string& path, const DataPacket& p) {
    platform::AtomicReplaceFile(path, DataSet::ToXml(p));
  }
  static std::string Read(const std::string& path) {
    return platform::ReadFile(path).value_or("<missing>");
  }
  // The clear total recorded in the file's row for this register.
  static std::string RecordedTotal(const std::string& path) {
    DataPacket p = DataSet::FromXml(Read(path));
    for (const auto& row : p.rows) {
      if (row[0].AsString() == "001" && row[1].AsString() == "02") {
        return hostlib::Uncripto(row[5].AsString(), kScrambleKey);
      }
    }
    return "<no row>";
  }
  void PrinterWithTotal(const std::string& reply) {
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {reply});
  }
  static Variant Bag(const std::string& validId) {
    return MakeBag({{"CDFILIAL", "999"},
                    {"CDCAIXA", "99"},
                    {"NRSERIEIMP", "OUTRA"},
                    {"ESQUEMACOR", "AZUL"},
                    {"IDVALIDA", validId}});
  }
  std::string InvalidMessage() const {
    std::string text = DataModule().msgPadrao.Msg("ArqConfig_Inv4");
    text.replace(text.find("%s"), 2, ControlFilePath());
    return text;
  }

  const std::vector<Row> kBranch = {{"001", "01", "DR0000", "A", "S", "1,00"},
                                    {"001", "02", "DR0001", "A", "S", "12345,67"}};
};

struct ValidationCase {
  const char* name;
  std::string recorded;  // clear total in the file
  std::string printer;   // register 1 reply
  bool expected;
  bool message;
  std::string recordedAfter;
};
// Test listings show the case by its name.
void PrintTo(const ValidationCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class ValidationTest : public GrandTotalTest,
                       public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(ValidationTest, ComparesTheRecordedTotalWithThePrinters) {
  const ValidationCase& c = GetParam();
  std::vector<Row> lines = kBranch;
  lines[1].total = c.recorded;
  Write(ControlFilePath(), Packet(lines));

  PrinterWithTotal(c.printer);
  EXPECT_EQ(Atu_TotGeral(Bag("S")), c.expected);
  if (c.message) {
    ASSERT_EQ(scriptedOperator().Texts(), std::vector<std::string>{InvalidMessage()});
    EXPECT_EQ(scriptedOperator().Messages()[0].type, 3);
    EXPECT_EQ(scriptedOperator().Messages()[0].context, "AZUL");
  } else {
    EXPECT_TRUE(scriptedOperator().Messages().empty());
  }
  EXPECT_EQ(RecordedTotal(ControlFilePath()), c.recordedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidationTest,
    ::testing::Values(
        ValidationCase{"Equal", "12345,67", "000000000001234567", true, false, "12345,67"},
        ValidationCase{"OneCentMore", "12345,67", "000000000001234568", false, true, "12345,67"},
        ValidationCase{"OneCentLess", "12345,67", "000000000001234566", false, true, "12345,67"},
        ValidationCase{"RestartValue", "10,10", "000000000001234567", true, false, "12345,67"},
        ValidationCase{"RecordedBlank", "", "000000000001234567", false, true, ""},
        ValidationCase{"RecordedWithAPoint", "12345.67", "000000000001234567", true, false,
                       "12345.67"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GrandTotalTest, RecordingStoresThePrintersTotalAndKeepsTheOtherRows) {
  Write(ControlFilePath(), Packet(kBranch));
  PrinterWithTotal("000000000009999950");
  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  EXPECT_TRUE(scriptedOperator().Messages().empty());

  DataPacket p = DataSet::FromXml(Read(ControlFilePath()));
  ASSERT_EQ(p.rows.size(), 2u);
  EXPECT_EQ(hostlib::Uncripto(p.rows[0][5].AsString(), kScrambleKey), "1,00");
  EXPECT_EQ(hostlib::Uncripto(p.rows[1][5].AsString(), kScrambleKey), "99999,5");
  EXPECT_EQ(p.rows[1][6].AsString(), "guardado") << "fields the package does not know survive";
  EXPECT_FALSE(DataModule().cdsCheckECF.Active());
}

TEST_F(GrandTotalTest, ControlOffOrNoRowChangesNothing) {
  std::vector<Row> lines = kBranch;
  lines[1].field01 = "N";
  Write(ControlFilePath(), Packet(lines));
  const std::string before = Read(ControlFilePath());
  EXPECT_TRUE(Atu_TotGeral(Bag("S")));
  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  EXPECT_EQ(Read(ControlFilePath()), before);
  stSerieAtu = "NENHUMA";
  Write(ControlFilePath(), Packet(kBranch));
  const std::string withoutRow = Read(ControlFilePath());
  EXPECT_TRUE(Atu_TotGeral(Bag("S")));
  EXPECT_EQ(Read(ControlFilePath()), withoutRow);
  EXPECT_EQ(driver().CountOf("rRetornarInformacao_ECF_Daruma"), 0);
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

TEST_F(GrandTotalTest, FallbackFileIsUsedOnlyForActivePrintersAndSavedAsBrindal) {
  std::vector<Row> lines = kBranch;
  lines[1].state = "I";  // inactive: not selected from the older file
  lines.push_back({"001", "02", "DR0001", "A", "S", "500,00"});
  Write(FallbackControlFilePath(), Packet(lines));
  EXPECT_EQ(FallbackControlFilePath(), DsDirCad + "mor02001.cds");

  PrinterWithTotal("000000000000050000");
  EXPECT_TRUE(Atu_TotGeral(Bag("S")));
  PrinterWithTotal("000000000000060000");
  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  DataPacket p = DataSet::FromXml(Read(ControlFilePath()));
  ASSERT_EQ(p.rows.size(), 3u);
  EXPECT_EQ(hostlib::Uncripto(p.rows[1][5].AsString(), kScrambleKey), "12345,67");
  EXPECT_EQ(hostlib::Uncripto(p.rows[2][5].AsString(), kScrambleKey), "600");
}

// A check that could not run is not a check that passed.
TEST_F(GrandTotalTest, MissingControlFilesFailTheCheckButNotTheRecording) {
  EXPECT_FALSE(Atu_TotGeral(Bag("S")));
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  EXPECT_NE(scriptedOperator().Texts()[0].find(ControlFilePath()), std::string::npos);
  EXPECT_NE(scriptedOperator().Texts()[0].find(FallbackControlFilePath()), std::string::npos);

  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  EXPECT_EQ(scriptedOperator().Messages().size(), 2u);
  EXPECT_FALSE(platform::FileExists(ControlFilePath()));
}

TEST_F(GrandTotalTest, CorruptControlFileIsReportedAndNeverOverwritten) {
  Write(ControlFilePath(), Packet(kBranch));
  const std::string whole = Read(ControlFilePath());
  const std::string cut = whole.substr(0, whole.size() / 2);
  // An older file exists too: it must not stand in for a damaged Brindal.cds.
  Write(FallbackControlFilePath(), Packet(kBranch));

  for (const std::string& content : {cut, std::string("not a data packet"), std::string()}) {
    std::ofstream(ControlFilePath(), std::ios::binary | std::ios::trunc) << content;
    scriptedOperator().Clear();
    EXPECT_FALSE(Atu_TotGeral(Bag("S")));
    ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
    EXPECT_EQ(scriptedOperator().Texts()[0].rfind(
                  Utf8ToCp1252("Arquivo de controle do totalizador geral ilegível: ") +
                      ControlFilePath() + "\r",
                  0),
              0u)
        << "the operator is told in Portuguese which file is damaged";
    EXPECT_TRUE(Atu_TotGeral(Bag("N")));
    EXPECT_EQ(Read(ControlFilePath()), content);
  }
}

TEST_F(GrandTotalTest, UnconvertiblePrinterTotalIsNeitherCheckedNorRecorded) {
  Write(ControlFilePath(), Packet(kBranch));
  const std::string before = Read(ControlFilePath());
  PrinterWithTotal("                  ");
  EXPECT_FALSE(Atu_TotGeral(Bag("S")));
  // A total not recorded is not reported as recorded.
  PrinterWithTotal("                  ");
  EXPECT_FALSE(Atu_TotGeral(Bag("N")));
  EXPECT_EQ(scriptedOperator().Messages().size(), 2u);
  EXPECT_EQ(Read(ControlFilePath()), before);
}

TEST_F(GrandTotalTest, UnreadableRecordedTotalFailsTheCheck) {
  DataPacket p = Packet(kBranch);
  p.rows[1][5] = Variant(hostlib::Cripto("doze", kScrambleKey));
  Write(ControlFilePath(), p);
  PrinterWithTotal("000000000001234567");
  EXPECT_FALSE(Atu_TotGeral(Bag("S")));
  EXPECT_EQ(scriptedOperator().Messages().size(), 1u);
}

TEST_F(GrandTotalTest, FieldTooNarrowForTheScrambledTotalLeavesTheFileAlone) {
  Write(ControlFilePath(), Packet(kBranch, 8));
  const std::string before = Read(ControlFilePath());
  PrinterWithTotal("000000000001234567");
  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  EXPECT_EQ(scriptedOperator().Messages().size(), 1u);
  EXPECT_EQ(Read(ControlFilePath()), before);
}

TEST_F(GrandTotalTest, QuoteInTheSelectionIsRefused) {
  Write(ControlFilePath(), Packet(kBranch));
  stAtuFili = "x' OR CDFILIAL <> '";
  EXPECT_FALSE(Atu_TotGeral(Bag("S")));
  EXPECT_EQ(scriptedOperator().Messages().size(), 1u);
}

}  // namespace
