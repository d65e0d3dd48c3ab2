// Card-payment vouchers printed after a card sale, through ecfhost against
// the virtual printer: the linked-voucher route, the management-report
// route, the operator's retry and the fall-back, and the text rules.
#include <algorithm>
#include <string>
#include <vector>

#include "sale_script.h"
#include "tov00300/format.h"

namespace e2e {
namespace {

const char* const kVoucherTitle = "COMPROVANTE DE CRÉDITO OU DÉBITO";
const char* const kReportTitle = "RELATÓRIO GERENCIAL";

Json Strings(const std::vector<std::string>& texts) {
  return {{"strings", texts}};
}

// The voucher call with the parameters that choose the route; the others
// are the host's usual empty values.
Json Tef(const std::string& op, const std::vector<std::string>& first,
         const std::vector<std::string>& second, double value = 25, const std::string& linked = "1",
         const std::string& flag = "N", const std::string& terminal = "") {
  Json args = {"Relatorio",
               "TEF",
               "",
               "PADRAO",
               Strings(first),
               Strings(second),
               Strings({}),
               Strings({}),
               "",
               linked,
               "",
               value,
               0,
               0,
               flag};
  if (op != "ImprimeTefRG_FrameWork") args.push_back(terminal);
  return Call(op, args);
}

// A sale of 25,00 paid by credit card: the payment a linked voucher links to.
std::vector<Json> CardSale(bool dialogsOff = false) {
  Json start = StartCall();
  start["args"][0]["bag"]["BOUTILTAA"] = dialogsOff;
  return {start, OpenReceipt(true), Call("VendaItem", {ItemBag("10", "Cafe", 1, 25)}),
          ClosingCall({{"002", 25}}, true)};
}

Json Script(std::vector<Json> calls, const std::vector<std::string>& answers = {}) {
  return {{"locale", "pt_BR"}, {"answers", answers}, {"calls", std::move(calls)}};
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// True when the parts appear in the text in this order.
bool InOrder(const std::string& text, const std::vector<std::string>& parts) {
  size_t at = 0;
  for (const std::string& part : parts) {
    at = text.find(part, at);
    if (at == std::string::npos) return false;
    at += part.size();
  }
  return true;
}

size_t Questions(const Json& record) {
  return std::count_if(record["messages"].begin(), record["messages"].end(),
                       [](const Json& m) { return m["question"] == true; });
}

using CardVouchersTest = EcfhostTest;

TEST_F(CardVouchersTest, LinkedVoucherPrintsEachSecondCopyAfterItsFirstAndCloses) {
  std::vector<Json> calls = CardSale();
  calls.push_back(Tef("ImprimeTef_FrameWork", {"CLIENTE 0", "CLIENTE 1"},
                      {"LOJA 0", "LOJA 1", "LOJA SOBRANDO"}));
  const HostRun run = Run(Script(calls));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("ImprimeTef_FrameWork")["result"], true);
  const std::string tape = Tape();
  EXPECT_EQ(Count(tape, kVoucherTitle), 1u) << tape;
  EXPECT_TRUE(InOrder(tape, {kVoucherTitle, "\nCLIENTE 0\nLOJA 0\nCLIENTE 1\nLOJA 1\n---"}))
      << tape;
  EXPECT_EQ(tape.find("LOJA SOBRANDO"), std::string::npos) << "a second copy without a voucher";
  EXPECT_EQ(tape.find(kReportTitle), std::string::npos);
}

TEST_F(CardVouchersTest, EachRouteAndTerminalKindPrintsItsCopies) {
  struct Case {
    Json call;
    const char* document;  // the document the vouchers come out in
    bool firstCopy, secondCopy;
  } cases[] = {
      {Tef("ImprimeTef_FrameWork", {"VIA A"}, {"VIA B"}, 0), kReportTitle, true, true},
      {Tef("ImprimeTef_FrameWork", {"VIA A"}, {"VIA B"}, 25, ""), kReportTitle, true, true},
      {Tef("ImprimeTef_FrameWork", {"VIA A"}, {"VIA B"}, 25, "1", "S"), kReportTitle, false, true},
      {Tef("ImprimeTef_FrameWork", {"VIA A"}, {"VIA B"}, 25, "1", "N", "TAA"), kVoucherTitle, true,
       false},
      {Tef("ImprimeTef_FrameWork", {"VIA A"}, {"VIA B"}, 25, "1", "N", "APC"), kVoucherTitle, true,
       false},
      // The plain operation never passes a terminal kind on.
      {Tef("ImprimeTef", {"VIA A"}, {"VIA B"}, 25, "1", "N", "TAA"), kVoucherTitle, true, true},
      {Tef("ImprimeTefRG_FrameWork", {"VIA A"}, {"VIA B"}), kReportTitle, true, true},
  };
  for (const Case& c : cases) {
    std::vector<Json> calls = CardSale();
    calls.push_back(c.call);
    const HostRun run = Run(Script(calls));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::string op = c.call["op"];
    EXPECT_EQ(run.Record(op)["result"], true) << c.call.dump();
    // Only what this call printed: the tape after the sale's receipt.
    const std::string tape = Tape();
    const std::string printed = tape.substr(tape.rfind("Operador:"));
    EXPECT_NE(printed.find(c.document), std::string::npos) << c.call.dump() << printed;
    EXPECT_EQ(printed.find("\nVIA A\n") != std::string::npos, c.firstCopy) << c.call.dump();
    EXPECT_EQ(printed.find("\nVIA B\n") != std::string::npos, c.secondCopy) << c.call.dump();
  }
}

TEST_F(CardVouchersTest, RefusedTextAnsweredYesIsPrintedAgainAsAManagementReport) {
  std::vector<Json> calls = CardSale();
  // The second text, the shop's copy of the first voucher, is refused.
  calls.push_back(Sim("fail iCCDImprimirTexto_ECF_Daruma -1 once after 1"));
  calls.push_back(Tef("ImprimeTef_FrameWork", {"CLIENTE 0", "CLIENTE 1"}, {"LOJA 0", "LOJA 1"}));
  const HostRun run = Run(Script(calls, {"S"}));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const Json& tef = run.Record("ImprimeTef_FrameWork");
  EXPECT_EQ(tef["result"], true);
  EXPECT_EQ(Questions(tef), 1u) << tef.dump();
  const std::string tape = Tape();
  // The linked voucher is closed with what it holds, then every voucher
  // comes out whole in the report.
  EXPECT_TRUE(InOrder(tape, {kVoucherTitle, "\nCLIENTE 0\n---", kReportTitle,
                             "\nCLIENTE 0\nLOJA 0\nCLIENTE 1\nLOJA 1\n"}))
      << tape;
  EXPECT_EQ(tape.find("\nLOJA 0\n", tape.find(kVoucherTitle)), tape.find("\nLOJA 0\n"))
      << "the refused copy appears only in the report";
}

TEST_F(CardVouchersTest, RefusalOnAnEarlierVoucherIsNotTakenForSuccess) {
  // The first voucher's customer copy is refused: the pass stops there, the
  // operator is asked, and a no ends with false.
  std::vector<Json> calls = CardSale();
  calls.push_back(Sim("fail iCCDImprimirTexto_ECF_Daruma -1 once"));
  calls.push_back(Tef("ImprimeTef_FrameWork", {"CLIENTE 0", "CLIENTE 1"}, {"LOJA 0", "LOJA 1"}));
  const HostRun run = Run(Script(calls, {"N"}));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const Json& tef = run.Record("ImprimeTef_FrameWork");
  EXPECT_EQ(tef["result"], false);
  EXPECT_EQ(Questions(tef), 1u) << tef.dump();
  const auto log = DebugLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "iCCDImprimirTexto_ECF_Daruma"), 1)
      << "nothing may follow the refused voucher";
  EXPECT_EQ(std::count(log.begin(), log.end(), "iCCDFechar_ECF_Daruma"), 0);
}

