// The package's plain (C) names, first part: the package frame, the driver,
// the configuration tables, the fiscal receipt, the session and the register
// queries. Each forwards to the namespaced C++ operation, whose mangled
// symbol is the decorated name; exports_documents.cpp holds the rest.
// Operations with only a decorated name (StrToPChar, FormataCNPJ,
// ComparaData_Hora, ...) are not here.
//
// Every name runs its operation in boundary::Guard (exports_boundary.h): the
// last error is cleared on entry and set when an input is refused, an
// operation stops with an error or an answer is cut; no exception crosses.
// Texts come in through In/InBuffer and go out through Deliver/Keep, in the
// host's encoding. A null handle stands for an empty value (Or) unless the
// operation writes into it (Need). A query whose answer did not fit the
// host's buffer answers false; the C header gives each name's contract.

#include <string>

#include "exports_boundary.h"
#include "readings/register_queries.h"
#include "tov00300/config.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/readings.h"
#include "tov00300/receipt.h"
#include "tov00300/session.h"
#include "tov00300/tov00300_c.h"

using Tov00300::DataSet;
using Tov00300::StringList;
using Tov00300::Variant;
using Tov00300::VariantArray;
using namespace Tov00300::boundary;

namespace {

// A query with one out text: the text goes back even when the operation
// raised, as the C++ caller would find it; the answer is false when it did
// not fit.
template <typename Operation>
bool Query(const char* name, const char* stEsquema, char* buffer, int size, Operation operation) {
  std::string text;
  const bool ok = Guard(name, false, [&] { return operation(In(stEsquema), text); });
  return Deliver(text, buffer, size) && ok;
}

Variant EmptyBag() {
  return Variant(VariantArray());
}

}  // namespace

