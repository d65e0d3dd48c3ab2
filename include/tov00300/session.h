// The printer session: start and stop, port opening and the start-of-day
// checks. The package frame's own operations (the debug log, the load and
// unload steps) are in tov00300/frame.h, which this header includes.
#ifndef TOV00300_SESSION_H_
#define TOV00300_SESSION_H_

#include <string>

#include "tov00300/datetime.h"
#include "tov00300/export.h"
#include "tov00300/frame.h"
#include "tov00300/variant.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// Starts a printer session. Bag keys: CDFILIAL, CDCAIXA, NRSERIEIMP, ESQUEMA,
// CDPORTAIMPFIS (texts), IDTIPOIMPFIS (integer, into inTipoImpFis),
// BOUTILTAA (boolean; its negation goes into boNUtilTaa). The first key that
// is absent or does not convert is shown to the operator (context "001"), the
// keys after it are not read, and the start goes on.
// Binds the driver library (loaded once, reused by later starts) and opens
// the port with AbrePorta. True, and boImpFiscalOK set, when the port opened;
// otherwise false and boImpFiscalOK unchanged. The bag is not changed.
bool StartImpFiscal(Variant& bag);
// Unbinds every driver entry point: later printer calls fail as failed
// driver calls. The library stays loaded, the port open, boImpFiscalOK as it was.
void StopImpFiscal();
// Creates the data module when absent and answers AbrePorta_FrameWork.
bool AbrePorta(const Variant& bag);
// Closes the port; true when the driver answered 1. Nothing analysed or logged.
bool FechaPorta();
// The return analysis of code 1 (the status of the printer's last command),
// shown when boNUtilTaa. The three flags are ignored.
bool ImpressoraOk(const std::string& stEsquema, bool boReservado1, bool boReservado2,
                  bool boReservado3);

// Opens the port named by CDPORTAIMPFIS at 115200 (closing and reopening it
// once when busy), checks the printer is on, defines the product "ECF",
// checks the clocks (VerificaData), closes a non-fiscal receipt or management
// report left open, and when a fiscal receipt is open or the host's sale files
// (cdsVenda.cds, cdsItensCancelados.cds in DsDirCad) exist, cancels the
// receipt and records the printer's grand total (Atu_TotGeral with IDVALIDA
// "N"). Bag keys CDFILIAL, CDCAIXA, NRSERIEIMP, ESQUEMA, CDPORTAIMPFIS. Every
// driver failure is shown to the operator and answers false at once; an error
// raised meanwhile answers false.
bool AbrePorta_FrameWork(const Variant& bag);

// Compares the printer's clock with the computer's. With `boLeRelogio` the
// clock is read first into `stDataHoraImp` (Data_Imp; false, boClieUtil
// false and `dtData` untouched when that fails). A printer date-time text
// (DDMMYYHHMMSS) more than 15 minutes away, a day or more included, shows
// "DataDif" (when boNUtilTaa or not boClieUtil), sets boClieUtil false and
// answers false. `dtData` becomes the date of `stDataMov` (DDMMYY) or today;
// a text that is not a date leaves the clocks uncompared and gives today.
bool VerificaData(const std::string& stEsquema, DateTime& dtData, std::string& stDataHoraImp,
                  const std::string& stDataMov, bool boLeRelogio);
// Reads the printer's clock into `stDataHora` as DDMMYYHHMMSS (whatever the
// answer) and answers the return analysis, shown when boNUtilTaa or not
// boClieUtil. Clears stMensagemTaa first.
bool Data_Imp(const std::string& stEsquema, std::string& stDataHora);
// The date of the printer's fiscal day (information 70); today when the
// printer has none or its answer is not a date.
DateTime DataMoviFiscal(const std::string& stEsquema);
// True when the printer's clock is 50 minutes or more (and less than a day)
// ahead of the computer's: daylight saving is on in the printer. Shows both
// clocks to the operator.
bool Estado_HorVerao(const std::string& stEsquema);
// Switches the printer's daylight saving on when its clock is 50 minutes or
// more behind the computer's and off when as much ahead (less than a day
// either way); answers the return analysis of the change, false when nothing
// was changed.
bool Muda_Horario(const std::string& stEsquema);
// Replaces the bag (keys ESQUEMA, DATAATUIMP, ECFIMP, REDIMP, SERIEIMP,
// DATAIMP) by DATAATUIMP (printer clock DDMMYYHHMMSS), ECFIMP (ECF number),
// REDIMP (unchanged), SERIEIMP (serial number), DATAIMP (fiscal day DDMMYY),
// the number and serial untrimmed. False when one of them could not be read;
// what follows a failed read keeps the host's value.
bool Carrega_Dados_Impressora(Variant& bag);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_SESSION_H_
