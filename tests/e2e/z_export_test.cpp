// The Z-reduction export through ecfhost against the virtual printer: a day
// with every kind of figure is exported, the Z reduction taken, and every
// exported figure compared with the one the printer recorded in its Z record.
// The day itself is data, shared with the export's cases (cases/z_export).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "case_data.h"
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
  const std::map<std::string, std::string> tokens = {{"HOST", hostDir()}};
  Json calls = Json::array({{{"op", "set"}, {"name", "dsDiretorio"}, {"value", hostDir() + "/"}}});
  for (const char* part : {"day_opening", "sales_day"})
    for (const Json& call : cases::CaseFragment("z_export", part, tokens)) calls.push_back(call);
  calls.push_back(cases::CaseFragment("z_export", "export", tokens));
  calls.push_back(Call("Reducao_Z_Imp", {"001", "", "PADRAO", ""}));
  calls.push_back(
      Call("DadosUltimaRedZ",
           {{{"positions", {{"0", "PADRAO"}}}}, {{"size", 49}}, {{"rows", Json::array()}}}));
  calls.push_back(Driver("rRetornarInformacao_ECF_Daruma", {"140", 1164}));
  const HostRun run = Run({{"locale", "pt_BR"}, {"calls", calls}});
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

}  // namespace
}  // namespace e2e
