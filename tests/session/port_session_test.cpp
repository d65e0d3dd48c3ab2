// Session start and stop: start parameters, binding, the port wrapper,
// closing the port and the printer-status check.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "session/port_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;

class SessionTest : public tovtest::PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    // No driver library: binding fails, as on a till without the driver.
    sandbox().SetEnv("TOV_DRIVER_LIBRARY", sandbox().root() + "/missing/libDarumaFrameWork.so");
  }
  static Variant StartBag(const Variant& idTipo, const Variant& boUtilTaa) {
    return MakeBag({{"CDFILIAL", "001"},
                    {"CDCAIXA", "02"},
                    {"NRSERIEIMP", "DR0001"},
                    {"ESQUEMA", "AZUL"},
                    {"CDPORTAIMPFIS", "COM4"},
                    {"IDTIPOIMPFIS", idTipo},
                    {"BOUTILTAA", boUtilTaa}});
  }
  std::string ParameterMessage() const {
    return Utf8ToCp1252(
        "Erro no recebimento dos parâmetros da função: StartImpFiscal - Tov_00300.bpl\r");
  }
};

TEST_F(SessionTest, MissingLibraryFailsTheStartWithoutACrash) {
  Variant bag = StartBag(29, false);
  EXPECT_FALSE(StartImpFiscal(bag));
  EXPECT_FALSE(boImpFiscalOK);
  EXPECT_EQ(ImpFisDLLHandle, nullptr);
  EXPECT_FALSE(IsDriverEntryPointBound("eAbrirSerial_Daruma"));
  EXPECT_EQ(inTipoImpFis, 29);
  EXPECT_TRUE(boNUtilTaa);
  // The port opening was tried and failed as a driver answering 0.
  EXPECT_EQ(tovtest::DebugLogTexts().front(), "Abrindo porta COM4");
  EXPECT_EQ(inRetorno, 0);
}

struct CasoParametro {
  const char* nome;
  Variant idTipo;
  Variant boUtilTaa;
  bool mensagem;
  int tipoEsperado;
  bool nUtilTaaEsperado;
};
// Test listings show the case by its name.
void PrintTo(const CasoParametro& caso, std::ostream* os) {
  *os << caso.nome;
}

class StartParameterTest : public SessionTest,
                           public ::testing::WithParamInterface<CasoParametro> {};

TEST_P(StartParameterTest, ReadsTheParametersAndGoesOnAfterABadOne) {
  const CasoParametro& c = GetParam();
  inTipoImpFis = -1;
  Variant bag = StartBag(c.idTipo, c.boUtilTaa);
  EXPECT_FALSE(StartImpFiscal(bag));
  EXPECT_EQ(inTipoImpFis, c.tipoEsperado);
  EXPECT_EQ(boNUtilTaa, c.nUtilTaaEsperado);
  std::vector<tovtest::ShownMessage> parametros;
  for (const auto& m : operador().Messages()) {
    if (m.text.rfind(ParameterMessage(), 0) == 0) parametros.push_back(m);
  }
  if (c.mensagem) {
    ASSERT_EQ(parametros.size(), 1u);
    EXPECT_GT(parametros[0].text.size(), ParameterMessage().size()) << "the error's own text";
    EXPECT_EQ(parametros[0].type, 3);
    EXPECT_EQ(parametros[0].context, "001");
    EXPECT_EQ(parametros[0].flag, "N");
    EXPECT_EQ(parametros[0].question, "N");
  } else {
    EXPECT_TRUE(parametros.empty());
  }
  EXPECT_EQ(tovtest::DebugLogTexts().front(), "Abrindo porta COM4") << "the port is still tried";
}

