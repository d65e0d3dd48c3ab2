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

constexpr int kLarguraAliquotas = 150;
const char* const kLerAliquotas = "rLerAliquotas_ECF_Daruma";

// Opens cdsAliqImpFis empty, ordered by kind and rate.
void RecriaAliquotas(DataSet& cds) {
  if (cds.Active()) cds.Close();
  cds.CreateDataSet({{"CDALIQIMPFIS", FieldType::String, 10},
                     {"VRALIQIMPFIS", FieldType::Float, 0},
                     {"IDALIQIMPFIS", FieldType::String, 1}});
  cds.AddIndex({"IdxIdAliqVrAliq", "IDALIQIMPFIS;VRALIQIMPFIS"});
  cds.SetIndexName("IdxIdAliqVrAliq");
}

void GravaAliquota(DataSet& cds, const std::string& codigo, double valor, const std::string& tipo) {
  cds.Append();
  cds.FieldByName("CDALIQIMPFIS").SetAsString(codigo);
  cds.FieldByName("VRALIQIMPFIS").SetAsFloat(valor);
  cds.FieldByName("IDALIQIMPFIS").SetAsString(tipo);
  cds.Post();
}

}  // namespace

void CarregaAliquota(const std::string& stEsquema, DataSet& cdsAliquotas) {
  DataSet& cds = DataModule().cdsAliqImpFis;
  RecriaAliquotas(cds);

  const driver::Reply resposta = driver::Query(kLarguraAliquotas, rLerAliquotas_ECF_Daruma);
  driver::Command(resposta.code, driver::DescribeReply(kLerAliquotas, resposta.text),
                  {stEsquema, false});

  std::string lista = Trim(resposta.text);
  RecriaAliquotas(cds);
  // Each entry is six characters: the kind, four digits with two implied
  // decimals and ";" ("T1800;" is kind T at 18.00). An entry that does not
  // convert still takes its index, so the numbers keep the printer's order.
  int contador = 1;
  while (Pos(";", lista) > 5) {
    try {
      // The printer's form, read whatever the process's settings.
      const double valor = FixedToFloat(Copy(lista, 2, 2) + "." + Copy(lista, 4, 2));
      GravaAliquota(cds, config::DoisDigitos(contador), valor, Copy(lista, 1, 1));
    } catch (const std::exception&) {
      if (cds.State() != DataSetState::Browse) cds.Cancel();
    }
    ++contador;
    lista.erase(0, 6);
  }
  GravaAliquota(cds, "NN", 0, "N");
  GravaAliquota(cds, "II", 0, "I");
  GravaAliquota(cds, "FF", 0, "F");

  cdsAliquotas.SetData(cds.Data());
}

bool Retorno_Aliquotas_Imp(const std::string& stEsquema) {
  const driver::Reply resposta = driver::Query(kLarguraAliquotas, rLerAliquotas_ECF_Daruma);
  stRetorno = resposta.text;
  driver::Command(resposta.code, driver::DescribeReply(kLerAliquotas, stRetorno),
                  {stEsquema, false});
  stRetorno = Trim(stRetorno);
  return false;
}

}  // namespace Tov00300
