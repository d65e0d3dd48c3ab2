// The package's plain (C) names: one extern "C" function per exported
// operation, forwarding to the namespaced C++ operation, whose mangled symbol
// is the decorated name. Operations with only a decorated name (StrToPChar,
// FormataCNPJ, ComparaData_Hora, ...) are not listed here.
//
// The pattern every operation follows:
//  - texts come in as const char* (Windows-1252, zero terminated); a null
//    pointer reads as an empty text;
//  - booleans, integers and floating-point numbers pass as they are;
//    date-times travel as their day count (days since 1899-12-30);
//  - bags, arrays, string lists and data sets pass as pointers to the runtime
//    types (opaque handles in C, see tov00300_c.h, which this file includes so
//    that the compiler checks every definition against its C declaration); a
//    null pointer stands for an empty one;
//  - out and in/out texts travel as the host's buffer and its size in bytes
//    (terminator included): an in/out buffer's text is read on the way in up
//    to its size, and the result is written back cut to size - 1 bytes and
//    zero terminated;
//  - a text result is returned as a const char* into a per-thread buffer of
//    this file, valid until the next call of the same operation on that
//    thread; copy it to keep it;
//  - exceptions never cross the C boundary: an operation whose errors reach
//    the host (a debug-log write error, a conversion error) answers false, 0
//    or "" instead.

#include <algorithm>
#include <cstring>
#include <string>

#include "readings/register_queries.h"
#include "tov00300/accounts.h"
#include "tov00300/closing_reports.h"
#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/legal.h"
#include "tov00300/readings.h"
#include "tov00300/receipt.h"
#include "tov00300/session.h"
#include "tov00300/table_service.h"
#include "tov00300/tov00300_c.h"
#include "tov00300/vouchers.h"

namespace {

std::string Texto(const char* texto) {
  return texto != nullptr ? std::string(texto) : std::string();
}

// The text of an in/out buffer of `tamanho` bytes: up to its first zero byte,
// never past the buffer, also when the host's text fills it unterminated.
std::string TextoDoBuffer(const char* buffer, int tamanho) {
  if (buffer == nullptr || tamanho <= 0) return std::string();
  return std::string(buffer, strnlen(buffer, static_cast<size_t>(tamanho)));
}

// Runs the operation; a failure that would be an exception becomes `falha`.
template <typename Resultado, typename Operacao>
Resultado Protegido(Resultado falha, Operacao operacao) {
  try {
    return operacao();
  } catch (...) {
    return falha;
  }
}

// Copies a text result into the host's buffer of `tamanho` bytes (terminator
// included), cut to fit and zero terminated.
void Devolve(const std::string& texto, char* buffer, int tamanho) {
  if (buffer == nullptr || tamanho <= 0) return;
  const size_t n = std::min(texto.size(), static_cast<size_t>(tamanho - 1));
  std::memcpy(buffer, texto.data(), n);
  buffer[n] = '\0';
}

// A query with an out text: the text goes back even when the operation
// raised, as the C++ caller would find it.
template <typename Operacao>
bool ConsultaTexto(const char* stEsquema, char* buffer, int tamanho, Operacao operacao) {
  std::string texto;
  const bool ok = Protegido(false, [&] { return operacao(Texto(stEsquema), texto); });
  Devolve(texto, buffer, tamanho);
  return ok;
}

}  // namespace

extern "C" {

// ---- package frame ----
void Initialize() {
  try {
    Tov00300::Initialize();
  } catch (...) {
  }
}

void Finalize() {
  try {
    Tov00300::Finalize();
  } catch (...) {
  }
}

bool ImpFisDebug(const char* texto) {
  return Protegido(false, [&] {
    Tov00300::ImpFisDebug(Texto(texto));
    return true;
  });
}

const char* BuscaDiretorio() {
  thread_local std::string resultado;
  resultado = Protegido(std::string(), [] { return Tov00300::BuscaDiretorio(); });
  return resultado.c_str();
}

// ---- driver binding and return analysis ----
bool StartImpFiscal_FrameWork() {
  return Protegido(false, [] { return Tov00300::StartImpFiscal_FrameWork(); });
}

bool AnalisaRetorno_FrameWork(const char* stEsquema, int inCodRetorno, bool boMostraMsg,
                              bool boReservado, bool boAvisoUm) {
  return Protegido(false, [&] {
    return Tov00300::AnalisaRetorno_FrameWork(Texto(stEsquema), inCodRetorno, boMostraMsg,
                                              boReservado, boAvisoUm);
  });
}

bool Estado_Imp(const char* stEsquema, bool boReservado1, bool boReservado2) {
  return Protegido(
      false, [&] { return Tov00300::Estado_Imp(Texto(stEsquema), boReservado1, boReservado2); });
}

bool AnalisaRetorno(const char* stEsquema, int code, bool show, bool cancelOpenReceipt,
                    bool showLowPaper) {
  return Protegido(false, [&] {
    return Tov00300::AnalisaRetorno(Texto(stEsquema), code, show, cancelOpenReceipt, showLowPaper);
  });
}

}  // extern "C"

// ---- configuration tables: tax rates, payment methods, totalizers, identity ----

