// The two message catalogues: every key the operations ask for answers its
// exact text from the right catalogue, whatever the letter case of the key.
#include "core/catalogues.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300 {
namespace {

enum class Cat { kPadrao, kPadrao2 };

struct Case {
  std::string_view key;
  Cat catalogue;
  std::string_view text;  // UTF-8
};

class CataloguesTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadCatalogues(padrao_, padrao2_); }

  const hostlib::TMessages& Of(Cat c) const { return c == Cat::kPadrao ? padrao_ : padrao2_; }
  std::string Text(Cat c, std::string_view key) const { return Cp1252ToUtf8(Of(c).Msg(key)); }

  hostlib::TMessages padrao_{"msgPadrao"};
  hostlib::TMessages padrao2_{"msgPadrao2"};
};

constexpr Cat P = Cat::kPadrao;
constexpr Cat P2 = Cat::kPadrao2;

// clang-format off
constexpr Case kReturnCodeTexts[] = {
    // Return-code analysis of the current driver.
    {"ErroComunicacao", P, "Erro de comunicação."},
    {"ErroExecucao", P, "Erro de execução na função."},
    {"ParamInvalido", P, "Parâmetro inválido."},
    {"AliqNProg", P, "Alíquota não programada na impressora fiscal."},
    {"ErroArqIni", P, "O arquivo de inicialização da impressora não foi encontrada no diretório de sistema do Windows."},
    {"ErroPorta", P, "Erro ao abrir porta de comunicação."},
    {"ImpDeslig", P, "Impressora desligada ou desconectada."},
    {"BancoNCad", P, "Banco não cadastrado no arquivo de inicializção da impressora."},
    {"ErroGravacao", P2, "Erro ao Gravar as informações no arquivo de Status ou de Retorno de Info."},
    {"Erro_FechaPorta", P2, "Erro ao fechar porta da impressora fiscal, isso impossibilitará a geração do  arquivo COTEPE, favor verificar impressora fiscal"},
    {"Erro_FormaPG", P2, "Erro: forma de pagamento não programada."},
    {"Erro_Impressora", P2, "Foi detectado erro na impressora."},
    {"Erro_Timeout", P2, "Falha de comunicação com o ECF (Timeout)"},
    {"Erro_XML", P2, "Erro: tag XML inválida."},
    {"Erro_Registro", P2, "Erro ao criar chave no registro."},
    {"Erro_Log", P2, "Erro ao gravar log."},
    {"Erro_AbrirArq", P2, "Erro ao abrir arquivo."},
    {"Erro_FimArq", P2, "Erro: fim de arquivo."},
    {"Erro_DHTML", P2, "Erro na tag de formatação DHTML."},
    {"Erro_PortaCom", P2, "Erro ao configurar a porta de comunicação."},
    {"Erro_ParamInv", P2, "Erro: parâmetro inválido ou nulo."},
    {"Erro_LerOuEsc", P2, "Erro ao ler ou escrever arquivo."},
    {"Erro_DllAux", P2, "Não foram encontradas as DLLs auxiliares (lebin.dll e LeituraMFDBin.dll)."},
    {"Erro_DataInferior", P2, "Data informada é inferior ao primeiro documento emitido."},
    {"Erro_DataSuperior", P2, "Data informada é maior do que a última redução Z impressa."},
    {"Erro_PortaComOcu", P2, "Porta de comunicação ocupada."},
    // Return codes and status bits of the older driver interface.
    {"ErroAbrirArq", P, "Não foi possível abrir arquivo INTPOS.001."},
    {"ParamErro", P, "Número inválido de parâmetros do comando da impressora fiscal."},
    {"TransCanc", P, "Transação cancelada pelo operador."},
    {"TransAprov", P, "A Transação não foi aprovada."},
    {"ImpNConcl", P, "Não foi possível terminar a impressão."},
    {"OperNConcl", P, "Não foi possível terminar a operação."},
    {"FormPgtoNProg", P, "Forma de pagamento não programada."},
    {"TotNFisNProg", P, "Totalizador não fiscal não programado."},
    {"TransEfet", P, "Transação já efetuada."},
    {"InfNImpre", P, "Não há informações para serem impressas."},
    {"FimPapel", P, "Impressora fiscal sem papel."},
    {"PoucoPapel", P, "Impressora fiscal com pouco papel."},
    {"ErroRelogio", P, "Erro no relógio da impressora fiscal."},
    {"ImpErro", P, "Impressora fiscal com erro."},
    {"SyntaxErro", P, "Erro de sintaxe no comando enviado para a impressora fiscal."},
    {"ComandoErro", P, "Comando para a impressora fiscal inexistente."},
    {"CupomAberto", P, "Cupom aberto."},
    {"TipoParamErro", P, "Tipo incorreto do parâmetro enviado para a impressora fiscal."},
    {"MemLotada", P, "Memória da impressora fiscal lotada."},
    {"MemRAMErro", P, "Erro na memória da impressora fiscal."},
    {"AliqLotada", P, "Capacidade de alíquotas da impressora fiscal lotada."},
    {"CancNPermitido", P, "Cancelamento não permitido pela impressora fiscal."},
    {"CGCIENProg", P, "CGC/IE do proprietário não programados na impressora fiscal."},
    {"ComandoNExec", P, "Comando não executado pela impressora fiscal."},
};

