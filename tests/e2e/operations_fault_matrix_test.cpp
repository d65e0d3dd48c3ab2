// The fault matrix of the operations beyond the sale: every driver call an
// operation makes (as a clean run of it shows) fails once, loses its reply
// once, or leaves an error in the printer's status once. The operator answers
// yes to every question to retry and, when the operation answers false,
// repeats it once. Each case is judged by what the printer counted and the
// host recorded, against the clean run:
//   false success   true, and less than the clean run did (or nothing);
//   silent failure  false without a message to the operator;
//   duplicate       more than the clean run did (a document, an amount or a
//                   record twice);
//   unrecoverable   the next till start (a new process) does not find the
//                   printer sound, or cannot sell.
// What the operation is required to do that these flag is listed below with
// its reason; anything else fails the test.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

#include "operations_table.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

struct Fault {
  std::string kind;  // "fail", "lost reply", "status"
  std::string call;  // the driver entry point
  int occurrence;    // 0: its first call in the operation
  std::vector<std::string> arm, disarm;
};

// The faults of one driver call, the occurrence-th of its name.
std::vector<Fault> FaultsOf(const std::string& call, int occurrence) {
  const std::string after = " once after " + std::to_string(occurrence);
  std::vector<Fault> faults = {
      {"fail", call, occurrence, {"fail " + call + " -1" + after}, {"fail " + call + " off"}},
      {"lost reply",
       call,
       occurrence,
       {"lose-reply " + call + after},
       {"lose-reply " + call + " off"}},
  };
  // The status query, the texts of codes, the keyboard lock and the registry
  // are no commands: they have no status of their own.
  const bool command = !call.starts_with("rStatusUltimoCmd") && !call.starts_with("eInterpretar") &&
                       !call.starts_with("eTEF_") && !call.starts_with("regRetorna");
  if (command) {
    faults.push_back({"status",
                      call,
                      occurrence,
                      {"status 1 0 " + call + " after " + std::to_string(occurrence)},
                      {"status 0 0 " + call}});
  }
  return faults;
}

// Flagged cases the operations are required to produce. A duplicate is
// allowed only when what grew beyond the clean run is among `over`.
struct Allowed {
  const char* op;
  const char* kind;  // "*" for any
  const char* call;  // "*" for any
  const char* verdict;
  const char* over;  // measures, blank separated
  const char* reason;
};
const char* const kReportAgain =
    "a report whose text was refused, lost or answered with an error is closed and answered false "
    "(no counter tells whether a text printed); the repetition prints the whole report again, "
    "which is no fiscal harm";
const char* const kTextAgain =
    "a report whose closing failed stays open; the repetition prints its text into it again and "
    "closes it";
const char* const kReceiptCancelled =
    "a non-fiscal receipt refused part-way is cancelled at once (a document of its own); the "
    "repetition registers its amount once";
const char* const kVoucherAsReport =
    "a refused or unanswered voucher text: the voucher is closed with what it holds and, as the "
    "operator asked, every voucher is printed again as a management report";
const char* const kDepositWhatever =
    "the deposit's money is registered whatever its voucher's fate, and the operator saw the "
    "report's refusal; answering false would have the host register money the printer holds";
const char* const kWithdrawalReceipt =
    "the withdrawal receipt is a management report of the closing: a printer answer lost or in "
    "error is shown to the operator, and the repetition prints it again (no cash moves in it)";
const char* const kPrintAgain =
    "a print that answers nothing shows the operator a lost or erroneous printer answer; the "
    "repetition prints the report again when a piece of its text may be missing or the problem "
    "came before it (no fiscal harm), not when the printer took the whole report";
const char* const kDownloadQuiet =
    "a refused or unanswered download of the fiscal memory or the detail memory answers false and "
    "leaves the failure to the debug log, as the host expects of it; the repetition makes the "
    "files once";
const char* const kFileAgain =
    "the MFD text file is made before the download: a download that failed after it has the "
    "repetition make the text file again, named after the second it runs in (a legal file made "
    "twice, no fiscal harm)";
