// The closing prints through the package against the virtual printer,
// in-process: the product sales report in both layouts over 1,000, 10,000
// and 100,000 products, and the withdrawal receipt with its closing reports
// over 1,000 movements.
//
// Method
//  - Every driver entry point is wrapped by a meter that times the call (wall
//    clock) and counts the bytes the call would carry on a serial line: a
//    frame of 8 bytes (start, command, separator, checksum, end and the
//    acknowledgement), the argument texts, the reply a text buffer received
//    and 4 bytes per integer reply; the calls the driver library answers
//    itself carry none. This is the model of bench_sale and of the virtual
//    printer's "line BAUD" control.
//  - Package own time = the operation's wall time - the time inside the
//    driver entry points. It holds building the text, the data-set copies,
//    the return analysis and the debug log.
//  - Line time = bytes x 10 bits / 115200 baud. Share = own / line.
//  - The printer is reset before every iteration (outside the timing), its
//    line delay off, durability "on". Dialogs answer yes, except to reopening
//    the till, so the closing prints all three reports.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "driver_meter.h"
#include "support/fixture.h"
#include "tov00300/closing_reports.h"
#include "tov00300/datamodule.h"
#include "tov00300/dataset.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

using Tov00300::DataSet;
using Tov00300::FieldType;
using tovbench::Clock;

// ---- the environment ----------------------------------------------------------------

struct Bench {
  std::string root, error;
  SimControlFunction control = nullptr;
  ~Bench() {
    std::error_code ignored;
    if (!root.empty()) std::filesystem::remove_all(root, ignored);
  }
};

std::string FreshPrinter(Bench& b) {
  if (std::string error = tovbench::StartOnFreshPrinter(b.control); !error.empty()) return error;
  // The session binds the entry points anew; the meters go back over them.
  tovbench::InstallMeters();
  return "";
}

void Setup(Bench& b) {
  b.root = tovbench::PrepareBenchFolder(b.error);
  if (b.root.empty()) return;
  const std::string reopen = Tov00300::DataModule().msgPadrao.Msg("AbreCaixa");
  Tov00300::hostlib::SetDialogHandler(
      [reopen](const Tov00300::hostlib::MessageRequest& m) { return m.text != reopen; });
  if (!Tov00300::StartImpFiscal_FrameWork()) {
    b.error = "driver library: " + Tov00300::LastBindingError();
    return;
  }
  b.control = reinterpret_cast<SimControlFunction>(
      Tov00300::platform::FindSymbol(Tov00300::ImpFisDLLHandle, TOV00300_SIM_CONTROL_NAME));
  if (b.control == nullptr) {
    b.error = "the driver library has no " TOV00300_SIM_CONTROL_NAME;
    return;
  }
  b.error = FreshPrinter(b);
}

Bench& Environment() {
  static Bench b;
  static const bool done = (Setup(b), true);
  (void)done;
  return b;
}

// ---- the host's data ------------------------------------------------------------------

void Products(DataSet& set, int count) {
  set.CreateDataSet(Tov00300::SoldProductFieldDefs());
  static const double kRates[] = {18, 12, 7, 0, 0, 0};
  static const char* const kSituations[] = {"T", "T", "T", "F", "I", "N"};
  for (int i = 0; i < count; ++i) {
    set.Append();
    set.FieldByName("CDPRODIMPFIS").SetAsString(std::to_string(7891000100000LL + i));
    set.FieldByName("CDPRODUTO").SetAsString(std::to_string(i + 1));
    set.FieldByName("NMPRODUTO").SetAsString("PRODUTO DE TESTE " + std::to_string(i + 1));
    set.FieldByName("QTPRODVEND").SetAsFloat(1 + i % 5);
    set.FieldByName("VRTOTAL").SetAsFloat((199 + (i * 37) % 2000) / 100.0);
    set.FieldByName("VRACRE").SetAsFloat(0);
    set.FieldByName("VRDESC").SetAsFloat(i % 10 == 9 ? 0.1 : 0);
    set.FieldByName("VRPEALIMPFIS").SetAsFloat(kRates[i % 6]);
    set.FieldByName("IDTPIMPOSFIS").SetAsString(kSituations[i % 6]);
    set.Post();
  }
}

