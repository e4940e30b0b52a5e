// Learning the markers of a result page of 1 MiB: the whole of FindMarkers
// (survey, grouping, weighing, trial parses). The goal is at most 50 ms.
//
// Three pages: 60 entries in a page swollen by styles and scripts, as shops'
// pages are; 1,500 entries of three links each among 600 navigation links, the
// densest page a site is likely to send; and the largest saved full-size page
// (tests/data/engines/learn/steam.html) with its entries repeated up to 1 MiB.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/marker_finder.h"
#include "platform/file_io.h"

namespace {

constexpr std::size_t kPageSize = 1 << 20;
constexpr const char* kAddress = "https://search.example/search?q=wooden+boats";
constexpr const char* kWords = "wooden boats";

std::string Navigation(int links) {
  std::string nav = "<nav>";
  for (int i = 0; i < links; ++i) {
    nav += "<li class=\"menu\"><a href=\"/section/" + std::to_string(i) + "/\">Section " + std::to_string(i) + "</a></li>";
  }
  return nav + "</nav>\n";
}

std::string Entry(int i) {
  return "<div class=\"result\"><a class=\"thumb\" href=\"https://site" + std::to_string(i) + ".example/boats/\">"
         "<img src=\"/t/" + std::to_string(i) + ".png\"></a><h3><a class=\"title\" href=\"https://site" +
         std::to_string(i) + ".example/boats/\">Wooden boats and their builders, number " + std::to_string(i) +
         "</a></h3><p class=\"snippet\">Clinker and carvel hulls, masts and yards; <a href=\"https://site" +
         std::to_string(i) + ".example/boats/more\">more</a> about <b>wooden</b> boats.</p></div>\n";
}

std::string SwollenPage() {
  std::string page = "<html><head><style>";
  while (page.size() < kPageSize - 60 * 700) page += ".c{margin:0 auto;padding:4px 8px;color:#202122} ";
  page += "</style></head><body>" + Navigation(40);
  for (int i = 0; i < 60; ++i) page += Entry(i);
  return page + "<footer><a href=\"/about/\">About us and our history</a></footer></body></html>\n";
}

std::string DensePage() {
  std::string page = "<html><body>" + Navigation(600);
  for (int i = 0; page.size() < kPageSize; ++i) page += Entry(i);
  return page + "</body></html>\n";
}

std::string TiledSavedPage() {
  const std::optional<std::string> saved =
      sorvane::ReadWholeFile(std::filesystem::path(SORVANE_ENGINE_PAGES_DIR) / "learn" / "steam.html");
  if (!saved) return {};
  const std::size_t first = saved->find("<a href=\"https://store.steampowered.com/app/");
  const std::size_t last = saved->rfind("<a href=\"https://store.steampowered.com/app/");
  if (first == std::string::npos || last == first) return {};
  const std::string entries = saved->substr(first, last - first);
  std::string page = saved->substr(0, last);
  // Each copy of the entries leads to games of its own, as further pages would.
  for (int copy = 1; page.size() + entries.size() < kPageSize; ++copy) {
    std::string tile = entries;
    const std::string from = "/app/";
    const std::string to = "/app/" + std::to_string(copy);
    for (std::size_t at = tile.find(from); at != std::string::npos; at = tile.find(from, at + to.size())) {
      tile.replace(at, from.size(), to);
    }
    page += tile;
  }
  return page + saved->substr(last);
}

void Learn(benchmark::State& state, const std::string& page, const char* words, const char* address) {
  if (page.empty()) {
    state.SkipWithError("the saved page is missing");
    return;
  }
  int hits = 0;
  for (auto _ : state) {
    const auto proposal = sorvane::FindMarkers(page, words, address);
    hits = proposal ? proposal->hits : 0;
    benchmark::DoNotOptimize(hits);
  }
  state.counters["hits"] = hits;
  state.counters["page_bytes"] = static_cast<double>(page.size());
}

void BM_LearnMarkers_SwollenPage(benchmark::State& state) { Learn(state, SwollenPage(), kWords, kAddress); }
void BM_LearnMarkers_DensePage(benchmark::State& state) { Learn(state, DensePage(), kWords, kAddress); }
void BM_LearnMarkers_TiledSavedPage(benchmark::State& state) {
  Learn(state, TiledSavedPage(), "city builder", "https://store.steampowered.com/search/?term=city+builder");
}

BENCHMARK(BM_LearnMarkers_SwollenPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LearnMarkers_DensePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LearnMarkers_TiledSavedPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
