// The full-size result pages under tests/data/engines/learn/ and the records
// written by hand for them (MANIFEST.tsv): each record goes through the engine
// store's own reader, rebuilds the search address it was written from, and cuts
// exactly the hits the manifest says it does. Learning is measured against these
// records, so a page edited without its record, or the reverse, fails here.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/engine_store.h"
#include "core/query_address.h"
#include "core/result_parser.h"
#include "core/results_table.h"
#include "platform/file_io.h"

namespace sorvane {
namespace {

const std::filesystem::path kLearnFolder = std::filesystem::path(SORVANE_ENGINE_PAGES_DIR) / "learn";

struct ManifestLine {
  std::string page;
  std::string words;
  std::string address;
  int expectedHits = -1;
  std::vector<std::string> record;  // the eight fields as `sorvane-cli engines` prints them
};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return fields;
}

std::vector<ManifestLine> ReadManifest() {
  std::vector<ManifestLine> lines;
  std::istringstream text(ReadWholeFile(kLearnFolder / "MANIFEST.tsv").value_or(""));
  std::string line;
  while (std::getline(text, line)) {
    if (line.empty()) continue;
    const std::vector<std::string> fields = SplitTabs(line);
    EXPECT_EQ(fields.size(), 12u) << line;
    if (fields.size() != 12) continue;
    ManifestLine entry{fields[0], fields[1], fields[2], std::stoi(fields[3]), {fields.begin() + 4, fields.end()}};
    lines.push_back(std::move(entry));
  }
  return lines;
}

// The record as engines.dat holds it, read back by the store's own reader, so a
// field the file format cannot keep (a trailing space, say) shows up here.
EnginePtr LoadRecord(const std::vector<std::string>& fields) {
  const int searchType = std::stoi(fields[4]);
  std::string file = "1\n" + fields[0] + "\n" + fields[1] + "\n" + fields[2] + "\n" + fields[3] + "\n" + fields[4] +
                     "\n" + fields[5] + "\n" + fields[6] + "\n";
  if (StoresNextPageCommand(searchType)) file += fields[7] + "\n";
  EngineList engines;
  ParseEngines(file, engines);
  if (engines.size() != 1) return nullptr;
  return engines.at(0);
}

TEST(LearnPages, ManifestCoversEveryPageOfTheFolder) {
  const std::vector<ManifestLine> manifest = ReadManifest();
  EXPECT_GE(manifest.size(), 12u);
  std::size_t pages = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kLearnFolder)) {
    if (entry.path().extension() != ".html") continue;
    ++pages;
    const std::string name = entry.path().filename().string();
    const bool listed = std::any_of(manifest.begin(), manifest.end(),
                                    [&](const ManifestLine& line) { return line.page == name; });
    EXPECT_TRUE(listed) << name << " has no line in MANIFEST.tsv";
  }
  EXPECT_EQ(pages, manifest.size());
}

TEST(LearnPages, EachRecordRebuildsItsAddressAndCutsTheExpectedHits) {
  for (const ManifestLine& line : ReadManifest()) {
    SCOPED_TRACE(line.page);
    const EnginePtr engine = LoadRecord(line.record);
    ASSERT_NE(engine, nullptr) << "the record does not survive engines.dat";
    EXPECT_EQ(engine->name, line.record[0]);
    EXPECT_EQ(engine->startToken, line.record[1]);
    EXPECT_EQ(engine->endToken, line.record[2]);
    EXPECT_EQ(engine->url, line.record[3]);

    // The record was written from the address a person copied after searching.
    EXPECT_EQ(BuildRequestAddress(*engine, EncodeQuery(line.words, EntirePhrase)), line.address);

    std::optional<std::string> page = ReadWholeFile(kLearnFolder / line.page);
    ASSERT_TRUE(page.has_value());
    // Full-size pages, with the page furniture a real result page has around its hits.
    EXPECT_GE(page->size(), 30u * 1000);
    EXPECT_LE(page->size(), 300u * 1000);

    ResultsTable table;
    EXPECT_EQ(ParseResultPage(*engine, line.words, *page, table, true), line.expectedHits);
    for (const SearchHit& hit : table.Snapshot()) {
      // A relative link left without its site, or a url put in front of a link
      // that was absolute already, would not be an address a browser can open.
      EXPECT_TRUE(hit.url.starts_with("https://") || hit.url.starts_with("http://")) << hit.url;
      if (!engine->url.empty() && hit.url.starts_with(engine->url)) {
        EXPECT_FALSE(std::string_view(hit.url).substr(engine->url.size()).starts_with("http")) << hit.url;
      }
    }
  }
}

}  // namespace
}  // namespace sorvane
