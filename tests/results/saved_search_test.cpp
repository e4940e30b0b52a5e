// Saved searches: the file format, reading damaged files, the file names made
// from the words, atomic replacement, the listing and deletion.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "results/saved_search.h"
#include "results/search_file_name.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

RowCells Row(std::string description, std::string url, std::string rank, std::string hits,
             std::string engine, bool viewed = false) {
  return RowCells{{std::move(description), std::move(url), std::move(rank), std::move(hits), std::move(engine)},
                  viewed};
}

std::vector<RowCells> SampleRows() {
  return {Row("Wooden boats", "http://a.example/", "80", "2", "Alpha, Beta", true),
          Row("", "http://b.example/?q=1&p=%d", "abc", "", "", false),
          Row("Quotes \"and\" <tags> %s", "ftp://c.example/", "-3", "1", "Gamma", true),
          // Descriptions carry the letters of the engines' pages as UTF-8.
          Row("M\xC3\xBCnchen \xE2\x80\x94 \xE6\x9D\xB1\xE4\xBA\xAC & AT&T", "http://d.example/K%C3%B6ln", "10", "1",
              "Delta", false)};
}

TEST(SavedSearchFormat, BytesOfAFile) {
  SavedSearch search;
  search.categoryRow = 4;
  search.rows = {Row("Wooden boats", "http://a.example/", "80", "2", "Alpha", true),
                 Row("Line\r\nbreak", "http://b.example/", "7", "1", "Beta")};
  EXPECT_EQ(FormatSavedSearch(search),
            "2\n4\n"
            "Wooden boats\nhttp://a.example/\n80\n2\nAlpha\n1\n"
            "Line  break\nhttp://b.example/\n7\n1\nBeta\n0\n");
  search.rows.clear();
  search.categoryRow = -1;  // no category selected
  EXPECT_EQ(FormatSavedSearch(search), "0\n0\n");
}

TEST(SavedSearchFormat, RoundTripKeepsCellsAndViewedFlags) {
  TempFolder home;
  ResultsTable table;
  table.WithLock([](TableRows& rows) {
    for (const RowCells& row : SampleRows()) AppendRowCells(rows, row);
  });
  ASSERT_TRUE(SaveSearch(home.path(), "wooden boats", table, 7));

  ResultsTable loaded;
  const std::optional<int> category = LoadSearch(SavedSearchPath(home.path(), "wooden boats"), loaded);
  ASSERT_TRUE(category);
  EXPECT_EQ(*category, 7);
  EXPECT_EQ(TakeRowCells(loaded), SampleRows());

  // Loading appends; the caller empties the table first.
  ASSERT_TRUE(LoadSearch(SavedSearchPath(home.path(), "wooden boats"), loaded));
  EXPECT_EQ(loaded.RowCount(), 8);
  EXPECT_FALSE(LoadSearch(SavedSearchPath(home.path(), "never saved"), loaded));
  EXPECT_EQ(loaded.RowCount(), 8);
}

TEST(SavedSearchFormat, ShortAndDamagedFilesReadLeniently) {
  struct Case {
    std::string text;
    int categoryRow;
    std::vector<RowCells> rows;
  };
  const std::vector<Case> cases = {
      {"", 0, {}},
      {"2", 0, {Row("", "", "", "", ""), Row("", "", "", "", "")}},
      {"x\ny\n", 0, {}},
      {"-5\n3\nd\nu\n1\n1\ne\n1\n", 3, {}},
      {"1\n 2xyz\nd\nu\n1\n1\ne\n7\n", 2, {Row("d", "u", "1", "1", "e", true)}},
      // Says 3, holds two rows: the third is empty and not viewed.
      {"3\n1\na\nu1\n5\n1\nE\n1\nb\nu2\n4\n1\nE\n0\n", 1,
       {Row("a", "u1", "5", "1", "E", true), Row("b", "u2", "4", "1", "E"), Row("", "", "", "", "")}},
      // Cut off in the middle of a row, without a last line break.
      {"2\n0\na\nu1\n5\n1\nE\n1\nb\nu2", 0, {Row("a", "u1", "5", "1", "E", true), Row("b", "u2", "", "", "")}},
      // Trailing white space goes, CR LF reads as LF.
      {"1\r\n0\r\nd  \r\nu\t\r\n1\r\n1\r\ne\r\n0\r\n", 0, {Row("d", "u", "1", "1", "e")}},
  };
  for (const Case& c : cases) {
    const SavedSearch search = ParseSavedSearch(c.text);
    EXPECT_EQ(search.categoryRow, c.categoryRow) << c.text;
    EXPECT_EQ(search.rows, c.rows) << c.text;
  }

  // A damaged count does not make billions of empty rows.
  const SavedSearch huge = ParseSavedSearch("2147483647\n0\na\nu\n1\n1\ne\n0\n");
  EXPECT_EQ(huge.rows.size(), 1u + kMaxRowsPastEnd);
  EXPECT_EQ(huge.rows[0], Row("a", "u", "1", "1", "e"));

  // A line longer than the reader takes comes back in pieces, shifting the fields.
  const std::string longCell(1030, 'x');
  const SavedSearch shifted = ParseSavedSearch("1\n0\n" + longCell + "\nu\n1\n1\ne\n0\n");
  ASSERT_EQ(shifted.rows.size(), 1u);
  EXPECT_EQ(shifted.rows[0].description(), std::string(1022, 'x'));
  EXPECT_EQ(shifted.rows[0].url(), std::string(8, 'x'));
}

