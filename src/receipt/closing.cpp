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

using receipt::PosicoesFechamento;

constexpr int kLimiteRodape = 8;
constexpr int kLarguraFormaPagamento = 16;
constexpr int kElementosResultado = 4;
// A table number longer than this is an order-pad number.
constexpr size_t kLarguraMesa = 4;

enum class Desfecho {
  Concluido,  // ran to its end: the result elements are written
  Falhou,     // stopped by a problem the host must fix: the elements are written
  Encerrado,  // the failure rule ended it: the elements are left alone
};

// A loyalty-points line of msgPadrao2, or "" when no points were earned.
std::string LinhaPontos(const char* chave, double pontos) {
  if (pontos == 0) return "";
  std::string texto = DataModule().msgPadrao2.Msg(chave);
  const size_t marca = texto.find("%s");
  if (marca != std::string::npos) texto.replace(marca, 2, FloatToStr(pontos));
  return texto;
}

std::string TextoMesa(const std::string& numero) {
  if (numero.empty()) return "";
  const auto& msg = DataModule().msgPadrao;
  if (numero.size() > kLarguraMesa) return msg.Msg("Comanda") + " : " + numero + "   - ";
  return msg.Msg("Mesa") + "  : " + numero + "           - ";
}

std::string TextoTributos(const PosicoesFechamento& p) {
  return "Trib aprox R$: " + FormatFloat("#,##0.00", p.tributoFederal) + " Federal e " +
         FormatFloat("#,##0.00", p.tributoEstadual) + " Estadual\n\rFonte: IBPT";
}

// A movement that cannot be paid: said the way the return analysis says a
// printer problem (log, terminal text, dialog when messages are shown).
void ReportaTipoAusente(const PosicoesFechamento& p, const std::string& codigo) {
  driver::ReportProblem(
      p.esquema, Utf8ToCp1252("Tipo de recebimento não cadastrado para o pagamento: ") + codigo,
      p.mostraMsg);
}

std::string ComporRodape(const PosicoesFechamento& p, const StringList& linhas,
                         const receipt::Pagamentos& pg, const std::string& tributos,
                         const std::string& mesa) {
  TdtmDaruma300& dm = DataModule();
  const std::string senha = p.senha.empty() ? "" : dm.msgPadrao.Msg("SENHA") + p.senha;
  const bool anexaLista = p.idUtilTef == "T" && p.utilTef && p.anexaLista == "S";
  return Formata_rodape(kLimiteRodape, p.modoSaldo, p.linha1, tributos, "", p.cdConvenio,
                        p.nmConvenio, p.imprimeConsumidor ? p.cdConsumidor : "",
                        p.imprimeConsumidor ? p.nmConsumidor : "", p.cdOperador, p.nmOperador, mesa,
                        senha, p.rodape19, p.rodape20, p.rodape39, p.mensagem, p.ecfConf, p.cerConf,
                        p.cooConf, p.tipoSaldo, pg.convenio ? "1" : "2", pg.pagoConta,
                        p.precoSubsidio, p.saldoConsumidor, dm.cdsSaldCred, dm.cdsFamiliaSaldo,
                        dm.cdsEmprestimo, anexaLista, linhas, LinhaPontos("DOTZ", p.pontos),
                        LinhaPontos("DOTZ_EXTRAS", p.pontosExtras));
}

