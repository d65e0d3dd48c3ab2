// What the virtual printer cannot show: amounts that are not numbers, a
// product set of 100,000 rows, and amounts wider than their columns, checked
// on the exact text the package hands the driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "session/printer_documents.h"
#include "support/fixture.h"
#include "support/library_symbols.h"
#include "tov00300/accounts.h"
#include "tov00300/closing_reports.h"
#include "tov00300/dataset.h"
#include "tov00300/state.h"
#include "tov00300/table_service.h"
#include "tov00300/tov00300_c.h"

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
  set.CreateDataSet(Tov00300::SoldProductFieldDefs());
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

// A data packet of the named fields, each typed by its first row's value.
Tov00300::DataPacket Packet(const std::vector<std::string>& names,
                            std::vector<std::vector<Tov00300::Variant>> rows) {
  Tov00300::DataPacket packet;
  for (size_t i = 0; i < names.size(); ++i) {
    const bool text = rows.at(0).at(i).kind() == Tov00300::Variant::Kind::String;
    packet.fields.push_back({names[i], text ? FieldType::String : FieldType::Float, text ? 60 : 0});
  }
  packet.rows = std::move(rows);
  return packet;
}

// Every report that prints amount columns, with figures wider than their
// columns and labels that fill theirs: each figure is printed whole and
// clear of its neighbours (two of them never make one word), and no line
// passes the paper's 48 columns.
TEST_F(ClosingReportsTest, AmountWiderThanItsColumnIsPrintedWhole) {
  const double big = 123456789.5, huge = -98765432109.25;
  const std::string longName = "Nome tao comprido que enche a coluna inteira";
  DataSet products, balances, consumer, types, consumers, closing, movements, items, people, none;
  MakeProducts(products);
  AddProduct(products, "1", 1234.5, big);
  AddProduct(products, "PRODUTO-LONGO-14", 10000, 10000, 0, "I");
  balances.SetData(Packet({"NMFAMILISALD", "SALDOFAM", "VRSALDCONFAM"}, {{longName, big, big}}));
  consumer.SetData(Packet({"VRSALDOCONS"}, {{huge}}));
  types.SetData(Packet({"CDTIPOCONS", "NMTIPOCONS"}, {{"1", "Alunos"}}));
  consumers.SetData(
      Packet({"CDTIPOCONS", "NMCONSUMIDOR", "SALDONEGATIVO"}, {{"1", longName, huge}}));
  closing.SetData(Packet({"NRENVELOPE", "NMTIPORECE", "VRFECHADIG", "VRFECHAINF"},
                         {{"000001", longName, big, huge}}));
  movements.SetData(Packet({"IDTIPOREG", "NMTIPORECE", "VRSAIDA"}, {{"1", longName, huge}}));
  items.SetData(Packet({"CDPROD", "NMPROD", "STQTDE", "STVALOR"}, {{"1", "Arroz", 1234.5, big}}));
  const Tov00300::Variant sold(Packet({"CDARVPROD", "NMPRODUTO", "QTPRODCOMVEN", "VRPRECCOMVEN",
                                       "VRUNITVENDCL", "VRDESCCOMVEN", "VRACRCOMVEN"},
                                      {{"1", "Arroz", 1234.5, big, 0.0, big, 0.0}}));
  const Tov00300::Variant moved(Packet(
      {"NRMESA", "NRMESADSCOMORIT", "CDPRODUTO", "NMPRODUTO", "QTPRODCOMVEN", "VRPRECCOMVEN"},
      {{"0001", "0002", "PRODUTO-LONGO-14", longName, 1234.5, big}}));
  std::string number;
  bool confirmed = false;
  const struct {
    const char* report;
    std::function<void()> print;
    std::vector<std::string> figures;
  } cases[] = {
      {"produtos", [&] { ProductReport(products, "N"); }, {"1234,50", "11234,50", "123466789,50"}},
      {"produtos por aliquota",
       [&] { ProductReport(products, "S"); },
       {"10000,00", "123466789,50"}},
      {"fechamento",
       [&] {
         Tov00300::GeraReciboSangria("", "CX", "", "", "", 0, number, closing, none, products,
                                     people, movements, movements, none, none, {}, true, false,
                                     false, none, none, none, none, confirmed, none, "N", "N", "N",
                                     "S", "PADRAO", false, false, false, "", "");
       },
       {"-98765432109,25", "-98888898898,75"}},
      {"ImpSaldo", [&] { Tov00300::ImpSaldo("PADRAO", balances, "A", "B"); }, {"123456789,50"}},
      {"ImpSaldoDeb",
       [&] { Tov00300::ImpSaldoDeb("PADRAO", consumer, "", ""); },
       {"-98765432109,25"}},
      {"Saldo_CredPessoal",
       [&] { Tov00300::Saldo_CredPessoal("", "", "", "T", balances); },
       {"123456789,50"}},
      {"SaldoNegativo",
       [&] { Tov00300::SaldoNegativo("", "", types, consumers, "T", "001", "", ""); },
       {"-98765432109,25"}},
      {"Comp_DebitoCons",
       [&] {
         Tov00300::Comp_DebitoCons("", sold, big, "", "", "", "", "", "", 0, 0, 0, "2", "", "N", "",
                                   "", {});
       },
       {"1234,50", "123456789,50"}},
      {"Imp_CompVenCred",
       [&] { Tov00300::Imp_CompVenCred("", sold, {}, big, "", "", "", "", "", "", 0, 0, 0, "2"); },
       {"1234,50", "152407406637,75"}},
      {"Abertura_Mesa",
       [&] {
         Tov00300::Abertura_Mesa("", "", "", "0001", "", "", sold, big, 0, 0, big, 0, huge, big);
       },
       {"1234,500", "152407406637,75", "-98765432109,25"}},
      {"RegistroVenda",
       [&] { Tov00300::RegistroVenda("", "", "", items, "0001"); },
       {"1234,50", "152407406637,75"}},
      {"imprimeProdutosTransf",
       [&] { Tov00300::imprimeProdutosTransf("", "", "", moved); },
       {"1234,50", "123.456.789,50"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report);
    driver().ClearCalls();
    // The balance prints print into the report their caller opened.
    Tov00300::session::SetOwnDocument(Tov00300::session::OwnDocument::kReport);
    c.print();
    std::set<std::string> words;
    std::istringstream lines(Printed());
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LE(line.size(), 48u) << line;
      std::istringstream in(line);
      for (std::string word; in >> word;) {
        EXPECT_LE(std::count(word.begin(), word.end(), ','), 1) << line;
        words.insert(word);
      }
    }
    for (const std::string& figure : c.figures) EXPECT_TRUE(words.count(figure)) << figure;
  }
}

