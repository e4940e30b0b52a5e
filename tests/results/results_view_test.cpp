// The list's view over the results table: sorting, filtering, new rows, and
// rows that arrive or change while the view is sorted.

#include "results/results_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/hit_merge.h"
#include "core/results_table.h"

namespace sorvane {
namespace {

constexpr int kDescription = 0;
constexpr int kRank = 2;
constexpr int kHits = 3;
constexpr int kEngine = 4;

void Add(TableRows& rows, const std::string& description, const std::string& url, int rank, int hits,
         const std::string& engine) {
  rows.AppendRow({description, url, std::to_string(rank), std::to_string(hits), engine});
}

// The descriptions of the shown rows, in view order.
std::vector<std::string> Shown(ResultsView& view, const TableRows& rows) {
  view.Sync(rows);
  std::vector<std::string> shown;
  for (int i = 0; i < view.ShownCount(); ++i) shown.push_back(rows.Cell(view.TableRowAt(rows, i), kDescription));
  return shown;
}

using Texts = std::vector<std::string>;

class ResultsViewTest : public ::testing::Test {
 protected:
  ResultsViewTest() : rows(DefaultResultColumns()) {
    Add(rows, "beta", "http://b/", 90, 1, "Wiby");
    Add(rows, "Alpha", "http://a/", 80, 3, "mojeek");
    Add(rows, "gamma", "http://g/", 80, 12, "Wiby");
    Add(rows, "alpha", "http://a2/", 40, 2, "Arxiv");
  }
  TableRows rows;
  ResultsView view;
};

TEST_F(ResultsViewTest, WithoutSortOrFilterTheViewIsTheTable) {
  EXPECT_TRUE(view.IsIdentity());
  EXPECT_EQ(Shown(view, rows), (Texts{"beta", "Alpha", "gamma", "alpha"}));
  EXPECT_EQ(view.TotalCount(), 4);
  EXPECT_EQ(view.ViewRowOfTableRow(rows, 2), 2);
  EXPECT_EQ(view.TableRowAt(rows, 4), -1);
}

TEST_F(ResultsViewTest, TextColumnsSortWithoutRegardToCaseAndKeepTableOrderForTies) {
  view.ClickColumn(kDescription);
  // "Alpha" and "alpha" compare equal: they stay in table order.
  EXPECT_EQ(Shown(view, rows), (Texts{"Alpha", "alpha", "beta", "gamma"}));
  view.ClickColumn(kDescription);
  EXPECT_TRUE(view.SortDescending());
  // Reversed, equal rows still keep table order.
  EXPECT_EQ(Shown(view, rows), (Texts{"gamma", "beta", "Alpha", "alpha"}));
  view.ClickColumn(kEngine);
  EXPECT_FALSE(view.SortDescending());
  EXPECT_EQ(Shown(view, rows), (Texts{"alpha", "Alpha", "beta", "gamma"}));
}

TEST_F(ResultsViewTest, RankAndHitsSortAsNumbers) {
  view.ClickColumn(kHits);
  // As text "12" would come before "2" and "3".
  EXPECT_EQ(Shown(view, rows), (Texts{"beta", "alpha", "Alpha", "gamma"}));
  view.SortBy(kRank, false);
  EXPECT_EQ(Shown(view, rows), (Texts{"alpha", "Alpha", "gamma", "beta"}));
  view.SortBy(kRank, true);
  EXPECT_EQ(Shown(view, rows), (Texts{"beta", "Alpha", "gamma", "alpha"}));
  view.ClearSort();
  EXPECT_EQ(Shown(view, rows), (Texts{"beta", "Alpha", "gamma", "alpha"}));
}

TEST_F(ResultsViewTest, FilterMatchesDescriptionAddressOrEngineWithoutRegardToCase) {
  view.SetFilterText("ALPHA");
  EXPECT_EQ(Shown(view, rows), (Texts{"Alpha", "alpha"}));
  view.SetFilterText("wIBY");
  EXPECT_EQ(Shown(view, rows), (Texts{"beta", "gamma"}));
  view.SetFilterText("//a2");
  EXPECT_EQ(Shown(view, rows), (Texts{"alpha"}));
  EXPECT_EQ(view.TotalCount(), 4);
  // Never across two cells: "beta" ends one cell, "http" starts the next.
  view.SetFilterText("betahttp");
  EXPECT_EQ(Shown(view, rows), (Texts{}));
  view.SetFilterText("");
  EXPECT_TRUE(view.IsIdentity());
  EXPECT_EQ(Shown(view, rows).size(), 4u);
}

TEST(ResultsView, FilterFoldsUnicodeLetters) {
  TableRows rows(DefaultResultColumns());
  Add(rows, "\xC3\x89" "COLE normale", "http://e/", 50, 1, "E");  // ÉCOLE
  Add(rows, "Die Stra\xC3\x9F" "e", "http://s/", 50, 1, "E");   // Straße
  Add(rows, "plain", "http://p/", 50, 1, "E");
  ResultsView view;
  view.SetFilterText("\xC3\xA9" "cole");  // école
  EXPECT_EQ(Shown(view, rows), (Texts{"\xC3\x89" "COLE normale"}));
  view.SetFilterText("STRASSE");
  EXPECT_EQ(Shown(view, rows), (Texts{"Die Stra\xC3\x9F" "e"}));
}

TEST_F(ResultsViewTest, ViewRowsFollowTheirTableRows) {
  view.SortBy(kDescription, false);
  view.SetFilterText("a");
  view.Sync(rows);
  for (int viewRow = 0; viewRow < view.ShownCount(); ++viewRow) {
    EXPECT_EQ(view.ViewRowOfTableRow(rows, view.TableRowAt(rows, viewRow)), viewRow);
  }
  view.SetFilterText("gamma");
  view.Sync(rows);
  EXPECT_EQ(view.ViewRowOfTableRow(rows, 0), -1);  // "beta" is filtered out
  EXPECT_EQ(view.ViewRowOfTableRow(rows, 2), 0);
}

TEST(ResultsView, NewRowsAreThoseMissingFromTheEarlierSearch) {
  TableRows rows(DefaultResultColumns());
  Add(rows, "kept", "http://k/", 90, 1, "E");
  Add(rows, "fresh", "http://f/", 80, 1, "E");
  Add(rows, "long", "http://l/" + std::string(1100, 'x'), 70, 1, "E");
  ResultsView view;
  EXPECT_FALSE(view.IsNewRow(rows, 1));  // no earlier search: no marks

  // The earlier search held the long address as its saved file cut it.
  view.SetEarlierAddresses(std::unordered_set<std::string>{"http://k/", ("http://l/" + std::string(1100, 'x')).substr(0, 1022)});
  EXPECT_TRUE(view.MarksNewRows());
  EXPECT_FALSE(view.IsNewRow(rows, 0));
  EXPECT_TRUE(view.IsNewRow(rows, 1));
  EXPECT_FALSE(view.IsNewRow(rows, 2));
  view.SetNewOnly(true);
  EXPECT_EQ(Shown(view, rows), (Texts{"fresh"}));

  // A previous search being shown marks nothing, and "new only" then hides nothing.
  view.SetEarlierAddresses(std::nullopt);
  EXPECT_EQ(Shown(view, rows).size(), 3u);
}

// Rows merged into the table while a sorted, filtered view is shown go to
// their place; a row whose Hits grows moves; the view always equals a fresh
// sort of the table.
TEST(ResultsView, RowsArrivingDuringASearchGoToTheirPlace) {
  std::mt19937 random(2024);
  TableRows rows(DefaultResultColumns());
  ResultsView view;
  view.SortBy(kHits, true);
  view.SetFilterText("e");
  ResultsView engineView;
  engineView.SortBy(kEngine, false);
  const std::vector<std::string> engines = {"Wiby", "mojeek", "Arxiv", "ArchWiki"};
  for (int i = 0; i < 1500; ++i) {
    const std::string link = "http://site/" + std::to_string(random() % 500);
    const std::string description = (random() % 3 == 0 ? "Hit " : "hat ") + std::to_string(i);
    MergeHit(rows, description, link, static_cast<int>(random() % 101), engines[random() % engines.size()]);
    if (random() % 7 != 0) continue;
    for (ResultsView* synced : {&view, &engineView}) {
      ResultsView fresh;
      fresh.SortBy(synced->SortColumn(), synced->SortDescending());
      fresh.SetFilterText(synced->FilterText());
      ASSERT_EQ(Shown(*synced, rows), Shown(fresh, rows)) << "after merge " << i;
    }
  }
}

TEST(ResultsView, AClearedTableStartsTheViewOver) {
  TableRows rows(DefaultResultColumns());
  Add(rows, "one", "http://1/", 10, 1, "E");
  Add(rows, "two", "http://2/", 20, 1, "E");
  ResultsView view;
  view.SortBy(kRank, true);
  EXPECT_EQ(Shown(view, rows), (Texts{"two", "one"}));
  rows.DeleteAll();
  EXPECT_EQ(Shown(view, rows), (Texts{}));
  Add(rows, "three", "http://3/", 5, 1, "E");
  Add(rows, "four", "http://4/", 50, 1, "E");
  EXPECT_EQ(Shown(view, rows), (Texts{"four", "three"}));
}

TEST(TableRowsStamps, RevisionsTellWhichRowsChangedAndDeleteAllStartsAGeneration) {
  TableRows rows(DefaultResultColumns());
  rows.AppendRow({"first", "u1", "10"});
  rows.InsertRow(0, {"second", "u2", "50"});
  const std::uint64_t seen = rows.Revision();
  rows.SetCell(1, kHits, "2");
  std::vector<TableRows::RowStamp> stamps = rows.Stamps();
  ASSERT_EQ(stamps.size(), 2u);
  EXPECT_EQ(stamps[0].id, rows.IdAt(0));
  EXPECT_LE(stamps[0].revision, seen);
  EXPECT_GT(stamps[1].revision, seen);
  rows.SetViewed(0, true);
  EXPECT_GT(rows.Stamps()[0].revision, seen);

  const std::uint64_t generation = rows.Generation();
  rows.DeleteAll();
  EXPECT_NE(rows.Generation(), generation);
  EXPECT_TRUE(rows.Stamps().empty());
}

// A row whose change takes it out of the filter is no longer shown anywhere.
TEST(ResultsView, AChangedRowLeavesTheFilterAndItsPlace) {
  TableRows rows(DefaultResultColumns());
  Add(rows, "boat one", "http://1/", 50, 1, "E");
  Add(rows, "boat two", "http://2/", 40, 1, "E");
  ResultsView view;
  view.SetFilterText("boat");
  EXPECT_EQ(Shown(view, rows), (Texts{"boat one", "boat two"}));
  rows.SetCell(0, kDescription, "ship one");
  EXPECT_EQ(Shown(view, rows), (Texts{"boat two"}));
  EXPECT_EQ(view.ViewRowOfTableRow(rows, 0), -1);
  EXPECT_EQ(view.ViewRowOfTableRow(rows, 1), 0);
}

}  // namespace
}  // namespace sorvane
