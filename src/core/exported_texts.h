// Every exported text of the package (declared in tov00300/state.h), in one
// list: the unload step clears them all, and the tests walk the same list.
#ifndef TOV00300_SRC_CORE_EXPORTED_TEXTS_H_
#define TOV00300_SRC_CORE_EXPORTED_TEXTS_H_

// X(name) for each exported std::string variable.
// clang-format off
#define TOV00300_EXPORTED_TEXTS(X) \
  X(stRetorno) X(stImpDebug) X(stMensagemTaa) X(stNrCupom) X(stCupomFin) \
  X(DsDirCad) X(DsDirDrive) X(dsDiretorio) X(stAtuFili) X(stAtuCaixa) \
  X(stSerieAtu) X(IdTotParcCV) X(IdTotRelatorio) X(IdTotCompCred) X(IdTotParcVCons) \
  X(IdTotCancCred) X(CdFormPagCPess) X(IdFormPagCPess) X(DsFormPagCPess) X(CdFormPagVCons) \
  X(DsFormPagVCons) X(IdTotRelatGer) X(IdTotTef) X(IdFormPagVCons) X(IdTotParcSang) \
  X(IdTotParcSup) X(DarumaRet) X(stAliquotaIss) X(stCupomIni) X(stRetornoAux) \
  X(stData) X(stRet) X(stRed) X(stHoraAtu)
// clang-format on

#endif  // TOV00300_SRC_CORE_EXPORTED_TEXTS_H_
