// A 500-item receipt sold through the package against the virtual printer,
// in-process, with the debug log on: how much time the package itself adds to
// every driver call, compared with the time the same command bytes need on
// the 115200-baud line of a real printer.
//
// Method
//  - One recording pass sells a receipt through the package with every driver
//    entry point wrapped: each call is kept with its entry point, its argument
//    texts, the width of every reply buffer the package handed over and the
//    code the printer answered. That gives the number of driver calls a
//    receipt costs (commands, status queries after every command, counter
//    queries) and the exact bytes each one carries.
//  - "Package" sells the receipt through AbreCupom, 500 VendaItem and
//    FechaCupom with the real entry points bound (no wrapper).
//  - "Direct" replays the recorded calls straight into the same library
//    handle: same entry points, same texts, same order, reply buffers of the
//    same widths prepared beforehand. The replay checks that every call gets
//    the code it got in the recording (the printer really did the same work).
//  - Package own time per driver call = (package - direct) / driver calls.
//  - Line model: a serial printer exchanges, per command, a frame of 8 bytes
//    (start, command code, separator, checksum, end and the one-byte
//    acknowledgement, rounded up), the argument texts, and the reply: the full
//    width of a text reply and 4 bytes per integer. At 115200 baud with 10 bits
//    per byte (start, 8 data, stop) that is 11,520 bytes a second. Calls that
//    the driver library answers itself (putting a code into words, product
//    definition, registry, keyboard lock) carry no bytes. The virtual printer's
//    "line BAUD" control uses the same model; BM_DirectOnModelledLine checks
//    the computed figure against it.
//  - Share = package own time / line time.
//
// The printer is fresh (reset) at the start of every benchmark, its line delay
// off, durability "on" (the default: records written before each call
// returns, document boundaries flushed to the device). Operator dialogs answer
// no without showing anything; none is expected in a sale that succeeds.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "driver_meter.h"
#include "receipt/closing_helpers.h"
#include "support/fixture.h"
#include "tov00300/dataset.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/receipt.h"
#include "tov00300/session.h"
#include "tov00300/state.h"
#include "tov00300/stringlist.h"
#include "tov00300/variant.h"

namespace {

using Tov00300::MakeBag;
using Tov00300::Variant;
using Tov00300::VariantArray;
using tovbench::AnyFunction;
using tovbench::kFrameBytes;
using tovbench::kIntegerReplyBytes;
using tovbench::LibraryOnly;
using tovbench::RealFunctions;

constexpr int kItems = 500;
// Zeroed room after a reply buffer's blanks, as the package leaves it.
constexpr size_t kGuardBytes = 64;

// ---- recording and replaying driver calls ----------------------------------------

enum class ArgKind { Text, TextOut, Integer, IntegerOut };

struct CallArg {
  ArgKind kind = ArgKind::Text;
  std::string text;       // Text: the argument; TextOut: the reply buffer
  int number = 0;         // Integer: the argument; IntegerOut: where the reply goes
  size_t width = 0;       // TextOut: the blanks the package handed over
  size_t replyBytes = 0;  // TextOut: what the printer wrote back
};

struct DriverCall;
using ReplayFunction = int (*)(DriverCall&);

struct DriverCall {
  int index = 0;
  int expected = 0;  // the code the printer answered in the recording
  ReplayFunction replay = nullptr;
  AnyFunction function = nullptr;
  std::vector<CallArg> args;
};

std::vector<DriverCall>& Recording() {
  static std::vector<DriverCall> calls;
  return calls;
}

CallArg Before(const char* text) {
  CallArg a;
  a.kind = ArgKind::Text;
  a.text = text == nullptr ? "" : text;
  return a;
}
CallArg Before(char* out) {
  CallArg a;
  a.kind = ArgKind::TextOut;
  if (out != nullptr) a.width = std::strspn(out, " ");
  return a;
}
CallArg Before(int value) {
  CallArg a;
  a.kind = ArgKind::Integer;
  a.number = value;
  return a;
}
CallArg Before(int* /*out*/) {
  CallArg a;
  a.kind = ArgKind::IntegerOut;
  return a;
}

void After(CallArg& a, char* out) {
  if (out != nullptr) a.replyBytes = std::strlen(out);
}
template <typename T>
void After(CallArg& /*a*/, T /*value*/) {}

template <typename T>
T Pass(CallArg& a);
template <>
const char* Pass<const char*>(CallArg& a) {
  return a.text.c_str();
}
template <>
char* Pass<char*>(CallArg& a) {
  return a.text.data();
}
template <>
int Pass<int>(CallArg& a) {
  return a.number;
}
template <>
int* Pass<int*>(CallArg& a) {
  return &a.number;
}

template <int I, typename F>
struct Tap;

template <int I, typename... A>
struct Tap<I, int (*)(A...)> {
  using Function = int (*)(A...);

