// The XML data-packet files: round trips, foreign files and bad input.
#include <filesystem>
#include <fstream>

#include "pt_br_settings.h"
#include "tov00300/dataset.h"

namespace Tov00300 {
namespace {

namespace fs = std::filesystem;

class DataPacketXmlTest : public PtBrTest {
 protected:
  void SetUp() override {
    PtBrTest::SetUp();
    dir_ = fs::temp_directory_path() /
           ("tov_rt_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::remove_all(dir_);
    PtBrTest::TearDown();
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  void Write(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }

  static DataPacket Sample() {
    std::string everyByte;
    for (int c = 1; c < 256; ++c) everyByte += static_cast<char>(c);
    DataPacket p;
    p.fields = {{"CD", FieldType::Integer},
                {"NM", FieldType::String, 300},
                {"VR", FieldType::Float},
                {"ID", FieldType::Boolean},
                {"DTHR", FieldType::DateTime}};
    p.rows = {
        {Variant(int64_t{1}), Variant("Jo\xE3o \x80 \"<&>'\r\n\t fim"), Variant(0.1 + 0.2),
         Variant(true), Variant(DateTime::FromParts(2024, 3, 5, 14, 7, 9, 45))},
        {Variant::Null(), Variant(""), Variant(-1e-300), Variant(false),
         Variant(DateTime::FromParts(1899, 12, 29, 6, 0, 0))},
        {Variant(int64_t{-2147483648LL}), Variant(everyByte), Variant::Null(), Variant::Null(),
         Variant::Null()},
        {Variant(int64_t{7}), Variant("  espa\xE7os  "), Variant(1234.5678), Variant(true),
         Variant(DateTime::FromParts(2024, 12, 31))},
    };
    return p;
  }

  fs::path dir_;
};

TEST_F(DataPacketXmlTest, FileRoundTripIsExact) {
  DataSet ds("cdsCheckECF");
  ds.SetData(Sample());
  ds.SaveToFile(Path("Brindal.cds"));
  DataSet back("cdsCheckECF");
  back.LoadFromFile(Path("Brindal.cds"));
  EXPECT_TRUE(back.Data() == Sample());
  EXPECT_FALSE(fs::exists(Path("Brindal.cds.tmp")));
  EXPECT_TRUE(DataSet::FromXml(DataSet::ToXml(Sample())) == Sample());
}

TEST_F(DataPacketXmlTest, WritesTheDataPacketLayout) {
  DataPacket p;
  p.fields = {{"NAME", FieldType::String, 40}, {"QT", FieldType::Integer}};
  p.rows = {{Variant("a\xE7"), Variant::Null()}};
  const std::string xml = DataSet::ToXml(p);
  EXPECT_EQ(xml,
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
            "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
            "<FIELD attrname=\"NAME\" fieldtype=\"string\" WIDTH=\"40\"/>"
            "<FIELD attrname=\"QT\" fieldtype=\"i4\"/></FIELDS><PARAMS/></METADATA>"
            "<ROWDATA><ROW RowState=\"4\" NAME=\"a\xC3\xA7\"/></ROWDATA></DATAPACKET>");
}

TEST_F(DataPacketXmlTest, LoadsForeignFilesWithFieldsItDoesNotKnow) {
  Write(Path("foreign.cds"),
        "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
        "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"DTHRGERA\" fieldtype=\"dateTime\"/>"
        "<FIELD attrname=\"VRGT\" fieldtype=\"fixed\" DECIMALS=\"2\" WIDTH=\"18\"/>"
        "<FIELD attrname=\"NRSERIE\" fieldtype=\"string\" WIDTH=\"20\"/>"
        "<FIELD attrname=\"EXTRA\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\"/>"
        "<FIELD attrname=\"QTD\" fieldtype=\"i2\"/>"
        "<FIELD attrname=\"DT\" fieldtype=\"date\"/>"
        "</FIELDS><PARAMS DEFAULT_ORDER=\"1\" LCID=\"1046\"/></METADATA><ROWDATA>"
        "<ROW RowState=\"4\" DTHRGERA=\"20240305T14:07:09045\" VRGT=\"1234.56\" "
        "NRSERIE=\"DR0911BR000000123456\" EXTRA=\"memo\" QTD=\"3\" DT=\"20240305\"/>"
        "<ROW RowState=\"1\" NRSERIE=\"original\"/>"
        "<ROW RowState=\"8\" NRSERIE=\"alterado\" QTD=\"9\"/>"
        "<ROW RowState=\"3\" NRSERIE=\"apagado\"/>"
        "</ROWDATA></DATAPACKET>");
  DataSet ds("cdsCheckECF");
  ds.LoadFromFile(Path("foreign.cds"));
  ASSERT_EQ(ds.FieldCount(), 6);
  EXPECT_EQ(ds.FieldDefs()[1].type, FieldType::Float);
  EXPECT_EQ(ds.FieldDefs()[2].size, 20);
  EXPECT_EQ(ds.RecordCount(), 2);
  ds.First();
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", ds.FieldByName("DTHRGERA").AsDateTime()),
            "05/03/2024 14:07:09.045");
  EXPECT_EQ(ds.FieldByName("VRGT").AsFloat(), 1234.56);
  EXPECT_EQ(ds.FieldByName("extra").AsString(), "memo");
  EXPECT_EQ(ds.FieldByName("DT").AsDateTime(), DateTime::FromParts(2024, 3, 5));
  ds.Next();
  EXPECT_EQ(ds.FieldByName("NRSERIE").AsString(), "alterado");
  EXPECT_EQ(ds.FieldByName("QTD").AsInteger(), 9);
  EXPECT_TRUE(ds.FieldByName("VRGT").IsNull());
}

TEST_F(DataPacketXmlTest, SingleByteFilesKeepTheirBytes) {
  Write(Path("latin.cds"),
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><DATAPACKET Version=\"2.0\"><METADATA>"
        "<FIELDS><FIELD attrname=\"NM\" fieldtype=\"string\" WIDTH=\"10\"/></FIELDS></METADATA>"
        "<ROWDATA><ROW NM=\"a\xE7\xE3o\"/></ROWDATA></DATAPACKET>");
  Write(Path("undeclared.cds"),
        "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"NM\" fieldtype=\"string\" WIDTH=\"10\"/></FIELDS></METADATA>"
        "<ROWDATA><ROW NM=\"a\xE7\xE3o\"/></ROWDATA></DATAPACKET>");
  for (const char* name : {"latin.cds", "undeclared.cds"}) {
    DataSet ds;
    ds.LoadFromFile(Path(name));
    EXPECT_EQ(ds.FieldByName("NM").AsString(), "a\xE7\xE3o") << name;
  }
}

TEST_F(DataPacketXmlTest, BadFilesGiveAnErrorNamingThePath) {
  DataSet good;
  good.SetData(Sample());
  good.SaveToFile(Path("good.cds"));
  std::ifstream in(Path("good.cds"), std::ios::binary);
  const std::string full((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  struct Case {
    const char* name;
    std::string content;
  };
  const Case cases[] = {
      {"truncated.cds", full.substr(0, full.size() / 2)},
      {"cut_in_tag.cds", full.substr(0, full.size() - 5)},
      {"empty.cds", ""},
      {"text.cds", "CDFILIAL;NMFILIAL\r\n001;Loja\r\n"},
      {"binary.cds", std::string("\x00\x01\x02\xFF", 4)},
      {"other_root.cds", "<?xml version=\"1.0\"?><ROOT/>"},
      {"no_fields.cds", "<DATAPACKET><METADATA><FIELDS/></METADATA><ROWDATA/></DATAPACKET>"},
      {"no_rowdata.cds",
       "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"A\" fieldtype=\"i4\"/></FIELDS>"
       "</METADATA></DATAPACKET>"},
      {"bad_number.cds",
       "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"A\" fieldtype=\"i4\"/></FIELDS>"
       "</METADATA><ROWDATA><ROW A=\"doze\"/></ROWDATA></DATAPACKET>"},
      {"twice_declared.cds",
       "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"A\" fieldtype=\"i4\"/>"
       "<FIELD attrname=\"a\" fieldtype=\"r8\"/></FIELDS></METADATA><ROWDATA/></DATAPACKET>"},
      {"reserved_name.cds",
       "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"RowState\" fieldtype=\"i4\"/>"
       "</FIELDS></METADATA><ROWDATA/></DATAPACKET>"},
      {"name_with_blank.cds",
       "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"NM CLIENTE\" fieldtype=\"i4\"/>"
       "</FIELDS></METADATA><ROWDATA/></DATAPACKET>"},
      {"bad_date.cds",
       "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"A\" fieldtype=\"dateTime\"/></FIELDS>"
       "</METADATA><ROWDATA><ROW A=\"20241345T99:00:00\"/></ROWDATA></DATAPACKET>"},
  };
  for (const Case& c : cases) {
    Write(Path(c.name), c.content);
    DataSet ds("cdsCheckECF");
    ds.SetData(Sample());
    try {
      ds.LoadFromFile(Path(c.name));
      ADD_FAILURE() << "loaded " << c.name;
    } catch (const DataSetError& e) {
      EXPECT_NE(std::string(e.what()).find(Path(c.name)), std::string::npos) << e.what();
    }
    EXPECT_EQ(ds.RecordCount(), 4) << c.name;  // the set keeps its rows
  }
  DataSet ds;
  EXPECT_THROW(ds.LoadFromFile(Path("absent.cds")), DataSetError);
  // A set whose field could not be read back is not written at all.
  DataSet reserved;
  reserved.CreateDataSet({{"RowState", FieldType::Integer}});
  EXPECT_THROW(reserved.SaveToFile(Path("reserved.cds")), DataSetError);
  EXPECT_FALSE(std::filesystem::exists(Path("reserved.cds")));
  EXPECT_THROW(good.SaveToFile((dir_ / "no_folder" / "x.cds").string()), DataSetError);
  // A save that cannot replace its target leaves no temporary file behind.
  std::filesystem::create_directory(dir_ / "folder.cds");
  EXPECT_THROW(good.SaveToFile(Path("folder.cds")), DataSetError);
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace Tov00300
