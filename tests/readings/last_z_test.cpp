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

// A register-140 record: blanks except for the fields written into it.
class Registro {
 public:
  Registro() : texto_(1164, '0') {}
  Registro& Em(int posicao, const std::string& valor) {
    texto_.replace(static_cast<size_t>(posicao - 1), valor.size(), valor);
    return *this;
  }
  Registro& Aliquota(int slot, const std::string& entrada, const std::string& total) {
    Em(843 + (slot - 1) * 5, entrada);
    return Em(129 + (slot - 1) * 14, total);
  }
  const std::string& texto() const { return texto_; }

 private:
  std::string texto_;
};

std::string Amount14(long long centavos) {
  std::string s = std::to_string(centavos);
  return std::string(14 - s.size(), '0') + s;
}

Registro Tipico() {
  Registro r;
  r.Em(1, "15032026")
      .Em(9, "000000000001500000")   // grand total 15000,00
      .Em(27, "000000000001000000")  // day began at 10000,00
      .Em(45, Amount14(1000))        // 10,00
      .Em(73, Amount14(250))         // 2,50
      .Em(101, Amount14(777))
      .Em(353, Amount14(111))
      .Em(381, Amount14(222))
      .Em(409, Amount14(333))
      .Em(923, "0042")
      .Em(927, "0007")
      .Em(935, "001234")
      .Em(979, "0011");
  // Slot 1 sold nothing; slots 2 and 4 sold; the others are zero.
  r.Aliquota(1, "T1800", Amount14(0));
  r.Aliquota(2, "T1200", Amount14(10000));  // 100,00 at 12 %
  r.Aliquota(3, "S0500", Amount14(0));
  r.Aliquota(4, "T0700", Amount14(2550));  // 25,50 at 7 %
  return r;
}

Variant Resultado(size_t n = 49) {
  VariantArray a(n, Variant(std::string("x")));
  return Variant(a);
}

struct LinhaImposto {
  std::string cd, aliq, imposto, vendido, cdimp;
  friend bool operator==(const LinhaImposto&, const LinhaImposto&) = default;
};

std::vector<LinhaImposto> Linhas(DataSet& ds) {
  std::vector<LinhaImposto> linhas;
  for (ds.First(); !ds.Eof(); ds.Next()) {
    linhas.push_back(
        {ds.FieldByName("CDALIQIMPFIS").AsString(), ds.FieldByName("VRALIQIMPFIS").AsString(),
         ds.FieldByName("VRIMPOSTO").AsString(), ds.FieldByName("VRVENDIDO").AsString(),
         ds.FieldByName("CDIMPOSTO").AsString()});
  }
  return linhas;
}

TEST_F(PackageTest, LastReductionFillsTheResultElements) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1,
                 {"   " + Tipico().texto().substr(0, 1000) + "  "});
  Variant resultado = Resultado();
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

  auto chamadas = driver().CallsTo("rRetornarInformacao_ECF_Daruma");
  ASSERT_EQ(chamadas.size(), 1u);
  EXPECT_EQ(chamadas[0].args, (std::vector<std::string>{"140", "[out 1164]"}));
}

TEST_F(PackageTest, TaxRowsKeepTheirOwnSlotNumbers) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {Tipico().texto()});
  Variant resultado = Resultado();
  DataSet host("host");
  ASSERT_TRUE(DadosUltimaRedZ({Variant("AZUL")}, resultado, host));

  const std::vector<LinhaImposto> esperado = {{"02", "12,00", "12,00", "100,00", "00"},
                                              {"04", "07,00", "01,79", "25,50", "00"}};
  EXPECT_EQ(Linhas(DataModule().cdsImposto), esperado);
  EXPECT_EQ(Linhas(host), esperado) << "the host receives a copy of the table";
}

TEST_F(PackageTest, AllZeroSlotsLeaveTheTaxTableEmpty) {
  Registro r = Tipico();
  r.Aliquota(2, "T1200", Amount14(0)).Aliquota(4, "T0700", Amount14(0));
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {r.texto()});
  Variant resultado = Resultado();
  DataSet host("host");
  ASSERT_TRUE(DadosUltimaRedZ({Variant("AZUL")}, resultado, host));
  EXPECT_TRUE(DataModule().cdsImposto.IsEmpty());
  EXPECT_EQ(DataModule().cdsImposto.FieldCount(), 5);
  EXPECT_TRUE(host.IsEmpty());
}

TEST_F(PackageTest, SilentPrinterGivesTheFallbackValues) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 0, {});
  Variant resultado = Resultado();
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
  ASSERT_FALSE(operador().Messages().empty()) << "the failure is shown to the operator";
  EXPECT_EQ(operador().Messages().front().context, "AZUL");
}

TEST_F(PackageTest, MalformedRecordRaisesAndStoresNothing) {
  Registro r = Tipico();
  r.Em(1, "99999999");  // no such date
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {r.texto()});
  Variant resultado = Resultado();
  DataSet host("host");
  EXPECT_THROW(DadosUltimaRedZ({Variant("AZUL")}, resultado, host), ConversionError);
  for (const Variant& v : resultado.AsArray()) EXPECT_EQ(v.AsString(), "x");

  // A record cut short: the amounts past its end are blank.
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {Tipico().texto().substr(0, 300)});
  EXPECT_THROW(DadosUltimaRedZ({Variant("AZUL")}, resultado, host), ConversionError);
  for (const Variant& v : resultado.AsArray()) EXPECT_EQ(v.AsString(), "x");
}

TEST_F(PackageTest, ResultArrayTooSmallIsRefusedBeforeAskingThePrinter) {
  Variant curto = Resultado(10);
  DataSet host("host");
  EXPECT_THROW(DadosUltimaRedZ({Variant("AZUL")}, curto, host), ConversionError);
  Variant naoArray("texto");
  EXPECT_THROW(DadosUltimaRedZ({Variant("AZUL")}, naoArray, host), ConversionError);
  EXPECT_EQ(driver().CountOf("rRetornarInformacao_ECF_Daruma"), 0);
}

}  // namespace
