// The cash closing and the table-service prints.
#include "operation_families.h"

#include "tov00300/closing_reports.h"
#include "tov00300/table_service.h"

namespace ecfhost {

namespace T = Tov00300;

std::vector<Operation> ClosingOperations() {
  return {
      // cash closing and table service
      Op("Relatorio_Produto", &T::Relatorio_Produto),
      Op("GeraReciboSangria", &T::GeraReciboSangria),
      Op("Abertura_Mesa", &T::Abertura_Mesa),
      Op("RegistroVenda", &T::RegistroVenda),
      Op("ImprimeMesasAbertas", &T::ImprimeMesasAbertas),
      Op("imprimeProdutosTransf", &T::imprimeProdutosTransf),
      Op("imprimeTipoRece", &T::imprimeTipoRece),
      Op("ImprimeProdBloq", &T::ImprimeProdBloq),
  };
}

}  // namespace ecfhost
