// The fault matrix: every step of a small sale against every failure the
// printer can give at it. For each case: no step reports success for a
// command that did not take effect, a failure reaches the operator (dialogs
// are on), and after the next start of day (a new session or a new till
// process) no document is left open, the stored grand total agrees with the
// printer's and nothing was registered twice.
//
// Each case is followed by the next start of day, which checks what it left;
// the counts are printed at the end.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>

#include "sale_script.h"

namespace e2e {
namespace {

// The sale: item A 1,00 and item B 2,00, B cancelled, paid 0,40 + 0,60 cash.
// The grand total counts the cancelled item too.
constexpr long long kSaleGrossCents = 300;

struct Failure {
  std::string name;
  std::vector<std::string> before, after;  // sim commands around the step
};

// Every failure for a step whose printer command is `command`.
std::vector<Failure> FailuresOf(const std::string& command) {
  std::vector<Failure> out;
  for (int code : {0,   -1,  -2,  -3,  -4,  -5,  -6,  -7,  -8,   -9,   -10,  -24,  -27,  -28,
                   -40, -50, -51, -52, -53, -60, -90, -99, -101, -102, -103, -104, -105, -107}) {
    out.push_back({"code " + std::to_string(code),
                   {"fail " + command + " " + std::to_string(code) + " once"},
                   {"fail " + command + " off"}});
  }
  out.push_back(
      {"unlisted code -13", {"fail " + command + " -13 once"}, {"fail " + command + " off"}});
  out.push_back({"printer off", {"power off"}, {"power on"}});
  out.push_back({"paper out", {"paper out"}, {"paper ok"}});
  out.push_back({"port busy", {"port busy"}, {"port free"}});
  out.push_back({"status error", {"status 1 0"}, {"status 0 0"}});
  out.push_back(
      {"lost reply", {"lose-reply " + command + " once"}, {"lose-reply " + command + " off"}});
  return out;
}

Json Register(const std::string& index, int width) {
  return Driver("rRetornarInformacao_ECF_Daruma", {index, width});
}

Json GrandTotalBag(const char* validate) {
  return {{"bag",
           {{"CDFILIAL", "001"},
            {"CDCAIXA", "001"},
            {"NRSERIEIMP", "DR0111BR000000000001"},
            {"ESQUEMACOR", "PADRAO"},
            {"IDVALIDA", validate}}}};
}

Json CancelReceiptCall() {
  return Call("Cancela_Cupom_Imp",
              {{{"array", {"PADRAO", true, false, "", "001", "001", "DR0111BR000000000001"}}},
               {{"size", 1}}});
}

// A step of the sale: what comes before it, its call, and how to read from
// the printer whether it took effect.
struct Step {
  const char* name;
  const char* command;  // the printer command the failure hits
  std::vector<Json> before;
  Json call;
  Json probe;                                   // read right after the step
  std::function<bool(const Json&)> tookEffect;  // on the probe's record
};

std::string ReplyOf(const Json& probe) {
  return probe["args"][1].get<std::string>();
}

std::vector<Step> Steps() {
  const Json open = OpenReceipt();
  const Json itemA = Call("VendaItem", {ItemBag("1", "Item A", 1, 1)});
  const Json itemB = Call("VendaItem", {ItemBag("2", "Item B", 1, 2)});
  const Json cancelB = Call("Cancela_UltimoItem", {"PADRAO"});
  const Json closing = ClosingCall({{"001", 0.40}, {"001", 0.60}});
  const Json record = Call("Atu_TotGeral", {GrandTotalBag("N")});
  auto closedReceipt = [](const Json& p) { return ReplyOf(p) == "0"; };
  return {
      {"start",
       "iCFCancelar_ECF_Daruma",
       {Driver("iCFAbrirPadrao_ECF_Daruma"),
        Driver("iCFVender_ECF_Daruma", {"F1", "1,000", "5,00", "D$", "0,00", "9", "UN", "Resto"})},
       StartCall(),
       Register("56", 1),
       closedReceipt},
      {"opening",
       "iCFAbrirPadrao_ECF_Daruma",
       {},
       open,
       Register("56", 1),
       [](const Json& p) { return ReplyOf(p) == "1"; }},
      {"item",
       "iCFVender_ECF_Daruma",
       {open, itemA},
       itemB,
       Register("161", 4),
       [](const Json& p) { return ReplyOf(p) == "0002"; }},
      {"item cancellation",
       "iCFCancelarUltimoItem_ECF_Daruma",
       {open, itemA, itemB},
       cancelB,
       Register("160", 13),
       [](const Json& p) { return ReplyOf(p) == "0000000000100"; }},
      {"subtotal",
       "iCFTotalizarCupom_ECF_Daruma",
       {open, itemA, itemB, cancelB},
       closing,
       Register("56", 1),
       closedReceipt},
      {"payment",
       "iCFEfetuarPagamentoFormatado_ECF_Daruma",
       {open, itemA, itemB, cancelB},
       closing,
       Register("56", 1),
       closedReceipt},
      {"closing",
       "iCFEncerrarConfigMsg_ECF_Daruma",
       {open, itemA, itemB, cancelB},
       closing,
       Register("56", 1),
       closedReceipt},
      {"grand-total record",
       "rRetornarInformacao_ECF_Daruma",
       {open, itemA, itemB, cancelB, closing},
       record,
       Call("Atu_TotGeral", {GrandTotalBag("S")}),
       [](const Json& p) { return p["result"] == true; }},
      {"receipt cancellation",
       "iCFCancelar_ECF_Daruma",
       {open, itemA, itemB, cancelB, closing, record},
       CancelReceiptCall(),
       Register("53", 4),
       // Cancelling a closed receipt prints a document of its own after it.
       [](const Json& p) { return ReplyOf(p) != "0000"; }},
  };
}

struct Counts {
  int cases = 0, failedAsExpected = 0, succeeded = 0, falseSuccess = 0, silentFailure = 0,
      inconsistent = 0, duplicated = 0;
};

class FaultMatrixTest : public EcfhostTest {
 protected:
  void SetUp() override {
    EcfhostTest::SetUp();
    std::filesystem::copy_file(TOV_SOURCE_DIR "/examples/Brindal.cds", hostDir() + "/Brindal.cds");
  }

