// The fiscal memory survives reloads, torn records and a process killed at
// any moment: it reloads the state of the last completed command.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "sim_fixture.h"

namespace Tov00300::simtest {
namespace {

class PersistenceTest : public SimTest {
 protected:
  // Everything the package can read back.
  std::string Answers() {
    std::string all;
    for (auto [index, width] : std::vector<std::pair<int, size_t>>{{1, 18},
                                                                   {2, 18},
                                                                   {3, 364},
                                                                   {6, 260},
                                                                   {8, 13},
                                                                   {9, 247},
                                                                   {11, 13},
                                                                   {12, 13},
                                                                   {13, 13},
                                                                   {24, 4},
                                                                   {26, 6},
                                                                   {28, 6},
                                                                   {30, 6},
                                                                   {33, 6},
                                                                   {45, 4},
                                                                   {53, 4},
                                                                   {56, 1},
                                                                   {70, 8},
                                                                   {140, 1164}}) {
      all += std::to_string(index) + "=" + Info(index, width) + "\n";
    }
    return all + RateList() + PaymentList() + TotalizerList();
  }

  void AppendBytes(const std::string& name, const std::string& bytes) {
    std::ofstream out(DriverFolder() + name, std::ios::binary | std::ios::app);
    out << bytes;
  }

  long long FileSize(const std::string& name) {
    return static_cast<long long>(std::filesystem::file_size(DriverFolder() + name));
  }
};

TEST_F(PersistenceTest, ReloadGivesTheSameAnswers) {
  Driver& d = Sim();
  ASSERT_EQ(d.confCadastrarPadrao_ECF_Daruma("FPGTO", "Vale Refeicao"), 1);
  SellReceipt({"10,00", "2,50"});
  ASSERT_EQ(d.iSangria_ECF_Daruma("5,00", "Sangria de 5,00"), 1);
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);  // a snapshot
  SellReceipt({"7,00"}, "Vale Refeicao");        // journal after it
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);   // a receipt left open
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I07,00", "2", "3,00", "D$", "1,00", "1", "UN", "X"), 1);
  std::string before = Answers();
  ASSERT_EQ(Control("reload"), 1);
  EXPECT_EQ(Answers(), before);
  // The open receipt goes on after the reload.
  ASSERT_EQ(d.iCFTotalizarCupom_ECF_Daruma("D$", "0"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "5,00"), 1);
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma(""), 1);
  before = Answers();
  ASSERT_EQ(Control("reload"), 1);
  EXPECT_EQ(Answers(), before);
}

TEST_F(PersistenceTest, TruncatedTrailingRecordIsIgnored) {
  SellReceipt({"10,00"});
  std::string before = Answers();
  long long journal = FileSize("sim_diario.bin");
  // Half a record: a length, a checksum and some of the payload.
  AppendBytes("sim_diario.bin", std::string("\x40\x00\x00\x00\x12\x34\x56\x78half", 12));
  AppendBytes("sim_mfd.bin", "torn document");
  AppendBytes("bobina.txt", "torn print");
  ASSERT_EQ(Control("reload"), 1);
  EXPECT_EQ(Answers(), before);
  EXPECT_EQ(FileSize("sim_diario.bin"), journal);
  // New records after the cut are read back too.
  SellReceipt({"1,00"});
  before = Answers();
  ASSERT_EQ(Control("reload"), 1);
  EXPECT_EQ(Answers(), before);
  EXPECT_EQ(std::stoll(Info(1, 18)), 1100);
}