extern "C" {

void CarregaAliquota(const char* stEsquema, Tov00300::DataSet* cds) {
  Tov00300::DataSet vazio;
  Protegido(false, [&] {
    Tov00300::CarregaAliquota(Texto(stEsquema), cds != nullptr ? *cds : vazio);
    return true;
  });
}

bool Retorno_Aliquotas_Imp(const char* stEsquema) {
  return Protegido(false, [&] { return Tov00300::Retorno_Aliquotas_Imp(Texto(stEsquema)); });
}

void CarregaRecebimento(const char* texto, const char* stEsquema, int inteiro,
                        Tov00300::DataSet* cds) {
  Tov00300::DataSet vazio;
  Protegido(false, [&] {
    Tov00300::CarregaRecebimento(Texto(texto), Texto(stEsquema), inteiro,
                                 cds != nullptr ? *cds : vazio);
    return true;
  });
}

bool Config_FormaPg(const char* stEsquema, const char* nome, bool boMostraMsg, bool boReservado) {
  return Protegido(false, [&] {
    return Tov00300::Config_FormaPg(Texto(stEsquema), Texto(nome), boMostraMsg, boReservado);
  });
}

void CarregaTotalizador(char* contraVale, int tamContraVale, char* vendaConsumidor,
                        int tamVendaConsumidor, char* compraCredito, int tamCompraCredito,
                        char* cancelaCredito, int tamCancelaCredito, char* relatorio,
                        int tamRelatorio, const char* stEsquema, int inteiro,
                        Tov00300::DataSet* cds) {
  std::string t1 = TextoDoBuffer(contraVale, tamContraVale),
              t2 = TextoDoBuffer(vendaConsumidor, tamVendaConsumidor),
              t3 = TextoDoBuffer(compraCredito, tamCompraCredito),
              t4 = TextoDoBuffer(cancelaCredito, tamCancelaCredito),
              t5 = TextoDoBuffer(relatorio, tamRelatorio);
  Tov00300::DataSet vazio;
  Protegido(false, [&] {
    Tov00300::CarregaTotalizador(t1, t2, t3, t4, t5, Texto(stEsquema), inteiro,
                                 cds != nullptr ? *cds : vazio);
    return true;
  });
  Devolve(t1, contraVale, tamContraVale);
  Devolve(t2, vendaConsumidor, tamVendaConsumidor);
  Devolve(t3, compraCredito, tamCompraCredito);
  Devolve(t4, cancelaCredito, tamCancelaCredito);
  Devolve(t5, relatorio, tamRelatorio);
}

bool VerificaTotalizador() {
  return Protegido(false, [] { return Tov00300::VerificaTotalizador(); });
}

bool Nomeia_TotParcial(const char* texto1, const char* texto2, const char* texto3,
                       const char* texto4, bool flag1, bool flag2) {
  return Protegido(false, [&] {
    return Tov00300::Nomeia_TotParcial(Texto(texto1), Texto(texto2), Texto(texto3), Texto(texto4),
                                       flag1, flag2);
  });
}

// Does nothing; the host's buffers are not touched.
void CarregaRelatorioGer(char* /*texto1*/, int /*tam1*/, char* /*texto2*/, int /*tam2*/,
                         char* /*texto3*/, int /*tam3*/, char* /*texto4*/, int /*tam4*/,
                         char* /*texto5*/, int /*tam5*/, char* /*texto6*/, int /*tam6*/,
                         const char* /*texto*/, int /*inteiro*/) {}

bool Modelo_Impressora(const char* stEsquema, char* a, int tamA, char* b, int tamB, char* c,
                       int tamC) {
  // Out-only texts: the host's buffers are written, never read.
  std::string ta, tb, tc;
  const bool resultado =
      Protegido(false, [&] { return Tov00300::Modelo_Impressora(Texto(stEsquema), ta, tb, tc); });
  Devolve(ta, a, tamA);
  Devolve(tb, b, tamB);
  Devolve(tc, c, tamC);
  return resultado;
}

bool VerificaSerialImp(const Tov00300::Variant* bag) {
  return Protegido(false, [&] {
    return Tov00300::VerificaSerialImp(bag != nullptr ? *bag : Tov00300::Variant());
  });
}

// The out texts are left unchanged.
bool Versao_Software_Basico(const char* /*texto*/, char* /*versao*/, int /*tamanho*/) {
  return true;
}

bool DataHoraGravacaoUsuarioSWBasicoMFAdicional(const char* /*texto*/, char* /*dataHora*/,
                                                int /*tam1*/, char* /*usuario*/, int /*tam2*/,
                                                char* /*mfAdicional*/, int /*tam3*/) {
  return true;
}

bool NumeroOperacoesNaoFiscais(const char* /*texto*/, char* /*numero*/, int /*tamanho*/) {
  return true;
}

bool GeraBinMes(double inicio, double fim, const char* texto) {
  return Protegido(false, [&] {
    return Tov00300::GeraBinMes(Tov00300::DateTime(inicio), Tov00300::DateTime(fim), Texto(texto));
  });
}

const char* Codigo_Nacional_ECF(int modelo, const char* texto) {
  thread_local std::string resultado;
  resultado =
      Protegido(std::string(), [&] { return Tov00300::Codigo_Nacional_ECF(modelo, Texto(texto)); });
  return resultado.c_str();
}

}  // extern "C"

// ---- fiscal receipt: opening, numbering, items, cancellations; non-fiscal receipt ----

extern "C" {

bool AbreCupom(Tov00300::Variant* bag) {
  return Protegido(false, [&] { return bag != nullptr && Tov00300::AbreCupom(*bag); });
}

const char* Nr_Cupom(const char* ignorado, const char* stEsquema) {
  thread_local std::string resultado;
  resultado = Protegido(std::string("ERRO"),
                        [&] { return Tov00300::Nr_Cupom(Texto(ignorado), Texto(stEsquema)); });
  return resultado.c_str();
}

bool ContadorCupomFiscalMFD(const char* stEsquema, char* contador, int size) {
  return Protegido(false, [&] {
    std::string texto;
    const bool ok = Tov00300::ContadorCupomFiscalMFD(Texto(stEsquema), texto);
    Devolve(texto, contador, size);
    return ok;
  });
}

const char* NumeroCupom() {
  thread_local std::string resultado;
  resultado = Protegido(std::string(), [] { return Tov00300::NumeroCupom(); });
  return resultado.c_str();
}

bool VendaItem(Tov00300::Variant* bag) {
  return Protegido(false, [&] { return bag != nullptr && Tov00300::VendaItem(*bag); });
}

bool Cancela_ItGenerico(const char* stEsquema, const char* nrItem, const char* ignorado1,
                        const char* ignorado2, const char* ignorado3, const char* ignorado4,
                        const char* ignorado5, const char* ignorado6, const char* ignorado7,
                        double ignorado8, double ignorado9) {
  return Protegido(false, [&] {
    return Tov00300::Cancela_ItGenerico(Texto(stEsquema), Texto(nrItem), Texto(ignorado1),
                                        Texto(ignorado2), Texto(ignorado3), Texto(ignorado4),
                                        Texto(ignorado5), Texto(ignorado6), Texto(ignorado7),
                                        ignorado8, ignorado9);
  });
}

bool Cancela_UltimoItem(const char* stEsquema) {
  return Protegido(false, [&] { return Tov00300::Cancela_UltimoItem(Texto(stEsquema)); });
}

bool Cancela_Cupom_Imp(const Tov00300::VariantArray* valores, Tov00300::Variant* result) {
  return Protegido(false, [&] {
    if (result == nullptr) return false;
    return Tov00300::Cancela_Cupom_Imp(valores != nullptr ? *valores : Tov00300::VariantArray(),
                                       *result);
  });
}

bool Acrescimo_Imp(const char* stEsquema, char* total, int size) {
  return Protegido(false, [&] {
    std::string texto;
    const bool ok = Tov00300::Acrescimo_Imp(Texto(stEsquema), texto);
    Devolve(texto, total, size);
    return ok;
  });
}

void Leitura_Totais_Imp(bool reservado1, bool reservado2) {
  Protegido(false, [&] {
    Tov00300::Leitura_Totais_Imp(reservado1, reservado2);
    return true;
  });
}

bool Cupom_NFiscNVinc(const char* stEsquema, const char* totalizador, const char* valor,
                      const char* formaPagto, const char* ignorado) {
  return Protegido(false, [&] {
    return Tov00300::Cupom_NFiscNVinc(Texto(stEsquema), Texto(totalizador), Texto(valor),
                                      Texto(formaPagto), Texto(ignorado));
  });
}

}  // extern "C"

