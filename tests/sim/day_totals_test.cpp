// A whole fiscal day through the entry points: receipts with discounts,
// surcharges and cancellations, non-fiscal operations, X and Z; the
// registers must add up the way the fiscal rules define them.
#include "sim_fixture.h"

namespace Tov00300::simtest {
namespace {

class DayTotalsTest : public SimTest {};

// Amount registers hold digits with two implied decimals.
long long Amount(const std::string& digits) {
  return std::stoll(digits);
}
long long AmountAt(const std::string& reg, size_t index, size_t width) {
  return std::stoll(reg.substr(index * width, width));
}

TEST_F(DayTotalsTest, CountersAndTotalsAfterADay) {
  Driver& d = Sim();
  // Receipt 1 (COO 1): 2 x 10,00 at 18%, 5,50 substitution (cancelled),
  // 3,333 x 1,50 at 18% with 0,50 off; 1,00 off the subtotal; paid 50,00.
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I18,00", "2,000", "10,00", "A$", "0,00", "1", "UN", "A"), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("F1", "1.000", "5.50", "A$", "0.00", "2", "UN", "B"), 1);
  ASSERT_EQ(d.iCFCancelarItem_ECF_Daruma("2"), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("T18,00", "3,333", "1,50", "D$", "0,50", "3", "KG", "C"), 1);
  ASSERT_EQ(d.iCFTotalizarCupom_ECF_Daruma("D$", "1,00"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "50,00"), 1);
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma("Volte sempre"), 1);

  // Non-fiscal receipt (COO 2) on a new totalizer, paid by cheque.
  ASSERT_EQ(d.confCadastrarPadrao_ECF_Daruma("TNF", "Vale"), 1);
  ASSERT_EQ(d.iCNFAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iCNFReceberSemDesc_ECF_Daruma("03", "10,00"), 1);
  ASSERT_EQ(d.iCNFTotalizarComprovantePadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iCNFEfetuarPagamentoFormatado_ECF_Daruma("Cheque", "10,00"), 1);
  ASSERT_EQ(d.iCNFEncerrarPadrao_ECF_Daruma(), 1);
  // Supply (COO 3) and withdrawal (COO 4).
  ASSERT_EQ(d.iSuprimento_ECF_Daruma("100,00", "Suprimento de 100,00"), 1);
  ASSERT_EQ(d.iSangria_ECF_Daruma("30,00", "Sangria de 30,00"), 1);

  // Receipt 2 (COO 5): a service at 5% cancelled while open.
  ASSERT_EQ(d.iCFAbrir_ECF_Daruma("123.456.789-09", "Fulano", "Rua A"), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("S05,00", "1,000", "7,00", "A$", "0,00", "4", "UN", "D"), 1);
  ASSERT_EQ(d.iCFCancelar_ECF_Daruma(), 1);

