#include "civil_time.h"
#include "numbers.h"
#include "receipt_math.h"
#include "render.h"
#include "text.h"

namespace Tov00300::sim {
namespace {

std::string MethodName(const PrinterState& state, int method) {
  return method >= 0 && method < static_cast<int>(state.paymentMethods.size())
             ? state.paymentMethods[method]
             : "?";
}

void PrintItem(Paper& paper, const PrinterState& state, const Item& item, size_t number) {
  // A long description goes on to the next lines, as the printer prints it.
  paper.Wrapped(Digits(static_cast<int64_t>(number), 3) + " " + item.code + " " + item.description);
  std::string rate = BucketLabel(state, item.bucket);
  if (item.bucket < static_cast<int>(state.rates.size())) {
    rate += " " + Rate(state.rates[item.bucket].rate) + "%";
  }
  std::string price = item.price % 10 == 0
                          ? Money(item.price / 10)
                          : Money(item.price / 10) + std::to_string(item.price % 10);
  paper.Pair("   " + Quantity(item.quantity) + " " + item.unit + " x " + price + " " + rate,
             Money(item.value));
  if (item.discount > 0) paper.Pair(Cp("   desconto sobre item"), "-" + Money(item.discount));
  if (item.surcharge > 0) paper.Pair(Cp("   acréscimo sobre item"), "+" + Money(item.surcharge));
}

void PrintPayments(Paper& paper, const PrinterState& state, const Document& doc, int64_t total) {
  for (const Payment& p : doc.payments) paper.Pair(MethodName(state, p.method), Money(p.amount));
  int64_t paid = doc.Paid();
  if (paid > total) paper.Pair("TROCO R$", Money(paid - total));
}

}  // namespace

std::string RenderReceipt(const PrinterState& state, const Document& r) {
  Paper paper;
  PrintHeader(paper, state, r.opened, r.coo, "CCF:" + Digits(r.ccf, 6));
  if (!r.cpf.empty()) {
    paper.Line("CPF/CNPJ consumidor: " + r.cpf);
    if (!r.name.empty()) paper.Line("NOME: " + r.name);
    if (!r.address.empty()) paper.Wrapped(Cp("ENDEREÇO: ") + r.address);
  }
  paper.Centered("CUPOM FISCAL");
  paper.Literal("ITEM CÓDIGO DESCRIÇÃO");
  paper.Pair(Cp("QTD.UN.VL UNIT(R$) ST"), "VL ITEM(R$)");
  paper.Rule();
  for (size_t i = 0; i < r.items.size(); ++i) PrintItem(paper, state, r.items[i], i + 1);
  for (size_t i = 0; i < r.items.size(); ++i) {
    if (r.items[i].cancelled) {
      paper.Pair("cancelamento item " + Digits(static_cast<int64_t>(i + 1), 3),
                 "-" + Money(r.items[i].Net()));
    }
  }
  if (r.phase == Phase::kTotalized || r.adjustment != 0) {
    paper.Pair("SUBTOTAL R$", Money(r.subtotal));
    if (r.adjustment < 0) paper.Pair("DESCONTO R$", "-" + Money(-r.adjustment));
    if (r.adjustment > 0) paper.Pair(Cp("ACRÉSCIMO R$"), "+" + Money(r.adjustment));
  }
  paper.Pair("TOTAL R$", Money(r.Total()));
  if (r.cancelled) {
    paper.Rule();
    paper.Centered("CUPOM FISCAL CANCELADO");
    paper.Pair("VALOR CANCELADO R$", Money(r.Total()));
  } else {
    PrintPayments(paper, state, r, r.Total());
    if (!r.message.empty()) {
      paper.Rule();
      paper.Wrapped(r.message);
    }
  }
  PrintFooter(paper, state, r.closed);
  return paper.Text();
}

std::string RenderNonFiscal(const PrinterState& state, const Document& doc) {
  Paper paper;
  PrintHeader(paper, state, doc.opened, doc.coo, "GNF:" + Digits(doc.gnf, 6));
  paper.Centered(Cp("COMPROVANTE NÃO FISCAL"));
  paper.Rule();
  for (size_t i = 0; i < doc.entries.size(); ++i) {
    const NonFiscalEntry& e = doc.entries[i];
    std::string name = e.totalizer < static_cast<int>(state.totalizers.size())
                           ? state.totalizers[e.totalizer]
                           : "?";
    paper.Pair(
        Digits(static_cast<int64_t>(i + 1), 3) + " " + Digits(e.totalizer + 1, 2) + " " + name,
        Money(e.amount));
  }
  paper.Pair("TOTAL R$", Money(doc.NonFiscalTotal()));
  if (doc.cancelled) {
    paper.Centered(Cp("COMPROVANTE NÃO FISCAL CANCELADO"));
  } else {
    PrintPayments(paper, state, doc, doc.NonFiscalTotal());
  }
  PrintFooter(paper, state, doc.closed);
  return paper.Text();
}

std::string RenderSimple(const PrinterState& state, const Document& doc) {
  Paper paper;
  std::string counters;
  if (doc.kind == DocKind::kReport) counters = "GRG:" + Digits(doc.grg, 6);
  if (doc.kind == DocKind::kVoucher) counters = "CDC:" + Digits(doc.cdc, 4);
  if (doc.kind == DocKind::kCashIn || doc.kind == DocKind::kCashOut ||
      doc.kind == DocKind::kNonFiscalCancel) {
    counters = "GNF:" + Digits(doc.gnf, 6);
  }
  PrintHeader(paper, state, doc.opened, doc.coo, counters);
  switch (doc.kind) {
    case DocKind::kReport:
      paper.Centered(Cp("RELATÓRIO GERENCIAL"));
      paper.Rule();
      break;
    case DocKind::kVoucher:
      paper.Centered(Cp("COMPROVANTE DE CRÉDITO OU DÉBITO"));
      paper.Pair("COO do cupom fiscal:", Digits(doc.linkedCoo, 6));
      paper.Pair("Forma de pagamento:", MethodName(state, doc.method));
      paper.Pair("Valor da compra R$", Money(doc.amount));
      if (doc.installments > 1) paper.Pair("Parcelas:", std::to_string(doc.installments));
      paper.Rule();
      break;
    case DocKind::kCashIn:
    case DocKind::kCashOut:
      paper.Centered(Cp("COMPROVANTE NÃO FISCAL"));
      paper.Pair(doc.kind == DocKind::kCashIn ? "Suprimento" : "Sangria", Money(doc.amount));
      if (!doc.message.empty()) paper.Wrapped(doc.message);
      break;
    case DocKind::kReceiptCancel:
      paper.Centered("CUPOM FISCAL CANCELADO");
      paper.Pair("COO do cupom cancelado:", Digits(doc.linkedCoo, 6));
      paper.Pair("VALOR CANCELADO R$", Money(doc.amount));
      break;
    case DocKind::kNonFiscalCancel:
      paper.Centered(Cp("COMPROVANTE NÃO FISCAL CANCELADO"));
      paper.Pair("COO do comprovante:", Digits(doc.linkedCoo, 6));
      paper.Pair("VALOR CANCELADO R$", Money(doc.amount));
      break;
    case DocKind::kFiscalMemory:
      paper.Centered(Cp("LEITURA DA MEMÓRIA FISCAL"));
      paper.Rule();
      break;
    default:
      break;
  }
  for (const std::string& line : doc.lines) paper.Line(line);
  PrintFooter(paper, state, doc.closed);
  return paper.Text();
}

}  // namespace Tov00300::sim
