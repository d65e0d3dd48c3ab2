// Opening a fiscal receipt, with or without the consumer's identification.
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "receipt/printed_fields.h"
#include "receipt/receipt_state.h"
#include "receipt/retry_question.h"
#include "session/printer_documents.h"
#include "tov00300/driver.h"
#include "tov00300/hostlib.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// The printer rejects an identified opening with an empty name or address;
// a single blank stands for "not given".
std::string OrBlank(const std::string& text) {
  return hostlib::EmptyString(text) ? std::string(" ") : text;
}

}  // namespace

bool AbreCupom(Variant& bag) {
  using hostlib::RecebeParams;
  const std::string scheme = RecebeParams(bag, "ESQUEMACOR").AsString();
  int cardError = RecebeParams(bag, "INTTEFERRO").AsInt();
  const std::string cpf = RecebeParams(bag, "INCLUICPF").AsString();
  std::string name = RecebeParams(bag, "INCLUINOME").AsString();
  std::string address = RecebeParams(bag, "INCLUIENDERECO").AsString();
  std::string receiptNumber = RecebeParams(bag, "CUPNR").AsString();
  std::string receiptCounter = RecebeParams(bag, "CONTCUPOM").AsString();
  const std::string cardUseKind = RecebeParams(bag, "IDUTILTEF").AsString();
  const bool cardPayment = RecebeParams(bag, "UTILTEF").AsBool();
  stMensagemTaa.clear();
  // Whatever this opening leads to, the receipt before it is no longer the
  // one the sale operations act on.
  receipt::ThisReceipt() = {};

  const bool identified = !hostlib::EmptyString(cpf);
  if (identified) {
    name = OrBlank(name);
    address = OrBlank(address);
  }

  bool opened = false;
  for (;;) {
    // Warning 1 of the printer is also reported at opening.
    const driver::Judging judging{scheme, boNUtilTaa, false, true};
    if (identified) {
      // Each is printed on a line of its own; the bag keeps them as given.
      const std::string cpfLine = receipt::OneLine(cpf);
      const std::string nameLine = receipt::OneLine(name);
      const std::string addressLine = receipt::OneLine(address);
      opened = driver::Command(
          iCFAbrir_ECF_Daruma(cpfLine.c_str(), nameLine.c_str(), addressLine.c_str()),
          "iCFAbrir_ECF_Daruma", judging);
    } else {
      opened = driver::Command(iCFAbrirPadrao_ECF_Daruma(), "iCFAbrirPadrao_ECF_Daruma", judging);
    }

    if (opened || !boNUtilTaa) {
      if (cardPayment) boClieUtil = false;
      break;
    }
    // Only a card sale lets the operator repeat a refused opening: the card
    // transaction already under way must end in a receipt.
    if (!receipt::CardSale(cardUseKind, cardPayment)) break;
    if (!driver::AskRetry(scheme)) return false;
    cardError = 1;
  }

  if (opened) {
    // A new receipt opened: a leftover one the start of day could not cancel
    // is gone.
    session::SetForeignReceiptOpen(false);
    session::SetOwnDocument(session::OwnDocument::kNone);
    receipt::ThisReceipt().opened = true;
    receiptNumber = Nr_Cupom("", scheme);
    ContadorCupomFiscalMFD(scheme, receiptCounter);
    if (const auto coo = receipt::WholeNumber(receiptNumber)) receipt::ThisReceipt().coo = *coo;
  }

  bag = MakeBag({{"INTTEFERRO", cardError},
                 {"INCLUICPF", cpf},
                 {"INCLUINOME", name},
                 {"INCLUIENDERECO", address},
                 {"CUPNR", receiptNumber},
                 {"CONTCUPOM", receiptCounter},
                 {"MENSAGEMTAA", stMensagemTaa}});
  return opened;
}

}  // namespace Tov00300
