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
constexpr int kLarguraStatus = 200;

// The driver's "nothing to report" answer, which is not a failure.
constexpr int kStatusSemInformacao = -12;

// Lets the driver put a code into words; the text is read back within its width.
template <typename Interpretar>
std::string Interpretado(Interpretar interpretar, int codigo) {
  driver::ReplyBuffer texto(kLarguraStatus);
  interpretar(codigo, texto.data());
  return texto.Trimmed();
}

}  // namespace

bool AnalisaRetorno_FrameWork(const std::string& stEsquema, int inCodRetorno, bool boMostraMsg,
                              bool /*boReservado*/, bool boAvisoUm) {
  bool resultado = true;

  // The pending description leaves stImpDebug before the write, so it is
  // empty afterwards even when the log cannot be written.
  const std::string pendente = std::move(stImpDebug);
  stImpDebug.clear();
  ImpFisDebug(pendente);

  if (const driver::CatalogueEntry* mensagem = driver::FrameWorkCodeMessage(inCodRetorno)) {
    driver::ReportProblem(stEsquema, driver::CatalogueText(*mensagem),
                          {boMostraMsg, true, [] { eTEF_TravarTeclado_ECF_Daruma(0); }});
    resultado = false;
  } else if (inCodRetorno < 0 && inCodRetorno != kStatusSemInformacao) {
    // A negative code is a failure even when the catalogue has no text for
    // it: taking it as success would let a command that never reached the
    // printer pass for one that did.
    driver::ReportProblem(
        stEsquema,
        Utf8ToCp1252("Erro não catalogado da impressora: código ") + std::to_string(inCodRetorno),
        {boMostraMsg, true, [] { eTEF_TravarTeclado_ECF_Daruma(0); }});
    resultado = false;
  }

  // The printer's own verdict on its last command, asked on every call: an
  // error it reports makes the result false even for return code 1.
  int erro = 0;
  int aviso = 0;
  const int status = rStatusUltimoCmdInt_ECF_Daruma(&erro, &aviso);

  // -12 is the driver's way of saying the status query itself has nothing to
  // report; any other failure of the query is put into words by the driver.
  if (status != 1 && status != kStatusSemInformacao) {
    driver::ReportStatus(stEsquema, Interpretado(eInterpretarRetorno_ECF_Daruma, status),
                         boMostraMsg, driver::kErrorDialog);
  }

  if (erro != 0) {
    driver::ReportStatus(stEsquema, Interpretado(eInterpretarErro_ECF_Daruma, erro), boMostraMsg,
                         driver::kErrorDialog);
    resultado = false;
  }

  if (aviso == -1 || aviso == -2) {
    driver::ReportStatus(stEsquema, Interpretado(eInterpretarAviso_ECF_Daruma, aviso), boMostraMsg,
                         driver::kNoticeDialog);
  } else if (aviso == 1 && boAvisoUm) {
    // Warning 1 matters only to receipt opening; it is shown and logged but
    // not handed to a self-service terminal.
    driver::ReportStatus(stEsquema, Interpretado(eInterpretarAviso_ECF_Daruma, aviso), boMostraMsg,
                         driver::kNoticeDialog, /*collected=*/false);
  }

  return resultado;
}

bool Estado_Imp(const std::string& stEsquema, bool /*boReservado1*/, bool /*boReservado2*/) {
  boClieUtil = driver::JudgePending(inRetorno, {stEsquema, boNUtilTaa});
  return boClieUtil;
}

}  // namespace Tov00300