  // The wrapper bound during the recording pass.
  static int Call(A... a) {
    DriverCall call;
    call.index = I;
    call.replay = &Replay;
    call.function = RealFunctions()[I];
    (call.args.push_back(Before(a)), ...);
    const int code = reinterpret_cast<Function>(RealFunctions()[I])(a...);
    [[maybe_unused]] size_t k = 0;
    (After(call.args[k++], a), ...);
    call.expected = code;
    Recording().push_back(std::move(call));
    return code;
  }

  static int Replay(DriverCall& c) { return Invoke(c, std::index_sequence_for<A...>{}); }

  template <size_t... Is>
  static int Invoke([[maybe_unused]] DriverCall& c, std::index_sequence<Is...>) {
    return reinterpret_cast<Function>(c.function)(Pass<A>(c.args[Is])...);
  }
};

size_t LineBytes(const DriverCall& c) {
  if (LibraryOnly(c.index)) return 0;
  size_t bytes = kFrameBytes;
  for (const CallArg& a : c.args) {
    if (a.kind == ArgKind::Text) bytes += a.text.size();
    if (a.kind == ArgKind::TextOut) bytes += a.replyBytes;
    if (a.kind == ArgKind::IntegerOut) bytes += kIntegerReplyBytes;
  }
  return bytes;
}

// The recorded calls made ready to be sent again: reply buffers of the
// recorded widths with their guard room.
std::vector<DriverCall> ReplayCalls(const std::vector<DriverCall>& recorded) {
  std::vector<DriverCall> calls = recorded;
  for (DriverCall& c : calls)
    for (CallArg& a : c.args)
      if (a.kind == ArgKind::TextOut)
        a.text = std::string(a.width, ' ') + std::string(kGuardBytes, '\0');
  return calls;
}

// ---- the sale ----------------------------------------------------------------------

struct SaleData {
  Variant opening;
  std::vector<Variant> items;
  VariantArray positions;
  int64_t totalCents = 0;
};

Variant ItemBag(int i, int64_t& cents) {
  // Rates the fresh printer has (18, 12 and 7 % ICMS) and the fixed exempt,
  // substitution and no-incidence codes.
  static const char* const kCodes[][2] = {{"T", "18"}, {"T", "12"}, {"T", "7"},
                                          {"II", ""},  {"FF", ""},  {"NN", ""}};
  const auto& code = kCodes[i % 6];
  const int priceCents = 199 + (i * 37) % 2000;
  const int quantity = i % 7 == 0 ? 2 : 1;
  const int discountCents = i % 10 == 9 ? 10 : 0;
  cents += static_cast<int64_t>(quantity) * priceCents - discountCents;
  return MakeBag({{"ESQUEMACOR", "VERDE"},
                  {"INTEFERRO", 0},
                  {"CDARVPROD", std::to_string(7891000100000LL + i)},
                  {"NMPROD", "PRODUTO DE TESTE NUMERO " + std::to_string(i + 1)},
                  {"CDALIQ", code[0]},
                  {"VRPERCALIQ", code[1]},
                  {"QTDE", static_cast<double>(quantity)},
                  {"VALOR", priceCents / 100.0},
                  {"DESCONT", discountCents / 100.0},
                  {"ACRESCIMO", 0.0},
                  {"UNIDADE", "UN"},
                  {"IDUTILTEF", ""},
                  {"UTILTEF", false}});
}

// Payment types the fresh printer knows, in the host's table shape.
Variant PaymentTypes() {
  using Tov00300::FieldType;
  Tov00300::DataPacket p;
  p.fields = {{"CDTIPORECE", FieldType::String, 3},
              {"NMTIPORECE", FieldType::String, 40},
              {"IDTIPORECE", FieldType::String, 1}};
  p.rows = {{"001", "Dinheiro", "1"}, {"002", "Cheque", "2"}, {"003", "Cartao Credito", "4"}};
  return Variant(p);
}

const SaleData& Sale() {
  static const SaleData sale = [] {
    SaleData s;
    s.opening = MakeBag({{"ESQUEMACOR", "VERDE"},
                         {"INTTEFERRO", 0},
                         {"INCLUICPF", ""},
                         {"INCLUINOME", ""},
                         {"INCLUIENDERECO", ""},
                         {"CUPNR", ""},
                         {"CONTCUPOM", ""},
                         {"IDUTILTEF", ""},
                         {"UTILTEF", false}});
    for (int i = 0; i < kItems; ++i) s.items.push_back(ItemBag(i, s.totalCents));
    // Three payments: card, cheque, then cash with 10,00 of change.
    const int64_t card = s.totalCents * 4 / 10;
    const int64_t cheque = s.totalCents * 3 / 10;
    const int64_t cash = s.totalCents - card - cheque + 1000;
    tovtest::Positions p;
    p.Pos(1, "OBRIGADO PELA PREFERENCIA")
        .Pos(13, tovtest::Movements({{"1", "E", "003", card / 100.0, "", "", 1},
                                     {"2", "E", "002", cheque / 100.0, "", "", 2},
                                     {"3", "E", "001", cash / 100.0, "", "", 3}}))
        .Pos(14, PaymentTypes())
        .Pos(22, "0001")
        .Pos(23, "OPERADOR DE CAIXA")
        .Pos(51, 123.45)
        .Pos(58, 67.89);
    s.positions = p.v;
    return s;
  }();
  return sale;
}

// The host's bags for one receipt (the package replaces them as it answers).
struct SaleBags {
  Variant opening;
  std::vector<Variant> items;
  Tov00300::StringList lines;
  Variant result{VariantArray(4)};
};

SaleBags FreshBags() {
  SaleBags b;
  b.opening = Sale().opening;
  b.items = Sale().items;
  return b;
}

// One receipt through the package; "" when it went through, else what failed.
std::string SellThroughPackage(SaleBags& b) {
  if (!Tov00300::AbreCupom(b.opening)) return "AbreCupom: " + Tov00300::stMensagemTaa;
  for (Variant& item : b.items)
    if (!Tov00300::VendaItem(item)) return "VendaItem: " + Tov00300::stMensagemTaa;
  if (!Tov00300::FechaCupom(Sale().positions, b.lines, b.result))
    return "FechaCupom: " + Tov00300::stMensagemTaa;
  return "";
}

// The recorded calls sent straight to the printer; the number of calls that
// did not get their recorded code.
int SendDirect(std::vector<DriverCall>& calls) {
  int mismatches = 0;
  for (DriverCall& c : calls)
    if (c.replay(c) != c.expected) ++mismatches;
  return mismatches;
}

// ---- the environment ---------------------------------------------------------------

struct Bench {
  std::string root;
  SimControlFunction control = nullptr;
  std::vector<DriverCall> recorded;
  size_t lineBytes = 0;
  std::string error;

