// The table opening and the sales register of a table or tab.
#include <string>

#include "documents/report_columns.h"
#include "driver/command.h"
#include "driver/shared_reads.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"
#include "tov00300/table_service.h"

namespace Tov00300 {

namespace {

using documents::AmountRow;
using documents::Caption;
using documents::Fixed;
using documents::Line;
using documents::Money;
using hostlib::Replicate;
using hostlib::TamFixo;
using hostlib::TamFixoR;

// The two header lines over the items: code and name, then the figures of
// the line below each item.
void ItemHeader(std::string& out) {
  Line(out, TamFixo(Caption("Codigo"), 11) + TamFixo(Caption("Nome"), 4));
  Line(out, TamFixoR(Caption("Qtde_"), 4) + TamFixoR(Caption("VrUnit"), 12) +
                TamFixoR(Caption("Valor2"), 32));
}

std::string Blank() {
  return Replicate(" ", documents::kPaperWidth);
}

std::string Rule() {
  return Replicate("-", documents::kPaperWidth);
}

// "<caption>: <amount>" with the amount right-aligned in `width`.
void AmountLine(std::string& out, const char* caption, int64_t cents, int width) {
  out += AmountRow(Caption(caption) + ": ", {{Money(cents), width}});
}

std::string TableOpeningText(const std::string& mesa, const std::string& emissao, double desconto,
                             double taxaServico, double total, double acrescimo) {
  // Every amount is checked before the text is built.
  const int64_t discount = documents::Cents(desconto, "Desconto");
  const int64_t serviceCharge = documents::Cents(taxaServico, "Taxa de Servico");
  const int64_t surcharge = documents::Cents(acrescimo, "Acrescimo");
  const int64_t grandTotal = documents::Units(total, 2, "Total", true);

  DataSet& items = DataModule().cdsParcProdutos;
  std::string out;
  Line(out, Blank());
  Line(out, Blank());
  Line(out, Rule());
  Line(out, Blank());
  Line(out, Replicate(" ", 15) + Caption("Aber_mesa"));
  Line(out, Blank());
  Line(out, Caption("Mesa") + ": " + mesa);
  Line(out, Caption("Emissao") + ": " + emissao);
  Line(out, Rule());
  ItemHeader(out);
  Line(out, "");
  if (!items.IsEmpty()) {
    documents::RequireFields(items, "cdsParcProdutos",
                             {"CDARVPROD", "NMPRODUTO", "QTPRODCOMVEN", "VRPRECCOMVEN"});
    const Field code = items.FieldByName("CDARVPROD");
    const Field name = items.FieldByName("NMPRODUTO");
    const Field quantity = items.FieldByName("QTPRODCOMVEN");
    const Field price = items.FieldByName("VRPRECCOMVEN");
    for (items.First(); !items.Eof(); items.Next()) {
      const double q = documents::NumberOf(quantity), p = documents::NumberOf(price);
      Line(out, documents::TextOf(code) + " " + documents::TextOf(name));
      // The line's value is quantity x price cut to the cent, as the
      // printer computes an item.
      out += AmountRow(Fixed(documents::Units(q, 3, "QTPRODCOMVEN"), 3, 3) + "   X " +
                           Money(documents::Cents(p, "VRPRECCOMVEN")) + "     ",
                       {{Money(documents::LineCents(q, p, true, "VRPRECCOMVEN")), 27}});
    }
  }
  Line(out, Blank());
  if (serviceCharge > 0) AmountLine(out, "Tx_Serv", serviceCharge, 30);
  if (surcharge > 0) AmountLine(out, "Acrescimo", surcharge, 35);
  if (discount > 0) AmountLine(out, "Desconto", discount, 37);
  Line(out, Rule());
  AmountLine(out, "Total", grandTotal, 35);
  Line(out, Blank());
  out += documents::kContactLine;
  return out;
}

std::string SalesRegisterText(const std::string& numero) {
  DataSet& items = DataModule().cdsItemsReg;
  std::string out;
  Line(out, Blank());
  if (numero.size() == 4) {
    Line(out, Utf8ToCp1252("       Relatório de abertura da mesa ") + numero);
  } else {
    Line(out, Utf8ToCp1252("   Relatório de abertura da comanda ") + numero);
  }
  Line(out, Blank());
  Line(out, Rule());
  Line(out, Replicate(" ", 15) + Caption("RegVen"));
  Line(out, Rule());
  Line(out, "");
  ItemHeader(out);
  Line(out, "");
  Line(out, Rule());
  if (!items.IsEmpty()) {
    documents::RequireFields(items, "cdsItemsReg", {"CDPROD", "NMPROD", "STQTDE", "STVALOR"});
    const Field code = items.FieldByName("CDPROD");
    const Field name = items.FieldByName("NMPROD");
    const Field quantity = items.FieldByName("STQTDE");
    const Field price = items.FieldByName("STVALOR");
    for (items.First(); !items.Eof(); items.Next()) {
      const double q = documents::NumberOf(quantity), p = documents::NumberOf(price);
      Line(out, documents::TextOf(code) + " " + documents::TextOf(name));
      out += AmountRow(Money(documents::Cents(q, "STQTDE")) + "   X " +
                           Money(documents::Cents(p, "STVALOR")) + "     ",
                       {{Money(documents::LineCents(q, p, false, "STVALOR")), 29}});
    }
  }
  Line(out, Blank());
  Line(out, Rule());
  out += documents::kContactLine;
  return out;
}

}  // namespace

bool Abertura_Mesa(const std::string& /*ignorado1*/, const std::string& stEsquema,
                   const std::string& /*ignorado3*/, const std::string& mesa,
                   const std::string& /*ignorado5*/, const std::string& emissao,
                   const Variant& itens, double desconto, double /*ignorado9*/,
                   double /*ignorado10*/, double taxaServico, double /*ignorado12*/, double total,
                   double acrescimo) {
  const std::optional<std::string> text = documents::ComposeText(stEsquema, [&] {
    documents::CopyInto(DataModule().cdsParcProdutos, itens, "cdsParcProdutos");
    return TableOpeningText(mesa, emissao, desconto, taxaServico, total, acrescimo);
  });
  if (!text) return false;
  driver::ReceiptNumber(stEsquema);
  // The outcome of the print: the host learns whether the opening was printed.
  return RG_FrameWork(stEsquema, *text);
}

bool RegistroVenda(const std::string& /*ignorado1*/, const std::string& /*ignorado2*/,
                   const std::string& stEsquema, DataSet& itens, const std::string& numero) {
  const std::optional<std::string> text = documents::ComposeText(stEsquema, [&] {
    documents::CopyInto(DataModule().cdsItemsReg, itens);
    return SalesRegisterText(numero);
  });
  if (!text) return false;
  driver::ReceiptNumber(stEsquema);
  return RG_FrameWork(stEsquema, *text);
}

}  // namespace Tov00300
