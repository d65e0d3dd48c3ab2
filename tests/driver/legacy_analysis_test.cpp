// The return analysis of the older driver interface.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::DebugLogTexts;
using Strings = std::vector<std::string>;

// The three legacy entry points the analysis reads, played by plain functions.
struct LegacyPrinter {
  struct Status {
    int ret = 1, ack = 6, st1 = 0, st2 = 0;
  };
  std::deque<Status> statuses;  // then "all well"
  int cancelCode = 1;
  int statusCalls = 0;
  int cancelCalls = 0;
  std::vector<size_t> unlocksAtMessage;  // messages already shown at each unlock
  std::vector<std::string> unlockArgs;
};
LegacyPrinter printer;

int FakePrinterStatus(int* ack, int* st1, int* st2) {
  ++printer.statusCalls;
  LegacyPrinter::Status status;
  if (!printer.statuses.empty()) {
    status = printer.statuses.front();
    printer.statuses.pop_front();
  }
  *ack = status.ack;
  *st1 = status.st1;
  *st2 = status.st2;
  return status.ret;
}
int FakeLockKeyboard(const char* lock) {
  printer.unlockArgs.push_back(lock);
  printer.unlocksAtMessage.push_back(tovtest::ScriptedOperator::Get().Messages().size());
  return 1;
}
int FakeCancelReceipt() {
  ++printer.cancelCalls;
  return printer.cancelCode;
}

class LegacyAnalysisTest : public tovtest::PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    tovtest::SetClock(DateTime::FromParts(2026, 7, 9, 10, 0, 0));
    printer = LegacyPrinter{};
    Daruma_FI_RetornoImpressora = &FakePrinterStatus;
    Daruma_TEF_TravarTeclado = &FakeLockKeyboard;
    Daruma_FI_CancelaCupom = &FakeCancelReceipt;
  }
  bool Analyse(int code, bool show, bool cancel = false, bool lowPaper = false) {
    stImpDebug = "Daruma_FI_AbreCupom";
    return AnalisaRetorno("ESQ", code, show, cancel, lowPaper);
  }
  static std::string Cp(const char* utf8) { return Utf8ToCp1252(utf8); }
};

struct KeyCase {
  int value;
  const char* text;
};

TEST_F(LegacyAnalysisTest, CodeWithAMessageIsReportedAndStatusStillRead) {
  const KeyCase cases[] = {
      {0, "Erro de comunicação."},
      {-1, "Erro de execução na função."},
      {-2, "Parâmetro inválido."},
      {-3, "Alíquota não programada na impressora fiscal."},
      {-4,
       "O arquivo de inicialização da impressora não foi encontrada no diretório de sistema "
       "do Windows."},
      {-5, "Erro ao abrir porta de comunicação."},
      {-6, "Impressora desligada ou desconectada."},
      {-7, "Banco não cadastrado no arquivo de inicializção da impressora."},
      {-8, "Erro ao Gravar as informações no arquivo de Status ou de Retorno de Info."},
      {-18, "Não foi possível abrir arquivo INTPOS.001."},
      {-19, "Número inválido de parâmetros do comando da impressora fiscal."},
      {-20, "Transação cancelada pelo operador."},
      {-21, "A Transação não foi aprovada."},
      {-22, "Não foi possível terminar a impressão."},
      {-23, "Não foi possível terminar a operação."},
      {-24, "Forma de pagamento não programada."},
      {-25, "Totalizador não fiscal não programado."},
      {-26, "Transação já efetuada."},
      {-28, "Não há informações para serem impressas."},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.value);
    stMensagemTaa.clear();
    printer.statusCalls = 0;
    EXPECT_FALSE(Analyse(c.value, /*show=*/false));
    EXPECT_EQ(stMensagemTaa, " " + Cp(c.text));
    EXPECT_EQ(DebugLogTexts().back(), "ERRO!!! " + Cp(c.text));
    EXPECT_EQ(printer.statusCalls, 1);
  }
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_TRUE(printer.unlockArgs.empty());
}

TEST_F(LegacyAnalysisTest, OtherCodesWithCleanStatusGiveTrueAndOnlyTheDebugLine) {
  for (int code : {1, 2, -9, -10, -17, -27, -29, -100}) {
    SCOPED_TRACE(code);
    EXPECT_TRUE(Analyse(code, /*show=*/true));
  }
  EXPECT_EQ(stMensagemTaa, "");
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_EQ(DebugLogTexts(), Strings(8, "Daruma_FI_AbreCupom"));
}

