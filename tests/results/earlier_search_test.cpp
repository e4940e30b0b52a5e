// What is new since the last search of the same words: read from the old
// saved file before the new save replaces it.

#include "results/earlier_search.h"

#include <gtest/gtest.h>

#include <thread>

#include "results/saved_search.h"
#include "results/search_completion.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

RowCells Row(const std::string& description, const std::string& url) {
  return RowCells{{description, url, "50", "1", "E"}, false};
}

void Fill(ResultsTable& table, const std::vector<RowCells>& rows) {
  table.WithLock([&](TableRows& tableRows) {
    for (const RowCells& row : rows) AppendRowCells(tableRows, row);
  });
}

TEST(EarlierSearch, ReadsDateCountAndAddressesOfTheSavedFile) {
  TempFolder home;
  EXPECT_FALSE(ReadEarlierSearch(home.path(), "boats"));
  const auto before = std::chrono::system_clock::now() - std::chrono::seconds(5);
  ASSERT_TRUE(SaveSearch(home.path(), "boats", {Row("a", "http://a/"), Row("b", "http://b/")}, 2));
  const std::optional<EarlierSearch> earlier = ReadEarlierSearch(home.path(), "boats");
  ASSERT_TRUE(earlier);
  EXPECT_EQ(earlier->rowCount, 2);
  EXPECT_EQ(earlier->addresses, (std::unordered_set<std::string>{"http://a/", "http://b/"}));
  EXPECT_GE(earlier->savedAt, before);
  EXPECT_LE(earlier->savedAt, std::chrono::system_clock::now() + std::chrono::seconds(5));
}

TEST(NewRowFlags, AddressesMissingFromTheEarlierSearchAreNew) {
  EarlierSearch earlier;
  earlier.addresses = {"http://a/", "http://b/"};
  const std::vector<RowCells> rows = {Row("a", "http://a/"), Row("c", "http://c/"), Row("b", "http://b/"),
                                      Row("A", "HTTP://A/")};
  EXPECT_EQ(NewRowFlags(earlier, rows), (std::vector<bool>{false, true, false, true}));
  EXPECT_EQ(NewRowsOnly(earlier, rows), (std::vector<RowCells>{rows[1], rows[3]}));
  // No earlier search of these words: everything is new.
  EXPECT_EQ(NewRowFlags(std::nullopt, rows), (std::vector<bool>(4, true)));
}

// The saved file cuts a cell to 1022 bytes and drops trailing blanks; a row
// must still match its own saved copy, or it would be "new" forever.
TEST(NewRowFlags, AnAddressMatchesItsSavedForm) {
  TempFolder home;
  const std::string longLink = "http://long.example/" + std::string(2000, 'q');
  const std::vector<RowCells> rows = {Row("long", longLink), Row("blank", "http://blank/ "),
                                      Row("break", "http://x/\ny")};
  ASSERT_TRUE(SaveSearch(home.path(), "w", rows, 0));
  const std::optional<EarlierSearch> earlier = ReadEarlierSearch(home.path(), "w");
  ASSERT_TRUE(earlier);
  EXPECT_EQ(NewRowFlags(earlier, rows), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(CellAsSaved(longLink).size(), 1022u);
}

TEST(CompleteSearch, TellsTheNewRowsFromTheFileItReplaces) {
  TempFolder home;
  int bannerIndex = 0;
  {
    ResultsTable first;
    Fill(first, {Row("a", "http://a/"), Row("b", "http://b/")});
    const CompletionResult result = CompleteSearch(home.path().string(), first, "boats", 0, bannerIndex);
    EXPECT_FALSE(result.earlier);
    EXPECT_EQ(result.newRowCount, 2);
  }
  ResultsTable second;
  Fill(second, {Row("b", "http://b/"), Row("c", "http://c/"), Row("d", "http://d/")});
  const CompletionResult result = CompleteSearch(home.path().string(), second, "boats", 0, bannerIndex);
  ASSERT_TRUE(result.earlier);
  EXPECT_EQ(result.earlier->rowCount, 2);
  EXPECT_EQ(result.newRowCount, 2);
  EXPECT_EQ(result.rows.size(), 3u);
  // The saved file keeps its format: it now holds the second search alone.
  const std::optional<SavedSearch> saved = ReadSavedSearch(SavedSearchPath(home.path(), "boats"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->rows, result.rows);

  // Other words have no earlier search.
  ResultsTable other;
  Fill(other, {Row("b", "http://b/")});
  EXPECT_FALSE(CompleteSearch(home.path().string(), other, "ships", 0, bannerIndex).earlier);
}

}  // namespace
}  // namespace sorvane
