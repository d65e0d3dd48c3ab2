// Closing the fiscal receipt: subtotal, payments, footer and the optional
// contra-vale receipt, in one call.
#include <string>

#include "documents/nonfiscal_receipt.h"
#include "driver/closing_note.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "receipt/closing_steps.h"
#include "receipt/receipt_state.h"
#include "receipt/retry_question.h"
#include "session/printer_documents.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

using receipt::ClosingPositions;

constexpr int kFooterLineLimit = 8;
constexpr int kPaymentMethodWidth = 16;
constexpr int kResultElements = 4;
// A table number longer than this is an order-pad number.
constexpr size_t kTableNumberWidth = 4;

enum class Outcome {
  Completed,  // ran to its end: the result elements are written
  Failed,     // stopped by a problem the host must fix: the elements are written
  Ended,      // the failure rule ended it: the elements are left alone
};

// A loyalty-points line of msgPadrao2, or "" when no points were earned.
std::string PointsLine(const char* key, double points) {
  if (points == 0) return "";
  std::string text = DataModule().msgPadrao2.Msg(key);
  const size_t mark = text.find("%s");
  if (mark != std::string::npos) text.replace(mark, 2, FloatToStr(points));
  return text;
}

std::string TableText(const std::string& number) {
  if (number.empty()) return "";
  const auto& msg = DataModule().msgPadrao;
  if (number.size() > kTableNumberWidth) return msg.Msg("Comanda") + " : " + number + "   - ";
  return msg.Msg("Mesa") + "  : " + number + "           - ";
}

std::string TaxText(const ClosingPositions& p) {
  return "Trib aprox R$: " + FormatFloat("#,##0.00", p.federalTax) + " Federal e " +
         FormatFloat("#,##0.00", p.stateTax) + " Estadual\n\rFonte: IBPT";
}

// A movement that cannot be paid: said the way the return analysis says a
// printer problem (log, terminal text, dialog when messages are shown).
void ReportMissingPaymentType(const ClosingPositions& p, const std::string& code) {
  driver::ReportProblem(
      p.scheme, Utf8ToCp1252("Tipo de recebimento não cadastrado para o pagamento: ") + code,
      p.showMessages);
}

std::string ComposeFooter(const ClosingPositions& p, const StringList& linhas,
                          const receipt::PaymentsMade& paid, const std::string& taxText,
                          const std::string& table) {
  TdtmDaruma300& dm = DataModule();
  const std::string password = p.password.empty() ? "" : dm.msgPadrao.Msg("SENHA") + p.password;
  const bool appendCardLines = p.cardUseKind == "T" && p.cardPayment && p.appendCardLines == "S";
  return Formata_rodape(
      kFooterLineLimit, p.balanceMode, p.firstLine, taxText, "", p.agreementCode, p.agreementName,
      p.printConsumer ? p.consumerCode : "", p.printConsumer ? p.consumerName : "", p.operatorCode,
      p.operatorName, table, password, p.footer19, p.footer20, p.footer39, p.message,
      p.tableCheckEcf, p.tableCheckCer, p.tableCheckCoo, p.balanceKind, paid.agreement ? "1" : "2",
      paid.paidFromAccount, p.subsidyPrice, p.consumerBalance, dm.cdsSaldCred, dm.cdsFamiliaSaldo,
      dm.cdsEmprestimo, appendCardLines, linhas, PointsLine("DOTZ", p.points),
      PointsLine("DOTZ_EXTRAS", p.extraPoints));
}

