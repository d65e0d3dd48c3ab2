// Consumer-account vouchers and balance prints through ecfhost against the
// virtual printer: the lines each one prints, the non-fiscal receipts of a
// personal-credit deposit, and input they cannot print from.
#include <string>
#include <vector>

#include "sale_script.h"

namespace e2e {
namespace {

Json Script(std::vector<Json> calls, const std::vector<std::string>& answers = {}) {
  calls.insert(calls.begin(), StartCall());
  return {{"locale", "pt_BR"}, {"answers", answers}, {"calls", std::move(calls)}};
}

Json Rows(Json fields, Json rows) {
  return {{"fields", std::move(fields)}, {"rows", std::move(rows)}};
}

Json DebitProducts(Json rows) {
  return Rows({{"CDARVPROD", "string", 20},
               {"NMPRODUTO", "string", 40},
               {"QTPRODCOMVEN", "float"},
               {"VRPRECCOMVEN", "float"},
               {"VRUNITVENDCL", "float"},
               {"VRDESCCOMVEN", "float"},
               {"VRACRCOMVEN", "float"}},
              std::move(rows));
}

Json Consumption(const std::string& today, const std::string& month) {
  return Rows({{"VALCONSUMDIA", "string", 20}, {"VALCONSUMMES", "string", 20}},
              {{{"VALCONSUMDIA", today}, {"VALCONSUMMES", month}}});
}

Json Debit(double value, const std::string& limitKind, const std::string& daily,
           Json products = nullptr, const std::string& balanceMode = "") {
  if (products.is_null()) {
    products = DebitProducts({{{"CDARVPROD", "789100010010"},
                               {"NMPRODUTO", "Refeicao executiva grande"},
                               {"QTPRODCOMVEN", 1},
                               {"VRPRECCOMVEN", 10},
                               {"VRUNITVENDCL", 2},
                               {"VRDESCCOMVEN", 0},
                               {"VRACRCOMVEN", 0.5}}});
  }
  return Call(
      "Comp_DebitoCons",
      {"PADRAO", products, value, "", "M-1020", "Joao Souza", "EMPRESA X", "Centro", "77", 100, 3,
       0, balanceMode, "Volte sempre", limitKind, daily, "500", Consumption("20", "100,5")});
}

Json Payments(Json rows) {
  return Rows({{"VRMOVIVEND", "float"},
               {"IDTIPORECE", "string", 1},
               {"NMTIPORECE", "string", 40},
               {"NMTIPORECEORIG", "string", 40}},
              std::move(rows));
}

Json Deposit(Json payments) {
  Json args = {"", "", "", "", "", "PADRAO", "", "", payments, 100, "Maria", "D-77"};
  for (int i = 13; i <= 24; ++i) args.push_back("");
  args.push_back(false);
  args.push_back("Silva");
  args.push_back("");
  args.push_back("");
  return Call("Compr_CredPessoal", args);
}

// Registers the personal-credit totalizers the non-fiscal receipts need.
Json Totalizers() {
  return Call("CarregaTotalizador", {"", "", "", "", "", "PADRAO", 0, {{"rows", Json::array()}}});
}

Json CreditProducts() {
  return Rows(
      {{"CDARVPROD", "string", 20},
       {"NMPRODUTO", "string", 40},
       {"QTPRODCOMVEN", "float"},
       {"VRPRECCOMVEN", "float"}},
      {{{"CDARVPROD", "1"}, {"NMPRODUTO", "Arroz"}, {"QTPRODCOMVEN", 2.3}, {"VRPRECCOMVEN", 100}},
       {{"CDARVPROD", "2"}, {"NMPRODUTO", "Bala"}, {"QTPRODCOMVEN", 0.29}, {"VRPRECCOMVEN", 3}}});
}

Json FamilyRows(Json rows) {
  return Rows(
      {{"CDFAMILISALD", "string", 3}, {"NMFAMILISALD", "string", 40}, {"VRSALDCONFAM", "float"}},
      std::move(rows));
}

Json CreditPurchase(const std::string& mode, Json families, double value = 230.87) {
  return Call("Imp_CompVenCred", {"PADRAO", CreditProducts(), families, value, "", "M-1", "Joao",
                                  "CLI", "CLI2", "", 100, 2, 3, mode});
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

const Json& Message(const Json& record) {
  static const Json none = {{"text", ""}};
  return record["messages"].empty() ? none : record["messages"][0];
}

using ConsumerAccountsTest = EcfhostTest;

TEST_F(ConsumerAccountsTest, DebitVoucherShowsProductsLimitsAndBalance) {
  const HostRun run = Run(Script({Debit(12, "T", "50"), Debit(12, "D", ""), Debit(0.004, "T", "50"),
                                  Debit(12, "N", "", nullptr, "2")}));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(run.Record("Comp_DebitoCons", i)["result"], true) << i;
  const std::string tape = Tape();
  for (const char* line : {
           "\n           Venda - Debito Consumidor            \n",
           "\nCliente: EMPRESA X\n         Centro\n",
           "\nMatricula: M-1020\nConsumidor..: Joao Souza\nAss.:\n",
           "\nCODIGO     NOME          QTDE   VR.UNIT. VR.TOT.\n"
           "7891000100 Refeicao exe   1,00     12,00\n",
           "\nAcrescimo                                   0,50\n",
           // 50 - (20 + 12) and 500 - (100,5 + 12)
           "\nDisp. dia: 18,00 - Disp. mês: 387,50\nSENHA PEDIDO:  77\n",
           // An empty limit counts as 0.
           "\nDisp. dia: -32,00\n",
           "\nSaldo Final : R$ 91,00",
           "\nVolte sempre\nPreço subsidiado: R$ 3,00\n",
       })
    EXPECT_TRUE(Has(tape, line)) << line << tape;
  // Nothing for a purchase of 0,004; three vouchers, one of them without
  // limits and without the final balance.
  EXPECT_EQ(run.Record("Comp_DebitoCons", 2)["messages"].size(), 0u);
  size_t vouchers = 0;
  for (size_t at = tape.find("Venda - Debito"); at != std::string::npos;
       at = tape.find("Venda - Debito", at + 1))
    ++vouchers;
  EXPECT_EQ(vouchers, 3u);
  const std::string last = tape.substr(tape.rfind("Venda - Debito"));
  EXPECT_FALSE(Has(last, "Disp. dia")) << last;
  EXPECT_FALSE(Has(last, "Saldo Final")) << last;
}

TEST_F(ConsumerAccountsTest, DepositRegistersEveryPaymentAndItsCancellationOne) {
  const Json payments = Payments({
      {{"VRMOVIVEND", 30}, {"IDTIPORECE", "1"}, {"NMTIPORECE", "Dinheiro"}, {"NMTIPORECEORIG", ""}},
      {{"VRMOVIVEND", 20},
       {"IDTIPORECE", "2"},
       {"NMTIPORECE", "Cartao"},
       {"NMTIPORECEORIG", "Cartao Credito"}},
  });
  const HostRun run =
      Run(Script({Totalizers(), Deposit(payments),
                  Call("Cancela_Cred_Pessoal", {"", "", "", "", "PADRAO", "", "D-77", "CLI 1",
                                                "Maria", "", "Dinheiro", 20, 130, "Silva"}),
                  // A refused closing of the first receipt: the second is still
                  // registered, and the deposit is not reported as done.
                  Sim("fail iCNFEncerrarPadrao_ECF_Daruma -1 once"), Deposit(payments)}));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("Compr_CredPessoal", 0)["result"], true);
  EXPECT_EQ(run.Record("Cancela_Cred_Pessoal")["result"], true);
  EXPECT_EQ(run.Record("Compr_CredPessoal", 1)["result"], false);
  const std::string tape = Tape();
  // The voucher in two copies in one report, four blank lines between them.
  const std::string title = "\n               COMPRA DE CREDITO                \n";
  const std::string voucher = title + std::string(48, '-') + "\n\nNr.Deposito: D-77\n" +
                              std::string(48, ' ') +
                              "\nConsumidor..: Maria\nFamilia.....: Silva\nValor ......: R$ 50,00\n"
                              "Saldo Final : R$ 150,00\n";
  const std::string blank = std::string(48, ' ') + "\n";
  EXPECT_TRUE(Has(tape, voucher + blank + blank + blank + blank + title)) << tape;
  size_t copies = 0;
  for (size_t at = tape.find(title); at != std::string::npos; at = tape.find(title, at + 1))
    ++copies;
  EXPECT_EQ(copies, 4u) << "two copies of each of the two deposits";
  for (const char* line : {
           "001 04 Cred Pessoal                        30,00\n"
           "TOTAL R$                                   30,00\n"
           "Dinheiro                                   30,00\n",
           "001 04 Cred Pessoal                        20,00\n"
           "TOTAL R$                                   20,00\n"
           "Cartao Credito                             20,00\n",
           "\nCancelamento do depósito: D-77\n",
           "\nCliente: CLI 1\nConsumidor: Maria\nFamilia.....: Silva\nValor ......: R$ 20,00\n"
           "Saldo Final : R$ 130,00\n",
           "001 07 Canc Credito                        20,00\n",
       })
    EXPECT_TRUE(Has(tape, line)) << line << tape;
}

// A deposit whose second payment could not be registered answers false; the
// operator repeats it, and each payment is registered once (the non-fiscal
// totalizers grow by the deposit once) with one voucher (one report more).
TEST_F(ConsumerAccountsTest, RepeatedDepositRegistersEachPaymentOnce) {
  const Json payments = Payments({
      {{"VRMOVIVEND", 30}, {"IDTIPORECE", "1"}, {"NMTIPORECE", "Dinheiro"}, {"NMTIPORECEORIG", ""}},
      {{"VRMOVIVEND", 20}, {"IDTIPORECE", "1"}, {"NMTIPORECE", "Cheque"}, {"NMTIPORECEORIG", ""}},
  });
  const Json totals = {
      {"op", "driver"}, {"name", "rRetornarInformacao_ECF_Daruma"}, {"args", {"9", 247}}};
  const Json reports = {
      {"op", "driver"}, {"name", "rRetornarInformacao_ECF_Daruma"}, {"args", {"33", 6}}};
  for (const char* step : {"iCNFAbrirPadrao_ECF_Daruma", "iCNFEfetuarPagamentoFormatado_ECF_Daruma",
                           "iCNFEncerrarPadrao_ECF_Daruma"}) {
    SCOPED_TRACE(step);
    const HostRun run = Run(Script({Totalizers(), totals, reports,
                                    Sim(std::string("fail ") + step + " -1 once after 1"),
                                    Deposit(payments), Deposit(payments), totals, reports}));
    const auto sum = [&run](int nth) {  // amounts of 13 digits (or one count), summed
      const std::string reply = run.Record("driver", nth)["args"][1];
      long long n = 0;
      for (size_t at = 0; at < reply.size(); at += 13) n += std::stoll(reply.substr(at, 13));
      return n;
    };
    EXPECT_EQ(run.Record("Compr_CredPessoal", 0)["result"], false);
    EXPECT_EQ(run.Record("Compr_CredPessoal", 1)["result"], true);
    EXPECT_EQ(sum(2) - sum(0), 5000);
    EXPECT_EQ(sum(3) - sum(1), 1);
  }
}

TEST_F(ConsumerAccountsTest, BalancePrintsLineByLine) {
  const Json familyBalances =
      Rows({{"NMFAMILISALD", "string", 60}, {"SALDOFAM", "float"}},
           {{{"NMFAMILISALD", "Familia Souza com um nome comprido demais"}, {"SALDOFAM", 12.5}},
            {{"NMFAMILISALD", "Outros"}, {"SALDOFAM", 123456789012.25}}});
  const Json types = Rows({{"CDTIPOCONS", "string", 3}, {"NMTIPOCONS", "string", 40}},
                          {{{"CDTIPOCONS", "1"}, {"NMTIPOCONS", "Funcionarios"}},
                           {{"CDTIPOCONS", "2"}, {"NMTIPOCONS", "Sem ninguem"}},
                           {{"CDTIPOCONS", "3"}, {"NMTIPOCONS", "Alunos"}}});
  const Json consumers = Rows(
      {{"CDTIPOCONS", "string", 3}, {"NMCONSUMIDOR", "string", 40}, {"SALDONEGATIVO", "float"}},
      {{{"CDTIPOCONS", "1"}, {"NMCONSUMIDOR", "Ana"}, {"SALDONEGATIVO", -10}},
       {{"CDTIPOCONS", "3"}, {"NMCONSUMIDOR", "Bia"}, {"SALDONEGATIVO", -2.5}},
       {{"CDTIPOCONS", "1"}, {"NMCONSUMIDOR", "Caio"}, {"SALDONEGATIVO", -1}}});
  const std::string longLine(700, 'e');
  const HostRun run = Run(Script({
      Call("Relatorio_Gerencial_Imp", {"PADRAO", "", "", "", ""}),
      Call("ImpSaldo", {"PADRAO", familyBalances, "Joao", "M-1020"}),
      Call("Relatorio_Gerencial_Imp", {"PADRAO", "", "", "", ""}),
      Call("ImpSaldoDeb",
           {"PADRAO",
            Rows(Json::array({Json::array({"VRSALDOCONS", "float"})}), {{{"VRSALDOCONS", -7.3}}}),
            "Joao", "M-1020"}),
      Call("Relatorio_Gerencial_Imp", {"PADRAO", "", "", "", ""}),
      Call("Extrato", {"Extrato linha 1\n" + longLine + "\nfim", "PADRAO"}),
      Call("Saldo_CredPessoal",
           {"", "", "PADRAO", "Saldo Credito",
            FamilyRows(
                {{{"CDFAMILISALD", "1"}, {"NMFAMILISALD", "Pai"}, {"VRSALDCONFAM", 10}},
                 {{"CDFAMILISALD", "2"}, {"NMFAMILISALD", "Zero"}, {"VRSALDCONFAM", 0}},
                 {{"CDFAMILISALD", "3"}, {"NMFAMILISALD", "Filho"}, {"VRSALDCONFAM", 5.25}}})}),
      Call("SaldoNegativo", {"", "PADRAO", types, consumers, "Negativos", "001", "", ""}),
      Call("SaldoNegativo", {"", "PADRAO", types, Rows(consumers["fields"], Json::array()),
                             "Negativos", "001", "", ""}),
  }));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (const char* op : {"ImpSaldo", "ImpSaldoDeb", "Extrato", "Saldo_CredPessoal"})
    EXPECT_EQ(run.Record(op)["result"], true) << op;
  EXPECT_EQ(run.Record("SaldoNegativo", 0)["result"], true);
  EXPECT_EQ(run.Record("SaldoNegativo", 1)["result"], false) << "no consumer, nothing printed";
  const std::string tape = Tape();
  const std::string rule(48, '-');
  for (const std::string& lines : std::vector<std::string>{
           "\n             >>> Consulta Saldo <<<             \n" + rule +
               "\nJoao - M-1020\n\n"
               "Familia Souza com um nome comprido de      12,50\n",
           // Wider than its column: whole, into the label's blank room.
           "\nOutros" + std::string(27, ' ') + "123456789012,25\n",
           "\nSaldo Total" + std::string(22, ' ') + "123456789024,75\n",
           "Joao - M-1020\n\n                                     -----------\n"
           "Saldo Total                                -7,30\n",
           "\nExtrato linha 1\n",
           "\nfim\n",
           "\n                 Saldo Credito                  \n" + std::string(48, ' ') +
               "\nPai                                10,00\nFilho                               "
               "5,25\n" +
               rule + "\nSaldo Total                        15,25\n",
           "\n     >>> Saldo Negativo por Consumidor <<<      \n" + rule +
               "\nFuncionarios\nAna                                      -10,00\n"
               "Caio                                      -1,00\n"
               "                                     -----------\n"
               "Saldo Total                               -11,00\n" +
               rule + "\nAlunos\nBia                                       -2,50\n",
       })
    EXPECT_TRUE(Has(tape, lines)) << lines << tape;
  EXPECT_TRUE(Has(tape, "\n" + std::string(48, 'e') + "\n")) << "the long line is printed";
  EXPECT_FALSE(Has(tape, "Sem ninguem"));
  EXPECT_EQ(tape.find(">>> Saldo Negativo"), tape.rfind(">>> Saldo Negativo"));
}

TEST_F(ConsumerAccountsTest, CreditPurchaseVoucherBalanceModes) {
  // The receipt closing leaves the families' balances and loans behind.
  Json closing = ClosingCall({{"001", 10}});
  closing["args"][0]["positions"]["33"] =
      FamilyRows({{{"CDFAMILISALD", "F1"}, {"NMFAMILISALD", "Pai"}, {"VRSALDCONFAM", 20}},
                  {{"CDFAMILISALD", "F3"}, {"NMFAMILISALD", "Neto"}, {"VRSALDCONFAM", 1}}});
  closing["args"][0]["positions"]["34"] =
      Rows({{"CDFAMILISALD", "string", 3}, {"IDTPMOVEXT", "string", 1}, {"VRMOVEXTCONS", "float"}},
           {{{"CDFAMILISALD", "f1"}, {"IDTPMOVEXT", "D"}, {"VRMOVEXTCONS", 5}},
            {{"CDFAMILISALD", "F2"}, {"IDTPMOVEXT", "D"}, {"VRMOVEXTCONS", 4}},
            {{"CDFAMILISALD", "F3"}, {"IDTPMOVEXT", "C"}, {"VRMOVEXTCONS", 2}}});
  const Json families =
      FamilyRows({{{"CDFAMILISALD", "F1"}, {"NMFAMILISALD", "Pai"}, {"VRSALDCONFAM", 50}},
                  {{"CDFAMILISALD", "F2"}, {"NMFAMILISALD", "Filho"}, {"VRSALDCONFAM", 30}},
                  {{"CDFAMILISALD", "F3"}, {"NMFAMILISALD", "Neto"}, {"VRSALDCONFAM", 10}},
                  {{"CDFAMILISALD", "F4"}, {"NMFAMILISALD", "Tio"}, {"VRSALDCONFAM", 0}}});
  const HostRun run =
      Run(Script({CreditPurchase("1", families), CreditPurchase("0", families), OpenReceipt(),
                  Call("VendaItem", {ItemBag("1", "X", 1, 10)}), closing,
                  CreditPurchase("1", families), CreditPurchase("1", families, 0.004)}));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  // Mode "1" before any receipt closing has no family table to net from.
  const Json& early = run.Record("Imp_CompVenCred", 0);
  EXPECT_EQ(early["result"], false);
  EXPECT_TRUE(Has(Message(early)["text"], "cdsFamiliaSaldo")) << early.dump();
  for (int i = 1; i < 4; ++i) EXPECT_EQ(run.Record("Imp_CompVenCred", i)["result"], true) << i;
  const std::string tape = Tape();
  for (const char* lines : {
           "\n            Venda - Crédito Pessoal             \n",
           // Quantity x price cut to the cent in decimal: 230,00 and 0,87.
           "\n1 Arroz  2,30                     100,00  230,00\n"
           "2 Bala  0,29                        3,00    0,87\n",
           "\nTotal Geral                               230,87\n",
           // 100 + 2 + 3 - 230,87 + 50 + 30 + 10 + 0
           "\nSaldo Final : -R$ 35,87\nPreço subsidiado: R$ 2,00Valor complemento: R$ 3",
           // 50 - 20 - 5; 30 - 4 (no family balance); 10 - 1 + 2; Tio left out.
           "\nPai                                       25,00\n"
           "Filho                                     26,00\n"
           "Neto                                      11,00\n",
       })
    EXPECT_TRUE(Has(tape, lines)) << lines << tape;
  EXPECT_FALSE(Has(tape, "Tio "));
}

TEST_F(ConsumerAccountsTest, InputThatCannotBePrintedPrintsNothing) {
  Json noPrice = DebitProducts(Json::array());
  noPrice["fields"].erase(3);
  Json noOriginalName = Payments(Json::array());
  noOriginalName["fields"].erase(3);
  // Lenient: the sets go to the package, whose own refusal is what is tested.
  Json script = Script({
      Totalizers(),
      Debit(12, "D", "cinquenta"),
      Debit(12, "T", "50", noPrice),
      Deposit(noOriginalName),
      Deposit(Payments({{{"VRMOVIVEND", -5},
                         {"IDTIPORECE", "1"},
                         {"NMTIPORECE", "Dinheiro"},
                         {"NMTIPORECEORIG", ""}}})),
      Deposit(Payments(Json::array())),
      Call("Imp_CompVenCred",
           {"PADRAO", Rows(Json::array({Json::array({"CDARVPROD", "string", 5})}), Json::array()),
            FamilyRows(Json::array()), 10, "", "", "", "", "", "", 0, 0, 0, "2"}),
      Call("ImpSaldo",
           {"PADRAO", Rows(Json::array({Json::array({"SALDOFAM", "float"})}), {{{"SALDOFAM", 1}}}),
            "", ""}),
  });
  script["lenient"] = true;
  const HostRun run = Run(script);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const struct {
    const char* op;
    int nth;
    const char* named;
  } refusals[] = {
      {"Comp_DebitoCons", 0, "cinquenta"},        {"Comp_DebitoCons", 1, "VRPRECCOMVEN"},
      {"Compr_CredPessoal", 0, "NMTIPORECEORIG"}, {"Compr_CredPessoal", 1, "-5"},
      {"Imp_CompVenCred", 0, "NMPRODUTO"},        {"ImpSaldo", 0, "NMFAMILISALD"}};
  for (const auto& r : refusals) {
    const Json& record = run.Record(r.op, r.nth);
    EXPECT_EQ(record["result"], false) << record.dump();
    EXPECT_TRUE(Has(Message(record)["text"], r.named)) << record.dump();
  }
  // A deposit without payments prints its voucher of zero and registers nothing.
  EXPECT_EQ(run.Record("Compr_CredPessoal", 2)["result"], false);
  const std::string tape = Tape();
  EXPECT_FALSE(Has(tape, "Venda - Debito"));
  EXPECT_FALSE(Has(tape, "Cred Pessoal"));
  EXPECT_FALSE(Has(tape, ">>> Consulta Saldo"));
  EXPECT_TRUE(Has(tape, "Valor ......: R$ 0,00"));
}

}  // namespace
}  // namespace e2e
