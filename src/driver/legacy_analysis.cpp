// The return analysis of the older driver interface: a return code plus the
// printer's acknowledge byte and two status bytes.
#include <string>

#include "driver/dialogs.h"
#include "driver/return_codes.h"
#include "tov00300/driver.h"
#include "tov00300/frame.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

constexpr int kNak = 21;
constexpr int kPoucoPapel = 64;
constexpr int kCupomAberto = 2;

constexpr driver::CatalogueEntry Entrada(const char* chave) {
  return {chave, driver::Catalogue::msgPadrao};
}

// Status byte 1 and byte 2, highest bit first. Bits 64 and 2 of byte 1 are
// handled apart (a warning and an open receipt, not errors).
struct Bit {
  int valor;
  const char* chave;
};
constexpr Bit kStatus1[] = {{128, "FimPapel"},  {64, "PoucoPapel"}, {32, "ErroRelogio"},
                            {16, "ImpErro"},    {8, "SyntaxErro"},  {4, "ComandoErro"},
                            {2, "CupomAberto"}, {1, "ParamErro"}};
constexpr Bit kStatus2[] = {{128, "TipoParamErro"}, {64, "MemLotada"},  {32, "MemRAMErro"},
                            {16, "AliqNProg"},      {8, "AliqLotada"},  {4, "CancNPermitido"},
                            {2, "CGCIENProg"},      {1, "ComandoNExec"}};

// The driver may hold the keyboard locked (card payment); the operator must be
// able to answer the dialog. An unset keyboard-lock entry point only happens
// on the unset path of the analysis.
void DestravaTeclado() {
  if (Daruma_TEF_TravarTeclado != nullptr) Daruma_TEF_TravarTeclado("0");
}

class Analise {
 public:
  Analise(const std::string& esquema, bool mostrar) : esquema_(esquema), mostrar_(mostrar) {}

  bool resultado() const { return resultado_; }

  // Reports a problem: logged (unless the caller logged its own line),
  // collected for a self-service terminal, shown when asked, result false.
  void Relatar(const driver::CatalogueEntry& entrada, bool registrarNoLog = true) {
    driver::ReportProblem(esquema_, driver::CatalogueText(entrada),
                          {mostrar_, registrarNoLog, &DestravaTeclado});
    resultado_ = false;
  }

  void Mostrar(const std::string& texto) const {
    driver::ShowMessage(esquema_, texto, {.unlockKeyboard = &DestravaTeclado});
  }

 private:
  const std::string& esquema_;
  bool mostrar_;
  bool resultado_ = true;
};

}  // namespace

bool AnalisaRetorno(const std::string& stEsquema, int code, bool show, bool cancelOpenReceipt,
                    bool showLowPaper) {
  Analise analise(stEsquema, show);

  const std::string pendente = std::move(stImpDebug);
  stImpDebug.clear();
  ImpFisDebug(pendente);

  // The package never sets these entry points; the host must. Calling through
  // an unset one would crash, so the printer is reported as faulty instead.
  if (Daruma_FI_RetornoImpressora == nullptr || Daruma_TEF_TravarTeclado == nullptr ||
      Daruma_FI_CancelaCupom == nullptr) {
    analise.Relatar(Entrada("ImpErro"));
    return false;
  }

  if (const driver::CatalogueEntry* mensagem = driver::LegacyCodeMessage(code))
    analise.Relatar(*mensagem);

  int ack = 0;
  int st1 = 0;
  int st2 = 0;
  if (Daruma_FI_RetornoImpressora(&ack, &st1, &st2) != 1) {
    ImpFisDebug("ERRO!!! Ret recebido");
    analise.Relatar(Entrada("ImpErro"), /*registrarNoLog=*/false);
    return analise.resultado();
  }
  if (ack == kNak) {
    ImpFisDebug("ERRO!!! NAK recebido");
    analise.Relatar(Entrada("ImpErro"), /*registrarNoLog=*/false);
    return analise.resultado();
  }

  for (const Bit& bit : kStatus1) {
    if ((st1 & bit.valor) == 0) continue;
    if (bit.valor == kPoucoPapel) {
      const std::string texto = driver::CatalogueText(Entrada(bit.chave));
      ImpFisDebug("ERRO!!! " + texto);
      if (show && showLowPaper) analise.Mostrar(texto);
    } else if (bit.valor == kCupomAberto) {
      ImpFisDebug("ERRO!!! " + driver::CatalogueText(Entrada(bit.chave)));
      if (cancelOpenReceipt) {
        // The cancellation is judged on its own, silently; whether it worked
        // does not change this analysis.
        const int retorno = Daruma_FI_CancelaCupom();
        AnalisaRetorno(stEsquema, retorno, false, false, false);
      }
    } else {
      analise.Relatar(Entrada(bit.chave));
    }
  }
  for (const Bit& bit : kStatus2)
    if ((st2 & bit.valor) != 0) analise.Relatar(Entrada(bit.chave));

  return analise.resultado();
}

}  // namespace Tov00300
