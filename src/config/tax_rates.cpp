// The printer's tax-rate table, read for the host.
#include <string>

#include "config/printer_lists.h"
#include "driver/command.h"
#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

constexpr int kTaxRateListWidth = 150;
const char* const kReadTaxRates = "rLerAliquotas_ECF_Daruma";

// Opens cdsAliqImpFis empty, ordered by kind and rate.
void RecreateTaxRates(DataSet& cds) {
  if (cds.Active()) cds.Close();
  cds.CreateDataSet({{"CDALIQIMPFIS", FieldType::String, 10},
                     {"VRALIQIMPFIS", FieldType::Float, 0},
                     {"IDALIQIMPFIS", FieldType::String, 1}});
  cds.AddIndex({"IdxIdAliqVrAliq", "IDALIQIMPFIS;VRALIQIMPFIS"});
  cds.SetIndexName("IdxIdAliqVrAliq");
}

void AppendTaxRate(DataSet& cds, const std::string& code, double rate, const std::string& kind) {
  cds.Append();
  cds.FieldByName("CDALIQIMPFIS").SetAsString(code);
  cds.FieldByName("VRALIQIMPFIS").SetAsFloat(rate);
  cds.FieldByName("IDALIQIMPFIS").SetAsString(kind);
  cds.Post();
}

}  // namespace

void CarregaAliquota(const std::string& stEsquema, DataSet& cdsAliquotas) {
  DataSet& cds = DataModule().cdsAliqImpFis;
  RecreateTaxRates(cds);

  const driver::Reply reply = driver::Query(kTaxRateListWidth, rLerAliquotas_ECF_Daruma);
  driver::Command(reply.code, driver::DescribeReply(kReadTaxRates, reply.text), {stEsquema, false});

  std::string list = Trim(reply.text);
  RecreateTaxRates(cds);
  // Each entry is six characters: the kind, four digits with two implied
  // decimals and ";" ("T1800;" is kind T at 18.00). An entry that does not
  // convert still takes its index, so the numbers keep the printer's order.
  int nextIndex = 1;
  while (Pos(";", list) > 5) {
    try {
      // The printer's form, read whatever the process's settings.
      const double rate = FixedToFloat(Copy(list, 2, 2) + "." + Copy(list, 4, 2));
      AppendTaxRate(cds, config::TwoDigits(nextIndex), rate, Copy(list, 1, 1));
    } catch (const std::exception&) {
      if (cds.State() != DataSetState::Browse) cds.Cancel();
    }
    ++nextIndex;
    list.erase(0, 6);
  }
  AppendTaxRate(cds, "NN", 0, "N");
  AppendTaxRate(cds, "II", 0, "I");
  AppendTaxRate(cds, "FF", 0, "F");

  cdsAliquotas.SetData(cds.Data());
}

bool Retorno_Aliquotas_Imp(const std::string& stEsquema) {
  const driver::Reply reply = driver::Query(kTaxRateListWidth, rLerAliquotas_ECF_Daruma);
  stRetorno = reply.text;
  driver::Command(reply.code, driver::DescribeReply(kReadTaxRates, stRetorno), {stEsquema, false});
  stRetorno = Trim(stRetorno);
  return false;
}

}  // namespace Tov00300
