// The product sales report's texts: the plain list and the list grouped by
// tax situation and rate with its summary per rate.
#include "documents/product_report.h"

#include <map>
#include <utility>

#include "documents/report_columns.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300::documents {

namespace {

using hostlib::Centraliza;
using hostlib::TamFixo;
using hostlib::TamFixoR;

// Quantities are counted in thousandths, the printer's resolution, and
// printed with two decimals.
constexpr int kQuantityDecimals = 3;

std::string Quantity(int64_t thousandths) {
  return Fixed(thousandths, kQuantityDecimals, 2);
}

std::string Rate(double rate) {
  return FloatToStrF2(rate, 2);
}

struct Totals {
  int64_t quantity = 0, value = 0, surcharge = 0, discount = 0;
  void Add(const ProductRow& row) {
    AddTo(quantity, row.quantity);
    AddTo(value, row.value);
    AddTo(surcharge, row.surcharge);
    AddTo(discount, row.discount);
  }
};

Totals Sum(const std::vector<ProductRow>& rows) {
  Totals totals;
  for (const ProductRow& row : rows) totals.Add(row);
  return totals;
}

// The caption of the untaxed situations: substitution, not levied, exempt;
// "" for a taxed item.
std::string UntaxedCaption(const std::string& situation) {
  if (situation == "F") return Caption("SubTrib");
  if (situation == "N") return Caption("NIncide");
  if (situation == "I") return Caption("Isento");
  return "";
}

// The group and summary label of an item. A rate of 0 with a situation that
// is none of the untaxed ones is an item taxed at 0 %: it is labelled "0,00"
// like any other rate, so it never lands under the previous group's heading
// or summary label.
std::string GroupLabel(const ProductRow& row) {
  if (row.rate == 0) {
    std::string caption = UntaxedCaption(row.situation);
    if (!caption.empty()) return caption;
  }
  return Rate(row.rate);
}

bool IsTaxedGroup(const ProductRow& row) {
  return row.rate != 0 || UntaxedCaption(row.situation).empty();
}

void Heading(std::string& out) {
  Line(out, "");
  Line(out, Centraliza(Caption("RelProdutos"), 47));
  Line(out, "");
}

// The report's closing lines: the surcharge, discount and sale totals.
void Footer(std::string& out, const Totals& totals) {
  out += AmountRow(TamFixo(Caption("Tot_Acre"), 38), {{Money(totals.surcharge), 10}});
  Line(out, "");
  out += AmountRow(TamFixo(Caption("Tot_Desc"), 38), {{Money(totals.discount), 10}});
  Line(out, "");
  out += AmountRow(TamFixo(Caption("Tot_Valor"), 32),
                   {{Quantity(totals.quantity), 9}, {Money(totals.value), 7}});
  out += "\n\n";
}

}  // namespace

