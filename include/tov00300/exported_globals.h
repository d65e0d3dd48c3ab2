/* The package's exported globals (declared in tov00300/state.h), in two
 * lists: the C interface makes a getter and a setter of each
 * (tov00300_c.h), the unload step clears every text, and the tests walk the
 * same lists. C99 and C++. */
#ifndef TOV00300_EXPORTED_GLOBALS_H_
#define TOV00300_EXPORTED_GLOBALS_H_

/* clang-format off */
/* X(name) for each exported text. */
#define TOV00300_EXPORTED_TEXTS(X)                                                              \
  X(stRetorno) X(stImpDebug) X(stMensagemTaa) X(stNrCupom) X(stCupomFin) X(DsDirCad)            \
  X(DsDirDrive) X(dsDiretorio) X(stAtuFili) X(stAtuCaixa) X(stSerieAtu) X(IdTotParcCV)          \
  X(IdTotRelatorio) X(IdTotCompCred) X(IdTotParcVCons) X(IdTotCancCred) X(CdFormPagCPess)       \
  X(IdFormPagCPess) X(DsFormPagCPess) X(CdFormPagVCons) X(DsFormPagVCons) X(IdTotRelatGer)      \
  X(IdTotTef) X(IdFormPagVCons) X(IdTotParcSang) X(IdTotParcSup) X(DarumaRet) X(stAliquotaIss)  \
  X(stCupomIni) X(stRetornoAux) X(stData) X(stRet) X(stRed) X(stHoraAtu)
/* X(type, name): numbers, flags and the one data-set reference. */
#define TOV00300_EXPORTED_SCALARS(X)                                                   \
  X(int, inRetorno) X(int, inTipoImpFis) X(bool, boImpFiscalOK) X(bool, boNUtilTaa)    \
  X(bool, boClieUtil) X(TovDataSet*, cdsAuxExtSimp)
/* clang-format on */

#endif /* TOV00300_EXPORTED_GLOBALS_H_ */
