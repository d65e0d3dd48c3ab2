// The table-service lists: open tables and tabs, products moved between
// tables, blocked products, and a report text made by the host.
#include <algorithm>
#include <string>

#include "documents/report_columns.h"
#include "driver/command.h"
#include "driver/shared_reads.h"
#include "tov00300/datamodule.h"
#include "tov00300/datetime.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"
#include "tov00300/table_service.h"

namespace Tov00300 {

namespace {

using documents::Line;
using documents::TextOf;
using hostlib::Centraliza;
using hostlib::Replicate;
using hostlib::TamFixo;
using hostlib::TamFixoR;

std::string Now() {
  return FormatDateTime("dd/mm/yyyy hh:nn:ss", DateTime::Now());
}

std::string IssuedLine() {
  return Utf8ToCp1252("Data Emissão: ") + Now();
}

enum class Section { None, Tables, Delivery, Tabs };

// The kind of an open table or tab, from the first three characters of its
// DSCOMANDA.
Section SectionOf(const std::string& orderPad) {
  const std::string prefix = orderPad.substr(0, 3);
  if (prefix == "RES" || prefix == "PKR") return Section::Tables;
  if (prefix == "DLV") return Section::Delivery;
  return Section::Tabs;
}

std::string OpenTablesText() {
  DataSet& open = DataModule().cdsMesaAberTov;
  std::string out;
  Line(out, Replicate(" ", 15) + "Mesas Abertas");
  Line(out, "");
  Line(out, IssuedLine());
  if (!open.IsEmpty()) {
    documents::RequireFields(open, "cdsMesaAberTov", {"DSCOMANDA", "NRMESA", "DTHRABERMESA"});
    const Field orderPad = open.FieldByName("DSCOMANDA");
    const Field table = open.FieldByName("NRMESA");
    const Field opened = open.FieldByName("DTHRABERMESA");
    Section current = Section::None;
    for (open.First(); !open.Eof(); open.Next()) {
      const std::string tab = TextOf(orderPad);
      const Section section = SectionOf(tab);
      if (section != current) {
        current = section;
        Line(out, "");
        Line(out, "");
        if (section == Section::Tables) {
          Line(out, "Mesas Abertas:");
          Line(out, Utf8ToCp1252("Nrº da Mesa      Data/Hora de abertura"));
        } else {
          Line(out, section == Section::Delivery ? "Comandas Tranvoquick Abertas:"
                                                 : "Comandas Abertas:");
          Line(out, Utf8ToCp1252("Nrº da Comanda   Data/Hora de abertura"));
        }
      }
      if (section == Section::Tables) {
        Line(out, TextOf(table) + Replicate(" ", 13) + TextOf(opened));
      } else {
        Line(out, tab + Replicate(" ", 7) + TextOf(opened));
      }
    }
  }
  Line(out, "");
  return out;
}

std::string MovedProductsText() {
  DataSet& moved = DataModule().cdsProdutoTransf;
  std::string out;
  Line(out, IssuedLine());
  Line(out, "");
  Line(out, "");
  if (!moved.IsEmpty()) {
    documents::RequireFields(
        moved, "cdsProdutoTransf",
        {"NRMESA", "NRMESADSCOMORIT", "CDPRODUTO", "NMPRODUTO", "QTPRODCOMVEN", "VRPRECCOMVEN"});
    const Field destination = moved.FieldByName("NRMESA");
    const Field origin = moved.FieldByName("NRMESADSCOMORIT");
    const Field code = moved.FieldByName("CDPRODUTO");
    const Field name = moved.FieldByName("NMPRODUTO");
    const Field quantity = moved.FieldByName("QTPRODCOMVEN");
    const Field price = moved.FieldByName("VRPRECCOMVEN");
    bool first = true;
    std::string previousTo, previousFrom;
    for (moved.First(); !moved.Eof(); moved.Next()) {
      const std::string to = TextOf(destination), from = TextOf(origin);
      // A heading at every change of move, also when a move comes back.
      if (first || to != previousTo || from != previousFrom) {
        if (!first) Line(out, "");
        Line(out, "Mes Origem: " + from + " -> Mesa Destino: " + to);
        Line(out, Utf8ToCp1252("Código  -  Nome Produto   -    Qtde. -  Vr Unit."));
        previousTo = to;
        previousFrom = from;
        first = false;
      }
      const int64_t hundredths = documents::Cents(documents::NumberOf(quantity), "QTPRODCOMVEN");
      const int64_t cents = documents::Cents(documents::NumberOf(price), "VRPRECCOMVEN");
      // Code, name and quantity share 37 columns; the quantity is never cut,
      // the code and name give way to it.
      const std::string quantityText = documents::Money(hundredths);
      const std::string item = TextOf(code) + " " + TamFixo(TextOf(name), 19);
      const int itemWidth = std::max(0, 36 - static_cast<int>(quantityText.size()));
      const std::string described =
          TamFixo(Copy(item, 1, itemWidth) + " " + quantityText, 37) + " ";
      out += documents::AmountRow(described, {{CurrToStrF(static_cast<double>(cents) / 100), 10}});
    }
  }
  Line(out, "");
  return out;
}

std::string BlockedProductsText(DataSet& products) {
  const std::string rule = Replicate("-", documents::kPaperWidth);
  std::string branch, store;
  if (!products.IsEmpty()) {
    documents::RequireFields(products, "produtos bloqueados",
                             {"NMFILIAL", "CDLOJA", "CDPRODUTO", "CDPROTECLADO", "NMPRODUTO"});
    // The heading comes from the row the host had current.
    branch = TextOf(products.FieldByName("NMFILIAL"));
    store = TextOf(products.FieldByName("CDLOJA"));
  }
  std::string out;
  Line(out, Replicate("-", 47));
  Line(out, Centraliza(branch, documents::kPaperWidth));
  Line(out, rule);
  Line(out, "Loja:" + TamFixo(store, 20) + Now());
  Line(out, rule);
  Line(out, Centraliza(">>> Produtos Bloqueados <<<", documents::kPaperWidth));
  Line(out, rule);
  Line(out, TamFixo("CODIGO", 11) + TamFixo("COD. TECLADO", 13) + TamFixoR("NOME", 4));
  if (!products.IsEmpty()) {
    const Field code = products.FieldByName("CDPRODUTO");
    const Field key = products.FieldByName("CDPROTECLADO");
    const Field name = products.FieldByName("NMPRODUTO");
    for (products.First(); !products.Eof(); products.Next())
      Line(out, TamFixo(TextOf(code), 11) + TamFixo(TextOf(key), 13) + TamFixo(TextOf(name), 24));
  }
  out += documents::kContactLine;
  return out;
}

}  // namespace

void ImprimeMesasAbertas(DataSet& /*ignorado1*/, const std::string& /*ignorado2*/,
                         const std::string& /*ignorado3*/, const std::string& stEsquema,
                         const std::string& /*ignorado5*/, const Variant& mesas) {
  const std::optional<std::string> text = documents::ComposeText(stEsquema, [&] {
    documents::CopyInto(DataModule().cdsMesaAberTov, mesas, "cdsMesaAberTov");
    return OpenTablesText();
  });
  if (!text) return;
  RG_FrameWork(stEsquema, *text);
}

void imprimeProdutosTransf(const std::string& /*ignorado1*/, const std::string& /*ignorado2*/,
                           const std::string& stEsquema, const Variant& produtos) {
  const std::optional<std::string> text = documents::ComposeText(stEsquema, [&] {
    documents::CopyInto(DataModule().cdsProdutoTransf, produtos, "cdsProdutoTransf");
    return MovedProductsText();
  });
  if (!text) return;
  RG_FrameWork(stEsquema, *text);
}

bool imprimeTipoRece(const std::string& /*ignorado1*/, const std::string& /*ignorado2*/,
                     const std::string& stEsquema, const std::string& chaveRegistro,
                     const std::string& texto) {
  const bool printed = RG_FrameWork(stEsquema, texto);
  // Only a report the printer closed goes into the document register.
  if (printed) GravaDocumentosNaoFiscais(chaveRegistro, stEsquema, "RG", "");
  return printed;
}

bool ImprimeProdBloq(const std::string& /*ignorado1*/, const std::string& /*ignorado2*/,
                     const std::string& stEsquema, DataSet& produtos) {
  DataModule();
  const std::optional<std::string> text =
      documents::ComposeText(stEsquema, [&] { return BlockedProductsText(produtos); });
  if (!text) return false;
  driver::ReceiptNumber(stEsquema);
  return RG_FrameWork(stEsquema, *text);
}

}  // namespace Tov00300