const Allowed kAllowed[] = {
    {"Gera_ArquivoMFD", "*", "*", "duplicate", "files", kFileAgain},
    {"Gera_ArquivoMFD", "*", "r*", "silent failure", "", kDownloadQuiet},
    {"GERA_MF", "*", "rEfetuarDownloadMF_ECF_Daruma", "silent failure", "", kDownloadQuiet},
    {"ImprimeDadosPaf", "*", "*", "duplicate", "COO GNF GRG tape", kPrintAgain},
    {"Relatorio_Produto", "*", "*", "duplicate", "COO GNF GRG tape", kPrintAgain},
    {"ImprimeMesasAbertas", "*", "*", "duplicate", "COO GNF GRG tape", kPrintAgain},
    {"imprimeProdutosTransf", "*", "*", "duplicate", "COO GNF GRG tape", kPrintAgain},
    {"GeraReciboSangria", "*", "*", "duplicate", "COO GNF GRG tape", kWithdrawalReceipt},
    {"*", "*", "iRGImprimirTexto_ECF_Daruma", "duplicate", "COO GNF GRG records tape",
     kReportAgain},
    {"*", "fail", "iRGAbrirPadrao_ECF_Daruma", "duplicate", "COO GNF GRG tape", kReportAgain},
    {"*", "fail", "iImprimirCodigoBarras_ECF_Daruma", "duplicate", "COO GNF GRG tape",
     kReportAgain},
    {"CodigoBarra", "lost reply", "iImprimirCodigoBarras_ECF_Daruma", "duplicate",
     "COO GNF GRG tape", kReportAgain},
    {"*", "fail", "iRGFechar_ECF_Daruma", "duplicate", "COO GNF GRG tape", kTextAgain},
    {"*", "fail", "iCNF*", "duplicate", "COO GNF tape", kReceiptCancelled},
    {"ImprimeTef*", "*", "iCCDImprimirTexto_ECF_Daruma", "duplicate", "COO GNF GRG tape",
     kVoucherAsReport},
    {"ImprimeTefRG_FrameWork", "*", "iRGImprimirTexto_ECF_Daruma", "duplicate", "COO GNF GRG tape",
     kVoucherAsReport},
    {"Compr_CredPessoal", "fail", "iRG*", "false success", "", kDepositWhatever},
    {"Cancela_Cred_Pessoal", "fail", "iRG*", "false success", "", kDepositWhatever},
};

// A pattern of the allow-list: the text itself, or a prefix ending in "*".
bool Matches(std::string pattern, const std::string& text) {
  if (!pattern.empty() && pattern.back() == '*') {
    pattern.pop_back();
    return text.starts_with(pattern);
  }
  return pattern == text;
}

struct Counts {
  int cases = 0, succeeded = 0, failed = 0, falseSuccess = 0, silentFailure = 0, duplicate = 0,
      unrecoverable = 0, allowed = 0;
  void Add(const Counts& c) {
    cases += c.cases, succeeded += c.succeeded, failed += c.failed;
    falseSuccess += c.falseSuccess, silentFailure += c.silentFailure, duplicate += c.duplicate;
    unrecoverable += c.unrecoverable, allowed += c.allowed;
  }
};

// How many cases each allow-list entry covered, over the operations run.
std::map<size_t, int>& AllowedUse() {
  static std::map<size_t, int> use;
  return use;
}

Counts& Total() {
  static Counts total;
  return total;
}

// The length of the printed documents from COO `coo` on, as the printer's
// detail memory holds them (0 when it holds none: a document still open is
// not there yet).
long long TapeFrom(long long coo, const std::string& hostDir) {
  const std::string out = hostDir + ".tape";
  const std::string command = std::string(TOV_BUILD_BIN_DIR "/ecfhost tape --host-dir '") +
                              hostDir + "' --from " + std::to_string(coo) + " >'" + out + "'";
  if (std::system(command.c_str()) != 0) return 0;
  return static_cast<long long>(fs::file_size(out));
}

class OperationsFaultMatrixTest : public OperationTest {
 protected:
  // One till process: the start that checks what the last one left, the
  // operation's setup, the counters, the faults, the call (twice when
  // `repeat`), the counters again.
  struct Placed {
    size_t start, before, call, repeat, after;
  };
  Json Script(const Fault* fault, bool repeat, Placed& at) const {
    std::vector<Json> calls = TillStart();
    at.start = 0;
    calls.insert(calls.end(), op_.setup.begin(), op_.setup.end());
    at.before = calls.size();
    for (const Json& m : MeasureCalls()) calls.push_back(m);
    if (fault)
      for (const std::string& s : fault->arm) calls.push_back(Sim(s));
    at.call = calls.size();
    calls.push_back(op_.call);
    if (fault)
      for (const std::string& s : fault->disarm) calls.push_back(Sim(s));
    at.repeat = calls.size();
    if (repeat) calls.push_back(op_.call);
    at.after = calls.size();
    for (const Json& m : MeasureCalls()) calls.push_back(m);
    return {{"locale", "pt_BR"}, {"answers", std::vector<std::string>(12, "S")}, {"calls", calls}};
  }

  // What the call at `call` (and the repeat, if any) did: the measures after
  // less those before.
  std::vector<long long> Delta(const HostRun& run, const Placed& at, const Json& last) {
    std::vector<long long> before = Measures(run, at.before), after = Measures(run, at.after);
    after[11] = LegalFilesIn(hostDir());  // the folder starts each case empty
    if (op_.sameTapeEachRun)
      after[13] = TapeFrom(before[0], hostDir());  // from the last document before the call
    if (op_.produced) after[12] = op_.produced(last);
    std::vector<long long> delta;
    for (size_t i = 0; i < after.size(); ++i) delta.push_back(after[i] - before[i]);
    return delta;
  }

