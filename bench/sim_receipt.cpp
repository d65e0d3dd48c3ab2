// A 1,000-item receipt through the virtual printer's entry points, loaded
// with dlopen as the package loads it, with the default durability (every
// record written before the call returns; document boundaries flushed to the
// device). Measured on a fresh printer and after 10,000 earlier documents.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tov00300/driver_api.h"

namespace {

struct Driver {
#define TOV_BENCH_POINTER(name, params) int(*name) params = nullptr;
  TOV00300_DRIVER_ENTRY_POINTS(TOV_BENCH_POINTER)
#undef TOV_BENCH_POINTER
  int (*control)(const char*) = nullptr;
};

Driver& Sim() {
  static Driver d = [] {
    Driver bound;
    void* h = dlopen(TOV_BUILD_LIB_DIR "/libDarumaFrameWork.so", RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) {
      std::fprintf(stderr, "cannot load the virtual printer: %s\n", dlerror());
      std::abort();
    }
#define TOV_BENCH_BIND(name, params) \
  bound.name = reinterpret_cast<decltype(bound.name)>(dlsym(h, #name));
    TOV00300_DRIVER_ENTRY_POINTS(TOV_BENCH_BIND)
#undef TOV_BENCH_BIND
    bound.control = reinterpret_cast<decltype(bound.control)>(dlsym(h, "simControl_Daruma"));
    return bound;
  }();
  return d;
}

// A fresh printer in its own folder.
std::string FreshPrinter() {
  char pattern[] = "/tmp/simbench-XXXXXX";
  std::string root = mkdtemp(pattern);
  std::filesystem::create_directories(root + "/drive");
  setenv("TOV_REGISTRY", (root + "/registry.ini").c_str(), 1);
  setenv("TOV_DRIVE_ROOT", (root + "/drive/").c_str(), 1);
  setenv("TOV_HOST_DIR", root.c_str(), 1);
  Sim().control("reset");
  // The printer answers only the process that has its port open.
  Sim().eAbrirSerial_Daruma("COM1", "115200");
  return root;
}

void SmallReceipt(Driver& d) {
  d.iCFAbrirPadrao_ECF_Daruma();
  d.iCFVender_ECF_Daruma("I18,00", "1,000", "2,50", "A$", "0,00", "7891000", "UN", "ITEM");
  d.iCFTotalizarCupom_ECF_Daruma("D$", "0");
  d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "2,50");
  d.iCFEncerrarConfigMsg_ECF_Daruma("");
}

void ThousandItems(benchmark::State& state, int earlierDocuments, const char* durability) {
  Driver& d = Sim();
  std::string root = FreshPrinter();
  d.control("durability off");
  for (int i = 0; i < earlierDocuments; ++i) SmallReceipt(d);
  d.control(durability);
  int64_t items = 0;
  for (auto _ : state) {
    d.iCFAbrirPadrao_ECF_Daruma();
    for (int i = 0; i < 1000; ++i) {
      if (d.iCFVender_ECF_Daruma("I18,00", "1,000", "1,99", "A$", "0,00", "7891000100103", "UN",
                                 "PRODUTO DE TESTE") != 1) {
        state.SkipWithError("item refused");
        break;
      }
    }
    items += 1000;
    d.iCFTotalizarCupom_ECF_Daruma("D$", "0");
    d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "1990,00");
    d.iCFEncerrarConfigMsg_ECF_Daruma("");
  }
  state.counters["items/s"] =
      benchmark::Counter(static_cast<double>(items), benchmark::Counter::kIsRate);
  Sim().control("reset");
  std::filesystem::remove_all(root);
}

void BM_ThousandItemReceipt(benchmark::State& state) {
  ThousandItems(state, 0, "durability on");
}
void BM_ThousandItemReceiptAfter10000Documents(benchmark::State& state) {
  ThousandItems(state, 10000, "durability on");
}
// For comparison: every record flushed to the device before the call returns.
void BM_ThousandItemReceiptSyncEveryRecord(benchmark::State& state) {
  ThousandItems(state, 0, "durability sync");
}

BENCHMARK(BM_ThousandItemReceipt)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThousandItemReceiptAfter10000Documents)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThousandItemReceiptSyncEveryRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