TEST(SavedSearchNames, WordsWithSpecialCharactersStayInTheFolder) {
  TempFolder home;
  const std::vector<std::string> words = {
      "../x", "a/b", "..\\..\\evil", "c:\\windows", "what?", "star*", "\"quoted\"", "<tag>", "a|b",
      "100%", "%41", "tab\there", "line\nbreak", ".", "..", "...", "a.b", "plain words", "",
  };
  for (std::size_t i = 0; i < words.size(); ++i) {
    ASSERT_TRUE(SaveSearch(home.path(), words[i], {Row("d", "u", "1", "1", "e")}, static_cast<int>(i)))
        << words[i];
  }
  // Everything landed inside SearchResults, one file per set of words.
  std::size_t files = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(home.path())) {
    if (entry.is_regular_file()) {
      ++files;
      EXPECT_EQ(entry.path().parent_path(), home.path() / "SearchResults") << entry.path();
    }
  }
  EXPECT_EQ(files, words.size());

  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::optional<SavedSearch> search = ReadSavedSearch(SavedSearchPath(home.path(), words[i]));
    ASSERT_TRUE(search) << words[i];
    EXPECT_EQ(search->categoryRow, static_cast<int>(i)) << words[i];
  }

  EXPECT_EQ(EncodeSearchFileTitle("a.b"), "a.b");
  EXPECT_EQ(EncodeSearchFileTitle("plain words"), "plain words");
  EXPECT_EQ(EncodeSearchFileTitle("../x"), "..%2Fx");
  EXPECT_EQ(EncodeSearchFileTitle("100% <sure>|"), "100%25 %3Csure%3E%7C");
  EXPECT_EQ(EncodeSearchFileTitle("."), "%2E");
  EXPECT_EQ(EncodeSearchFileTitle(".."), "%2E%2E");
  EXPECT_EQ(EncodeSearchFileTitle("..."), "...");
  EXPECT_EQ(EncodeSearchFileTitle(std::string("\x01\x1f\x7f", 3)), std::string("%01%1F\x7f", 7));
  EXPECT_EQ(SavedSearchPath(home.path(), "a.b"), home.path() / "SearchResults" / "a.b.svq");
  for (const std::string& w : words) EXPECT_EQ(DecodeSearchFileTitle(EncodeSearchFileTitle(w)), w);
  EXPECT_EQ(DecodeSearchFileTitle("50%zz%4"), "50%zz%4");
  EXPECT_EQ(DecodeSearchFileTitle("%3a"), ":");
}

