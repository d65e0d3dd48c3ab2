// The grand-total control in "Brindal.cds": checking, recording, the fallback
// file, and what missing, corrupt or unconvertible data leads to.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "readings/control_file.h"
#include "support/fixture.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::PackageTest;

struct Linha {
  std::string filial, caixa, serie, situacao, campo01, total;  // total in clear
};

class GrandTotalTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    stAtuFili = "001";
    stAtuCaixa = "02";
    stSerieAtu = "DR0001";
  }

  static DataPacket Pacote(const std::vector<Linha>& linhas, int larguraCampo02 = 60) {
    DataPacket p;
    p.fields = {
        {"CDFILIAL", FieldType::String, 4},    {"CDCAIXA", FieldType::String, 3},
        {"NRSERIEECF", FieldType::String, 20}, {"IDSITECFIMPF", FieldType::String, 1},
        {"CAMPO01", FieldType::String, 1},     {"CAMPO02", FieldType::String, larguraCampo02},
        {"OUTRO", FieldType::String, 10}};
    for (const Linha& l : linhas) {
      p.rows.push_back(
          {Variant(l.filial), Variant(l.caixa), Variant(l.serie), Variant(l.situacao),
           Variant(l.campo01),
           Variant(l.total.empty() ? std::string() : hostlib::Cripto(l.total, kScrambleKey)),
           Variant("guardado")});
    }
    return p;
  }
  static void Grava(const std::string& caminho, const DataPacket& p) {
    platform::AtomicReplaceFile(caminho, DataSet::ToXml(p));
  }
  static std::string Le(const std::string& caminho) {
    return platform::ReadFile(caminho).value_or("<missing>");
  }
  // The clear total recorded in the file's row for this register.
  static std::string TotalGravado(const std::string& caminho) {
    DataPacket p = DataSet::FromXml(Le(caminho));
    for (const auto& row : p.rows) {
      if (row[0].AsString() == "001" && row[1].AsString() == "02") {
        return hostlib::Uncripto(row[5].AsString(), kScrambleKey);
      }
    }
    return "<no row>";
  }
  void ImpressoraComTotal(const std::string& resposta) {
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {resposta});
  }
  static Variant Bag(const std::string& idValida) {
    return MakeBag({{"CDFILIAL", "999"},
                    {"CDCAIXA", "99"},
                    {"NRSERIEIMP", "OUTRA"},
                    {"ESQUEMACOR", "AZUL"},
                    {"IDVALIDA", idValida}});
  }
  std::string InvalidMessage() const {
    std::string texto = DataModule().msgPadrao.Msg("ArqConfig_Inv4");
    texto.replace(texto.find("%s"), 2, ControlFilePath());
    return texto;
  }

  const std::vector<Linha> kLoja = {{"001", "01", "DR0000", "A", "S", "1,00"},
                                    {"001", "02", "DR0001", "A", "S", "12345,67"}};
};

struct CasoValidacao {
  const char* nome;
  std::string gravado;     // clear total in the file
  std::string impressora;  // register 1 reply
  bool esperado;
  bool mensagem;
  std::string gravadoDepois;
};
// Test listings show the case by its name.
void PrintTo(const CasoValidacao& caso, std::ostream* os) {
  *os << caso.nome;
}

class ValidationTest : public GrandTotalTest,
                       public ::testing::WithParamInterface<CasoValidacao> {};

