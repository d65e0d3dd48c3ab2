#include <gtest/gtest.h>
#include <sqlite3.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/scratch_folder.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"

namespace Tov00300::hostlib {
namespace {

class RecordsTest : public testing_platform::ScratchFolderTest {
 protected:
  void TearDown() override {
    SetGravaCERHandler(nullptr);
    SetDocNaoFiscalHandler(nullptr);
    ScratchFolderTest::TearDown();
  }

  // Every row of the query, its columns joined with '|'.
  std::vector<std::string> Rows(const std::string& sql) {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(Path("documentos.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    while (statement != nullptr && sqlite3_step(statement) == SQLITE_ROW) {
      std::string row;
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        const unsigned char* text = sqlite3_column_text(statement, i);
        row += std::string(i == 0 ? "" : "|") + (text != nullptr ? (const char*)text : "NULL");
      }
      rows.push_back(row);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
  }
};

TEST_F(RecordsTest, GravaCERAppendsARowPerCall) {
  DateTime movement = DateTime::FromParts(2024, 3, 10);
  EXPECT_EQ(GravaCER("Relat\xF3rio", "B", movement), "1");
  EXPECT_EQ(GravaCER("A2", "B2", movement), "2");
  EXPECT_EQ(Rows("SELECT texto_a, texto_b, data_movimento FROM GravaCER ORDER BY id"),
            (std::vector<std::string>{"Relat\xC3\xB3rio|B|2024-03-10 00:00:00",
                                      "A2|B2|2024-03-10 00:00:00"}));
  EXPECT_EQ(Rows("SELECT count(*) FROM GravaCER WHERE gravado_em <> ''"),
            std::vector<std::string>{"2"});
}

TEST_F(RecordsTest, SetDocNaoFiscaisECFAppendsAllTenArguments) {
  Variant id = setDocNaoFiscaisECF("K1", "000123", "000045", "000007", "", "RG", "",
                                   DateTime::FromParts(2024, 3, 10, 14, 5, 9),
                                   DateTime::FromParts(2024, 3, 9), "");
  EXPECT_EQ(id, Variant(int64_t{1}));
  EXPECT_EQ(Rows("SELECT chave, numero_cupom, informacao_28, informacao_33, informacao_45, "
                 "tipo_documento, texto_extra, data_hora, data_movimento, texto "
                 "FROM DocNaoFiscaisECF"),
            std::vector<std::string>{
                "K1|000123|000045|000007||RG||2024-03-10 14:05:09|2024-03-09 00:00:00|"});
}

TEST_F(RecordsTest, UnwritableRegisterGivesAnEmptyResultWithoutThrowing) {
  setenv("TOV_HOST_DIR", Path("absent/folder").c_str(), 1);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(GravaCER("A", "B", DateTime::FromParts(2024, 3, 10)), "");
  // The document register's loss reaches the package, which shows it.
  EXPECT_THROW(setDocNaoFiscaisECF("", "", "", "", "", "", "", DateTime(), DateTime(), ""),
               std::runtime_error);
  std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(written.find("documentos.db"), std::string::npos) << written;
}

// A text with a zero byte would read back cut where the byte is: no row is
// written, and the writer says which text and where.
TEST_F(RecordsTest, TextWithAZeroByteIsRefusedNotCut) {
  const std::string cut("antes\0depois", 12);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(GravaCER("A", cut, DateTime()), "");
  EXPECT_THROW(setDocNaoFiscaisECF("K", "", "", "", "", "RG", cut, DateTime(), DateTime(), ""),
               std::runtime_error);
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(written.find("texto_b holds a zero byte at position 6"), std::string::npos) << written;
  EXPECT_NE(written.find("texto_extra holds a zero byte at position 6"), std::string::npos);
  EXPECT_TRUE(ListRecords("GravaCER").empty());
  EXPECT_TRUE(ListRecords("DocNaoFiscaisECF").empty());
}

TEST_F(RecordsTest, InstalledHandlersReplaceTheRegister) {
  std::vector<std::string> calls;
  SetGravaCERHandler([&](const std::string& a, const std::string& b, DateTime) {
    calls.push_back(a + b);
    return std::string("ok");
  });
  SetDocNaoFiscalHandler([&](const std::string& key, const std::string&, const std::string&,
                             const std::string&, const std::string&, const std::string& type,
                             const std::string&, DateTime, DateTime, const std::string&) {
    calls.push_back(key + type);
    return Variant(true);
  });
  EXPECT_EQ(GravaCER("A", "B", DateTime()), "ok");
  EXPECT_EQ(setDocNaoFiscaisECF("K", "", "", "", "", "CC", "", DateTime(), DateTime(), ""),
            Variant(true));
  EXPECT_EQ(calls, (std::vector<std::string>{"AB", "KCC"}));
  EXPECT_FALSE(platform::FileExists(Path("documentos.db")));
}

TEST_F(RecordsTest, ListRecordsGivesTheRowsBackInOrder) {
  EXPECT_TRUE(ListRecords("DocNaoFiscaisECF").empty());  // no file yet
  GravaCER("A", "B", DateTime::FromParts(2024, 3, 10));
  EXPECT_TRUE(ListRecords("DocNaoFiscaisECF").empty());  // a file, no such table
  setDocNaoFiscaisECF("K1", "000001", "", "", "", "LX", "", DateTime::FromParts(2024, 3, 10),
                      DateTime::FromParts(2024, 3, 10), "");
  setDocNaoFiscaisECF("K2", "000002", "000001", "", "", "RZ", "", DateTime::FromParts(2024, 3, 10),
                      DateTime::FromParts(2024, 3, 10), "");
  const std::vector<StoredRecord> rows = ListRecords("DocNaoFiscaisECF");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].id, 2);
  ASSERT_GE(rows[1].columns.size(), 6u);
  EXPECT_EQ(rows[1].columns[0], (std::pair<std::string, std::string>{"chave", "K2"}));
  EXPECT_EQ(rows[1].columns[5].second, "RZ");
  // The name goes into the query: only the writers' own tables are read.
  EXPECT_THROW(ListRecords("GravaCER; DROP TABLE GravaCER"), std::invalid_argument);
  EXPECT_EQ(ListRecords("GravaCER").size(), 1u);
}

}  // namespace
}  // namespace Tov00300::hostlib
