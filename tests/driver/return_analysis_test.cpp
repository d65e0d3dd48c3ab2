// The return analysis that follows every driver call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::DebugLogTexts;
using tovtest::PackageTest;
using Strings = std::vector<std::string>;

constexpr const char* kStatus = "rStatusUltimoCmdInt_ECF_Daruma";
constexpr const char* kReturn = "eInterpretarRetorno_ECF_Daruma";
constexpr const char* kError = "eInterpretarErro_ECF_Daruma";
constexpr const char* kWarning = "eInterpretarAviso_ECF_Daruma";
constexpr const char* kKeyboard = "eTEF_TravarTeclado_ECF_Daruma";

class ReturnAnalysisTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    tovtest::SetClock(DateTime::FromParts(2026, 7, 9, 10, 0, 0));
  }
  bool Analyse(int code, bool show, bool warningOne = false) {
    stImpDebug = "iCFVender_ECF_Daruma";
    return AnalisaRetorno_FrameWork("ESQ", code, show, false, warningOne);
  }
  static std::string Cp(const char* utf8) { return Utf8ToCp1252(utf8); }
};

struct CodeCase {
  int code;
  const char* text;  // nullptr: any text that is not empty
};
const CodeCase kCodesWithAMessage[] = {
    {0, "Erro de comunicação."},
    {-1, "Erro de execução na função."},
    {-2, "Parâmetro inválido."},
    {-3, "Alíquota não programada na impressora fiscal."},
    {-4,
     "O arquivo de inicialização da impressora não foi encontrada no diretório de sistema do "
     "Windows."},
    {-5, "Erro ao abrir porta de comunicação."},
    {-6, "Impressora desligada ou desconectada."},
    {-7, "Banco não cadastrado no arquivo de inicializção da impressora."},
    {-8, "Erro ao Gravar as informações no arquivo de Status ou de Retorno de Info."},
    {-9,
     "Erro ao fechar porta da impressora fiscal, isso impossibilitará a geração do  arquivo "
     "COTEPE, favor verificar impressora fiscal"},
    {-10, nullptr},
    {-24, "Erro: forma de pagamento não programada."},
    {-27, "Foi detectado erro na impressora."},
    {-28, "Falha de comunicação com o ECF (Timeout)"},
    {-40, "Erro: tag XML inválida."},
    {-50, "Erro ao criar chave no registro."},
    {-51, "Erro ao gravar log."},
    {-52, "Erro ao abrir arquivo."},
    {-53, "Erro: fim de arquivo."},
    {-60, "Erro na tag de formatação DHTML."},
    {-90, "Erro ao configurar a porta de comunicação."},
    {-99, "Erro: parâmetro inválido ou nulo."},
    {-101, "Erro ao ler ou escrever arquivo."},
    {-102, "Erro ao ler ou escrever arquivo."},
    {-103, "Não foram encontradas as DLLs auxiliares (lebin.dll e LeituraMFDBin.dll)."},
    {-104, "Data informada é inferior ao primeiro documento emitido."},
    {-105, "Data informada é maior do que a última redução Z impressa."},
    {-107, "Porta de comunicação ocupada."},
};

TEST_F(ReturnAnalysisTest, CodeWithAMessageIsCollectedLoggedAndFails) {
  for (const CodeCase& c : kCodesWithAMessage) {
    SCOPED_TRACE(c.code);
    stMensagemTaa.clear();
    driver().ClearCalls();
    EXPECT_FALSE(Analyse(c.code, /*show=*/false));
    const std::string text = tovtest::DebugLogTexts().back().substr(8);
    if (c.text != nullptr) {
      EXPECT_EQ(text, Cp(c.text));
    } else {
      EXPECT_FALSE(Trim(text).empty());
    }
    EXPECT_EQ(stMensagemTaa, " " + text);
    EXPECT_EQ(driver().CallNames(), Strings{kStatus});
  }
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  const Strings log = DebugLogTexts();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "iCFVender_ECF_Daruma");
  EXPECT_EQ(log[1], "ERRO!!! " + Cp("Erro de comunicação."));
}

TEST_F(ReturnAnalysisTest, CodesWithoutAMessageSucceedQuietly) {
  for (int code : {1, 2, -12, 100}) {
    SCOPED_TRACE(code);
    EXPECT_TRUE(Analyse(code, /*show=*/true));
  }
  EXPECT_EQ(stMensagemTaa, "");
  EXPECT_EQ(stImpDebug, "");
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_EQ(DebugLogTexts(), Strings(4, "iCFVender_ECF_Daruma"));
}

// A negative code the catalogue does not name is still a failure: taken as
// success, an item the printer never registered would pass for sold.
TEST_F(ReturnAnalysisTest, UncataloguedNegativeCodeFailsNamingTheCode) {
  for (int code : {-11, -13, -25, -100, -106, -108, -999}) {
    SCOPED_TRACE(code);
    stMensagemTaa.clear();
    scriptedOperator().Clear();
    const std::string text =
        Cp("Erro não catalogado da impressora: código ") + std::to_string(code);
    EXPECT_FALSE(Analyse(code, /*show=*/true));
    EXPECT_EQ(stMensagemTaa, " " + text);
    ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
    EXPECT_EQ(scriptedOperator().Messages()[0].text, text);
    EXPECT_EQ(DebugLogTexts().back(), "ERRO!!! " + text);
  }
}

