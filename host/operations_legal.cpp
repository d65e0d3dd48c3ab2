// The legal files, and ecfhost's own folder maker for them.
#include "operation_families.h"

#include <stdexcept>

#include "contracts.h"
#include "tov00300/legal.h"
#include "tov00300/platform.h"

namespace ecfhost {

namespace T = Tov00300;

std::vector<Operation> LegalOperations() {
  return {
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
  };
}

}  // namespace ecfhost
