// The printer driver as the package sees it: one exported function-pointer
// variable per driver entry point, the binding that fills them from the
// driver library, and the analysis every operation runs on a driver answer.
#ifndef TOV00300_DRIVER_H_
#define TOV00300_DRIVER_H_

#include <string>
#include <string_view>
#include <vector>

#include "tov00300/driver_api.h"
#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// ---- entry points -------------------------------------------------------------
// One variable per entry point of the driver library, named as its function.
// Until StartImpFiscal_FrameWork binds them (and after UnbindDriverEntryPoints)
// each points at a stand-in that returns 0 (communication error) and writes
// nothing, so a call is never a crash. The host and tests may assign them.
#define TOV00300_DECLARE_ENTRY_POINT(name, params) extern int(*name) params;
TOV00300_DRIVER_ENTRY_POINTS(TOV00300_DECLARE_ENTRY_POINT)
#undef TOV00300_DECLARE_ENTRY_POINT

// Exported for the host's sake and never bound: always the stand-in.
extern int (*regAlterarValor_Daruma)(const char* produto, const char* chave, const char* valor);

// Points every entry point back at its stand-in (session stop, failed binding).
void UnbindDriverEntryPoints();
// False while the named entry point is its stand-in, or for an unknown name.
bool IsDriverEntryPointBound(std::string_view name);
// The entry-point names in binding order.
std::vector<std::string_view> DriverEntryPointNames();

// ---- binding ------------------------------------------------------------------
// Loads the driver library once into ImpFisDLLHandle ($TOV_DRIVER_LIBRARY, else
// libDarumaFrameWork.so in the package's own folder) and binds the entry
// points in their fixed order. All or nothing: when the library cannot be
// loaded or a name is missing, every entry point is left unbound and the
// result is false. A loaded library is kept and reused by later calls.
bool StartImpFiscal_FrameWork();
// Why the last StartImpFiscal_FrameWork failed ("" after a success).
std::string LastBindingError();

// ---- return analysis ----------------------------------------------------------
// Judges a driver return code and the printer's status of its last command.
// Writes the pending stImpDebug to the debug log (and clears it), then one log
// line per problem found; appends each problem's text, after a blank, to
// stMensagemTaa; shows it to the operator when boMostraMsg. True when the
// command is taken as successful: false for a return code with a catalogued
// message or when the printer reports an error for its last command.
// boReservado is accepted and ignored. boAvisoUm also reports warning 1 of the
// last command (shown and logged, not collected). A debug-log write error is
// thrown to the caller.
bool AnalisaRetorno_FrameWork(const std::string& stEsquema, int inCodRetorno, bool boMostraMsg,
                              bool boReservado, bool boAvisoUm);

// The analysis of the stored inRetorno, shown when boNUtilTaa, without
// warning 1; the result is also stored in boClieUtil. The booleans are ignored.
bool Estado_Imp(const std::string& stEsquema, bool boReservado1, bool boReservado2);

// ---- the older driver interface -----------------------------------------------
// Entry-point variables of an older driver interface. The package never fills
// them; they stay null unless the host assigns them. AnalisaRetorno reads the
// three marked ones.
#define TOV00300_LEGACY_ENTRY_POINTS(X)                                                       \
  X(Dar_AbrePorta, (const char* porta))                                                       \
  X(DarumaEnviaComando, (const char* comando))                                                \
  X(Dar_FechaPorta, (void))                                                                   \
  X(Dar_Resposta, (char* resposta))                                                           \
  X(Dar_Erro, (int* erro))                                                                    \
  X(Daruma_TEF_TravarTeclado, (const char* travar)) /* read by AnalisaRetorno */              \
  X(Daruma_RSA_CriarAssinatura, (const char* arquivo, const char* chave))                     \
  X(Daruma_FI_AbrePortaSerial, (void))                                                        \
  X(Daruma_FI_AbreCupom, (const char* cpf))                                                   \
  X(Daruma_FI_RetornoImpressora, (int* ack, int* st1, int* st2)) /* read */                   \
  X(Daruma_FI_CancelaCupom, (void))                              /* read by AnalisaRetorno */ \
  X(Daruma_FIMFD_DownloadDaMFD, (const char* inicio, const char* fim))                        \
  X(Daruma_Registry_Path, (const char* caminho))

#define TOV00300_DECLARE_LEGACY_ENTRY_POINT(name, params) extern int(*name) params;
TOV00300_LEGACY_ENTRY_POINTS(TOV00300_DECLARE_LEGACY_ENTRY_POINT)
#undef TOV00300_DECLARE_LEGACY_ENTRY_POINT

// The return analysis of the older interface: the code and the printer's
// acknowledge and two status bytes (read with Daruma_FI_RetornoImpressora) are
// judged like AnalisaRetorno_FrameWork does, with its own code table. The
// low-paper bit is a warning shown only with `show` and `showLowPaper`; an
// open receipt is cancelled (Daruma_FI_CancelaCupom) when `cancelOpenReceipt`.
// When one of the three entry points it needs is unset, "ImpErro" is reported
// and the result is false.
bool AnalisaRetorno(const std::string& stEsquema, int code, bool show, bool cancelOpenReceipt,
                    bool showLowPaper);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_DRIVER_H_
