// The desk controls of simControl_Daruma: power, port, clock, refused
// commands, status codes, paper, line speed and reset.
#include <chrono>
#include <cmath>
#include <ctime>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

#include "sim_fixture.h"

namespace Tov00300::simtest {
namespace {

class FaultTest : public SimTest {
 protected:
  // Printer clock minus the computer's, in minutes.
  long long ClockDifferenceMinutes() {
    char date[9] = "        ";
    char time[7] = "      ";
    EXPECT_EQ(Sim().rDataHoraImpressora_ECF_Daruma(date, time), 1);
    std::tm printer{};
    printer.tm_mday = std::stoi(std::string(date, 2));
    printer.tm_mon = std::stoi(std::string(date + 2, 2)) - 1;
    printer.tm_year = std::stoi(std::string(date + 4, 4)) - 1900;
    printer.tm_hour = std::stoi(std::string(time, 2));
    printer.tm_min = std::stoi(std::string(time + 2, 2));
    printer.tm_sec = std::stoi(std::string(time + 4, 2));
    printer.tm_isdst = -1;
    double seconds = std::difftime(std::mktime(&printer), std::time(nullptr));
    return std::llround(seconds / 60.0);
  }
};

TEST_F(FaultTest, PowerOffAnswersAsAPrinterThatIsOff) {
  Driver& d = Sim();
  ASSERT_EQ(Control("power off"), 1);
  EXPECT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 0);
  EXPECT_EQ(d.iLeituraX_ECF_Daruma(), 0);
  EXPECT_EQ(d.rVerificarImpressoraLigada_ECF_Daruma(), -6);
  EXPECT_EQ(d.eBuscarPortaVelocidade_ECF_Daruma(), -6);
  int error = 0;
  int warning = 0;
  EXPECT_EQ(d.rStatusUltimoCmdInt_ECF_Daruma(&error, &warning), 0);
  // The library's own calls still work.
  EXPECT_EQ(d.eAbrirSerial_Daruma("COM1", "115200"), 1);
  EXPECT_EQ(d.eDefinirProduto_Daruma("ECF"), 1);
  ASSERT_EQ(Control("power on"), 1);
  EXPECT_EQ(d.rVerificarImpressoraLigada_ECF_Daruma(), 1);
  EXPECT_EQ(Info(26, 6), "000000");
}

TEST_F(FaultTest, PortBusyRefusesOnlyTheNextOpening) {
  ASSERT_EQ(Control("port busy"), 1);
  EXPECT_EQ(Sim().eAbrirSerial_Daruma("COM1", "115200"), -107);
  EXPECT_EQ(Sim().eFecharSerial_Daruma(), 1);
  EXPECT_EQ(Sim().eAbrirSerial_Daruma("COM1", "115200"), 1);
}

TEST_F(FaultTest, ClockOffsets) {
  const struct {
    const char* command;
    long long minutes;
  } kCases[] = {{"clock +16m", 16},
                {"clock -15m", -15},
                {"clock +1h5m", 65},
                {"clock 0", 0},
                {"clock +1d", 1440}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.command);
    ASSERT_EQ(Control(c.command), 1);
    EXPECT_NEAR(ClockDifferenceMinutes(), c.minutes, 1);
  }
  for (const char* bad : {"clock 16", "clock +", "clock +5x", "clock +m"}) {
    EXPECT_EQ(Control(bad), -2) << bad;
  }
}

TEST_F(FaultTest, InjectedFailuresAnswerWithoutActing) {
  Driver& d = Sim();
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(Control("fail iCFVender_ECF_Daruma -6 once"), 1);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "X"), -6);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "X"), 1);
  ASSERT_EQ(Control("fail iCFCancelarUltimoItem_ECF_Daruma -28 2"), 1);
  EXPECT_EQ(d.iCFCancelarUltimoItem_ECF_Daruma(), -28);
  EXPECT_EQ(d.iCFCancelarUltimoItem_ECF_Daruma(), -28);
  EXPECT_EQ(d.iCFCancelarUltimoItem_ECF_Daruma(), 1);
  ASSERT_EQ(Control("fail iCFTotalizarCupom_ECF_Daruma 0 always"), 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(d.iCFTotalizarCupom_ECF_Daruma("D$", "0"), 0);
  ASSERT_EQ(Control("fail iCFTotalizarCupom_ECF_Daruma off"), 1);
  EXPECT_EQ(d.iCFTotalizarCupom_ECF_Daruma("D$", "0"), -1);  // no item left
  EXPECT_EQ(Control("fail NoSuchFunction -1 once"), -2);
  EXPECT_EQ(Control("fail iCFVender_ECF_Daruma x once"), -2);
  EXPECT_EQ(Control("fail iCFVender_ECF_Daruma -1 sometimes"), -2);
}

