// The common end of a search: the page first, then the saved search.

#include <gtest/gtest.h>

#include "results/results_page.h"
#include "results/saved_search.h"
#include "results/search_completion.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

void AddRow(ResultsTable& table, const std::string& description, const std::string& url, bool viewed) {
  table.WithLock([&](TableRows& rows) { AppendRowCells(rows, RowCells{{description, url, "50", "2", "Alpha"}, viewed}); });
}

TEST(CompleteSearch, WritesThePageAndSavesTheSearch) {
  TempFolder home;
  ResultsTable table;
  AddRow(table, "Wooden boats", "http://a.example/", false);
  AddRow(table, "Boat plans", "http://b.example/", true);
  int bannerIndex = 0;
  const CompletionResult result = CompleteSearch(home.path().string(), table, "wooden boats", 3, bannerIndex);
  EXPECT_TRUE(result.pageWritten);
  EXPECT_TRUE(result.searchSaved);
  EXPECT_EQ(bannerIndex, 1);

  EXPECT_EQ(home.Read("Search Results.htm"),
            FormatResultsPage(TakeRowCells(table), (home.path() / "banner0.jpg").string()));
  const std::optional<SavedSearch> saved = ReadSavedSearch(home.path() / "SearchResults" / "wooden boats.svq");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->categoryRow, 3);
  EXPECT_EQ(saved->rows, TakeRowCells(table));
  EXPECT_EQ(ListSavedSearches(home.path()), std::vector<std::string>{"wooden boats"});
}

TEST(CompleteSearch, EmptySearchStillGivesPageAndFile) {
  TempFolder home;
  ResultsTable table;
  int bannerIndex = 0;
  const std::string folderWithSeparator = home.path().string() + "/";
  const CompletionResult result = CompleteSearch(folderWithSeparator, table, "nothing", 0, bannerIndex);
  EXPECT_TRUE(result.pageWritten && result.searchSaved);
  EXPECT_NE(home.Read("Search Results.htm").find("No results were found."), std::string::npos);
  EXPECT_NE(home.Read("Search Results.htm").find("src=\"" + (home.path() / "banner0.jpg").string() + "\""),
            std::string::npos);
  EXPECT_EQ(home.Read("SearchResults/nothing.svq"), "0\n0\n");
}

TEST(CompleteSearch, WithoutSavingOnlyThePageIsWritten) {
  TempFolder home;
  ResultsTable table;
  AddRow(table, "Wooden boats", "http://a.example/", false);
  int bannerIndex = 0;
  const CompletionResult result = CompleteSearch(home.path().string(), table, "boats", 0, bannerIndex, false);
  EXPECT_TRUE(result.pageWritten);
  EXPECT_FALSE(result.searchSaved);
  EXPECT_TRUE(std::filesystem::exists(home.path() / "Search Results.htm"));
  EXPECT_FALSE(std::filesystem::exists(home.path() / "SearchResults" / "boats.svq"));
}

TEST(CompleteSearch, ReportsWhatFailed) {
  TempFolder home;
  std::filesystem::create_directory(home.path() / "Search Results.htm");  // the page cannot be written
  ResultsTable table;
  int bannerIndex = 0;
  const CompletionResult result = CompleteSearch(home.path().string(), table, "boats", 0, bannerIndex);
  EXPECT_FALSE(result.pageWritten);
  EXPECT_TRUE(result.searchSaved) << "a page that failed does not stop the save";
}

}  // namespace
}  // namespace sorvane
