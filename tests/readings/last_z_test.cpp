// The record of the last Z reduction: result elements, the tax table and
// what a silent printer or a malformed record leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fixture.h"
#include "tov00300/datamodule.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::PackageTest;

class LastZTest : public PackageTest {};

// A register-140 record: blanks except for the fields written into it.
class Record {
 public:
  Record() : text_(1164, '0') {}
  Record& At(int position, const std::string& amount) {
    text_.replace(static_cast<size_t>(position - 1), amount.size(), amount);
    return *this;
  }
  Record& TaxRate(int slot, const std::string& input, const std::string& total) {
    At(843 + (slot - 1) * 5, input);
    return At(129 + (slot - 1) * 14, total);
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

std::string Amount14(long long cents) {
  std::string s = std::to_string(cents);
  return std::string(14 - s.size(), '0') + s;
}

Record Typical() {
  Record r;
  r.At(1, "15032026")
      .At(9, "000000000001500000")   // grand total 15000,00
      .At(27, "000000000001000000")  // day began at 10000,00
      .At(45, Amount14(1000))        // 10,00
      .At(73, Amount14(250))         // 2,50
      .At(101, Amount14(777))
      .At(353, Amount14(111))
      .At(381, Amount14(222))
      .At(409, Amount14(333))
      .At(923, "0042")
      .At(927, "0007")
      .At(935, "001234")
      .At(979, "0011");
  // Slot 1 sold nothing; slots 2 and 4 sold; the others are zero.
  r.TaxRate(1, "T1800", Amount14(0));
  r.TaxRate(2, "T1200", Amount14(10000));  // 100,00 at 12 %
  r.TaxRate(3, "S0500", Amount14(0));
  r.TaxRate(4, "T0700", Amount14(2550));  // 25,50 at 7 %
  return r;
}

Variant Result(size_t n = 49) {
  VariantArray a(n, Variant(std::string("x")));
  return Variant(a);
}

struct TaxRow {
  std::string code, rate, tax, sold, cdimp;
  friend bool operator==(const TaxRow&, const TaxRow&) = default;
};

std::vector<TaxRow> Lines(DataSet& ds) {
  std::vector<TaxRow> lines;
  for (ds.First(); !ds.Eof(); ds.Next()) {
    lines.push_back({ds.FieldByName("CDALIQIMPFIS").AsString(),
                     ds.FieldByName("VRALIQIMPFIS").AsString(),
                     ds.FieldByName("VRIMPOSTO").AsString(), ds.FieldByName("VRVENDIDO").AsString(),
                     ds.FieldByName("CDIMPOSTO").AsString()});
  }
  return lines;
}

TEST_F(LastZTest, LastReductionFillsTheResultElements) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1,
                 {"   " + Typical().text().substr(0, 1000) + "  "});
  Variant resultado = Result();
  DataSet host("host");
  ASSERT_TRUE(DadosUltimaRedZ({Variant("AZUL")}, resultado, host));

  const VariantArray& e = resultado.AsArray();
  ASSERT_EQ(e.size(), 49u);
  const DateTime data = DateTime::FromParts(2026, 3, 15);
  EXPECT_EQ(e[0].AsString(), "0007");
  EXPECT_EQ(e[1].AsString(), "0042");
  EXPECT_EQ(e[2].kind(), Variant::Kind::Double);
  EXPECT_DOUBLE_EQ(e[2].AsDouble(), 5000.0);
  EXPECT_EQ(e[3].AsDateTime(), data);
  EXPECT_EQ(e[4].AsString(), "0011");
  EXPECT_EQ(e[11].AsString(), "0042");
  EXPECT_EQ(e[12].AsString(), "0007");
  EXPECT_EQ(e[13].AsString(), "001234");
  EXPECT_EQ(e[25].AsString(), "15000,00");
  EXPECT_EQ(e[27].AsString(), "02,22");
  EXPECT_EQ(e[28].AsString(), "03,33");
  EXPECT_EQ(e[29].AsString(), "01,11");
  EXPECT_EQ(e[33].AsString(), "10,00");
  EXPECT_EQ(e[35].AsString(), "07,77");
  EXPECT_EQ(e[37].AsString(), "02,50");
  EXPECT_EQ(e[46].AsDateTime(), data);
  EXPECT_EQ(e[47].AsString(), "5000,00");
  EXPECT_EQ(e[48].AsString(), "4987,50");
  EXPECT_EQ(e[5].AsString(), "x") << "elements the record does not fill are left alone";
  EXPECT_EQ(e[26].AsString(), "x");