TEST_P(ValidationTest, ComparesTheRecordedTotalWithThePrinters) {
  const CasoValidacao& c = GetParam();
  std::vector<Linha> linhas = kLoja;
  linhas[1].total = c.gravado;
  Grava(ControlFilePath(), Pacote(linhas));

  ImpressoraComTotal(c.impressora);
  EXPECT_EQ(Atu_TotGeral(Bag("S")), c.esperado);
  if (c.mensagem) {
    ASSERT_EQ(operador().Texts(), std::vector<std::string>{InvalidMessage()});
    EXPECT_EQ(operador().Messages()[0].type, 3);
    EXPECT_EQ(operador().Messages()[0].context, "AZUL");
  } else {
    EXPECT_TRUE(operador().Messages().empty());
  }
  EXPECT_EQ(TotalGravado(ControlFilePath()), c.gravadoDepois);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ValidationTest,
    ::testing::Values(
        CasoValidacao{"Igual", "12345,67", "000000000001234567", true, false, "12345,67"},
        CasoValidacao{"UmCentavoAMais", "12345,67", "000000000001234568", false, true, "12345,67"},
        CasoValidacao{"UmCentavoAMenos", "12345,67", "000000000001234566", false, true, "12345,67"},
        CasoValidacao{"ValorDeReinicio", "10,10", "000000000001234567", true, false, "12345,67"},
        CasoValidacao{"GravadoEmBranco", "", "000000000001234567", false, true, ""},
        CasoValidacao{"GravadoComPonto", "12345.67", "000000000001234567", true, false,
                      "12345.67"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(GrandTotalTest, RecordingStoresThePrintersTotalAndKeepsTheOtherRows) {
  Grava(ControlFilePath(), Pacote(kLoja));
  ImpressoraComTotal("000000000009999950");
  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  EXPECT_TRUE(operador().Messages().empty());

  DataPacket p = DataSet::FromXml(Le(ControlFilePath()));
  ASSERT_EQ(p.rows.size(), 2u);
  EXPECT_EQ(hostlib::Uncripto(p.rows[0][5].AsString(), kScrambleKey), "1,00");
  EXPECT_EQ(hostlib::Uncripto(p.rows[1][5].AsString(), kScrambleKey), "99999,5");
  EXPECT_EQ(p.rows[1][6].AsString(), "guardado") << "fields the package does not know survive";
  EXPECT_FALSE(DataModule().cdsCheckECF.Active());
}

TEST_F(GrandTotalTest, ControlOffOrNoRowChangesNothing) {
  std::vector<Linha> linhas = kLoja;
  linhas[1].campo01 = "N";
  Grava(ControlFilePath(), Pacote(linhas));
  const std::string antes = Le(ControlFilePath());
  EXPECT_TRUE(Atu_TotGeral(Bag("S")));
  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  EXPECT_EQ(Le(ControlFilePath()), antes);
  stSerieAtu = "NENHUMA";
  Grava(ControlFilePath(), Pacote(kLoja));
  const std::string semLinha = Le(ControlFilePath());
  EXPECT_TRUE(Atu_TotGeral(Bag("S")));
  EXPECT_EQ(Le(ControlFilePath()), semLinha);
  EXPECT_EQ(driver().CountOf("rRetornarInformacao_ECF_Daruma"), 0);
  EXPECT_TRUE(operador().Messages().empty());
}

TEST_F(GrandTotalTest, FallbackFileIsUsedOnlyForActivePrintersAndSavedAsBrindal) {
  std::vector<Linha> linhas = kLoja;
  linhas[1].situacao = "I";  // inactive: not selected from the older file
  linhas.push_back({"001", "02", "DR0001", "A", "S", "500,00"});
  Grava(FallbackControlFilePath(), Pacote(linhas));
  EXPECT_EQ(FallbackControlFilePath(), DsDirCad + "mor02001.cds");

  ImpressoraComTotal("000000000000050000");
  EXPECT_TRUE(Atu_TotGeral(Bag("S")));
  ImpressoraComTotal("000000000000060000");
  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  DataPacket p = DataSet::FromXml(Le(ControlFilePath()));
  ASSERT_EQ(p.rows.size(), 3u);
  EXPECT_EQ(hostlib::Uncripto(p.rows[1][5].AsString(), kScrambleKey), "12345,67");
  EXPECT_EQ(hostlib::Uncripto(p.rows[2][5].AsString(), kScrambleKey), "600");
}

// A check that could not run is not a check that passed.
TEST_F(GrandTotalTest, MissingControlFilesFailTheCheckButNotTheRecording) {
  EXPECT_FALSE(Atu_TotGeral(Bag("S")));
  ASSERT_EQ(operador().Messages().size(), 1u);
  EXPECT_NE(operador().Texts()[0].find(ControlFilePath()), std::string::npos);
  EXPECT_NE(operador().Texts()[0].find(FallbackControlFilePath()), std::string::npos);

  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  EXPECT_EQ(operador().Messages().size(), 2u);
  EXPECT_FALSE(platform::FileExists(ControlFilePath()));
}

TEST_F(GrandTotalTest, CorruptControlFileIsReportedAndNeverOverwritten) {
  Grava(ControlFilePath(), Pacote(kLoja));
  const std::string inteiro = Le(ControlFilePath());
  const std::string cortado = inteiro.substr(0, inteiro.size() / 2);
  // An older file exists too: it must not stand in for a damaged Brindal.cds.
  Grava(FallbackControlFilePath(), Pacote(kLoja));

  for (const std::string& conteudo : {cortado, std::string("not a data packet"), std::string()}) {
    std::ofstream(ControlFilePath(), std::ios::binary | std::ios::trunc) << conteudo;
    operador().Clear();
    EXPECT_FALSE(Atu_TotGeral(Bag("S")));
    ASSERT_EQ(operador().Messages().size(), 1u);
    EXPECT_EQ(operador().Texts()[0].rfind(
                  Utf8ToCp1252("Arquivo de controle do totalizador geral ilegível: ") +
                      ControlFilePath() + "\r",
                  0),
              0u)
        << "the operator is told in Portuguese which file is damaged";
    EXPECT_TRUE(Atu_TotGeral(Bag("N")));
    EXPECT_EQ(Le(ControlFilePath()), conteudo);
  }
}

TEST_F(GrandTotalTest, UnconvertiblePrinterTotalIsNeitherCheckedNorRecorded) {
  Grava(ControlFilePath(), Pacote(kLoja));
  const std::string antes = Le(ControlFilePath());
  ImpressoraComTotal("                  ");
  EXPECT_FALSE(Atu_TotGeral(Bag("S")));
  // A total not recorded is not reported as recorded.
  ImpressoraComTotal("                  ");
  EXPECT_FALSE(Atu_TotGeral(Bag("N")));
  EXPECT_EQ(operador().Messages().size(), 2u);
  EXPECT_EQ(Le(ControlFilePath()), antes);
}

TEST_F(GrandTotalTest, UnreadableRecordedTotalFailsTheCheck) {
  DataPacket p = Pacote(kLoja);
  p.rows[1][5] = Variant(hostlib::Cripto("doze", kScrambleKey));
  Grava(ControlFilePath(), p);
  ImpressoraComTotal("000000000001234567");
  EXPECT_FALSE(Atu_TotGeral(Bag("S")));
  EXPECT_EQ(operador().Messages().size(), 1u);
}

TEST_F(GrandTotalTest, FieldTooNarrowForTheScrambledTotalLeavesTheFileAlone) {
  Grava(ControlFilePath(), Pacote(kLoja, 8));
  const std::string antes = Le(ControlFilePath());
  ImpressoraComTotal("000000000001234567");
  EXPECT_TRUE(Atu_TotGeral(Bag("N")));
  EXPECT_EQ(operador().Messages().size(), 1u);
  EXPECT_EQ(Le(ControlFilePath()), antes);
}

TEST_F(GrandTotalTest, QuoteInTheSelectionIsRefused) {
  Grava(ControlFilePath(), Pacote(kLoja));
  stAtuFili = "x' OR CDFILIAL <> '";
  EXPECT_FALSE(Atu_TotGeral(Bag("S")));
  EXPECT_EQ(operador().Messages().size(), 1u);
}

}  // namespace
