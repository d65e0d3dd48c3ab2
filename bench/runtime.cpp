// The runtime toolkit's hot paths: filling a data set, searching it with and
// without an index, and formatting amounts.
//
// Each data-set benchmark runs at several sizes so the growth shows: Append
// and the mixed Append-then-Locate pattern must grow linearly in the row
// count (constant time per row), an indexed Locate logarithmically, an
// unindexed Locate linearly.
#include <benchmark/benchmark.h>

#include <random>

#include "tov00300/dataset.h"
#include "tov00300/format.h"

namespace {

using Tov00300::DataSet;
using Tov00300::FieldType;
using Tov00300::Variant;

void Open(DataSet& ds, bool indexed) {
  ds.CreateDataSet(
      {{"CD", FieldType::Integer}, {"NM", FieldType::String, 20}, {"VR", FieldType::Float}});
  if (indexed) ds.SetIndexFieldNames("CD");
}

// Keys in a scrambled order, so an index really has to place each row.
int KeyOf(int i, int n) {
  return static_cast<int>((static_cast<int64_t>(i) * 7919) % n);
}

void AppendRow(DataSet& ds, int cd) {
  ds.Append();
  ds.Fields(0).SetAsInteger(cd);
  ds.Fields(1).SetAsString("PRODUTO");
  ds.Fields(2).SetAsFloat(cd * 0.01);
  ds.Post();
}

void Fill(DataSet& ds, int n) {
  for (int i = 0; i < n; ++i) AppendRow(ds, KeyOf(i, n));
}

void BM_DataSetAppend(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const bool indexed = state.range(1) != 0;
  for (auto _ : state) {
    DataSet ds;
    Open(ds, indexed);
    Fill(ds, n);
    benchmark::DoNotOptimize(ds.RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * n);
  state.SetComplexityN(n);
}
BENCHMARK(BM_DataSetAppend)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"rows", "indexed"})
    ->Unit(benchmark::kMillisecond);

void BM_DataSetLocateIndexed(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  DataSet ds;
  Open(ds, true);
  Fill(ds, n);
  std::mt19937 rng(7);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ds.Locate("CD", Variant(static_cast<int>(rng() % n))));
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_DataSetLocateIndexed)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

void BM_DataSetLocateUnindexed(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  DataSet ds;
  Open(ds, false);
  Fill(ds, n);
  std::mt19937 rng(7);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ds.Locate("CD", Variant(static_cast<int>(rng() % n))));
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_DataSetLocateUnindexed)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

// The pattern of a till filling a table while checking for duplicates.
void BM_DataSetAppendThenLocate(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    DataSet ds;
    Open(ds, true);
    for (int i = 0; i < n; ++i) {
      const int cd = KeyOf(i, n);
      if (!ds.Locate("CD", Variant(cd))) AppendRow(ds, cd);
    }
    benchmark::DoNotOptimize(ds.RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_DataSetAppendThenLocate)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond);

void BM_FormatFloat(benchmark::State& state) {
  const char* masks[] = {"0.00",     "#0.000", "00.00",        "#0.00",
                         "#,##0.00", "0.00#",  "000000000.00", "#.00"};
  double value = 1234.5678;
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Tov00300::FormatFloat(masks[i++ % 8], value));
    value += 0.01;
  }
}
BENCHMARK(BM_FormatFloat);

}  // namespace

BENCHMARK_MAIN();
