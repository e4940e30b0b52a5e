// Any page with any tokens: the parser never reads past the page, every row it
// makes has no control character, and the table stays in descending rank with one row per link.

#include <set>

#include "core/result_parser.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvane::fuzz::FuzzInput input(data, size);
  sorvane::SearchEngine engine;
  engine.name = "Fuzz";
  engine.startToken = std::string(input.NextField());
  engine.endToken = std::string(input.NextField());
  engine.url = std::string(input.NextField());
  engine.prefix = "p";
  const std::string words(input.NextField());
  std::string page(input.Rest());

  sorvane::ResultsTable table;
  const int taken = sorvane::ParseResultPage(engine, words, page, table, true);
  const std::vector<sorvane::SearchHit> hits = table.Snapshot();
  FUZZ_CHECK(taken == static_cast<int>(hits.size()));
  std::set<std::string> links;
  for (std::size_t i = 0; i < hits.size(); ++i) {
    FUZZ_CHECK(hits[i].description.size() <= sorvane::kMaxDescriptionLength);
    for (char c : hits[i].description) FUZZ_CHECK(static_cast<unsigned char>(c) >= 32 && c != 127);
    FUZZ_CHECK(hits[i].rank >= 0 && hits[i].rank <= 100);
    FUZZ_CHECK(hits[i].hits == 1);
    FUZZ_CHECK(links.insert(hits[i].url).second);
    if (i > 0) FUZZ_CHECK(hits[i - 1].rank >= hits[i].rank);
  }
  return 0;
}
