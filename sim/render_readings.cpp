#include "civil_time.h"
#include "numbers.h"
#include "render.h"
#include "text.h"

namespace Tov00300::sim {
namespace {

int64_t Sum(const std::array<int64_t, 2>& a) {
  return a[0] + a[1];
}

void PrintCounters(Paper& paper, const Counters& c, int64_t firstCoo, int64_t lastCoo) {
  paper.Centered("CONTADORES");
  paper.Pair("COO inicial / final", Digits(firstCoo, 6) + " / " + Digits(lastCoo, 6));
  paper.Pair(Cp("CRZ / CRO"), Digits(c.crz, 4) + " / " + Digits(c.cro, 3));
  paper.Pair("GNF / CCF", Digits(c.gnf, 6) + " / " + Digits(c.ccf, 6));
  paper.Pair("GRG / CDC", Digits(c.grg, 6) + " / " + Digits(c.cdc, 4));
  paper.Pair("CFC / NCN", Digits(c.cfc, 4) + " / " + Digits(c.ncn, 4));
}

}  // namespace

void PrintTotals(Paper& paper, const std::vector<TaxRate>& rates,
                 const std::vector<std::string>& methods,
                 const std::vector<std::string>& totalizers, const DayTotals& day,
                 int64_t grandTotal, int64_t dayStartGrandTotal) {
  int64_t gross = grandTotal - dayStartGrandTotal;
  int64_t net = gross - Sum(day.cancellations) - Sum(day.discounts);
  paper.Rule();
  paper.Centered("TOTALIZADORES");
  paper.Pair("GRANDE TOTAL R$", Money(grandTotal));
  paper.Pair("GT INICIAL R$", Money(dayStartGrandTotal));
  paper.Pair("VENDA BRUTA R$", Money(gross));
  paper.Pair("CANCELAMENTOS R$", Money(Sum(day.cancellations)));
  paper.Pair("DESCONTOS R$", Money(Sum(day.discounts)));
  paper.Pair(Cp("ACRÉSCIMOS R$"), Money(Sum(day.surcharges)));
  paper.Pair(Cp("VENDA LÍQUIDA R$"), Money(net));
  paper.Rule();
  paper.Centered(Cp("TRIBUTAÇÃO"));
  for (size_t i = 0; i < rates.size(); ++i) {
    int64_t base = day.tax[i];
    paper.Pair(std::string(1, rates[i].kind) + Digits(static_cast<int64_t>(i + 1), 2) + " " +
                   Rate(rates[i].rate) + "%  " + Money(base),
               Money(base * rates[i].rate / 10000));
  }
  const struct {
    int bucket;
    const char* label;
  } kFixed[] = {{kBucketSubstitutionIcms, "F1  Substituição ICMS"},
                {kBucketExemptIcms, "I1  Isento ICMS"},
                {kBucketNoIncidenceIcms, "N1  Não incidência ICMS"},
                {kBucketSubstitutionIss, "FS1 Substituição ISS"},
                {kBucketExemptIss, "IS1 Isento ISS"},
                {kBucketNoIncidenceIss, "NS1 Não incidência ISS"}};
  for (const auto& fixed : kFixed) paper.Pair(Cp(fixed.label), Money(day.tax[fixed.bucket]));
  paper.Rule();
  paper.Centered("MEIOS DE PAGAMENTO");
  for (size_t i = 0; i < methods.size(); ++i) paper.Pair(methods[i], Money(day.payments[i]));
  paper.Rule();
  paper.Centered(Cp("TOTALIZADORES NÃO FISCAIS"));
  for (size_t i = 0; i < totalizers.size(); ++i) {
    paper.Pair(Digits(static_cast<int64_t>(i + 1), 2) + " " + totalizers[i],
               Money(day.nonFiscal[i]));
  }
  paper.Pair("Cancelados", Money(day.nonFiscalCancelled));
}

std::string RenderXReading(const PrinterState& state, const Document& doc) {
  Paper paper;
  PrintHeader(paper, state, doc.opened, doc.coo, "");
  paper.Centered("LEITURA X");
  paper.Pair("MOVIMENTO DO DIA:", state.movementDay >= 0
                                      ? DateText(state.movementDay * kSecondsPerDay)
                                      : "sem movimento");
  paper.Rule();
  PrintCounters(paper, state.counters, state.day.firstCoo, doc.coo);
  PrintTotals(paper, state.rates, state.paymentMethods, state.totalizers, state.day,
              state.grandTotal, state.dayStartGrandTotal);
  PrintFooter(paper, state, doc.closed);
  return paper.Text();
}

std::string RenderZReduction(const PrinterState& state, const ZRecord& z) {
  Paper paper;
  PrintHeader(paper, state, z.when, z.counters.coo, "CRZ:" + Digits(z.counters.crz, 4));
  paper.Centered(Cp("REDUÇÃO Z"));
  paper.Pair("MOVIMENTO DO DIA:", DateText(z.movementDay * kSecondsPerDay));
  paper.Rule();
  PrintCounters(paper, z.counters, z.firstCoo, z.counters.coo);
  PrintTotals(paper, z.rates, z.paymentMethods, z.totalizers, z.totals, z.grandTotal,
              z.dayStartGrandTotal);
  PrintFooter(paper, state, z.when);
  return paper.Text();
}

}  // namespace Tov00300::sim