// ---- session start and stop, port opening, clocks; register queries ----

extern "C" {

bool StartImpFiscal(Tov00300::Variant* bag) {
  Tov00300::Variant vazio{Tov00300::VariantArray()};
  return Protegido(false, [&] { return Tov00300::StartImpFiscal(bag != nullptr ? *bag : vazio); });
}

void StopImpFiscal() {
  Protegido(false, [] {
    Tov00300::StopImpFiscal();
    return true;
  });
}

bool AbrePorta(const Tov00300::Variant* bag) {
  const Tov00300::Variant vazio{Tov00300::VariantArray()};
  return Protegido(false, [&] { return Tov00300::AbrePorta(bag != nullptr ? *bag : vazio); });
}

bool FechaPorta() {
  return Protegido(false, [] { return Tov00300::FechaPorta(); });
}

bool ImpressoraOk(const char* stEsquema, bool boReservado1, bool boReservado2, bool boReservado3) {
  return Protegido(false, [&] {
    return Tov00300::ImpressoraOk(Texto(stEsquema), boReservado1, boReservado2, boReservado3);
  });
}

bool AbrePorta_FrameWork(const Tov00300::Variant* bag) {
  const Tov00300::Variant vazio{Tov00300::VariantArray()};
  return Protegido(false,
                   [&] { return Tov00300::AbrePorta_FrameWork(bag != nullptr ? *bag : vazio); });
}

bool VerificaData(const char* stEsquema, double* dtData, char* stDataHoraImp, int tamanho,
                  const char* stDataMov, bool boLeRelogio) {
  Tov00300::DateTime data(dtData != nullptr ? *dtData : 0.0);
  std::string dataHora = TextoDoBuffer(stDataHoraImp, tamanho);
  const bool ok = Protegido(false, [&] {
    return Tov00300::VerificaData(Texto(stEsquema), data, dataHora, Texto(stDataMov), boLeRelogio);
  });
  if (dtData != nullptr) *dtData = data.value;
  Devolve(dataHora, stDataHoraImp, tamanho);
  return ok;
}

bool Data_Imp(const char* stEsquema, char* stDataHora, int tamanho) {
  return ConsultaTexto(stEsquema, stDataHora, tamanho, Tov00300::Data_Imp);
}

// The fiscal day as a day count; today's when the operation raised.
double DataMoviFiscal(const char* stEsquema) {
  return Protegido(Tov00300::DateTime::Today().value,
                   [&] { return Tov00300::DataMoviFiscal(Texto(stEsquema)).value; });
}

bool Estado_HorVerao(const char* stEsquema) {
  return Protegido(false, [&] { return Tov00300::Estado_HorVerao(Texto(stEsquema)); });
}

bool Muda_Horario(const char* stEsquema) {
  return Protegido(false, [&] { return Tov00300::Muda_Horario(Texto(stEsquema)); });
}

bool Carrega_Dados_Impressora(Tov00300::Variant* bag) {
  if (bag == nullptr) return false;
  return Protegido(false, [&] { return Tov00300::Carrega_Dados_Impressora(*bag); });
}

// 0 for a text that is not an amount (the C++ operation raises ConversionError).
double GetValue(const char* texto) {
  return Protegido(0.0, [&] { return Tov00300::GetValue(Texto(texto)); });
}

bool BuscaTotGer(const char* stEsquema, char* total, int tamanho) {
  return ConsultaTexto(stEsquema, total, tamanho, Tov00300::BuscaTotGer);
}

bool BuscaVendaBruta(const char* stEsquema, char* venda, int tamanho) {
  return ConsultaTexto(stEsquema, venda, tamanho, Tov00300::BuscaVendaBruta);
}

bool Cancelamentos(const char* stEsquema, char* total, int tamanho) {
  return ConsultaTexto(stEsquema, total, tamanho, Tov00300::Cancelamentos);
}

bool BuscaDescontos(const char* stEsquema, char* total, int tamanho) {
  return ConsultaTexto(stEsquema, total, tamanho, Tov00300::BuscaDescontos);
}

bool BuscaNReducoes(const char* stEsquema, char* numero, int tamanho) {
  return ConsultaTexto(stEsquema, numero, tamanho, Tov00300::BuscaNReducoes);
}

bool BuscaOpNFis(const char* stEsquema, char* contador, int tamanho) {
  return ConsultaTexto(stEsquema, contador, tamanho, Tov00300::BuscaOpNFis);
}

bool BuscaReinicioOp(const char* stEsquema, char* contador, int tamanho) {
  return ConsultaTexto(stEsquema, contador, tamanho, Tov00300::BuscaReinicioOp);
}

bool DadosUltimaRedZ(const Tov00300::VariantArray* parametros, Tov00300::Variant* resultado,
                     Tov00300::DataSet* dsImposto) {
  if (resultado == nullptr) return false;
  Tov00300::DataSet vazio;
  return Protegido(false, [&] {
    return Tov00300::DadosUltimaRedZ(parametros != nullptr ? *parametros : Tov00300::VariantArray(),
                                     *resultado, dsImposto != nullptr ? *dsImposto : vazio);
  });
}

bool Atu_TotGeral(const Tov00300::Variant* bag) {
  const Tov00300::Variant vazio{Tov00300::VariantArray()};
  return Protegido(false, [&] { return Tov00300::Atu_TotGeral(bag != nullptr ? *bag : vazio); });
}

}  // extern "C"