  // Runs the case; when the operation answered false, runs it again from
  // the same printer and host state with the operator's repetition.
  struct Outcome {
    bool ran = false;
    std::string startFault;  // what the start found of the previous case
    Json first, last;        // the call's records
    std::vector<long long> delta;
  };
  Outcome RunCase(const Fault* fault) {
    const fs::path host = hostDir(), saved = host.string() + ".saved";
    fs::remove_all(saved);
    fs::copy(host, saved, fs::copy_options::recursive);
    fs::remove_all(host / "Dados" / "MenuFiscal");
    Outcome out;
    Placed at{};
    HostRun run = Run(Script(fault, false, at));
    if (run.records.size() <= at.after) {
      ADD_FAILURE() << "the till script did not run whole: " << run.out << run.err;
      return out;
    }
    out.startFault = TillStartFault(run, at.start);
    out.first = out.last = run.At(at.call);
    if (AnsweredFalse(op_, out.first)) {
      fs::remove_all(host);
      fs::rename(saved, host);
      fs::remove_all(host / "Dados" / "MenuFiscal");
      run = Run(Script(fault, true, at));
      if (run.records.size() <= at.after) {
        ADD_FAILURE() << "the till script did not run whole: " << run.out << run.err;
        return out;
      }
      out.last = run.At(at.repeat);
    }
    out.delta = Delta(run, at, out.last);
    out.ran = true;
    return out;
  }
};

std::string Describe(const std::vector<long long>& delta) {
  std::string text;
  for (size_t i = 0; i < delta.size(); ++i)
    if (delta[i] != 0) text += " " + MeasureNames()[i] + "=" + std::to_string(delta[i]);
  return text.empty() ? " nothing" : text;
}

// How each measure compares with the clean run's: -1 less, 0 the same, 1 more.
std::vector<int> Compare(const std::vector<long long>& got, const std::vector<long long>& clean) {
  std::vector<int> out;
  for (size_t i = 0; i < got.size(); ++i) {
    const long long g = got[i], c = clean[i];
    // Same direction: more or less of it. A Z empties the day's totals, so
    // its clean change is negative; any other sign is "more".
    if (g == c)
      out.push_back(0);
    else if (c == 0 || ((g > 0) != (c > 0) && g != 0))
      out.push_back(1);
    else
      out.push_back(std::llabs(g) > std::llabs(c) ? 1 : -1);
  }
  return out;
}

TEST_P(OperationsFaultMatrixTest, EveryDriverCallAgainstEachFault) {
  // The clean run: its effect, and the driver calls the operation makes.
  const Outcome clean = RunCase(nullptr);
  ASSERT_TRUE(clean.ran);
  ASSERT_FALSE(AnsweredFalse(op_, clean.first)) << clean.first.dump();
  std::vector<Fault> faults;
  std::map<std::string, int> seen;
  for (const Json& d : clean.first["driver"]) {
    const std::string name = d["call"];
    for (Fault& f : FaultsOf(name, seen[name]++)) faults.push_back(std::move(f));
  }
  std::cout << GetParam() << ": " << clean.first["driver"].size() << " driver calls, effect"
            << Describe(clean.delta) << "\n";

  Counts counts;
  std::string previous = "clean run";
  const auto judgeStart = [&](const std::string& startFault) {
    if (startFault.empty()) return false;
    ADD_FAILURE() << "after " << previous << " the next till start failed: " << startFault;
    return true;
  };
  const int stride = Stride("TOV_FAULT_MATRIX_STRIDE", 4);
  for (size_t i = 0; i < faults.size(); i += stride) {
    const Fault& fault = faults[i];
    const Outcome got = RunCase(&fault);
    if (!got.ran) return;
    const std::string what = GetParam() + " x " + fault.kind + " at " + fault.call + "#" +
                             std::to_string(fault.occurrence);
    if (judgeStart(got.startFault)) ++counts.unrecoverable;
    previous = what;
    ++counts.cases;
    const bool ok = !AnsweredFalse(op_, got.last);
    ++(ok ? counts.succeeded : counts.failed);
    const std::vector<int> cmp = Compare(got.delta, clean.delta);
    std::vector<std::string> verdicts;
    if (std::count(cmp.begin(), cmp.end(), 1) > 0) verdicts.push_back("duplicate");
    if (ok && std::count(cmp.begin(), cmp.end(), -1) > 0 && verdicts.empty())
      verdicts.push_back("false success");
    for (const Json* r : {&got.first, &got.last})
      if (AnsweredFalse(op_, *r) && (*r)["messages"].empty() && !r->contains("error")) {
        verdicts.push_back("silent failure");
        break;
      }
    for (const std::string& verdict : verdicts) {
      const auto allowed = std::find_if(std::begin(kAllowed), std::end(kAllowed), [&](auto& a) {
        bool within = true;  // what grew is among the measures the entry allows
        for (size_t m = 0; m < cmp.size(); ++m)
          if (cmp[m] == 1)
            within =
                within && (" " + std::string(a.over) + " ").find(" " + MeasureNames()[m] + " ") !=
                              std::string::npos;
        return Matches(a.op, GetParam()) && Matches(a.kind, fault.kind) &&
               Matches(a.call, fault.call) && verdict == a.verdict &&
               (verdict != "duplicate" || within);
      });
      if (allowed != std::end(kAllowed)) {
        if (std::getenv("TOV_FAULT_MATRIX_VERBOSE"))
          std::cout << "  " << what << ": " << verdict << " (allowed: " << allowed->reason << ")"
                    << Describe(got.delta) << "\n";
        ++counts.allowed;
        ++AllowedUse()[static_cast<size_t>(allowed - std::begin(kAllowed))];
        continue;
      }
      ++(verdict == "duplicate"       ? counts.duplicate
         : verdict == "false success" ? counts.falseSuccess
                                      : counts.silentFailure);
      ADD_FAILURE() << what << ": " << verdict << "; answered " << got.first["result"] << " then "
                    << got.last["result"] << ", did" << Describe(got.delta)
                    << " (clean:" << Describe(clean.delta) << ")\n"
                    << got.first.dump() << "\n"
                    << got.last.dump();
    }
  }
  // The last case is judged by one more till start.
  Placed at{};
  const HostRun last = Run(Script(nullptr, false, at));
  if (judgeStart(TillStartFault(last, 0))) ++counts.unrecoverable;

  std::cout << GetParam() << ": " << counts.cases << " cases, " << counts.succeeded
            << " successes, " << counts.failed << " reported failures; " << counts.falseSuccess
            << " false successes, " << counts.silentFailure << " silent failures, "
            << counts.duplicate << " duplicates, " << counts.unrecoverable << " unrecoverable, "
            << counts.allowed << " allowed\n";
  Total().Add(counts);
}