Desfecho Fecha(const PosicoesFechamento& p, const StringList& linhas, receipt::Tentativas& t) {
  const std::string mesa = TextoMesa(p.mesa);
  receipt::CarregaTabelas(p);
  receipt::MontaPagamentos(t.vendaComCartao);
  // Every payment type is checked before the first command: a movement must
  // never be paid under another type, and a receipt left untouched can be
  // closed again once the host has fixed its table.
  std::string tipoAusente;
  if (receipt::TipoAusente(tipoAusente)) {
    ReportaTipoAusente(p, tipoAusente);
    return Desfecho::Falhou;
  }
  // The checks below also come before the first command: each leaves the
  // receipt as it was, to be closed once the host has put it right.
  if (const std::string refusal = session::ReceiptRefusal(); !refusal.empty()) {
    driver::ReportProblem(p.esquema, refusal, p.mostraMsg);
    return Desfecho::Falhou;
  }
  // A closing that pays nothing cannot close the receipt: reporting success
  // would let the host take an open receipt for a finished sale.
  if (!receipt::HaPagamento()) {
    driver::ReportProblem(p.esquema,
                          Utf8ToCp1252("Nenhum pagamento (movimento \"E\" ou \"T\") para "
                                       "encerrar o cupom fiscal: o cupom continua aberto."),
                          p.mostraMsg);
    return Desfecho::Falhou;
  }
  // The printer refuses a negative amount only once the contra-vale receipt
  // is open, and a non-fiscal receipt left open blocks the next sale.
  if (p.contraVale && p.valorContraVale < 0) {
    driver::ReportProblem(p.esquema,
                          Utf8ToCp1252("Valor negativo para o contra-vale: ") +
                              FormatFloat("0.00", p.valorContraVale),
                          p.mostraMsg);
    return Desfecho::Falhou;
  }

  // The closing may be a repetition after a failure part-way or a lost
  // reply: each step looks first at what the printer has already done.
  const receipt::Progress feito = receipt::ReadProgress();
  if (feito.known && !feito.receiptOpen && receipt::OwnReceiptClosed()) {
    ImpFisDebug(Utf8ToCp1252("FechaCupom: o cupom já foi encerrado na impressora"));
  } else {
    if (p.idUtilTef == "T" && p.utilTef && !t.ConfereEstado()) return Desfecho::Encerrado;
    if (!(feito.known && feito.totalled) && !receipt::Subtotaliza(t, p.desconto, p.acrescimo)) {
      return Desfecho::Encerrado;
    }
    receipt::Pagamentos pg;
    if (!receipt::EfetuaPagamentos(t, pg, feito.known ? feito.paid : 0)) {
      return Desfecho::Encerrado;
    }

    const std::string tributos = TextoTributos(p);
    // Kept until the host records the grand total: a till stopped between
    // the closing and that record is then not taken for tampering.
    driver::NoteClosing();
    const bool fechado = t.Envia([&] {
      const std::string mensagem = ComporRodape(p, linhas, pg, tributos, mesa);
      if (driver::Command(iCFEncerrarConfigMsg_ECF_Daruma(mensagem.c_str()),
                          "iCFEncerrarConfigMsg_ECF_Daruma", {t.esquema, t.mostraMsg})) {
        return true;
      }
      if (!receipt::OwnReceiptClosed()) return false;
      ImpFisDebug(Utf8ToCp1252("Resposta perdida: o cupom foi encerrado pela impressora"));
      return true;
    });
    if (!fechado) return Desfecho::Encerrado;
    receipt::ThisReceipt().closed = receipt::ThisReceipt().coo != 0;
  }

  if (p.contraVale &&
      !(receipt::ThisReceipt().closed && receipt::ThisReceipt().contraValePrinted)) {
    receipt::ThisReceipt().contraValePrinted = true;
    const auto& msg = DataModule().msgPadrao;
    try {
      documents::NonFiscalReceipt(p.esquema, msg.Msg("CV-EMI"), p.valorContraVale,
                                  Copy(msg.Msg("Dinheiro"), 1, kLarguraFormaPagamento));
    } catch (const std::exception&) {
      // The fiscal receipt is closed; the contra-vale's fate does not change that.
    }
  }
  return Desfecho::Concluido;
}

void EscreveResultado(Variant& result, int repeticao, const std::string& retorno) {
  if (!result.IsArray()) result = Variant(VariantArray(kElementosResultado));
  VariantArray& elementos = result.AsArray();
  if (elementos.size() < kElementosResultado) elementos.resize(kElementosResultado);
  elementos[0] = Variant(repeticao);
  elementos[1] = Variant(retorno);
  elementos[2] = Variant(std::string());
  elementos[3] = Variant(stMensagemTaa);
}

}  // namespace

bool FechaCupom(const VariantArray& valores, const StringList& linhas, Variant& result) {
  const PosicoesFechamento p = receipt::LePosicoes(valores);
  receipt::Tentativas t;
  t.esquema = p.esquema;
  t.mostraMsg = p.mostraMsg;
  t.vendaComCartao = receipt::VendaComTef(p.idUtilTef, p.utilTef);
  bool sucesso = false;
  try {
    const Desfecho desfecho = Fecha(p, linhas, t);
    if (desfecho == Desfecho::Encerrado) return false;
    sucesso = desfecho == Desfecho::Concluido;
  } catch (const std::exception& e) {
    // A packet without a field the closing reads, a value that does not
    // convert: the host learns it from the result and the log.
    try {
      ImpFisDebug(std::string("ERRO!!! FechaCupom: ") + e.what());
    } catch (const std::exception&) {
    }
  }
  EscreveResultado(result, t.repeticao, p.retorno42);
  if (!stMensagemTaa.empty()) boClieUtil = false;
  return sucesso;
}

bool Totaliza_NFiscal(const std::string& /*ignorado1*/, const std::string& /*ignorado2*/) {
  return true;
}

}  // namespace Tov00300