// ---- fiscal receipt: footer, closing and payments ----

extern "C" {

const char* Formata_rodape(
    int inLimite, const char* stModoSaldo, const char* stLinha1, const char* stTributos,
    const char* stLinha3, const char* cdConvenio, const char* nmConvenio, const char* cdConsumidor,
    const char* nmConsumidor, const char* cdOperador, const char* nmOperador, const char* stMesa,
    const char* stSenha, const char* ignorado14, const char* ignorado15, const char* ignorado16,
    const char* stMensagem, const char* nrEcfConf, const char* nrCerConf, const char* nrCooConf,
    const char* stTipoSaldo, const char* stTipoRodape, double vrPagoConta, double vrPrecoSubsidio,
    double vrSaldoConsumidor, Tov00300::DataSet* cdsSaldos, Tov00300::DataSet* cdsFamilias,
    Tov00300::DataSet* cdsEmprestimos, bool boAnexaLista, const Tov00300::StringList* slLinhas,
    const char* stPontos, const char* stPontosExtras) {
  thread_local std::string resultado;
  Tov00300::DataSet semSaldos, semFamilias, semEmprestimos;
  const Tov00300::StringList semLinhas;
  resultado = Protegido(std::string(), [&] {
    return Tov00300::Formata_rodape(
        inLimite, Texto(stModoSaldo), Texto(stLinha1), Texto(stTributos), Texto(stLinha3),
        Texto(cdConvenio), Texto(nmConvenio), Texto(cdConsumidor), Texto(nmConsumidor),
        Texto(cdOperador), Texto(nmOperador), Texto(stMesa), Texto(stSenha), Texto(ignorado14),
        Texto(ignorado15), Texto(ignorado16), Texto(stMensagem), Texto(nrEcfConf), Texto(nrCerConf),
        Texto(nrCooConf), Texto(stTipoSaldo), Texto(stTipoRodape), vrPagoConta, vrPrecoSubsidio,
        vrSaldoConsumidor, cdsSaldos != nullptr ? *cdsSaldos : semSaldos,
        cdsFamilias != nullptr ? *cdsFamilias : semFamilias,
        cdsEmprestimos != nullptr ? *cdsEmprestimos : semEmprestimos, boAnexaLista,
        slLinhas != nullptr ? *slLinhas : semLinhas, Texto(stPontos), Texto(stPontosExtras));
  });
  return resultado.c_str();
}

bool FechaCupom(const Tov00300::VariantArray* valores, const Tov00300::StringList* linhas,
                Tov00300::Variant* result) {
  return Protegido(false, [&] {
    if (result == nullptr) return false;
    return Tov00300::FechaCupom(valores != nullptr ? *valores : Tov00300::VariantArray(),
                                linhas != nullptr ? *linhas : Tov00300::StringList(), *result);
  });
}

bool Totaliza_NFiscal(const char* ignorado1, const char* ignorado2) {
  return Protegido(false,
                   [&] { return Tov00300::Totaliza_NFiscal(Texto(ignorado1), Texto(ignorado2)); });
}

}  // extern "C"

// ---- management reports ----

extern "C" {

bool RG_FrameWork(const char* stEsquema, const char* texto) {
  return Protegido(false, [&] { return Tov00300::RG_FrameWork(Texto(stEsquema), Texto(texto)); });
}

bool Relatorio_Gerencial_Imp(const char* stEsquema, const char* textoA, const char* textoB,
                             const char* ignorado, const char* grava) {
  return Protegido(false, [&] {
    return Tov00300::Relatorio_Gerencial_Imp(Texto(stEsquema), Texto(textoA), Texto(textoB),
                                             Texto(ignorado), Texto(grava));
  });
}

bool Usa_CompNFis(const char* stEsquema, const char* texto) {
  return Protegido(false, [&] { return Tov00300::Usa_CompNFis(Texto(stEsquema), Texto(texto)); });
}

bool FechRelatGerenc(const char* stEsquema, bool boMostraMsg, bool boReservado) {
  return Protegido(
      false, [&] { return Tov00300::FechRelatGerenc(Texto(stEsquema), boMostraMsg, boReservado); });
}

bool UsaRG_FrameWork(const char* stEsquema) {
  return Protegido(false, [&] { return Tov00300::UsaRG_FrameWork(Texto(stEsquema)); });
}

void Cabecalho(const char* ignorado1, const char* stEsquema, const char* titulo, const char* caixa,
               const char* ignorado2, const char* ignorado3) {
  Protegido(false, [&] {
    Tov00300::Cabecalho(Texto(ignorado1), Texto(stEsquema), Texto(titulo), Texto(caixa),
                        Texto(ignorado2), Texto(ignorado3));
    return true;
  });
}

void GravaDocumentosNaoFiscais(const char* chave, const char* stEsquema, const char* tipo,
                               const char* extra) {
  Protegido(false, [&] {
    Tov00300::GravaDocumentosNaoFiscais(Texto(chave), Texto(stEsquema), Texto(tipo), Texto(extra));
    return true;
  });
}

bool Relatorio_Generico(const char* stEsquema, const char* textoA, const char* textoB,
                        const char* texto, const char* chave, const char* ignorado) {
  return Protegido(false, [&] {
    return Tov00300::Relatorio_Generico(Texto(stEsquema), Texto(textoA), Texto(textoB),
                                        Texto(texto), Texto(chave), Texto(ignorado));
  });
}

bool Cupom_Troca(const char* stEsquema, const char* ignorado1, const char* ignorado2,
                 const char* texto) {
  return Protegido(false, [&] {
    return Tov00300::Cupom_Troca(Texto(stEsquema), Texto(ignorado1), Texto(ignorado2),
                                 Texto(texto));
  });
}

// `nrCupom` is the host's buffer of `tamNrCupom` bytes; it receives the
// receipt number (six characters, or "ERRO").
bool Conferencia_Formatada(const char* stEsquema, const char* ignorado1, const char* ignorado2,
                           const char* ignorado3, const char* ignorado4, const char* ignorado5,
                           char* nrCupom, int tamNrCupom, const char* texto) {
  std::string numero;
  const bool ok = Protegido(false, [&] {
    return Tov00300::Conferencia_Formatada(Texto(stEsquema), Texto(ignorado1), Texto(ignorado2),
                                           Texto(ignorado3), Texto(ignorado4), Texto(ignorado5),
                                           numero, Texto(texto));
  });
  Devolve(numero, nrCupom, tamNrCupom);
  return ok;
}

bool CodigoBarra(const char* stEsquema, const char* textoA, const char* textoB, int ignorado,
                 const char* codigo, const char* tipo) {
  return Protegido(false, [&] {
    return Tov00300::CodigoBarra(Texto(stEsquema), Texto(textoA), Texto(textoB), ignorado,
                                 Texto(codigo), Texto(tipo));
  });
}

}  // extern "C"