constexpr Case kOperatorTexts[] = {
    {"Imp_N_Resp", P, "Impressora não responde. Imprimir novamente?"},
    {"AbreCaixa", P, "Deseja abrir o caixa?"},
    {"DataDif", P, "Data da impressora fiscal difere da data do sistema em mais de 15 minutos."},
    // Keys the operations spell differently from the catalogue.
    {"Datadif", P, "Data da impressora fiscal difere da data do sistema em mais de 15 minutos."},
    {"RELATORIO", P, "Relatorios"},
    {"Relatorio", P, "Relatorios"},
    // Held twice with the same text.
    {"Nome", P, "NOME"},
    {"CV-EMITIDO", P, "CONTRA-VALE EMITIDO"},
    {"Suprimento", P, "Suprimento"},
    // Totalizer names compared with the printer's list.
    {"VENDA-CONS", P, "VENDA CONSUMIDOR"},
    {"Compra-Cred", P, "Cred Pessoal"},
    {"Canc-Cred", P, "Canc Credito"},
    {"CV-EMI", P, "CONTRA-VALE EMI"},
    {"RelGerencial", P, "Rel Gerencial"},
    // Column-laid captions: blanks count.
    {"Cabecalho", P, "CODIGO     NOME          QTDE   VR.UNIT. VR.TOT."},
    {"SEN_PED", P, "SENHA PEDIDO:  "},
    {"ErroItem", P, "Erro ao imprimir o item: "},
    {"Isento", P, "Isento :"},
    {"NmFami", P, "Familia.....: "},
    {"Convenio", P, "Convênio"},
    {"ArqConfig_Inv4", P, "Arquivo (%s) está inválido. Valor do totalizador geral da impressora fiscal está incorreto."},
    {"ConfReducao", P, "Confirma impressão da redução z?"},
    {"DOTZ", P2, "Nesta compra voce ganhou %s DOTZ"},
    {"DOTZ_EXTRAS", P2, "Nesta compra voce ganhou %s DOTZ extras"},
    {"SALDO_FIN", P2, "Saldo Final : %s"},
    {"Erro_NMovDia", P2, "Houve erro na geração ou não há movimento nas seguintes datas:"},
};
// clang-format on

TEST_F(CataloguesTest, ReturnCodeKeysGiveTheirTextsFromTheirCatalogue) {
  for (const Case& c : kReturnCodeTexts) {
    EXPECT_EQ(Text(c.catalogue, c.key), c.text) << c.key;
  }
}

TEST_F(CataloguesTest, OperatorTextsAreExactWhateverTheKeysLetterCase) {
  for (const Case& c : kOperatorTexts) {
    EXPECT_EQ(Text(c.catalogue, c.key), c.text) << c.key;
  }
}

TEST_F(CataloguesTest, KeysMissingFromTheShippedCatalogueStillHaveATextInTheirCatalogue) {
  const std::pair<std::string_view, Cat> kAskedFor[] = {
      {"Erro_Pgto", P}, {"DataComputador", P}, {"DataImpressora", P},   {"relFechamentoGeral", P},
      {"LIMDIA", P},    {"LIMMES", P},         {"Leitura_Memoria", P2}, {"EspelhoMFD", P2},
  };
  for (const auto& [key, catalogue] : kAskedFor) EXPECT_FALSE(Text(catalogue, key).empty()) << key;
}

TEST_F(CataloguesTest, OwnLabelsFitTheReportColumns) {
  // The general closing report centres its title in 47 columns; the "T"
  // limit line holds both labels, two amounts and " - " in 48.
  EXPECT_LE(padrao_.Msg("relFechamentoGeral").size(), 47u);
  EXPECT_LE(padrao_.Msg("LIMDIA").size() + padrao_.Msg("LIMMES").size() + 3 + 2 * 8, 48u);
}

TEST_F(CataloguesTest, EveryLineHasAKeyAndANonEmptyText) {
  for (const hostlib::TMessages* catalogue : {&padrao_, &padrao2_}) {
    ASSERT_GT(catalogue->Lines().Count(), 0) << catalogue->Name();
    for (const std::string& line : catalogue->Lines().Items()) {
      const size_t bar = line.find('|');
      ASSERT_NE(bar, std::string::npos) << line;
      const std::string key = line.substr(0, bar);
      EXPECT_FALSE(key.empty()) << line;
      EXPECT_FALSE(line.substr(bar + 1).empty()) << line;
      EXPECT_FALSE(catalogue->Msg(key).empty()) << key;
    }
  }
}

TEST_F(CataloguesTest, TextsAreStoredInWindows1252) {
  EXPECT_EQ(padrao_.Msg("ErroComunicacao"), "Erro de comunica\xE7\xE3o.");
  EXPECT_EQ(padrao2_.Msg("Erro_ParamInv"), "Erro: par\xE2metro inv\xE1lido ou nulo.");
}

TEST_F(CataloguesTest, ReloadingReplacesTheLines) {
  const int padraoLines = padrao_.Lines().Count();
  const int padrao2Lines = padrao2_.Lines().Count();
  LoadCatalogues(padrao_, padrao2_);
  EXPECT_EQ(padrao_.Lines().Count(), padraoLines);
  EXPECT_EQ(padrao2_.Lines().Count(), padrao2Lines);
}

TEST_F(CataloguesTest, EachKeyLivesOnlyInItsOwnCatalogue) {
  EXPECT_EQ(padrao_.Msg("DOTZ"), "");
  EXPECT_EQ(padrao_.Msg("Erro_FormaPG"), "");
  EXPECT_EQ(padrao2_.Msg("Imp_N_Resp"), "");
}

}  // namespace
}  // namespace Tov00300
