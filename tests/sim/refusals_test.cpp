// Every command out of order is refused as a fiscal printer refuses it: the
// return code, the last-command error, and nothing changed.
#include <functional>

#include "sim_fixture.h"

namespace Tov00300::simtest {
namespace {

class RefusalTest : public SimTest {};

using Step = std::function<int(Driver&)>;

int OpenWithItem(Driver& d) {
  int r = d.iCFAbrirPadrao_ECF_Daruma();
  return r == 1 ? d.iCFVender_ECF_Daruma("I18,00", "1", "10,00", "A$", "0", "1", "UN", "X") : r;
}
int OpenTotalized(Driver& d) {
  int r = OpenWithItem(d);
  return r == 1 ? d.iCFTotalizarCupom_ECF_Daruma("D$", "0,00") : r;
}
int Paid(Driver& d) {
  int r = OpenTotalized(d);
  return r == 1 ? d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "10,00") : r;
}
int Closed(Driver& d) {
  int r = Paid(d);
  return r == 1 ? d.iCFEncerrarConfigMsg_ECF_Daruma("") : r;
}
int Nothing(Driver&) {
  return 1;
}

struct Case {
  const char* name;
  Step setup;
  Step command;
  int code;
  int error;
};

TEST_F(RefusalTest, OutOfOrderCommandsChangeNothing) {
  const std::vector<Case> cases = {
      {"item without receipt", Nothing,
       [](Driver& d) { return d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "X"); },
       -1, 3},
      {"item after subtotal", OpenTotalized,
       [](Driver& d) { return d.iCFVender_ECF_Daruma("I18,00", "1", "1", "", "", "1", "UN", "X"); },
       -1, 4},
      {"payment before subtotal", OpenWithItem,
       [](Driver& d) { return d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "1"); }, -1, 5},
      {"close before paid", OpenTotalized,
       [](Driver& d) { return d.iCFEncerrarConfigMsg_ECF_Daruma(""); }, -1, 6},
      {"payment after paid", Paid,
       [](Driver& d) { return d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Cheque", "1"); }, -1, 7},
      {"cancel unknown item", OpenWithItem,
       [](Driver& d) { return d.iCFCancelarItem_ECF_Daruma("2"); }, -1, 8},
      {"cancel item twice",
       [](Driver& d) {
         int r = OpenWithItem(d);
         return r == 1 ? d.iCFCancelarUltimoItem_ECF_Daruma() : r;
       },
       [](Driver& d) { return d.iCFCancelarItem_ECF_Daruma("0001"); }, -1, 8},
      {"subtotal without items",
       [](Driver& d) {
         int r = OpenWithItem(d);
         return r == 1 ? d.iCFCancelarItem_ECF_Daruma("1") : r;
       },
       [](Driver& d) { return d.iCFTotalizarCupom_ECF_Daruma("D$", "0"); }, -1, 9},
      {"discount as large as the item", [](Driver& d) { return d.iCFAbrirPadrao_ECF_Daruma(); },
       [](Driver& d) {
         return d.iCFVender_ECF_Daruma("I18,00", "1", "5,00", "D$", "5,00", "1", "UN", "X");
       },
       -1, 10},
      {"discount as large as the subtotal", OpenWithItem,
       [](Driver& d) { return d.iCFTotalizarCupom_ECF_Daruma("D%", "100,00"); }, -1, 10},
      {"rate not programmed", [](Driver& d) { return d.iCFAbrirPadrao_ECF_Daruma(); },
       [](Driver& d) { return d.iCFVender_ECF_Daruma("I19,00", "1", "1", "", "", "1", "UN", "X"); },
       -3, 11},
      {"payment method not programmed", OpenTotalized,
       [](Driver& d) { return d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Vale Refeicao", "10"); },
       -24, 12},
      {"second receipt while one is open", OpenWithItem,
       [](Driver& d) { return d.iCFAbrirPadrao_ECF_Daruma(); }, -1, 2},
      {"report while a receipt is open", OpenWithItem,
       [](Driver& d) { return d.iRGAbrirPadrao_ECF_Daruma(); }, -1, 2},
      {"Z while a receipt is open", OpenWithItem,
       [](Driver& d) { return d.iReducaoZ_ECF_Daruma("", ""); }, -1, 2},
      {"second Z on a day already closed",
       [](Driver& d) {
         int r = Closed(d);
         r = r == 1 ? d.iReducaoZ_ECF_Daruma("", "") : r;
         return r == 1 ? d.iLeituraX_ECF_Daruma() : r;
       },
       [](Driver& d) { return d.iReducaoZ_ECF_Daruma("", ""); }, -1, 35},
      {"X while a report is open", [](Driver& d) { return d.iRGAbrirPadrao_ECF_Daruma(); },
       [](Driver& d) { return d.iLeituraX_ECF_Daruma(); }, -1, 2},
      {"report text without a report", Nothing,
       [](Driver& d) { return d.iRGImprimirTexto_ECF_Daruma("x"); }, -1, 16},
      {"report close without a report", Nothing, [](Driver& d) { return d.iRGFechar_ECF_Daruma(); },
       -1, 16},
      {"report text over 619 characters", [](Driver& d) { return d.iRGAbrirPadrao_ECF_Daruma(); },
       [](Driver& d) { return d.iRGImprimirTexto_ECF_Daruma(std::string(620, 'x').c_str()); }, -2,
       29},
      {"voucher after a cash receipt", Closed,
       [](Driver& d) { return d.iCCDAbrirPadrao_ECF_Daruma(); }, -1, 19},
      {"voucher above the card payment",
       [](Driver& d) {
         int r = OpenTotalized(d);
         r = r == 1 ? d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Cartao Credito", "10,00") : r;
         return r == 1 ? d.iCFEncerrarConfigMsg_ECF_Daruma("") : r;
       },
       [](Driver& d) {
         return d.iCCDAbrirSimplificado_ECF_Daruma("Cartao Credito", "1", "", "11");
       },
       -1, 19},
      {"voucher close without voucher", Nothing,
       [](Driver& d) { return d.iCCDFechar_ECF_Daruma(); }, -1, 17},
      {"receipt cancel on a fresh printer", Nothing,
       [](Driver& d) { return d.iCFCancelar_ECF_Daruma(); }, -1, 18},
      {"receipt cancelled twice",
       [](Driver& d) {
         int r = Closed(d);
         return r == 1 ? d.iCFCancelar_ECF_Daruma() : r;
       },
       [](Driver& d) { return d.iCFCancelar_ECF_Daruma(); }, -1, 18},
      {"non-fiscal cancel with nothing to cancel", Closed,
       [](Driver& d) { return d.iCNFCancelar_ECF_Daruma(); }, -1, 18},
      {"non-fiscal totalizer not programmed",
       [](Driver& d) { return d.iCNFAbrirPadrao_ECF_Daruma(); },
       [](Driver& d) { return d.iCNFReceberSemDesc_ECF_Daruma("09", "1,00"); }, -1, 13},
      {"non-fiscal close before payment",
       [](Driver& d) {
         int r = d.iCNFAbrirPadrao_ECF_Daruma();
         r = r == 1 ? d.iCNFReceberSemDesc_ECF_Daruma("02", "5,00") : r;
         return r == 1 ? d.iCNFTotalizarComprovantePadrao_ECF_Daruma() : r;
       },
       [](Driver& d) { return d.iCNFEncerrarPadrao_ECF_Daruma(); }, -1, 6},
      {"quantity that is no number", [](Driver& d) { return d.iCFAbrirPadrao_ECF_Daruma(); },
       [](Driver& d) {
         return d.iCFVender_ECF_Daruma("I18,00", "um", "1", "", "", "1", "UN", "X");
       },
       -2, 20},
      {"price with four decimals", [](Driver& d) { return d.iCFAbrirPadrao_ECF_Daruma(); },
       [](Driver& d) {
         return d.iCFVender_ECF_Daruma("I18,00", "1", "1,2345", "", "", "1", "UN", "X");
       },
       -2, 20},
      {"consumer document of five digits", Nothing,
       [](Driver& d) { return d.iCFAbrir_ECF_Daruma("12345", "A", "B"); }, -2, 20},
      {"negative withdrawal", Nothing,
       [](Driver& d) { return d.iSangria_ECF_Daruma("-5,00", "x"); }, -2, 20},
      {"withdrawal of more cash than the day took in", Nothing,
       [](Driver& d) { return d.iSangria_ECF_Daruma("0,01", "x"); }, -1, 34},
      {"daylight saving already off", Nothing,
       [](Driver& d) { return d.confDesabilitarHorarioVerao_ECF_Daruma(); }, -1, 25},
      {"rate after the day started", Closed,
       [](Driver& d) { return d.confCadastrarPadrao_ECF_Daruma("ALIQUOTA", "T2500"); }, -1, 24},
      {"payment method registered twice", Nothing,
       [](Driver& d) { return d.confCadastrarPadrao_ECF_Daruma("FPGTO", "DINHEIRO"); }, -1, 22},
      {"unknown registration kind", Nothing,
       [](Driver& d) { return d.confCadastrarPadrao_ECF_Daruma("XYZ", "a"); }, -2, 20},
      {"unknown register", Nothing,
       [](Driver& d) {
         char b[64];
         return d.rRetornarInformacao_ECF_Daruma("999", b);
       },
       -2, 20},
      {"paper out", [](Driver&) { return Sim().simControl_Daruma("paper out"); },
       [](Driver& d) { return d.iCFAbrirPadrao_ECF_Daruma(); }, -1, 23},
      {"surcharge above 100%", OpenWithItem,
       [](Driver& d) { return d.iCFTotalizarCupom_ECF_Daruma("A%", "100,01"); }, -2, 20},
      {"item surcharge of an absurd percentage",
       [](Driver& d) { return d.iCFAbrirPadrao_ECF_Daruma(); },
       [](Driver& d) {
         return d.iCFVender_ECF_Daruma("I18,00", "1", "10,00", "A%", "9999999999999", "1", "UN",
                                       "X");
       },
       -2, 20},
      // Cancelling a closed document prints a new one: refused once the day
      // it belongs to has ended and waits for its Z.
      {"last receipt cancelled after midnight",
       [](Driver& d) {
         int r = Closed(d);
         return r == 1 ? Sim().simControl_Daruma("clock +1d") : r;
       },
       [](Driver& d) { return d.iCFCancelar_ECF_Daruma(); }, -1, 14},
      {"last non-fiscal receipt cancelled after midnight",
       [](Driver& d) {
         int r = d.iCNFAbrirPadrao_ECF_Daruma();
         r = r == 1 ? d.iCNFReceberSemDesc_ECF_Daruma("02", "5,00") : r;
         r = r == 1 ? d.iCNFTotalizarComprovantePadrao_ECF_Daruma() : r;
         r = r == 1 ? d.iCNFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "5,00") : r;
         r = r == 1 ? d.iCNFEncerrarPadrao_ECF_Daruma() : r;
         return r == 1 ? Sim().simControl_Daruma("clock +1d") : r;
       },
       [](Driver& d) { return d.iCNFCancelar_ECF_Daruma(); }, -1, 14},
      {"last receipt cancelled with the paper out",
       [](Driver& d) {
         int r = Closed(d);
         return r == 1 ? Sim().simControl_Daruma("paper out") : r;
       },
       [](Driver& d) { return d.iCFCancelar_ECF_Daruma(); }, -1, 23},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseFreshFolders();
    Driver& d = Sim();
    ASSERT_EQ(c.setup(d), 1);
    std::string before = Info(26, 6) + Info(1, 18) + Info(3, 364) + Info(56, 1);
    EXPECT_EQ(c.command(d), c.code);
    EXPECT_EQ(Status().first, c.error);
    EXPECT_EQ(Info(26, 6) + Info(1, 18) + Info(3, 364) + Info(56, 1), before);
  }
}

TEST_F(RefusalTest, SaleAfterMidnightWaitsForTheZ) {
  Driver& d = Sim();
  SellReceipt({"10,00"});
  std::string day = Info(70, 8);
  ASSERT_EQ(Control("clock +1d"), 1);
  EXPECT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), -1);
  EXPECT_EQ(Status(), std::make_pair(14, -1));
  EXPECT_EQ(d.iRGAbrirPadrao_ECF_Daruma(), -1);
  EXPECT_EQ(d.iSuprimento_ECF_Daruma("1,00", ""), -1);
  // Readings are allowed; the Z closes the previous day.
  EXPECT_EQ(d.iLeituraX_ECF_Daruma(), 1);
  EXPECT_EQ(Status().second, -1);
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);
  EXPECT_EQ(Status(), std::make_pair(0, 0));
  EXPECT_EQ(Info(140, 1164).substr(0, 8), day);
  // The next day starts with the next command.
  SellReceipt({"5,00"});
  EXPECT_NE(Info(70, 8), day);
  EXPECT_EQ(std::stoll(Info(2, 18)), 1000);
}