TEST_F(FaultTest, AnArmedFailureWaitsForItsTurn) {
  Driver& d = Sim();
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  // The third item is refused, then items sell again.
  ASSERT_EQ(Control("fail iCFVender_ECF_Daruma -1 once after 2"), 1);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "A"), 1);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "B"), 1);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "C"), -1);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "D"), 1);
  // "after" works with a count of its own.
  ASSERT_EQ(Control("fail iCFVender_ECF_Daruma -28 2 after 1"), 1);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "E"), 1);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "F"), -28);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "F"), -28);
  EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "F"), 1);
  EXPECT_EQ(Control("fail iCFVender_ECF_Daruma -1 after 0"), 1);
  for (const char* bad :
       {"fail iCFVender_ECF_Daruma -1 once after", "fail iCFVender_ECF_Daruma -1 after x",
        "fail iCFVender_ECF_Daruma -1 once later 2", "fail iCFVender_ECF_Daruma -1 once after 1 2"})
    EXPECT_EQ(Control(bad), -2) << bad;
}

// An injected failure did not take effect, and the last-command status says
// so; a lost reply took effect, and only the answer is -28.
TEST_F(FaultTest, InjectedFailureStatusAndLostReplies) {
  Driver& d = Sim();
  ASSERT_EQ(Control("fail iCFAbrirPadrao_ECF_Daruma -13 once"), 1);
  EXPECT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), -13);
  EXPECT_EQ(Status().first, 33);
  EXPECT_EQ(Info(56, 1), "0");
  ASSERT_EQ(Control("lose-reply iCFAbrirPadrao_ECF_Daruma once"), 1);
  EXPECT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), -28);
  EXPECT_EQ(Status().first, 0);
  EXPECT_EQ(Info(56, 1), "1");
  ASSERT_EQ(Control("lose-reply iCFVender_ECF_Daruma 2"), 1);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "X"), i < 2 ? -28 : 1);
  }
  ASSERT_EQ(Control("lose-reply iCFCancelarUltimoItem_ECF_Daruma always"), 1);
  ASSERT_EQ(Control("lose-reply iCFCancelarUltimoItem_ECF_Daruma off"), 1);
  EXPECT_EQ(d.iCFCancelarUltimoItem_ECF_Daruma(), 1);
  EXPECT_EQ(Control("lose-reply NoSuchFunction once"), -2);
  EXPECT_EQ(Control("lose-reply iCFVender_ECF_Daruma sometimes"), -2);
  d.iCFTotalizarCupom_ECF_Daruma("D$", "0");
  d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "2,00");
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma(""), 1);
  // Three items reached the receipt (the grand total counts the cancelled one).
  EXPECT_EQ(Info(1, 18), "000000000000000300");
}

