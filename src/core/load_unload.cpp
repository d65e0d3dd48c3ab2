// The package's load and unload steps. They run by themselves (see the hook
// in state.cpp) and are exported too, so a host that loads the package by
// hand can run them; both may run more than once.
#include <string>

#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

void Initialize() {
  std::string pasta = platform::ShortPath(platform::HostFolder());
  const std::string separador = platform::NativePath("\\");
  if (!pasta.ends_with(separador)) pasta += separador;
  DsDirCad = pasta;
  DsDirDrive = platform::DriveRoot();
}

void Finalize() {
  std::string* const textos[] = {
      &stRetorno,      &stImpDebug,     &stMensagemTaa,  &stNrCupom,      &stCupomFin,
      &DsDirCad,       &DsDirDrive,     &dsDiretorio,    &stAtuFili,      &stAtuCaixa,
      &stSerieAtu,     &IdTotParcCV,    &IdTotRelatorio, &IdTotCompCred,  &IdTotParcVCons,
      &IdTotCancCred,  &CdFormPagCPess, &IdFormPagCPess, &DsFormPagCPess, &CdFormPagVCons,
      &DsFormPagVCons, &IdTotRelatGer,  &IdTotTef,       &IdFormPagVCons, &IdTotParcSang,
      &IdTotParcSup,   &DarumaRet,      &stAliquotaIss,  &stCupomIni,     &stRetornoAux,
      &stData,         &stRet,          &stRed,          &stHoraAtu,
  };
  for (std::string* texto : textos) texto->clear();
}

}  // namespace Tov00300
