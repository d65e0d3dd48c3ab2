// Selling one item on the open fiscal receipt.
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/registers.h"
#include "receipt/printed_fields.h"
#include "receipt/receipt_state.h"
#include "receipt/retry_question.h"
#include "session/printer_documents.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// The eight texts of the printer's item command, in its order.
struct ItemCommand {
  std::string rate, quantity, price, adjustmentKind, adjustment, code, unit, description;
};

// "II", "FF" and "NN" are the printer's fixed exempt, substitution and
// no-incidence codes; any other item is taxed by its rate, "I" + "00.00".
std::string RateCode(const std::string& taxCode, const std::string& taxPercent) {
  if (taxCode == "II") return "I1";
  if (taxCode == "FF") return "F1";
  if (taxCode == "NN") return "N1";
  return "I" + FormatFloat("00.00", hostlib::Trunc2(StrToFloat(taxPercent)));
}

std::string DebugLine(const ItemCommand& c) {
  return driver::Describe("iCFVender_ECF_Daruma", {c.rate, c.quantity, c.price, c.adjustmentKind,
                                                   c.adjustment, c.code, c.unit, c.description});
}

// The printer has one more item on the receipt this process opened than this
// process has counted: the item just sent was registered.
bool ItemRegistered() {
  const receipt::OwnReceipt& own = receipt::ThisReceipt();
  if (own.coo == 0) return false;
  const auto items = driver::ReadRegisterCount(driver::Register::kReceiptItems);
  return items && *items == own.items + 1;
}

}  // namespace

bool VendaItem(Variant& bag) {
  using hostlib::RecebeParams;
  const std::string scheme = RecebeParams(bag, "ESQUEMACOR").AsString();
  const int cardError = RecebeParams(bag, "INTEFERRO").AsInt();
  const std::string productCode = RecebeParams(bag, "CDARVPROD").AsString();
  const std::string productName = RecebeParams(bag, "NMPROD").AsString();
  const std::string taxCode = RecebeParams(bag, "CDALIQ").AsString();
  std::string taxPercent = RecebeParams(bag, "VRPERCALIQ").AsString();
  const double quantity = RecebeParams(bag, "QTDE").AsDouble();
  const double amount = RecebeParams(bag, "VALOR").AsDouble();
  const double discount = RecebeParams(bag, "DESCONT").AsDouble();
  const double surcharge = RecebeParams(bag, "ACRESCIMO").AsDouble();
  const std::string unit = RecebeParams(bag, "UNIDADE").AsString();
  const std::string cardUseKind = RecebeParams(bag, "IDUTILTEF").AsString();
  const bool cardPayment = RecebeParams(bag, "UTILTEF").AsBool();
  if (hostlib::EmptyString(taxPercent)) taxPercent = "0";

  // Only a receipt this session opened takes items: never the previous
  // customer's, nor one the session's own opening did not make.
  if (const std::string refusal = session::ReceiptRefusal(); !refusal.empty()) {
    stMensagemTaa.clear();
    driver::ReportProblem(scheme, refusal, boNUtilTaa);
    boClieUtil = false;
    bag = MakeBag({{"INTTEFERRO", cardError}, {"MENSAGEMTAA", stMensagemTaa}});
    return false;
  }

  for (;;) {
    ItemCommand c;
    c.rate = RateCode(taxCode, taxPercent);
    c.quantity = FormatFloat("#0.000", quantity);
    c.price = FormatFloat("0.00", hostlib::Trunc2(amount));
    // The printer takes one adjustment per item; a discount wins over a
    // surcharge, and "no adjustment" is a surcharge of zero.
    if (discount > 0) {
      c.adjustmentKind = "D$";
      c.adjustment = FormatFloat("0.00", hostlib::Trunc2(discount));
    } else {
      c.adjustmentKind = "A$";
      c.adjustment = FormatFloat("0.00", hostlib::Trunc2(surcharge));
    }
    c.code = receipt::OneLine(productCode);
    c.unit = receipt::OneLine(Copy(unit, 1, 2));
    c.description = receipt::OneLine(Copy(productName, 1, 50));

    // Only this item's messages go back to a self-service terminal.
    stMensagemTaa.clear();
    bool sold =
        driver::Command(iCFVender_ECF_Daruma(c.rate.c_str(), c.quantity.c_str(), c.price.c_str(),
                                             c.adjustmentKind.c_str(), c.adjustment.c_str(),
                                             c.code.c_str(), c.unit.c_str(), c.description.c_str()),
                        DebugLine(c), {scheme, boNUtilTaa});
    if (!sold) boClieUtil = false;
    // A reply lost on the line does not mean the item was not sold: a
    // repetition would sell it twice, a failure would leave it out of what
    // the till believes it sold while the receipt's total counts it.
    if (!sold && ItemRegistered()) {
      ImpFisDebug(Utf8ToCp1252("Resposta perdida: o item foi registrado pela impressora"));
      sold = true;
    }
    if (sold && receipt::ThisReceipt().coo != 0) ++receipt::ThisReceipt().items;

    if (sold || !boNUtilTaa) {
      if (cardPayment) boClieUtil = false;
      bag = MakeBag({{"INTTEFERRO", cardError}, {"MENSAGEMTAA", stMensagemTaa}});
      return sold;
    }

    bool again;
    if (receipt::CardSale(cardUseKind, cardPayment)) {
      again = driver::AskRetry(scheme);
    } else {
      const auto& msg = DataModule().msgPadrao;
      again = driver::AskRetry(scheme, msg.Msg("ErroItem") + "\r\n" + productCode + " - " +
                                           Copy(productName, 1, 20) + "\r\n" + msg.Msg("Deseja"));
    }
    if (!again) return false;
  }
}

}  // namespace Tov00300
