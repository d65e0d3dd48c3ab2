// The registers and grand total, the fiscal receipt and the non-fiscal
// receipt.
#include "operation_families.h"

#include "plain_names.h"
#include "tov00300/documents.h"
#include "tov00300/readings.h"
#include "tov00300/receipt.h"

namespace ecfhost {

namespace T = Tov00300;

std::vector<Operation> ReceiptOperations() {
  return {
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
  };
}

}  // namespace ecfhost