  // The start of a till process: the globals that choose the control file's
  // row, the session start, then what it finds.
  static std::vector<Json> Prelude() {
    return {{{"op", "set"}, {"name", "stAtuFili"}, {"value", "001"}},
            {{"op", "set"}, {"name", "stAtuCaixa"}, {"value", "001"}},
            {{"op", "set"}, {"name", "stSerieAtu"}, {"value", "DR0111BR000000000001"}},
            StartCall(),
            Register("56", 1),
            Call("Atu_TotGeral", {GrandTotalBag("S")}),
            Register("1", 18)};
  }
  static constexpr size_t kPreludeStart = 3, kPreludeDocument = 4, kPreludeCheck = 5,
                          kPreludeTotal = 6;

  // Checks what a case left, as the next start of day found it: the prelude
  // at `base` in `run`.
  void CheckAfterRestart(const HostRun& run, size_t base, long long previousTotal,
                         const std::string& what, Counts& counts) {
    SCOPED_TRACE(what + " (next start of day)");
    const Json& start = run.At(base + kPreludeStart);
    const Json& document = run.At(base + kPreludeDocument);
    const Json& check = run.At(base + kPreludeCheck);
    const bool consistent =
        start["result"] == true && ReplyOf(document) == "0" && check["result"] == true;
    EXPECT_TRUE(consistent) << start.dump() << "\n" << document.dump() << "\n" << check.dump();
    if (!consistent) ++counts.inconsistent;
    const long long total = std::stoll(ReplyOf(run.At(base + kPreludeTotal)));
    // The leftover receipt of the start step adds its own 5,00.
    if (total - previousTotal > kSaleGrossCents + 500) {
      ++counts.duplicated;
      ADD_FAILURE() << "the grand total grew by " << total - previousTotal;
    }
  }