TEST_F(LegacyAnalysisTest, EveryErrorBitOfTheStatusBytesIsReported) {
  struct BitCase {
    int st1, st2;
    const char* text;
  };
  const BitCase cases[] = {
      {128, 0, "Impressora fiscal sem papel."},
      {32, 0, "Erro no relógio da impressora fiscal."},
      {16, 0, "Impressora fiscal com erro."},
      {8, 0, "Erro de sintaxe no comando enviado para a impressora fiscal."},
      {4, 0, "Comando para a impressora fiscal inexistente."},
      {1, 0, "Número inválido de parâmetros do comando da impressora fiscal."},
      {0, 128, "Tipo incorreto do parâmetro enviado para a impressora fiscal."},
      {0, 64, "Memória da impressora fiscal lotada."},
      {0, 32, "Erro na memória da impressora fiscal."},
      {0, 16, "Alíquota não programada na impressora fiscal."},
      {0, 8, "Capacidade de alíquotas da impressora fiscal lotada."},
      {0, 4, "Cancelamento não permitido pela impressora fiscal."},
      {0, 2, "CGC/IE do proprietário não programados na impressora fiscal."},
      {0, 1, "Comando não executado pela impressora fiscal."},
  };
  for (const BitCase& c : cases) {
    SCOPED_TRACE(c.text);
    stMensagemTaa.clear();
    scriptedOperator().Clear();
    printer.statuses = {{1, 6, c.st1, c.st2}};
    EXPECT_FALSE(Analyse(1, /*show=*/true));
    EXPECT_EQ(stMensagemTaa, " " + Cp(c.text));
    EXPECT_EQ(DebugLogTexts().back(), "ERRO!!! " + Cp(c.text));
    ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
    EXPECT_EQ(scriptedOperator().Messages()[0].text, Cp(c.text));
    EXPECT_EQ(scriptedOperator().Messages()[0].type, 0);
    EXPECT_EQ(scriptedOperator().Messages()[0].context, "ESQ");
  }
  // The keyboard is unlocked with "0" right before every message.
  EXPECT_EQ(printer.unlockArgs, Strings(std::size(cases), "0"));
  for (size_t i = 0; i < printer.unlocksAtMessage.size(); ++i)
    EXPECT_EQ(printer.unlocksAtMessage[i], 0u);
}

TEST_F(LegacyAnalysisTest, SeveralBitsAreReportedHighestFirst) {
  printer.statuses = {{1, 6, 128 | 16, 1}};
  EXPECT_FALSE(Analyse(-1, /*show=*/false));
  EXPECT_EQ(stMensagemTaa, Cp(" Erro de execução na função. Impressora fiscal sem papel."
                              " Impressora fiscal com erro. Comando não executado pela "
                              "impressora fiscal."));
}

TEST_F(LegacyAnalysisTest, LowPaperAndOpenReceiptLeaveTheResultTrue) {
  struct Case {
    bool show, lowPaper, cancel;
    size_t messages;
    int cancelations;
  };
  const Case cases[] = {
      {true, false, false, 0, 0}, {true, false, true, 0, 1},  {false, true, false, 0, 0},
      {true, true, false, 1, 0},  {false, false, true, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.show << c.lowPaper << c.cancel);
    stMensagemTaa.clear();
    scriptedOperator().Clear();
    printer.cancelCalls = 0;
    printer.statuses = {{1, 6, 66, 0}};
    EXPECT_TRUE(Analyse(1, c.show, c.cancel, c.lowPaper));
    EXPECT_EQ(stMensagemTaa, "");
    EXPECT_EQ(scriptedOperator().Messages().size(), c.messages);
    EXPECT_EQ(printer.cancelCalls, c.cancelations);
  }
  const Strings log = DebugLogTexts();
  EXPECT_EQ(Strings(log.begin(), log.begin() + 3),
            (Strings{"Daruma_FI_AbreCupom", "ERRO!!! " + Cp("Impressora fiscal com pouco papel."),
                     "ERRO!!! Cupom aberto."}));
}

TEST_F(LegacyAnalysisTest, CancellationOfTheOpenReceiptIsAnalysedSilently) {
  printer.statuses = {{1, 6, 2, 0}};
  printer.cancelCode = -1;
  EXPECT_TRUE(Analyse(1, /*show=*/true, /*cancel=*/true));
  EXPECT_EQ(printer.cancelCalls, 1);
  EXPECT_EQ(printer.statusCalls, 2);
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_EQ(stMensagemTaa, Cp(" Erro de execução na função."));
}

TEST_F(LegacyAnalysisTest, FailedStatusReadOrNakStopsBeforeTheStatusBytes) {
  struct Case {
    LegacyPrinter::Status status;
    const char* line;
  };
  const Case cases[] = {{{0, 6, 128, 1}, "ERRO!!! Ret recebido"},
                        {{1, 21, 128, 1}, "ERRO!!! NAK recebido"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    stMensagemTaa.clear();
    printer.statuses = {c.status};
    EXPECT_FALSE(Analyse(1, /*show=*/false));
    EXPECT_EQ(stMensagemTaa, Cp(" Impressora fiscal com erro."));
    EXPECT_EQ(DebugLogTexts().back(), c.line);
  }
}

TEST_F(LegacyAnalysisTest, UnsetEntryPointReportsPrinterErrorWithoutCrashing) {
  using Reset = void (*)();
  const Reset unsetters[] = {[] { Daruma_FI_RetornoImpressora = nullptr; },
                             [] { Daruma_TEF_TravarTeclado = nullptr; },
                             [] { Daruma_FI_CancelaCupom = nullptr; }};
  for (Reset unset : unsetters) {
    stMensagemTaa.clear();
    scriptedOperator().Clear();
    Daruma_FI_RetornoImpressora = &FakePrinterStatus;
    Daruma_TEF_TravarTeclado = &FakeLockKeyboard;
    Daruma_FI_CancelaCupom = &FakeCancelReceipt;
    unset();
    EXPECT_FALSE(Analyse(1, /*show=*/true));
    EXPECT_EQ(stMensagemTaa, Cp(" Impressora fiscal com erro."));
    EXPECT_EQ(scriptedOperator().Messages().size(), 1u);
    EXPECT_EQ(DebugLogTexts().back(), "ERRO!!! " + Cp("Impressora fiscal com erro."));
  }
}

}  // namespace