TEST_F(CardVouchersTest, WithoutAnOperatorARefusalEndsWithFalseAndNoQuestion) {
  std::vector<Json> calls = CardSale(true);
  calls.push_back(Sim("fail iCCDImprimirTexto_ECF_Daruma -1 once after 2"));
  calls.push_back(Tef("ImprimeTef_FrameWork", {"CLIENTE 0", "CLIENTE 1"}, {"LOJA 0", "LOJA 1"}));
  const HostRun run = Run(Script(calls, {"S"}));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const Json& tef = run.Record("ImprimeTef_FrameWork");
  EXPECT_EQ(tef["result"], false);
  EXPECT_EQ(Questions(tef), 0u) << tef.dump();
  EXPECT_EQ(Tape().find(kReportTitle), std::string::npos);
}

TEST_F(CardVouchersTest, NoVoucherMeansNothingOpened) {
  std::vector<Json> calls = CardSale();
  calls.push_back(Tef("ImprimeTef_FrameWork", {}, {"LOJA 0"}));
  calls.push_back(Tef("ImprimeTefRG_FrameWork", {}, {"LOJA 0"}));
  const HostRun run = Run(Script(calls));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("ImprimeTef_FrameWork")["result"], false);
  EXPECT_EQ(run.Record("ImprimeTefRG_FrameWork")["result"], false);
  EXPECT_EQ(Tape().find(kVoucherTitle), std::string::npos);
  EXPECT_EQ(Tape().find(kReportTitle), std::string::npos);
}

