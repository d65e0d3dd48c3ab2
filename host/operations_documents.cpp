// The management reports, the X reading and Z reduction, the cash supply,
// withdrawal and drawer, and the Z-reduction export.
#include "operation_families.h"

#include "tov00300/documents.h"
#include "tov00300/readings.h"

namespace ecfhost {

namespace T = Tov00300;

std::vector<Operation> DocumentOperations() {
  return {
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
  };
}

}  // namespace ecfhost
