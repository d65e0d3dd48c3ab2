// Undoing a sale on the printer: one item, the last item, or a whole receipt.
#include <string>

#include "core/sale_guard.h"
#include "driver/command.h"
#include "driver/registers.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/readings.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// On printer type 29 the receipt number handed back is the COO less the
// count this register holds.
constexpr int kTipoImpDescontaContagem = 29;
constexpr int kRegistroContagemCancelamento = 53;

// A missing position of the host's array reads as an empty value rather than
// past its end.
const Variant& Posicao(const VariantArray& valores, size_t indice) {
  static const Variant vazio;
  return indice < valores.size() ? valores[indice] : vazio;
}

}  // namespace

bool Cancela_ItGenerico(const std::string& stEsquema, const std::string& nrItem,
                        const std::string& /*ignorado1*/, const std::string& /*ignorado2*/,
                        const std::string& /*ignorado3*/, const std::string& /*ignorado4*/,
                        const std::string& /*ignorado5*/, const std::string& /*ignorado6*/,
                        const std::string& /*ignorado7*/, double /*ignorado8*/,
                        double /*ignorado9*/) {
  // The host numbers items with one more digit than the printer's four.
  const std::string numero = Copy(nrItem, 2, 4);
  return driver::Command(iCFCancelarItem_ECF_Daruma(numero.c_str()),
                         driver::Describe("iCFCancelarItem_ECF_Daruma", {numero}),
                         {stEsquema, false});
}

bool Cancela_UltimoItem(const std::string& stEsquema) {
  return driver::Command(iCFCancelarUltimoItem_ECF_Daruma(), "iCFCancelarUltimoItem_ECF_Daruma",
                         {stEsquema, true});
}

bool Cancela_Cupom_Imp(const VariantArray& valores, Variant& result) {
  const std::string esquema = Posicao(valores, 0).AsString();
  Nr_Cupom("", esquema);
  const bool mostraMsg = Posicao(valores, 1).AsBool();
  const bool reservado = Posicao(valores, 2).AsBool();
  const std::string cdFilial = Posicao(valores, 4).AsString();
  const std::string cdCaixa = Posicao(valores, 5).AsString();
  const std::string nrSerieImp = Posicao(valores, 6).AsString();

  std::string contagem;
  if (inTipoImpFis == kTipoImpDescontaContagem) {
    // Not judged: a count that does not convert stops the operation below.
    const driver::RegisterReply resposta = driver::ReadRegister(kRegistroContagemCancelamento);
    driver::Store(resposta.code);
    contagem = resposta.text;
  }

  // A COO that is not a number (a refused query) stops here, before the
  // cancellation is sent: the host must not get a made-up receipt number.
  // The conversion error reaches the host; the operator is told as well.
  std::string numero;
  try {
    numero = hostlib::Ajusta(IntToStr(StrToInt(stRetorno)), 6);
    if (inTipoImpFis == kTipoImpDescontaContagem) {
      numero = hostlib::Ajusta(IntToStr(StrToInt(numero) - StrToInt(contagem)), 6);
    }
  } catch (const ConversionError&) {
    driver::ReportProblem(esquema,
                          Utf8ToCp1252("O número do cupom não foi lido da impressora: o "
                                       "cancelamento não foi enviado."),
                          mostraMsg);
    throw;
  }

  if (!result.IsArray()) result = Variant(VariantArray(1));
  VariantArray& elementos = result.AsArray();
  if (elementos.empty()) elementos.resize(1);
  elementos[0] = numero;

  const bool cancelado = driver::Command(iCFCancelar_ECF_Daruma(), "iCFCancelar_ECF_Daruma",
                                         {esquema, mostraMsg, reservado});
  if (cancelado) {
    // The receipt the sale operations knew, or one left by an earlier
    // session, is gone.
    core::ThisReceipt() = {};
    core::SetForeignReceiptOpen(false);
  }

  // The grand total moves with a cancellation whether or not the printer
  // reported success, so the stored copy is refreshed in every case.
  Atu_TotGeral(MakeBag({{"CDFILIAL", cdFilial},
                        {"CDCAIXA", cdCaixa},
                        {"NRSERIEIMP", nrSerieImp},
                        {"ESQUEMACOR", esquema},
                        {"IDVALIDA", "N"}}));
  return cancelado;
}

}  // namespace Tov00300
