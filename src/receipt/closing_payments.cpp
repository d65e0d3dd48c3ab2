// The printer side of the closing: state check, subtotal and payments, each
// repeated on the operator's request in a card sale.
#include <optional>
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "receipt/closing_steps.h"
#include "receipt/printed_fields.h"
#include "receipt/receipt_state.h"
#include "receipt/retry_question.h"
#include "session/printer_documents.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300::receipt {

namespace {

// The printer takes payment-method names of at most 16 characters.
constexpr int kPaymentMethodWidth = 16;

}  // namespace

bool Retries::Send(const std::function<bool()>& command) {
  while (!command()) {
    // The question is only put while a card payment is pending and someone
    // is at the till to answer it.
    if (!cardSale || !boNUtilTaa) {
      boClieUtil = false;
      return false;
    }
    if (!driver::AskRetry(scheme)) return false;
    repeated = 1;
  }
  return true;
}

bool Retries::CheckPrinterState() {
  while (!Estado_Imp(scheme, false, false)) {
    if (!boNUtilTaa) {
      boClieUtil = false;
      return false;
    }
    if (!driver::AskRetry(scheme)) return false;
    repeated = 1;
  }
  return true;
}

bool SendSubtotal(Retries& t, double discount, double surcharge) {
  // The printer takes one adjustment: a discount wins over a surcharge.
  std::string kind = "D$";
  std::string amount;
  if (discount > 0) {
    amount = FormatFloat("0.00", hostlib::Trunc2(discount));
  } else if (surcharge > 0) {
    kind = "A$";
    amount = FormatFloat("0.00", hostlib::Trunc2(surcharge));
  } else {
    amount = FloatToStr(discount);
  }
  return t.Send([&] {
    if (driver::Command(iCFTotalizarCupom_ECF_Daruma(kind.c_str(), amount.c_str()),
                        driver::Describe("iCFTotalizarCupom_ECF_Daruma", {kind, amount}),
                        {t.scheme, t.showMessages})) {
      return true;
    }
    // Sent again, a subtotal already made would be refused and stop the
    // closing of a receipt that only needs its payments.
    const Progress now = ReadProgress();
    if (!now.known || !now.receiptOpen || !now.totalled) return false;
    ImpFisDebug(Utf8ToCp1252("Resposta perdida: o cupom foi totalizado pela impressora"));
    return true;
  });
}

bool HasPrinterPayment() {
  DataSet& lines = DataModule().cdsMovCaixaTef;
  for (lines.First(); !lines.Eof(); lines.Next()) {
    if (PaidOnPrinter(lines.FieldByName("IDTIPOMOVIVE").AsString())) return true;
  }
  return false;
}

bool SendPayments(Retries& t, PaymentsMade& payments, long long alreadyPaid) {
  TdtmDaruma300& dm = DataModule();
  DataSet& lines = dm.cdsMovCaixaTef;
  DataSet& paymentTypes = dm.cdsRecebAux;
  // What the printer holds once the lines before the current one are paid.
  long long heldCents = 0;
  for (lines.First(); !lines.Eof(); lines.Next()) {
    if (!PaidOnPrinter(lines.FieldByName("IDTIPOMOVIVE").AsString())) continue;
    // Every type was checked before the first command; a line whose type
    // vanished since is an error, never a payment under another type.
    if (!LocatePaymentType(lines)) throw DataSetError("cdsRecebAux: payment type not found");
    const double amount = lines.FieldByName("VRMOVIVEND").AsFloat();
    const std::string typeKind = paymentTypes.FieldByName("IDTIPORECE").AsString();
    if (typeKind == "8") payments.agreement = true;
    if (typeKind == "9" || typeKind == "A") payments.paidFromAccount += amount;
    const std::string name = receipt::OneLine(
        Copy(paymentTypes.FieldByName("NMTIPORECE").AsString(), 1, kPaymentMethodWidth));
    // The amount is not truncated: the mask keeps the nearest cent.
    const std::string text = FormatFloat("#0.00", amount);
    const std::optional<long long> cents = Cents(text);
    if (cents && heldCents < alreadyPaid) {
      if (heldCents + *cents <= alreadyPaid) {
        // Paid by an earlier call of this closing.
        heldCents += *cents;
        ++payments.sent;
        ImpFisDebug(Utf8ToCp1252("Pagamento já registrado na impressora: ") + name + " - " + text);
        continue;
      }
      // The printer holds payments that do not end where a line ends: paying
      // on would pay some of them twice.
      driver::ReportProblem(
          t.scheme,
          Utf8ToCp1252("Os pagamentos já registrados na impressora não correspondem aos "
                       "movimentos do cupom: R$ ") +
              FormatFloat("0.00", static_cast<double>(alreadyPaid) / 100),
          t.showMessages);
      return false;
    }
    const bool paid = t.Send([&] {
      if (driver::Command(iCFEfetuarPagamentoFormatado_ECF_Daruma(name.c_str(), text.c_str()),
                          driver::Describe("iCFEfetuarPagamentoFormatado_ECF_Daruma", {name, text}),
                          {t.scheme, t.showMessages})) {
        return true;
      }
      // Repeated after a lost reply, a payment already registered would be
      // paid twice.
      if (!cents) return false;
      const Progress now = ReadProgress();
      if (!now.known || !now.receiptOpen || now.paid != heldCents + *cents) return false;
      ImpFisDebug(Utf8ToCp1252("Resposta perdida: o pagamento foi registrado pela impressora"));
      return true;
    });
    if (!paid) return false;
    heldCents += cents.value_or(0);
    ++payments.sent;
  }
  lines.SetIndexName("idxNRORDTROCO");
  return true;
}

}  // namespace Tov00300::receipt