Outcome Close(const ClosingPositions& p, const StringList& linhas, receipt::Retries& t) {
  const std::string table = TableText(p.table);
  receipt::LoadClosingTables(p);
  receipt::BuildPaymentLines(t.cardSale);
  // Every payment type is checked before the first command: a movement must
  // never be paid under another type, and a receipt left untouched can be
  // closed again once the host has fixed its table.
  std::string missingType;
  if (receipt::MissingPaymentType(missingType)) {
    ReportMissingPaymentType(p, missingType);
    return Outcome::Failed;
  }
  // The checks below also come before the first command: each leaves the
  // receipt as it was, to be closed once the host has put it right.
  if (const std::string refusal = session::ReceiptRefusal(); !refusal.empty()) {
    driver::ReportProblem(p.scheme, refusal, p.showMessages);
    return Outcome::Failed;
  }
  // A closing that pays nothing cannot close the receipt: reporting success
  // would let the host take an open receipt for a finished sale.
  if (!receipt::HasPrinterPayment()) {
    driver::ReportProblem(p.scheme,
                          Utf8ToCp1252("Nenhum pagamento (movimento \"E\" ou \"T\") para "
                                       "encerrar o cupom fiscal: o cupom continua aberto."),
                          p.showMessages);
    return Outcome::Failed;
  }
  // The printer refuses a negative amount only once the contra-vale receipt
  // is open, and a non-fiscal receipt left open blocks the next sale.
  if (p.printChangeVoucher && p.changeVoucherAmount < 0) {
    driver::ReportProblem(p.scheme,
                          Utf8ToCp1252("Valor negativo para o contra-vale: ") +
                              FormatFloat("0.00", p.changeVoucherAmount),
                          p.showMessages);
    return Outcome::Failed;
  }

  // The closing may be a repetition after a failure part-way or a lost
  // reply: each step looks first at what the printer has already done.
  const receipt::Progress progress = receipt::ReadProgress();
  if (progress.known && !progress.receiptOpen && receipt::OwnReceiptClosed()) {
    ImpFisDebug(Utf8ToCp1252("FechaCupom: o cupom já foi encerrado na impressora"));
  } else {
    if (p.cardUseKind == "T" && p.cardPayment && !t.CheckPrinterState()) return Outcome::Ended;
    if (!(progress.known && progress.totalled) &&
        !receipt::SendSubtotal(t, p.discount, p.surcharge)) {
      return Outcome::Ended;
    }
    receipt::PaymentsMade paid;
    if (!receipt::SendPayments(t, paid, progress.known ? progress.paid : 0)) {
      return Outcome::Ended;
    }

    const std::string taxText = TaxText(p);
    // Kept until the host records the grand total: a till stopped between
    // the closing and that record is then not taken for tampering.
    driver::NoteClosing();
    const bool closed = t.Send([&] {
      const std::string message = ComposeFooter(p, linhas, paid, taxText, table);
      if (driver::Command(iCFEncerrarConfigMsg_ECF_Daruma(message.c_str()),
                          "iCFEncerrarConfigMsg_ECF_Daruma", {t.scheme, t.showMessages})) {
        return true;
      }
      if (!receipt::OwnReceiptClosed()) return false;
      ImpFisDebug(Utf8ToCp1252("Resposta perdida: o cupom foi encerrado pela impressora"));
      return true;
    });
    if (!closed) return Outcome::Ended;
    receipt::ThisReceipt().closed = receipt::ThisReceipt().coo != 0;
  }

  if (p.printChangeVoucher &&
      !(receipt::ThisReceipt().closed && receipt::ThisReceipt().changeVoucherPrinted)) {
    receipt::ThisReceipt().changeVoucherPrinted = true;
    const auto& msg = DataModule().msgPadrao;
    try {
      documents::NonFiscalReceipt(p.scheme, msg.Msg("CV-EMI"), p.changeVoucherAmount,
                                  Copy(msg.Msg("Dinheiro"), 1, kPaymentMethodWidth));
    } catch (const std::exception&) {
      // The fiscal receipt is closed; the contra-vale's fate does not change that.
    }
  }
  return Outcome::Completed;
}

void WriteResult(Variant& result, int repeated, const std::string& returnText) {
  if (!result.IsArray()) result = Variant(VariantArray(kResultElements));
  VariantArray& elements = result.AsArray();
  if (elements.size() < kResultElements) elements.resize(kResultElements);
  elements[0] = Variant(repeated);
  elements[1] = Variant(returnText);
  elements[2] = Variant(std::string());
  elements[3] = Variant(stMensagemTaa);
}

}  // namespace

bool FechaCupom(const VariantArray& valores, const StringList& linhas, Variant& result) {
  const ClosingPositions p = receipt::ReadClosingPositions(valores);
  receipt::Retries t;
  t.scheme = p.scheme;
  t.showMessages = p.showMessages;
  t.cardSale = receipt::CardSale(p.cardUseKind, p.cardPayment);
  bool succeeded = false;
  try {
    const Outcome outcome = Close(p, linhas, t);
    if (outcome == Outcome::Ended) return false;
    succeeded = outcome == Outcome::Completed;
  } catch (const std::exception& e) {
    // A packet without a field the closing reads, a value that does not
    // convert: the host learns it from the result and the log.
    try {
      ImpFisDebug(std::string("ERRO!!! FechaCupom: ") + e.what());
    } catch (const std::exception&) {
    }
  }
  WriteResult(result, t.repeated, p.resultText);
  if (!stMensagemTaa.empty()) boClieUtil = false;
  return succeeded;
}

bool Totaliza_NFiscal(const std::string& /*ignorado1*/, const std::string& /*ignorado2*/) {
  return true;
}

}  // namespace Tov00300