// One printer, one user: while a process keeps the port open, another
// process's port opening answers -107 and everything else it sends goes
// unanswered, as over a port it does not hold: nothing of it reaches the
// first process's receipt or files. Once the first closes, the next one sees
// what the first sold.
TEST_F(FaultTest, SecondProcessFindsThePortBusy) {
  Driver& d = Sim();
  ASSERT_EQ(d.eFecharSerial_Daruma(), 1);
  int toChild[2], toParent[2];
  ASSERT_EQ(pipe(toChild), 0);
  ASSERT_EQ(pipe(toParent), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    char go = 0;
    bool ok = d.eAbrirSerial_Daruma("COM1", "115200") == 1 && d.iCFAbrirPadrao_ECF_Daruma() == 1 &&
              d.iCFVender_ECF_Daruma("I18,00", "1", "2,00", "", "", "1", "UN", "PRIMEIRO") == 1;
    if (write(toParent[1], "x", 1) != 1) _exit(2);
    if (read(toChild[0], &go, 1) != 1) _exit(2);
    ok = ok && d.iCFTotalizarCupom_ECF_Daruma("D$", "0") == 1 &&
         d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "2,00") == 1 &&
         d.iCFEncerrarConfigMsg_ECF_Daruma("") == 1;
    d.eFecharSerial_Daruma();
    _exit(ok ? 0 : 1);
  }
  char ready = 0;
  ASSERT_EQ(read(toParent[0], &ready, 1), 1);
  EXPECT_EQ(d.eAbrirSerial_Daruma("COM1", "115200"), -107);
  char reply[8] = "-------";
  const struct {
    const char* what;
    std::function<int()> call;
    int answer;
  } kOthers[] = {
      {"item", [&] { return d.iCFVender_ECF_Daruma("F1", "1", "9", "", "", "2", "UN", "OUTRO"); },
       0},
      {"Z", [&] { return d.iReducaoZ_ECF_Daruma("", ""); }, 0},
      {"register", [&] { return d.rRetornarInformacao_ECF_Daruma("26", reply); }, 0},
      {"probe", [&] { return d.rVerificarImpressoraLigada_ECF_Daruma(); }, -6},
      {"reset", [&] { return Control("reset"); }, -107},
      {"reload", [&] { return Control("reload"); }, -107},
  };
  for (const auto& other : kOthers) EXPECT_EQ(other.call(), other.answer) << other.what;
  EXPECT_STREQ(reply, "-------");
  ASSERT_EQ(write(toChild[1], "x", 1), 1);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(d.eAbrirSerial_Daruma("COM1", "115200"), 1);
  EXPECT_EQ(Info(1, 18), "000000000000000200");
  EXPECT_EQ(Status().first, 0);
  const std::string tape = ReadDriverFile("bobina.txt");
  EXPECT_NE(tape.find("PRIMEIRO"), std::string::npos) << tape;
  EXPECT_EQ(tape.find("OUTRO"), std::string::npos) << tape;
  for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) close(fd);
}

// Fields printed on one line cannot start a line of their own.
TEST_F(FaultTest, ControlCharactersInOneLineFieldsAreBlanked) {
  Driver& d = Sim();
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(
      d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "7\r8", "U\n", "Leite\nTOTAL R$ 0,00"), 1);
  d.iCFTotalizarCupom_ECF_Daruma("D$", "0");
  d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "1,00");
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma(""), 1);
  std::string tape = ReadDriverFile("bobina.txt");
  EXPECT_NE(tape.find("7 8 Leite TOTAL R$ 0,00"), std::string::npos) << tape;
  EXPECT_EQ(tape.find("\nTOTAL R$ 0,00"), std::string::npos) << tape;
}

TEST_F(FaultTest, StatusCodesOfTheNextCommand) {
  ASSERT_EQ(Control("status 7 -2"), 1);
  EXPECT_EQ(Info(26, 6), "000000");
  EXPECT_EQ(Status(), std::make_pair(7, -2));
  EXPECT_EQ(Status(), std::make_pair(7, -2));  // the status query is not a command
  Info(26, 6);
  EXPECT_EQ(Status(), std::make_pair(0, 0));
  ASSERT_EQ(Control("paper low"), 1);
  Info(26, 6);
  EXPECT_EQ(Status(), std::make_pair(0, 1));
  std::string text = Guarded(
      200, [](char* b) { return Sim().eInterpretarAviso_ECF_Daruma(1, b); }, nullptr);
  EXPECT_EQ(text.substr(0, 11), "Pouco papel");
  ASSERT_EQ(Control("paper ok"), 1);
  Info(26, 6);
  EXPECT_EQ(Status(), std::make_pair(0, 0));
}