  double LineSeconds() const { return tovbench::LineSeconds(lineBytes); }
  double Calls() const { return static_cast<double>(recorded.size()); }

  ~Bench() {
    if (!root.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(root, ignored);
    }
  }
};

// A fresh printer (line delay off, default durability) and a started session.
std::string FreshPrinter(Bench& b) {
  return tovbench::StartOnFreshPrinter(b.control);
}

void PrintCallMix(const Bench& b) {
  std::map<std::string, int> counts;
  for (const DriverCall& c : b.recorded) ++counts[tovbench::EntryName(c.index)];
  std::fprintf(stderr, "Driver calls of one %d-item receipt through the package: %zu\n", kItems,
               b.recorded.size());
  for (const auto& [name, n] : counts) std::fprintf(stderr, "  %6d  %s\n", n, name.c_str());
  std::fprintf(stderr, "Line bytes: %zu (%.1f ms at 115200 baud)\n", b.lineBytes,
               b.LineSeconds() * 1e3);
}

void Setup(Bench& e) {
  e.root = tovbench::PrepareBenchFolder(e.error);
  if (e.root.empty()) return;
  Tov00300::hostlib::SetDialogHandler(
      [](const Tov00300::hostlib::MessageRequest&) { return false; });

  // Load the library the way the session does, to reach its control entry.
  if (!Tov00300::StartImpFiscal_FrameWork()) {
    e.error = "driver library: " + Tov00300::LastBindingError();
    return;
  }
  e.control = reinterpret_cast<SimControlFunction>(
      Tov00300::platform::FindSymbol(Tov00300::ImpFisDLLHandle, TOV00300_SIM_CONTROL_NAME));
  if (e.control == nullptr) {
    e.error = "the driver library has no " TOV00300_SIM_CONTROL_NAME;
    return;
  }
  e.error = FreshPrinter(e);
  if (!e.error.empty()) return;

  // The recording pass.
  SaleBags bags = FreshBags();
  Recording().clear();
  tovbench::InstallWrappers<Tap>();
  e.error = SellThroughPackage(bags);
  tovbench::RemoveWrappers();
  e.recorded = std::move(Recording());
  Recording().clear();
  for (const DriverCall& c : e.recorded) e.lineBytes += LineBytes(c);
  PrintCallMix(e);
}

Bench& Environment() {
  static Bench b;
  static const bool done = (Setup(b), true);
  (void)done;
  return b;
}

bool Ready(benchmark::State& state, Bench& b) {
  if (!b.error.empty()) {
    state.SkipWithError(b.error.c_str());
    return false;
  }
  const std::string fresh = FreshPrinter(b);
  if (!fresh.empty()) {
    state.SkipWithError(fresh.c_str());
    return false;
  }
  return true;
}

// ---- clocks and figures ------------------------------------------------------------

struct Stamp {
  std::chrono::steady_clock::time_point wall;
  double cpu = 0;  // this thread's CPU seconds (user and system)
};

Stamp Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return {std::chrono::steady_clock::now(), static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9};
}

