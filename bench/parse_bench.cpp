// A result page of 1 MiB holding 2,000 hits, cut and merged into an empty table:
// once in plain ASCII, once with character references and UTF-8 letters in its
// titles as today's engines send them. And the conversion of a 1 MiB
// Windows-1252 page to UTF-8, which every such page goes through first.

#include <benchmark/benchmark.h>

#include <string>

#include "core/page_charset.h"
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

// The same shape with titles full of what the cleaning has to decode: named
// and numeric references, no-break spaces, and letters of three scripts.
std::string MakeUtf8Page(int hits, std::size_t targetSize) {
  static const char* const kTitles[] = {
      "The <b>wooden boats</b> of M\xC3\xBCnchen &amp; K\xC3\xB6ln &mdash; page ",
      "&quot;Wooden&nbsp;boats&quot; &#8211; caf&eacute; &#x6771;&#x4EAC; \xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\xAE\xE8\x88\xB9 ",
      "\xCE\x9E\xCF\x8D\xCE\xBB\xCE\xB9\xCE\xBD\xCE\xB1 \xCF\x83\xCE\xBA\xCE\xAC\xCF\x86\xCE\xB7 &ndash; WOODEN BOATS &#233;t&#xE9; ",
  };
  std::string page =
      "<html><head><meta charset=\"utf-8\"><title>Results for wooden boats</title></head><body><ol>\n";
  const std::size_t perHit = targetSize / static_cast<std::size_t>(hits);
  for (int i = 0; i < hits; ++i) {
    std::string hit = "<li class=\"result\"><a class=\"hit\" href=\"http://www.site" + std::to_string(i % 97) +
                      ".example/boats/" + std::to_string(i) + ".html\">" + kTitles[i % 3] + std::to_string(i) +
                      "</a>\n<p class=\"snippet\">";
    while (hit.size() + 10 < perHit) hit += "Snippet words about hulls, oars and varnish &ndash; \xC3\xA9t\xC3\xA9. ";
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

void BM_ParseAndMergeUtf8Page(benchmark::State& state) {
  const std::string page = MakeUtf8Page(2000, 1 << 20);
  const sorvane::SearchEngine engine = Engine();
  int taken = 0;
  for (auto _ : state) {
    std::string copy = page;
    sorvane::ResultsTable table;
    taken = sorvane::ParseResultPage(engine, "wooden boats", copy, table, true);
    benchmark::DoNotOptimize(taken);
  }
  state.counters["hits"] = taken;
  state.counters["page_bytes"] = static_cast<double>(page.size());
}
BENCHMARK(BM_ParseAndMergeUtf8Page)->Unit(benchmark::kMillisecond);

// The page as it arrives: checked to be UTF-8 (a copy of it), then parsed.
void BM_ConvertParseAndMergeUtf8Page(benchmark::State& state) {
  const std::string page = MakeUtf8Page(2000, 1 << 20);
  const sorvane::SearchEngine engine = Engine();
  int taken = 0;
  for (auto _ : state) {
    std::string converted = sorvane::ConvertPageToUtf8(page, "text/html; charset=utf-8");
    sorvane::ResultsTable table;
    taken = sorvane::ParseResultPage(engine, "wooden boats", converted, table, true);
    benchmark::DoNotOptimize(taken);
  }
  state.counters["hits"] = taken;
}
BENCHMARK(BM_ConvertParseAndMergeUtf8Page)->Unit(benchmark::kMillisecond);

// A Windows-1252 page of 1 MiB: markup in ASCII, text with accented letters,
// curly quotes and dashes, declared by its meta tag.
std::string MakeWindows1252Page(std::size_t targetSize) {
  std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
      "<title>R\xE9sultats</title></head><body><ol>\n";
  for (int i = 0; page.size() < targetSize; ++i) {
    page += "<li><a href=\"http://www.site" + std::to_string(i % 97) + ".example/" + std::to_string(i) +
            ".html\">\x93" "Caf\xE9 cr\xE8me\x94 \x96 na\xEFve M\xFC" "nchen</a> <p>Gr\xF6\xDF" "e, \x80 5, "
            "\xE0 la carte \x85 words about hulls and oars</p></li>\n";
  }
  page.resize(targetSize);
  return page;
}

void BM_ConvertWindows1252Page(benchmark::State& state) {
  const std::string page = MakeWindows1252Page(1 << 20);
  std::size_t converted = 0;
  for (auto _ : state) {
    const std::string text = sorvane::ConvertPageToUtf8(page, "");
    converted = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["page_bytes"] = static_cast<double>(page.size());
  state.counters["utf8_bytes"] = static_cast<double>(converted);
}
BENCHMARK(BM_ConvertWindows1252Page)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
