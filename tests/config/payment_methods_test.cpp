// Payment-method synchronisation: which types are registered, renamed,
// marked or removed, the special-method globals and the exact log lines.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/config_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using configtest::CriaTiposRece;
using configtest::Tipo;
using configtest::TipoRece;
using configtest::TodosTipos;
using tovtest::PackageTest;

const char* const kLer = "rLerMeiosPagto_ECF_Daruma";
const char* const kCadastrar = "confCadastrarPadrao_ECF_Daruma";

std::vector<std::string> Cadastros(tovtest::ScriptedDriver& driver) {
  std::vector<std::string> nomes;
  for (const auto& chamada : driver.CallsTo(kCadastrar)) {
    EXPECT_EQ(chamada.args.at(0), "FPGTO");
    nomes.push_back(chamada.args.at(1));
  }
  return nomes;
}

struct CasoTipo {
  const char* nome;
  std::string lista;                     // the printer's list at the start
  std::optional<std::string> releitura;  // the list after a registration
  TipoRece entrada;
  std::vector<std::string> cadastros;  // methods the printer is asked to register
  std::optional<TipoRece> saida;       // nullopt: the type is removed
};
// Test listings show the case by its name.
void PrintTo(const CasoTipo& caso, std::ostream* os) {
  *os << caso.nome;
}

class SincronizaTipoTest : public PackageTest, public ::testing::WithParamInterface<CasoTipo> {};

TEST_P(SincronizaTipoTest, OneType) {
  const CasoTipo& caso = GetParam();
  driver().Queue(kLer, 1, {caso.lista});
  if (caso.releitura) driver().Queue(kLer, 1, {*caso.releitura});
  DataSet host;
  CriaTiposRece(host, {caso.entrada});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_EQ(Cadastros(driver()), caso.cadastros);
  const auto tipos = TodosTipos(host);
  const TipoRece* tipo = Tipo(tipos, caso.entrada.cd);
  if (!caso.saida) {
    EXPECT_EQ(tipo, nullptr);
    return;
  }
  ASSERT_NE(tipo, nullptr);
  EXPECT_EQ(tipo->nm, caso.saida->nm);
  EXPECT_EQ(tipo->cdfp, caso.saida->cdfp);
  EXPECT_EQ(tipo->emiteVale, caso.saida->emiteVale);
  EXPECT_EQ(tipo->mostra, caso.saida->mostra);
  EXPECT_TRUE(operador().Messages().empty());
}

const std::string kLista = "Dinheiro        ;Cheque          ;Rel Gerencial   ";