struct Span {
  double wall = 0, cpu = 0;
};

Span Between(const Stamp& a, const Stamp& b) {
  return {std::chrono::duration<double>(b.wall - a.wall).count(), b.cpu - a.cpu};
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void CommonCounters(benchmark::State& state, const Bench& b) {
  state.counters["driver_calls"] = b.Calls();
  state.counters["calls/s"] =
      benchmark::Counter(b.Calls(), benchmark::Counter::kIsIterationInvariantRate);
}

// ---- benchmarks --------------------------------------------------------------------

// One receipt per iteration through the package.
void BM_SaleThroughPackage(benchmark::State& state) {
  Bench& b = Environment();
  if (!Ready(state, b)) return;
  for (auto _ : state) {
    state.PauseTiming();
    SaleBags bags = FreshBags();
    state.ResumeTiming();
    const std::string failure = SellThroughPackage(bags);
    if (!failure.empty()) {
      state.SkipWithError(failure.c_str());
      break;
    }
  }
  CommonCounters(state, b);
}

// The same driver calls sent straight to the printer.
void BM_SameCallsDirect(benchmark::State& state) {
  Bench& b = Environment();
  if (!Ready(state, b)) return;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<DriverCall> calls = ReplayCalls(b.recorded);
    state.ResumeTiming();
    if (SendDirect(calls) != 0) {
      state.SkipWithError("the printer answered the replayed calls differently");
      break;
    }
  }
  CommonCounters(state, b);
}

