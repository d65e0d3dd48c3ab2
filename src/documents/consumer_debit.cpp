// The voucher of a purchase on a consumer's debit account.
#include <cmath>
#include <stdexcept>
#include <string>

#include "documents/account_text.h"
#include "driver/shared_reads.h"
#include "tov00300/accounts.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300 {

namespace {

using documents::AmountRow;
using documents::Catalogue;
using documents::Line;
using documents::Line48;
using documents::Rule;

// A limit or consumption text as a number; an empty text is 0.
bool ReadAmountText(const std::string& text, double& amount) {
  if (Trim(text).empty()) {
    amount = 0;
    return true;
  }
  return TryStrToFloat(text, amount) && std::isfinite(amount);
}

std::string ProductLines(DataSet& products) {
  std::string text;
  for (products.First(); !products.Eof(); products.Next()) {
    const double shown = products.FieldByName("VRPRECCOMVEN").AsFloat() +
                         products.FieldByName("VRUNITVENDCL").AsFloat();
    text +=
        AmountRow(Copy(products.FieldByName("CDARVPROD").AsString(), 1, 10) + " " +
                      Copy(products.FieldByName("NMPRODUTO").AsString(), 1, 12) + "   " +
                      FormatFloat("0.00", products.FieldByName("QTPRODCOMVEN").AsFloat()) + "  ",
                  {{FormatFloat("0.00", shown), 8}});
  }
  return text;
}

// Discount and surcharge are those of the last product row: the host puts
// the purchase's adjustments there.
std::string AdjustmentLines(DataSet& products) {
  std::string text;
  if (products.IsEmpty()) return text;
  products.Last();
  const double discount = products.FieldByName("VRDESCCOMVEN").AsFloat();
  const double surcharge = products.FieldByName("VRACRCOMVEN").AsFloat();
  if (discount > 0) {
    text += AmountRow(hostlib::TamFixo("Desconto", 15), {{FormatFloat("0.00", discount), 33}});
  }
  if (surcharge > 0) {
    text += AmountRow(hostlib::TamFixo("Acrescimo", 15), {{FormatFloat("0.00", surcharge), 33}});
  }
  return text;
}

}  // namespace

bool Comp_DebitoCons(const std::string& scheme, const Variant& products, double value,
                     const std::string& /*unused4*/, const std::string& consumerNumber,
                     const std::string& consumerName, const std::string& client,
                     const std::string& client2, const std::string& password, double balance,
                     double subsidisedPrice, double /*unused12*/, const std::string& balanceMode,
                     const std::string& message, const std::string& limitKind,
                     const std::string& dailyLimit, const std::string& monthlyLimit,
                     const Variant& consumption) {
  TdtmDaruma300& dm = DataModule();
  for (const double amount : {value, balance, subsidisedPrice}) {
    if (!std::isfinite(amount)) {
      documents::ReportBadInput(
          scheme, "Valor inválido para o comprovante de débito: ", FloatToStr(amount));
      return false;
    }
  }
  const std::string missing =
      documents::MissingField(products, {"CDARVPROD", "NMPRODUTO", "QTPRODCOMVEN", "VRPRECCOMVEN",
                                         "VRUNITVENDCL", "VRDESCCOMVEN", "VRACRCOMVEN"});
  if (!missing.empty()) {
    documents::ReportBadInput(scheme, "Campo ausente nos produtos da venda: ", missing);
    return false;
  }
  dm.cdsProdDeb.SetData(products.AsDataPacket());
  const double finalBalance = balance + subsidisedPrice - value;
  const std::string passwordText = password.empty() ? "" : Catalogue("SEN_PED") + password + "\r\n";
  if (!(RoundDec(value, 2) > 0)) return true;

  // The limits are read before anything is printed: a voucher must not be
  // printed without the lines the consumer signs for.
  double daily = 0;
  double monthly = 0;
  std::string limitLine;
  if (limitKind != "N") {
    const std::string missingConsumption =
        documents::MissingField(consumption, {"VALCONSUMDIA", "VALCONSUMMES"});
    if (!missingConsumption.empty()) {
      documents::ReportBadInput(scheme,
                                "Campo ausente no consumo do consumidor: ", missingConsumption);
      return false;
    }
    dm.cdsVrSaldConsumi.SetData(consumption.AsDataPacket());
    DataSet& used = dm.cdsVrSaldConsumi;
    used.First();
    const std::string usedToday = used.IsEmpty() ? "" : used.FieldByName("VALCONSUMDIA").AsString();
    const std::string usedMonth = used.IsEmpty() ? "" : used.FieldByName("VALCONSUMMES").AsString();
    double dailyUsed = 0;
    double monthlyUsed = 0;
    for (const std::string* text : {&dailyLimit, &monthlyLimit, &usedToday, &usedMonth}) {
      double ignored = 0;
      if (!ReadAmountText(*text, ignored)) {
        documents::ReportBadInput(scheme, "Valor de limite ou consumo inválido: ", *text);
        return false;
      }
    }
    ReadAmountText(dailyLimit, daily);
    ReadAmountText(monthlyLimit, monthly);
    ReadAmountText(usedToday, dailyUsed);
    ReadAmountText(usedMonth, monthlyUsed);
    const std::string dayText =
        Catalogue("LIMDIA") + FormatFloat("#0.00", daily - (dailyUsed + value));
    const std::string monthText =
        Catalogue("LIMMES") + FormatFloat("#0.00", monthly - (monthlyUsed + value));
    if (limitKind == "D") limitLine = Line(dayText);
    if (limitKind == "M") limitLine = Line(monthText);
    if (limitKind == "T") limitLine = Line(dayText + " - " + monthText);
  }

  std::string text;
  try {
    text = Line("") + Line("");
    text += documents::Centred(Catalogue("ComprDebito"));
    text += Rule();
    text += Line48(Catalogue("CDCLIE") + client);
    text += Line48(std::string(9, ' ') + client2);
    text += Rule() + Line("");
    text += Line48(Catalogue("CDCons") + consumerNumber);
    text += Line48(Catalogue("NmCons") + consumerName);
    text += Line("Ass.:");
    text += Rule(' ') + Rule();
    text += documents::Centred(Catalogue("ProdVend")) + Rule(' ');
    text += Line48(Catalogue("Cabecalho"));
    text += ProductLines(dm.cdsProdDeb);
    text += Rule(' ');
    text += AdjustmentLines(dm.cdsProdDeb);
    text += AmountRow(Copy(Catalogue("Total"), 1, 40), {{FormatFloat("0.00", value), 31}});
    text += Rule();
  } catch (const std::runtime_error& e) {
    // A product field holding something that is not a number.
    documents::ReportBadInput(scheme, "Produtos da venda inválidos: ", e.what());
    return false;
  }
  text += limitLine;
  text += passwordText.substr(0, documents::kReportColumns);
  if (balanceMode != "2")
    text += documents::WithValue(documents::Catalogue2("SALDO_FIN"), CurrToStrF(finalBalance));
  if (!message.empty()) text += Rule(' ') + Line(message);
  if (subsidisedPrice > 0) text += Catalogue("PRECO_SUBSIDIO") + " " + CurrToStrF(subsidisedPrice);

  // Only to talk to the printer before the report: the number is not printed.
  driver::ReceiptNumber(scheme);
  return RG_FrameWork(scheme, text);
}

}  // namespace Tov00300