// ---- X reading and Z reduction ----

extern "C" {

bool Leitura_X_Imp(const char* chave, const char* ignorado1, const char* stEsquema,
                   const char* ignorado2) {
  return Protegido(false, [&] {
    return Tov00300::Leitura_X_Imp(Texto(chave), Texto(ignorado1), Texto(stEsquema),
                                   Texto(ignorado2));
  });
}

bool Reducao_Z_Imp(const char* chave, const char* ignorado1, const char* stEsquema,
                   const char* ignorado2) {
  return Protegido(false, [&] {
    return Tov00300::Reducao_Z_Imp(Texto(chave), Texto(ignorado1), Texto(stEsquema),
                                   Texto(ignorado2));
  });
}

}  // extern "C"

// ---- cash supply, withdrawal and drawer ----

extern "C" {

bool Suprimento(const char* stEsquema, double valor) {
  return Protegido(false, [&] { return Tov00300::Suprimento(Texto(stEsquema), valor); });
}

bool Sangria(const char* ignorado, const char* stEsquema, double valor,
             Tov00300::DataSet* ignorado2) {
  Tov00300::DataSet vazio;
  return Protegido(false, [&] {
    return Tov00300::Sangria(Texto(ignorado), Texto(stEsquema), valor,
                             ignorado2 != nullptr ? *ignorado2 : vazio);
  });
}

bool Abre_Gaveta_Imp(const char* stEsquema, bool ignorado) {
  return Protegido(false, [&] { return Tov00300::Abre_Gaveta_Imp(Texto(stEsquema), ignorado); });
}

const char* Estado_Gaveta_Imp(const char* stEsquema) {
  thread_local std::string resultado;
  resultado =
      Protegido(std::string(), [&] { return Tov00300::Estado_Gaveta_Imp(Texto(stEsquema)); });
  return resultado.c_str();
}

}  // extern "C"

// ---- Z-reduction export ----

extern "C" {

// False when the export ended with an error (a printer reply that is not a
// number, a receipt number "ERRO", a host table without its fields): the
// C++ operation raises it, and here it becomes a debug-log line. The data
// sets hold the rows gathered until then.
bool ExportRedZ(const char* unusedText, const char* stEsquema, const char* ecfNumber,
                int unusedNumber, const Tov00300::DataSet* paymentTypes,
                Tov00300::DataSet* dsReducaoZ, Tov00300::DataSet* dsFormPgtoRedZ,
                Tov00300::DataSet* dsImpostoRedZ, Tov00300::DataSet* dsTotNFiscRedZ) {
  Tov00300::DataSet noTypes, noDay, noPayments, noTaxes, noTotalizers;
  try {
    return Tov00300::ExportRedZ(Texto(unusedText), Texto(stEsquema), Texto(ecfNumber), unusedNumber,
                                paymentTypes != nullptr ? *paymentTypes : noTypes,
                                dsReducaoZ != nullptr ? *dsReducaoZ : noDay,
                                dsFormPgtoRedZ != nullptr ? *dsFormPgtoRedZ : noPayments,
                                dsImpostoRedZ != nullptr ? *dsImpostoRedZ : noTaxes,
                                dsTotNFiscRedZ != nullptr ? *dsTotNFiscRedZ : noTotalizers);
  } catch (const std::exception& e) {
    Protegido(false, [&] {
      Tov00300::ImpFisDebug(std::string("ExportRedZ : ") + e.what());
      return true;
    });
  } catch (...) {
    Protegido(false, [] {
      Tov00300::ImpFisDebug("ExportRedZ : an error that is not a std::exception");
      return true;
    });
  }
  return false;
}

}  // extern "C"

// ---- legal files ----

namespace {

// The legal-file operations that take a positional list: a null list is an
// empty one and a null result a scratch variant (the result is not used).
template <typename Operacao>
bool ComLista(const Tov00300::VariantArray* valores, Tov00300::Variant* resultado,
              Operacao operacao) {
  Tov00300::Variant descartado;
  return Protegido(false, [&] {
    return operacao(valores != nullptr ? *valores : Tov00300::VariantArray(),
                    resultado != nullptr ? *resultado : descartado);
  });
}

}  // namespace

