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
constexpr int kLowPaper = 64;
constexpr int kReceiptOpenBit = 2;

constexpr driver::CatalogueEntry Entry(const char* key) {
  return {key, driver::Catalogue::msgPadrao};
}

// Status byte 1 and byte 2, highest bit first. Bits 64 and 2 of byte 1 are
// handled apart (a warning and an open receipt, not errors).
struct Bit {
  int value;
  const char* key;
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
void UnlockKeyboard() {
  if (Daruma_TEF_TravarTeclado != nullptr) Daruma_TEF_TravarTeclado("0");
}

class Analysis {
 public:
  Analysis(const std::string& scheme, bool show) : scheme_(scheme), show_(show) {}

  bool result() const { return result_; }

  // Reports a problem: logged (unless the caller logged its own line),
  // collected for a self-service terminal, shown when asked, result false.
  void Report(const driver::CatalogueEntry& entry, bool logIt = true) {
    driver::ReportProblem(scheme_, driver::CatalogueText(entry), {show_, logIt, &UnlockKeyboard});
    result_ = false;
  }

  void Show(const std::string& text) const {
    driver::ShowMessage(scheme_, text, {.unlockKeyboard = &UnlockKeyboard});
  }

 private:
  const std::string& scheme_;
  bool show_;
  bool result_ = true;
};

}  // namespace

bool AnalisaRetorno(const std::string& stEsquema, int code, bool show, bool cancelOpenReceipt,
                    bool showLowPaper) {
  Analysis analysis(stEsquema, show);

  const std::string pending = std::move(stImpDebug);
  stImpDebug.clear();
  ImpFisDebug(pending);

  // The package never sets these entry points; the host must. Calling through
  // an unset one would crash, so the printer is reported as faulty instead.
  if (Daruma_FI_RetornoImpressora == nullptr || Daruma_TEF_TravarTeclado == nullptr ||
      Daruma_FI_CancelaCupom == nullptr) {
    analysis.Report(Entry("ImpErro"));
    return false;
  }

  if (const driver::CatalogueEntry* message = driver::LegacyCodeMessage(code))
    analysis.Report(*message);

  int ack = 0;
  int st1 = 0;
  int st2 = 0;
  if (Daruma_FI_RetornoImpressora(&ack, &st1, &st2) != 1) {
    ImpFisDebug("ERRO!!! Ret recebido");
    analysis.Report(Entry("ImpErro"), /*logIt=*/false);
    return analysis.result();
  }
  if (ack == kNak) {
    ImpFisDebug("ERRO!!! NAK recebido");
    analysis.Report(Entry("ImpErro"), /*logIt=*/false);
    return analysis.result();
  }

  for (const Bit& bit : kStatus1) {
    if ((st1 & bit.value) == 0) continue;
    if (bit.value == kLowPaper) {
      const std::string text = driver::CatalogueText(Entry(bit.key));
      ImpFisDebug("ERRO!!! " + text);
      if (show && showLowPaper) analysis.Show(text);
    } else if (bit.value == kReceiptOpenBit) {
      ImpFisDebug("ERRO!!! " + driver::CatalogueText(Entry(bit.key)));
      if (cancelOpenReceipt) {
        // The cancellation is judged on its own, silently; whether it worked
        // does not change this analysis.
        const int cancelCode = Daruma_FI_CancelaCupom();
        AnalisaRetorno(stEsquema, cancelCode, false, false, false);
      }
    } else {
      analysis.Report(Entry(bit.key));
    }
  }
  for (const Bit& bit : kStatus2)
    if ((st2 & bit.value) != 0) analysis.Report(Entry(bit.key));

  return analysis.result();
}

}  // namespace Tov00300
