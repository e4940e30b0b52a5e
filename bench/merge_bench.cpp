// 100,000 hits merged into one results table: ranks spread over 0..100, one hit in
// ten a link the table already holds. "Naive" is the plain linear scan of a list,
// which the table's blocks and indexes replace without changing any answer.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/hit_merge.h"
#include "tests/support/reference_table.h"

namespace {

struct Hit {
  std::string link;
  int rank;
};

std::vector<Hit> MakeHits(int count) {
  std::mt19937 random(2026);
  std::vector<Hit> hits;
  hits.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    if (i > 0 && random() % 10 == 0) {
      hits.push_back(hits[random() % hits.size()]);  // the same link, described alike
    } else {
      hits.push_back({"http://www.site" + std::to_string(random() % 1000) + ".example/page/" + std::to_string(i),
                      static_cast<int>(random() % 101)});
    }
  }
  return hits;
}

const std::string kDescription = "A description of the hit, as long as a search engine's usual title";

void BM_MergeHits(benchmark::State& state) {
  const std::vector<Hit> hits = MakeHits(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    sorvane::ResultsTable table;
    for (const Hit& hit : hits) sorvane::MergeHit(table, kDescription, hit.link, hit.rank, "Engine");
    benchmark::DoNotOptimize(table.RowCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MergeHits)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MergeHitsNaive(benchmark::State& state) {
  const std::vector<Hit> hits = MakeHits(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    sorvane::testing::ReferenceTable table;
    for (const Hit& hit : hits) table.Merge(kDescription, hit.link, hit.rank, "Engine");
    benchmark::DoNotOptimize(table.rows.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MergeHitsNaive)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeHitsNaive)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
