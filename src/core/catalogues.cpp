// The catalogue tables. Texts are written here in UTF-8 and converted to
// Windows-1252 once, when the catalogues are loaded. Each text is kept byte
// for byte as the host and its users know it (double blanks, spelling and
// placeholders "%s" included): reports are laid out by column counts and
// operators recognise the messages.
#include "core/catalogues.h"

#include <span>
#include <string_view>

#include "tov00300/format.h"

namespace Tov00300 {
namespace {

struct Entry {
  std::string_view key;
  std::string_view text;
};

// clang-format off
constexpr Entry kMsgPadraoTexts[] = {
    // Retry and confirmation questions.
    {"Imp_N_Resp", "Impressora não responde. Imprimir novamente?"},
    {"AbreCaixa", "Deseja abrir o caixa?"},

    // Driver return codes (return-code analysis).
    {"ErroComunicacao", "Erro de comunicação."},
    {"ErroExecucao", "Erro de execução na função."},
    {"ParamInvalido", "Parâmetro inválido."},
    {"AliqNProg", "Alíquota não programada na impressora fiscal."},
    {"ErroArqIni", "O arquivo de inicialização da impressora não foi encontrada no diretório de sistema do Windows."},
    {"ErroPorta", "Erro ao abrir porta de comunicação."},
    {"ImpDeslig", "Impressora desligada ou desconectada."},
    {"BancoNCad", "Banco não cadastrado no arquivo de inicializção da impressora."},

    // Clock check at port opening.
    {"DataDif", "Data da impressora fiscal difere da data do sistema em mais de 15 minutos."},

    // Payment method that the management report needs.
    {"RelGerencial", "Rel Gerencial"},

    // Non-fiscal totalizers, searched and registered by name.
    {"CV-EMITIDO", "CONTRA-VALE EMITIDO"},
    {"VENDA-CONS", "VENDA CONSUMIDOR"},
    {"Compra-Cred", "Cred Pessoal"},
    {"Canc-Cred", "Canc Credito"},
    {"Relatorio", "Relatorios"},

    // Item sale: the question after a refused item.
    {"ErroItem", "Erro ao imprimir o item: "},
    {"Deseja", "Deseja imprimir novamente?"},

    // Receipt closing.
    {"Comanda", "Comanda"},
    {"Mesa", "Mesa"},
    {"SENHA", "SENHA : "},
    {"CV-EMI", "CONTRA-VALE EMI"},
    {"Dinheiro", "Dinheiro"},

    // Receipt footer.
    {"Convenio", "Convênio"},
    {"Consumidor", "Consumidor"},
    {"Sald_Cons", "Saldo Final : "},
    {"PRECO_SUBSIDIO", "Preço subsidiado:"},
    {"Operador", "Operador"},

    // Card-payment vocabulary.
    {"CancelaTEF", "Os comprovantes de transação TEF não foram impressos corretamente e serão cancelados. Efetue as transações manuais ou cancele o cupom fiscal."},
    {"Tran_N_Efet", "Transação não efetuada. Favor reter o cupom."},

    // Cash supply and withdrawal.
    {"ErroComando", "Erro ao enviar comando para a impressora."},

    // Withdrawal receipt and cash closing report.
    {"RecSangria3", "RECIBO SAIDA NUMERARIO"},
    {"RecSangria1", "SAIDA DE NUMERARIO - SANGRIA"},
    {"Motivo", "Motivo: "},
    {"Observacao", "Observacao: "},
    {"Envelope", "NR.ENV"},
    {"Modalidade", "MODALIDADE"},
    {"Valor_", "VALOR"},
    {"Sangrias", "TOTAL SANGRIAS"},
    {"Superv", "Supervisor"},
    {"RelFechamento", "RELATORIO DE FECHAMENTO"},
    {"Vendas", "TOTAL VENDAS"},
    {"CV-RECEBIDO", "CONTRA-VALE RECEBIDO"},
    // "CV-EMITIDO", "Suprimento" and "Nome" are held twice with the same
    // text; Msg answers the first line.
    {"CV-EMITIDO", "CONTRA-VALE EMITIDO"},
    {"Suprimento", "Suprimento"},
    {"Suprimento", "Suprimento"},
    {"Sobra", "SOBRA"},
    {"Falta", "FALTA"},
    {"ConfReducao", "Confirma impressão da redução z?"},
    {"ConfRelFechamento", "Confirma impressão dos relatórios de fechamento?"},

    // Product sales report.
    {"ConfRelProds", "Confirma impressão do Relatório de Produtos?"},
    {"RelProdutos", "RELATORIO DE PRODUTOS"},
    {"Codigo", "CODIGO"},
    {"Nome", "NOME"},
    {"Qtde_", "QTDE"},
    {"Valor2", "VLR.TOT"},
    {"TRIBUTACAO", "Tributacao"},
    {"TRIBUTADOS", "Tributados"},
    {"SubTrib", "Subst. Trib."},
    {"NIncide", "Não Incide"},
    {"Isento", "Isento :"},
    {"Tot_Acre", "Total de Acréscimos"},
    {"Tot_Desc", "Total de Descontos"},
    {"Tot_Valor", "Total das Vendas"},

    // Table-service documents.
    {"Aber_mesa", "Abertura de Mesa"},
    {"Emissao", "Emissao"},
    {"Nome", "NOME"},
    {"VrUnit", "VR. UNIT"},
    {"Tx_Serv", "Taxa de Servico"},
    {"Acrescimo", "Acréscimo"},
    {"Desconto", "Desconto"},
    {"Total", "Total Geral"},
    {"RegVen", "REGISTRO DE VENDA"},

    // Consumer debit and personal-credit vouchers.
    {"ComprDebito", "Venda - Debito Consumidor"},
    {"CDCLIE", "Cliente: "},
    {"CDCons", "Matricula: "},
    {"NmCons", "Consumidor..: "},
    {"ProdVend", "Produtos da Venda"},
    {"Cabecalho", "CODIGO     NOME          QTDE   VR.UNIT. VR.TOT."},
    {"SEN_PED", "SENHA PEDIDO:  "},
    {"ComprCredito", "COMPRA DE CREDITO"},
    {"Canc_ComprCredito", "CANCELAMENTO DE COMPRA DE CREDITO"},
    {"Nr_Deposito", "Nr.Deposito: "},
    {"Canc_Deposito", "Cancelamento do depósito"},
    {"NmFami", "Familia.....: "},
    {"VrCupom", "Valor ......: "},
    {"VrSaldo", "Saldo Final : "},
    {"CompraCredito", "Venda - Crédito Pessoal"},
    {"VR_COMPLEMENTO", "Valor complemento:"},

    // Grand-total control file.
    {"ArqConfig_Inv4", "Arquivo (%s) está inválido. Valor do totalizador geral da impressora fiscal está incorreto."},

    // Z-reduction export folders.
    {"N_POS_DIR", "Não foi possível criar o diretório:"},

    // Return codes of the older driver interface.
    {"ErroAbrirArq", "Não foi possível abrir arquivo INTPOS.001."},
    {"ParamErro", "Número inválido de parâmetros do comando da impressora fiscal."},
    {"TransCanc", "Transação cancelada pelo operador."},
    {"TransAprov", "A Transação não foi aprovada."},
    {"ImpNConcl", "Não foi possível terminar a impressão."},
    {"OperNConcl", "Não foi possível terminar a operação."},
    {"FormPgtoNProg", "Forma de pagamento não programada."},
    {"TotNFisNProg", "Totalizador não fiscal não programado."},
    {"TransEfet", "Transação já efetuada."},
    {"InfNImpre", "Não há informações para serem impressas."},

    // Printer status bits of the older driver interface.
    {"FimPapel", "Impressora fiscal sem papel."},
    {"PoucoPapel", "Impressora fiscal com pouco papel."},
    {"ErroRelogio", "Erro no relógio da impressora fiscal."},
    {"ImpErro", "Impressora fiscal com erro."},
    {"SyntaxErro", "Erro de sintaxe no comando enviado para a impressora fiscal."},
    {"ComandoErro", "Comando para a impressora fiscal inexistente."},
    {"CupomAberto", "Cupom aberto."},
    {"TipoParamErro", "Tipo incorreto do parâmetro enviado para a impressora fiscal."},
    {"MemLotada", "Memória da impressora fiscal lotada."},
    {"MemRAMErro", "Erro na memória da impressora fiscal."},
    {"AliqLotada", "Capacidade de alíquotas da impressora fiscal lotada."},
    {"CancNPermitido", "Cancelamento não permitido pela impressora fiscal."},
    {"CGCIENProg", "CGC/IE do proprietário não programados na impressora fiscal."},
    {"ComandoNExec", "Comando não executado pela impressora fiscal."},
};

// The package's own texts: keys the operations ask for that the catalogue
// the host ships never held, so Msg would answer them with an empty text and
// the operator would see a blank message or a report without its label.
constexpr Entry kMsgPadraoOwnTexts[] = {
    // Driver return code -10.
    {"Erro_Pgto", "Erro ao efetuar o pagamento na impressora fiscal."},
    // Labels of the two clocks in the daylight-saving message.
    {"DataComputador", "Data do computador:"},
    {"DataImpressora", "Data da impressora:"},
    // Title of the general closing report, centred in 47 columns.
    {"relFechamentoGeral", "RELATORIO DE FECHAMENTO GERAL"},
    // What remains of the consumer's limits; "T" prints both on one
    // 48-column line, hence the short labels.
    {"LIMDIA", "Disp. dia: "},
    {"LIMMES", "Disp. mês: "},
};

constexpr Entry kMsgPadrao2Texts[] = {
    // Driver return codes (return-code analysis).
    {"ErroGravacao", "Erro ao Gravar as informações no arquivo de Status ou de Retorno de Info."},
    {"Erro_FechaPorta", "Erro ao fechar porta da impressora fiscal, isso impossibilitará a geração do  arquivo COTEPE, favor verificar impressora fiscal"},
    {"Erro_FormaPg", "Erro: forma de pagamento não programada."},
    {"Erro_Impressora", "Foi detectado erro na impressora."},
    {"Erro_Timeout", "Falha de comunicação com o ECF (Timeout)"},
    {"Erro_XML", "Erro: tag XML inválida."},
    {"Erro_Registro", "Erro ao criar chave no registro."},
    {"Erro_Log", "Erro ao gravar log."},
    {"Erro_AbrirArq", "Erro ao abrir arquivo."},
    {"Erro_FimArq", "Erro: fim de arquivo."},
    {"Erro_DHTML", "Erro na tag de formatação DHTML."},
    {"Erro_PortaCom", "Erro ao configurar a porta de comunicação."},
    {"Erro_ParamInv", "Erro: parâmetro inválido ou nulo."},
    {"Erro_LerOuEsc", "Erro ao ler ou escrever arquivo."},
    {"Erro_DllAux", "Não foram encontradas as DLLs auxiliares (lebin.dll e LeituraMFDBin.dll)."},
    {"Erro_DataInferior", "Data informada é inferior ao primeiro documento emitido."},
    {"Erro_DataSuperior", "Data informada é maior do que a última redução Z impressa."},
    {"Erro_PortaComOcu", "Porta de comunicação ocupada."},

    // Loyalty-points lines of the receipt footer.
    {"DOTZ", "Nesta compra voce ganhou %s DOTZ"},
    {"DOTZ_EXTRAS", "Nesta compra voce ganhou %s DOTZ extras"},

    // Final balance of the consumer vouchers.
    {"SALDO_FIN", "Saldo Final : %s"},

    // Generic CAT file.
    {"Erro_NMovDia", "Houve erro na geração ou não há movimento nas seguintes datas:"},
};

// The package's own texts for keys asked of this catalogue that it never held.
constexpr Entry kMsgPadrao2OwnTexts[] = {
    // Shown after the path of the fiscal-memory reading file.
    {"Leitura_Memoria", "- Leitura da Memória Fiscal gerada com sucesso."},
    // Shown directly before the path of the MFD mirror file.
    {"EspelhoMFD", "Espelho da MFD gerado com sucesso: "},
};
// clang-format on

void Fill(hostlib::TMessages& catalogue, std::span<const Entry> shipped,
          std::span<const Entry> own) {
  catalogue.Lines().Clear();
  for (const Entry& entry : shipped) catalogue.Add(entry.key, Utf8ToCp1252(entry.text));
  for (const Entry& entry : own) catalogue.Add(entry.key, Utf8ToCp1252(entry.text));
}

}  // namespace

void LoadCatalogues(hostlib::TMessages& msgPadrao, hostlib::TMessages& msgPadrao2) {
  Fill(msgPadrao, kMsgPadraoTexts, kMsgPadraoOwnTexts);
  Fill(msgPadrao2, kMsgPadrao2Texts, kMsgPadrao2OwnTexts);
}

}  // namespace Tov00300
