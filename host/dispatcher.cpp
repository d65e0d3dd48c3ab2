// The table of operations a till script can call: one line per operation.
#include "dispatcher.h"

#include <algorithm>

#include "contracts.h"
#include "plain_names.h"
#include "tov00300/accounts.h"
#include "tov00300/closing_reports.h"
#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/legal.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/receipt.h"
#include "tov00300/session.h"
#include "tov00300/table_service.h"
#include "tov00300/vouchers.h"

namespace ecfhost {

namespace T = Tov00300;

namespace {

std::vector<Operation> MakeTable() {
  std::vector<Operation> table = {
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
      // registers and grand total
      Op("GetValue", &T::GetValue),
      Op("BuscaTotGer", &T::BuscaTotGer),
      Op("BuscaVendaBruta", &T::BuscaVendaBruta),
      Op("Cancelamentos", &T::Cancelamentos),
      Op("BuscaDescontos", &T::BuscaDescontos),
      Op("BuscaOpNFis", &T::BuscaOpNFis),
      Op("BuscaReinicioOp", &T::BuscaReinicioOp),
      Op("BuscaNReducoes", &BuscaNReducoesPlain),
      Op("DadosUltimaRedZ", &T::DadosUltimaRedZ),
      Op("Atu_TotGeral", &T::Atu_TotGeral),
      // fiscal receipt
      Op("AbreCupom", &T::AbreCupom),
      Op("Nr_Cupom", &T::Nr_Cupom),
      Op("ContadorCupomFiscalMFD", &T::ContadorCupomFiscalMFD),
      Op("NumeroCupom", &T::NumeroCupom),
      Op("VendaItem", &T::VendaItem),
      Op("Cancela_ItGenerico", &T::Cancela_ItGenerico),
      Op("Cancela_UltimoItem", &T::Cancela_UltimoItem),
      Op("Cancela_Cupom_Imp", &T::Cancela_Cupom_Imp),
      Op("Acrescimo_Imp", &T::Acrescimo_Imp),
      Op("Leitura_Totais_Imp", &T::Leitura_Totais_Imp),
      Op("Formata_rodape", &T::Formata_rodape),
      Op("FechaCupom", &T::FechaCupom),
      Op("Totaliza_NFiscal", &T::Totaliza_NFiscal),
      // non-fiscal documents
      Op("Cupom_NFiscNVinc", &T::Cupom_NFiscNVinc),
      // management reports
      Op("RG_FrameWork", &T::RG_FrameWork),
      Op("Relatorio_Gerencial_Imp", &T::Relatorio_Gerencial_Imp),
      Op("Usa_CompNFis", &T::Usa_CompNFis),
      Op("FechRelatGerenc", &T::FechRelatGerenc),
      Op("UsaRG_FrameWork", &T::UsaRG_FrameWork),
      Op("Cabecalho", &T::Cabecalho),
      Op("GravaDocumentosNaoFiscais", &T::GravaDocumentosNaoFiscais),
      Op("Relatorio_Generico", &T::Relatorio_Generico),
      Op("Cupom_Troca", &T::Cupom_Troca),
      Op("Conferencia_Formatada", &T::Conferencia_Formatada),
      Op("CodigoBarra", &T::CodigoBarra),
      // X reading and Z reduction
      Op("Leitura_X_Imp", &T::Leitura_X_Imp),
      Op("Reducao_Z_Imp", &T::Reducao_Z_Imp),
      // cash supply, withdrawal and drawer
      Op("Suprimento", &T::Suprimento),
      Op("Sangria", &T::Sangria),
      Op("Abre_Gaveta_Imp", &T::Abre_Gaveta_Imp),
      Op("Estado_Gaveta_Imp", &T::Estado_Gaveta_Imp),
      // Z-reduction export
      Op("ExportRedZ", &T::ExportRedZ),
      // legal files
      Op("geraEad", &T::geraEad),
      Op("Memoria_Fiscal_Imp", &T::Memoria_Fiscal_Imp),
      Op("EmiteLeituraMemoriaFiscal", &T::EmiteLeituraMemoriaFiscal),
      Op("EmiteLeituraMemoriaFiscalSerial", &T::EmiteLeituraMemoriaFiscalSerial),
      Op("Gera_ArquivoMFD", &T::Gera_ArquivoMFD),
      Op("geraEspelhoMfd", &T::geraEspelhoMfd),
      Op("GERA_MF", &T::GERA_MF),
      Op("ImprimeDadosPaf", &T::ImprimeDadosPaf),
      Op("GeraCatGenerica", &T::GeraCatGenerica),
      // ecfhost's own: a folder under the host folder (a Windows-style path
      // such as "Dados\MenuFiscal"), made as the host's installation does.
      Op(
          "MakeHostFolder",
          +[](const std::string& folder) {
            const std::string host = T::platform::HostFolder();
            const std::string path = T::platform::JoinPath(host, folder);
            if (!IsInsideFolder(path, host))
              throw std::runtime_error("the folder " + folder + " lies outside the host folder");
            return T::platform::CreateFolder(path);
          }),
      // cash closing and table service
      Op("Relatorio_Produto", &T::Relatorio_Produto),
      Op("GeraReciboSangria", &T::GeraReciboSangria),
      Op("Abertura_Mesa", &T::Abertura_Mesa),
      Op("RegistroVenda", &T::RegistroVenda),
      Op("ImprimeMesasAbertas", &T::ImprimeMesasAbertas),
      Op("imprimeProdutosTransf", &T::imprimeProdutosTransf),
      Op("imprimeTipoRece", &T::imprimeTipoRece),
      Op("ImprimeProdBloq", &T::ImprimeProdBloq),
      // card-payment vouchers
      Op("ImprimeTef", &T::ImprimeTef),
      Op("ImprimeTef_FrameWork", &T::ImprimeTef_FrameWork),
      Op("ImprimeTefRG_FrameWork", &T::ImprimeTefRG_FrameWork),
      Op("Abre_Comp_NFiscalVinc", &T::Abre_Comp_NFiscalVinc),
      Op("AbreCCD_FrameWork", &T::AbreCCD_FrameWork),
      Op("AbreCCD_simplificado_FrameWork", &T::AbreCCD_simplificado_FrameWork),
      Op("ImprimeCCD_FrameWork", &T::ImprimeCCD_FrameWork),
      Op("FechaCCD_FrameWork", &T::FechaCCD_FrameWork),
      // consumer accounts
      Op("Comp_DebitoCons", &T::Comp_DebitoCons),
      Op("Compr_CredPessoal", &T::Compr_CredPessoal),
      Op("Cancela_Cred_Pessoal", &T::Cancela_Cred_Pessoal),
      Op("ImpSaldo", &T::ImpSaldo),
      Op("ImpSaldoDeb", &T::ImpSaldoDeb),
      Op("Extrato", &T::Extrato),
      Op("Saldo_CredPessoal", &T::Saldo_CredPessoal),
      Op("SaldoNegativo", &T::SaldoNegativo),
      Op("Imp_CompVenCred", &T::Imp_CompVenCred),
  };
  std::sort(table.begin(), table.end(),
            [](const Operation& a, const Operation& b) { return a.name < b.name; });
  return table;
}

}  // namespace

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> table = MakeTable();
  return table;
}

const Operation* FindOperation(std::string_view name) {
  const auto& table = Operations();
  auto found =
      std::lower_bound(table.begin(), table.end(), name,
                       [](const Operation& op, std::string_view n) { return op.name < n; });
  return found != table.end() && found->name == name ? &*found : nullptr;
}

}  // namespace ecfhost
