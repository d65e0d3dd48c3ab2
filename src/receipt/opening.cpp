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
std::string OuBranco(const std::string& texto) {
  return hostlib::EmptyString(texto) ? std::string(" ") : texto;
}

}  // namespace

bool AbreCupom(Variant& bag) {
  using hostlib::RecebeParams;
  const std::string esquema = RecebeParams(bag, "ESQUEMACOR").AsString();
  int intTefErro = RecebeParams(bag, "INTTEFERRO").AsInt();
  const std::string cpf = RecebeParams(bag, "INCLUICPF").AsString();
  std::string nome = RecebeParams(bag, "INCLUINOME").AsString();
  std::string endereco = RecebeParams(bag, "INCLUIENDERECO").AsString();
  std::string cupNr = RecebeParams(bag, "CUPNR").AsString();
  std::string contCupom = RecebeParams(bag, "CONTCUPOM").AsString();
  const std::string idUtilTef = RecebeParams(bag, "IDUTILTEF").AsString();
  const bool utilTef = RecebeParams(bag, "UTILTEF").AsBool();
  stMensagemTaa.clear();
  // Whatever this opening leads to, the receipt before it is no longer the
  // one the sale operations act on.
  receipt::ThisReceipt() = {};

  const bool identificado = !hostlib::EmptyString(cpf);
  if (identificado) {
    nome = OuBranco(nome);
    endereco = OuBranco(endereco);
  }

  bool aberto = false;
  for (;;) {
    // Warning 1 of the printer is also reported at opening.
    const driver::Judging julgamento{esquema, boNUtilTaa, false, true};
    if (identificado) {
      // Each is printed on a line of its own; the bag keeps them as given.
      const std::string linhaCpf = receipt::OneLine(cpf);
      const std::string linhaNome = receipt::OneLine(nome);
      const std::string linhaEndereco = receipt::OneLine(endereco);
      aberto = driver::Command(
          iCFAbrir_ECF_Daruma(linhaCpf.c_str(), linhaNome.c_str(), linhaEndereco.c_str()),
          "iCFAbrir_ECF_Daruma", julgamento);
    } else {
      aberto =
          driver::Command(iCFAbrirPadrao_ECF_Daruma(), "iCFAbrirPadrao_ECF_Daruma", julgamento);
    }

    if (aberto || !boNUtilTaa) {
      if (utilTef) boClieUtil = false;
      break;
    }
    // Only a card sale lets the operator repeat a refused opening: the card
    // transaction already under way must end in a receipt.
    if (!receipt::VendaComTef(idUtilTef, utilTef)) break;
    if (!driver::AskRetry(esquema)) return false;
    intTefErro = 1;
  }

  if (aberto) {
    // A new receipt opened: a leftover one the start of day could not cancel
    // is gone.
    session::SetForeignReceiptOpen(false);
    session::SetOwnDocument(session::OwnDocument::kNone);
    receipt::ThisReceipt().opened = true;
    cupNr = Nr_Cupom("", esquema);
    ContadorCupomFiscalMFD(esquema, contCupom);
    if (const auto coo = receipt::WholeNumber(cupNr)) receipt::ThisReceipt().coo = *coo;
  }

  bag = MakeBag({{"INTTEFERRO", intTefErro},
                 {"INCLUICPF", cpf},
                 {"INCLUINOME", nome},
                 {"INCLUIENDERECO", endereco},
                 {"CUPNR", cupNr},
                 {"CONTCUPOM", contCupom},
                 {"MENSAGEMTAA", stMensagemTaa}});
  return aberto;
}

}  // namespace Tov00300