  // Receipt 3 (COO 6) with a surcharge, closed, then cancelled (COO 7).
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I12,00", "1,000", "12,00", "A$", "0,00", "5", "UN", "E"), 1);
  ASSERT_EQ(d.iCFTotalizarCupom_ECF_Daruma("A$", "0,60"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Cartao Credito", "12,60"), 1);
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma(""), 1);
  ASSERT_EQ(d.iCFCancelar_ECF_Daruma(), 1);

  // Management report (COO 8).
  ASSERT_EQ(d.iRGAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iRGImprimirTexto_ECF_Daruma("Linha 1\nLinha 2\n"), 1);
  ASSERT_EQ(d.iRGFechar_ECF_Daruma(), 1);

  // Receipt 4 (COO 9) paid by card, then its linked voucher (COO 10).
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I07,00", "1,000", "20,00", "A$", "0,00", "6", "UN", "F"), 1);
  ASSERT_EQ(d.iCFTotalizarCupom_ECF_Daruma("D$", "0"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Cartao Debito", "20,00"), 1);
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma(""), 1);
  ASSERT_EQ(d.iCCDAbrirPadrao_ECF_Daruma(), 1);
  EXPECT_EQ(Info(56, 1), "3");
  ASSERT_EQ(d.iCCDImprimirTexto_ECF_Daruma("VIA DO CLIENTE"), 1);
  ASSERT_EQ(d.iCCDFechar_ECF_Daruma(), 1);

  // gross: 20,00 + 5,50 + 4,99 + 7,00 + 12,60 + 20,00
  EXPECT_EQ(Amount(Info(1, 18)), 2000 + 550 + 499 + 700 + 1260 + 2000);
  EXPECT_EQ(Amount(Info(2, 18)), 0);
  EXPECT_EQ(Amount(Info(11, 13)), 50 + 100);          // discounts
  EXPECT_EQ(Amount(Info(12, 13)), 60);                // surcharges
  EXPECT_EQ(Amount(Info(13, 13)), 550 + 700 + 1260);  // cancellations
  std::string taxes = Info(3, 364);
  EXPECT_EQ(AmountAt(taxes, 0, 13), 2349);  // T01 18%
  EXPECT_EQ(AmountAt(taxes, 1, 13), 0);     // T02 12%: its receipt was cancelled
  EXPECT_EQ(AmountAt(taxes, 2, 13), 2000);  // T03 7%
  EXPECT_EQ(AmountAt(taxes, 3, 13), 0);     // S04 5%
  EXPECT_EQ(AmountAt(taxes, 16, 13), 0);    // substitution ICMS: item cancelled
  std::string payments = Info(6, 260);
  // cash: the sales with the change taken out, plus the supply, less the
  // withdrawal: what the drawer holds
  EXPECT_EQ(AmountAt(payments, 0, 13), 2349 + 10000 - 3000);
  EXPECT_EQ(AmountAt(payments, 1, 13), 1000);  // cheque from the non-fiscal receipt
  EXPECT_EQ(AmountAt(payments, 2, 13), 0);     // credit card: receipt cancelled
  EXPECT_EQ(AmountAt(payments, 3, 13), 2000);  // debit card
  EXPECT_EQ(Amount(Info(8, 13)), 3000);        // Sangria
  std::string others = Info(9, 247);
  EXPECT_EQ(AmountAt(others, 0, 13), 10000);  // Suprimento
  EXPECT_EQ(AmountAt(others, 1, 13), 1000);   // Vale

  EXPECT_EQ(Info(26, 6), "000010");
  EXPECT_EQ(Info(30, 6), "000004");
  EXPECT_EQ(Info(28, 6), "000005");  // CNF, supply, withdrawal, report, voucher
  EXPECT_EQ(Info(33, 6), "000001");
  EXPECT_EQ(Info(45, 4), "0001");
  EXPECT_EQ(Info(53, 4), "0001");  // the voucher came after receipt 4

  ASSERT_EQ(d.iLeituraX_ECF_Daruma(), 1);
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);
  EXPECT_EQ(Info(24, 4), "0001");
  EXPECT_EQ(Info(26, 6), "000012");
  EXPECT_EQ(Info(70, 8), "01012000");  // no fiscal day open after the Z
  EXPECT_EQ(Amount(Info(2, 18)), Amount(Info(1, 18)));
  EXPECT_EQ(Amount(Info(11, 13)) + Amount(Info(13, 13)), 0);
  EXPECT_EQ(Info(6, 260), std::string(260, '0'));

  // The Z record keeps the day: gross minus cancellations minus discounts is
  // the sum of the taxed, exempt, substitution and no-incidence totals.
  std::string z = Info(140, 1164);
  long long gt = std::stoll(z.substr(8, 18));
  long long start = std::stoll(z.substr(26, 18));
  long long cancelled = std::stoll(z.substr(44, 14)) + std::stoll(z.substr(58, 14));
  long long discounts = std::stoll(z.substr(72, 14)) + std::stoll(z.substr(86, 14));
  long long buckets = 0;
  for (int i = 0; i < 22; ++i) buckets += std::stoll(z.substr(128 + 14 * i, 14));
  EXPECT_EQ(gt - start - cancelled - discounts, buckets);
  EXPECT_EQ(z.substr(842, 5), "T1800");
  EXPECT_EQ(z.substr(857, 5), "S0500");
  EXPECT_EQ(z.substr(922, 4), "0001");    // CRZ
  EXPECT_EQ(z.substr(934, 6), "000012");  // COO of the Z
}

TEST_F(DayTotalsTest, SubtotalDiscountIsSharedAmongRates) {
  Driver& d = Sim();
  ASSERT_EQ(d.iCFAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1", "30,00", "", "", "1", "UN", "A"), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I07,00", "1", "10,00", "", "", "2", "UN", "B"), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I1", "1", "0,01", "", "", "3", "UN", "C"), 1);
  ASSERT_EQ(d.iCFTotalizarCupom_ECF_Daruma("D%", "10,00"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("dinheiro", "36,01"), 1);
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma(""), 1);
  std::string taxes = Info(3, 364);
  long long sum = 0;
  for (int i = 0; i < 22; ++i) sum += AmountAt(taxes, i, 13);
  EXPECT_EQ(sum, 4001 - 400);
  EXPECT_EQ(AmountAt(taxes, 0, 13), 3000 - 300);
  EXPECT_EQ(AmountAt(taxes, 2, 13), 1000 - 100);
  EXPECT_EQ(Amount(Info(11, 13)), 400);
}

}  // namespace
}  // namespace Tov00300::simtest
