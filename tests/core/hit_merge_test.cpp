#include "core/hit_merge.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

std::vector<std::string> Column(const TableRows& rows, const char* title) {
  std::vector<std::string> cells;
  for (int i = 0; i < rows.RowCount(); ++i) cells.push_back(rows.Cell(i, rows.FindColumn(title)));
  return cells;
}

TEST(MergeHit, FirstHitOfAnEmptyTable) {
  TableRows rows(DefaultResultColumns());
  EXPECT_EQ(MergeHit(rows, "Wooden boats", "http://a/", 20, "E1"), (InsertPosition{false, 0}));
  EXPECT_EQ(HitAt(rows, 0), (SearchHit{"Wooden boats", "http://a/", 20, 1, "E1"}));
  EXPECT_EQ(rows.Cell(0, rows.FindColumn("Rank")), "20");
  EXPECT_EQ(rows.Cell(0, rows.FindColumn("Hits")), "1");
}

TEST(MergeHit, DescendingRankWithLaterArrivalsAfterEqualRanks) {
  TableRows rows(DefaultResultColumns());
  MergeHit(rows, "", "http://r20a/", 20, "E");
  MergeHit(rows, "", "http://r10/", 10, "E");
  MergeHit(rows, "", "http://r30/", 30, "E");
  MergeHit(rows, "", "http://r20b/", 20, "E");
  MergeHit(rows, "", "http://r20c/", 20, "E");
  MergeHit(rows, "", "http://r0/", 0, "E");
  EXPECT_EQ(Column(rows, "URL"), (std::vector<std::string>{"http://r30/", "http://r20a/", "http://r20b/",
                                                           "http://r20c/", "http://r10/", "http://r0/"}));
}

TEST(MergeHit, AKnownLinkMetDuringTheSearchRaisesHitsOnly) {
  TableRows rows(DefaultResultColumns());
  MergeHit(rows, "first", "http://same/", 40, "E1");
  MergeHit(rows, "other", "http://other/", 10, "E1");
  EXPECT_EQ(MergeHit(rows, "second", "http://same/", 30, "E2"), (InsertPosition{true, 0}));
  EXPECT_EQ(HitAt(rows, 0), (SearchHit{"first", "http://same/", 40, 2, "E1"}));
  EXPECT_EQ(rows.RowCount(), 2);
}

TEST(FindInsertPosition, LooksForTheLinkOnlyUpToTheFirstLowerRankedRow) {
  TableRows rows(DefaultResultColumns());
  MergeHit(rows, "", "http://high/", 50, "E");
  MergeHit(rows, "", "http://mid/", 20, "E");
  MergeHit(rows, "", "http://low/", 5, "E");
  // "mid" is the first row ranked below 30 and is still checked for the link.
  EXPECT_EQ(FindInsertPosition(rows, 30, "http://mid/"), (InsertPosition{true, 1}));
  // "low" lies beyond that row, so a rank-30 hit with its link is a new row.
  EXPECT_EQ(FindInsertPosition(rows, 30, "http://low/"), (InsertPosition{false, 1}));
  EXPECT_EQ(FindInsertPosition(rows, 0, "http://low/"), (InsertPosition{true, 2}));
  EXPECT_EQ(FindInsertPosition(rows, 0, "http://new/"), (InsertPosition{false, 3}));
  EXPECT_EQ(FindRowByText(rows, rows.FindColumn("URL"), "http://low/"), 2);
  EXPECT_EQ(FindRowByText(rows, rows.FindColumn("URL"), "http://none/"), -1);
}

TEST(MergeHit, HitsCellReadLenientlyAndNeverOverflows) {
  TableRows rows(DefaultResultColumns());
  MergeHit(rows, "", "http://a/", 10, "E");
  rows.SetCell(0, rows.FindColumn("Hits"), "junk");
  MergeHit(rows, "", "http://a/", 10, "E");
  EXPECT_EQ(rows.Cell(0, rows.FindColumn("Hits")), "1");
  rows.SetCell(0, rows.FindColumn("Hits"), "2147483647");
  MergeHit(rows, "", "http://a/", 10, "E");
  EXPECT_EQ(rows.Cell(0, rows.FindColumn("Hits")), "2147483647");
}

}  // namespace
}  // namespace sorvane