TEST(SavedSearchList, TitlesInNameOrderIgnoringCaseWithoutEmptyOnes) {
  TempFolder home;
  ASSERT_TRUE(SaveSearch(home.path(), "", {}, 0));  // saved, never listed
  ASSERT_TRUE(SaveSearch(home.path(), "a.b", {}, 0));
  ASSERT_TRUE(SaveSearch(home.path(), "what? a/b", {}, 0));
  ASSERT_TRUE(SaveSearch(home.path(), "Zebra", {}, 0));
  ASSERT_TRUE(SaveSearch(home.path(), "Boats", {}, 0));
  ASSERT_TRUE(SaveSearch(home.path(), "boats", {Row("first", "u", "1", "1", "e")}, 0));
  ASSERT_TRUE(SaveSearch(home.path(), "boats", {Row("second", "u", "1", "1", "e")}, 2));  // replaces
  home.Write("SearchResults/by hand.svq", "0\n0\n");
  home.Write("SearchResults/notes.txt", "not a saved search");
  home.Write("SearchResults/old.svq.bak", "");
  fs::create_directory(home.path() / "SearchResults" / "folder.svq");

  // Whatever order the file system lists them in; "Boats" and "boats" are two
  // searches, next to each other in either order.
  std::vector<std::string> titles = ListSavedSearches(home.path());
  ASSERT_EQ(titles.size(), 6u);
  EXPECT_EQ(titles[0], "a.b");
  EXPECT_TRUE((titles[1] == "Boats" && titles[2] == "boats") || (titles[1] == "boats" && titles[2] == "Boats"));
  EXPECT_EQ((std::vector<std::string>(titles.begin() + 3, titles.end())),
            (std::vector<std::string>{"by hand", "what? a/b", "Zebra"}));

  ResultsTable table;
  ASSERT_TRUE(LoadSearch(*FindSavedSearch(home.path(), "boats"), table));
  EXPECT_EQ(table.Cell(0, 0), "second");
  EXPECT_EQ(table.RowCount(), 1);

  EXPECT_TRUE(ListSavedSearches(TempFolder().path()).empty());
}

TEST(SavedSearchList, DeleteRemovesOnlyThatFile) {
  TempFolder home;
  ASSERT_TRUE(SaveSearch(home.path(), "keep", {}, 0));
  ASSERT_TRUE(SaveSearch(home.path(), "go/away", {}, 0));
  home.Write("SearchResults/a:b.svq", "0\n0\n");  // placed by hand under a name we would encode
  EXPECT_TRUE(DeleteSavedSearch(home.path(), "go/away"));
  EXPECT_FALSE(DeleteSavedSearch(home.path(), "go/away"));
  EXPECT_TRUE(DeleteSavedSearch(home.path(), "a:b"));
  EXPECT_FALSE(DeleteSavedSearch(home.path(), "../SearchResults/keep"));
  EXPECT_EQ(ListSavedSearches(home.path()), std::vector<std::string>{"keep"});
}

TEST(SavedSearchAtomic, FailedWriteLeavesTheOldFileWhole) {
  TempFolder home;
  const std::vector<RowCells> first = {Row("old", "http://old.example/", "1", "1", "e")};
  ASSERT_TRUE(SaveSearch(home.path(), "boats", first, 3));
  const std::string before = home.Read("SearchResults/boats.svq");

  // Let the process write no more than a few bytes to any file: the new file's
  // write fails part-way, as on a full disk (this holds even for root).
  std::vector<RowCells> bigger;
  for (int i = 0; i < 200; ++i) bigger.push_back(Row("new row " + std::to_string(i), "http://new/", "5", "1", "e"));
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved_ok = SaveSearch(home.path(), "boats", bigger, 5);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(home.Read("SearchResults/boats.svq"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(home.path() / "SearchResults"), {}), 1) << "no temporary file left";

  // A folder that may not be written to (only meaningful when not root).
  if (geteuid() != 0) {
    fs::permissions(home.path() / "SearchResults", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SaveSearch(home.path(), "boats", bigger, 5));
    fs::permissions(home.path() / "SearchResults", fs::perms::owner_all);
    EXPECT_EQ(home.Read("SearchResults/boats.svq"), before);
  }
}

}  // namespace
}  // namespace sorvane

namespace sorvane {
namespace {

// The file name of a saved search may be as long as the file system allows:
// the temporary file of the atomic write must not push it over.
TEST(SavedSearchAtomic, WordsUpToTheFileNameLimitSave) {
  testing::TempFolder home;
  ASSERT_TRUE(SaveSearch(home.path(), "short", {}, 0));  // makes the folder
  const long limit = ::pathconf((home.path() / "SearchResults").c_str(), _PC_NAME_MAX);
  ASSERT_GT(limit, 8);
  const std::string longest(static_cast<std::size_t>(limit) - 4, 'w');  // + ".svq"
  ASSERT_TRUE(SaveSearch(home.path(), longest, {}, 3));
  const std::vector<std::string> titles = ListSavedSearches(home.path());
  EXPECT_NE(std::find(titles.begin(), titles.end(), longest), titles.end());
  // One byte more cannot be a file name here: refused, and nothing left behind.
  EXPECT_FALSE(SaveSearch(home.path(), longest + "w", {}, 3));
  EXPECT_EQ(ListSavedSearches(home.path()).size(), 2u);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(home.path() / "SearchResults")) ++files;
  EXPECT_EQ(files, 2u);
}

}  // namespace
}  // namespace sorvane
