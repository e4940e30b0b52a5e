// The engine store the program ships in data/: every record loads, every
// category's names resolve, and each engine cuts the hits out of a result page
// built from the markup its site is known to send (tests/data/engines/).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/engine_store.h"
#include "core/page_charset.h"
#include "core/query_address.h"
#include "core/result_parser.h"
#include "platform/file_io.h"

namespace sorvane {
namespace {

const std::filesystem::path kDataFolder = SORVANE_DATA_DIR;
const std::filesystem::path kPagesFolder = SORVANE_ENGINE_PAGES_DIR;

struct ShippedStore {
  EngineList engines;
  CategoryRows rows = DefaultCategoryRows();
  ShippedStore() { LoadEngineStore(kDataFolder, engines, rows); }
};

TEST(DefaultEngines, FilesAreExactlyInTheStoreFormats) {
  // Writing back what was read gives the same bytes: no record was dropped as
  // invalid, no line is out of place, and every category row is in the file.
  ShippedStore store;
  EXPECT_EQ(store.engines.size(), 16u);
  EXPECT_EQ(FormatEngines(store.engines), ReadWholeFile(kDataFolder / kEnginesFileName).value_or(""));
  EXPECT_EQ(FormatCategories(store.rows), ReadWholeFile(kDataFolder / kCategoriesFileName).value_or(""));
}

TEST(DefaultEngines, EveryCategoryNameResolvesAndEveryEngineServesACategory) {
  ShippedStore store;
  std::set<std::string> used;
  for (const Category& row : store.rows) {
    ASSERT_TRUE(row.engineNames.has_value()) << row.name << " is missing from categories.dat";
    for (const std::string& name : *row.engineNames) {
      EXPECT_NE(FindEngine(store.engines, name), nullptr) << row.name << " names unknown engine " << name;
      used.insert(name);
    }
  }
  for (const EnginePtr& engine : store.engines) {
    EXPECT_TRUE(used.count(engine->name)) << engine->name << " serves no category";
  }
  // My PC never searches the web, and no service takes the words the Email
  // category turns them into.
  EXPECT_TRUE(store.rows[kMyPcRow].engineNames->empty());
  EXPECT_TRUE(store.rows[FindCategoryRow(store.rows, kEmailCategory)].engineNames->empty());
}

TEST(DefaultEngines, FirstAddressesAreWholeAddressesWithTheWords) {
  ShippedStore store;
  for (const EnginePtr& engine : store.engines) {
    const std::string address = BuildRequestAddress(*engine, "wooden+boats");
    EXPECT_TRUE(address.starts_with("http://") || address.starts_with("https://")) << address;
    EXPECT_NE(address.find("=wooden+boats"), std::string::npos) << address;
    EXPECT_EQ(address.find('%'), std::string::npos) << address << ": a placeholder was left in";
  }
}

struct ExpectedHit {
  std::string url;
  std::string description;
};

struct PageCase {
  std::string engine;
  std::string words;
  std::vector<ExpectedHit> hits;
};

const std::vector<PageCase>& PageCases() {
  static const std::vector<PageCase> cases = {
      {"Wiby", "wooden boats",
       {{"http://www.woodenboat.com/", "WoodenBoat Magazine - for wooden boat owners, builders and designers"},
        // An https link passes through because the record's url is empty.
        {"https://www.classicboat.example/restoring/", "Restoring Classic Wooden Boats"},
        {"http://home.example.net/~skiff/", "Building a Skiff & other Small Boats"}}},
      {"Mojeek", "node.js",
       // The token ends in the title attribute: the rest of the tag, through its
       // ">", is dropped from the description.
       {{"https://nodejs.org/en", "Node.js \xE2\x80\x94 Run JavaScript Everywhere"},
        {"https://en.wikipedia.org/wiki/Node.js", "Node.js - Wikipedia"},
        {"http://nodeschool.io/", "NodeSchool: Open source workshops that teach web software skills"}}},
      {"Wikipedia", "andrews sisters",
       // The interwiki results in the side column use other markup and are not taken.
       {{"https://en.wikipedia.org/wiki/The_Andrews_Sisters", "The Andrews Sisters"},
        {"https://en.wikipedia.org/wiki/Andrews_Sisters_discography", "Andrews Sisters discography"},
        {"https://en.wikipedia.org/wiki/Patty_Andrews", "Patty Andrews"}}},
      {"SimpleWikipedia", "solar system",
       {{"https://simple.wikipedia.org/wiki/Solar_System", "Solar System"},
        {"https://simple.wikipedia.org/wiki/Planet", "Planet"}}},
      {"Wiktionary", "serendipity",
       {{"https://en.wiktionary.org/wiki/serendipity", "serendipity"},
        {"https://en.wiktionary.org/wiki/serendipitous", "serendipitous"}}},
      {"Wikibooks", "bread",
       {{"https://en.wikibooks.org/wiki/Cookbook:Bread", "Cookbook:Bread"},
        {"https://en.wikibooks.org/wiki/Cookbook:Sourdough_Bread", "Cookbook:Sourdough Bread"}}},
      {"Wikiversity", "linear algebra",
       {{"https://en.wikiversity.org/wiki/Linear_algebra", "Linear algebra"},
        {"https://en.wikiversity.org/wiki/Introduction_to_Linear_Algebra", "Introduction to Linear Algebra"}}},
      {"Wikisource", "moby dick",
       {{"https://en.wikisource.org/wiki/Moby-Dick_(1851)_US_edition", "Moby-Dick (1851) US edition"},
        {"https://en.wikisource.org/wiki/Author:Herman_Melville", "Author:Herman Melville"}}},
      {"Wikiquote", "mark twain",
       {{"https://en.wikiquote.org/wiki/Mark_Twain", "Mark Twain"},
        {"https://en.wikiquote.org/wiki/The_Adventures_of_Tom_Sawyer", "The Adventures of Tom Sawyer"}}},
      {"Wikivoyage", "lisbon",
       {{"https://en.wikivoyage.org/wiki/Lisbon", "Lisbon"},
        {"https://en.wikivoyage.org/wiki/Sintra", "Sintra"},
        // The link keeps its escapes; the title keeps its letters.
        {"https://en.wikivoyage.org/wiki/Lisbon/Bel%C3%A9m", "Lisbon/Bel\xC3\xA9m"}}},
      {"Wikinews", "olympics",
       {{"https://en.wikinews.org/wiki/Paris_hosts_opening_ceremony_of_2024_Summer_Olympics",
         "Paris hosts opening ceremony of 2024 Summer Olympics"},
        {"https://en.wikinews.org/wiki/Category:Olympic_Games", "Category:Olympic Games"}}},
      {"ArchWiki", "pacman mirrors",
       {{"https://wiki.archlinux.org/title/Mirrors", "Mirrors"},
        {"https://wiki.archlinux.org/title/Pacman", "Pacman"},
        {"https://wiki.archlinux.org/title/Pacman/Tips_and_tricks", "Pacman/Tips and tricks"}}},
      {"MusicBrainz", "ok computer",
       // Artist cells link to /artist/ and are not taken.
       {{"https://musicbrainz.org/release-group/b1392450-e666-3926-a536-22c65f834433", "OK Computer"},
        {"https://musicbrainz.org/release-group/4d1e8c5b-7b6c-4f1c-9f0e-0b1f3a2c7d11", "OKNOTOK 1997 2017"},
        {"https://musicbrainz.org/release-group/2a0e7f4c-98d2-3c7b-8c55-5f6b2e1d9a40",
         "Exit Music: Songs With Radio Heads"}}},
      {"GovTrack", "farm",
       // Members, bills and committees live under /congress/; subject areas do not.
       {{"https://www.govtrack.us/congress/members/glenn_thompson/412317", "Rep. Glenn Thompson [R-PA15]"},
        {"https://www.govtrack.us/congress/bills/118/hr8467",
         "H.R. 8467: Farm, Food, and National Security Act of 2024"},
        {"https://www.govtrack.us/congress/bills/115/hr2", "H.R. 2 (115th): Agriculture Improvement Act of 2018"},
        {"https://www.govtrack.us/congress/committees/HSAG", "House Committee on Agriculture"}}},
      {"arXiv", "kv cache",
       // The title runs over the identifier, the format links and the subject
       // tags; the page's indentation and line feeds become single spaces.
       {{"https://arxiv.org/abs/2605.13111",
         "arXiv:2605.13111 [pdf, other] cs.LG cs.CL Compressing the KV cache of long-context language models"},
        {"https://arxiv.org/abs/2604.01234", "arXiv:2604.01234 [pdf] cs.DC Paged attention for serving many requests"}}},
      {"F-Droid", "notes",
       {{"https://f-droid.org/en/packages/org.fossify.notes/", "Fossify Notes"},
        {"https://f-droid.org/en/packages/com.orgzly/", "Orgzly"}}},
  };
  return cases;
}

TEST(DefaultEngines, EachEngineCutsTheHitsOfItsResultPage) {
  ShippedStore store;
  std::set<std::string> covered;
  for (const PageCase& c : PageCases()) {
    SCOPED_TRACE(c.engine);
    const EnginePtr engine = FindEngine(store.engines, c.engine);
    ASSERT_NE(engine, nullptr);
    const std::optional<std::string> bytes = ReadWholeFile(kPagesFolder / (c.engine + ".html"));
    ASSERT_TRUE(bytes.has_value());
    std::string page = ConvertPageToUtf8(*bytes, "");
    ResultsTable table;
    EXPECT_EQ(ParseResultPage(*engine, c.words, page, table, true), static_cast<int>(c.hits.size()));
    const std::vector<SearchHit> rows = table.Snapshot();
    ASSERT_EQ(rows.size(), c.hits.size());
    for (const ExpectedHit& expected : c.hits) {
      const auto row = std::find_if(rows.begin(), rows.end(),
                                    [&](const SearchHit& hit) { return hit.url == expected.url; });
      ASSERT_NE(row, rows.end()) << "no row for " << expected.url;
      EXPECT_EQ(row->description, expected.description);
      EXPECT_EQ(row->engine, c.engine);
      EXPECT_EQ(row->hits, 1);
    }
    covered.insert(c.engine);
  }
  // A record added to engines.dat comes with a page here.
  for (const EnginePtr& engine : store.engines) EXPECT_TRUE(covered.count(engine->name)) << engine->name;
}

}  // namespace
}  // namespace sorvane
