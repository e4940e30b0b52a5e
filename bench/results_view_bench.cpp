// The results list's view over 100,000 rows: sorting by a text column (case
// folded) and by a number, finding a text, and the cost of one look at the
// table when a batch of rows arrives while the view is sorted (what the list
// pays for each coalesced repaint during a search).

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/results_table.h"
#include "results/results_view.h"

namespace {

constexpr int kDescriptionColumn = 0;
constexpr int kHitsColumn = 3;

void Fill(sorvane::TableRows& rows, int count, std::mt19937& random) {
  static const char* const kWords[] = {"Wooden", "boats", "\xC3\x89" "cole", "sailing", "Harbour", "plans",
                                       "STRASSE", "keel", "mast", "r\xC3\xA9" "sum\xC3\xA9"};
  for (int i = 0; i < count; ++i) {
    std::string description;
    for (int w = 0; w < 8; ++w) description += std::string(kWords[random() % 10]) + " ";
    rows.AppendRow({description, "http://www.site" + std::to_string(random() % 1000) + ".example/" +
                                     std::to_string(i),
                    std::to_string(random() % 101), std::to_string(1 + random() % 20), "Engine"});
  }
}

void BM_SortView(benchmark::State& state) {
  std::mt19937 random(7);
  sorvane::TableRows rows(sorvane::DefaultResultColumns());
  Fill(rows, static_cast<int>(state.range(0)), random);
  const int column = state.range(1) == 0 ? kDescriptionColumn : kHitsColumn;
  for (auto _ : state) {
    sorvane::ResultsView view;
    view.SortBy(column, false);
    view.Sync(rows);
    benchmark::DoNotOptimize(view.ShownCount());
  }
}
BENCHMARK(BM_SortView)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

void BM_FilterView(benchmark::State& state) {
  std::mt19937 random(7);
  sorvane::TableRows rows(sorvane::DefaultResultColumns());
  Fill(rows, static_cast<int>(state.range(0)), random);
  for (auto _ : state) {
    sorvane::ResultsView view;
    view.SetFilterText("\xC3\xA9" "cole sailing");
    view.Sync(rows);
    benchmark::DoNotOptimize(view.ShownCount());
  }
}
BENCHMARK(BM_FilterView)->Arg(100000)->Unit(benchmark::kMillisecond);

// 100 rows arriving into a sorted view of 100,000.
void BM_SyncArrivingRows(benchmark::State& state) {
  std::mt19937 random(7);
  sorvane::TableRows rows(sorvane::DefaultResultColumns());
  Fill(rows, static_cast<int>(state.range(0)), random);
  sorvane::ResultsView view;
  view.SortBy(kDescriptionColumn, false);
  view.Sync(rows);
  for (auto _ : state) {
    Fill(rows, 100, random);
    view.Sync(rows);
    benchmark::DoNotOptimize(view.ShownCount());
  }
}
BENCHMARK(BM_SyncArrivingRows)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
