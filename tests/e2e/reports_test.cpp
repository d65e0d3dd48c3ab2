// Management reports, X and Z, and the cash movements through ecfhost
// against the virtual printer: what the printer received (the debug log),
// what it printed (the tape, its counters) and what the host's document
// register holds afterwards.
#include <algorithm>
#include <cstdio>
#include <string>

#include "sale_script.h"
#include "tov00300/format.h"

namespace e2e {
namespace {

class ReportsTest : public EcfhostTest {
 protected:
  // Debug-log entries with this exact text since entry `from`.
  long Count(const std::string& text, size_t from = 0) const {
    const auto log = DebugLog();
    return std::count(log.begin() + static_cast<long>(std::min(from, log.size())), log.end(),
                      Tov00300::Utf8ToCp1252(text));
  }
  bool LogHas(const std::string& text) const { return Count(text) > 0; }
  // The script's calls after the session start, in Brazilian number format.
  HostRun Day(Json calls) {
    calls.insert(calls.begin(), StartCall());
    const HostRun run = Run({{"locale", "pt_BR"}, {"calls", std::move(calls)}});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    for (const Json& r : run.records) EXPECT_FALSE(r.contains("error")) << r.dump();
    return run;
  }
};

Json Driver(const std::string& name, Json args = Json::array()) {
  return {{"op", "driver"}, {"name", name}, {"args", std::move(args)}};
}
Json Register(int number, int width) {
  return Driver("rRetornarInformacao_ECF_Daruma", {std::to_string(number), width});
}
Json Records() {
  return {{"op", "records"}};
}
// The reply of a register read by Register().
std::string Reply(const Json& record) {
  return record["args"][1].get<std::string>();
}
// The document types of the register, in order.
std::vector<std::string> Types(const Json& records) {
  std::vector<std::string> types;
  for (const Json& row : records["args"][1]["rows"]) types.push_back(row["tipo_documento"]);
  return types;
}

// `lines` lines of 39 characters and a line feed.
std::string Lines(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) text += "linha " + std::string(32, 'a' + i % 26) + "\n";
  return text;
}

std::vector<Json> CashSale(const std::string& amount) {
  return {Driver("iCFAbrirPadrao_ECF_Daruma"),
          Driver("iCFVender_ECF_Daruma", {"I18,00", "1,000", amount, "A$", "0,00", "1", "UN", "X"}),
          Driver("iCFTotalizarCupom_ECF_Daruma", {"D$", "0"}),
          Driver("iCFEfetuarPagamentoFormatado_ECF_Daruma", {"Dinheiro", amount}),
          Driver("iCFEncerrarConfigMsg_ECF_Daruma", {""})};
}

TEST_F(ReportsTest, ReportsArePrintedInPiecesAndWholeLineGroups) {
  const std::string piecesText(620, 'P');
  const HostRun run = Day({
      Call("RG_FrameWork", {"PADRAO", piecesText}),
      {{"op", "set"}, {"name", "inTipoImpFis"}, {"value", 24}},
      Call("Relatorio_Generico", {"PADRAO", "", "", Lines(30), "REL-1", ""}),
      Call("Cupom_Troca", {"PADRAO", "", "", Lines(15)}),
      {{"op", "set"}, {"name", "inTipoImpFis"}, {"value", 2}},
      Call("Relatorio_Generico", {"PADRAO", "", "", "nada", "REL-2", ""}),
      Register(33, 6),
      Records(),
  });
  EXPECT_EQ(run.Record("RG_FrameWork")["result"], true);
  EXPECT_EQ(run.Record("Relatorio_Generico", 0)["result"], true);
  EXPECT_EQ(run.Record("Cupom_Troca")["result"], true);
  EXPECT_EQ(run.Record("Relatorio_Generico", 1)["result"], false);

  // 620 characters: 619 + 1; 1,200 characters of 40-character lines: three
  // groups (520, 520, 160); 600 characters for the exchange: 520 + 80, each
  // a report of its own.
  EXPECT_EQ(Count("iRGImprimirTexto_ECF_Daruma"), 2 + 3 + 2);
  EXPECT_EQ(Count("iRGFechar_ECF_Daruma"), 4);
  EXPECT_EQ(Reply(run.Record("driver")), "000004");  // no report for type 2
  // The second piece goes on with the first one's line: 620 characters are
  // twelve full lines and 44 on the thirteenth, as if sent whole.
  EXPECT_NE(Tape().find(std::string(48, 'P') + "\n" + std::string(44, 'P') + "\n"),
            std::string::npos);
  EXPECT_EQ(Tape().find(std::string(43, 'P') + "\nP\n"), std::string::npos);
  EXPECT_NE(Tape().find("linha " + std::string(32, 'a' + 29 % 26) + "\n"), std::string::npos);

  // Only the generic report that closed is in the register.
  const Json& records = run.Record("records");
  EXPECT_EQ(Types(records), std::vector<std::string>{"RG"});
  EXPECT_EQ(records["args"][1]["rows"][0]["chave"], "REL-1");
  EXPECT_EQ(records["args"][1]["rows"][0]["informacao_33"], "000002");
}

TEST_F(ReportsTest, OpenReportIsSeenAndClosedOnlyWhenOpen) {
  const HostRun run = Day({
      Call("FechRelatGerenc", {"PADRAO", true, false}),
      Call("Relatorio_Gerencial_Imp", {"PADRAO", "A", "B", "", "S"}),
      Call("UsaRG_FrameWork", {"PADRAO"}),
      // A megabyte in one call is the printer's to refuse; a zero byte is
      // refused before anything is sent (the driver would drop the rest).
      Call("Usa_CompNFis", {"PADRAO", std::string(1 << 20, 'x')}),
      Call("Usa_CompNFis", {"PADRAO", std::string("ok\0lost", 7)}),
      Call("FechRelatGerenc", {"PADRAO", true, false}),
      Call("UsaRG_FrameWork", {"PADRAO"}),
      Call("RG_FrameWork", {"PADRAO", std::string("a\0b", 3)}),
      Call("CodigoBarra", {"PADRAO", "", "", 0, "789", "ean-13"}),
      Call("CodigoBarra", {"PADRAO", "", "", 0, "7891234567895", "EAN-13"}),
      Call("CodigoBarra", {"PADRAO", "", "", 0, "12A4567", "EAN-8"}),
      Call("Cabecalho", {"", "PADRAO", "SALDO", "007", "", ""}),
      Call("FechRelatGerenc", {"PADRAO", true, false}),
      Register(26, 6),
  });
  EXPECT_EQ(run.At(1)["result"], true);  // nothing open: nothing to close
  EXPECT_EQ(run.At(3)["result"], true);
  EXPECT_EQ(run.At(4)["result"], false);
  EXPECT_EQ(run.At(5)["result"], false);
  EXPECT_EQ(run.At(6)["result"], true);
  EXPECT_EQ(run.At(7)["result"], false);
  EXPECT_EQ(run.At(8)["result"], false);
  EXPECT_EQ(run.At(9)["result"], false);  // unknown type: no report at all
  EXPECT_EQ(run.At(10)["result"], true);
  EXPECT_EQ(run.At(11)["result"], false);  // letters in an EAN-8: refused
  // Reports: the one opened by hand, two bar codes, the header.
  EXPECT_EQ(Reply(run.At(14)), "000004");
  EXPECT_EQ(Count("iRGFechar_ECF_Daruma"), 4);
  const std::string tape = Tape();
  EXPECT_EQ(tape.find("ok\n"), std::string::npos);
  EXPECT_NE(tape.find("789123456789"), std::string::npos);  // check digit left to the printer
  EXPECT_NE(tape.find("Caixa: 007" + std::string(16, ' ')), std::string::npos);
}

TEST_F(ReportsTest, CashMovementsMoveTheCashTotalByTheirDifference) {
  std::vector<Json> calls = {Call("Suprimento", {"PADRAO", 100.0})};
  for (const Json& c : CashSale("20,00")) calls.push_back(c);
  for (const Json& c : std::vector<Json>{
           Register(6, 260),
           Call("Sangria", {"", "PADRAO", 500.0}),  // more than the drawer holds
           Call("Sangria", {"", "PADRAO", 50.0}),
           Call("Sangria", {"", "PADRAO", -5.0}),
           Call("Sangria", {"", "PADRAO", 0.0}),
           Call("Suprimento", {"PADRAO", 10.5}),
           Call("Suprimento", {"PADRAO", -1.0}),
           Register(6, 260),
           Register(8, 13),
           Call("Abre_Gaveta_Imp", {"PADRAO", false}),
           Call("Estado_Gaveta_Imp", {"PADRAO"}),
           Sim("drawer close"),
           Call("Estado_Gaveta_Imp", {"PADRAO"}),
       })
    calls.push_back(c);
  const HostRun run = Day(calls);
  EXPECT_EQ(run.Record("Suprimento", 0)["result"], true);
  EXPECT_EQ(Reply(run.Record("driver", 5)).substr(0, 13), "0000000012000");
  EXPECT_EQ(run.Record("Sangria", 0)["result"], false);
  EXPECT_EQ(run.Record("Sangria", 1)["result"], true);
  EXPECT_EQ(run.Record("Sangria", 2)["result"], false);
  EXPECT_EQ(run.Record("Sangria", 3)["result"], true);
  const Json& refused = run.Record("Sangria", 2)["messages"];
  ASSERT_FALSE(refused.empty());
  EXPECT_EQ(refused.back()["text"], "Erro ao enviar comando para a impressora.");
  EXPECT_EQ(run.Record("Suprimento", 2)["result"], true);  // nothing to put in

  EXPECT_TRUE(LogHas("iSuprimento_ECF_Daruma : 10,50"));
  EXPECT_TRUE(LogHas("iSangria_ECF_Daruma : 0,01"));
  EXPECT_TRUE(LogHas("iSangria_ECF_Daruma : -5,00"));
  EXPECT_FALSE(LogHas("iSuprimento_ECF_Daruma : -1,00"));
  // 100,00 + 20,00 - 50,00 - 0,01 + 10,50
  EXPECT_EQ(Reply(run.Record("driver", 6)).substr(0, 13), "0000000008049");
  EXPECT_EQ(Reply(run.Record("driver", 7)), "0000000005001");

  EXPECT_EQ(run.Record("Estado_Gaveta_Imp", 0)["result"], "01");
  EXPECT_EQ(run.Record("Estado_Gaveta_Imp", 1)["result"], "00");
}

TEST_F(ReportsTest, ZClosesTheDayOnlyWhenItSucceeds) {
  std::vector<Json> calls = {Call("Suprimento", {"PADRAO", 100.0})};
  for (const Json& c : CashSale("20,00")) calls.push_back(c);
  calls.push_back(Call("Sangria", {"", "PADRAO", 50.0}));
  calls.push_back(Call("Leitura_X_Imp", {"LX-1", "", "PADRAO", ""}));
  calls.push_back(Driver("iCFAbrirPadrao_ECF_Daruma"));
  calls.push_back(Call("Reducao_Z_Imp", {"RZ-0", "", "PADRAO", ""}));  // a receipt is open
  calls.push_back(Register(70, 8));
  calls.push_back(Driver("iCFCancelar_ECF_Daruma"));
  calls.push_back(Call("Reducao_Z_Imp", {"RZ-1", "", "PADRAO", ""}));
  calls.push_back(Register(70, 8));
  calls.push_back(Register(140, 1164));
  calls.push_back(Records());
  const HostRun run = Day(calls);

  EXPECT_EQ(run.Record("Leitura_X_Imp")["result"], true);
  EXPECT_EQ(run.Record("Reducao_Z_Imp", 0)["result"], false);
  EXPECT_FALSE(run.Record("Reducao_Z_Imp", 0)["messages"].empty());
  EXPECT_NE(Reply(run.Record("driver", 6)), "01012000");  // the day is still open
  EXPECT_EQ(run.Record("Reducao_Z_Imp", 1)["result"], true);
  EXPECT_EQ(Reply(run.Record("driver", 8)), "01012000");  // and now closed

  // The Z record keeps the day: one receipt of 20,00 sold, one cancelled
  // open (cancellations 0 since it had no items), cash 70,00 in the drawer.
  const std::string z = Reply(run.Record("driver", 9));
  ASSERT_EQ(z.size(), 1164u);
  EXPECT_EQ(std::stoll(z.substr(8, 18)) - std::stoll(z.substr(26, 18)), 2000);  // gross
  EXPECT_EQ(std::stoll(z.substr(436, 14)), 7000);                               // cash
  EXPECT_EQ(z.substr(922, 4), "0001");                                          // CRZ

  // The register: the X and the successful Z only.
  const Json& records = run.Record("records");
  EXPECT_EQ(Types(records), (std::vector<std::string>{"LX", "RZ"}));
  const Json& rows = records["args"][1]["rows"];
  EXPECT_EQ(rows[0]["chave"], "LX-1");
  EXPECT_EQ(rows[0]["informacao_28"], "");  // no counter query for an X
  EXPECT_EQ(rows[1]["chave"], "RZ-1");
  EXPECT_NE(rows[1]["informacao_28"], "");
  const std::string tape = Tape();
  EXPECT_NE(tape.find("LEITURA X"), std::string::npos);
  EXPECT_NE(tape.find("REDUÇÃO Z"), std::string::npos);
}

// The demo's day: the scripts in the demo's order; the cash opening and the
// reports after the sales all succeed, and the register ends with the day's
// X and Z.
TEST_F(ReportsTest, DemoDayEndsWithTheZAndItsRegister) {
  for (const char* name :
       {"previous-day.json", "start-of-day.json", "cash-opening.json", "sale.json"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(RunText(Example(name)).exitStatus, 0);
  }
  const HostRun run = RunText(Example("reports.json"));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (const char* op : {"Sangria", "CodigoBarra", "Cupom_Troca", "Conferencia_Formatada",
                         "Relatorio_Generico", "Leitura_X_Imp", "Reducao_Z_Imp"}) {
    EXPECT_EQ(run.Record(op)["result"], true) << run.Record(op).dump();
  }
  EXPECT_EQ(Reply(run.Record("driver")), "01012000");
  const std::vector<std::string> types = Types(run.Record("records"));
  ASSERT_GE(types.size(), 3u);
  EXPECT_EQ(types[types.size() - 3], "RG");
  EXPECT_EQ(types[types.size() - 2], "LX");
  EXPECT_EQ(types.back(), "RZ");

  // The same register from the command line, after the session.
  const std::string command =
      "env -u TOV_REGISTRY -u TOV_DRIVE_ROOT -u TOV_HOST_DIR '" TOV_BUILD_BIN_DIR
      "/ecfhost' records --host-dir '" +
      hostDir() + "'";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) out.append(chunk, n);
    EXPECT_EQ(pclose(pipe), 0);
  }
  const Json listed = Json::parse(out);
  EXPECT_EQ(listed["result"], run.Record("records")["result"]);
  EXPECT_EQ(listed["args"][1]["rows"].back()["chave"], "RZ-001");
}

}  // namespace
}  // namespace e2e
