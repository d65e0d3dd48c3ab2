// The package's plain (C) names, second part: management reports, the X
// reading and Z reduction, cash movements, the Z-reduction export, the legal
// files, the closing and table-service prints, card vouchers and consumer
// accounts. The pattern is exports.cpp's.
//
// A name that prints or registers something and also hands back a text
// keeps its answer when the host's buffer is short (the last error tells the
// cut): answering false would have the host repeat a document that printed.

#include <string>

#include "exports_boundary.h"
#include "tov00300/accounts.h"
#include "tov00300/closing_reports.h"
#include "tov00300/documents.h"
#include "tov00300/legal.h"
#include "tov00300/readings.h"
#include "tov00300/table_service.h"
#include "tov00300/tov00300_c.h"
#include "tov00300/vouchers.h"

using Tov00300::DataSet;
using Tov00300::StringList;
using Tov00300::Variant;
using Tov00300::VariantArray;
using namespace Tov00300::boundary;

namespace {

// The legal-file operations that take a positional list: a null list is an
// empty one and a null result a scratch variant (the result is not used).
template <typename Operation>
bool WithList(const char* name, const VariantArray* valores, Variant* result, Operation operation) {
  const VariantArray noValues;
  Variant scratch;
  return Guard(name, false, [&] { return operation(Or(valores, noValues), Or(result, scratch)); });
}

const StringList& ListOrEmpty(const StringList* list) {
  static const StringList empty;
  return list != nullptr ? *list : empty;
}

Variant PacketOrEmpty(const Variant* packet) {
  return packet != nullptr ? *packet : Variant();
}

}  // namespace