  void CheckStep(const Json& result, const Json& probe, const Step& step, Counts& counts) {
    ++counts.cases;
    if (result["result"] == true) {
      ++counts.succeeded;
      if (!step.tookEffect(probe)) {
        ++counts.falseSuccess;
        ADD_FAILURE() << "success without effect: " << result.dump() << "\n" << probe.dump();
      }
      return;
    }
    ++counts.failedAsExpected;
    if (result["messages"].empty()) {
      ++counts.silentFailure;
      ADD_FAILURE() << "a failure without a message: " << result.dump();
    }
  }

  // The cases of a step run in a few till processes. Within a process the
  // next start of day is a new session start; the last case of each process
  // is checked by the next process, a till started again.
  Counts RunStep(const Step& step) {
    constexpr size_t kCasesPerProcess = 9;
    Counts counts;
    const std::vector<Failure> failures = FailuresOf(step.command);
    long long previousTotal = -1;
    std::string previousCase;
    // The last process only starts the day, to check the step's last case.
    for (size_t first = 0;; first = std::min(first + kCasesPerProcess, failures.size())) {
      const size_t last = std::min(first + kCasesPerProcess, failures.size());
      struct Placed {
        size_t step, probe, restart;
      };
      std::vector<Placed> placed;
      std::vector<Json> calls = Prelude();
      for (size_t i = first; i < last; ++i) {
        const Failure& f = failures[i];
        Placed at{};
        for (const Json& c : step.before) calls.push_back(c);
        for (const std::string& s : f.before) calls.push_back(Sim(s));
        at.step = calls.size();
        calls.push_back(step.call);
        for (const std::string& s : f.after) calls.push_back(Sim(s));
        at.probe = calls.size();
        calls.push_back(step.probe);
        at.restart = calls.size();
        if (i + 1 < last) {
          for (const Json& c : Prelude()) calls.push_back(c);
        }
        placed.push_back(at);
      }
      const HostRun run = Run({{"locale", "pt_BR"}, {"calls", calls}});
      if (run.exitStatus != 0 || run.records.size() != calls.size()) {
        ADD_FAILURE() << "the till script did not run whole: " << run.out << run.err;
        return counts;
      }
      if (previousTotal >= 0) CheckAfterRestart(run, 0, previousTotal, previousCase, counts);
      previousTotal = std::stoll(ReplyOf(run.At(kPreludeTotal)));
      for (size_t k = 0; k < placed.size(); ++k) {
        previousCase = std::string(step.name) + " x " + failures[first + k].name;
        SCOPED_TRACE(previousCase);
        CheckStep(run.At(placed[k].step), run.At(placed[k].probe), step, counts);
        if (first + k + 1 < last) {
          CheckAfterRestart(run, placed[k].restart, previousTotal, previousCase, counts);
          previousTotal = std::stoll(ReplyOf(run.At(placed[k].restart + kPreludeTotal)));
        }
      }
      if (first == failures.size()) break;
    }
    return counts;
  }
};

TEST_F(FaultMatrixTest, EveryStepAgainstEveryFailure) {
  std::map<std::string, Counts> byStep;
  Counts all;
  for (const Step& step : Steps()) {
    const Counts c = RunStep(step);
    byStep[step.name] = c;
    all.cases += c.cases;
    all.succeeded += c.succeeded;
    all.failedAsExpected += c.failedAsExpected;
    all.falseSuccess += c.falseSuccess;
    all.silentFailure += c.silentFailure;
    all.inconsistent += c.inconsistent;
    all.duplicated += c.duplicated;
  }
  std::cout << "Fault matrix (step: cases, reported failures, successes; false successes, "
               "silent failures, inconsistent restarts, duplicates)\n";
  for (const auto& [name, c] : byStep) {
    std::cout << "  " << name << ": " << c.cases << ", " << c.failedAsExpected << ", "
              << c.succeeded << "; " << c.falseSuccess << ", " << c.silentFailure << ", "
              << c.inconsistent << ", " << c.duplicated << "\n";
  }
  std::cout << "  total: " << all.cases << " cases, " << all.failedAsExpected
            << " reported failures, " << all.succeeded << " successes; " << all.falseSuccess
            << " false successes, " << all.silentFailure << " silent failures, " << all.inconsistent
            << " inconsistent restarts, " << all.duplicated << " duplicates\n";
}

}  // namespace
}  // namespace e2e
