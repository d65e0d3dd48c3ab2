// The Z-reduction export through ecfhost against the virtual printer: a day
// with every kind of figure is exported, the Z reduction taken, and every
// exported figure compared with the one the printer recorded in its Z record.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "sale_script.h"

namespace e2e {
namespace {

int64_t Cents(double amount) {
  return std::llround(amount * 100);
}

// An amount of the Z record (digits with two implied decimals), in cents.
int64_t RecordAmount(const std::string& record, int position, int length) {
  return std::stoll(record.substr(static_cast<size_t>(position - 1), static_cast<size_t>(length)));
}

Json Driver(const std::string& name, Json args = Json::array()) {
  return {{"op", "driver"}, {"name", name}, {"args", std::move(args)}};
}

Json Sell(const std::string& tax, const std::string& price, const std::string& adjustKind = "D$",
          const std::string& adjust = "0,00") {
  return Driver("iCFVender_ECF_Daruma",
                {tax, "1,000", price, adjustKind, adjust, "100", "UN", "Item " + tax});
}

Json Item(const std::string& cdAliq, const std::string& rate, double qty, double price,
          double discount = 0, double surcharge = 0) {
  return Call("VendaItem", {{{"bag",
                              {{"ESQUEMACOR", "PADRAO"},
                               {"INTEFERRO", 0},
                               {"CDARVPROD", "789100010010"},
                               {"NMPROD", "Produto " + cdAliq + rate},
                               {"CDALIQ", cdAliq},
                               {"VRPERCALIQ", rate},
                               {"QTDE", qty},
                               {"VALOR", price},
                               {"DESCONT", discount},
                               {"ACRESCIMO", surcharge},
                               {"UNIDADE", "UN"},
                               {"IDUTILTEF", "N"},
                               {"UTILTEF", false}}}}});
}

// The host's payment types: one name in other letter case, one with
// trailing blanks, two printer methods under code 002, a method the
// printer does not have.
Json HostTypes() {
  return {{"fields", {{"CDTIPORECE", "string", 3}, {"NMTIPORECE", "string", 40}}},
          {"rows",
           {{{"CDTIPORECE", "001"}, {"NMTIPORECE", "Dinheiro"}},
            {{"CDTIPORECE", "002"}, {"NMTIPORECE", "CARTAO CREDITO"}},
            {{"CDTIPORECE", "002"}, {"NMTIPORECE", "Cartao Debito"}},
            {{"CDTIPORECE", "004"}, {"NMTIPORECE", "Cheque   "}},
            {{"CDTIPORECE", "009"}, {"NMTIPORECE", "Pix"}}}}};
}

Json Export(Json types = HostTypes()) {
  // The day row's set holds a row of an earlier export: it is replaced.
  const Json old = {{"fields", {{"NRECFREDZ", "string", 4}}}, {"rows", {{{"NRECFREDZ", "OLD"}}}}};
  return Call("ExportRedZ", {"",
                             "PADRAO",
                             "001",
                             0,
                             std::move(types),
                             old,
                             {{"rows", Json::array()}},
                             {{"rows", Json::array()}},
                             {{"rows", Json::array()}}});
}

// The till before the day: a payment method the host does not know and a
// third totalizer, registered while no day is open; dsDiretorio is the host
// folder.
Json DayOpening(const std::string& folder) {
  return Json::array({{{"op", "set"}, {"name", "dsDiretorio"}, {"value", folder + "/"}},
                      StartCall(),
                      Driver("confCadastrarPadrao_ECF_Daruma", {"FPGTO", "Vale Refeicao"}),
                      Driver("confCadastrarPadrao_ECF_Daruma", {"TNF", "Vale Gas"})});
}

// A day with every figure the export reads (amounts in the comments).
Json SalesDay() {
  Json calls = Json::array({
      // Receipt 1 through the package: 18 %, 12 % with a discount of 1,00,
      // 7 % with a surcharge of 0,50, exempt, substitution, no incidence, an
      // ISS item at 5 %, and a cancelled item of 7,00. Total 58,50.
      OpenReceipt(),
      Item("T", "18", 1, 10.00),
      Item("T", "12", 2, 10.00, 1.00),
      Item("T", "7", 1, 5.00, 0, 0.50),
      Item("II", "0", 1, 3.00),
      Item("FF", "0", 1, 4.00),
      Item("NN", "0", 1, 2.00),
      Item("T", "5", 1, 15.00),
      Item("T", "18", 1, 7.00),
      Call("Cancela_UltimoItem", {"PADRAO"}),
      ClosingCall({{"001", 20.00}, {"002", 30.00}, {"003", 8.50}}),
      // Receipt 2: ISS substitution, exempt (discounted, then cancelled) and
      // no incidence, an 18 % item, a surcharge of 1,00 on the subtotal;
      // paid by cheque and with the method the host does not know. Total 35,00.
      Driver("iCFAbrirPadrao_ECF_Daruma"),
      Sell("FS1", "6,00"),
      Sell("IS1", "7,00", "D$", "0,50"),
      Sell("NS1", "8,00"),
      Sell("T18,00", "20,00"),
      Driver("iCFCancelarItem_ECF_Daruma", {"2"}),
      Driver("iCFTotalizarCupom_ECF_Daruma", {"A$", "1,00"}),
      Driver("iCFEfetuarPagamentoFormatado_ECF_Daruma", {"Cheque", "20,00"}),
      Driver("iCFEfetuarPagamentoFormatado_ECF_Daruma", {"Vale Refeicao", "15,00"}),
      Driver("iCFEncerrarConfigMsg_ECF_Daruma", {"obrigado"}),
      // Receipt 3, cancelled while open: 9,90 of cancellations.
      Driver("iCFAbrirPadrao_ECF_Daruma"),
      Sell("I1", "9,90"),
      Driver("iCFCancelar_ECF_Daruma"),
      // Cash: a supply of 100,00 and two withdrawals (42,34), and 25,00
      // received under the third totalizer, in cash.
      Call("Suprimento", {"PADRAO", 100.00}),
      Call("Sangria", {"", "PADRAO", 30.00, {{"rows", Json::array()}}}),
      Call("Sangria", {"", "PADRAO", 12.34, {{"rows", Json::array()}}}),
      Driver("iCNFAbrirPadrao_ECF_Daruma"),
      Driver("iCNFReceberSemDesc_ECF_Daruma", {"3", "25,00"}),
      Driver("iCNFTotalizarComprovantePadrao_ECF_Daruma"),
      Driver("iCNFEfetuarPagamentoFormatado_ECF_Daruma", {"Dinheiro", "25,00"}),
      Driver("iCNFEncerrarPadrao_ECF_Daruma"),
  });
  return calls;
}

Json Script(const Json& parts) {
  Json calls = Json::array();
  for (const Json& part : parts)
    for (const Json& call : part) calls.push_back(call);
  return {{"locale", "pt_BR"}, {"calls", calls}};
}

// The rows of one of the export's data sets.
const Json& Rows(const Json& exportRecord, int parameter) {
  return exportRecord["args"][parameter]["rows"];
}

class ZExportTest : public EcfhostTest {
 protected:
  void ExpectNoErrors(const HostRun& run) {
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    for (const Json& r : run.records) {
      EXPECT_FALSE(r.contains("error")) << r.dump();
      if (r["result"].is_boolean()) {
        EXPECT_EQ(r["result"], true) << r.dump();
      }
      if (r["op"] == "driver") {
        EXPECT_EQ(r["result"], 1) << r.dump();
      }
    }
  }
};

TEST_F(ZExportTest, EveryFigureEqualsThePrintersZRecord) {
  const Json script =
      Script(Json::array({DayOpening(hostDir()), SalesDay(),
                          Json::array({Export(), Call("Reducao_Z_Imp", {"001", "", "PADRAO", ""}),
                                       Call("DadosUltimaRedZ", {{{"positions", {{"0", "PADRAO"}}}},
                                                                {{"size", 49}},
                                                                {{"rows", Json::array()}}}),
                                       Driver("rRetornarInformacao_ECF_Daruma", {"140", 1164})})}));
  const HostRun run = Run(script);
  ExpectNoErrors(run);
  const Json& exported = run.Record("ExportRedZ");
  ASSERT_EQ(exported["result"], true) << exported.dump();
  EXPECT_EQ(exported["messages"], Json::array());
  const Json& last = run.Record("DadosUltimaRedZ");
  ASSERT_EQ(last["result"], true) << last.dump();
  const Json& elements = last["args"][1];
  const std::string record = run.records.back()["args"][1];
  ASSERT_EQ(record.size(), 1164u);
  auto at = [&](int position, int length) { return RecordAmount(record, position, length); };

  // The day row.
  ASSERT_EQ(Rows(exported, 5).size(), 1u);
  const Json& day = Rows(exported, 5)[0];
  EXPECT_EQ(day["NRECFREDZ"], "001");
  EXPECT_EQ(day["DTREDUCAOZ"], elements[46]);
  EXPECT_EQ(day["NRREDREDZ"], elements[11]);
  EXPECT_EQ(day["NRREINIREDZ"], "000000" + record.substr(926, 4)) << "CRO";
  EXPECT_EQ(std::stoll(day["NRULTCFREDZ"].get<std::string>()), at(935, 6) - 1)
      << "the last document before the Z";
  EXPECT_EQ(std::stoll(day["NRGERCNFREDZ"].get<std::string>()), at(941, 6));
  for (const char* zeros : {"NRLEITREDZ", "NRCANCFREDZ", "NRPRIMCFREDZ"})
    EXPECT_EQ(day[zeros], "0000000000") << zeros;
  EXPECT_EQ(Cents(day["VRGTREDZ"]), at(9, 18));
  EXPECT_EQ(Cents(day["VRVENBRUREDZ"]), at(745, 14));
  EXPECT_EQ(Cents(day["VRVENBRUREDZ"]), Cents(elements[2]));
  EXPECT_EQ(Cents(day["VRTOTCANREDZ"]), at(45, 14) + at(59, 14));
  EXPECT_EQ(Cents(day["VRTOTDESREDZ"]), at(73, 14) + at(87, 14));
  EXPECT_EQ(Cents(day["VRTOTACRREDZ"]), at(101, 14) + at(115, 14));
  EXPECT_EQ(Cents(day["VRVENLIQREDZ"]), at(759, 14));
  EXPECT_EQ(Cents(day["VRSTRIBREDZ"]), at(353, 14) + at(367, 14));
  EXPECT_EQ(Cents(day["VRISENCREDZ"]), at(381, 14) + at(395, 14));
  EXPECT_EQ(Cents(day["VRNINCIDREDZ"]), at(409, 14) + at(423, 14));
  // The same figures worked out from the sales above, so that a printer and
  // an export wrong in the same way cannot pass: gross 66,50 + 42,00 + 9,90;
  // cancellations 7,00 + 6,50 + 9,90; the subtotal surcharge of receipt 2 is
  // shared 0,59 / 0,18 / 0,23 among its 18 %, substitution and no-incidence
  // amounts.
  EXPECT_EQ(Cents(day["VRVENBRUREDZ"]), 11840);
  EXPECT_EQ(Cents(day["VRTOTCANREDZ"]), 2340);
  EXPECT_EQ(Cents(day["VRTOTDESREDZ"]), 150);
  EXPECT_EQ(Cents(day["VRTOTACRREDZ"]), 150);
  EXPECT_EQ(Cents(day["VRVENLIQREDZ"]), 9350);
  EXPECT_EQ(Cents(day["VRSTRIBREDZ"]), 1018);
  EXPECT_EQ(Cents(day["VRISENCREDZ"]), 300);
  EXPECT_EQ(Cents(day["VRNINCIDREDZ"]), 1023);

  // One tax row per programmed rate, with the base the Z recorded for its
  // slot; the package's own reading of the Z (cdsImposto) agrees.
  const Json& taxes = Rows(exported, 7);
  ASSERT_EQ(taxes.size(), 4u) << taxes.dump();
  const int64_t expectedBases[] = {3059, 1900, 550, 1500};
  std::map<int, int64_t> lastZBases;
  for (const Json& row : last["args"][2]["rows"]) {
    std::string sold = row["VRVENDIDO"];
    std::replace(sold.begin(), sold.end(), ',', '.');
    lastZBases[std::stoi(row["CDALIQIMPFIS"].get<std::string>())] = Cents(std::stod(sold));
  }
  for (int slot = 1; slot <= 4; ++slot) {
    const Json& row = taxes[slot - 1];
    SCOPED_TRACE(row.dump());
    EXPECT_EQ(row["CDALIQIMPRZ"], std::to_string(slot));
    EXPECT_EQ(row["IDTPIMPREDZ"], "T");
    EXPECT_EQ(row["DTREDUCAOZ"], elements[46]);
    EXPECT_EQ(Cents(row["VRALIQIMPRZ"]), at(843 + (slot - 1) * 5 + 1, 4));
    EXPECT_EQ(Cents(row["VRBCALCIMPRZ"]), at(129 + (slot - 1) * 14, 14));
    EXPECT_EQ(Cents(row["VRBCALCIMPRZ"]), expectedBases[slot - 1]);
    EXPECT_EQ(Cents(row["VRBCALCIMPRZ"]), lastZBases[slot]);
    EXPECT_NEAR(row["VRIMPOSTORZ"].get<double>(),
                row["VRALIQIMPRZ"].get<double>() * row["VRBCALCIMPRZ"].get<double>() / 100, 1e-9);
  }

  // Payments by host code: the printer's list is Dinheiro, Cheque, Cartao
  // Credito, Cartao Debito, Vale Refeicao (unknown to the host: no row).
  const Json& payments = Rows(exported, 6);
  std::map<std::string, int64_t> byCode;
  for (const Json& row : payments) {
    EXPECT_EQ(row["CDTIPORECE"], row["CDTPRECEORIG"]);
    EXPECT_TRUE(byCode.emplace(row["CDTIPORECE"], Cents(row["VRFORMPGTORZ"])).second)
        << "one row per code";
  }
  const auto method = [&](int index) { return at(437 + index * 14, 14); };
  const std::map<std::string, int64_t> recorded = {
      {"001", method(0)}, {"002", method(2) + method(3)}, {"004", method(1)}};
  EXPECT_EQ(byCode, recorded);
  // Cash: 20,00 + 25,00 of sales, the supply in, the withdrawals out.
  EXPECT_EQ(byCode, (std::map<std::string, int64_t>{
                        {"001", 2000 + 2500 + 10000 - 4234}, {"002", 3850}, {"004", 2000}}));
  EXPECT_EQ(method(4), 1500) << "the unknown method had a total";

  // Totalizers: "Sangria" from register 8, the others in list order; their
  // sum is the Z's non-fiscal total, and each is the amount printed on the
  // reduction's tape.
  const Json& totalizers = Rows(exported, 8);
  ASSERT_EQ(totalizers.size(), 3u) << totalizers.dump();
  const std::vector<std::pair<std::string, int64_t>> expectedTotalizers = {
      {"Sangria", 4234}, {"Suprimento", 10000}, {"Vale Gas", 2500}};
  const std::string tape = Tape();
  const std::string zTape = tape.substr(tape.rfind("REDUÇÃO Z"));
  int64_t sum = 0;
  for (size_t i = 0; i < 3; ++i) {
    const Json& row = totalizers[i];
    EXPECT_EQ(row["NRTOTNFISCRZ"], "0" + std::to_string(i + 1));
    EXPECT_EQ(row["DSTOTNFISCRZ"], expectedTotalizers[i].first);
    EXPECT_EQ(row["NRCONTOTNFIS"], " ");
    EXPECT_EQ(Cents(row["VRACUTOTNFIS"]), expectedTotalizers[i].second);
    sum += Cents(row["VRACUTOTNFIS"]);
    const std::string label = "0" + std::to_string(i + 1) + " " + expectedTotalizers[i].first;
    const size_t line = zTape.find(label);
    ASSERT_NE(line, std::string::npos) << label << "\n" << zTape;
    const std::string printed = zTape.substr(line, zTape.find('\n', line) - line);
    std::string amount = printed.substr(printed.rfind(' ') + 1);
    std::erase(amount, '.');
    std::replace(amount.begin(), amount.end(), ',', '.');
    EXPECT_EQ(Cents(std::stod(amount)), Cents(row["VRACUTOTNFIS"])) << printed;
  }
  EXPECT_EQ(sum, at(717, 14));

  // The folders, the receipt number in the globals and the debug lines.
  namespace fs = std::filesystem;
  EXPECT_TRUE(fs::is_directory(hostDir() + "/Dados/Redu\xE7\xF5"
                                           "es"));
  const std::vector<std::string> log = DebugLog();
  for (const char* line :
       {"rLerMeiosPagto_ECF_Daruma\r\nRetorno da Impressora : Dinheiro;Cheque;Cartao "
        "Credito;Cartao Debito;Vale Refeicao;",
        "rLerAliquotas_ECF_Daruma\r\nRetorno da Impressora : T1800;T1200;T0700;S0500;",
        "rLerCNF_ECF_Daruma\r\nRetorno da Impressora : Sangria;Suprimento;Vale Gas;"}) {
    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
  }
}

// Registers answered blank by a failing printer, one query at a time: the
// export fails with the conversion error, nobody is shown a dialog, and the
// host's sets hold whole rows only (what each table held when it stopped).
TEST_F(ZExportTest, BlankRegisterEndsTheExportWithTheRowsGatheredSoFar) {
  // The register queries of the export, in order: 26 (receipt number), 70,
  // 28, 23, 24, 1, 1, 2, 13, 11, 12, 6, 3, 8, 9. The counters (28, 23, 24) and
  // the date (70) are texts that a blank does not break.
  struct Case {
    int skip;       // queries answered before the blank one
    bool fails;     // the blank reply is an amount
    bool hostsDay;  // the day table was not rebuilt yet: the host's row comes back
    size_t payments, taxes, totalizers;
  };
  const Case cases[] = {{0, true, true, 0, 0, 0},     // receipt number: "ERRO"
                        {1, false, false, 3, 4, 3},   // date: today's is taken
                        {2, false, false, 3, 4, 3},   // non-fiscal counter
                        {3, false, false, 3, 4, 3},   // restart counter
                        {4, false, false, 3, 4, 3},   // reduction counter: "0000"
                        {5, true, true, 0, 0, 0},     // grand total
                        {6, true, true, 0, 0, 0},     // gross sales, register 1
                        {7, true, true, 0, 0, 0},     // gross sales, register 2
                        {8, true, true, 0, 0, 0},     // cancellations
                        {9, true, true, 0, 0, 0},     // discounts
                        {10, true, false, 0, 0, 0},   // surcharges: the day row is half filled
                        {11, true, false, 0, 0, 0},   // payment totals
                        {12, true, false, 3, 0, 0},   // tax totals
                        {13, true, false, 3, 4, 0},   // "Sangria"
                        {14, true, false, 3, 4, 1}};  // the other totalizers
  Json calls = DayOpening(hostDir());
  for (const Json& c : SalesDay()) calls.push_back(c);
  for (const Case& c : cases) {
    calls.push_back(
        Sim("fail rRetornarInformacao_ECF_Daruma -6 once after " + std::to_string(c.skip)));
    calls.push_back(Export());
    calls.push_back(Sim("fail rRetornarInformacao_ECF_Daruma off"));
  }
  const HostRun run = Run({{"locale", "pt_BR"}, {"calls", calls}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const Json& r = run.Record("ExportRedZ", static_cast<int>(i));
    SCOPED_TRACE("register query " + std::to_string(c.skip + 1) + ": " + r.dump());
    EXPECT_EQ(r["messages"], Json::array());
    if (!c.fails) {
      EXPECT_EQ(r["result"], true);
      continue;
    }
    EXPECT_TRUE(r.contains("error"));
    ASSERT_EQ(Rows(r, 5).size(), 1u);
    EXPECT_EQ(Rows(r, 5)[0]["NRECFREDZ"], c.hostsDay ? "OLD" : "001");
    EXPECT_EQ(Rows(r, 6).size(), c.payments);
    EXPECT_EQ(Rows(r, 7).size(), c.taxes);
    EXPECT_EQ(Rows(r, 8).size(), c.totalizers);
  }
}

// A host table without its fields is refused whole; an empty one gives no
// payment rows and the rest of the export.
TEST_F(ZExportTest, HostPaymentTableWithoutFieldsOrRows) {
  Json calls = DayOpening(hostDir());
  calls.push_back(Export({{"fields", {{"CODIGO", "string", 3}}}, {"rows", Json::array()}}));
  calls.push_back(Export({{"fields", {{"CDTIPORECE", "string", 3}, {"NMTIPORECE", "string", 40}}},
                          {"rows", Json::array()}}));
  // Lenient: the table goes to the package, whose own refusal is what is tested.
  const HostRun run = Run({{"locale", "pt_BR"}, {"lenient", true}, {"calls", calls}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  // Without it, the host refuses the table before any call, naming the field.
  const HostRun refused = Run({{"locale", "pt_BR"}, {"calls", calls}});
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_NE(refused.err.find("no field CDTIPORECE"), std::string::npos) << refused.err;
  const Json& missing = run.Record("ExportRedZ", 0);
  EXPECT_TRUE(missing.contains("error")) << missing.dump();
  EXPECT_NE(missing.value("error", "").find("CDTIPORECE"), std::string::npos) << missing.dump();
  EXPECT_EQ(Rows(missing, 5).size(), 1u) << "the day row gathered before";
  const Json& empty = run.Record("ExportRedZ", 1);
  EXPECT_EQ(empty["result"], true) << empty.dump();
  EXPECT_EQ(Rows(empty, 6).size(), 0u);
  EXPECT_EQ(Rows(empty, 7).size(), 4u);
  EXPECT_EQ(Rows(empty, 8).size(), 3u);
}

// A data folder where no folder can be made: the operator is told, with the
// fixed colour scheme, and the export goes on.
TEST_F(ZExportTest, FolderThatCannotBeMadeIsShownAndTheExportGoesOn) {
  const std::string blocked = hostDir() + "/blocked";
  { std::ofstream(blocked) << "a file, not a folder"; }
  Json calls = DayOpening(blocked);
  calls.push_back(Export());
  const HostRun run = Run({{"locale", "pt_BR"}, {"calls", calls}});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const Json& r = run.Record("ExportRedZ");
  EXPECT_EQ(r["result"], true) << r.dump();
  ASSERT_EQ(r["messages"].size(), 2u) << r.dump();
  EXPECT_EQ(r["messages"][0]["text"], "Não foi possível criar o diretório: " + blocked + "/Dados");
  EXPECT_EQ(r["messages"][1]["text"],
            "Não foi possível criar o diretório: " + blocked + "/Dados\\Reduções");
  EXPECT_EQ(r["messages"][0]["type"], 3);
}

}  // namespace
}  // namespace e2e
