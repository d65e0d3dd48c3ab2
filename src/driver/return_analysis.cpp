// The return analysis every driver call goes through.
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/reply_buffer.h"
#include "driver/return_codes.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// Width of the three texts the printer's status is interpreted into.
constexpr int kStatusTextWidth = 200;

// The driver's "nothing to report" answer, which is not a failure.
constexpr int kStatusUnknown = -12;

// Lets the driver put a code into words; the text is read back within its width.
template <typename Interpreter>
std::string Interpreted(Interpreter interpret, int code) {
  driver::ReplyBuffer text(kStatusTextWidth);
  interpret(code, text.data());
  return text.Trimmed();
}

}  // namespace

bool AnalisaRetorno_FrameWork(const std::string& stEsquema, int inCodRetorno, bool boMostraMsg,
                              bool /*boReservado*/, bool boAvisoUm) {
  bool result = true;

  // The pending description leaves stImpDebug before the write, so it is
  // empty afterwards even when the log cannot be written.
  const std::string pending = std::move(stImpDebug);
  stImpDebug.clear();
  ImpFisDebug(pending);

  if (const driver::CatalogueEntry* message = driver::FrameWorkCodeMessage(inCodRetorno)) {
    driver::ReportProblem(stEsquema, driver::CatalogueText(*message),
                          {boMostraMsg, true, [] { eTEF_TravarTeclado_ECF_Daruma(0); }});
    result = false;
  } else if (inCodRetorno < 0 && inCodRetorno != kStatusUnknown) {
    // A negative code is a failure even when the catalogue has no text for
    // it: taking it as success would let a command that never reached the
    // printer pass for one that did.
    driver::ReportProblem(
        stEsquema,
        Utf8ToCp1252("Erro não catalogado da impressora: código ") + std::to_string(inCodRetorno),
        {boMostraMsg, true, [] { eTEF_TravarTeclado_ECF_Daruma(0); }});
    result = false;
  }

  // The printer's own verdict on its last command, asked on every call: an
  // error it reports makes the result false even for return code 1.
  int erro = 0;
  int aviso = 0;
  const int status = rStatusUltimoCmdInt_ECF_Daruma(&erro, &aviso);

  // -12 is the driver's way of saying the status query itself has nothing to
  // report; any other failure of the query is put into words by the driver.
  if (status != 1 && status != kStatusUnknown) {
    driver::ReportStatus(stEsquema, Interpreted(eInterpretarRetorno_ECF_Daruma, status),
                         boMostraMsg, driver::kErrorDialog);
  }

  if (erro != 0) {
    driver::ReportStatus(stEsquema, Interpreted(eInterpretarErro_ECF_Daruma, erro), boMostraMsg,
                         driver::kErrorDialog);
    result = false;
  }

  if (aviso == -1 || aviso == -2) {
    driver::ReportStatus(stEsquema, Interpreted(eInterpretarAviso_ECF_Daruma, aviso), boMostraMsg,
                         driver::kNoticeDialog);
  } else if (aviso == 1 && boAvisoUm) {
    // Warning 1 matters only to receipt opening; it is shown and logged but
    // not handed to a self-service terminal.
    driver::ReportStatus(stEsquema, Interpreted(eInterpretarAviso_ECF_Daruma, aviso), boMostraMsg,
                         driver::kNoticeDialog, /*collected=*/false);
  }

  return result;
}

bool Estado_Imp(const std::string& stEsquema, bool /*boReservado1*/, bool /*boReservado2*/) {
  boClieUtil = driver::JudgePending(inRetorno, {stEsquema, boNUtilTaa});
  return boClieUtil;
}

}  // namespace Tov00300