TEST_F(RefusalTest, VouchersLinkTheCardPaymentsOfTheLastReceipt) {
  Driver& d = Sim();
  // 30,00 paid with 10,00 cash, 12,00 credit card and 8,00 debit card.
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "30,00", "A$", "0,00", "1", "UN", "X"), 1);
  ASSERT_EQ(d.iCFTotalizarCupom_ECF_Daruma("D$", "0"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "10,00"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Cartao Credito", "12,00"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Cartao Debito", "8,00"), 1);
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma(""), 1);
  // Simplified opening: part of the credit card payment, then more than is left.
  ASSERT_EQ(d.iCCDAbrirSimplificado_ECF_Daruma("Cartao Credito", "2", "123", "5.00"), 1);
  ASSERT_EQ(d.iCCDFechar_ECF_Daruma(), 1);
  EXPECT_EQ(d.iCCDAbrirSimplificado_ECF_Daruma("Cartao Credito", "1", "", "7,01"), -1);
  EXPECT_EQ(Status().first, 19);
  EXPECT_EQ(d.iCCDAbrirSimplificado_ECF_Daruma("Vale", "1", "", "1,00"), -24);
  // Standard openings take the card payments not yet covered, last first;
  // the cash payment never gets one.
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(d.iCCDAbrirPadrao_ECF_Daruma(), 1) << i;
    ASSERT_EQ(d.iCCDFechar_ECF_Daruma(), 1);
  }
  EXPECT_EQ(d.iCCDAbrirPadrao_ECF_Daruma(), -1);
  EXPECT_EQ(Status().first, 19);
  EXPECT_EQ(Info(45, 4), "0003");
  std::string tape = ReadDriverFile("bobina.txt");
  EXPECT_NE(tape.find("Cartao Debito"), tape.rfind("Cartao Debito"));
  EXPECT_NE(tape.find("Parcelas:"), std::string::npos);
  // After the Z no receipt of the new day is there to link.
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);
  EXPECT_EQ(d.iCCDAbrirPadrao_ECF_Daruma(), -1);
  EXPECT_EQ(Status().first, 19);
}

