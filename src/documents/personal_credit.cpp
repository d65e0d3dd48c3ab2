// Personal credit: the deposit on a consumer's account and its cancellation,
// each a voucher printed as a management report and the money registered on
// the printer as non-fiscal receipts.
#include <cmath>
#include <exception>
#include <string>
#include <vector>

#include "documents/account_text.h"
#include "documents/whole_report.h"
#include "tov00300/accounts.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"

namespace Tov00300 {

namespace {

using documents::Catalogue;
using documents::Line;
using documents::Line48;
using documents::Rule;

// Payment method names the printer takes are at most this long.
constexpr int kMethodNameWidth = 16;
// Blank lines between the two copies of the deposit voucher, to tear it.
constexpr int kLinesBetweenCopies = 4;

struct Payment {
  double amount;
  std::string method;
};

// Card payments ("1" and "2") name the method the card stands for when the
// host gives it.
std::string MethodName(DataSet& payments) {
  const std::string kind = payments.FieldByName("IDTIPORECE").AsString();
  const std::string own = payments.FieldByName("NMTIPORECE").AsString();
  if (kind == "1" || kind == "2") {
    const std::string original = payments.FieldByName("NMTIPORECEORIG").AsString();
    if (!hostlib::EmptyString(original)) return Copy(original, 1, kMethodNameWidth);
  }
  return Copy(own, 1, kMethodNameWidth);
}

bool ValidAmount(double amount) {
  return std::isfinite(amount) && amount >= 0;
}

// What a deposit left on the printer while it is not yet whole: a call that
// repeats it after a failure prints its voucher and registers each payment
// only if the earlier calls did not. The same deposit is the same number
// with the same payments.
struct DepositProgress {
  std::string key;
  bool voucherPrinted = false;
  std::vector<bool> registered;  // per payment row: its non-fiscal receipt was closed
};

DepositProgress& UnfinishedDeposit() {
  static DepositProgress progress;
  return progress;
}

// A cancellation whose money was not registered yet: a call that repeats
// it prints its voucher only if the earlier calls did not. The same
// cancellation is the same voucher text and payment method.
struct CancellationProgress {
  std::string key;
  bool voucherPrinted = false;
};

CancellationProgress& UnfinishedCancellation() {
  static CancellationProgress progress;
  return progress;
}

std::string DepositKey(const std::string& depositNumber, const std::vector<Payment>& rows) {
  std::string key = depositNumber;
  for (const Payment& row : rows) key += "\n" + FloatToStr(row.amount) + ";" + row.method;
  return key;
}

}  // namespace

bool Compr_CredPessoal(const std::string& /*unused1*/, const std::string& /*unused2*/,
                       const std::string& /*unused3*/, const std::string& /*unused4*/,
                       const std::string& /*unused5*/, const std::string& scheme,
                       std::string& /*unused7*/, std::string& /*unused8*/, DataSet& payments,
                       double balance, const std::string& consumerName,
                       const std::string& depositNumber, const std::string& /*unused13*/,
                       const std::string& /*unused14*/, const std::string& /*unused15*/,
                       const std::string& /*unused16*/, const std::string& /*unused17*/,
                       const std::string& /*unused18*/, const std::string& /*unused19*/,
                       const std::string& /*unused20*/, const std::string& /*unused21*/,
                       const std::string& /*unused22*/, const std::string& /*unused23*/,
                       const std::string& /*unused24*/, bool /*unused25*/,
                       const std::string& familyName, const std::string& /*unused27*/,
                       const std::string& /*unused28*/) {
  // Every row is read before anything is printed: a deposit is registered
  // whole or not at all.
  if (!std::isfinite(balance)) {
    documents::ReportBadInput(scheme, "Saldo inválido para o depósito: ", FloatToStr(balance));
    return false;
  }
  std::vector<Payment> rows;
  double total = 0;
  if (payments.Active()) {
    const std::string missing = documents::MissingField(
        payments, {"VRMOVIVEND", "IDTIPORECE", "NMTIPORECE", "NMTIPORECEORIG"});
    if (!missing.empty()) {
      documents::ReportBadInput(scheme, "Campo ausente nos pagamentos do depósito: ", missing);
      return false;
    }
    try {
      for (payments.First(); !payments.Eof(); payments.Next()) {
        const double amount = payments.FieldByName("VRMOVIVEND").AsFloat();
        if (!ValidAmount(amount)) {
          documents::ReportBadInput(
              scheme, "Valor inválido no pagamento do depósito: ", FloatToStr(amount));
          return false;
        }
        rows.push_back({amount, MethodName(payments)});
        total += amount;
      }
    } catch (const std::runtime_error& e) {
      documents::ReportBadInput(scheme, "Pagamentos do depósito inválidos: ", e.what());
      return false;
    }
  }

  std::string voucher = Line("");
  voucher += documents::Centred(Catalogue("ComprCredito"));
  voucher += Rule() + Line("");
  voucher += Line48(Catalogue("Nr_Deposito") + depositNumber);
  voucher += Rule(' ');
  voucher += Line48(Catalogue("NmCons") + consumerName);
  voucher += Line48(Catalogue("NmFami") + familyName);
  voucher += Line48(Catalogue("VrCupom") + CurrToStrF(total));
  voucher += Line48(Catalogue("VrSaldo") + CurrToStrF(total + balance));
  // Two copies in one report: one for the consumer, one the till keeps.
  std::string copies = voucher;
  for (int i = 0; i < kLinesBetweenCopies; ++i) copies += Rule(' ');
  copies += voucher;
  DepositProgress& progress = UnfinishedDeposit();
  const std::string key = DepositKey(depositNumber, rows);
  if (progress.key != key || progress.registered.size() != rows.size()) {
    progress = {key, false, std::vector<bool>(rows.size(), false)};
  }
  // The money is registered whatever the voucher's fate: the operator was
  // told by the report's own messages.
  if (progress.voucherPrinted) {
    ImpFisDebug(Utf8ToCp1252("Comprovante do depósito já impresso: ") + depositNumber);
  } else {
    try {
      progress.voucherPrinted = documents::PrintWholeReport(scheme, copies).closed;
    } catch (const std::exception&) {
      // Reported by the report's messages; the payments are still registered.
    }
  }

  if (rows.empty()) return false;
  bool allRegistered = true;
  const std::string totalizer = Catalogue("Compra-Cred");
  for (size_t i = 0; i < rows.size(); ++i) {
    const Payment& row = rows[i];
    const std::string amount = FloatToStr(row.amount);
    if (progress.registered[i]) {
      ImpFisDebug(Utf8ToCp1252("Pagamento do depósito já registrado na impressora: ") + row.method +
                  " - " + amount);
      continue;
    }
    // Every row is registered even after a refusal: the money was received.
    progress.registered[i] = Cupom_NFiscNVinc(scheme, totalizer, amount, row.method, "");
    if (!progress.registered[i]) allRegistered = false;
  }
  // A whole deposit is over: the host's next call is a deposit of its own.
  if (allRegistered) progress = {};
  return allRegistered;
}

bool Cancela_Cred_Pessoal(const std::string& /*unused1*/, const std::string& /*unused2*/,
                          const std::string& /*unused3*/, const std::string& /*unused4*/,
                          const std::string& scheme, std::string& /*unused6*/,
                          const std::string& depositNumber, const std::string& client,
                          const std::string& consumer, const std::string& /*unused10*/,
                          const std::string& paymentMethod, double amount, double balance,
                          const std::string& familyName) {
  if (!ValidAmount(amount) || !std::isfinite(balance)) {
    documents::ReportBadInput(scheme, "Valor inválido no cancelamento do depósito: ",
                              FloatToStr(ValidAmount(amount) ? balance : amount));
    return false;
  }
  std::string voucher = Line("");
  voucher += documents::Centred(Catalogue("Canc_ComprCredito"));
  voucher += Rule() + Line("");
  voucher += Line48(Catalogue("Canc_Deposito") + ": " + depositNumber);
  voucher += Rule(' ');
  voucher += Line48(Catalogue("CDCLIE") + client);
  voucher += Line48(Catalogue("Consumidor") + ": " + consumer);
  voucher += Line48(Catalogue("NmFami") + familyName);
  voucher += Line48(Catalogue("VrCupom") + CurrToStrF(amount));
  voucher += Line48(Catalogue("Sald_Cons") + CurrToStrF(balance));
  CancellationProgress& progress = UnfinishedCancellation();
  const std::string key = paymentMethod + "\n" + voucher;
  if (progress.key != key) progress = {key, false};
  // As for the deposit: the money is registered whatever the voucher's
  // fate, and a repetition after a refused registration does not print the
  // voucher the printer already holds.
  if (progress.voucherPrinted) {
    ImpFisDebug(Utf8ToCp1252("Comprovante do cancelamento já impresso: ") + depositNumber);
  } else {
    try {
      progress.voucherPrinted = documents::PrintWholeReport(scheme, voucher).closed;
    } catch (const std::exception&) {
      // Reported by the report's messages; the money is still registered.
    }
  }
  const bool registered = Cupom_NFiscNVinc(scheme, Catalogue("Canc-Cred"),
                                           FormatFloat("000000000.00", amount), paymentMethod, "");
  // A whole cancellation is over: the host's next call is one of its own.
  if (registered) progress = {};
  return registered;
}

}  // namespace Tov00300