INSTANTIATE_TEST_SUITE_P(
    Casos, SincronizaTipoTest,
    ::testing::Values(CasoTipo{"ConhecidoRecebeNomeDaImpressora",
                               kLista,
                               {},
                               {"001", "Especie", "DINHEIRO"},
                               {},
                               TipoRece{"001", "Dinheiro", "", "S", "1", "S", "S"}},
                      CasoTipo{"TipoQuatroNaoEmiteVale",
                               kLista,
                               {},
                               {"001", "Vale", "Cheque", " ", "4"},
                               {},
                               TipoRece{"001", "Cheque", "", "S", "4", "N", "S"}},
                      CasoTipo{"TipoBSemDoadorSaiDaTela",
                               kLista,
                               {},
                               {"001", "Conv", "Cheque", " ", "B"},
                               {},
                               TipoRece{"001", "Cheque", "", "S", "B", "S", "N"}},
                      CasoTipo{"FaltanteCadastrado",
                               "Dinheiro;Rel Gerencial",
                               "Dinheiro;Ticket;Rel Gerencial",
                               {"002", "Ticket host", "Ticket"},
                               {"Ticket"},
                               TipoRece{"002", "Ticket host", "", "S", "1", "S", "S"}},
                      CasoTipo{"RecusadoRemovido",
                               "Dinheiro;Rel Gerencial",
                               "Dinheiro;Rel Gerencial",
                               {"002", "Ticket host", "Ticket"},
                               {"Ticket"},
                               std::nullopt},
                      CasoTipo{"CadastradoComOutraCaixaRemovido",
                               "Dinheiro;Rel Gerencial",
                               "Dinheiro;TICKET;Rel Gerencial",
                               {"002", "Ticket host", "Ticket"},
                               {"Ticket"},
                               std::nullopt},
                      CasoTipo{"DescricaoLongaUsaDezesseis",
                               "Dinheiro;Rel Gerencial",
                               "Dinheiro;Cartao Credito V;Rel Gerencial",
                               {"003", "Visa", "Cartao Credito Visa Internacional"},
                               {"Cartao Credito V"},
                               TipoRece{"003", "Visa", "", "S", "1", "S", "S"}},
                      CasoTipo{"NaoMostradoNaoSincroniza",
                               "Dinheiro;Rel Gerencial",
                               {},
                               {"004", "Ticket host", "Ticket", " ", "1", "", "N"},
                               {},
                               TipoRece{"004", "Ticket host", "", " ", "1", "", "N"}},
                      CasoTipo{"ParteDeOutroNomeECadastrado",
                               "Cartao Credito;Dinheiro;Rel Gerencial",
                               "Cartao Credito;Dinheiro;Cartao;Rel Gerencial",
                               {"006", "Cartao host", "Cartao"},
                               {"Cartao"},
                               TipoRece{"006", "Cartao host", "", "S", "1", "S", "S"}},
                      // Without a fiscal description nothing can be registered.
                      CasoTipo{"SemDescricaoRemovido",
                               "Dinheiro;Rel Gerencial",
                               {},
                               {"007", "Nada", ""},
                               {},
                               std::nullopt}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(PackageTest, SameFiscalDescriptionIsRegisteredOnce) {
  driver().Queue(kLer, 1, {"Dinheiro;Rel Gerencial"});
  driver().Queue(kLer, 1, {"Dinheiro;Vale;Rel Gerencial"});
  DataSet host;
  CriaTiposRece(host, {{"003", "Vale A", "Vale"}, {"004", "Vale B", "VALE"}});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_EQ(Cadastros(driver()), std::vector<std::string>{"Vale"});
  const auto tipos = TodosTipos(host);
  ASSERT_EQ(tipos.size(), 2u);
  EXPECT_EQ(tipos[0].cdfp, "S");
  EXPECT_EQ(tipos[1].cdfp, "S");
  EXPECT_EQ(tipos[1].nm, "Vale");
}

TEST_F(PackageTest, TypeMatchingAMethodRegisteredInTheSameRunIsMatchedWithoutADonor) {
  driver().Queue(kLer, 1, {"Dinheiro;Rel Gerencial"});
  driver().Queue(kLer, 1, {"Dinheiro;Vale;Rel Gerencial"});
  DataSet host;
  CriaTiposRece(host, {{"003", "Vale A", "Vale"}, {"004", "Vale B", "VALE", " ", "B"}});

  CarregaRecebimento("", "ESQ", 0, host);

  // The registered type leaves no code in the working copy, so the kind "B"
  // type is matched as a method of its own and leaves the screen.
  const auto tipos = TodosTipos(host);
  const TipoRece* conv = Tipo(tipos, "004");
  ASSERT_NE(conv, nullptr);
  EXPECT_EQ(conv->cdfp, "S");
  EXPECT_EQ(conv->mostra, "N");
  const auto copia = TodosTipos(DataModule().cdsReceb);
  EXPECT_EQ(Tipo(copia, "003")->cdfp, "");
  EXPECT_EQ(Tipo(copia, "004")->nm, "Vale");
}

TEST_F(PackageTest, LaterTypeTakesTheCodeOfAnEarlierTypeWithTheSameDescription) {
  driver().Queue(kLer, 1, {"Dinheiro;Cheque;Rel Gerencial"});
  DataSet host;
  CriaTiposRece(host, {{"005", "Chq", "Cheque", "07"}, {"006", "Chq 2", "CHEQUE", " "}});

  CarregaRecebimento("", "ESQ", 0, host);

  const auto tipos = TodosTipos(host);
  EXPECT_EQ(Tipo(tipos, "006")->cdfp, "07");
  EXPECT_TRUE(Cadastros(driver()).empty());
}

TEST_F(PackageTest, RefusedTypeIsRemovedAndTheNextTypeIsStillVisited) {
  driver().Queue(kLer, 1, {"Dinheiro;Rel Gerencial"});
  driver().Queue(kCadastrar, -1);
  driver().Queue(kLer, 1, {"Dinheiro;Rel Gerencial"});
  DataSet host;
  CriaTiposRece(
      host,
      {{"002", "Ticket", "Ticket"}, {"001", "Especie", "DINHEIRO"}, {"009", "Outro", "Outro"}});
  driver().Queue(kLer, 1, {"Dinheiro;Rel Gerencial"});  // re-read after "Outro" is refused

  CarregaRecebimento("", "ESQ", 0, host);

  const auto tipos = TodosTipos(host);
  ASSERT_EQ(tipos.size(), 1u);
  EXPECT_EQ(tipos[0].cd, "001");
  EXPECT_EQ(tipos[0].nm, "Dinheiro");
  EXPECT_EQ(Cadastros(driver()), (std::vector<std::string>{"Ticket", "Outro"}));
  EXPECT_TRUE(operador().Messages().empty()) << "driver failures are only logged";
}

TEST_F(PackageTest, HostSetStaysFilteredAndWorkingCopyHoldsEveryType) {
  driver().Queue(kLer, 1, {"Dinheiro;Rel Gerencial"});
  DataSet host;
  CriaTiposRece(host, {{"001", "Especie", "Dinheiro"},
                       {"002", "Fiado", "Dinheiro", " ", "1", "", "S", "2"},
                       {"003", "Troco", "Dinheiro", " ", "1", "", "S", "5"}});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_TRUE(host.Filtered());
  EXPECT_EQ(host.Filter(), "IDTPBUTTON = '5'");
  EXPECT_EQ(host.RecordCount(), 2);
  EXPECT_EQ(DataModule().cdsReceb.RecordCount(), 3);
  EXPECT_EQ(Tipo(TodosTipos(host), "002")->nm, "Fiado") << "types of other buttons are untouched";
}

TEST_F(PackageTest, SpecialMethodsAreFoundEvenWhenNotSynchronised) {
  CdFormPagVCons = "ant";
  driver().Queue(kLer, 1, {"Dinheiro;Credito Pessoal  ;Cartao Consumo;Rel Gerencial"});
  DataSet host;
  CriaTiposRece(host, {{"009", "Credito", "credito pessoal", "S", "9", "", "N"},
                       {"010", "Cartao", "Cartao Consumo", " ", "A"}});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_EQ(CdFormPagCPess, "009");
  EXPECT_EQ(IdFormPagCPess, "S");
  EXPECT_EQ(DsFormPagCPess, "Credito Pessoal  ");
  EXPECT_EQ(CdFormPagVCons, "010");
  EXPECT_EQ(DsFormPagVCons, "Cartao Consumo");
}

struct CasoRelGerencial {
  const char* nome;
  std::string lista;
  bool cadastra;
};
// Test listings show the case by its name.
void PrintTo(const CasoRelGerencial& caso, std::ostream* os) {
  *os << caso.nome;
}

class RelGerencialTest : public PackageTest,
                         public ::testing::WithParamInterface<CasoRelGerencial> {};

TEST_P(RelGerencialTest, ManagementReportMethodIsRegisteredWhenMissing) {
  driver().Queue(kLer, 1, {GetParam().lista});
  DataSet host;
  CriaTiposRece(host, {});

  CarregaRecebimento("", "ESQ", 0, host);

  if (GetParam().cadastra) {
    EXPECT_EQ(Cadastros(driver()), std::vector<std::string>{"Rel Gerencial"});
    EXPECT_TRUE(tovtest::LogHas("confCadastrarPadrao_ECF_Daruma (FPGTO : Rel Gerencial"));
  } else {
    EXPECT_TRUE(Cadastros(driver()).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Listas, RelGerencialTest,
    ::testing::Values(CasoRelGerencial{"Ausente", "Dinheiro", true},
                      CasoRelGerencial{"ListaVazia", "", true},
                      CasoRelGerencial{"ParteDeOutroNome", "Dinheiro;Rel Gerencial 2", true},
                      CasoRelGerencial{"OutraCaixa", "REL GERENCIAL;Dinheiro", false}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(PackageTest, UnreadablePaymentListLeavesHostTypesAndRegistersNothing) {
  driver().Queue(kLer, configtest::DriverAnswerNoReply());
  DataSet host;
  CriaTiposRece(host, {{"001", "Especie", "Dinheiro"}, {"002", "Ticket", "Ticket"}});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_EQ(driver().CountOf(kCadastrar), 0);
  const auto tipos = TodosTipos(host);
  ASSERT_EQ(tipos.size(), 2u);
  EXPECT_EQ(tipos[0].nm, "Especie");
  EXPECT_EQ(tipos[1].cdfp, " ");
  EXPECT_TRUE(host.Filtered());
}

TEST_F(PackageTest, PaymentSynchronisationWritesTheExactLogLines) {
  driver().Queue(kLer, 1, {"  Dinheiro;Rel Gerencial  "});
  driver().Queue(kLer, 1, {"Dinheiro;Ticket;Rel Gerencial"});
  DataSet host;
  CriaTiposRece(host, {{"002", "Ticket", "Ticket"}});

  CarregaRecebimento("", "ESQ", 0, host);

  const std::vector<std::string> esperado{
      "rLerMeiosPagto_ECF_Daruma\r\nRetorno da Impressora : Dinheiro;Rel Gerencial;",
      "confCadastrarPadrao_ECF_Daruma (FPGTO) : Ticket1",
      "rLerMeiosPagto_ECF_Daruma\r\nRetorno da Impressora : Dinheiro;Ticket;Rel Gerencial;"};
  EXPECT_EQ(tovtest::DebugLogTexts(), esperado);
  const auto leituras = driver().CallsTo(kLer);
  ASSERT_EQ(leituras.size(), 2u);
  EXPECT_EQ(leituras[0].args, std::vector<std::string>{"[out 330]"});
  EXPECT_EQ(leituras[1].args, std::vector<std::string>{"[out 3016]"});
}

struct CasoFormaPg {
  const char* nome;
  int retorno;
  bool mostra;
  bool resultado;
  size_t dialogos;
};
// Test listings show the case by its name.
void PrintTo(const CasoFormaPg& caso, std::ostream* os) {
  *os << caso.nome;
}

class ConfigFormaPgTest : public PackageTest, public ::testing::WithParamInterface<CasoFormaPg> {};

TEST_P(ConfigFormaPgTest, RegistersTheFirstSixteenCharacters) {
  driver().Queue(kCadastrar, GetParam().retorno);

  EXPECT_EQ(Config_FormaPg("ESQ", "Cartao Credito Visa", GetParam().mostra, false),
            GetParam().resultado);

  EXPECT_EQ(Cadastros(driver()), std::vector<std::string>{"Cartao Credito V"});
  EXPECT_EQ(tovtest::DebugLogTexts().front(),
            "confCadastrarPadrao_ECF_Daruma (FPGTO) : Cartao Credito V");
  EXPECT_EQ(operador().Messages().size(), GetParam().dialogos);
}

INSTANTIATE_TEST_SUITE_P(Retornos, ConfigFormaPgTest,
                         ::testing::Values(CasoFormaPg{"Aceito", 1, true, true, 0},
                                           CasoFormaPg{"RecusadoComDialogo", -24, true, false, 1},
                                           CasoFormaPg{"RecusadoSemDialogo", -24, false, false, 0}),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
