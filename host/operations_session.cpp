// The package frame, the session and port opening, the driver binding and
// return analysis, and the printer's configuration tables.
#include "operation_families.h"

#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/session.h"

namespace ecfhost {

namespace T = Tov00300;

std::vector<Operation> SessionOperations() {
  return {
      // package frame
      Op("ImpFisDebug", &T::ImpFisDebug),
      Op("BuscaDiretorio", &T::BuscaDiretorio),
      Op("StrToPChar", &T::StrToPChar),
      Op("Initialize", &T::Initialize),
      Op("Finalize", &T::Finalize),
      // session and port opening
      Op("StartImpFiscal", &T::StartImpFiscal),
      Op("StopImpFiscal", &T::StopImpFiscal),
      Op("AbrePorta", &T::AbrePorta),
      Op("FechaPorta", &T::FechaPorta),
      Op("ImpressoraOk", &T::ImpressoraOk),
      Op("AbrePorta_FrameWork", &T::AbrePorta_FrameWork),
      Op("VerificaData", &T::VerificaData),
      Op("Data_Imp", &T::Data_Imp),
      Op("DataMoviFiscal", &T::DataMoviFiscal),
      Op("Estado_HorVerao", &T::Estado_HorVerao),
      Op("Muda_Horario", &T::Muda_Horario),
      Op("Carrega_Dados_Impressora", &T::Carrega_Dados_Impressora),
      // driver binding and return analysis
      Op("StartImpFiscal_FrameWork", &T::StartImpFiscal_FrameWork),
      Op("LastBindingError", &T::LastBindingError),
      Op("AnalisaRetorno_FrameWork", &T::AnalisaRetorno_FrameWork),
      Op("Estado_Imp", &T::Estado_Imp),
      Op("AnalisaRetorno", &T::AnalisaRetorno),
      // data-module method
      Op(
          "ComparaData_Hora",
          +[](const std::string& stEsquema, const std::string& mostra) {
            return T::DataModule().ComparaData_Hora(stEsquema, mostra);
          }),
      // configuration tables
      Op("CarregaAliquota", &T::CarregaAliquota),
      Op("Retorno_Aliquotas_Imp", &T::Retorno_Aliquotas_Imp),
      Op("CarregaRecebimento", &T::CarregaRecebimento),
      Op("Config_FormaPg", &T::Config_FormaPg),
      Op("CarregaTotalizador", &T::CarregaTotalizador),
      Op("VerificaTotalizador", &T::VerificaTotalizador),
      Op("Nomeia_TotParcial", &T::Nomeia_TotParcial),
      Op("CarregaRelatorioGer", &T::CarregaRelatorioGer),
      Op("Modelo_Impressora", &T::Modelo_Impressora),
      Op("VerificaSerialImp", &T::VerificaSerialImp),
      Op("Versao_Software_Basico", &T::Versao_Software_Basico),
      Op("DataHoraGravacaoUsuarioSWBasicoMFAdicional",
         &T::DataHoraGravacaoUsuarioSWBasicoMFAdicional),
      Op("NumeroOperacoesNaoFiscais", &T::NumeroOperacoesNaoFiscais),
      Op("GeraBinMes", &T::GeraBinMes),
      Op("Codigo_Nacional_ECF", &T::Codigo_Nacional_ECF),
      Op("FormataCNPJ", &T::FormataCNPJ),
  };
}

}  // namespace ecfhost
