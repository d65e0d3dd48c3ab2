// Personal credit: the deposit on a consumer's account and its cancellation,
// each a voucher printed as a management report and the money registered on
// the printer as non-fiscal receipts.
#include <cmath>
#include <string>
#include <vector>

#include "documents/account_text.h"
#include "tov00300/accounts.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
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
  // The money is registered whatever the voucher's fate: the operator was
  // told by the report's own messages.
  RG_FrameWork(scheme, copies);

  if (rows.empty()) return false;
  bool allRegistered = true;
  const std::string totalizer = Catalogue("Compra-Cred");
  for (const Payment& row : rows) {
    // Every row is registered even after a refusal: the money was received.
    if (!Cupom_NFiscNVinc(scheme, totalizer, FloatToStr(row.amount), row.method, "")) {
      allRegistered = false;
    }
  }
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
  RG_FrameWork(scheme, voucher);
  return Cupom_NFiscNVinc(scheme, Catalogue("Canc-Cred"), FormatFloat("000000000.00", amount),
                          paymentMethod, "");
}

}  // namespace Tov00300
