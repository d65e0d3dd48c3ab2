// The Z-reduction export of a full printer (20 payment methods, 16 tax rates,
// 19 non-fiscal totalizers, each with a day total) through the package against
// the virtual printer in-process: how much time the package itself adds to
// every driver call, compared with the time the same bytes need on the
// 115200-baud line of a real printer.
//
// Method
//  - Every driver entry point is wrapped by a timer: the time spent inside
//    the driver is summed per export, with the number of calls and the bytes
//    each call would carry on the line.
//  - Package own time = the export's wall time minus the time inside the
//    driver; per driver call = that divided by the calls. The two clock reads
//    of each wrapper count as package time, so the figure errs high.
//  - Line model (as the sale benchmark's): per call a frame of 8 bytes, the
//    argument texts, and the reply (the written length of a text reply, 4
//    bytes per integer); calls the library answers itself carry nothing.
//    At 115200 baud and 10 bits a byte that is 11,520 bytes a second.
//  - Share = package own time / line time.
//
// The printer is set up once (fresh, line delay off, durability "on") and
// keeps its day: the export only reads, so every iteration sees the same
// figures. Operator dialogs answer no; none is expected.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "driver_meter.h"
#include "support/fixture.h"
#include "tov00300/dataset.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

using Tov00300::DataSet;
using Tov00300::FieldType;
using tovbench::Clock;
using tovbench::Meter;
using tovbench::Metered;

constexpr int kMethods = 20;
constexpr int kRates = 16;
constexpr int kTotalizers = 19;

// ---- the printer's day -------------------------------------------------------------

std::string Name(const char* stem, int n) {
  char text[32];
  std::snprintf(text, sizeof text, "%s %02d", stem, n);
  return text;
}

std::string Money(int cents) {
  char text[32];
  std::snprintf(text, sizeof text, "%d,%02d", cents / 100, cents % 100);
  return text;
}

// Registers what a fresh printer lacks (16 more methods, 12 more rates, 17
// more totalizers) and sells a day that gives each of them a total. "" when
// the printer accepted everything, else the first refusal.
std::string PrepareDay() {
  using namespace Tov00300;
  std::string failure;
  auto check = [&](int code, const std::string& what) {
    if (code != 1 && failure.empty()) failure = what + " answered " + std::to_string(code);
  };
  std::vector<std::string> methods = {"Dinheiro", "Cheque", "Cartao Credito", "Cartao Debito"};
  for (int n = 5; n <= kMethods; ++n) {
    methods.push_back(Name("Forma", n));
    check(confCadastrarPadrao_ECF_Daruma("FPGTO", methods.back().c_str()), "FPGTO");
  }
  // Rates 5,50 % to 16,50 %, none equal to the fresh printer's four.
  for (int n = 5; n <= kRates; ++n)
    check(confCadastrarPadrao_ECF_Daruma("ALIQUOTA", (Name("T", n).substr(2) + "50").c_str()),
          "ALIQUOTA");
  for (int n = 3; n <= kTotalizers; ++n)
    check(confCadastrarPadrao_ECF_Daruma("TNF", Name("Total", n).c_str()), "TNF");

  // One receipt with an item on every rate slot, paid with every method.
  check(iCFAbrirPadrao_ECF_Daruma(), "iCFAbrirPadrao");
  for (int slot = 1; slot <= kRates; ++slot) {
    // "I" and the slot number: the slot whatever its kind (ICMS or ISS).
    const std::string tax = "I" + Name("", slot).substr(1);
    check(iCFVender_ECF_Daruma(tax.c_str(), "1,000", Money(500 + slot).c_str(), "D$", "0,00", "100",
                               "UN", "Produto"),
          "iCFVender " + tax);
  }
  check(iCFTotalizarCupom_ECF_Daruma("D$", "0,00"), "iCFTotalizarCupom");
  for (int m = 0; m < kMethods; ++m)
    check(iCFEfetuarPagamentoFormatado_ECF_Daruma(methods[static_cast<size_t>(m)].c_str(),
                                                  m + 1 < kMethods ? "1,00" : "200,00"),
          "pagamento " + methods[static_cast<size_t>(m)]);
  check(iCFEncerrarConfigMsg_ECF_Daruma("obrigado"), "iCFEncerrarConfigMsg");
  // Every totalizer but "Sangria" (the first) in one non-fiscal receipt, then
  // a supply and two withdrawals.
  check(iCNFAbrirPadrao_ECF_Daruma(), "iCNFAbrirPadrao");
  for (int t = 2; t <= kTotalizers; ++t)
    check(iCNFReceberSemDesc_ECF_Daruma(std::to_string(t).c_str(), Money(100 * t).c_str()),
          "iCNFReceberSemDesc");
  check(iCNFTotalizarComprovantePadrao_ECF_Daruma(), "iCNFTotalizar");
  check(iCNFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "500,00"), "iCNFEfetuarPagamento");
  check(iCNFEncerrarPadrao_ECF_Daruma(), "iCNFEncerrar");
  check(iSuprimento_ECF_Daruma("100,00", ""), "iSuprimento");
  check(iSangria_ECF_Daruma("30,00", ""), "iSangria");
  check(iSangria_ECF_Daruma("12,34", ""), "iSangria");
  return failure;
}

