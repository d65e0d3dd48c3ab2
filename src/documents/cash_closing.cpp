// GeraReciboSangria: the withdrawal receipt, and at closing the product
// report, the closing report, the operator's questions and the general
// closing report.
#include <string>

#include "documents/closing_texts.h"
#include "documents/product_report.h"
#include "documents/report_columns.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "tov00300/closing_reports.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/hostlib.h"
#include "tov00300/readings.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// Everything the call may print, built before the printer is touched so a
// bad row stops the closing before its first report rather than half way.
struct ClosingTexts {
  std::string receipts;        // the two copies
  std::string closing;         // the closing report (at closing, without cdsMovTot: none)
  std::string generalClosing;  // the general closing report, when the operator asks
};

void KeepNumber(std::string& nrCupom, const std::string& number) {
  if (hostlib::EmptyString(nrCupom)) nrCupom = number;
}

}  // namespace

bool GeraReciboSangria(const std::string& /*ignorado1*/, const std::string& chaveRegistro,
                       const std::string& produto3, const std::string& produto4,
                       const std::string& /*ignorado5*/, int /*ignorado6*/, std::string& nrCupom,
                       DataSet& movFecha, DataSet& sangria, DataSet& produtos, DataSet& operadorSup,
                       DataSet& movTot, DataSet& movAbertura, DataSet& produtosGeral,
                       DataSet& cargaCredito, DateTime /*ignorado16*/, bool imprimeSangria,
                       bool permiteReducao, bool /*ignorado19*/, DataSet& /*ignorado20*/,
                       DataSet& /*ignorado21*/, DataSet& /*ignorado22*/, DataSet& /*ignorado23*/,
                       bool& reducaoConfirmada, DataSet& tiposRece,
                       const std::string& confirmaProdutos, const std::string& agrupaProdutos,
                       const std::string& leituraX, const std::string& envelope,
                       const std::string& stEsquema, bool somenteSangria, bool caixaTratado,
                       bool reducaoLiberada, const std::string& motivo,
                       const std::string& observacao) {
  TdtmDaruma300& dm = DataModule();
  bool reopen = false;
  reducaoConfirmada = false;

  ClosingTexts texts;
  try {
    if (!caixaTratado) {
      documents::CopyInto(dm.cdsMovFecha, movFecha);
      documents::CopyInto(dm.cdsSangria, sangria);
      documents::CopyInto(dm.cdsOperadorSup, operadorSup);
      documents::CopyInto(dm.cdsTipoReceAux, tiposRece);
      documents::CopyInto(dm.cdsMovAbertura, movAbertura);
    }
    documents::CopyInto(dm.cdsMovTot, movTot);
    const int64_t credit = documents::CreditPurchasesOf(cargaCredito);
    const bool groupedProducts = agrupaProdutos == "S";
    documents::CheckProducts(produtos, groupedProducts);

    if (imprimeSangria) {
      documents::ReceiptOptions options;
      options.typedAmounts = somenteSangria;
      options.envelopeColumn = envelope == "S";
      options.reason = motivo;
      options.observation = observacao;
      texts.receipts = documents::WithdrawalReceipts(dm.cdsMovFecha, dm.cdsOperadorSup, options);
      if (!somenteSangria && !dm.cdsMovTot.IsEmpty()) {
        const documents::Movements opening = movAbertura.IsEmpty()
                                                 ? documents::Movements{}
                                                 : documents::ReadMovements(dm.cdsMovAbertura);
        texts.closing = documents::ClosingReport(documents::Caption("RelFechamento"),
                                                 documents::SalesOf(produtos), credit, opening);
      }
    }
    if (!somenteSangria && !dm.cdsMovTot.IsEmpty()) {
      texts.generalClosing = documents::ClosingReport(documents::Caption("relFechamentoGeral"),
                                                      documents::SalesOf(produtosGeral), credit,
                                                      documents::ReadMovements(dm.cdsMovTot));
    }
  } catch (const documents::BadInput& problem) {
    driver::ReportProblem(stEsquema, problem.what(), boNUtilTaa);
    return false;
  }

  std::string number;
  // The product report of the closing; true once it was allowed to print.
  auto productReport = [&](bool reportFlag) {
    Relatorio_Produto("", "A", chaveRegistro, produto3, produto4, number, produtos,
                      confirmaProdutos, agrupaProdutos, stEsquema, reportFlag);
    KeepNumber(nrCupom, number);
    return reportFlag;
  };

  if (imprimeSangria) {
    if (leituraX == "S" && Leitura_X_Imp(chaveRegistro, "", stEsquema, ""))
      nrCupom = Nr_Cupom("", stEsquema);
    number = Nr_Cupom("", stEsquema);
    KeepNumber(nrCupom, number);

    if (somenteSangria) {
      RG_FrameWork(stEsquema, texts.receipts);
      return reopen;
    }
    const bool printed = productReport(false);
    // Without movement totals there is no closing to report: the receipts
    // go with the closing report or not at all.
    if (!dm.cdsMovTot.IsEmpty()) {
      if (printed) {
        number = Nr_Cupom("", stEsquema);
        KeepNumber(nrCupom, number);
      }
      RG_FrameWork(stEsquema, texts.receipts + texts.closing);
    }
  }
  if (somenteSangria) return reopen;

  if (!caixaTratado) {
    if (documents::Ask("AbreCaixa", stEsquema)) {
      reopen = true;
      return reopen;
    }
    if (!(permiteReducao && reducaoLiberada)) return reopen;
    if (!documents::Ask("ConfReducao", stEsquema)) return reopen;
  }

  if (documents::Ask("ConfRelFechamento", stEsquema)) {
    // The general report follows the same product report as the closing's.
    const bool printed = productReport(true);
    if (!dm.cdsMovTot.IsEmpty()) {
      if (printed) {
        number = Nr_Cupom("", stEsquema);
        KeepNumber(nrCupom, number);
      }
      RG_FrameWork(stEsquema, texts.generalClosing);
    }
  }
  if (!caixaTratado) reducaoConfirmada = true;
  return reopen;
}

}  // namespace Tov00300
