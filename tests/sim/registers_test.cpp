// Every register and list the package reads: exact width, never a byte past
// it, and the layout the package parses.
#include <algorithm>

#include "sim_fixture.h"

namespace Tov00300::simtest {
namespace {

class RegisterTest : public SimTest {};

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

TEST_F(RegisterTest, EveryRegisterAnswersInItsWidth) {
  SellReceipt({"1,99", "2,01"});
  ASSERT_EQ(Sim().iReducaoZ_ECF_Daruma("010226", "090503"), 1);
  SellReceipt({"3,00"});
  const struct {
    int index;
    size_t width;
    bool digits;
  } kRegisters[] = {
      {1, 18, true},  {2, 18, true},   {3, 364, true},  {6, 260, true}, {8, 13, true},
      {9, 247, true}, {11, 13, true},  {12, 13, true},  {13, 13, true}, {23, 3, true},
      {24, 4, true},  {26, 6, true},   {28, 6, true},   {30, 6, true},  {33, 6, true},
      {45, 4, true},  {53, 4, true},   {56, 1, true},   {70, 8, true},  {78, 20, false},
      {79, 7, false}, {80, 20, false}, {81, 20, false}, {107, 3, true}, {140, 1164, false}};
  for (const auto& r : kRegisters) {
    SCOPED_TRACE(r.index);
    int code = 0;
    std::string reply = Info(r.index, r.width, &code);
    EXPECT_EQ(code, 1);
    if (r.digits) {
      EXPECT_TRUE(AllDigits(reply)) << reply;
    }
    EXPECT_NE(reply.find_first_not_of(' '), std::string::npos);
  }
  EXPECT_EQ(Info(1, 18), "000000000000000700");
  EXPECT_EQ(Info(2, 18), "000000000000000400");
  EXPECT_EQ(Info(24, 4), "0001");
  EXPECT_EQ(Info(23, 3), "001");
  EXPECT_EQ(Info(107, 3), "001");
  EXPECT_EQ(Info(56, 1), "0");
}

TEST_F(RegisterTest, LastReductionRecordLayout) {
  SellReceipt({"10,00"});
  Driver& d = Sim();
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("F1", "1", "2,00", "D$", "0,50", "9", "UN", "X"), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I1", "1", "3,00", "", "", "9", "UN", "X"), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("N1", "1", "4,00", "", "", "9", "UN", "X"), 1);
  ASSERT_EQ(d.iCFTotalizarCupom_ECF_Daruma("A$", "0"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "10"), 1);
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma(""), 1);
  std::string date = Info(70, 8);
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);
  std::string z = Info(140, 1164);
  ASSERT_EQ(z.size(), 1164u);
  EXPECT_EQ(z.find(' '), std::string::npos);  // no blanks to be trimmed away
  EXPECT_EQ(z.substr(0, 8), date);
  EXPECT_EQ(std::stoll(z.substr(8, 18)), 1000 + 900);
  EXPECT_EQ(std::stoll(z.substr(26, 18)), 0);
  EXPECT_EQ(std::stoll(z.substr(72, 14)), 50);           // discounts ICMS
  EXPECT_EQ(std::stoll(z.substr(128, 14)), 1000);        // slot 1
  EXPECT_EQ(std::stoll(z.substr(352, 14)), 150);         // substitution
  EXPECT_EQ(std::stoll(z.substr(380, 14)), 300);         // exempt
  EXPECT_EQ(std::stoll(z.substr(408, 14)), 400);         // no incidence
  EXPECT_EQ(z.substr(842, 20), "T1800T1200T0700S0500");  // rate entries
  EXPECT_EQ(z.substr(922, 4), "0001");                   // CRZ
  EXPECT_EQ(z.substr(926, 4), "0001");                   // CRO
  EXPECT_EQ(z.substr(934, 6), "000003");                 // COO of the Z
  EXPECT_EQ(z.substr(978, 4), "0001");                   // ECF number
}

TEST_F(RegisterTest, ListsHaveTheFormsThePackageParses) {
  std::string rates = RateList();
  EXPECT_EQ(rates, "T1800;T1200;T0700;S0500;" + std::string(150 - 24, ' '));
  std::string methods = PaymentList();
  EXPECT_EQ(methods.substr(0, 51),
            "Dinheiro;Cheque;Cartao Credito;Cartao Debito;" + std::string(6, ' '));
  EXPECT_EQ(methods.size(), 330u);
  std::string totalizers = TotalizerList();
  EXPECT_EQ(totalizers.substr(0, 19), "Sangria;Suprimento;");
  EXPECT_EQ(totalizers.size(), 360u);
  // A full payment table still fits: whole names only, never past 330.
  for (int i = 5; i <= 20; ++i) {
    std::string name = "Forma de pgto " + std::string(i < 10 ? "0" : "") + std::to_string(i);
    ASSERT_EQ(Sim().confCadastrarPadrao_ECF_Daruma("FPGTO", name.c_str()), 1);
  }
  methods = PaymentList();
  EXPECT_EQ(methods.back() == ' ' || methods.back() == ';', true);
  EXPECT_EQ(methods.substr(methods.find_last_not_of(' '), 1), ";");
}

TEST_F(RegisterTest, ClockAndTextRepliesKeepTheirWidths) {
  std::vector<char> d(8 + 1 + 32, '#');
  std::vector<char> t(6 + 1 + 32, '#');
  ASSERT_EQ(Sim().rDataHoraImpressora_ECF_Daruma(d.data(), t.data()), 1);
  EXPECT_TRUE(AllDigits(std::string(d.data(), 8)));
  EXPECT_TRUE(AllDigits(std::string(t.data(), 6)));
  EXPECT_EQ(d[8], '\0');
  EXPECT_EQ(t[6], '\0');
  EXPECT_EQ(d[9], '#');
  EXPECT_EQ(t[7], '#');
  for (int code : {0, 1, 2, 3, 14, 31, 99}) {
    std::string text = ErrorText(code);
    EXPECT_NE(text.find_first_not_of(' '), std::string::npos) << code;
  }
  std::string folder = Guarded(
      100,
      [](char* b) {
        return Sim().regRetornaValorChave_DarumaFramework("START", "LocalArquivos", b);
      },
      nullptr);
  while (!folder.empty() && folder.back() == ' ') folder.pop_back();
  EXPECT_EQ(folder, DriverFolder());
}

TEST_F(RegisterTest, LastReductionRecordIsRefusedBeforeTheFirstZ) {
  int code = 0;
  Info(140, 1164, &code);
  EXPECT_EQ(code, -1);
  EXPECT_EQ(Status(), std::make_pair(32, 0));
}

}  // namespace
}  // namespace Tov00300::simtest
