// GeraReciboSangria: the withdrawal receipt, and at closing the product
// report, the closing report, the operator's questions and the general
// closing report. Every text is built before the first print.
#include <string>

#include "documents/closing_texts.h"
#include "documents/product_report.h"
#include "documents/report_columns.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/shared_reads.h"
#include "tov00300/closing_reports.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/hostlib.h"
#include "tov00300/readings.h"
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

// What the host's flags ask of the texts.
struct TextChoices {
  bool withdrawal = false;      // the receipts, and at closing the closing report
  bool withdrawalOnly = false;  // the receipts alone: no closing, no general closing
  bool groupedProducts = false;
  documents::ReceiptOptions receipt;
};

// Builds the texts from the tables already copied into the data module and
// the host's product sets; throws BadInput for a row they cannot be built
// from. `openingGiven`: the host passed opening movements.
ClosingTexts BuildClosingTexts(TdtmDaruma300& dm, const TextChoices& choices, DataSet& products,
                               DataSet& generalProducts, DataSet& creditLoads, bool openingGiven) {
  ClosingTexts texts;
  const int64_t credit = documents::CreditPurchasesOf(creditLoads);
  documents::CheckProducts(products, choices.groupedProducts);
  // Without movement totals there is no closing to report.
  const bool atClosing = !choices.withdrawalOnly && !dm.cdsMovTot.IsEmpty();
  if (choices.withdrawal) {
    texts.receipts =
        documents::WithdrawalReceipts(dm.cdsMovFecha, dm.cdsOperadorSup, choices.receipt);
    if (atClosing) {
      const documents::Movements opening =
          openingGiven ? documents::ReadMovements(dm.cdsMovAbertura) : documents::Movements{};
      texts.closing = documents::ClosingReport(documents::Caption("RelFechamento"),
                                               documents::SalesOf(products), credit, opening);
    }
  }
  if (atClosing) {
    texts.generalClosing = documents::ClosingReport(documents::Caption("relFechamentoGeral"),
                                                    documents::SalesOf(generalProducts), credit,
                                                    documents::ReadMovements(dm.cdsMovTot));
  }
  return texts;
}

void KeepNumber(std::string& receiptNumber, const std::string& number) {
  if (hostlib::EmptyString(receiptNumber)) receiptNumber = number;
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
  reducaoConfirmada = false;

  const TextChoices choices{.withdrawal = imprimeSangria,
                            .withdrawalOnly = somenteSangria,
                            .groupedProducts = agrupaProdutos == "S",
                            .receipt = {.typedAmounts = somenteSangria,
                                        .envelopeColumn = envelope == "S",
                                        .reason = motivo,
                                        .observation = observacao}};
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
    texts = BuildClosingTexts(dm, choices, produtos, produtosGeral, cargaCredito,
                              !movAbertura.IsEmpty());
  } catch (const documents::BadInput& problem) {
    driver::ReportProblem(stEsquema, problem.what(), boNUtilTaa);
    return false;
  }

  std::string number;
  // The closing's product report, then `report`. Without movement totals
  // there is no closing to report: `report` is not printed at all. Once the
  // product report printed, the receipt number is read again.
  auto printAfterProducts = [&](bool reportFlag, const std::string& report) {
    Relatorio_Produto("", "A", chaveRegistro, produto3, produto4, number, produtos,
                      confirmaProdutos, agrupaProdutos, stEsquema, reportFlag);
    KeepNumber(nrCupom, number);
    if (dm.cdsMovTot.IsEmpty()) return;
    if (reportFlag) {
      number = driver::ReceiptNumber(stEsquema);
      KeepNumber(nrCupom, number);
    }
    RG_FrameWork(stEsquema, report);
  };

  if (imprimeSangria) {
    if (leituraX == "S" && Leitura_X_Imp(chaveRegistro, "", stEsquema, ""))
      nrCupom = driver::ReceiptNumber(stEsquema);
    number = driver::ReceiptNumber(stEsquema);
    KeepNumber(nrCupom, number);

    if (somenteSangria) {
      RG_FrameWork(stEsquema, texts.receipts);
      return false;
    }
    // The receipts go with the closing report or not at all.
    printAfterProducts(false, texts.receipts + texts.closing);
  }
  if (somenteSangria) return false;

  if (!caixaTratado) {
    if (documents::Ask("AbreCaixa", stEsquema)) return true;  // the cash desk is reopened
    if (!(permiteReducao && reducaoLiberada)) return false;
    if (!documents::Ask("ConfReducao", stEsquema)) return false;
  }

  if (documents::Ask("ConfRelFechamento", stEsquema)) {
    // The general report follows the same product report as the closing's.
    printAfterProducts(true, texts.generalClosing);
  }
  if (!caixaTratado) reducaoConfirmada = true;
  return false;
}

}  // namespace Tov00300
