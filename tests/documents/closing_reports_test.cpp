// What the virtual printer cannot show: amounts that are not numbers, a
// product set of 100,000 rows, and amounts wider than their columns, checked
// on the exact text the package hands the driver.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/fixture.h"
#include "tov00300/closing_reports.h"
#include "tov00300/dataset.h"
#include "tov00300/state.h"
#include "tov00300/table_service.h"

namespace tovtest {
namespace {

using Tov00300::DataSet;
using Tov00300::FieldType;

class ClosingReportsTest : public PackageTest {
 protected:
  // Everything printed into management reports, in order.
  std::string Printed() {
    std::string text;
    for (const DriverCall& call : driver().CallsTo("iRGImprimirTexto_ECF_Daruma"))
      text += call.args.at(0);
    return text;
  }
  int Reports() { return driver().CountOf("iRGAbrirPadrao_ECF_Daruma"); }
};

void MakeProducts(DataSet& set) {
  set.CreateDataSet({{"CDPRODIMPFIS", FieldType::String, 14},
                     {"CDPRODUTO", FieldType::String, 14},
                     {"NMPRODUTO", FieldType::String, 40},
                     {"QTPRODVEND", FieldType::Float, 0},
                     {"VRTOTAL", FieldType::Float, 0},
                     {"VRACRE", FieldType::Float, 0},
                     {"VRDESC", FieldType::Float, 0},
                     {"VRPEALIMPFIS", FieldType::Float, 0},
                     {"IDTPIMPOSFIS", FieldType::String, 1}});
}

void AddProduct(DataSet& set, const std::string& code, double quantity, double total,
                double rate = 18, const std::string& situation = "T") {
  set.Append();
  set.FieldByName("CDPRODIMPFIS").SetAsString(code);
  set.FieldByName("CDPRODUTO").SetAsString(code);
  set.FieldByName("NMPRODUTO").SetAsString("Produto " + code);
  set.FieldByName("QTPRODVEND").SetAsFloat(quantity);
  set.FieldByName("VRTOTAL").SetAsFloat(total);
  set.FieldByName("VRACRE").SetAsFloat(0);
  set.FieldByName("VRDESC").SetAsFloat(0);
  set.FieldByName("VRPEALIMPFIS").SetAsFloat(rate);
  set.FieldByName("IDTPIMPOSFIS").SetAsString(situation);
  set.Post();
}

void ProductReport(DataSet& products, const std::string& grouped) {
  std::string number;
  bool flag = true;
  Tov00300::Relatorio_Produto("", "", "", "", "", number, products, "N", grouped, "PADRAO", flag);
}

TEST_F(ClosingReportsTest, AmountsThatAreNotNumbersPrintNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double bad : {nan, inf, -inf, 1e300}) {
    SCOPED_TRACE(bad);
    driver().ClearCalls();
    DataSet products;
    MakeProducts(products);
    AddProduct(products, "1", 1, 5);
    AddProduct(products, "2", 1, bad);
    ProductReport(products, "S");

    DataSet closing, people, empty, movements;
    closing.CreateDataSet({{"NRENVELOPE", FieldType::String, 6},
                           {"NMTIPORECE", FieldType::String, 40},
                           {"VRFECHADIG", FieldType::Float, 0},
                           {"VRFECHAINF", FieldType::Float, 0}});
    closing.Append();
    closing.FieldByName("NMTIPORECE").SetAsString("Dinheiro");
    closing.FieldByName("VRFECHADIG").SetAsFloat(bad);
    closing.Post();
    std::string number;
    bool zConfirmed = true;
    EXPECT_FALSE(Tov00300::GeraReciboSangria(
        "", "CX", "", "", "", 0, number, closing, empty, empty, people, empty, empty, empty, empty,
        Tov00300::DateTime(), true, true, false, empty, empty, empty, empty, zConfirmed, empty, "N",
        "N", "N", "N", "PADRAO", true, false, true, "", ""));
    EXPECT_FALSE(zConfirmed);

    EXPECT_FALSE(Tov00300::Abertura_Mesa("", "PADRAO", "", "0001", "", "", Tov00300::Variant(), 0,
                                         0, 0, bad, 0, 10, 0));
    EXPECT_EQ(Reports(), 0);
  }
  EXPECT_NE(Tov00300::stMensagemTaa.find("Valor inv"), std::string::npos);
}

TEST_F(ClosingReportsTest, AHundredThousandProductsPrintWholeInPiecesOfTheTextLimit) {
  DataSet products;
  MakeProducts(products);
  // Added in reverse rate order: the grouped layout sorts them.
  for (int i = 100000; i > 0; --i)
    AddProduct(products, std::to_string(i), 1, 0.01, i % 2 == 0 ? 7 : 18);
  for (const char* grouped : {"N", "S"}) {
    SCOPED_TRACE(grouped);
    driver().ClearCalls();
    ProductReport(products, grouped);
    EXPECT_EQ(Reports(), 1);
    const std::string text = Printed();
    for (const DriverCall& call : driver().CallsTo("iRGImprimirTexto_ECF_Daruma"))
      EXPECT_LE(call.args.at(0).size(), 619u);
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_GT(lines, 100000u);
    EXPECT_NE(text.find("1000,00"), std::string::npos);    // the total of 100,000 x 0,01
    EXPECT_NE(text.find("100000,00"), std::string::npos);  // and the quantity
  }
  EXPECT_NE(Printed().find("Tributacao  7,00\n"), std::string::npos);
  EXPECT_LT(Printed().find("Tributacao  7,00\n"), Printed().find("Tributacao  18,00\n"));
}

TEST_F(ClosingReportsTest, AmountWiderThanItsColumnIsPrintedWhole) {
  DataSet products;
  MakeProducts(products);
  AddProduct(products, "1", 1234.5, 12345678.9);
  ProductReport(products, "N");
  const std::string text = Printed();
  EXPECT_NE(text.find("Produto 1" + std::string(9, ' ') + "1234,5012345678,90\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Total das Vendas" + std::string(16, ' ') + "  1234,5012345678,90\n"),
            std::string::npos)
      << text;
}

TEST_F(ClosingReportsTest, PlainNamesTakeCBuffersAndMissingSets) {
  for (const char* name :
       {"Relatorio_Produto", "GeraReciboSangria", "Abertura_Mesa", "RegistroVenda",
        "ImprimeMesasAbertas", "imprimeProdutosTransf", "imprimeTipoRece", "ImprimeProdBloq"})
    EXPECT_NE(dlsym(RTLD_DEFAULT, name), nullptr) << name;
  using Report = void (*)(const char*, const char*, const char*, const char*, const char*, char*,
                          int, DataSet*, const char*, const char*, const char*, bool*);
  auto report = reinterpret_cast<Report>(dlsym(RTLD_DEFAULT, "Relatorio_Produto"));
  ASSERT_NE(report, nullptr);
  // An in/out number without a terminator is read no further than its size.
  char number[3] = {'1', '2', '3'};
  bool flag = false;
  report(nullptr, nullptr, nullptr, nullptr, nullptr, number, 3, nullptr, "N", "S", "PADRAO",
         &flag);
  EXPECT_TRUE(flag);
  EXPECT_EQ(Reports(), 0);
}

}  // namespace
}  // namespace tovtest
