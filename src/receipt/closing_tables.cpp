// The closing's tables: loaded from the host's packets, and the payment lines
// built from the movement rows.
#include <string>

#include "receipt/closing_steps.h"
#include "tov00300/datamodule.h"
#include "tov00300/dataset.h"

namespace Tov00300::receipt {

namespace {

const char kIndiceTroco[] = "idxNRORDTROCO";

// The movement tables visit their rows by change order, then time of entry,
// so the payments reach the printer in the order the host took them.
void CarregaMovimentos(DataSet& tabela, const DataPacket& pacote) {
  tabela.Close();
  tabela.AddIndex({kIndiceTroco, "NRORDTROCO;DTHRINCMOV"});
  tabela.AddIndex({"idxDTHRINCMOV", "DTHRINCMOV"});
  tabela.SetIndexName(kIndiceTroco);
  tabela.SetData(pacote);
}

// A balance table the host did not send stays closed; the footer reads a
// closed table as one without rows.
void CarregaSaldos(DataSet& tabela, const Variant& pacote) {
  if (pacote.IsEmpty() || pacote.IsNull()) {
    tabela.Close();
  } else {
    tabela.SetData(pacote.AsDataPacket());
  }
}

void CopiaLinha(DataSet& origem, DataSet& destino) {
  destino.Append();
  for (int i = 0; i < origem.FieldCount(); ++i)
    destino.Fields(i).SetValue(origem.Fields(i).Value());
  destino.Post();
}

// The payment type a line is paid as: a card line stands for the type it
// was taken for.
std::string CodigoDoTipo(DataSet& linha) {
  if (linha.FieldByName("CDBANCARTCR").AsString().empty()) {
    return linha.FieldByName("CDTIPORECE").AsString();
  }
  return linha.FieldByName("CDTIPORECEORIG").AsString();
}

}  // namespace

void CarregaTabelas(const PosicoesFechamento& p) {
  TdtmDaruma300& dm = DataModule();
  const DataPacket& movimentos = p.movimentos.AsDataPacket();
  CarregaMovimentos(dm.cdsMovCaixa, movimentos);
  CarregaMovimentos(dm.cdsMovCaixaTef, movimentos);
  dm.cdsMovCaixaTef.EmptyDataSet();
  dm.cdsRecebAux.SetData(p.tiposRecebimento.AsDataPacket());
  CarregaSaldos(dm.cdsSaldCred, p.saldos);
  CarregaSaldos(dm.cdsFamiliaSaldo, p.familias);
  CarregaSaldos(dm.cdsEmprestimo, p.emprestimos);
}

bool MovimentoPago(const std::string& idTipoMovive) {
  return idTipoMovive == "E" || idTipoMovive == "T";
}

void MontaPagamentos(bool vendaComCartao) {
  TdtmDaruma300& dm = DataModule();
  DataSet& movimentos = dm.cdsMovCaixa;
  DataSet& linhas = dm.cdsMovCaixaTef;
  for (movimentos.First(); !movimentos.Eof(); movimentos.Next()) {
    if (vendaComCartao && MovimentoPago(movimentos.FieldByName("IDTIPOMOVIVE").AsString())) {
      // One payment per type in a card sale: the card receipts are printed
      // per payment method afterwards.
      const Variant chave(VariantArray{movimentos.FieldByName("CDTIPORECE").AsString(), "E"});
      if (linhas.Locate("CDTIPORECE;IDTIPOMOVIVE", chave)) {
        linhas.Edit();
        Field valor = linhas.FieldByName("VRMOVIVEND");
        valor.SetAsFloat(valor.AsFloat() + movimentos.FieldByName("VRMOVIVEND").AsFloat());
        linhas.Post();
        continue;
      }
    }
    CopiaLinha(movimentos, linhas);
  }
}

bool LocalizaTipo(DataSet& linha) {
  return DataModule().cdsRecebAux.Locate("CDTIPORECE", Variant(CodigoDoTipo(linha)));
}

bool TipoAusente(std::string& codigo) {
  DataSet& linhas = DataModule().cdsMovCaixaTef;
  for (linhas.First(); !linhas.Eof(); linhas.Next()) {
    if (!MovimentoPago(linhas.FieldByName("IDTIPOMOVIVE").AsString())) continue;
    if (!LocalizaTipo(linhas)) {
      codigo = CodigoDoTipo(linhas);
      return true;
    }
  }
  return false;
}

}  // namespace Tov00300::receipt