// ImpSaldo and ImpSaldoDeb close the report they print into whatever the
// set holds: a set without rows (never opened, or without the amount field)
// gives a total of zero; an amount that is no number, in any of the balance
// prints, is shown to the operator and nothing is printed.
TEST_F(ClosingReportsTest, BalanceSetsWithoutRowsOrWithAnAmountThatIsNoNumber) {
  DataSet unopened, noAmount, noRows, balances, consumer, types, consumers;
  noAmount.CreateDataSet({{"NMFAMILISALD", FieldType::String, 40}});
  noRows.CreateDataSet({{"VRSALDOCONS", FieldType::Float, 0}});
  balances.SetData(Packet({"NMFAMILISALD", "SALDOFAM", "VRSALDCONFAM"}, {{"Pai", "doze", "doze"}}));
  consumer.SetData(Packet({"VRSALDOCONS"}, {{"doze"}}));
  types.SetData(Packet({"CDTIPOCONS", "NMTIPOCONS"}, {{"1", "Alunos"}}));
  consumers.SetData(Packet({"CDTIPOCONS", "NMCONSUMIDOR", "SALDONEGATIVO"}, {{"1", "Ana", "x"}}));
  driver().SetDefault("rRetornarInformacao_ECF_Daruma", {1, {"4"}, {}});  // a report is open
  const struct {
    std::function<bool()> print;
    bool zeroTotal;
    int closings;
  } cases[] = {
      {[&] { return Tov00300::ImpSaldo("", unopened, "", ""); }, true, 1},
      {[&] { return Tov00300::ImpSaldo("", noAmount, "", ""); }, true, 1},
      {[&] { return Tov00300::ImpSaldoDeb("", noRows, "", ""); }, true, 1},
      {[&] { return Tov00300::ImpSaldo("", balances, "", ""); }, false, 1},
      {[&] { return Tov00300::ImpSaldoDeb("", consumer, "", ""); }, false, 1},
      {[&] { return Tov00300::Saldo_CredPessoal("", "", "", "", balances); }, false, 0},
      {[&] { return Tov00300::SaldoNegativo("", "", types, consumers, "", "", "", ""); }, false, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    driver().ClearCalls();
    scriptedOperator().Clear();
    Tov00300::session::SetOwnDocument(
        Tov00300::session::OwnDocument::kReport);  // the caller's report
    bool printed = !cases[i].zeroTotal;
    EXPECT_NO_THROW(printed = cases[i].print());
    EXPECT_EQ(printed, cases[i].zeroTotal);
    EXPECT_EQ(
        Printed().find("\nSaldo Total" + std::string(33, ' ') + "0,00\n") != std::string::npos,
        cases[i].zeroTotal);
    EXPECT_EQ(Printed().empty() && scriptedOperator().Messages().size() == 1u, !cases[i].zeroTotal);
    EXPECT_EQ(driver().CountOf("iRGFechar_ECF_Daruma"), cases[i].closings);
    EXPECT_EQ(Reports(), 0);
  }
}

// The credit voucher before any receipt closing filled the family tables:
// a purchase of nothing and families without balance need none of them; an
// item whose value overflows is refused before anything is printed.
TEST_F(ClosingReportsTest, CreditVoucherReadsTheClosingsTablesOnlyForABalance) {
  const auto items = [](double price) {
    return Tov00300::Variant(Packet({"CDARVPROD", "NMPRODUTO", "QTPRODCOMVEN", "VRPRECCOMVEN"},
                                    {{"1", "Arroz", price, price}}));
  };
  const auto families = [](double balance) {
    return Tov00300::Variant(
        Packet({"CDFAMILISALD", "NMFAMILISALD", "VRSALDCONFAM"}, {{"F1", "Pai", balance}}));
  };
  const struct {
    Tov00300::Variant products, families;
    double value;
    bool result;
    int reports;
  } cases[] = {{items(2), families(5), 0.004, true, 0},
               {items(2), families(0), 4, true, 1},
               {items(2), families(5), 4, false, 0},
               {items(1e200), families(0), 4, false, 0}};
  for (const auto& c : cases) {
    driver().ClearCalls();
    EXPECT_EQ(Tov00300::Imp_CompVenCred("", c.products, c.families, c.value, "", "", "", "", "", "",
                                        0, 0, 0, "1"),
              c.result);
    EXPECT_EQ(Reports(), c.reports);
    EXPECT_EQ(Printed().find("Pai"), std::string::npos);
  }
}

TEST_F(ClosingReportsTest, PlainNamesTakeCBuffersAndMissingSets) {
  const auto exported = ExportedCFunctions(TOV_BUILD_LIB_DIR "/libtov00300.so");
  for (const char* name :
       {"Relatorio_Produto", "GeraReciboSangria", "Abertura_Mesa", "RegistroVenda",
        "ImprimeMesasAbertas", "imprimeProdutosTransf", "imprimeTipoRece", "ImprimeProdBloq"})
    EXPECT_TRUE(exported.count(name)) << name;
  auto report = &::Relatorio_Produto;
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