// Aimed at an entry point, the status waits for its next call: the register
// reads a caller makes first keep their own status.
TEST_F(FaultTest, StatusCodesAimedAtOneEntryPoint) {
  ASSERT_EQ(Control("status 7 -2 iCFAbrirPadrao_ECF_Daruma"), 1);
  Info(26, 6);
  EXPECT_EQ(Status(), std::make_pair(0, 0));
  ASSERT_EQ(Sim().iCFAbrirPadrao_ECF_Daruma(), 1);
  EXPECT_EQ(Status(), std::make_pair(7, -2));
  Info(26, 6);
  EXPECT_EQ(Status(), std::make_pair(0, 0)) << "once";
  for (const char* bad : {"status 7 -2 iCFAbrir", "status 7 -2 iCFAbrirPadrao_ECF_Daruma x"})
    EXPECT_EQ(Control(bad), -2) << bad;
}

TEST_F(FaultTest, FiscalMemoryNearlyFullWarnsAndAFullOneRefuses) {
  Driver& d = Sim();
  ASSERT_EQ(Control("memory 31"), 1);
  Info(26, 6);
  EXPECT_EQ(Status(), std::make_pair(0, 0));
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);  // 30 reductions left
  Info(26, 6);
  EXPECT_EQ(Status(), std::make_pair(0, -2));
  // The fiscal memory warning outranks paper low.
  ASSERT_EQ(Control("paper low"), 1);
  Info(26, 6);
  EXPECT_EQ(Status(), std::make_pair(0, -2));
  ASSERT_EQ(Control("memory 1"), 1);
  EXPECT_EQ(d.iReducaoZ_ECF_Daruma("", ""), -1);
  EXPECT_EQ(Status().first, 31);
  EXPECT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), -1);
  EXPECT_EQ(Status().first, 31);
  EXPECT_EQ(Info(24, 4), "0001");
}

TEST_F(FaultTest, DrawerAndDaylightSaving) {
  Driver& d = Sim();
  int state = -1;
  ASSERT_EQ(d.rStatusGaveta_ECF_Daruma(&state), 1);
  EXPECT_EQ(state, 0);
  ASSERT_EQ(d.eAbrirGaveta_ECF_Daruma(), 1);
  ASSERT_EQ(d.rStatusGaveta_ECF_Daruma(&state), 1);
  EXPECT_EQ(state, 1);
  ASSERT_EQ(Control("drawer closed"), 1);  // the operator pushes it shut
  ASSERT_EQ(d.rStatusGaveta_ECF_Daruma(&state), 1);
  EXPECT_EQ(state, 0);
  // Daylight saving moves the printer clock an hour, and back.
  ASSERT_EQ(d.confHabilitarHorarioVerao_ECF_Daruma(), 1);
  EXPECT_NEAR(ClockDifferenceMinutes(), 60, 1);
  EXPECT_EQ(d.confHabilitarHorarioVerao_ECF_Daruma(), -1);
  EXPECT_EQ(Status().first, 25);
  ASSERT_EQ(d.confDesabilitarHorarioVerao_ECF_Daruma(), 1);
  EXPECT_NEAR(ClockDifferenceMinutes(), 0, 1);
}

TEST_F(FaultTest, LineSpeedDelaysEveryCall) {
  ASSERT_EQ(Control("line 115200"), 1);
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) Info(3, 364);
  auto took = std::chrono::steady_clock::now() - start;
  // 5 x (364 + frame) bytes at 10 bits per byte and 115200 bit/s: over 0,15 s.
  EXPECT_GT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 150);
  ASSERT_EQ(Control("line off"), 1);
  EXPECT_EQ(Control("line fast"), -2);
}

TEST_F(FaultTest, ResetGivesAFreshPrinterAndUnknownCommandsAreRefused) {
  SellReceipt({"3,00"});
  ASSERT_EQ(Control("power off"), 1);
  ASSERT_EQ(Control("reset"), 1);
  EXPECT_EQ(Sim().rVerificarImpressoraLigada_ECF_Daruma(), 1);
  EXPECT_EQ(Info(26, 6), "000000");
  EXPECT_EQ(Info(1, 18), std::string(18, '0'));
  EXPECT_EQ(RateList().substr(0, 24), "T1800;T1200;T0700;S0500;");
  for (const char* bad : {"", "explode", "power maybe", "paper", "status 1", "durability max"}) {
    EXPECT_EQ(Control(bad), -2) << bad;
  }
  EXPECT_EQ(Control("durability sync"), 1);
  EXPECT_EQ(Control("durability off"), 1);
}

}  // namespace
}  // namespace Tov00300::simtest