std::vector<ProductRow> ReadProducts(DataSet& table, bool grouped) {
  std::vector<ProductRow> rows;
  if (table.IsEmpty()) return rows;
  RequireFields(
      table, "cdsProdVend",
      {"CDPRODIMPFIS", "CDPRODUTO", "NMPRODUTO", "QTPRODVEND", "VRTOTAL", "VRACRE", "VRDESC"});
  if (grouped) RequireFields(table, "cdsProdVend", {"VRPEALIMPFIS", "IDTPIMPOSFIS"});
  const Field printerCode = table.FieldByName("CDPRODIMPFIS");
  const Field code = table.FieldByName("CDPRODUTO");
  const Field name = table.FieldByName("NMPRODUTO");
  const Field quantity = table.FieldByName("QTPRODVEND");
  const Field value = table.FieldByName("VRTOTAL");
  const Field surcharge = table.FieldByName("VRACRE");
  const Field discount = table.FieldByName("VRDESC");
  rows.reserve(static_cast<size_t>(table.RecordCount()));
  for (table.First(); !table.Eof(); table.Next()) {
    ProductRow row;
    row.code = TextOf(printerCode);
    if (hostlib::EmptyString(row.code)) row.code = TextOf(code);
    row.name = TextOf(name);
    row.quantity = Units(NumberOf(quantity), kQuantityDecimals, "QTPRODVEND");
    row.value = Cents(NumberOf(value), "VRTOTAL");
    row.surcharge = Cents(NumberOf(surcharge), "VRACRE");
    row.discount = Cents(NumberOf(discount), "VRDESC");
    if (grouped) {
      row.rate = NumberOf(table.FieldByName("VRPEALIMPFIS"));
      Units(row.rate, 2, "VRPEALIMPFIS");  // a rate that is not a number stops the print
      row.situation = TextOf(table.FieldByName("IDTPIMPOSFIS"));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

void CheckProducts(const DataSet& host, bool grouped) {
  DataSet scratch("cdsProdVend");
  CopyInto(scratch, host);
  ReadProducts(scratch, grouped);
}

std::string PlainProductList(const std::vector<ProductRow>& rows) {
  const Totals totals = Sum(rows);
  std::string out;
  out.reserve(rows.size() * (kPaperWidth + 1) + 1024);
  Heading(out);
  Line(out, TamFixo(Caption("Codigo"), 15) + TamFixo(Caption("Nome"), 18) +
                TamFixoR(Caption("Qtde_"), 6) + TamFixoR(Caption("Valor2"), 9));
  Line(out, "");
  for (const ProductRow& row : rows) {
    out += AmountRow(TamFixo(row.code, 14) + " " + TamFixo(row.name, 17) + " ",
                     {{Quantity(row.quantity), 6}, {Money(row.value), 9}});
  }
  Line(out, "");
  Footer(out, totals);
  return out;
}

std::string GroupedProductList(const std::vector<ProductRow>& rows) {
  // The summary per situation and rate, in the order of first appearance.
  struct Summary {
    std::string situation, label;
    double rate = 0;
    int64_t value = 0;
  };
  std::vector<Summary> summaries;
  std::map<std::pair<std::string, std::string>, size_t> summaryOf;
  Totals totals;

  std::string out;
  out.reserve(rows.size() * (kPaperWidth + 1) + 4096);
  Heading(out);
  Line(out, TamFixo(Caption("Codigo"), 15) + TamFixo(Caption("Nome"), 17) +
                TamFixoR(Caption("Qtde_"), 6) + TamFixoR(Caption("Valor2"), 8));

  std::string previousRate, previousSituation;
  for (const ProductRow& row : rows) {
    const std::string rateText = FloatToStr(row.rate);
    if (rateText != previousRate || row.situation != previousSituation) {
      previousRate = rateText;
      if (IsTaxedGroup(row)) {
        Line(out, Caption("TRIBUTACAO") + "  " + Rate(row.rate));
        previousSituation = row.situation;
      } else if (row.situation != previousSituation) {
        Line(out, UntaxedCaption(row.situation));
        previousSituation = row.situation;
      }
    }
    out += AmountRow(TamFixo(row.code, 14) + " " + TamFixo(row.name, 19) + " ",
                     {{Quantity(row.quantity), 6}, {Money(row.value), 7}});
    totals.Add(row);

    auto [found, added] = summaryOf.try_emplace({row.situation, rateText}, summaries.size());
    if (added) summaries.push_back({row.situation, GroupLabel(row), row.rate, 0});
    AddTo(summaries[found->second].value, row.value);
  }

  // The amount columns end where the item lines' do, at the paper's edge.
  out += AmountRow(TamFixo(Caption("Valor_"), 32),
                   {{Quantity(totals.quantity), 9}, {Money(totals.value), 7}});
  Line(out, "");
  Line(out, TamFixo(Caption("TRIBUTADOS"), 35));
  DataSet& table = DataModule().cdsAliqProduto;
  table.SetIndexName("");
  table.CreateDataSet({{"VRPERCSITTRIB", FieldType::Float, 0},
                       {"VRTOTALALIQ", FieldType::Float, 0},
                       {"IDTPIMPOSFIS", FieldType::String, 10}});
  for (const Summary& summary : summaries) {
    out += AmountRow(TamFixo(summary.label, 35), {{Money(summary.value), 13}});
    table.Append();
    table.FieldByName("VRPERCSITTRIB").SetAsFloat(summary.rate);
    table.FieldByName("VRTOTALALIQ").SetAsFloat(static_cast<double>(summary.value) / 100);
    table.FieldByName("IDTPIMPOSFIS").SetAsString(summary.situation);
    table.Post();
  }
  table.First();
  Footer(out, totals);
  return out;
}

}  // namespace Tov00300::documents