// The host's payment types: every printer method under its own code.
void HostTypes(DataSet& types) {
  types.CreateDataSet(
      {{"CDTIPORECE", FieldType::String, 3}, {"NMTIPORECE", FieldType::String, 40}});
  const char* const first[] = {"Dinheiro", "Cheque", "Cartao Credito", "Cartao Debito"};
  for (int n = 1; n <= kMethods; ++n) {
    types.Append();
    types.FieldByName("CDTIPORECE").SetAsString(Name("", n).substr(1) + "0");
    types.FieldByName("NMTIPORECE").SetAsString(n <= 4 ? first[n - 1] : Name("Forma", n));
    types.Post();
  }
}

// ---- the environment ---------------------------------------------------------------

struct Bench {
  std::string root;
  std::string error;
  DataSet types;

  ~Bench() {
    if (!root.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(root, ignored);
    }
  }
};

void Setup(Bench& b) {
  b.root = tovbench::PrepareBenchFolder(b.error);
  if (b.root.empty()) return;
  Tov00300::dsDiretorio = b.root + "/host/";
  Tov00300::hostlib::SetDialogHandler(
      [](const Tov00300::hostlib::MessageRequest&) { return false; });
  if (!Tov00300::StartImpFiscal_FrameWork()) {
    b.error = "driver library: " + Tov00300::LastBindingError();
    return;
  }
  auto control = reinterpret_cast<SimControlFunction>(
      Tov00300::platform::FindSymbol(Tov00300::ImpFisDLLHandle, TOV00300_SIM_CONTROL_NAME));
  if (control == nullptr) {
    b.error = "the driver library has no " TOV00300_SIM_CONTROL_NAME;
    return;
  }
  b.error = tovbench::StartOnFreshPrinter(control);
  if (!b.error.empty()) return;
  b.error = PrepareDay();
  HostTypes(b.types);
  tovbench::InstallMeters();
}

Bench& Environment() {
  static Bench b;
  static const bool done = (Setup(b), true);
  (void)done;
  return b;
}

// One export; "" when every table came back full.
std::string ExportOnce(Bench& b) {
  DataSet day, payments, taxes, totalizers;
  if (!Tov00300::ExportRedZ("", "VERDE", "001", 0, b.types, day, payments, taxes, totalizers))
    return "ExportRedZ answered false";
  if (day.RecordCount() != 1 || payments.RecordCount() != kMethods ||
      taxes.RecordCount() != kRates || totalizers.RecordCount() != kTotalizers) {
    return "incomplete export: " + std::to_string(payments.RecordCount()) + " payments, " +
           std::to_string(taxes.RecordCount()) + " rates, " +
           std::to_string(totalizers.RecordCount()) + " totalizers";
  }
  return "";
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// ---- benchmark ---------------------------------------------------------------------

// Figures are medians over the iterations: the export's wall time, the time
// inside the driver, the package's own time per driver call and its share of
// the modelled line time (times in microseconds and milliseconds as named;
// share in percent).
void BM_ExportRedZ(benchmark::State& state) {
  Bench& b = Environment();
  if (!b.error.empty()) {
    state.SkipWithError(b.error.c_str());
    return;
  }
  std::vector<double> total, driver, ownPerCall, share;
  Meter last;
  for (auto _ : state) {
    Metered() = Meter{};
    const Clock::time_point start = Clock::now();
    const std::string failure = ExportOnce(b);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    if (!failure.empty()) {
      state.SkipWithError(failure.c_str());
      return;
    }
    last = Metered();
    const double inDriver = last.DriverSeconds();
    const double line = last.LineSeconds();
    total.push_back(wall);
    driver.push_back(inDriver);
    ownPerCall.push_back((wall - inDriver) / static_cast<double>(last.calls));
    share.push_back((wall - inDriver) / line);
  }
  const double line = last.LineSeconds();
  state.counters["driver_calls"] = static_cast<double>(last.calls);
  state.counters["export_ms"] = Median(total) * 1e3;
  state.counters["in_driver_ms"] = Median(driver) * 1e3;
  state.counters["own_us/call"] = Median(ownPerCall) * 1e6;
  state.counters["line_bytes"] = static_cast<double>(last.lineBytes);
  state.counters["line_ms"] = line * 1e3;
  state.counters["share_%"] = Median(share) * 100;
}

BENCHMARK(BM_ExportRedZ)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
