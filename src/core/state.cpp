// The exported global state with its values at load, and the hook that runs
// the load and unload steps.
#include "tov00300/state.h"

#include "tov00300/frame.h"

namespace Tov00300 {

void* ImpFisDLLHandle = nullptr;
bool boImpFiscalOK = false;
bool boNUtilTaa = true;
bool boClieUtil = false;
TdtmDaruma300* dtmDaruma300 = nullptr;
int inTipoImpFis = 0;
int inRetorno = 0;
std::string stRetorno;
std::string stImpDebug;
std::string stMensagemTaa;
std::string stNrCupom;
std::string stCupomFin;
std::string DsDirCad;
std::string DsDirDrive;
std::string dsDiretorio;
std::string stAtuFili, stAtuCaixa, stSerieAtu;
std::string IdTotParcCV, IdTotRelatorio, IdTotCompCred, IdTotParcVCons, IdTotCancCred;
std::string CdFormPagCPess, IdFormPagCPess, DsFormPagCPess, CdFormPagVCons, DsFormPagVCons;
std::string IdTotRelatGer, IdTotTef, IdFormPagVCons, IdTotParcSang, IdTotParcSup, DarumaRet,
    stAliquotaIss, stCupomIni, stRetornoAux, stData, stRet, stRed, stHoraAtu;
DataSet* cdsAuxExtSimp = nullptr;

namespace {

// Runs Initialize when the package is loaded and Finalize when it is
// unloaded. It must stay in this file, after the texts above: objects of one
// file are constructed in order and destroyed in reverse, so the texts exist
// for both steps.
struct LoadAndUnloadSteps {
  LoadAndUnloadSteps() {
    // An exception cannot leave a load step; the folders then stay empty
    // until the host calls Initialize itself.
    try {
      Initialize();
    } catch (...) {
    }
  }
  ~LoadAndUnloadSteps() { Finalize(); }
};
const LoadAndUnloadSteps loadAndUnloadSteps;

}  // namespace

}  // namespace Tov00300
