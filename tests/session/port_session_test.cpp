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
  static Variant StartBag(const Variant& typeId, const Variant& selfService) {
    return MakeBag({{"CDFILIAL", "001"},
                    {"CDCAIXA", "02"},
                    {"NRSERIEIMP", "DR0001"},
                    {"ESQUEMA", "AZUL"},
                    {"CDPORTAIMPFIS", "COM4"},
                    {"IDTIPOIMPFIS", typeId},
                    {"BOUTILTAA", selfService}});
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

struct ParameterCase {
  const char* name;
  Variant typeId;
  Variant selfService;
  bool message;
  int expectedKind;
  bool expectedSelfService;
};
// Test listings show the case by its name.
void PrintTo(const ParameterCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class StartParameterTest : public SessionTest,
                           public ::testing::WithParamInterface<ParameterCase> {};

TEST_P(StartParameterTest, ReadsTheParametersAndGoesOnAfterABadOne) {
  const ParameterCase& c = GetParam();
  inTipoImpFis = -1;
  Variant bag = StartBag(c.typeId, c.selfService);
  EXPECT_FALSE(StartImpFiscal(bag));
  EXPECT_EQ(inTipoImpFis, c.expectedKind);
  EXPECT_EQ(boNUtilTaa, c.expectedSelfService);
  std::vector<tovtest::ShownMessage> parameterMessages;
  for (const auto& m : scriptedOperator().Messages()) {
    if (m.text.rfind(ParameterMessage(), 0) == 0) parameterMessages.push_back(m);
  }
  if (c.message) {
    ASSERT_EQ(parameterMessages.size(), 1u);
    EXPECT_GT(parameterMessages[0].text.size(), ParameterMessage().size())
        << "the error's own text";
    EXPECT_EQ(parameterMessages[0].type, 3);
    EXPECT_EQ(parameterMessages[0].context, "001");
    EXPECT_EQ(parameterMessages[0].flag, "N");
    EXPECT_EQ(parameterMessages[0].question, "N");
  } else {
    EXPECT_TRUE(parameterMessages.empty());
  }
  EXPECT_EQ(tovtest::DebugLogTexts().front(), "Abrindo porta COM4") << "the port is still tried";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartParameterTest,
    ::testing::Values(ParameterCase{"Terminal", Variant(24), Variant(true), false, 24, false},
                      ParameterCase{"Operator", Variant(29), Variant(false), false, 29, true},
                      ParameterCase{"KindText", Variant("29"), Variant(true), false, 29, false},
                      ParameterCase{"InvalidKind", Variant("vinte"), Variant(true), true, -1, true},
                      ParameterCase{"InvalidSelfServiceFlag", Variant(29), Variant("talvez"), true,
                                    29, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionTest, AbsentStartParameterIsReportedAndTheStartGoesOn) {
  for (const std::string key : {"CDFILIAL", "CDPORTAIMPFIS", "IDTIPOIMPFIS", "BOUTILTAA"}) {
    std::vector<std::pair<std::string, Variant>> pairs;
    const Variant complete = StartBag(24, true);
    for (const Variant& par : complete.AsArray()) {
      if (par.AsArray()[0].AsString() != key) {
        pairs.emplace_back(par.AsArray()[0].AsString(), par.AsArray()[1]);
      }
    }
    Variant bag = MakeBag(pairs);
    scriptedOperator().Clear();
    inTipoImpFis = -1;
    boNUtilTaa = true;
    EXPECT_FALSE(StartImpFiscal(bag)) << key;
    std::vector<std::string> parameterMessages;
    for (const auto& m : scriptedOperator().Messages()) {
      if (m.text.rfind(ParameterMessage(), 0) == 0) parameterMessages.push_back(m.text);
    }
    ASSERT_EQ(parameterMessages.size(), 1u) << key;
    EXPECT_NE(parameterMessages[0].find(key), std::string::npos) << "names the key";
    // Keys before the absent one are read; those after it are not.
    EXPECT_EQ(inTipoImpFis, key == "BOUTILTAA" ? 24 : -1) << key;
    EXPECT_TRUE(boNUtilTaa) << key;
  }
}

TEST_F(SessionTest, SecondStartReusesTheLoadedLibrary) {
  const std::string virtualPrinter = std::string(TOV_BUILD_LIB_DIR) + "/libDarumaFrameWork.so";
  if (!platform::FileExists(virtualPrinter)) GTEST_SKIP() << "virtual printer not built";
  sandbox().SetEnv("TOV_DRIVER_LIBRARY", virtualPrinter);
  Variant bag = StartBag(29, false);
  StartImpFiscal(bag);
  const platform::LibraryHandle first = ImpFisDLLHandle;
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(IsDriverEntryPointBound("eAbrirSerial_Daruma"));

  StopImpFiscal();
  EXPECT_FALSE(IsDriverEntryPointBound("eAbrirSerial_Daruma"));
  EXPECT_EQ(ImpFisDLLHandle, first) << "the library stays loaded";

  // Even with the library's path gone, the loaded one is bound again.
  sandbox().SetEnv("TOV_DRIVER_LIBRARY", sandbox().root() + "/missing.so");
  StartImpFiscal(bag);
  EXPECT_EQ(ImpFisDLLHandle, first);
  EXPECT_TRUE(IsDriverEntryPointBound("eAbrirSerial_Daruma"));
  StopImpFiscal();
}

TEST_F(SessionTest, StoppedSessionFailsLikeASilentDriver) {
  boImpFiscalOK = true;
  StopImpFiscal();
  EXPECT_TRUE(boImpFiscalOK) << "the host's flag is not cleared";
  for (const auto name : DriverEntryPointNames()) EXPECT_FALSE(IsDriverEntryPointBound(name));
  std::string contador = "x";
  EXPECT_TRUE(BuscaOpNFis("AZUL", contador));
  EXPECT_EQ(inRetorno, 0);
  EXPECT_FALSE(FechaPorta());
}

TEST_F(SessionTest, ClosingThePortCountsOnlyOne) {
  const struct {
    int code;
    bool expected;
  } cases[] = {{1, true}, {0, false}, {-1, false}, {2, false}, {-107, false}};
  for (const auto& c : cases) {
    driver().Queue("eFecharSerial_Daruma", c.code);
    EXPECT_EQ(FechaPorta(), c.expected) << c.code;
  }
  EXPECT_TRUE(tovtest::DebugLogTexts().empty()) << "no analysis, no log line";
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

TEST_F(SessionTest, PrinterOkReflectsTheLastCommandsStatus) {
  EXPECT_TRUE(ImpressoraOk("AZUL", true, true, true));
  EXPECT_TRUE(scriptedOperator().Messages().empty());

  driver().QueueStatus(1, 78, 0);
  driver().QueueInterpretation("eInterpretarErro_ECF_Daruma", "Cupom aberto");
  EXPECT_FALSE(ImpressoraOk("AZUL", false, false, false));
  EXPECT_EQ(scriptedOperator().Texts(), std::vector<std::string>{"Cupom aberto"});

  boNUtilTaa = false;
  scriptedOperator().Clear();
  driver().QueueStatus(1, 78, 0);
  EXPECT_FALSE(ImpressoraOk("AZUL", false, false, false));
  EXPECT_TRUE(scriptedOperator().Messages().empty()) << "a self-service terminal gets no dialog";
}

TEST_F(SessionTest, AbrePortaCreatesTheDataModule) {
  ASSERT_EQ(dtmDaruma300, nullptr);
  tovtest::SetClock(porttest::Now());
  porttest::QueueClock(driver(), porttest::Now());
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"0"});
  EXPECT_TRUE(AbrePorta(porttest::PortBag()));
  EXPECT_NE(dtmDaruma300, nullptr);
}

}  // namespace
