// A long management report through RG_FrameWork (619-character pieces) and
// through Relatorio_Generico on printer type 24 (whole-line groups): the
// time against the virtual printer in-process, the package's own time, and
// that time as a share of what the same bytes take on a 115200-baud line.
//
// Method
//  - "Printer": the report printed through the package against the virtual
//    printer, in-process, line delay off, durability "on".
//  - "Own": the same report through the package with the scripted driver
//    (every entry point answers at once, nothing recorded): what is left is
//    the package's own work, the return analysis and its debug-log append
//    after every command included. Run at 1,000, 10,000 and 100,000 lines,
//    so a cost that grows faster than the text (re-copying the remainder at
//    every piece) shows as a growing time per line.
//  - Line model, as bench_sale: a frame of 8 bytes per printer command, its
//    argument texts, the full width of a text reply and 4 bytes per integer
//    reply; 10 bits a byte at 115200 baud. The calls and their texts are
//    taken from one recorded pass with the scripted driver; calls the driver
//    library answers itself carry no bytes.
//  - Share = own time / line time.
// Report lines are 48 columns and a line feed. The host's document register
// is a no-op handler: writing it is the host's work, not the package's.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "driver_meter.h"
#include "support/fixture.h"
#include "support/scripted_driver.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

using tovbench::kFrameBytes;
using tovbench::kIntegerReplyBytes;
using tovbench::LibraryOnly;

std::string ReportText(int lines) {
  std::string text;
  text.reserve(static_cast<size_t>(lines) * 49);
  char line[64];
  for (int i = 0; i < lines; ++i) {
    std::snprintf(line, sizeof line, "%-6d PRODUTO TESTE %-14d %9d,%02d\n", i + 1, i * 7, i % 1000,
                  i % 100);
    text += line;
  }
  return text;
}

enum class Report { kPieces, kLineGroups };

bool PrintReport(Report kind, const std::string& text) {
  if (kind == Report::kPieces) return Tov00300::RG_FrameWork("VERDE", text);
  Tov00300::inTipoImpFis = 24;
  const bool ok = Tov00300::Relatorio_Generico("VERDE", "", "", text, "BENCH", "");
  Tov00300::inTipoImpFis = 29;
  return ok;
}

struct Environment {
  std::string root;
  SimControlFunction control = nullptr;
  std::string error;
  ~Environment() {
    if (!root.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(root, ignored);
    }
  }
};

Environment& Env() {
  static Environment e;
  static const bool done = [] {
    e.root = tovbench::PrepareBenchFolder(e.error);
    if (e.root.empty()) return true;
    Tov00300::hostlib::SetDialogHandler(
        [](const Tov00300::hostlib::MessageRequest&) { return false; });
    Tov00300::hostlib::SetDocNaoFiscalHandler([](auto&&...) { return Tov00300::Variant(); });
    if (!Tov00300::StartImpFiscal_FrameWork()) {
      e.error = "driver library: " + Tov00300::LastBindingError();
      return true;
    }
    e.control = reinterpret_cast<SimControlFunction>(
        Tov00300::platform::FindSymbol(Tov00300::ImpFisDLLHandle, TOV00300_SIM_CONTROL_NAME));
    if (e.control == nullptr) e.error = "the driver library has no " TOV00300_SIM_CONTROL_NAME;
    return true;
  }();
  (void)done;
  return e;
}

// The virtual printer bound, fresh, and a session started on it.
bool PrinterReady(benchmark::State& state) {
  Environment& e = Env();
  if (e.error.empty() && !Tov00300::StartImpFiscal_FrameWork())
    e.error = "driver library: " + Tov00300::LastBindingError();
  if (!e.error.empty()) {
    state.SkipWithError(e.error.c_str());
    return false;
  }
  if (const std::string error = tovbench::StartOnFreshPrinter(e.control); !error.empty()) {
    state.SkipWithError(error.c_str());
    return false;
  }
  return true;
}

// The scripted driver in place of the printer: a report is open whenever
// asked, every command succeeds.
tovtest::ScriptedDriver& ScriptedReady() {
  tovtest::ScriptedDriver& d = tovtest::ScriptedDriver::Get();
  d.Install();
  d.SetDefault("rRetornarInformacao_ECF_Daruma", {1, {"4"}, {}});
  return d;
}

// Seconds the driver calls of one report take on the line.
double LineSeconds(Report kind, const std::string& text) {
  tovtest::ScriptedDriver& d = ScriptedReady();
  PrintReport(kind, text);
  size_t bytes = 0;
  for (const tovtest::DriverCall& call : d.Calls()) {
    if (LibraryOnly(call.name)) continue;
    bytes += kFrameBytes;
    for (const std::string& arg : call.args) {
      if (arg == "[out int]") {
        bytes += kIntegerReplyBytes;
      } else if (arg.rfind("[out ", 0) == 0) {
        bytes += std::stoul(arg.substr(5));
      } else {
        bytes += arg.size();
      }
    }
  }
  d.Uninstall();
  return tovbench::LineSeconds(bytes);
}

void RunOnPrinter(benchmark::State& state, Report kind) {
  const int lines = static_cast<int>(state.range(0));
  const std::string text = ReportText(lines);
  if (!PrinterReady(state)) return;
  for (auto _ : state) {
    if (!PrintReport(kind, text)) {
      state.SkipWithError(("the report failed: " + Tov00300::stMensagemTaa).c_str());
      break;
    }
  }
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsIterationInvariantRate);
}

void RunOwn(benchmark::State& state, Report kind) {
  const int lines = static_cast<int>(state.range(0));
  const std::string text = ReportText(lines);
  if (!Env().error.empty()) {
    state.SkipWithError(Env().error.c_str());
    return;
  }
  const double line = LineSeconds(kind, text);
  tovtest::ScriptedDriver& d = ScriptedReady();
  d.SetRecording(false);
  double seconds = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    if (!PrintReport(kind, text)) {
      state.SkipWithError("the report failed");
      break;
    }
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  d.Uninstall();
  const double own = seconds / static_cast<double>(state.iterations());
  state.counters["own_ns/line"] = own / lines * 1e9;
  state.counters["line_ms"] = line * 1e3;
  state.counters["share_%"] = own / line * 100;
}

void BM_RGFrameWork_Printer(benchmark::State& state) {
  RunOnPrinter(state, Report::kPieces);
}
void BM_Generico24_Printer(benchmark::State& state) {
  RunOnPrinter(state, Report::kLineGroups);
}
void BM_RGFrameWork_Own(benchmark::State& state) {
  RunOwn(state, Report::kPieces);
}
void BM_Generico24_Own(benchmark::State& state) {
  RunOwn(state, Report::kLineGroups);
}

BENCHMARK(BM_RGFrameWork_Printer)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Generico24_Printer)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RGFrameWork_Own)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Generico24_Own)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