void Movements(DataSet& set, int count) {
  set.CreateDataSet({{"IDTIPOREG", FieldType::String, 1},
                     {"NMTIPORECE", FieldType::String, 40},
                     {"VRSAIDA", FieldType::Float, 0}});
  static const char* const kTypes[] = {"1", "5", "1", "2", "3", "4"};
  for (int i = 0; i < count; ++i) {
    set.Append();
    set.FieldByName("IDTIPOREG").SetAsString(kTypes[i % 6]);
    set.FieldByName("NMTIPORECE").SetAsString("FORMA " + std::to_string(i + 1));
    set.FieldByName("VRSAIDA").SetAsFloat((100 + i % 900) / 10.0);
    set.Post();
  }
}

void ClosingAmounts(DataSet& set, int count) {
  set.CreateDataSet({{"NRENVELOPE", FieldType::String, 6},
                     {"NMTIPORECE", FieldType::String, 40},
                     {"VRFECHADIG", FieldType::Float, 0},
                     {"VRFECHAINF", FieldType::Float, 0}});
  for (int i = 0; i < count; ++i) {
    set.Append();
    set.FieldByName("NRENVELOPE").SetAsString("000100");
    set.FieldByName("NMTIPORECE").SetAsString("FORMA " + std::to_string(i + 1));
    set.FieldByName("VRFECHADIG").SetAsFloat(10.1);
    set.FieldByName("VRFECHAINF").SetAsFloat(10.2);
    set.Post();
  }
}

// ---- figures ---------------------------------------------------------------------------

// Runs `operation` once per iteration on a fresh printer and reports the
// package's own time against the line time of the bytes it sent.
template <typename Operation>
void Measure(benchmark::State& state, Operation operation) {
  Bench& b = Environment();
  if (!b.error.empty()) {
    state.SkipWithError(b.error.c_str());
    return;
  }
  double own = 0, total = 0, line = 0;
  size_t calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string fresh = FreshPrinter(b);
    if (!fresh.empty()) {
      state.SkipWithError(fresh.c_str());
      return;
    }
    tovbench::Metered() = tovbench::Meter{};
    state.ResumeTiming();
    const Clock::time_point start = Clock::now();
    operation();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    total += seconds;
    const tovbench::Meter& meter = tovbench::Metered();
    own += seconds - meter.DriverSeconds();
    line += meter.LineSeconds();
    calls += meter.calls;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["driver_calls"] = static_cast<double>(calls) / n;
  state.counters["total_ms"] = total / n * 1e3;
  state.counters["own_ms"] = own / n * 1e3;
  state.counters["line_s"] = line / n;
  state.counters["share_%"] = own / line * 100;
}

void BM_ProductReport(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string grouped = state.range(1) != 0 ? "S" : "N";
  DataSet products;
  Products(products, count);
  Measure(state, [&] {
    std::string number;
    bool flag = true;
    Tov00300::Relatorio_Produto("", "", "", "", "", number, products, "N", grouped, "VERDE", flag);
  });
  state.counters["own_us/product"] = state.counters["own_ms"] * 1e3 / count;
}

void BM_CashClosing(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  DataSet closing, withdrawals, products, people, totals, opening, general, credit, empty, kinds;
  ClosingAmounts(closing, count);
  Products(products, 100);
  Products(general, 100);
  Movements(totals, count);
  Movements(opening, count);
  Measure(state, [&] {
    std::string number;
    bool zConfirmed = false;
    Tov00300::GeraReciboSangria("", "CX", "", "", "", 0, number, closing, withdrawals, products,
                                people, totals, opening, general, credit, Tov00300::DateTime(),
                                true, true, false, empty, empty, empty, empty, zConfirmed, kinds,
                                "N", "S", "N", "S", "VERDE", false, false, true, "Fechamento", "");
  });
}

BENCHMARK(BM_ProductReport)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_CashClosing)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
