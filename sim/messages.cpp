#include "messages.h"

#include "text.h"
#include "tov00300/format.h"

namespace Tov00300::sim {
namespace {

// Source texts are UTF-8; callers get Windows-1252 like every driver text.
std::string Out(const char* utf8) {
  return Utf8ToCp1252(utf8);
}

}  // namespace

std::string ErrorText(int code) {
  switch (code) {
    case kErrNone:
      return Out("Sem erro.");
    case kErrBadState:
      return Out("Comando não permitido no estado atual da impressora.");
    case kErrDocumentOpen:
      return Out("Há um documento aberto: encerre-o ou cancele-o antes.");
    case kErrNoReceipt:
      return Out("Não há cupom fiscal aberto.");
    case kErrTotalized:
      return Out("Cupom já totalizado: não aceita mais itens.");
    case kErrNotTotalized:
      return Out("Documento não totalizado: totalize antes do pagamento.");
    case kErrNotPaid:
      return Out("Pagamento insuficiente para encerrar o documento.");
    case kErrAlreadyPaid:
      return Out("O total do documento já foi pago.");
    case kErrNoSuchItem:
      return Out("Item inexistente ou já cancelado.");
    case kErrNoItems:
      return Out("Documento sem itens.");
    case kErrAdjustment:
      return Out("Desconto igual ou maior que o valor.");
    case kErrRate:
      return Out("Alíquota não programada.");
    case kErrPaymentMethod:
      return Out("Forma de pagamento não programada.");
    case kErrTotalizer:
      return Out("Totalizador não fiscal não programado.");
    case kErrZPending:
      return Out("Redução Z pendente: o dia anterior não foi encerrado.");
    case kErrNoNonFiscal:
      return Out("Não há comprovante não fiscal aberto.");
    case kErrNoReport:
      return Out("Não há relatório gerencial aberto.");
    case kErrNoVoucher:
      return Out("Não há comprovante de crédito ou débito aberto.");
    case kErrNothingToCancel:
      return Out("Não há documento que possa ser cancelado.");
    case kErrNoVoucherLink:
      return Out("Não há pagamento do último cupom fiscal para vincular o comprovante.");
    case kErrParameter:
      return Out("Parâmetro inválido.");
    case kErrTableFull:
      return Out("Tabela cheia: não há índice livre.");
    case kErrDuplicate:
      return Out("Nome já cadastrado.");
    case kErrPaperOut:
      return Out("Fim do papel.");
    case kErrAfterZOnly:
      return Out("Programação permitida somente antes do primeiro documento do dia.");
    case kErrDaylight:
      return Out("O horário de verão já está nesse estado.");
    case kErrNoMovement:
      return Out("Não há documentos no período informado.");
    case kErrStorage:
      return Out("Erro ao gravar na memória da impressora.");
    case kErrDamaged:
      return Out("Memória fiscal danificada: a impressora precisa de intervenção técnica.");
    case kErrTextTooLong:
      return Out("Texto maior que 619 caracteres em um só comando.");
    case kErrFile:
      return Out("Erro ao gravar o arquivo.");
    case kErrMemoryFull:
      return Out("Memória fiscal esgotada.");
    case kErrNoReduction:
      return Out("Nenhuma redução Z gravada na memória fiscal.");
    case kErrNotExecuted:
      return Out("Comando não executado.");
    case kErrCashShort:
      return Out("Sangria maior que o dinheiro em caixa.");
    case kErrDayClosed:
      return Out("Dia fiscal já encerrado: a redução Z deste dia já foi emitida.");
    default:
      return Out("Erro desconhecido.");
  }
}

std::string WarningText(int code) {
  switch (code) {
    case kWarnNone:
      return Out("Sem aviso.");
    case kWarnPaperLow:
      return Out("Pouco papel.");
    case kWarnZPending:
      return Out("Redução Z pendente: faça a redução Z do dia anterior antes de vender.");
    case kWarnMemoryNearlyFull:
      return Out("Memória fiscal quase esgotada.");
    default:
      return Out("Aviso desconhecido.");
  }
}

std::string ReturnText(int code) {
  switch (code) {
    case 1:
      return Out("Comando executado com sucesso.");
    case 0:
      return Out("Erro de comunicação com a impressora.");
    case -1:
      return Out("Erro de execução: veja o erro do último comando.");
    case -2:
      return Out("Parâmetro inválido.");
    case -3:
      return Out("Alíquota não programada.");
    case -6:
      return Out("Impressora desligada ou desconectada.");
    case -8:
      return Out("Erro ao gravar o arquivo de retorno.");
    case -12:
      return Out("A impressora não executou o comando.");
    case -24:
      return Out("Forma de pagamento não programada.");
    case -27:
      return Out("Erro na impressora.");
    case -28:
      return Out("Tempo esgotado esperando a impressora.");
    case -52:
      return Out("Erro ao gravar ou abrir o arquivo.");
    case -104:
      return Out("Data anterior ao primeiro documento emitido.");
    case -105:
      return Out("Data posterior à última redução Z.");
    case -107:
      return Out("Porta de comunicação ocupada.");
    default:
      return Out("Código de retorno desconhecido.");
  }
}

}  // namespace Tov00300::sim
