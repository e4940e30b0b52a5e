// A result page of 1 MiB holding 2,000 hits, cut and merged into an empty table.

#include <benchmark/benchmark.h>

#include <string>

#include "core/result_parser.h"
#include "tests/support/reference_table.h"

namespace {

std::string MakePage(int hits, std::size_t targetSize) {
  std::string page = "<html><head><title>Results for wooden boats</title></head><body><ol>\n";
  const std::size_t perHit = targetSize / static_cast<std::size_t>(hits);
  for (int i = 0; i < hits; ++i) {
    std::string hit = "<li class=\"result\"><a class=\"hit\" href=\"http://www.site" + std::to_string(i % 97) +
                      ".example/boats/" + std::to_string(i) + ".html\">The <b>wooden boats</b> page number " +
                      std::to_string(i) + "&nbsp;of a builder of wooden &quot;boats&quot;</a>\n<p class=\"snippet\">";
    while (hit.size() + 10 < perHit) hit += "Snippet words about hulls, oars and varnish. ";
    hit += "</p></li>\n";
    page += hit;
  }
  page += "</ol></body></html>\n";
  return page;
}

sorvane::SearchEngine Engine() {
  sorvane::SearchEngine engine;
  engine.name = "Bench";
  engine.url = "http://www.engine.example";
  engine.prefix = "/search?q=";
  engine.startToken = "<a class=\"hit\" href=\"http";
  engine.endToken = "</a>";
  return engine;
}

void BM_ParseAndMergePage(benchmark::State& state) {
  const std::string page = MakePage(2000, 1 << 20);
  const sorvane::SearchEngine engine = Engine();
  int taken = 0;
  for (auto _ : state) {
    std::string copy = page;  // the parser marks the page it reads
    sorvane::ResultsTable table;
    taken = sorvane::ParseResultPage(engine, "wooden boats", copy, table, true);
    benchmark::DoNotOptimize(taken);
  }
  state.counters["hits"] = taken;
  state.counters["page_bytes"] = static_cast<double>(page.size());
}
BENCHMARK(BM_ParseAndMergePage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
