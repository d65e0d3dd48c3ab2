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
constexpr int kLarguraFormaPagamento = 16;

}  // namespace

bool Tentativas::Envia(const std::function<bool()>& comando) {
  while (!comando()) {
    // The question is only put while a card payment is pending and someone
    // is at the till to answer it.
    if (!vendaComCartao || !boNUtilTaa) {
      boClieUtil = false;
      return false;
    }
    if (!driver::AskRetry(esquema)) return false;
    repeticao = 1;
  }
  return true;
}

bool Tentativas::ConfereEstado() {
  while (!Estado_Imp(esquema, false, false)) {
    if (!boNUtilTaa) {
      boClieUtil = false;
      return false;
    }
    if (!driver::AskRetry(esquema)) return false;
    repeticao = 1;
  }
  return true;
}

bool Subtotaliza(Tentativas& t, double desconto, double acrescimo) {
  // The printer takes one adjustment: a discount wins over a surcharge.
  std::string tipo = "D$";
  std::string valor;
  if (desconto > 0) {
    valor = FormatFloat("0.00", hostlib::Trunc2(desconto));
  } else if (acrescimo > 0) {
    tipo = "A$";
    valor = FormatFloat("0.00", hostlib::Trunc2(acrescimo));
  } else {
    valor = FloatToStr(desconto);
  }
  return t.Envia([&] {
    if (driver::Command(iCFTotalizarCupom_ECF_Daruma(tipo.c_str(), valor.c_str()),
                        driver::Describe("iCFTotalizarCupom_ECF_Daruma", {tipo, valor}),
                        {t.esquema, t.mostraMsg})) {
      return true;
    }
    // Sent again, a subtotal already made would be refused and stop the
    // closing of a receipt that only needs its payments.
    const Progress agora = ReadProgress();
    if (!agora.known || !agora.receiptOpen || !agora.totalled) return false;
    ImpFisDebug(Utf8ToCp1252("Resposta perdida: o cupom foi totalizado pela impressora"));
    return true;
  });
}

bool HaPagamento() {
  DataSet& linhas = DataModule().cdsMovCaixaTef;
  for (linhas.First(); !linhas.Eof(); linhas.Next()) {
    if (MovimentoPago(linhas.FieldByName("IDTIPOMOVIVE").AsString())) return true;
  }
  return false;
}

bool EfetuaPagamentos(Tentativas& t, Pagamentos& pagamentos, long long jaPago) {
  TdtmDaruma300& dm = DataModule();
  DataSet& linhas = dm.cdsMovCaixaTef;
  DataSet& tipos = dm.cdsRecebAux;
  // What the printer holds once the lines before the current one are paid.
  long long acumulado = 0;
  for (linhas.First(); !linhas.Eof(); linhas.Next()) {
    if (!MovimentoPago(linhas.FieldByName("IDTIPOMOVIVE").AsString())) continue;
    // Every type was checked before the first command; a line whose type
    // vanished since is an error, never a payment under another type.
    if (!LocalizaTipo(linhas)) throw DataSetError("cdsRecebAux: payment type not found");
    const double valor = linhas.FieldByName("VRMOVIVEND").AsFloat();
    const std::string tipoRece = tipos.FieldByName("IDTIPORECE").AsString();
    if (tipoRece == "8") pagamentos.convenio = true;
    if (tipoRece == "9" || tipoRece == "A") pagamentos.pagoConta += valor;
    const std::string nome = receipt::OneLine(
        Copy(tipos.FieldByName("NMTIPORECE").AsString(), 1, kLarguraFormaPagamento));
    // The amount is not truncated: the mask keeps the nearest cent.
    const std::string texto = FormatFloat("#0.00", valor);
    const std::optional<long long> centavos = Cents(texto);
    if (centavos && acumulado < jaPago) {
      if (acumulado + *centavos <= jaPago) {
        // Paid by an earlier call of this closing.
        acumulado += *centavos;
        ++pagamentos.enviados;
        ImpFisDebug(Utf8ToCp1252("Pagamento já registrado na impressora: ") + nome + " - " + texto);
        continue;
      }
      // The printer holds payments that do not end where a line ends: paying
      // on would pay some of them twice.
      driver::ReportProblem(
          t.esquema,
          Utf8ToCp1252("Os pagamentos já registrados na impressora não correspondem aos "
                       "movimentos do cupom: R$ ") +
              FormatFloat("0.00", static_cast<double>(jaPago) / 100),
          t.mostraMsg);
      return false;
    }
    const bool pago = t.Envia([&] {
      if (driver::Command(
              iCFEfetuarPagamentoFormatado_ECF_Daruma(nome.c_str(), texto.c_str()),
              driver::Describe("iCFEfetuarPagamentoFormatado_ECF_Daruma", {nome, texto}),
              {t.esquema, t.mostraMsg})) {
        return true;
      }
      // Repeated after a lost reply, a payment already registered would be
      // paid twice.
      if (!centavos) return false;
      const Progress agora = ReadProgress();
      if (!agora.known || !agora.receiptOpen || agora.paid != acumulado + *centavos) return false;
      ImpFisDebug(Utf8ToCp1252("Resposta perdida: o pagamento foi registrado pela impressora"));
      return true;
    });
    if (!pago) return false;
    acumulado += centavos.value_or(0);
    ++pagamentos.enviados;
  }
  linhas.SetIndexName("idxNRORDTROCO");
  return true;
}

}  // namespace Tov00300::receipt