extern "C" {

void geraEad(const char* caminho) {
  try {
    Tov00300::geraEad(Texto(caminho));
  } catch (...) {
  }
}

bool Memoria_Fiscal_Imp(const char* stEsquema, const char* tipo, const char* inicio,
                        const char* fim, const char* ignorado) {
  return Protegido(false, [&] {
    return Tov00300::Memoria_Fiscal_Imp(Texto(stEsquema), Texto(tipo), Texto(inicio), Texto(fim),
                                        Texto(ignorado));
  });
}

bool EmiteLeituraMemoriaFiscal(const char* stEsquema, const char* inicio, const char* fim,
                               const char* flag, const char* tipo, const char* chave) {
  return Protegido(false, [&] {
    return Tov00300::EmiteLeituraMemoriaFiscal(Texto(stEsquema), Texto(inicio), Texto(fim),
                                               Texto(flag), Texto(tipo), Texto(chave));
  });
}

bool EmiteLeituraMemoriaFiscalSerial(const Tov00300::VariantArray* valores,
                                     Tov00300::Variant* resultado) {
  return ComLista(valores, resultado, Tov00300::EmiteLeituraMemoriaFiscalSerial);
}

bool Gera_ArquivoMFD(const Tov00300::VariantArray* valores, Tov00300::Variant* resultado) {
  return ComLista(valores, resultado, Tov00300::Gera_ArquivoMFD);
}

bool geraEspelhoMfd(const Tov00300::VariantArray* valores, Tov00300::Variant* resultado) {
  return ComLista(valores, resultado, Tov00300::geraEspelhoMfd);
}

bool GERA_MF(const char* ignorado, const char* destino) {
  return Protegido(false, [&] { return Tov00300::GERA_MF(Texto(ignorado), Texto(destino)); });
}

void ImprimeDadosPaf(const Tov00300::VariantArray* valores, Tov00300::Variant* resultado) {
  ComLista(valores, resultado, [](const Tov00300::VariantArray& v, Tov00300::Variant& r) {
    Tov00300::ImprimeDadosPaf(v, r);
    return true;
  });
}

// `lista` receives the collected paths (replacing what it held); null when
// the host does not want them.
bool GeraCatGenerica(const Tov00300::VariantArray* valores, Tov00300::StringList* lista) {
  Tov00300::StringList descartada;
  return Protegido(false, [&] {
    return Tov00300::GeraCatGenerica(valores != nullptr ? *valores : Tov00300::VariantArray(),
                                     lista != nullptr ? *lista : descartada);
  });
}

}  // extern "C"

// ---- cash closing and table service ----

extern "C" {

void Relatorio_Produto(const char* ignorado1, const char* ignorado2, const char* ignorado3,
                       const char* ignorado4, const char* ignorado5, char* nrCupom, int size,
                       Tov00300::DataSet* produtos, const char* confirma, const char* agrupado,
                       const char* stEsquema, bool* relatorio) {
  Protegido(false, [&] {
    std::string numero = TextoDoBuffer(nrCupom, size);
    bool flag = relatorio != nullptr && *relatorio;
    Tov00300::DataSet vazio;
    Tov00300::Relatorio_Produto(Texto(ignorado1), Texto(ignorado2), Texto(ignorado3),
                                Texto(ignorado4), Texto(ignorado5), numero,
                                produtos != nullptr ? *produtos : vazio, Texto(confirma),
                                Texto(agrupado), Texto(stEsquema), flag);
    Devolve(numero, nrCupom, size);
    if (relatorio != nullptr) *relatorio = flag;
    return true;
  });
}

bool GeraReciboSangria(
    const char* ignorado1, const char* chaveRegistro, const char* produto3, const char* produto4,
    const char* ignorado5, int ignorado6, char* nrCupom, int size, Tov00300::DataSet* movFecha,
    Tov00300::DataSet* sangria, Tov00300::DataSet* produtos, Tov00300::DataSet* operadorSup,
    Tov00300::DataSet* movTot, Tov00300::DataSet* movAbertura, Tov00300::DataSet* produtosGeral,
    Tov00300::DataSet* cargaCredito, double ignorado16, bool imprimeSangria, bool permiteReducao,
    bool ignorado19, Tov00300::DataSet* ignorado20, Tov00300::DataSet* ignorado21,
    Tov00300::DataSet* ignorado22, Tov00300::DataSet* ignorado23, bool* reducaoConfirmada,
    Tov00300::DataSet* tiposRece, const char* confirmaProdutos, const char* agrupaProdutos,
    const char* leituraX, const char* envelope, const char* stEsquema, bool somenteSangria,
    bool caixaTratado, bool reducaoLiberada, const char* motivo, const char* observacao) {
  return Protegido(false, [&] {
    // Each missing set is a distinct empty one: the operation copies some
    // of them into the data module and reads others in place.
    Tov00300::DataSet vazios[15];
    auto set = [&](Tov00300::DataSet* ds, int i) -> Tov00300::DataSet& {
      return ds != nullptr ? *ds : vazios[i];
    };
    std::string numero = TextoDoBuffer(nrCupom, size);
    bool confirmada = false;
    const bool result = Tov00300::GeraReciboSangria(
        Texto(ignorado1), Texto(chaveRegistro), Texto(produto3), Texto(produto4), Texto(ignorado5),
        ignorado6, numero, set(movFecha, 0), set(sangria, 1), set(produtos, 2), set(operadorSup, 3),
        set(movTot, 4), set(movAbertura, 5), set(produtosGeral, 6), set(cargaCredito, 7),
        Tov00300::DateTime(ignorado16), imprimeSangria, permiteReducao, ignorado19,
        set(ignorado20, 8), set(ignorado21, 9), set(ignorado22, 10), set(ignorado23, 11),
        confirmada, set(tiposRece, 12), Texto(confirmaProdutos), Texto(agrupaProdutos),
        Texto(leituraX), Texto(envelope), Texto(stEsquema), somenteSangria, caixaTratado,
        reducaoLiberada, Texto(motivo), Texto(observacao));
    Devolve(numero, nrCupom, size);
    if (reducaoConfirmada != nullptr) *reducaoConfirmada = confirmada;
    return result;
  });
}

bool Abertura_Mesa(const char* ignorado1, const char* stEsquema, const char* ignorado3,
                   const char* mesa, const char* ignorado5, const char* emissao,
                   const Tov00300::Variant* itens, double desconto, double ignorado9,
                   double ignorado10, double taxaServico, double ignorado12, double total,
                   double acrescimo) {
  return Protegido(false, [&] {
    return Tov00300::Abertura_Mesa(
        Texto(ignorado1), Texto(stEsquema), Texto(ignorado3), Texto(mesa), Texto(ignorado5),
        Texto(emissao), itens != nullptr ? *itens : Tov00300::Variant(), desconto, ignorado9,
        ignorado10, taxaServico, ignorado12, total, acrescimo);
  });
}

bool RegistroVenda(const char* ignorado1, const char* ignorado2, const char* stEsquema,
                   Tov00300::DataSet* itens, const char* numero) {
  return Protegido(false, [&] {
    Tov00300::DataSet vazio;
    return Tov00300::RegistroVenda(Texto(ignorado1), Texto(ignorado2), Texto(stEsquema),
                                   itens != nullptr ? *itens : vazio, Texto(numero));
  });
}

void ImprimeMesasAbertas(Tov00300::DataSet* ignorado1, const char* ignorado2, const char* ignorado3,
                         const char* stEsquema, const char* ignorado5,
                         const Tov00300::Variant* mesas) {
  Protegido(false, [&] {
    Tov00300::DataSet vazio;
    Tov00300::ImprimeMesasAbertas(ignorado1 != nullptr ? *ignorado1 : vazio, Texto(ignorado2),
                                  Texto(ignorado3), Texto(stEsquema), Texto(ignorado5),
                                  mesas != nullptr ? *mesas : Tov00300::Variant());
    return true;
  });
}

void imprimeProdutosTransf(const char* ignorado1, const char* ignorado2, const char* stEsquema,
                           const Tov00300::Variant* produtos) {
  Protegido(false, [&] {
    Tov00300::imprimeProdutosTransf(Texto(ignorado1), Texto(ignorado2), Texto(stEsquema),
                                    produtos != nullptr ? *produtos : Tov00300::Variant());
    return true;
  });
}

bool imprimeTipoRece(const char* ignorado1, const char* ignorado2, const char* stEsquema,
                     const char* chaveRegistro, const char* texto) {
  return Protegido(false, [&] {
    return Tov00300::imprimeTipoRece(Texto(ignorado1), Texto(ignorado2), Texto(stEsquema),
                                     Texto(chaveRegistro), Texto(texto));
  });
}

bool ImprimeProdBloq(const char* ignorado1, const char* ignorado2, const char* stEsquema,
                     Tov00300::DataSet* produtos) {
  return Protegido(false, [&] {
    Tov00300::DataSet vazio;
    return Tov00300::ImprimeProdBloq(Texto(ignorado1), Texto(ignorado2), Texto(stEsquema),
                                     produtos != nullptr ? *produtos : vazio);
  });
}

}  // extern "C"