TEST_F(ReturnAnalysisTest, ShownCodeUnlocksTheKeyboardThenShowsANotice) {
  EXPECT_FALSE(Analyse(-6, /*show=*/true));
  ASSERT_EQ(driver().CallNames(), (Strings{kKeyboard, kStatus}));
  EXPECT_EQ(driver().Calls()[0].args, Strings{"0"});
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  const tovtest::ShownMessage& shown = scriptedOperator().Messages()[0];
  EXPECT_EQ(shown.text, Cp("Impressora desligada ou desconectada."));
  EXPECT_EQ(shown.detail, "");
  EXPECT_EQ(shown.flag, "N");
  EXPECT_EQ(shown.question, "N");
  EXPECT_EQ(shown.type, 0);
  EXPECT_EQ(shown.reserved, "");
  EXPECT_EQ(shown.context, "ESQ");
  EXPECT_EQ(shown.number, 0);
  EXPECT_EQ(shown.dataSet, nullptr);
  EXPECT_EQ(shown.driverCallsBefore, 1u);  // after the keyboard unlock
}

TEST_F(ReturnAnalysisTest, BusyPortWithoutDialogCollectsItsTextAndTheStatusTexts) {
  driver().QueueStatus(1, 15, -2);
  driver().QueueInterpretation(kError, "Erro de status");
  driver().QueueInterpretation(kWarning, "Pouco papel");
  EXPECT_FALSE(Analyse(-107, /*show=*/false));
  EXPECT_EQ(stMensagemTaa, Cp(" Porta de comunicação ocupada.") + " Erro de status Pouco papel");
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_EQ(driver().CountOf(kKeyboard), 0);
}

TEST_F(ReturnAnalysisTest, PrinterErrorOnSuccessCodeFailsAndIsShownAsStatusError) {
  driver().QueueStatus(1, 78, 0);
  driver().QueueInterpretation(kError, "  Cupom fiscal aberto  ");
  EXPECT_FALSE(Analyse(1, /*show=*/true));
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  EXPECT_EQ(scriptedOperator().Messages()[0].text, "Cupom fiscal aberto");
  EXPECT_EQ(scriptedOperator().Messages()[0].type, 3);
  EXPECT_EQ(stMensagemTaa, " Cupom fiscal aberto");
  EXPECT_EQ(DebugLogTexts(), (Strings{"iCFVender_ECF_Daruma", "Cupom fiscal aberto"}));
  const auto interpretation = driver().CallsTo(kError);
  ASSERT_EQ(interpretation.size(), 1u);
  EXPECT_EQ(interpretation[0].args, (Strings{"78", "[out 200]"}));
  EXPECT_EQ(driver().CountOf(kKeyboard), 0);
}

TEST_F(ReturnAnalysisTest, WarningsAreReportedWithoutChangingTheResult) {
  struct Case {
    int warning;
    bool warningOne;
    bool reported;
    bool collected;
  };
  const Case cases[] = {
      {-1, false, true, true}, {-2, false, true, true}, {1, false, false, false},
      {1, true, true, false},  {2, true, false, false}, {-3, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.warning << " avisoUm " << c.warningOne);
    stMensagemTaa.clear();
    scriptedOperator().Clear();
    driver().Reset();
    driver().QueueStatus(1, 0, c.warning);
    driver().QueueInterpretation(kWarning, "Aviso " + std::to_string(c.warning));
    EXPECT_TRUE(Analyse(1, /*show=*/true, c.warningOne));
    const std::string text = "Aviso " + std::to_string(c.warning);
    EXPECT_EQ(driver().CountOf(kWarning), c.reported ? 1 : 0);
    EXPECT_EQ(stMensagemTaa, c.collected ? " " + text : "");
    if (c.reported) {
      ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
      EXPECT_EQ(scriptedOperator().Messages()[0].text, text);
      EXPECT_EQ(scriptedOperator().Messages()[0].type, 0);
      EXPECT_EQ(DebugLogTexts().back(), text);
    } else {
      EXPECT_TRUE(scriptedOperator().Messages().empty());
      EXPECT_EQ(DebugLogTexts().back(), "iCFVender_ECF_Daruma");
    }
  }
}

TEST_F(ReturnAnalysisTest, FailedStatusQueryIsInterpretedButLeavesTheResult) {
  driver().QueueStatus(-6, 0, 0);
  driver().QueueInterpretation(kReturn, " Impressora desligada ");
  EXPECT_TRUE(Analyse(1, /*show=*/true));
  const auto interpretation = driver().CallsTo(kReturn);
  ASSERT_EQ(interpretation.size(), 1u);
  EXPECT_EQ(interpretation[0].args, (Strings{"-6", "[out 200]"}));
  EXPECT_EQ(stMensagemTaa, " Impressora desligada");
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  EXPECT_EQ(scriptedOperator().Messages()[0].type, 3);
  EXPECT_EQ(DebugLogTexts().back(), "Impressora desligada");
}