// Only a record cut short is what a killed process leaves; any other damage
// is refused until the technician's reset, and the printer's log names the
// file and the offset. Nothing of the day is dropped silently.
TEST_F(PersistenceTest, DamagedMemoryIsRefusedUntilReset) {
  auto flip = [this](const char* name, long long offset) {
    std::fstream f(DriverFolder() + name, std::ios::in | std::ios::out | std::ios::binary);
    offset < 0 ? f.seekg(offset, std::ios::end) : f.seekg(offset);
    char c = 0;
    f.get(c);
    offset < 0 ? f.seekp(offset, std::ios::end) : f.seekp(offset);
    f.put(static_cast<char>(c ^ 0x5a));
  };
  auto cut = [this](const char* name, long long keep) {
    std::filesystem::resize_file(DriverFolder() + name, keep);
  };
  // The journal cut at the start of its n-th record from the end: whole
  // records gone, none torn, which no kill leaves.
  auto dropRecords = [this, &cut](int n) {
    const std::string journal = ReadDriverFile("sim_diario.bin");
    std::vector<long long> starts;
    for (size_t at = 0; at + 8 <= journal.size();) {
      starts.push_back(static_cast<long long>(at));
      uint32_t length = 0;
      for (int i = 3; i >= 0; --i)
        length = (length << 8) | static_cast<unsigned char>(journal[at + i]);
      at += 8 + length;
    }
    ASSERT_GE(starts.size(), static_cast<size_t>(n));
    cut("sim_diario.bin", starts[starts.size() - n]);
  };
  const struct {
    const char* what;
    std::function<void()> damage;
    const char* logged;
  } kCases[] = {
      {"a flipped byte in the first journal record", [&] { flip("sim_diario.bin", 12); },
       "sim_diario.bin, posição 0:"},
      {"a whole last journal record with a bad checksum", [&] { flip("sim_diario.bin", -1); },
       "sim_diario.bin, posição"},
      {"the journal gone while documents are printed",
       [&] { std::filesystem::remove(DriverFolder() + "sim_diario.bin"); }, "sim_mfd.bin"},
      {"a flipped byte in the first document", [&] { flip("sim_mfd.bin", 20); },
       "sim_mfd.bin, posição 0:"},
      {"a detail memory shorter than committed", [&] { cut("sim_mfd.bin", 30); },
       "sim_mfd.bin, posição 30:"},
      {"a tape shorter than committed", [&] { cut("bobina.txt", 10); }, "bobina.txt, posição 10:"},
      {"a changed byte inside the tape", [&] { flip("bobina.txt", 100); },
       "bobina.txt, posição 100:"},
      {"the journal's last record cut off whole", [&] { dropRecords(1); },
       "sim_diario.bin, posição"},
      {"the journal's last receipt cut off whole", [&] { dropRecords(5); },
       "sim_diario.bin, posição"},
      {"a changed byte in the commit record", [&] { flip("sim_confirmado.bin", 9); },
       "sim_confirmado.bin, posição 0:"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    UseFreshFolders();
    for (const char* price : {"1,00", "1,02", "1,04"}) SellReceipt({price});
    ASSERT_EQ(Info(1, 18), "000000000000000306");
    c.damage();
    ASSERT_EQ(Control("reload"), 1);
    EXPECT_EQ(Sim().iCFAbrirPadrao_ECF_Daruma(), -1);
    EXPECT_EQ(Status().first, 28);
    int code = 0;
    Info(1, 18, &code);
    EXPECT_EQ(code, -1);
    std::string log = ReadDriverFile("sim_log.txt");
    EXPECT_NE(log.find(c.logged), std::string::npos) << log;
    ASSERT_EQ(Control("reset"), 1);
    EXPECT_EQ(Sim().iCFAbrirPadrao_ECF_Daruma(), 1);
  }
}

// A report read over a detail memory damaged after loading answers an error
// instead of a file that leaves documents out.
TEST_F(PersistenceTest, ReportOverDamagedDetailMemoryIsRefused) {
  for (const char* price : {"1,00", "1,02", "1,04"}) SellReceipt({price});
  std::fstream f(DriverFolder() + "sim_mfd.bin", std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(20);
  f.put('\x01');
  f.close();
  EXPECT_EQ(Sim().rGerarEspelhoMFD_ECF_Daruma("2", "000001", "000003"), -1);
  EXPECT_EQ(Status().first, 28);
  EXPECT_EQ(Sim().rGerarRelatorio_ECF_Daruma("MFD", "COO", "000001", "000003"), -1);
  EXPECT_FALSE(std::filesystem::exists(DriverFolder() + "Espelho_MFD.txt"));
  EXPECT_NE(ReadDriverFile("sim_log.txt").find("sim_mfd.bin, posição 0:"), std::string::npos);
}

TEST_F(PersistenceTest, DamagedSnapshotIsNeverReadAsData) {
  Driver& d = Sim();
  SellReceipt({"10,00"});
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);
  std::string path = DriverFolder() + "sim_estado.bin";
  std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(40);
  f.put('\x5a');
  f.close();
  ASSERT_EQ(Control("reload"), 1);
  // The printer does not guess at a fiscal memory it cannot read: documents
  // and registers are refused until the technician's reset.
  EXPECT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), -1);
  EXPECT_EQ(Status().first, 28);
  int code = 0;
  Info(1, 18, &code);
  EXPECT_EQ(code, -1);
  EXPECT_EQ(Status().first, 28);
  std::string rates = Guarded(
      150, [](char* b) { return Sim().rLerAliquotas_ECF_Daruma(b); }, &code);
  EXPECT_EQ(code, -1);
  EXPECT_EQ(rates, std::string(150, ' '));
  ASSERT_EQ(Control("reset"), 1);
  EXPECT_EQ(Info(1, 18), std::string(18, '0'));
  EXPECT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
}

