// Exported printing and configuration commands, and simControl_Daruma.
#include "commands.h"
#include "control.h"
#include "dispatch.h"

using namespace Tov00300::sim;

int iRGFechar_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return CloseReport(m); });
}

int confCadastrarPadrao_ECF_Daruma(const char* tipo, const char* valor) {
  return Run(__func__, Access::kPrinter, Bytes({tipo, valor}),
             [&](Machine& m) { return Register(m, In(tipo), In(valor)); });
}

int iCFAbrir_ECF_Daruma(const char* cpf, const char* nome, const char* endereco) {
  return Run(__func__, Access::kPrinter, Bytes({cpf, nome, endereco}),
             [&](Machine& m) { return OpenReceipt(m, In(cpf), In(nome), In(endereco)); });
}

int iCFVender_ECF_Daruma(const char* aliquota, const char* quantidade, const char* preco,
                         const char* tipoDesconto, const char* valorDesconto, const char* codigo,
                         const char* unidade, const char* descricao) {
  return Run(
      __func__, Access::kPrinter,
      Bytes({aliquota, quantidade, preco, tipoDesconto, valorDesconto, codigo, unidade, descricao}),
      [&](Machine& m) {
        return SellItem(m, In(aliquota), In(quantidade), In(preco), In(tipoDesconto),
                        In(valorDesconto), In(codigo), In(unidade), In(descricao));
      });
}

int iCFCancelarItem_ECF_Daruma(const char* item) {
  return Run(__func__, Access::kPrinter, Bytes({item}),
             [&](Machine& m) { return CancelItem(m, In(item)); });
}

int iCFCancelar_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return CancelReceipt(m); });
}

int iCFCancelarUltimoItem_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return CancelLastItem(m); });
}

int iCFEfetuarPagamentoFormatado_ECF_Daruma(const char* forma, const char* valor) {
  return Run(__func__, Access::kPrinter, Bytes({forma, valor}),
             [&](Machine& m) { return PayReceipt(m, In(forma), In(valor)); });
}

int iCFEncerrarConfigMsg_ECF_Daruma(const char* mensagem) {
  return Run(__func__, Access::kPrinter, Bytes({mensagem}),
             [&](Machine& m) { return CloseReceipt(m, In(mensagem)); });
}

int iReducaoZ_ECF_Daruma(const char* data, const char* hora) {
  return Run(__func__, Access::kPrinter, Bytes({data, hora}),
             [&](Machine& m) { return ZReduction(m, In(data), In(hora)); });
}

int iCNFAbrirPadrao_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return OpenNonFiscal(m); });
}

int iCNFEncerrarPadrao_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return CloseNonFiscal(m); });
}

int iLeituraX_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return XReading(m); });
}

int iRGAbrirPadrao_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return OpenReport(m); });
}

int iSuprimento_ECF_Daruma(const char* valor, const char* mensagem) {
  return Run(__func__, Access::kPrinter, Bytes({valor, mensagem}),
             [&](Machine& m) { return CashMovement(m, true, In(valor), In(mensagem)); });
}

int iSangria_ECF_Daruma(const char* valor, const char* mensagem) {
  return Run(__func__, Access::kPrinter, Bytes({valor, mensagem}),
             [&](Machine& m) { return CashMovement(m, false, In(valor), In(mensagem)); });
}

int confHabilitarHorarioVerao_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}),
             [](Machine& m) { return SetDaylightSaving(m, true); });
}

int confDesabilitarHorarioVerao_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}),
             [](Machine& m) { return SetDaylightSaving(m, false); });
}

int iCNFCancelar_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return CancelNonFiscal(m); });
}

int iRGImprimirTexto_ECF_Daruma(const char* texto) {
  return Run(__func__, Access::kPrinter, Bytes({texto}),
             [&](Machine& m) { return PrintReportText(m, In(texto)); });
}

int iCFTotalizarCupom_ECF_Daruma(const char* tipo, const char* valor) {
  return Run(__func__, Access::kPrinter, Bytes({tipo, valor}),
             [&](Machine& m) { return TotalizeReceipt(m, In(tipo), In(valor)); });
}

int iCFAbrirPadrao_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}),
             [](Machine& m) { return OpenReceipt(m, "", "", ""); });
}

int iCCDAbrirPadrao_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return OpenVoucher(m); });
}

int iCCDAbrirSimplificado_ECF_Daruma(const char* forma, const char* parcelas, const char* documento,
                                     const char* valor) {
  return Run(__func__, Access::kPrinter, Bytes({forma, parcelas, documento, valor}),
             [&](Machine& m) {
               return OpenVoucherSimplified(m, In(forma), In(parcelas), In(documento), In(valor));
             });
}

int iCCDImprimirTexto_ECF_Daruma(const char* texto) {
  return Run(__func__, Access::kPrinter, Bytes({texto}),
             [&](Machine& m) { return PrintVoucherText(m, In(texto)); });
}

int iCCDFechar_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) { return CloseVoucher(m); });
}

int iCNFReceberSemDesc_ECF_Daruma(const char* totalizador, const char* valor) {
  return Run(__func__, Access::kPrinter, Bytes({totalizador, valor}),
             [&](Machine& m) { return NonFiscalItem(m, In(totalizador), In(valor)); });
}

int iCNFTotalizarComprovantePadrao_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}),
             [](Machine& m) { return TotalizeNonFiscal(m); });
}

int iCNFEfetuarPagamentoFormatado_ECF_Daruma(const char* forma, const char* valor) {
  return Run(__func__, Access::kPrinter, Bytes({forma, valor}),
             [&](Machine& m) { return PayNonFiscal(m, In(forma), In(valor)); });
}

int iImprimirCodigoBarras_ECF_Daruma(const char* tipo, const char* largura, const char* altura,
                                     const char* imprimeTexto, const char* codigo) {
  return Run(__func__, Access::kPrinter, Bytes({tipo, largura, altura, imprimeTexto, codigo}),
             [&](Machine& m) {
               return PrintBarCode(m, In(tipo), In(largura), In(altura), In(imprimeTexto),
                                   In(codigo));
             });
}

int simControl_Daruma(const char* comando) {
  std::lock_guard<std::mutex> guard(Lock());
  Machine& m = TheMachine();
  m.EnsureLoaded();
  return RunControl(m, In(comando));
}