// A report the printer issued whole while the operator was told of a lost
// answer (the status after its closing): repeated at once, it is not printed
// again; a later print of the same text is.
TEST_F(EcfhostTest, ReportIssuedDespiteALostAnswerIsNotPrintedAgain) {
  const Json report = Call("RG_FrameWork", {"PADRAO", "Relatorio\n"});
  std::vector<Json> calls = TillStart();
  const size_t first = calls.size() + 1;
  for (const Json& c : {Sim("lose-reply rStatusUltimoCmdInt_ECF_Daruma once after 2"), report,
                        report, RegisterCall(33, 6), report, RegisterCall(33, 6)})
    calls.push_back(c);
  const HostRun run = Run({{"locale", "pt_BR"}, {"calls", calls}});
  ASSERT_EQ(run.records.size(), calls.size()) << run.err;
  EXPECT_FALSE(run.At(first)["messages"].empty());
  EXPECT_EQ(run.At(first + 1)["result"], true);
  EXPECT_TRUE(run.At(first + 1)["messages"].empty());
  const long long once = std::stoll(run.At(first + 2)["args"][1].get<std::string>());
  EXPECT_EQ(std::stoll(run.At(first + 4)["args"][1].get<std::string>()), once + 1);
  EXPECT_EQ(once, 1);  // the first report on this printer, printed once
}

std::vector<std::string> OperationNames() {
  std::vector<std::string> names;
  for (const Operation& op : Operations("")) names.push_back(op.name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Operations, OperationsFaultMatrixTest,
                         ::testing::ValuesIn(OperationNames()),
                         [](const auto& info) { return info.param; });

// The whole matrix's line, when more than one operation ran.
class TotalLine : public ::testing::Environment {
 public:
  void TearDown() override {
    const Counts& t = Total();
    if (t.cases == 0) return;
    std::cout << "Operations fault matrix total: " << t.cases << " cases, " << t.succeeded
              << " successes, " << t.failed << " reported failures; " << t.falseSuccess
              << " false successes, " << t.silentFailure << " silent failures, " << t.duplicate
              << " duplicates, " << t.unrecoverable << " unrecoverable, " << t.allowed
              << " allowed\n";
    for (const auto& [entry, n] : AllowedUse()) {
      const Allowed& a = kAllowed[entry];
      std::cout << "  allowed " << n << "x " << a.op << " / " << a.kind << " / " << a.call << " / "
                << a.verdict << ": " << a.reason << "\n";
    }
  }
};
const auto* const kTotalLine = ::testing::AddGlobalTestEnvironment(new TotalLine);

}  // namespace
}  // namespace e2e