INSTANTIATE_TEST_SUITE_P(
    Casos, StartParameterTest,
    ::testing::Values(
        CasoParametro{"Terminal", Variant(24), Variant(true), false, 24, false},
        CasoParametro{"Operador", Variant(29), Variant(false), false, 29, true},
        CasoParametro{"TipoTexto", Variant("29"), Variant(true), false, 29, false},
        CasoParametro{"TipoInvalido", Variant("vinte"), Variant(true), true, -1, true},
        CasoParametro{"UtilTaaInvalido", Variant(29), Variant("talvez"), true, 29, true}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(SessionTest, AbsentStartParameterIsReportedAndTheStartGoesOn) {
  for (const std::string chave : {"CDFILIAL", "CDPORTAIMPFIS", "IDTIPOIMPFIS", "BOUTILTAA"}) {
    std::vector<std::pair<std::string, Variant>> pares;
    const Variant completa = StartBag(24, true);
    for (const Variant& par : completa.AsArray()) {
      if (par.AsArray()[0].AsString() != chave) {
        pares.emplace_back(par.AsArray()[0].AsString(), par.AsArray()[1]);
      }
    }
    Variant bag = MakeBag(pares);
    operador().Clear();
    inTipoImpFis = -1;
    boNUtilTaa = true;
    EXPECT_FALSE(StartImpFiscal(bag)) << chave;
    std::vector<std::string> parametros;
    for (const auto& m : operador().Messages()) {
      if (m.text.rfind(ParameterMessage(), 0) == 0) parametros.push_back(m.text);
    }
    ASSERT_EQ(parametros.size(), 1u) << chave;
    EXPECT_NE(parametros[0].find(chave), std::string::npos) << "names the key";
    // Keys before the absent one are read; those after it are not.
    EXPECT_EQ(inTipoImpFis, chave == "BOUTILTAA" ? 24 : -1) << chave;
    EXPECT_TRUE(boNUtilTaa) << chave;
  }
}

TEST_F(SessionTest, SecondStartReusesTheLoadedLibrary) {
  const std::string simulador = std::string(TOV_BUILD_LIB_DIR) + "/libDarumaFrameWork.so";
  if (!platform::FileExists(simulador)) GTEST_SKIP() << "virtual printer not built";
  sandbox().SetEnv("TOV_DRIVER_LIBRARY", simulador);
  Variant bag = StartBag(29, false);
  StartImpFiscal(bag);
  const platform::LibraryHandle primeiro = ImpFisDLLHandle;
  ASSERT_NE(primeiro, nullptr);
  EXPECT_TRUE(IsDriverEntryPointBound("eAbrirSerial_Daruma"));

  StopImpFiscal();
  EXPECT_FALSE(IsDriverEntryPointBound("eAbrirSerial_Daruma"));
  EXPECT_EQ(ImpFisDLLHandle, primeiro) << "the library stays loaded";

  // Even with the library's path gone, the loaded one is bound again.
  sandbox().SetEnv("TOV_DRIVER_LIBRARY", sandbox().root() + "/missing.so");
  StartImpFiscal(bag);
  EXPECT_EQ(ImpFisDLLHandle, primeiro);
  EXPECT_TRUE(IsDriverEntryPointBound("eAbrirSerial_Daruma"));
  StopImpFiscal();
}

TEST_F(SessionTest, StoppedSessionFailsLikeASilentDriver) {
  boImpFiscalOK = true;
  StopImpFiscal();
  EXPECT_TRUE(boImpFiscalOK) << "the host's flag is not cleared";
  for (const auto nome : DriverEntryPointNames()) EXPECT_FALSE(IsDriverEntryPointBound(nome));
  std::string contador = "x";
  EXPECT_TRUE(BuscaOpNFis("AZUL", contador));
  EXPECT_EQ(inRetorno, 0);
  EXPECT_FALSE(FechaPorta());
}

TEST_F(SessionTest, ClosingThePortCountsOnlyOne) {
  const struct {
    int codigo;
    bool esperado;
  } casos[] = {{1, true}, {0, false}, {-1, false}, {2, false}, {-107, false}};
  for (const auto& c : casos) {
    driver().Queue("eFecharSerial_Daruma", c.codigo);
    EXPECT_EQ(FechaPorta(), c.esperado) << c.codigo;
  }
  EXPECT_TRUE(tovtest::DebugLogTexts().empty()) << "no analysis, no log line";
  EXPECT_TRUE(operador().Messages().empty());
}

TEST_F(SessionTest, PrinterOkReflectsTheLastCommandsStatus) {
  EXPECT_TRUE(ImpressoraOk("AZUL", true, true, true));
  EXPECT_TRUE(operador().Messages().empty());

  driver().QueueStatus(1, 78, 0);
  driver().QueueInterpretation("eInterpretarErro_ECF_Daruma", "Cupom aberto");
  EXPECT_FALSE(ImpressoraOk("AZUL", false, false, false));
  EXPECT_EQ(operador().Texts(), std::vector<std::string>{"Cupom aberto"});

  boNUtilTaa = false;
  operador().Clear();
  driver().QueueStatus(1, 78, 0);
  EXPECT_FALSE(ImpressoraOk("AZUL", false, false, false));
  EXPECT_TRUE(operador().Messages().empty()) << "a self-service terminal gets no dialog";
}

TEST_F(SessionTest, AbrePortaCreatesTheDataModule) {
  ASSERT_EQ(dtmDaruma300, nullptr);
  tovtest::SetClock(porttest::Agora());
  porttest::QueueClock(driver(), porttest::Agora());
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"0"});
  EXPECT_TRUE(AbrePorta(porttest::PortBag()));
  EXPECT_NE(dtmDaruma300, nullptr);
}

}  // namespace