TEST_F(ReturnAnalysisTest, StatusQueryAnsweringMinus12IsNotInterpretedButCodesAreExamined) {
  driver().QueueStatus(-12, 5, -1);
  driver().QueueInterpretation(kError, "Erro cinco");
  driver().QueueInterpretation(kWarning, "Aviso menos um");
  EXPECT_FALSE(Analyse(1, /*show=*/false));
  EXPECT_EQ(driver().CountOf(kReturn), 0);
  EXPECT_EQ(stMensagemTaa, " Erro cinco Aviso menos um");
}

TEST_F(ReturnAnalysisTest, EverythingWrongComesInStepOrder) {
  driver().QueueStatus(-27, 10, -2);
  driver().QueueInterpretation(kReturn, "R");
  driver().QueueInterpretation(kError, "E");
  driver().QueueInterpretation(kWarning, "A");
  EXPECT_FALSE(Analyse(-5, /*show=*/true));
  const std::string port = Cp("Erro ao abrir porta de comunicação.");
  EXPECT_EQ(stMensagemTaa, " " + port + " R E A");
  EXPECT_EQ(scriptedOperator().Texts(), (Strings{port, "R", "E", "A"}));
  EXPECT_EQ(DebugLogTexts(), (Strings{"iCFVender_ECF_Daruma", "ERRO!!! " + port, "R", "E", "A"}));
  EXPECT_EQ(driver().CallNames(), (Strings{kKeyboard, kStatus, kReturn, kError, kWarning}));
}

TEST_F(ReturnAnalysisTest, EmptyPendingDescriptionStillMakesAnEntryAndIsCleared) {
  tovtest::SetClock(DateTime::FromParts(2026, 7, 9, 10, 11, 12));
  stImpDebug.clear();
  EXPECT_TRUE(AnalisaRetorno_FrameWork("", 1, false, false, false));
  EXPECT_EQ(tovtest::ReadDebugLogFile(sandbox().hostFolder() + "/impdebug0726.txt").size(), 1u);
  EXPECT_EQ(Tov00300::platform::ReadFile(sandbox().hostFolder() + "/impdebug0726.txt"),
            "09/07/2026 10:11:12 - \r\n");
  stImpDebug = "x";
  AnalisaRetorno_FrameWork("", 1, false, false, false);
  EXPECT_EQ(stImpDebug, "");
}

TEST_F(ReturnAnalysisTest, StatusTextWithoutTerminatorIsCutAtItsWidth) {
  driver().QueueStatus(1, 3, 0);
  driver().Queue(kError, tovtest::DriverAnswer{1, {std::string(200, 'X') + "LIXO"}, {}, false});
  EXPECT_FALSE(Analyse(1, /*show=*/false));
  EXPECT_EQ(stMensagemTaa, " " + std::string(200, 'X'));
}

TEST_F(ReturnAnalysisTest, LogWriteErrorReachesTheCaller) {
  sandbox().SetEnv("TOV_HOST_DIR", sandbox().root() + "/no-such-folder");
  stImpDebug = "iCFAbrir_ECF_Daruma";
  EXPECT_ANY_THROW(AnalisaRetorno_FrameWork("", 1, false, false, false));
  EXPECT_EQ(stImpDebug, "");
}

TEST_F(ReturnAnalysisTest, UnboundDriverDoesNotCrashTheAnalysis) {
  UnbindDriverEntryPoints();
  EXPECT_FALSE(Analyse(0, /*show=*/true));
  EXPECT_EQ(scriptedOperator().Messages().front().text, Cp("Erro de comunicação."));
}

TEST_F(ReturnAnalysisTest, EstadoImpJudgesTheStoredCodeAndKeepsTheResult) {
  struct Case {
    int inRetorno;
    bool boNUtilTaa;
    bool expected;
    size_t dialogs;
  };
  const Case cases[] = {{1, true, true, 0}, {-6, true, false, 1}, {-6, false, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inRetorno);
    scriptedOperator().Clear();
    inRetorno = c.inRetorno;
    boNUtilTaa = c.boNUtilTaa;
    boClieUtil = !c.expected;
    EXPECT_EQ(Estado_Imp("ESQ", true, true), c.expected);
    EXPECT_EQ(boClieUtil, c.expected);
    EXPECT_EQ(scriptedOperator().Messages().size(), c.dialogs);
  }
  // Warning 1 is never reported by Estado_Imp.
  driver().QueueStatus(1, 0, 1);
  inRetorno = 1;
  EXPECT_TRUE(Estado_Imp("ESQ", true, true));
  EXPECT_EQ(driver().CountOf(kWarning), 0);
}

}  // namespace
