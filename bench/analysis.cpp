// The return analysis that follows every driver call, with the scripted
// driver (no printer): its cost with the debug-log append, without it, and
// the append alone.
//
// The log is always written; the package has no switch for it. To measure the
// analysis without the append, this program is linked with the package's
// Tov00300::ImpFisDebug wrapped (-Wl,--wrap, see bench/CMakeLists.txt): every
// call of it reaches the wrapper below, which forwards to the package's
// definition unless `skipLog` is set. A benchmark that relies on the skip
// checks that the calls were really intercepted.
#include <benchmark/benchmark.h>

#include <string>

#include "support/fixture.h"
#include "tov00300/driver.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

constexpr const char* kComando = "iCFVender_ECF_Daruma";

bool skipLog = false;
long intercepted = 0;

}  // namespace

// The linker's names for the package's definition and for the wrapper of
// Tov00300::ImpFisDebug(const std::string&).
extern "C" void
__real__ZN8Tov0030011ImpFisDebugERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
    const std::string& texto);
extern "C" void
__wrap__ZN8Tov0030011ImpFisDebugERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
    const std::string& texto) {
  ++intercepted;
  if (!skipLog)
    __real__ZN8Tov0030011ImpFisDebugERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(texto);
}

namespace {

void AnalyseCode(benchmark::State& state, int code, bool withLog) {
  tovtest::PackageSandbox sandbox;
  tovtest::ScriptedDriver::Get().SetRecording(false);
  skipLog = !withLog;
  intercepted = 0;
  for (auto _ : state) {
    Tov00300::stImpDebug = kComando;
    Tov00300::stMensagemTaa.clear();
    benchmark::DoNotOptimize(Tov00300::AnalisaRetorno_FrameWork("", code, false, false, false));
  }
  skipLog = false;
  if (intercepted == 0) state.SkipWithError("debug-log calls were not intercepted");
}

void BM_AnalysisCode1_WithLog(benchmark::State& state) {
  AnalyseCode(state, 1, true);
}
void BM_AnalysisCode1_WithoutLog(benchmark::State& state) {
  AnalyseCode(state, 1, false);
}
// A code with a catalogued message, collected and not shown: two log entries.
void BM_AnalysisErrorCode_WithLog(benchmark::State& state) {
  AnalyseCode(state, -6, true);
}
void BM_AnalysisErrorCode_WithoutLog(benchmark::State& state) {
  AnalyseCode(state, -6, false);
}

void BM_DebugLogAppend(benchmark::State& state) {
  tovtest::PackageSandbox sandbox;
  for (auto _ : state) Tov00300::ImpFisDebug(kComando);
}

BENCHMARK(BM_AnalysisCode1_WithLog);
BENCHMARK(BM_AnalysisCode1_WithoutLog);
BENCHMARK(BM_AnalysisErrorCode_WithLog);
BENCHMARK(BM_AnalysisErrorCode_WithoutLog);
BENCHMARK(BM_DebugLogAppend);

}  // namespace

BENCHMARK_MAIN();
