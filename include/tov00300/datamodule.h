// TdtmDaruma300: the package's one object. It holds the two message
// catalogues and the in-memory tables the operations fill and read. Each
// table's field list is set by the operation that fills it; the tables live
// as long as the data module, which is created on first need and never freed.
#ifndef TOV00300_DATAMODULE_H_
#define TOV00300_DATAMODULE_H_

#include <string>

#include "tov00300/dataset.h"
#include "tov00300/export.h"
#include "tov00300/hostlib.h"

TOV00300_API_BEGIN
namespace Tov00300 {

class TdtmDaruma300 {
 public:
  TdtmDaruma300();

  // Message catalogues, looked up with Msg(key) regardless of letter case.
  hostlib::TMessages msgPadrao{"msgPadrao"};
  hostlib::TMessages msgPadrao2{"msgPadrao2"};

  // Grand-total control and registers.
  DataSet cdsCheckECF{"cdsCheckECF"};  // change log switched off after every open
  DataSet cdsImposto{"cdsImposto"};
  // Configuration tables.
  DataSet cdsAliqImpFis{"cdsAliqImpFis"};
  DataSet cdsReceb{"cdsReceb"};
  DataSet cdsRecebAux{"cdsRecebAux"};
  DataSet cdsTipoReceAux{"cdsTipoReceAux"};
  // Receipt closing.
  DataSet cdsTipoRece{"cdsTipoRece"};
  DataSet cdsMovCaixa{"cdsMovCaixa"};
  DataSet cdsMovCaixaTef{"cdsMovCaixaTef"};
  DataSet cdsVrSaldConsumi{"cdsVrSaldConsumi"};
  DataSet cdsFamiliaSaldo{"cdsFamiliaSaldo"};
  DataSet cdsSaldCred{"cdsSaldCred"};
  DataSet cdsParametros{"cdsParametros"};
  // Reports and documents.
  DataSet cdsMovTot{"cdsMovTot"};
  DataSet cdsMovAbertura{"cdsMovAbertura"};
  DataSet cdsMovFecha{"cdsMovFecha"};
  DataSet cdsSangria{"cdsSangria"};
  DataSet cdsOperadorSup{"cdsOperadorSup"};
  DataSet cdsProdVend{"cdsProdVend"};
  DataSet cdsAliqProduto{"cdsAliqProduto"};
  DataSet cdsProdDeb{"cdsProdDeb"};
  DataSet cdsProdCred{"cdsProdCred"};
  DataSet cdsEmprestimo{"cdsEmprestimo"};
  DataSet cdsParcProdutos{"cdsParcProdutos"};
  DataSet cdsItemsReg{"cdsItemsReg"};
  DataSet cdsMesaAberTov{"cdsMesaAberTov"};
  DataSet cdsProdutoTransf{"cdsProdutoTransf"};
  // Z-reduction export.
  DataSet cdsReducaoZ{"cdsReducaoZ"};
  DataSet cdsFormPgtoRedZ{"cdsFormPgtoRedZ"};
  DataSet cdsTotNFiscRedZ{"cdsTotNFiscRedZ"};
  DataSet cdsImpostoRedZ{"cdsImpostoRedZ"};
  // Legal files.
  DataSet cdsArquivosQirMd5{"cdsArquivosQirMd5"};
  DataSet cdsDadosPaf{"cdsDadosPaf"};
  DataSet cdsBuscaNrSerieEcf{"cdsBuscaNrSerieEcf"};

  // Daylight-saving detection: compares the printer's clock with the
  // computer's and answers "NOK", "NADA", "H" or "D"; with "S" it also shows
  // both clocks to the operator.
  std::string ComparaData_Hora(const std::string& stEsquema, const std::string& mostra);
};

// Creates dtmDaruma300 when it is absent and returns it.
TdtmDaruma300& DataModule();

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_DATAMODULE_H_
