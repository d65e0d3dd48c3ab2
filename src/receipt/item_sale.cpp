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
struct ComandoItem {
  std::string aliquota, quantidade, preco, tipoAjuste, valorAjuste, codigo, unidade, descricao;
};

// "II", "FF" and "NN" are the printer's fixed exempt, substitution and
// no-incidence codes; any other item is taxed by its rate, "I" + "00.00".
std::string CodigoAliquota(const std::string& cdAliq, const std::string& vrPercAliq) {
  if (cdAliq == "II") return "I1";
  if (cdAliq == "FF") return "F1";
  if (cdAliq == "NN") return "N1";
  return "I" + FormatFloat("00.00", hostlib::Trunc2(StrToFloat(vrPercAliq)));
}

std::string LinhaDebug(const ComandoItem& c) {
  return driver::Describe("iCFVender_ECF_Daruma",
                          {c.aliquota, c.quantidade, c.preco, c.tipoAjuste, c.valorAjuste, c.codigo,
                           c.unidade, c.descricao});
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
  const std::string esquema = RecebeParams(bag, "ESQUEMACOR").AsString();
  const int intTefErro = RecebeParams(bag, "INTEFERRO").AsInt();
  const std::string cdArvProd = RecebeParams(bag, "CDARVPROD").AsString();
  const std::string nmProd = RecebeParams(bag, "NMPROD").AsString();
  const std::string cdAliq = RecebeParams(bag, "CDALIQ").AsString();
  std::string vrPercAliq = RecebeParams(bag, "VRPERCALIQ").AsString();
  const double qtde = RecebeParams(bag, "QTDE").AsDouble();
  const double valor = RecebeParams(bag, "VALOR").AsDouble();
  const double descont = RecebeParams(bag, "DESCONT").AsDouble();
  const double acrescimo = RecebeParams(bag, "ACRESCIMO").AsDouble();
  const std::string unidade = RecebeParams(bag, "UNIDADE").AsString();
  const std::string idUtilTef = RecebeParams(bag, "IDUTILTEF").AsString();
  const bool utilTef = RecebeParams(bag, "UTILTEF").AsBool();
  if (hostlib::EmptyString(vrPercAliq)) vrPercAliq = "0";

  // Only a receipt this session opened takes items: never the previous
  // customer's, nor one the session's own opening did not make.
  if (const std::string refusal = session::ReceiptRefusal(); !refusal.empty()) {
    stMensagemTaa.clear();
    driver::ReportProblem(esquema, refusal, boNUtilTaa);
    boClieUtil = false;
    bag = MakeBag({{"INTTEFERRO", intTefErro}, {"MENSAGEMTAA", stMensagemTaa}});
    return false;
  }

  for (;;) {
    ComandoItem c;
    c.aliquota = CodigoAliquota(cdAliq, vrPercAliq);
    c.quantidade = FormatFloat("#0.000", qtde);
    c.preco = FormatFloat("0.00", hostlib::Trunc2(valor));
    // The printer takes one adjustment per item; a discount wins over a
    // surcharge, and "no adjustment" is a surcharge of zero.
    if (descont > 0) {
      c.tipoAjuste = "D$";
      c.valorAjuste = FormatFloat("0.00", hostlib::Trunc2(descont));
    } else {
      c.tipoAjuste = "A$";
      c.valorAjuste = FormatFloat("0.00", hostlib::Trunc2(acrescimo));
    }
    c.codigo = receipt::OneLine(cdArvProd);
    c.unidade = receipt::OneLine(Copy(unidade, 1, 2));
    c.descricao = receipt::OneLine(Copy(nmProd, 1, 50));

    // Only this item's messages go back to a self-service terminal.
    stMensagemTaa.clear();
    bool vendido = driver::Command(
        iCFVender_ECF_Daruma(c.aliquota.c_str(), c.quantidade.c_str(), c.preco.c_str(),
                             c.tipoAjuste.c_str(), c.valorAjuste.c_str(), c.codigo.c_str(),
                             c.unidade.c_str(), c.descricao.c_str()),
        LinhaDebug(c), {esquema, boNUtilTaa});
    if (!vendido) boClieUtil = false;
    // A reply lost on the line does not mean the item was not sold: a
    // repetition would sell it twice, a failure would leave it out of what
    // the till believes it sold while the receipt's total counts it.
    if (!vendido && ItemRegistered()) {
      ImpFisDebug(Utf8ToCp1252("Resposta perdida: o item foi registrado pela impressora"));
      vendido = true;
    }
    if (vendido && receipt::ThisReceipt().coo != 0) ++receipt::ThisReceipt().items;

    if (vendido || !boNUtilTaa) {
      if (utilTef) boClieUtil = false;
      bag = MakeBag({{"INTTEFERRO", intTefErro}, {"MENSAGEMTAA", stMensagemTaa}});
      return vendido;
    }

    bool again;
    if (receipt::VendaComTef(idUtilTef, utilTef)) {
      again = driver::AskRetry(esquema);
    } else {
      const auto& msg = DataModule().msgPadrao;
      again = driver::AskRetry(esquema, msg.Msg("ErroItem") + "\r\n" + cdArvProd + " - " +
                                            Copy(nmProd, 1, 20) + "\r\n" + msg.Msg("Deseja"));
    }
    if (!again) return false;
  }
}

}  // namespace Tov00300