// ---- card-payment vouchers ----

namespace {

const Tov00300::StringList& ListOrEmpty(const Tov00300::StringList* list) {
  static const Tov00300::StringList empty;
  return list != nullptr ? *list : empty;
}

}  // namespace

extern "C" {

bool ImprimeTef_FrameWork(const char* textA, const char* textB, const char* unused3,
                          const char* scheme, const Tov00300::StringList* firstCopies,
                          const Tov00300::StringList* secondCopies,
                          const Tov00300::StringList* unused7, const Tov00300::StringList* unused8,
                          const char* unused9, const char* linkedText, const char* unused11,
                          double value, double unused13, int openMode, const char* routeFlag,
                          const char* terminalKind) {
  return Protegido(false, [&] {
    return Tov00300::ImprimeTef_FrameWork(
        Texto(textA), Texto(textB), Texto(unused3), Texto(scheme), ListOrEmpty(firstCopies),
        ListOrEmpty(secondCopies), ListOrEmpty(unused7), ListOrEmpty(unused8), Texto(unused9),
        Texto(linkedText), Texto(unused11), value, unused13, openMode, Texto(routeFlag),
        Texto(terminalKind));
  });
}

bool ImprimeTef(const char* textA, const char* textB, const char* unused3, const char* scheme,
                const Tov00300::StringList* firstCopies, const Tov00300::StringList* secondCopies,
                const Tov00300::StringList* unused7, const Tov00300::StringList* unused8,
                const char* unused9, const char* linkedText, const char* unused11, double value,
                double unused13, int openMode, const char* routeFlag, const char* unused16) {
  return Protegido(false, [&] {
    return Tov00300::ImprimeTef(Texto(textA), Texto(textB), Texto(unused3), Texto(scheme),
                                ListOrEmpty(firstCopies), ListOrEmpty(secondCopies),
                                ListOrEmpty(unused7), ListOrEmpty(unused8), Texto(unused9),
                                Texto(linkedText), Texto(unused11), value, unused13, openMode,
                                Texto(routeFlag), Texto(unused16));
  });
}

bool ImprimeTefRG_FrameWork(const char* textA, const char* textB, const char* unused3,
                            const char* scheme, const Tov00300::StringList* firstCopies,
                            const Tov00300::StringList* secondCopies,
                            const Tov00300::StringList* unused7,
                            const Tov00300::StringList* unused8, const char* unused9,
                            const char* linkedText, const char* unused11, double value,
                            double unused13, int openMode, const char* routeFlag) {
  return Protegido(false, [&] {
    return Tov00300::ImprimeTefRG_FrameWork(
        Texto(textA), Texto(textB), Texto(unused3), Texto(scheme), ListOrEmpty(firstCopies),
        ListOrEmpty(secondCopies), ListOrEmpty(unused7), ListOrEmpty(unused8), Texto(unused9),
        Texto(linkedText), Texto(unused11), value, unused13, openMode, Texto(routeFlag));
  });
}

bool Abre_Comp_NFiscalVinc(const char* scheme, const char* documentKind, const char* action,
                           const char* text) {
  return Protegido(false, [&] {
    return Tov00300::Abre_Comp_NFiscalVinc(Texto(scheme), Texto(documentKind), Texto(action),
                                           Texto(text));
  });
}

bool AbreCCD_FrameWork(const char* scheme) {
  return Protegido(false, [&] { return Tov00300::AbreCCD_FrameWork(Texto(scheme)); });
}

// The host links this plain name to the standard opening: the simplified
// opening's other texts are not read, and the voucher links to the last card
// payment as AbreCCD_FrameWork does.
bool AbreCCD_simplificado_FrameWork(const char* scheme, const char* /*method*/,
                                    const char* /*installments*/, const char* /*document*/,
                                    const char* /*value*/) {
  return Protegido(false, [&] { return Tov00300::AbreCCD_FrameWork(Texto(scheme)); });
}

bool FechaCCD_FrameWork(const char* scheme) {
  return Protegido(false, [&] { return Tov00300::FechaCCD_FrameWork(Texto(scheme)); });
}

}  // extern "C"

