// The card-payment vouchers and the consumer accounts.
#include "operation_families.h"

#include "tov00300/accounts.h"
#include "tov00300/vouchers.h"

namespace ecfhost {

namespace T = Tov00300;

std::vector<Operation> AccountOperations() {
  return {
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
}

}  // namespace ecfhost