extern "C" {

// ---- package frame ----
void Initialize() {
  GuardVoid(__func__, [] { Tov00300::Initialize(); });
}

void Finalize() {
  GuardVoid(__func__, [] { Tov00300::Finalize(); });
}

bool ImpFisDebug(const char* texto) {
  return Guard(__func__, false, [&] {
    Tov00300::ImpFisDebug(In(texto));
    return true;
  });
}

const char* BuscaDiretorio() {
  thread_local std::string resultado;
  return Keep(resultado, Guard(__func__, std::string(), [] { return Tov00300::BuscaDiretorio(); }));
}

// ---- driver binding and return analysis ----
bool StartImpFiscal_FrameWork() {
  return Guard(__func__, false, [] { return Tov00300::StartImpFiscal_FrameWork(); });
}

bool AnalisaRetorno_FrameWork(const char* stEsquema, int inCodRetorno, bool boMostraMsg,
                              bool unused4, bool boAvisoUm) {
  return Guard(__func__, false, [&] {
    return Tov00300::AnalisaRetorno_FrameWork(In(stEsquema), inCodRetorno, boMostraMsg, unused4,
                                              boAvisoUm);
  });
}

bool Estado_Imp(const char* stEsquema, bool unused2, bool unused3) {
  return Guard(__func__, false,
               [&] { return Tov00300::Estado_Imp(In(stEsquema), unused2, unused3); });
}

bool AnalisaRetorno(const char* stEsquema, int code, bool show, bool cancelOpenReceipt,
                    bool showLowPaper) {
  return Guard(__func__, false, [&] {
    return Tov00300::AnalisaRetorno(In(stEsquema), code, show, cancelOpenReceipt, showLowPaper);
  });
}

// ---- configuration tables: tax rates, payment methods, totalizers, identity ----
void CarregaAliquota(const char* stEsquema, DataSet* cdsAliquotas) {
  DataSet empty;
  GuardVoid(__func__, [&] { Tov00300::CarregaAliquota(In(stEsquema), Or(cdsAliquotas, empty)); });
}

bool Retorno_Aliquotas_Imp(const char* stEsquema) {
  return Guard(__func__, false, [&] { return Tov00300::Retorno_Aliquotas_Imp(In(stEsquema)); });
}

void CarregaRecebimento(const char* unused1, const char* stEsquema, int unused3,
                        DataSet* cdsTipoRece) {
  DataSet empty;
  GuardVoid(__func__, [&] {
    Tov00300::CarregaRecebimento(In(unused1), In(stEsquema), unused3, Or(cdsTipoRece, empty));
  });
}

bool Config_FormaPg(const char* stEsquema, const char* nome, bool boMostraMsg, bool unused4) {
  return Guard(__func__, false, [&] {
    return Tov00300::Config_FormaPg(In(stEsquema), In(nome), boMostraMsg, unused4);
  });
}

void CarregaTotalizador(char* contraVale, int contraValeSize, char* vendaConsumidor,
                        int vendaConsumidorSize, char* compraCredito, int compraCreditoSize,
                        char* cancelaCredito, int cancelaCreditoSize, char* relatorio,
                        int relatorioSize, const char* stEsquema, int unused7, DataSet* unused8) {
  char* const buffers[] = {contraVale, vendaConsumidor, compraCredito, cancelaCredito, relatorio};
  const int sizes[] = {contraValeSize, vendaConsumidorSize, compraCreditoSize, cancelaCreditoSize,
                       relatorioSize};
  std::string texts[5];
  bool read = false;
  DataSet empty;
  GuardVoid(__func__, [&] {
    for (int i = 0; i < 5; ++i) texts[i] = InBuffer(buffers[i], sizes[i]);
    const std::string scheme = In(stEsquema);
    read = true;
    Tov00300::CarregaTotalizador(texts[0], texts[1], texts[2], texts[3], texts[4], scheme, unused7,
                                 Or(unused8, empty));
  });
  // The totalizers found or registered stand even when the operation raised
  // afterwards: the host's buffers get them. A refused input leaves them.
  if (!read) return;
  for (int i = 0; i < 5; ++i) Deliver(texts[i], buffers[i], sizes[i]);
}

bool VerificaTotalizador() {
  return Guard(__func__, false, [] { return Tov00300::VerificaTotalizador(); });
}

bool Nomeia_TotParcial(const char* unused1, const char* unused2, const char* unused3,
                       const char* unused4, bool unused5, bool unused6) {
  return Guard(__func__, false, [&] {
    return Tov00300::Nomeia_TotParcial(In(unused1), In(unused2), In(unused3), In(unused4), unused5,
                                       unused6);
  });
}

// Does nothing; the host's buffers are not touched.
void CarregaRelatorioGer(char* /*unused1*/, int /*unused1Size*/, char* /*unused2*/,
                         int /*unused2Size*/, char* /*unused3*/, int /*unused3Size*/,
                         char* /*unused4*/, int /*unused4Size*/, char* /*unused5*/,
                         int /*unused5Size*/, char* /*unused6*/, int /*unused6Size*/,
                         const char* /*unused7*/, int /*unused8*/) {
  ClearError();
}

bool Modelo_Impressora(const char* stEsquema, char* info80, int info80Size, char* info81,
                       int info81Size, char* info79, int info79Size) {
  // Out-only texts: the host's buffers are written, never read.
  std::string a, b, c;
  const bool ok =
      Guard(__func__, false, [&] { return Tov00300::Modelo_Impressora(In(stEsquema), a, b, c); });
  // Every buffer is written, also after one that was too small.
  const bool fit80 = Deliver(a, info80, info80Size);
  const bool fit81 = Deliver(b, info81, info81Size);
  const bool fit79 = Deliver(c, info79, info79Size);
  return ok && fit80 && fit81 && fit79;
}

bool VerificaSerialImp(const Variant* bag) {
  const Variant empty;
  return Guard(__func__, false, [&] { return Tov00300::VerificaSerialImp(Or(bag, empty)); });
}

// The out texts are left unchanged.
bool Versao_Software_Basico(const char* /*unused1*/, char* /*unused2*/, int /*unused2Size*/) {
  ClearError();
  return true;
}

bool DataHoraGravacaoUsuarioSWBasicoMFAdicional(const char* /*unused1*/, char* /*unused2*/,
                                                int /*unused2Size*/, char* /*unused3*/,
                                                int /*unused3Size*/, char* /*unused4*/,
                                                int /*unused4Size*/) {
  ClearError();
  return true;
}

bool NumeroOperacoesNaoFiscais(const char* /*unused1*/, char* /*unused2*/, int /*unused2Size*/) {
  ClearError();
  return true;
}

bool GeraBinMes(double unused1, double unused2, const char* unused3) {
  return Guard(__func__, false, [&] {
    return Tov00300::GeraBinMes(Tov00300::DateTime(unused1), Tov00300::DateTime(unused2),
                                In(unused3));
  });
}

const char* Codigo_Nacional_ECF(int unused1, const char* unused2) {
  thread_local std::string resultado;
  return Keep(resultado, Guard(__func__, std::string(), [&] {
                return Tov00300::Codigo_Nacional_ECF(unused1, In(unused2));
              }));
}

// ---- fiscal receipt: opening, numbering, items, cancellations; non-fiscal receipt ----
bool AbreCupom(Variant* bag) {
  return Guard(__func__, false, [&] { return Tov00300::AbreCupom(Need(bag, "bag")); });
}

const char* Nr_Cupom(const char* unused1, const char* stEsquema) {
  thread_local std::string resultado;
  return Keep(resultado, Guard(__func__, std::string("ERRO"),
                               [&] { return Tov00300::Nr_Cupom(In(unused1), In(stEsquema)); }));
}

bool ContadorCupomFiscalMFD(const char* stEsquema, char* contador, int contadorSize) {
  return Query(__func__, stEsquema, contador, contadorSize, Tov00300::ContadorCupomFiscalMFD);
}

const char* NumeroCupom() {
  thread_local std::string resultado;
  return Keep(resultado, Guard(__func__, std::string(), [] { return Tov00300::NumeroCupom(); }));
}

bool VendaItem(Variant* bag) {
  return Guard(__func__, false, [&] { return Tov00300::VendaItem(Need(bag, "bag")); });
}

bool Cancela_ItGenerico(const char* stEsquema, const char* nrItem, const char* unused3,
                        const char* unused4, const char* unused5, const char* unused6,
                        const char* unused7, const char* unused8, const char* unused9,
                        double unused10, double unused11) {
  return Guard(__func__, false, [&] {
    return Tov00300::Cancela_ItGenerico(In(stEsquema), In(nrItem), In(unused3), In(unused4),
                                        In(unused5), In(unused6), In(unused7), In(unused8),
                                        In(unused9), unused10, unused11);
  });
}

bool Cancela_UltimoItem(const char* stEsquema) {
  return Guard(__func__, false, [&] { return Tov00300::Cancela_UltimoItem(In(stEsquema)); });
}

bool Cancela_Cupom_Imp(const VariantArray* valores, Variant* result) {
  const VariantArray empty;
  return Guard(__func__, false, [&] {
    return Tov00300::Cancela_Cupom_Imp(Or(valores, empty), Need(result, "result"));
  });
}

bool Acrescimo_Imp(const char* stEsquema, char* total, int totalSize) {
  return Query(__func__, stEsquema, total, totalSize, Tov00300::Acrescimo_Imp);
}

void Leitura_Totais_Imp(bool unused1, bool unused2) {
  GuardVoid(__func__, [&] { Tov00300::Leitura_Totais_Imp(unused1, unused2); });
}

bool Cupom_NFiscNVinc(const char* stEsquema, const char* totalizador, const char* valor,
                      const char* formaPagto, const char* unused5) {
  return Guard(__func__, false, [&] {
    return Tov00300::Cupom_NFiscNVinc(In(stEsquema), In(totalizador), In(valor), In(formaPagto),
                                      In(unused5));
  });
}

// ---- session start and stop, port opening, clocks; register queries ----
bool StartImpFiscal(Variant* bag) {
  Variant empty = EmptyBag();
  return Guard(__func__, false, [&] { return Tov00300::StartImpFiscal(Or(bag, empty)); });
}

void StopImpFiscal() {
  GuardVoid(__func__, [] { Tov00300::StopImpFiscal(); });
}

bool AbrePorta(const Variant* bag) {
  const Variant empty = EmptyBag();
  return Guard(__func__, false, [&] { return Tov00300::AbrePorta(Or(bag, empty)); });
}

bool FechaPorta() {
  return Guard(__func__, false, [] { return Tov00300::FechaPorta(); });
}

bool ImpressoraOk(const char* stEsquema, bool unused2, bool unused3, bool unused4) {
  return Guard(__func__, false,
               [&] { return Tov00300::ImpressoraOk(In(stEsquema), unused2, unused3, unused4); });
}

bool AbrePorta_FrameWork(const Variant* bag) {
  const Variant empty = EmptyBag();
  return Guard(__func__, false, [&] { return Tov00300::AbrePorta_FrameWork(Or(bag, empty)); });
}

bool VerificaData(const char* stEsquema, double* dtData, char* stDataHoraImp, int stDataHoraImpSize,
                  const char* stDataMov, bool boLeRelogio) {
  Tov00300::DateTime data(dtData != nullptr ? *dtData : 0.0);
  std::string dateTime;
  bool read = false;
  const bool ok = Guard(__func__, false, [&] {
    dateTime = InBuffer(stDataHoraImp, stDataHoraImpSize);
    const std::string scheme = In(stEsquema), movementDate = In(stDataMov);
    read = true;
    return Tov00300::VerificaData(scheme, data, dateTime, movementDate, boLeRelogio);
  });
  // A refused input leaves the host's values as they were.
  if (!read) return false;
  if (dtData != nullptr) *dtData = data.value;
  return Deliver(dateTime, stDataHoraImp, stDataHoraImpSize) && ok;
}

bool Data_Imp(const char* stEsquema, char* stDataHora, int stDataHoraSize) {
  return Query(__func__, stEsquema, stDataHora, stDataHoraSize, Tov00300::Data_Imp);
}

// The fiscal day as a day count; today's when the operation raised.
double DataMoviFiscal(const char* stEsquema) {
  return Guard(__func__, Tov00300::DateTime::Today().value,
               [&] { return Tov00300::DataMoviFiscal(In(stEsquema)).value; });
}

bool Estado_HorVerao(const char* stEsquema) {
  return Guard(__func__, false, [&] { return Tov00300::Estado_HorVerao(In(stEsquema)); });
}

bool Muda_Horario(const char* stEsquema) {
  return Guard(__func__, false, [&] { return Tov00300::Muda_Horario(In(stEsquema)); });
}

bool Carrega_Dados_Impressora(Variant* bag) {
  return Guard(__func__, false,
               [&] { return Tov00300::Carrega_Dados_Impressora(Need(bag, "bag")); });
}

// 0 for a text that is not an amount (the C++ operation raises ConversionError).
double GetValue(const char* texto) {
  return Guard(__func__, 0.0, [&] { return Tov00300::GetValue(In(texto)); });
}

bool BuscaTotGer(const char* stEsquema, char* total, int totalSize) {
  return Query(__func__, stEsquema, total, totalSize, Tov00300::BuscaTotGer);
}

bool BuscaVendaBruta(const char* stEsquema, char* venda, int vendaSize) {
  return Query(__func__, stEsquema, venda, vendaSize, Tov00300::BuscaVendaBruta);
}

bool Cancelamentos(const char* stEsquema, char* total, int totalSize) {
  return Query(__func__, stEsquema, total, totalSize, Tov00300::Cancelamentos);
}

bool BuscaDescontos(const char* stEsquema, char* total, int totalSize) {
  return Query(__func__, stEsquema, total, totalSize, Tov00300::BuscaDescontos);
}

bool BuscaNReducoes(const char* stEsquema, char* numero, int numeroSize) {
  return Query(__func__, stEsquema, numero, numeroSize, Tov00300::BuscaNReducoes);
}

bool BuscaOpNFis(const char* stEsquema, char* contador, int contadorSize) {
  return Query(__func__, stEsquema, contador, contadorSize, Tov00300::BuscaOpNFis);
}

bool BuscaReinicioOp(const char* stEsquema, char* contador, int contadorSize) {
  return Query(__func__, stEsquema, contador, contadorSize, Tov00300::BuscaReinicioOp);
}

bool DadosUltimaRedZ(const VariantArray* parametros, Variant* resultado, DataSet* dsImposto) {
  const VariantArray noParameters;
  DataSet empty;
  return Guard(__func__, false, [&] {
    return Tov00300::DadosUltimaRedZ(Or(parametros, noParameters), Need(resultado, "resultado"),
                                     Or(dsImposto, empty));
  });
}

bool Atu_TotGeral(const Variant* bag) {
  const Variant empty = EmptyBag();
  return Guard(__func__, false, [&] { return Tov00300::Atu_TotGeral(Or(bag, empty)); });
}

// ---- fiscal receipt: footer, closing and payments ----
const char* Formata_rodape(int inLimite, const char* stModoSaldo, const char* stLinha1,
                           const char* stTributos, const char* stLinha3, const char* cdConvenio,
                           const char* nmConvenio, const char* cdConsumidor,
                           const char* nmConsumidor, const char* cdOperador, const char* nmOperador,
                           const char* stMesa, const char* stSenha, const char* unused14,
                           const char* unused15, const char* unused16, const char* stMensagem,
                           const char* nrEcfConf, const char* nrCerConf, const char* nrCooConf,
                           const char* stTipoSaldo, const char* stTipoRodape, double vrPagoConta,
                           double vrPrecoSubsidio, double vrSaldoConsumidor, DataSet* cdsSaldos,
                           DataSet* cdsFamilias, DataSet* cdsEmprestimos, bool boAnexaLista,
                           const StringList* slLinhas, const char* stPontos,
                           const char* stPontosExtras) {
  thread_local std::string resultado;
  DataSet noBalances, noFamilies, noLoans;
  const StringList noLines;
  return Keep(resultado, Guard(__func__, std::string(), [&] {
                return Tov00300::Formata_rodape(
                    inLimite, In(stModoSaldo), In(stLinha1), In(stTributos), In(stLinha3),
                    In(cdConvenio), In(nmConvenio), In(cdConsumidor), In(nmConsumidor),
                    In(cdOperador), In(nmOperador), In(stMesa), In(stSenha), In(unused14),
                    In(unused15), In(unused16), In(stMensagem), In(nrEcfConf), In(nrCerConf),
                    In(nrCooConf), In(stTipoSaldo), In(stTipoRodape), vrPagoConta, vrPrecoSubsidio,
                    vrSaldoConsumidor, Or(cdsSaldos, noBalances), Or(cdsFamilias, noFamilies),
                    Or(cdsEmprestimos, noLoans), boAnexaLista, Or(slLinhas, noLines), In(stPontos),
                    In(stPontosExtras));
              }));
}

bool FechaCupom(const VariantArray* valores, const StringList* linhas, Variant* result) {
  const VariantArray noValues;
  const StringList noLines;
  return Guard(__func__, false, [&] {
    return Tov00300::FechaCupom(Or(valores, noValues), Or(linhas, noLines), Need(result, "result"));
  });
}

bool Totaliza_NFiscal(const char* unused1, const char* unused2) {
  return Guard(__func__, false,
               [&] { return Tov00300::Totaliza_NFiscal(In(unused1), In(unused2)); });
}

}  // extern "C"
