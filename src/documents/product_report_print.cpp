// Relatorio_Produto: the product sales report as one management report.
#include <string>
#include <vector>

#include "documents/product_report.h"
#include "documents/report_columns.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/shared_reads.h"
#include "tov00300/closing_reports.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/state.h"

namespace Tov00300 {

void Relatorio_Produto(const std::string& /*ignorado1*/, const std::string& /*ignorado2*/,
                       const std::string& /*ignorado3*/, const std::string& /*ignorado4*/,
                       const std::string& /*ignorado5*/, std::string& nrCupom, DataSet& produtos,
                       const std::string& confirma, const std::string& agrupado,
                       const std::string& stEsquema, bool& relatorio) {
  TdtmDaruma300& dm = DataModule();
  const bool grouped = agrupado == "S";
  std::string text;
  try {
    DataSet& table = dm.cdsProdVend;
    documents::CopyInto(table, produtos);
    table.AddIndex({"idxTributacao", "IDTPIMPOSFIS;VRPEALIMPFIS"});
    table.AddIndex({"IDXCDPRODUTO", "CDPRODUTO"});

    if (confirma == "S") {
      if (!documents::Ask("ConfRelProds", stEsquema)) return;
    } else if (confirma != "N") {
      return;
    }
    // The host's messages need no pumping here: the package runs on the
    // host's thread and gives control back after the report.

    // The whole text is built before the printer is touched, so a bad row
    // stops the report before it starts rather than half way.
    if (grouped && !table.IsEmpty()) {
      documents::RequireFields(table, "cdsProdVend", {"IDTPIMPOSFIS", "VRPEALIMPFIS"});
      table.SetIndexName("idxTributacao");
    }
    const std::vector<documents::ProductRow> rows = documents::ReadProducts(table, grouped);
    if (!rows.empty())
      text = grouped ? documents::GroupedProductList(rows) : documents::PlainProductList(rows);
  } catch (const documents::BadInput& problem) {
    driver::ReportProblem(stEsquema, problem.what(), boNUtilTaa);
    return;
  }

  if (!relatorio) FechRelatGerenc(stEsquema, true, true);
  relatorio = true;
  if (text.empty()) return;
  if (grouped) {
    nrCupom = driver::ReceiptNumber(stEsquema);
    stRetorno = nrCupom;
  }
  RG_FrameWork(stEsquema, text);
}

}  // namespace Tov00300