TEST_F(PersistenceTest, FirstStartRegistersTheDriverFolder) {
  std::ifstream in(root_ + "/registry.ini");
  std::string ini((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(ini.find("LocalArquivos=" + DriverFolder()), std::string::npos) << ini;
  // A folder named in the registry is used at the next port opening.
  std::string other = root_ + "/elsewhere/";
  std::filesystem::create_directories(other);
  {
    std::ofstream out(root_ + "/registry.ini");
    out << "[Software\\DarumaFramework]\nLocalArquivos=" << other << "\n";
  }
  ASSERT_EQ(Sim().eAbrirSerial_Daruma("COM1", "115200"), 1);
  SellReceipt({"1,00"});
  EXPECT_TRUE(std::filesystem::exists(other + "sim_diario.bin"));
  EXPECT_TRUE(std::filesystem::exists(other + "bobina.txt"));
}

// Runs receipts in a child until it is killed at a random moment, then
// checks in the parent that the reloaded state is a completed prefix: the
// totals balance, and every receipt finished is printed once and counted
// whole, or not at all.
TEST_F(PersistenceTest, KilledProcessLeavesALoadableState) {
  ASSERT_EQ(Control("durability on"), 1);
  unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  auto count = [](const std::string& text, const std::string& what) {
    long long n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Driver& d = Sim();
      d.simControl_Daruma("reload");
      char state[2] = " ";
      d.rRetornarInformacao_ECF_Daruma("56", state);
      if (state[0] == '1') d.iCFCancelar_ECF_Daruma();  // a receipt left open by the last kill
      for (;;) {
        d.iCFAbrirPadrao_ECF_Daruma();
        for (int i = 0; i < 3; ++i) {
          d.iCFVender_ECF_Daruma("I18,00", "1", "0,50", "", "", "1", "UN", "X");
        }
        d.iCFCancelarUltimoItem_ECF_Daruma();
        d.iCFTotalizarCupom_ECF_Daruma("D$", "0");
        d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "1,00");
        d.iCFEncerrarConfigMsg_ECF_Daruma("ok");
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 200));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(Control("reload"), 1);
    long long gt = std::stoll(Info(1, 18));
    long long cancellations = std::stoll(Info(13, 13));
    long long discounts = std::stoll(Info(11, 13));
    std::string taxes = Info(3, 364);
    long long taxed = 0;
    for (int i = 0; i < 22; ++i) taxed += std::stoll(taxes.substr(13 * i, 13));
    long long cash = std::stoll(Info(6, 260).substr(0, 13));
    long long ccf = std::stoll(Info(30, 6));
    bool open = Info(56, 1) == "1";
    std::ifstream tape(DriverFolder() + "bobina.txt");
    std::string paper((std::istreambuf_iterator<char>(tape)), {});
    long long printed = count(paper, "CUPOM FISCAL\n");
    long long cancelled = count(paper, "CUPOM FISCAL CANCELADO\n");
    EXPECT_EQ(std::stoll(Info(26, 6)), ccf);
    EXPECT_EQ(printed, open ? ccf - 1 : ccf);
    EXPECT_EQ(gt - cancellations - discounts, taxed);
    EXPECT_EQ(cash, taxed);
    EXPECT_EQ(cash, 100 * (printed - cancelled));
    EXPECT_GE(gt, 150 * (printed - cancelled));
  }
}

}  // namespace
}  // namespace Tov00300::simtest