TEST_F(RefusalTest, TablesTakeTheNextFreeIndexUpToTheirSize) {
  Driver& d = Sim();
  for (int i = 5; i <= 20; ++i) {
    std::string name = "Forma " + std::to_string(i);
    ASSERT_EQ(d.confCadastrarPadrao_ECF_Daruma("FPGTO", name.c_str()), 1) << name;
  }
  EXPECT_EQ(d.confCadastrarPadrao_ECF_Daruma("FPGTO", "Forma 21"), -1);
  EXPECT_EQ(Status().first, 21);
  // A name is cut to 16 characters; a totalizer to 15 and matched with case.
  ASSERT_EQ(d.confCadastrarPadrao_ECF_Daruma("TNF", "CONTRA-VALE EMITIDO"), 1);
  ASSERT_EQ(d.confCadastrarPadrao_ECF_Daruma("TNF", "contra-vale emitido"), 1);
  EXPECT_EQ(d.confCadastrarPadrao_ECF_Daruma("TNF", "CONTRA-VALE EMI"), -1);
  EXPECT_EQ(Status().first, 22);
  EXPECT_EQ(TotalizerList().substr(0, 51), "Sangria;Suprimento;CONTRA-VALE EMI;contra-vale emi;");
  ASSERT_EQ(d.confCadastrarPadrao_ECF_Daruma("ISS", "02,50"), 1);
  EXPECT_EQ(RateList().substr(0, 30), "T1800;T1200;T0700;S0500;S0250;");
}

}  // namespace
}  // namespace Tov00300::simtest