  auto calls = driver().CallsTo("rRetornarInformacao_ECF_Daruma");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"140", "[out 1164]"}));
}

TEST_F(LastZTest, TaxRowsKeepTheirOwnSlotNumbers) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {Typical().text()});
  Variant resultado = Result();
  DataSet host("host");
  ASSERT_TRUE(DadosUltimaRedZ({Variant("AZUL")}, resultado, host));

  const std::vector<TaxRow> expected = {{"02", "12,00", "12,00", "100,00", "00"},
                                        {"04", "07,00", "01,79", "25,50", "00"}};
  EXPECT_EQ(Lines(DataModule().cdsImposto), expected);
  EXPECT_EQ(Lines(host), expected) << "the host receives a copy of the table";
}

TEST_F(LastZTest, AllZeroSlotsLeaveTheTaxTableEmpty) {
  Record r = Typical();
  r.TaxRate(2, "T1200", Amount14(0)).TaxRate(4, "T0700", Amount14(0));
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {r.text()});
  Variant resultado = Result();
  DataSet host("host");
  ASSERT_TRUE(DadosUltimaRedZ({Variant("AZUL")}, resultado, host));
  EXPECT_TRUE(DataModule().cdsImposto.IsEmpty());
  EXPECT_EQ(DataModule().cdsImposto.FieldCount(), 5);
  EXPECT_TRUE(host.IsEmpty());
}

TEST_F(LastZTest, SilentPrinterGivesTheFallbackValues) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 0, {});
  Variant resultado = Result();
  DataSet host("host");
  host.CreateDataSet({{"KEEP", FieldType::String, 3}});

  EXPECT_FALSE(DadosUltimaRedZ({Variant("AZUL")}, resultado, host));
  const VariantArray& e = resultado.AsArray();
  EXPECT_EQ(e[0].AsString(), "");
  EXPECT_EQ(e[1].AsString(), "");
  EXPECT_DOUBLE_EQ(e[2].AsDouble(), 0.0);
  EXPECT_EQ(e[3].AsDateTime().value, DateTime::Today().value - 1000);
  EXPECT_EQ(e[4].AsString(), "");
  EXPECT_EQ(e[11].AsString(), "x");
  EXPECT_EQ(e[47].AsString(), "x");
  EXPECT_EQ(host.FieldIndex("KEEP"), 0) << "the host's data set is not touched";
  ASSERT_FALSE(scriptedOperator().Messages().empty()) << "the failure is shown to the operator";
  EXPECT_EQ(scriptedOperator().Messages().front().context, "AZUL");
}

TEST_F(LastZTest, MalformedRecordRaisesAndStoresNothing) {
  Record r = Typical();
  r.At(1, "99999999");  // no such date
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {r.text()});
  Variant resultado = Result();
  DataSet host("host");
  EXPECT_THROW(DadosUltimaRedZ({Variant("AZUL")}, resultado, host), ConversionError);
  for (const Variant& v : resultado.AsArray()) EXPECT_EQ(v.AsString(), "x");

  // A record cut short: the amounts past its end are blank.
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {Typical().text().substr(0, 300)});
  EXPECT_THROW(DadosUltimaRedZ({Variant("AZUL")}, resultado, host), ConversionError);
  for (const Variant& v : resultado.AsArray()) EXPECT_EQ(v.AsString(), "x");
}

TEST_F(LastZTest, ResultArrayTooSmallIsRefusedBeforeAskingThePrinter) {
  Variant shortReply = Result(10);
  DataSet host("host");
  EXPECT_THROW(DadosUltimaRedZ({Variant("AZUL")}, shortReply, host), ConversionError);
  Variant notArray("texto");
  EXPECT_THROW(DadosUltimaRedZ({Variant("AZUL")}, notArray, host), ConversionError);
  EXPECT_EQ(driver().CountOf("rRetornarInformacao_ECF_Daruma"), 0);
}

}  // namespace