// Package and direct receipts alternated, so that both see the same machine
// load; the figures are medians over the iterations (times in microseconds
// and milliseconds as named; share in percent).
void BM_PackageShareOfLineTime(benchmark::State& state) {
  Bench& b = Environment();
  if (!Ready(state, b)) return;
  std::vector<double> packageWall, packageCpu, directWall, directCpu, ownWall, ownCpu;
  for (auto _ : state) {
    SaleBags bags = FreshBags();
    std::vector<DriverCall> calls = ReplayCalls(b.recorded);
    const Stamp t0 = Now();
    const std::string failure = SellThroughPackage(bags);
    const Stamp t1 = Now();
    const int mismatches = SendDirect(calls);
    const Stamp t2 = Now();
    if (!failure.empty() || mismatches != 0) {
      state.SkipWithError(failure.empty() ? "the replay was answered differently"
                                          : failure.c_str());
      return;
    }
    const Span package = Between(t0, t1);
    const Span direct = Between(t1, t2);
    packageWall.push_back(package.wall);
    packageCpu.push_back(package.cpu);
    directWall.push_back(direct.wall);
    directCpu.push_back(direct.cpu);
    ownWall.push_back(package.wall - direct.wall);
    ownCpu.push_back(package.cpu - direct.cpu);
  }
  const double calls = b.Calls();
  const double line = b.LineSeconds();
  const double ownPerCall = Median(ownWall) / calls;
  const double ownCpuPerCall = Median(ownCpu) / calls;
  state.counters["driver_calls"] = calls;
  state.counters["pkg_ms"] = Median(packageWall) * 1e3;
  state.counters["direct_ms"] = Median(directWall) * 1e3;
  state.counters["pkg_cpu_ms"] = Median(packageCpu) * 1e3;
  state.counters["direct_cpu_ms"] = Median(directCpu) * 1e3;
  state.counters["direct_us/call"] = Median(directWall) / calls * 1e6;
  state.counters["own_us/call"] = ownPerCall * 1e6;
  state.counters["own_cpu_us/call"] = ownCpuPerCall * 1e6;
  state.counters["line_ms"] = line * 1e3;
  state.counters["line_us/call"] = line / calls * 1e6;
  state.counters["share_%"] = ownPerCall * calls / line * 100;
  state.counters["share_cpu_%"] = ownCpuPerCall * calls / line * 100;
}

// Check of the line model: the recorded calls sent with the printer's own
// line delay at 115200 baud take about the computed line time.
void BM_DirectOnModelledLine(benchmark::State& state) {
  Bench& b = Environment();
  if (!Ready(state, b)) return;
  b.control("line 115200");
  double measured = 0;
  for (auto _ : state) {
    std::vector<DriverCall> calls = ReplayCalls(b.recorded);
    const Stamp t0 = Now();
    const int mismatches = SendDirect(calls);
    measured = Between(t0, Now()).wall;
    if (mismatches != 0) {
      state.SkipWithError("the replay was answered differently");
      break;
    }
  }
  b.control("line off");
  state.counters["computed_line_ms"] = b.LineSeconds() * 1e3;
  state.counters["modelled_line_ms"] = measured * 1e3;
}

BENCHMARK(BM_SaleThroughPackage)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SameCallsDirect)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_PackageShareOfLineTime)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4.0);
BENCHMARK(BM_DirectOnModelledLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
