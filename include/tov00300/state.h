// The package's exported global state. Every name is process-wide and
// exported (decorated C++ names in namespace Tov00300) so the host can read
// and set it. Texts start empty, integers 0 and references absent unless
// noted. All of it belongs to the host's thread; nothing here is guarded.
#ifndef TOV00300_STATE_H_
#define TOV00300_STATE_H_

#include <string>

#include "tov00300/dataset.h"
#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

class TdtmDaruma300;

// Handle of the loaded driver library; reused by later session starts, never released.
extern void* ImpFisDLLHandle;
// The host's flag that the printer session is ready; the package never clears it.
extern bool boImpFiscalOK;
// True (at load) when an operator works at the till: printer messages are shown in dialogs.
extern bool boNUtilTaa;
// The printer was last found usable; false forces the dialogs of some operations.
extern bool boClieUtil;
// The single data module, created on first need and never freed.
extern TdtmDaruma300* dtmDaruma300;
// Printer model code given by the host at session start (24 and 29 are tested).
extern int inTipoImpFis;
// The last driver return code.
extern int inRetorno;
extern std::string stRetorno;      // reply text of the last query
extern std::string stImpDebug;     // pending debug-log description of a driver command
extern std::string stMensagemTaa;  // printer messages collected for a self-service terminal
extern std::string stNrCupom;      // never assigned by the package
extern std::string stCupomFin;     // receipt number read by the Z-reduction export
extern std::string DsDirCad;       // host executable folder, short form, trailing separator
extern std::string DsDirDrive;     // drive of the host executable with a trailing separator
extern std::string dsDiretorio;    // the host's data folder (set by the host)
extern std::string stAtuFili, stAtuCaixa, stSerieAtu;  // set by the host
// Printer indices of the non-fiscal totalizers.
extern std::string IdTotParcCV, IdTotRelatorio, IdTotCompCred, IdTotParcVCons, IdTotCancCred;
// Code, index and name of two special payment methods.
extern std::string CdFormPagCPess, IdFormPagCPess, DsFormPagCPess, CdFormPagVCons, DsFormPagVCons;

// Exported for the host's link compatibility; not used by the package.
extern std::string IdTotRelatGer, IdTotTef, IdFormPagVCons, IdTotParcSang, IdTotParcSup, DarumaRet,
    stAliquotaIss, stCupomIni, stRetornoAux, stData, stRet, stRed, stHoraAtu;
extern DataSet* cdsAuxExtSimp;

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_STATE_H_