TEST_F(CardVouchersTest, BackslashesLineFeedsAndLongTextsArePrintedWhole) {
  // A backslash before the line feed the same gathering takes is printed;
  // one after it breaks the line. A text without a final line feed, and one
  // longer than the printer takes at once, come out whole.
  std::string longText;
  for (int i = 0; longText.size() < 1500; ++i) longText += std::to_string(i % 10);
  std::vector<Json> calls = CardSale();
  calls.push_back(Tef("ImprimeTef_FrameWork", {"A\\B\nC\\D", longText}, {}, 25, "1", "N", "TAA"));
  const HostRun run = Run(Script(calls));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("ImprimeTef_FrameWork")["result"], true);
  const std::string tape = Tape();
  EXPECT_TRUE(InOrder(tape, {kVoucherTitle, "\nA\\B\nC\nD\n"})) << tape;
  // The tape wraps at 48 columns: joined again, the lines give the text.
  std::string joined;
  const size_t from = tape.find("\nD\n") + 3;
  for (size_t at = from; at < tape.size();) {
    const size_t end = tape.find('\n', at);
    const std::string line = tape.substr(at, end - at);
    if (line.empty() || line[0] == '-') break;
    joined += line;
    at = end + 1;
  }
  EXPECT_EQ(joined, longText);
}

TEST_F(CardVouchersTest, MegabyteTextsArePrintedToTheEnd) {
  std::string big;
  for (int i = 0; big.size() < 1'000'000; ++i) big += "linha " + std::to_string(i) + "\n";
  const std::string last = big.substr(big.rfind('\n', big.size() - 2) + 1);
  std::vector<Json> calls = CardSale();
  calls.push_back(Tef("ImprimeTef_FrameWork", {big}, {}, 25, "1", "N", "TAA"));
  calls.push_back(Call("Relatorio_Gerencial_Imp", {"PADRAO", "", "", "", ""}));
  calls.push_back(Call("Extrato", {big, "PADRAO"}));
  const HostRun run = Run(Script(calls));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.Record("ImprimeTef_FrameWork")["result"], true);
  EXPECT_EQ(run.Record("Extrato")["result"], true);
  EXPECT_EQ(Count(Tape(), "\n" + last), 2u) << "the voucher's and the statement's last line";
}

TEST_F(CardVouchersTest, LinkedVoucherPrimitivesThroughTheDispatcher) {
  std::vector<Json> calls = CardSale();
  calls.push_back(Call("Abre_Comp_NFiscalVinc", {"PADRAO", "ccd", "AbreCCD", ""}));
  calls.push_back(Call("Abre_Comp_NFiscalVinc", {"PADRAO", "CCD", "AbreCCD", ""}));
  calls.push_back(
      Call("Abre_Comp_NFiscalVinc", {"PADRAO", "CCD", "ImprimeCCD", std::string(700, 'x')}));
  calls.push_back(Call("Abre_Comp_NFiscalVinc", {"PADRAO", "CCD", "Imprime", "y"}));
  calls.push_back(Call("Abre_Comp_NFiscalVinc", {"PADRAO", "CCD", "FechaCCD", ""}));
  calls.push_back(Call("FechaCCD_FrameWork", {"PADRAO"}));
  const HostRun run = Run(Script(calls));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const bool expected[] = {false, true, true, false, true};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(run.Record("Abre_Comp_NFiscalVinc", i)["result"], expected[i]) << i;
  EXPECT_EQ(run.Record("FechaCCD_FrameWork")["result"], true) << "nothing open is no failure";
  // One command takes 619 characters: twelve full lines of 48 and 43 more.
  const std::string tape = Tape();
  EXPECT_EQ(Count(tape, std::string(48, 'x') + "\n"), 12u) << tape;
  EXPECT_EQ(Count(tape, "\n" + std::string(43, 'x') + "\n"), 1u) << tape;
}

// The demo's chapter of card payments and consumer accounts, after the
// start of day: every call succeeds, the refused voucher after the
// operator's yes included.
TEST_F(CardVouchersTest, DemoChapterSucceeds) {
  ASSERT_EQ(RunText(Example("start-of-day.json")).exitStatus, 0);
  const HostRun run = RunText(Example("vouchers.json"));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (const Json& record : run.records) {
    if (record["op"] == "sim") continue;
    EXPECT_TRUE(record["result"].is_null() || record["result"] == true) << record.dump();
  }
  EXPECT_EQ(Count(Tape(), kVoucherTitle), 2u);
}

}  // namespace
}  // namespace e2e
