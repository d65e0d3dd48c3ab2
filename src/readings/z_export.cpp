// ExportRedZ: the current fiscal day's figures, as the next Z reduction will
// record them, for the host's books.
#include <string>

#include "driver/dialogs.h"
#include "driver/shared_reads.h"
#include "readings/register_queries.h"
#include "readings/z_export_rows.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

const char* const kFolderScheme = "002";  // the scheme of the folder message, whatever the caller's
const char* const kTenZeros = "0000000000";

// Makes the folder when it is absent. A folder that cannot be made is the
// operator's to fix; the export does not need it and goes on.
void EnsureFolder(const std::string& path) {
  if (platform::FolderExists(path) || platform::CreateFolder(path)) return;
  driver::ReportProblem(kFolderScheme, DataModule().msgPadrao.Msg("N_POS_DIR") + " " + path,
                        {.show = true, .dialogType = driver::kErrorDialog});
}

// The host's folder names are Windows-1252 texts, as the host hands over
// dsDiretorio, and reach the file system as they are: "Reduções" is stored
// with the single bytes E7 and F5 for "ç" and "õ", and the platform layer
// turns the backslash into this system's separator.
std::string ReductionsFolder() {
  return dsDiretorio + Utf8ToCp1252("Dados\\Reduções");
}

// The four export tables of the data module, each copied into its host data
// set when the export ends, also when it ends with an error.
struct ExportTables {
  DataSet& day;
  DataSet& payments;
  DataSet& taxes;
  DataSet& totalizers;
};

// A host set that was never opened has no content to copy: the table is
// closed instead, and stays so unless the export rebuilds it.
void CopyIn(const DataSet& host, DataSet& table) {
  if (host.Active()) {
    table.SetData(host.Data());
  } else {
    table.Close();
  }
}

// A row still being filled when a step failed is stored with what it holds,
// as the host's data sets receive every row gathered so far.
void HandBack(DataSet& table, DataSet& host) {
  if (!table.Active()) return;
  if (table.State() == DataSetState::Insert || table.State() == DataSetState::Edit) table.Post();
  host.SetData(table.Data());
}

// Day figures, payment totals, tax rows and totalizers, in the order the
// printer is asked for them.
void Gather(const std::string& stEsquema, const std::string& ecfNumber, DataSet& paymentTypes,
            const ExportTables& t) {
  const DateTime day = driver::FiscalDay(stEsquema);
  std::string nonFiscalCounter, restarts, reductions, grandTotal, gross, cancellations, discounts;
  BuscaOpNFis(stEsquema, nonFiscalCounter);
  BuscaReinicioOp(stEsquema, restarts);
  BuscaNReducoes(stEsquema, reductions);
  BuscaTotGer(stEsquema, grandTotal);
  BuscaVendaBruta(stEsquema, gross);
  Cancelamentos(stEsquema, cancellations);
  BuscaDescontos(stEsquema, discounts);
  // Kept as the general decimal text, rounded to the cent first so that a
  // binary remainder (0.3 - 0.1 - 0.2) does not reach the host as a tiny
  // number instead of zero.
  const std::string net = FloatToStr(
      hostlib::RoundDec(StrToFloat(gross) - StrToFloat(cancellations) - StrToFloat(discounts), 2));
  std::string surcharges;
  readings::SurchargeTotal(stEsquema, surcharges);

  zexport::CreateDayTable(t.day);
  t.day.Append();
  t.day.FieldByName("NRECFREDZ").SetAsString(ecfNumber);
  t.day.FieldByName("DTREDUCAOZ").SetAsDateTime(day);
  t.day.FieldByName("NRREINIREDZ").SetAsString(hostlib::Ajusta(restarts, 10));
  t.day.FieldByName("NRREDREDZ").SetAsString(hostlib::Ajusta(reductions, 4));
  t.day.FieldByName("NRLEITREDZ").SetAsString(kTenZeros);
  t.day.FieldByName("NRGERCNFREDZ").SetAsString(hostlib::Ajusta(nonFiscalCounter, 10));
  t.day.FieldByName("NRCANCFREDZ").SetAsString(kTenZeros);
  t.day.FieldByName("NRPRIMCFREDZ").SetAsString(kTenZeros);
  t.day.FieldByName("NRULTCFREDZ").SetAsString(hostlib::Ajusta(stCupomFin, 10));
  t.day.FieldByName("VRGTREDZ").SetAsFloat(StrToFloat(grandTotal));
  t.day.FieldByName("VRVENBRUREDZ").SetAsFloat(StrToFloat(gross));
  t.day.FieldByName("VRTOTCANREDZ").SetAsFloat(StrToFloat(cancellations));
  t.day.FieldByName("VRTOTDESREDZ").SetAsFloat(StrToFloat(discounts));
  t.day.FieldByName("VRVENLIQREDZ").SetAsFloat(StrToFloat(net));
  t.day.FieldByName("VRTOTACRREDZ").SetAsFloat(GetValue(surcharges));

  const zexport::RowKey key{stEsquema, ecfNumber, day};
  zexport::GatherPayments(key, paymentTypes, t.payments);
  // The day row waits for the last figures it needs from the tax register.
  const std::string register3 = zexport::GatherTaxes(key, t.taxes);
  zexport::FillRegister3Sums(register3, t.day);
  t.day.Post();
  zexport::GatherTotalizers(key, t.totalizers);
}

}  // namespace

bool ExportRedZ(const std::string& /*unusedText*/, const std::string& stEsquema,
                const std::string& ecfNumber, int /*unusedNumber*/, const DataSet& paymentTypes,
                DataSet& dsReducaoZ, DataSet& dsFormPgtoRedZ, DataSet& dsImpostoRedZ,
                DataSet& dsTotNFiscRedZ) {
  TdtmDaruma300& dm = DataModule();
  EnsureFolder(dsDiretorio + "Dados");
  EnsureFolder(ReductionsFolder());

  // The tables start as copies of the host's sets: one that an error keeps
  // from being rebuilt goes back to the host as the host gave it.
  CopyIn(paymentTypes, dm.cdsTipoRece);
  const ExportTables tables{dm.cdsReducaoZ, dm.cdsFormPgtoRedZ, dm.cdsImpostoRedZ,
                            dm.cdsTotNFiscRedZ};
  CopyIn(dsReducaoZ, tables.day);
  CopyIn(dsFormPgtoRedZ, tables.payments);
  CopyIn(dsImpostoRedZ, tables.taxes);
  CopyIn(dsTotNFiscRedZ, tables.totalizers);

  // "ERRO" (the printer did not answer) does not convert and ends the export
  // here, before any figure is read.
  stRetorno = driver::ReceiptNumber(stEsquema);
  stCupomFin = hostlib::Ajusta(IntToStr(StrToInt(stRetorno)), 6);

  try {
    Gather(stEsquema, ecfNumber, dm.cdsTipoRece, tables);
  } catch (...) {
    HandBack(tables.day, dsReducaoZ);
    HandBack(tables.payments, dsFormPgtoRedZ);
    HandBack(tables.taxes, dsImpostoRedZ);
    HandBack(tables.totalizers, dsTotNFiscRedZ);
    throw;
  }
  HandBack(tables.day, dsReducaoZ);
  HandBack(tables.payments, dsFormPgtoRedZ);
  HandBack(tables.taxes, dsImpostoRedZ);
  HandBack(tables.totalizers, dsTotNFiscRedZ);
  return true;
}

}  // namespace Tov00300
