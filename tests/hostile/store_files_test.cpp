// engines.dat, categories.dat and saved searches as a damaged disk, a crash
// mid-copy or another program may leave them: cut at every byte, with lines
// around the reader's 1022-byte limit, with CR-only line ends, with counts
// that lie. Reading never crashes and never invents more than the file holds,
// and whatever the program writes reads back as it was written.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "core/engine_store.h"
#include "core/line_reader.h"
#include "platform/file_io.h"
#include "results/saved_search.h"
#include "hostile/memory_folder.h"

namespace sorvane {
namespace {

using testing::MemoryFolder;
namespace fs = std::filesystem;

constexpr std::size_t kLine = LineReader::kMaxLineLength;

std::string DefaultFile(const char* name) {
  const std::optional<std::string> text = ReadWholeFile(fs::path(SORVANE_DATA_DIR) / name);
  if (!text) ADD_FAILURE() << "missing " << name;
  return text.value_or("");
}

struct Store {
  EngineList engines;
  CategoryRows rows = DefaultCategoryRows();
};

Store Load(const fs::path& folder) {
  Store store;
  LoadEngineStore(folder, store.engines, store.rows);
  return store;
}

// Where each engine record of a well-formed engines.dat ends.
std::vector<std::size_t> RecordEnds(const std::string& text) {
  std::vector<std::size_t> lineEnds;
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
    lineEnds.push_back(at + 1);
  std::vector<std::size_t> ends;
  std::size_t line = 1;  // past the count
  while (line + 7 <= lineEnds.size()) {
    const std::size_t typeLineStart = lineEnds[line + 3];
    const int type = text[typeLineStart] - '0';
    const std::size_t lines = StoresNextPageCommand(type) ? 8 : 7;
    if (line + lines > lineEnds.size()) break;
    line += lines;
    ends.push_back(lineEnds[line - 1]);
  }
  return ends;
}

bool IsPrefix(const std::string& part, const std::string& whole) {
  return whole.compare(0, part.size(), part) == 0;
}

TEST(HostileStoreFiles, EnginesFileCutAtEveryByte) {
  const std::string full = DefaultFile(kEnginesFileName);
  const std::vector<std::size_t> ends = RecordEnds(full);
  MemoryFolder home;
  const Store whole = [&] {
    home.Write(kEnginesFileName, full);
    return Load(home.path());
  }();
  ASSERT_EQ(whole.engines.size(), ends.size());
  ASSERT_GE(whole.engines.size(), 10u);

  for (std::size_t cut = 0; cut <= full.size(); ++cut) {
    home.Write(kEnginesFileName, full.substr(0, cut));
    const Store store = Load(home.path());
    std::size_t complete = 0;
    while (complete < ends.size() && ends[complete] <= cut) ++complete;
    // Every whole record is there; at most the record the cut went through is
    // added, read as far as it goes.
    ASSERT_GE(store.engines.size(), complete) << "cut at " << cut;
    ASSERT_LE(store.engines.size(), complete + 1) << "cut at " << cut;
    for (std::size_t i = 0; i < store.engines.size(); ++i) {
      const SearchEngine& got = *store.engines.at(i);
      const SearchEngine& want = *whole.engines.at(i);
      if (i < complete) {
        ASSERT_EQ(got, want) << "cut at " << cut << ", engine " << i;
        continue;
      }
      EXPECT_EQ(got.name, want.name) << "cut at " << cut;
      EXPECT_TRUE(IsPrefix(got.startToken, want.startToken) && IsPrefix(got.endToken, want.endToken) &&
                  IsPrefix(got.url, want.url) && IsPrefix(got.prefix, want.prefix) &&
                  IsPrefix(got.suffix, want.suffix))
          << "cut at " << cut;
    }
  }
}

TEST(HostileStoreFiles, CategoriesFileCutAtEveryByte) {
  MemoryFolder home;
  home.Write(kEnginesFileName, DefaultFile(kEnginesFileName));
  const std::string full = DefaultFile(kCategoriesFileName);
  home.Write(kCategoriesFileName, full);
  const Store whole = Load(home.path());

  for (std::size_t cut = 0; cut <= full.size(); ++cut) {
    home.Write(kCategoriesFileName, full.substr(0, cut));
    const Store store = Load(home.path());
    ASSERT_EQ(store.rows.size(), whole.rows.size());
    for (std::size_t row = 0; row < store.rows.size(); ++row) {
      const auto& got = store.rows[row].engineNames;
      if (!got) continue;
      ASSERT_TRUE(whole.rows[row].engineNames) << "cut at " << cut << " gave row " << row << " a list";
      const std::vector<std::string>& want = *whole.rows[row].engineNames;
      ASSERT_LE(got->size(), want.size()) << "cut at " << cut;
      for (std::size_t i = 0; i < got->size(); ++i) {
        if (i + 1 < got->size()) {
          ASSERT_EQ((*got)[i], want[i]) << "cut at " << cut;
        } else {
          ASSERT_TRUE(IsPrefix((*got)[i], want[i])) << "cut at " << cut;
        }
      }
    }
  }
}

std::vector<RowCells> SampleRows() {
  return {
      RowCells{{"Wooden Boat Building - plans and kits", "http://boats.example.org/wooden/", "87", "3",
                "Wiby, Wikipedia"},
               true},
      RowCells{{"Classic wooden boats for sale", "https://www.example.com/classic?id=42&p=%d", "74", "1", "Wiby"},
               false},
      RowCells{{"The Wooden Boat Forum", "http://forum.example.net/", "61", "2", "Mojeek"}, true},
  };
}

TEST(HostileStoreFiles, SavedSearchCutAtEveryByte) {
  MemoryFolder home;
  ASSERT_TRUE(SaveSearch(home.path(), "wooden boats", SampleRows(), 7));
  const fs::path file = SavedSearchPath(home.path(), "wooden boats");
  const std::string full = ReadWholeFile(file).value();
  const std::vector<RowCells> want = SampleRows();

  for (std::size_t cut = 0; cut <= full.size(); ++cut) {
    ASSERT_TRUE(WriteFileAtomically(file, full.substr(0, cut)));
    ResultsTable table;
    const std::optional<int> category = LoadSearch(file, table);
    ASSERT_TRUE(category) << "cut at " << cut;
    EXPECT_TRUE(*category == 0 || *category == 7) << "cut at " << cut;
    const std::vector<RowCells> rows = TakeRowCells(table);
    // The count line is whole from its first byte on (a single digit), and the
    // rows it promises are all made: whole, cut short, or empty past the end.
    ASSERT_EQ(rows.size(), cut == 0 ? 0u : want.size()) << "cut at " << cut;
    bool cutReached = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      for (int cell = 0; cell < kRowCellCount; ++cell) {
        const std::string& got = rows[i].cells[cell];
        if (!cutReached && got == want[i].cells[cell]) continue;
        ASSERT_TRUE(IsPrefix(got, want[i].cells[cell])) << "cut at " << cut;
        if (cutReached) {
          ASSERT_TRUE(got.empty()) << "cut at " << cut;
        }
        cutReached = true;
      }
      // The flag of a row the cut went through, or past, reads as not viewed.
      if (rows[i].viewed) {
        ASSERT_TRUE(want[i].viewed && !cutReached) << "cut at " << cut;
      }
    }
  }
}

// A text of exactly `length` bytes that no white-space trimming can shorten.
std::string Text(char fill, std::size_t length) { return std::string(length, fill); }

// Texts of 1021 to 1024 bytes and far longer, in every field: what the program
// saves reads back whole, each text cut to the longest line the reader takes,
// and every later field and record stays where it was.
TEST(HostileStoreFiles, LongTextsSaveAndReadBackWithoutShiftingTheFile) {
  MemoryFolder home;
  EngineList engines;
  std::vector<SearchEngine> expected;
  const std::size_t lengths[] = {1021, 1022, 1023, 1024, 5000};
  int n = 0;
  for (const std::size_t length : lengths) {
    for (const int type : {MultiplePages, ResultCount}) {
      SearchEngine engine;
      engine.name = "Engine " + std::to_string(n++) + Text('n', length);
      engine.startToken = Text('s', length);
      engine.endToken = Text('e', length);
      engine.url = "http://" + Text('u', length);
      engine.searchType = type;
      engine.prefix = "/?q=" + Text('p', length);
      engine.suffix = Text('x', length);
      engine.nextPageCommand = StoresNextPageCommand(type) ? "&page=%d" + Text('c', length) : "";
      engine.valid = 1;
      SearchEngine cut = engine;
      for (std::string* text : {&cut.name, &cut.startToken, &cut.endToken, &cut.url, &cut.prefix, &cut.suffix,
                                &cut.nextPageCommand}) {
        if (text->size() > kLine) text->resize(kLine);
      }
      expected.push_back(cut);
      engines.Append(std::move(engine));
    }
  }
  CategoryRows rows = DefaultCategoryRows();
  rows[0].engineNames = std::vector<std::string>{Text('a', 1022), Text('b', 1023), "Short"};
  rows[2].engineNames = std::vector<std::string>{"After"};
  ASSERT_TRUE(SaveEngines(home.path(), engines));
  ASSERT_TRUE(SaveCategories(home.path(), rows));

  const Store store = Load(home.path());
  ASSERT_EQ(store.engines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(*store.engines.at(i), expected[i]) << i;
  EXPECT_EQ(store.rows[0].engineNames, (std::vector<std::string>{Text('a', 1022), Text('b', 1022), "Short"}));
  EXPECT_EQ(store.rows[2].engineNames, std::vector<std::string>{"After"});

  // A result link of any length (pages choose them) keeps the saved search whole.
  std::vector<RowCells> saved = SampleRows();
  saved[0].cells[1] = "http://long.example/" + Text('l', 3000);
  saved[1].cells[0] = Text('d', 1023);
  ASSERT_TRUE(SaveSearch(home.path(), "long", saved, 3));
  ResultsTable table;
  ASSERT_EQ(LoadSearch(SavedSearchPath(home.path(), "long"), table), 3);
  std::vector<RowCells> want = saved;
  want[0].cells[1].resize(kLine);
  want[1].cells[0].resize(kLine);
  EXPECT_EQ(TakeRowCells(table), want);
}

TEST(HostileStoreFiles, CarriageReturnOnlyLineEnds) {
  MemoryFolder home;
  std::string engines = DefaultFile(kEnginesFileName);
  std::string categories = DefaultFile(kCategoriesFileName);
  for (std::string* text : {&engines, &categories}) std::replace(text->begin(), text->end(), '\n', '\r');
  home.Write(kEnginesFileName, engines);
  home.Write(kCategoriesFileName, categories);
  // The whole file is one line, read in 1022-byte pieces: whatever that makes
  // is kept whole by a save and reads back the same.
  const Store first = Load(home.path());
  for (const EnginePtr& engine : first.engines) {
    EXPECT_LE(engine->url.size(), kLine);
    EXPECT_EQ(engine->name.find('\n'), std::string::npos);
  }
  ASSERT_TRUE(SaveEngines(home.path(), first.engines));
  ASSERT_TRUE(SaveCategories(home.path(), first.rows));
  const Store second = Load(home.path());
  ASSERT_EQ(second.engines.size(), first.engines.size());
  for (std::size_t i = 0; i < first.engines.size(); ++i) EXPECT_EQ(*second.engines.at(i), *first.engines.at(i));
  for (std::size_t row = 0; row < first.rows.size(); ++row) {
    EXPECT_EQ(second.rows[row].engineNames.value_or(std::vector<std::string>{}),
              first.rows[row].engineNames.value_or(std::vector<std::string>{}));
  }

  std::string svq = FormatSavedSearch(SavedSearch{2, SampleRows()});
  std::replace(svq.begin(), svq.end(), '\n', '\r');
  home.Write("SearchResults/cr.svq", svq);
  ResultsTable table;
  // One line: the count reads as 3 and the category row from the (empty) rest.
  ASSERT_EQ(LoadSearch(home.path() / "SearchResults/cr.svq", table), 0);
  EXPECT_EQ(TakeRowCells(table).size(), 3u);
}

TEST(HostileStoreFiles, CountsOfTwoToTheThirtyFirstAndMinusOne) {
  MemoryFolder home;
  const std::string record = "Wiby\n<a href=\"http\n</a>\n\n1\nhttp://wiby.me/?q=\n\n";
  struct Case {
    std::string count;
    std::size_t engines;
  };
  for (const Case& c : {Case{"2147483648", 2}, Case{"2147483647", 2}, Case{"4294967297", 2},
                        Case{"-1", 0}, Case{"-2147483649", 0}}) {
    home.Write(kEnginesFileName, c.count + "\n" + record + record);
    home.Write(kCategoriesFileName, "Arts\n" + c.count + "\nWiby\nMojeek\nBooks\n-1\nBusiness\n1\nWiby\n");
    const Store store = Load(home.path());
    EXPECT_EQ(store.engines.size(), c.engines) << c.count;
    const std::vector<std::string> arts = store.rows[2].engineNames.value_or(std::vector<std::string>{});
    if (c.engines == 0) {
      // No names: the block's names are read as the next category names and
      // dropped, and the blocks after them still land.
      EXPECT_TRUE(arts.empty()) << c.count;
      EXPECT_EQ(store.rows[4].engineNames, std::vector<std::string>{"Wiby"}) << c.count;
    } else {
      // A count past the file takes every line that is left, and no more.
      EXPECT_EQ(arts, (std::vector<std::string>{"Wiby", "Mojeek", "Books", "-1", "Business", "1", "Wiby"}))
          << c.count;
    }
  }

  const std::string row = "Description\nhttp://a.example/\n10\n1\nEngine\n1\n";
  struct SavedCase {
    std::string count;
    std::string category;
    std::size_t rows;
    int categoryRow;
  };
  for (const SavedCase& c : {SavedCase{"2147483648", "2147483648", 2 + kMaxRowsPastEnd, INT_MAX},
                             SavedCase{"2147483647", "-1", 2 + kMaxRowsPastEnd, -1},
                             SavedCase{"-1", "-2147483649", 0, INT_MIN}}) {
    home.Write("SearchResults/count.svq", c.count + "\n" + c.category + "\n" + row + row);
    ResultsTable table;
    EXPECT_EQ(LoadSearch(home.path() / "SearchResults/count.svq", table), c.categoryRow) << c.count;
    const std::vector<RowCells> rows = TakeRowCells(table);
    ASSERT_EQ(rows.size(), c.rows) << c.count;
    if (!rows.empty()) {
      EXPECT_EQ(rows[1].cells[1], "http://a.example/");
      EXPECT_EQ(rows.back(), RowCells{}) << "rows past the end are empty";
    }
  }
}

}  // namespace
}  // namespace sorvane