// ---- consumer accounts ----

namespace {

Tov00300::Variant PacketOrEmpty(const Tov00300::Variant* packet) {
  return packet != nullptr ? *packet : Tov00300::Variant();
}

}  // namespace

extern "C" {

bool Comp_DebitoCons(const char* scheme, const Tov00300::Variant* products, double value,
                     const char* unused4, const char* consumerNumber, const char* consumerName,
                     const char* client, const char* client2, const char* password, double balance,
                     double subsidisedPrice, double unused12, const char* balanceMode,
                     const char* message, const char* limitKind, const char* dailyLimit,
                     const char* monthlyLimit, const Tov00300::Variant* consumption) {
  return Protegido(false, [&] {
    return Tov00300::Comp_DebitoCons(
        Texto(scheme), PacketOrEmpty(products), value, Texto(unused4), Texto(consumerNumber),
        Texto(consumerName), Texto(client), Texto(client2), Texto(password), balance,
        subsidisedPrice, unused12, Texto(balanceMode), Texto(message), Texto(limitKind),
        Texto(dailyLimit), Texto(monthlyLimit), PacketOrEmpty(consumption));
  });
}

bool Compr_CredPessoal(const char* unused1, const char* unused2, const char* unused3,
                       const char* unused4, const char* unused5, const char* scheme, char* unused7,
                       int size7, char* unused8, int size8, Tov00300::DataSet* payments,
                       double balance, const char* consumerName, const char* depositNumber,
                       const char* unused13, const char* unused14, const char* unused15,
                       const char* unused16, const char* unused17, const char* unused18,
                       const char* unused19, const char* unused20, const char* unused21,
                       const char* unused22, const char* unused23, const char* unused24,
                       bool unused25, const char* familyName, const char* unused27,
                       const char* unused28) {
  std::string text7 = TextoDoBuffer(unused7, size7);
  std::string text8 = TextoDoBuffer(unused8, size8);
  Tov00300::DataSet noPayments;
  const bool ok = Protegido(false, [&] {
    return Tov00300::Compr_CredPessoal(
        Texto(unused1), Texto(unused2), Texto(unused3), Texto(unused4), Texto(unused5),
        Texto(scheme), text7, text8, payments != nullptr ? *payments : noPayments, balance,
        Texto(consumerName), Texto(depositNumber), Texto(unused13), Texto(unused14),
        Texto(unused15), Texto(unused16), Texto(unused17), Texto(unused18), Texto(unused19),
        Texto(unused20), Texto(unused21), Texto(unused22), Texto(unused23), Texto(unused24),
        unused25, Texto(familyName), Texto(unused27), Texto(unused28));
  });
  Devolve(text7, unused7, size7);
  Devolve(text8, unused8, size8);
  return ok;
}

bool Cancela_Cred_Pessoal(const char* unused1, const char* unused2, const char* unused3,
                          const char* unused4, const char* scheme, char* unused6, int size6,
                          const char* depositNumber, const char* client, const char* consumer,
                          const char* unused10, const char* paymentMethod, double amount,
                          double balance, const char* familyName) {
  std::string text6 = TextoDoBuffer(unused6, size6);
  const bool ok = Protegido(false, [&] {
    return Tov00300::Cancela_Cred_Pessoal(
        Texto(unused1), Texto(unused2), Texto(unused3), Texto(unused4), Texto(scheme), text6,
        Texto(depositNumber), Texto(client), Texto(consumer), Texto(unused10), Texto(paymentMethod),
        amount, balance, Texto(familyName));
  });
  Devolve(text6, unused6, size6);
  return ok;
}

bool ImpSaldo(const char* scheme, Tov00300::DataSet* balances, const char* textA,
              const char* textB) {
  Tov00300::DataSet none;
  return Protegido(false, [&] {
    return Tov00300::ImpSaldo(Texto(scheme), balances != nullptr ? *balances : none, Texto(textA),
                              Texto(textB));
  });
}

bool ImpSaldoDeb(const char* scheme, Tov00300::DataSet* consumer, const char* textA,
                 const char* textB) {
  Tov00300::DataSet none;
  return Protegido(false, [&] {
    return Tov00300::ImpSaldoDeb(Texto(scheme), consumer != nullptr ? *consumer : none,
                                 Texto(textA), Texto(textB));
  });
}

bool Extrato(const char* statement, const char* scheme) {
  return Protegido(false, [&] { return Tov00300::Extrato(Texto(statement), Texto(scheme)); });
}

bool Saldo_CredPessoal(const char* unused1, const char* unused2, const char* scheme,
                       const char* title, Tov00300::DataSet* balances) {
  Tov00300::DataSet none;
  return Protegido(false, [&] {
    return Tov00300::Saldo_CredPessoal(Texto(unused1), Texto(unused2), Texto(scheme), Texto(title),
                                       balances != nullptr ? *balances : none);
  });
}

bool SaldoNegativo(const char* header1, const char* scheme, Tov00300::DataSet* types,
                   Tov00300::DataSet* consumers, const char* title, const char* registerId,
                   const char* header2, const char* header3) {
  Tov00300::DataSet noTypes, noConsumers;
  return Protegido(false, [&] {
    return Tov00300::SaldoNegativo(Texto(header1), Texto(scheme),
                                   types != nullptr ? *types : noTypes,
                                   consumers != nullptr ? *consumers : noConsumers, Texto(title),
                                   Texto(registerId), Texto(header2), Texto(header3));
  });
}

bool Imp_CompVenCred(const char* scheme, const Tov00300::Variant* products,
                     const Tov00300::Variant* balances, double value, const char* unused5,
                     const char* consumerNumber, const char* consumerName, const char* client,
                     const char* client2, const char* password, double balance,
                     double subsidisedPrice, double complement, const char* balanceMode) {
  return Protegido(false, [&] {
    return Tov00300::Imp_CompVenCred(
        Texto(scheme), PacketOrEmpty(products), PacketOrEmpty(balances), value, Texto(unused5),
        Texto(consumerNumber), Texto(consumerName), Texto(client), Texto(client2), Texto(password),
        balance, subsidisedPrice, complement, Texto(balanceMode));
  });
}

}  // extern "C"
