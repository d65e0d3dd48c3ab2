// Undoing a sale on the printer: one item, the last item, or a whole receipt.
#include <string>

#include "driver/reply_buffer.h"
#include "readings/registers.h"
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
  inRetorno = iCFCancelarItem_ECF_Daruma(numero.c_str());
  stImpDebug = "iCFCancelarItem_ECF_Daruma : " + numero;
  return AnalisaRetorno_FrameWork(stEsquema, inRetorno, false, false, false);
}

bool Cancela_UltimoItem(const std::string& stEsquema) {
  inRetorno = iCFCancelarUltimoItem_ECF_Daruma();
  stImpDebug = "iCFCancelarUltimoItem_ECF_Daruma";
  return AnalisaRetorno_FrameWork(stEsquema, inRetorno, true, false, false);
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
    driver::ReplyBuffer buffer(RegisterWidth(kRegistroContagemCancelamento));
    inRetorno = rRetornarInformacao_ECF_Daruma(
        std::to_string(kRegistroContagemCancelamento).c_str(), buffer.data());
    contagem = buffer.Text();
  }

  // A COO that is not a number (a refused query) stops here, before the
  // cancellation is sent: the host must not get a made-up receipt number.
  std::string numero = hostlib::Ajusta(IntToStr(StrToInt(stRetorno)), 6);
  if (inTipoImpFis == kTipoImpDescontaContagem) {
    numero = hostlib::Ajusta(IntToStr(StrToInt(numero) - StrToInt(contagem)), 6);
  }

  if (!result.IsArray()) result = Variant(VariantArray(1));
  VariantArray& elementos = result.AsArray();
  if (elementos.empty()) elementos.resize(1);
  elementos[0] = numero;

  inRetorno = iCFCancelar_ECF_Daruma();
  stImpDebug = "iCFCancelar_ECF_Daruma";
  const bool cancelado = AnalisaRetorno_FrameWork(esquema, inRetorno, mostraMsg, reservado, false);

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