extern "C" {

// ---- management reports ----
bool RG_FrameWork(const char* stEsquema, const char* texto) {
  return Guard(__func__, false, [&] { return Tov00300::RG_FrameWork(In(stEsquema), In(texto)); });
}

bool Relatorio_Gerencial_Imp(const char* stEsquema, const char* textoA, const char* textoB,
                             const char* unused4, const char* grava) {
  return Guard(__func__, false, [&] {
    return Tov00300::Relatorio_Gerencial_Imp(In(stEsquema), In(textoA), In(textoB), In(unused4),
                                             In(grava));
  });
}

bool Usa_CompNFis(const char* stEsquema, const char* texto) {
  return Guard(__func__, false, [&] { return Tov00300::Usa_CompNFis(In(stEsquema), In(texto)); });
}

bool FechRelatGerenc(const char* stEsquema, bool boMostraMsg, bool unused3) {
  return Guard(__func__, false,
               [&] { return Tov00300::FechRelatGerenc(In(stEsquema), boMostraMsg, unused3); });
}

bool UsaRG_FrameWork(const char* stEsquema) {
  return Guard(__func__, false, [&] { return Tov00300::UsaRG_FrameWork(In(stEsquema)); });
}

void Cabecalho(const char* unused1, const char* stEsquema, const char* titulo, const char* caixa,
               const char* unused5, const char* unused6) {
  GuardVoid(__func__, [&] {
    Tov00300::Cabecalho(In(unused1), In(stEsquema), In(titulo), In(caixa), In(unused5),
                        In(unused6));
  });
}

void GravaDocumentosNaoFiscais(const char* chave, const char* stEsquema, const char* tipo,
                               const char* extra) {
  GuardVoid(__func__, [&] {
    Tov00300::GravaDocumentosNaoFiscais(In(chave), In(stEsquema), In(tipo), In(extra));
  });
}

bool Relatorio_Generico(const char* stEsquema, const char* textoA, const char* textoB,
                        const char* texto, const char* chave, const char* unused6) {
  return Guard(__func__, false, [&] {
    return Tov00300::Relatorio_Generico(In(stEsquema), In(textoA), In(textoB), In(texto), In(chave),
                                        In(unused6));
  });
}

bool Cupom_Troca(const char* stEsquema, const char* unused2, const char* unused3,
                 const char* texto) {
  return Guard(__func__, false, [&] {
    return Tov00300::Cupom_Troca(In(stEsquema), In(unused2), In(unused3), In(texto));
  });
}

bool Conferencia_Formatada(const char* stEsquema, const char* unused2, const char* unused3,
                           const char* unused4, const char* unused5, const char* unused6,
                           char* nrCupom, int nrCupomSize, const char* texto) {
  std::string numero;
  bool ran = false;
  const bool ok = Guard(__func__, false, [&] {
    const std::string scheme = In(stEsquema), text = In(texto);
    const std::string unused[] = {In(unused2), In(unused3), In(unused4), In(unused5), In(unused6)};
    ran = true;
    return Tov00300::Conferencia_Formatada(scheme, unused[0], unused[1], unused[2], unused[3],
                                           unused[4], numero, text);
  });
  // The number read stands even when the print raised afterwards.
  if (ran) Deliver(numero, nrCupom, nrCupomSize);
  return ok;
}

bool CodigoBarra(const char* stEsquema, const char* textoA, const char* textoB, int unused4,
                 const char* codigo, const char* tipo) {
  return Guard(__func__, false, [&] {
    return Tov00300::CodigoBarra(In(stEsquema), In(textoA), In(textoB), unused4, In(codigo),
                                 In(tipo));
  });
}

// ---- X reading and Z reduction ----
bool Leitura_X_Imp(const char* chave, const char* unused2, const char* stEsquema,
                   const char* unused4) {
  return Guard(__func__, false, [&] {
    return Tov00300::Leitura_X_Imp(In(chave), In(unused2), In(stEsquema), In(unused4));
  });
}

bool Reducao_Z_Imp(const char* chave, const char* unused2, const char* stEsquema,
                   const char* unused4) {
  return Guard(__func__, false, [&] {
    return Tov00300::Reducao_Z_Imp(In(chave), In(unused2), In(stEsquema), In(unused4));
  });
}

// ---- cash supply, withdrawal and drawer ----
bool Suprimento(const char* stEsquema, double valor) {
  return Guard(__func__, false, [&] { return Tov00300::Suprimento(In(stEsquema), valor); });
}

bool Sangria(const char* unused1, const char* stEsquema, double valor, DataSet* unused4) {
  DataSet empty;
  return Guard(__func__, false, [&] {
    return Tov00300::Sangria(In(unused1), In(stEsquema), valor, Or(unused4, empty));
  });
}

bool Abre_Gaveta_Imp(const char* stEsquema, bool unused2) {
  return Guard(__func__, false, [&] { return Tov00300::Abre_Gaveta_Imp(In(stEsquema), unused2); });
}

const char* Estado_Gaveta_Imp(const char* stEsquema) {
  thread_local std::string result;
  return Keep(result, Guard(__func__, std::string(),
                            [&] { return Tov00300::Estado_Gaveta_Imp(In(stEsquema)); }));
}

// ---- Z-reduction export ----
// False when the export ended with an error (a printer reply that is not a
// number, a receipt number "ERRO", a host table without its fields): the
// C++ operation raises it; the guard logs it and leaves it in the last
// error. The data sets hold the rows gathered until then.
bool ExportRedZ(const char* unused1, const char* stEsquema, const char* ecfNumber, int unused4,
                const DataSet* paymentTypes, DataSet* dsReducaoZ, DataSet* dsFormPgtoRedZ,
                DataSet* dsImpostoRedZ, DataSet* dsTotNFiscRedZ) {
  const DataSet noTypes;
  DataSet noDay, noPayments, noTaxes, noTotalizers;
  return Guard(__func__, false, [&] {
    return Tov00300::ExportRedZ(In(unused1), In(stEsquema), In(ecfNumber), unused4,
                                Or(paymentTypes, noTypes), Or(dsReducaoZ, noDay),
                                Or(dsFormPgtoRedZ, noPayments), Or(dsImpostoRedZ, noTaxes),
                                Or(dsTotNFiscRedZ, noTotalizers));
  });
}

// ---- legal files ----
void geraEad(const char* caminho) {
  GuardVoid(__func__, [&] { Tov00300::geraEad(In(caminho)); });
}

bool Memoria_Fiscal_Imp(const char* stEsquema, const char* tipo, const char* inicio,
                        const char* fim, const char* unused5) {
  return Guard(__func__, false, [&] {
    return Tov00300::Memoria_Fiscal_Imp(In(stEsquema), In(tipo), In(inicio), In(fim), In(unused5));
  });
}

bool EmiteLeituraMemoriaFiscal(const char* stEsquema, const char* inicio, const char* fim,
                               const char* flag, const char* tipo, const char* chave) {
  return Guard(__func__, false, [&] {
    return Tov00300::EmiteLeituraMemoriaFiscal(In(stEsquema), In(inicio), In(fim), In(flag),
                                               In(tipo), In(chave));
  });
}

bool EmiteLeituraMemoriaFiscalSerial(const VariantArray* valores, Variant* unused2) {
  return WithList(__func__, valores, unused2, Tov00300::EmiteLeituraMemoriaFiscalSerial);
}

bool Gera_ArquivoMFD(const VariantArray* valores, Variant* unused2) {
  return WithList(__func__, valores, unused2, Tov00300::Gera_ArquivoMFD);
}

bool geraEspelhoMfd(const VariantArray* valores, Variant* unused2) {
  return WithList(__func__, valores, unused2, Tov00300::geraEspelhoMfd);
}

bool GERA_MF(const char* unused1, const char* destino) {
  return Guard(__func__, false, [&] { return Tov00300::GERA_MF(In(unused1), In(destino)); });
}

void ImprimeDadosPaf(const VariantArray* valores, Variant* unused2) {
  WithList(__func__, valores, unused2, [](const VariantArray& v, Variant& r) {
    Tov00300::ImprimeDadosPaf(v, r);
    return true;
  });
}

bool GeraCatGenerica(const VariantArray* valores, StringList* lista) {
  const VariantArray noValues;
  StringList scratch;
  return Guard(__func__, false, [&] {
    return Tov00300::GeraCatGenerica(Or(valores, noValues), Or(lista, scratch));
  });
}

// ---- cash closing and table service ----
void Relatorio_Produto(const char* unused1, const char* unused2, const char* unused3,
                       const char* unused4, const char* unused5, char* nrCupom, int nrCupomSize,
                       DataSet* produtos, const char* confirma, const char* agrupado,
                       const char* stEsquema, bool* relatorio) {
  DataSet empty;
  GuardVoid(__func__, [&] {
    std::string numero = InBuffer(nrCupom, nrCupomSize);
    bool flag = relatorio != nullptr && *relatorio;
    Tov00300::Relatorio_Produto(In(unused1), In(unused2), In(unused3), In(unused4), In(unused5),
                                numero, Or(produtos, empty), In(confirma), In(agrupado),
                                In(stEsquema), flag);
    Deliver(numero, nrCupom, nrCupomSize);
    if (relatorio != nullptr) *relatorio = flag;
  });
}

bool GeraReciboSangria(const char* unused1, const char* chaveRegistro, const char* produto3,
                       const char* produto4, const char* unused5, int unused6, char* nrCupom,
                       int nrCupomSize, DataSet* movFecha, DataSet* sangria, DataSet* produtos,
                       DataSet* operadorSup, DataSet* movTot, DataSet* movAbertura,
                       DataSet* produtosGeral, DataSet* cargaCredito, double unused16,
                       bool imprimeSangria, bool permiteReducao, bool unused19, DataSet* unused20,
                       DataSet* unused21, DataSet* unused22, DataSet* unused23,
                       bool* reducaoConfirmada, DataSet* tiposRece, const char* confirmaProdutos,
                       const char* agrupaProdutos, const char* leituraX, const char* envelope,
                       const char* stEsquema, bool somenteSangria, bool caixaTratado,
                       bool reducaoLiberada, const char* motivo, const char* observacao) {
  return Guard(__func__, false, [&] {
    // Each missing set is a distinct empty one: the operation copies some
    // of them into the data module and reads others in place.
    DataSet empty[15];
    std::string numero = InBuffer(nrCupom, nrCupomSize);
    bool confirmed = false;
    const bool result = Tov00300::GeraReciboSangria(
        In(unused1), In(chaveRegistro), In(produto3), In(produto4), In(unused5), unused6, numero,
        Or(movFecha, empty[0]), Or(sangria, empty[1]), Or(produtos, empty[2]),
        Or(operadorSup, empty[3]), Or(movTot, empty[4]), Or(movAbertura, empty[5]),
        Or(produtosGeral, empty[6]), Or(cargaCredito, empty[7]), Tov00300::DateTime(unused16),
        imprimeSangria, permiteReducao, unused19, Or(unused20, empty[8]), Or(unused21, empty[9]),
        Or(unused22, empty[10]), Or(unused23, empty[11]), confirmed, Or(tiposRece, empty[12]),
        In(confirmaProdutos), In(agrupaProdutos), In(leituraX), In(envelope), In(stEsquema),
        somenteSangria, caixaTratado, reducaoLiberada, In(motivo), In(observacao));
    Deliver(numero, nrCupom, nrCupomSize);
    if (reducaoConfirmada != nullptr) *reducaoConfirmada = confirmed;
    return result;
  });
}

bool Abertura_Mesa(const char* unused1, const char* stEsquema, const char* unused3,
                   const char* mesa, const char* unused5, const char* emissao, const Variant* itens,
                   double desconto, double unused9, double unused10, double taxaServico,
                   double unused12, double total, double acrescimo) {
  const Variant noItems;
  return Guard(__func__, false, [&] {
    return Tov00300::Abertura_Mesa(In(unused1), In(stEsquema), In(unused3), In(mesa), In(unused5),
                                   In(emissao), Or(itens, noItems), desconto, unused9, unused10,
                                   taxaServico, unused12, total, acrescimo);
  });
}

bool RegistroVenda(const char* unused1, const char* unused2, const char* stEsquema, DataSet* itens,
                   const char* numero) {
  DataSet empty;
  return Guard(__func__, false, [&] {
    return Tov00300::RegistroVenda(In(unused1), In(unused2), In(stEsquema), Or(itens, empty),
                                   In(numero));
  });
}

void ImprimeMesasAbertas(DataSet* unused1, const char* unused2, const char* unused3,
                         const char* stEsquema, const char* unused5, const Variant* mesas) {
  DataSet empty;
  const Variant noTables;
  GuardVoid(__func__, [&] {
    Tov00300::ImprimeMesasAbertas(Or(unused1, empty), In(unused2), In(unused3), In(stEsquema),
                                  In(unused5), Or(mesas, noTables));
  });
}

void imprimeProdutosTransf(const char* unused1, const char* unused2, const char* stEsquema,
                           const Variant* produtos) {
  const Variant noProducts;
  GuardVoid(__func__, [&] {
    Tov00300::imprimeProdutosTransf(In(unused1), In(unused2), In(stEsquema),
                                    Or(produtos, noProducts));
  });
}

bool imprimeTipoRece(const char* unused1, const char* unused2, const char* stEsquema,
                     const char* chaveRegistro, const char* texto) {
  return Guard(__func__, false, [&] {
    return Tov00300::imprimeTipoRece(In(unused1), In(unused2), In(stEsquema), In(chaveRegistro),
                                     In(texto));
  });
}

bool ImprimeProdBloq(const char* unused1, const char* unused2, const char* stEsquema,
                     DataSet* produtos) {
  DataSet empty;
  return Guard(__func__, false, [&] {
    return Tov00300::ImprimeProdBloq(In(unused1), In(unused2), In(stEsquema), Or(produtos, empty));
  });
}

// ---- card-payment vouchers ----
bool ImprimeTef_FrameWork(const char* textA, const char* textB, const char* unused3,
                          const char* stEsquema, const StringList* firstCopies,
                          const StringList* secondCopies, const StringList* unused7,
                          const StringList* unused8, const char* unused9, const char* linkedText,
                          const char* unused11, double value, double unused13, int openMode,
                          const char* routeFlag, const char* terminalKind) {
  return Guard(__func__, false, [&] {
    return Tov00300::ImprimeTef_FrameWork(
        In(textA), In(textB), In(unused3), In(stEsquema), ListOrEmpty(firstCopies),
        ListOrEmpty(secondCopies), ListOrEmpty(unused7), ListOrEmpty(unused8), In(unused9),
        In(linkedText), In(unused11), value, unused13, openMode, In(routeFlag), In(terminalKind));
  });
}

bool ImprimeTef(const char* textA, const char* textB, const char* unused3, const char* stEsquema,
                const StringList* firstCopies, const StringList* secondCopies,
                const StringList* unused7, const StringList* unused8, const char* unused9,
                const char* linkedText, const char* unused11, double value, double unused13,
                int openMode, const char* routeFlag, const char* unused16) {
  return Guard(__func__, false, [&] {
    return Tov00300::ImprimeTef(
        In(textA), In(textB), In(unused3), In(stEsquema), ListOrEmpty(firstCopies),
        ListOrEmpty(secondCopies), ListOrEmpty(unused7), ListOrEmpty(unused8), In(unused9),
        In(linkedText), In(unused11), value, unused13, openMode, In(routeFlag), In(unused16));
  });
}

bool ImprimeTefRG_FrameWork(const char* textA, const char* textB, const char* unused3,
                            const char* stEsquema, const StringList* firstCopies,
                            const StringList* secondCopies, const StringList* unused7,
                            const StringList* unused8, const char* unused9, const char* linkedText,
                            const char* unused11, double value, double unused13, int openMode,
                            const char* routeFlag) {
  return Guard(__func__, false, [&] {
    return Tov00300::ImprimeTefRG_FrameWork(
        In(textA), In(textB), In(unused3), In(stEsquema), ListOrEmpty(firstCopies),
        ListOrEmpty(secondCopies), ListOrEmpty(unused7), ListOrEmpty(unused8), In(unused9),
        In(linkedText), In(unused11), value, unused13, openMode, In(routeFlag));
  });
}

bool Abre_Comp_NFiscalVinc(const char* stEsquema, const char* documentKind, const char* action,
                           const char* text) {
  return Guard(__func__, false, [&] {
    return Tov00300::Abre_Comp_NFiscalVinc(In(stEsquema), In(documentKind), In(action), In(text));
  });
}

bool AbreCCD_FrameWork(const char* stEsquema) {
  return Guard(__func__, false, [&] { return Tov00300::AbreCCD_FrameWork(In(stEsquema)); });
}

// The host links this plain name to the standard opening: the simplified
// opening's other texts are not read, and the voucher links to the last card
// payment as AbreCCD_FrameWork does.
bool AbreCCD_simplificado_FrameWork(const char* stEsquema, const char* /*unused2*/,
                                    const char* /*unused3*/, const char* /*unused4*/,
                                    const char* /*unused5*/) {
  return Guard(__func__, false, [&] { return Tov00300::AbreCCD_FrameWork(In(stEsquema)); });
}

bool FechaCCD_FrameWork(const char* stEsquema) {
  return Guard(__func__, false, [&] { return Tov00300::FechaCCD_FrameWork(In(stEsquema)); });
}

// ---- consumer accounts ----
bool Comp_DebitoCons(const char* stEsquema, const Variant* products, double value,
                     const char* unused4, const char* consumerNumber, const char* consumerName,
                     const char* client, const char* client2, const char* password, double balance,
                     double subsidisedPrice, double unused12, const char* balanceMode,
                     const char* message, const char* limitKind, const char* dailyLimit,
                     const char* monthlyLimit, const Variant* consumption) {
  return Guard(__func__, false, [&] {
    return Tov00300::Comp_DebitoCons(In(stEsquema), PacketOrEmpty(products), value, In(unused4),
                                     In(consumerNumber), In(consumerName), In(client), In(client2),
                                     In(password), balance, subsidisedPrice, unused12,
                                     In(balanceMode), In(message), In(limitKind), In(dailyLimit),
                                     In(monthlyLimit), PacketOrEmpty(consumption));
  });
}

bool Compr_CredPessoal(const char* unused1, const char* unused2, const char* unused3,
                       const char* unused4, const char* unused5, const char* stEsquema,
                       char* unused7, int unused7Size, char* unused8, int unused8Size,
                       DataSet* payments, double balance, const char* consumerName,
                       const char* depositNumber, const char* unused13, const char* unused14,
                       const char* unused15, const char* unused16, const char* unused17,
                       const char* unused18, const char* unused19, const char* unused20,
                       const char* unused21, const char* unused22, const char* unused23,
                       const char* unused24, bool unused25, const char* familyName,
                       const char* unused27, const char* unused28) {
  DataSet noPayments;
  return Guard(__func__, false, [&] {
    std::string text7 = InBuffer(unused7, unused7Size);
    std::string text8 = InBuffer(unused8, unused8Size);
    const bool ok = Tov00300::Compr_CredPessoal(
        In(unused1), In(unused2), In(unused3), In(unused4), In(unused5), In(stEsquema), text7,
        text8, Or(payments, noPayments), balance, In(consumerName), In(depositNumber), In(unused13),
        In(unused14), In(unused15), In(unused16), In(unused17), In(unused18), In(unused19),
        In(unused20), In(unused21), In(unused22), In(unused23), In(unused24), unused25,
        In(familyName), In(unused27), In(unused28));
    Deliver(text7, unused7, unused7Size);
    Deliver(text8, unused8, unused8Size);
    return ok;
  });
}

bool Cancela_Cred_Pessoal(const char* unused1, const char* unused2, const char* unused3,
                          const char* unused4, const char* stEsquema, char* unused6,
                          int unused6Size, const char* depositNumber, const char* client,
                          const char* consumer, const char* unused10, const char* paymentMethod,
                          double amount, double balance, const char* familyName) {
  return Guard(__func__, false, [&] {
    std::string text6 = InBuffer(unused6, unused6Size);
    const bool ok = Tov00300::Cancela_Cred_Pessoal(
        In(unused1), In(unused2), In(unused3), In(unused4), In(stEsquema), text6, In(depositNumber),
        In(client), In(consumer), In(unused10), In(paymentMethod), amount, balance, In(familyName));
    Deliver(text6, unused6, unused6Size);
    return ok;
  });
}

bool ImpSaldo(const char* stEsquema, DataSet* balances, const char* textA, const char* textB) {
  DataSet none;
  return Guard(__func__, false, [&] {
    return Tov00300::ImpSaldo(In(stEsquema), Or(balances, none), In(textA), In(textB));
  });
}

bool ImpSaldoDeb(const char* stEsquema, DataSet* consumer, const char* textA, const char* textB) {
  DataSet none;
  return Guard(__func__, false, [&] {
    return Tov00300::ImpSaldoDeb(In(stEsquema), Or(consumer, none), In(textA), In(textB));
  });
}

bool Extrato(const char* statement, const char* stEsquema) {
  return Guard(__func__, false, [&] { return Tov00300::Extrato(In(statement), In(stEsquema)); });
}

bool Saldo_CredPessoal(const char* unused1, const char* unused2, const char* stEsquema,
                       const char* title, DataSet* balances) {
  DataSet none;
  return Guard(__func__, false, [&] {
    return Tov00300::Saldo_CredPessoal(In(unused1), In(unused2), In(stEsquema), In(title),
                                       Or(balances, none));
  });
}

bool SaldoNegativo(const char* header1, const char* stEsquema, DataSet* types, DataSet* consumers,
                   const char* title, const char* registerId, const char* header2,
                   const char* header3) {
  DataSet noTypes, noConsumers;
  return Guard(__func__, false, [&] {
    return Tov00300::SaldoNegativo(In(header1), In(stEsquema), Or(types, noTypes),
                                   Or(consumers, noConsumers), In(title), In(registerId),
                                   In(header2), In(header3));
  });
}

bool Imp_CompVenCred(const char* stEsquema, const Variant* products, const Variant* balances,
                     double value, const char* unused5, const char* consumerNumber,
                     const char* consumerName, const char* client, const char* client2,
                     const char* password, double balance, double subsidisedPrice,
                     double complement, const char* balanceMode) {
  return Guard(__func__, false, [&] {
    return Tov00300::Imp_CompVenCred(
        In(stEsquema), PacketOrEmpty(products), PacketOrEmpty(balances), value, In(unused5),
        In(consumerNumber), In(consumerName), In(client), In(client2), In(password), balance,
        subsidisedPrice, complement, In(balanceMode));
  });
}

}  // extern "C"
