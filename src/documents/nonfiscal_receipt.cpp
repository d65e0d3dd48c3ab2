// The non-linked non-fiscal receipt: one amount on one named non-fiscal
// totalizer, paid with one payment method, in a single call.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "documents/nonfiscal_receipt.h"
#include "documents/own_document.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/registers.h"
#include "driver/reply_buffer.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// The printer's totalizer names, separated by ';', fit in this many characters.
constexpr int kTotalizerListWidth = 360;

// Register 56 while a non-fiscal receipt is open.
constexpr const char* kReceiptOpen = "2";

// The printer's non-fiscal totalizer names, in the printer's order.
std::vector<std::string> ReadTotalizers() {
  driver::ReplyBuffer buffer(kTotalizerListWidth);
  // Not judged: a refused read leaves an empty list, and an unknown name is
  // reported by the search.
  driver::Store(rLerCNF_ECF_Daruma(buffer.data()));
  std::string list = Trim(buffer.Text()) + ";";
  std::vector<std::string> names;
  for (int end = Pos(";", list); end > 0; end = Pos(";", list)) {
    names.push_back(Copy(list, 1, end - 1));
    list.erase(0, end);
  }
  return names;
}

// The totalizer's position in the list, from 1, as two characters; "" when
// the name is not there. A blank name is never a totalizer.
std::string TotalizerCode(const std::string& totalizer) {
  if (hostlib::EmptyString(totalizer)) return "";
  const std::vector<std::string> names = ReadTotalizers();
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == totalizer) return hostlib::Ajusta(IntToStr(static_cast<long long>(i + 1)), 2);
  }
  return "";
}

constexpr session::OwnDocument kNonFiscal = session::OwnDocument::kNonFiscal;

// The printer's open document (register 56), read to decide; nullopt when
// the printer does not answer.
std::optional<std::string> DocumentState() {
  return driver::ReadRegisterText(driver::Register::kDocumentState);
}

// Cancels the non-fiscal receipt the printer holds open, if it does; true
// when none is left open (the cancellation's reply may have been lost).
bool CancelOpenReceipt(const driver::Judging& judging) {
  if (driver::Command(iCNFCancelar_ECF_Daruma(), "iCNFCancelar_ECF_Daruma", judging) ||
      DocumentState().value_or(kReceiptOpen) != kReceiptOpen) {
    documents::NoteNotOpen(kNonFiscal, "0");
    return true;
  }
  return false;
}

void ReportInvalidAmount(const std::string& scheme, const std::string& amount) {
  driver::ReportProblem(
      scheme, Utf8ToCp1252("Valor inválido para o comprovante não fiscal: \"") + amount + "\"",
      boNUtilTaa);
}

}  // namespace

bool Cupom_NFiscNVinc(const std::string& stEsquema, const std::string& totalizador,
                      const std::string& valor, const std::string& formaPagto,
                      const std::string& /*ignorado*/) {
  // Both checks come before the opening: a receipt opened for an amount or a
  // totalizer the printer cannot take would be left open or closed empty. The
  // host writes the amount in the process's settings; under pt_BR "1.234" is
  // refused here, never printed as 1,23.
  double amount = 0;
  if (!TryStrToFloat(valor, amount)) {
    ReportInvalidAmount(stEsquema, valor);
    return false;
  }
  return documents::NonFiscalReceipt(stEsquema, totalizador, amount, formaPagto);
}

bool documents::NonFiscalReceipt(const std::string& scheme, const std::string& totalizer,
                                 double amount, const std::string& paymentMethod) {
  if (!std::isfinite(amount)) {
    ReportInvalidAmount(scheme, FloatToStr(amount));
    return false;
  }
  const std::string code = TotalizerCode(totalizer);
  if (code.empty()) {
    driver::ReportProblem(
        scheme,
        Utf8ToCp1252("Totalizador não fiscal não cadastrado na impressora: \"") + totalizer + "\"",
        boNUtilTaa);
    return false;
  }
  const std::string amountText = FormatFloat("0.00", amount);

  const driver::Judging judging{scheme, boNUtilTaa};
  // A receipt left open (by an earlier call whose closing and cancellation
  // failed, or by a session stopped half-way) is cancelled before this one
  // opens, as the start of day does: the call that left it answered false,
  // and this call's payment must never go onto it.
  const std::optional<std::string> before = DocumentState();
  if (before == kReceiptOpen) {
    ImpFisDebug(Utf8ToCp1252("Comprovante não fiscal deixado aberto: cancelado antes do próximo"));
    if (!CancelOpenReceipt(judging)) {
      driver::ReportProblem(scheme,
                            Utf8ToCp1252("Há um comprovante não fiscal aberto que não pôde ser "
                                         "cancelado: o novo comprovante não foi impresso."),
                            boNUtilTaa);
      return false;
    }
  } else if (before) {
    documents::NoteNotOpen(kNonFiscal, *before);
  }
  // Nothing goes into a receipt this call did not open; the refusal was
  // reported by its analysis.
  if (!documents::OpenOwn(kNonFiscal, iCNFAbrirPadrao_ECF_Daruma, "iCNFAbrirPadrao_ECF_Daruma",
                          judging)) {
    return false;
  }
  // The later steps are sent whatever the previous one answered; each
  // refusal is reported by its own analysis and only the closing decides.
  driver::Command(iCNFReceberSemDesc_ECF_Daruma(code.c_str(), amountText.c_str()),
                  "iCNFReceberSemDesc_ECF_Daruma", judging);
  driver::Command(iCNFTotalizarComprovantePadrao_ECF_Daruma(),
                  "iCNFTotalizarComprovantePadrao_ECF_Daruma", judging);
  driver::Command(
      iCNFEfetuarPagamentoFormatado_ECF_Daruma(paymentMethod.c_str(), amountText.c_str()),
      "iCNFEfetuarPagamentoFormatado_ECF_Daruma", judging);
  // A reply lost on the closing: the receipt no longer open was closed, and
  // reported as failed it would be printed again by a host that repeats.
  if (documents::CloseOwn(kNonFiscal, iCNFEncerrarPadrao_ECF_Daruma(),
                          "iCNFEncerrarPadrao_ECF_Daruma", judging)) {
    return true;
  }
  // Not closed (a refused payment leaves it short): cancelled now, so the
  // printer holds nothing of an answer that says false, and the next
  // document is not refused for it.
  if (DocumentState() == kReceiptOpen) CancelOpenReceipt(judging);
  return false;
}

}  // namespace Tov00300
