#include "core/table_rows.h"

#include <gtest/gtest.h>

#include <random>

#include "core/hit_merge.h"
#include "support/reference_table.h"

namespace sorvane {
namespace {

void ExpectSameRows(const TableRows& rows, const testing::ReferenceTable& reference) {
  ASSERT_EQ(rows.RowCount(), static_cast<int>(reference.rows.size()));
  for (int i = 0; i < rows.RowCount(); ++i) {
    ASSERT_EQ(HitAt(rows, i), reference.rows[static_cast<std::size_t>(i)]) << "row " << i;
  }
}

// Many merges with repeated links and ranks; the blocked table with its indexes
// must place every hit exactly where the plain scan does.
TEST(TableRows, MergesLikeThePlainScanOverManyRows) {
  std::mt19937 random(12345);
  TableRows rows(DefaultResultColumns());
  testing::ReferenceTable reference;
  for (int i = 0; i < 6000; ++i) {
    const int rank = static_cast<int>(random() % 101);
    const bool repeat = i > 0 && random() % 5 == 0;
    const std::string link = "http://site/" + std::to_string(repeat ? random() % i : i);
    const std::string description = "hit " + std::to_string(i);
    ASSERT_EQ(MergeHit(rows, description, link, rank, "E"), reference.Merge(description, link, rank, "E"))
        << "merge " << i;
  }
  ExpectSameRows(rows, reference);
}

// Saved searches bring rows back in file order, which need not be sorted, and
// cells can be rewritten; the merge must still answer as the scan would.
TEST(TableRows, MergesLikeThePlainScanInUnsortedAndEditedTables) {
  std::mt19937 random(99);
  TableRows rows(DefaultResultColumns());
  testing::ReferenceTable reference;
  for (int i = 0; i < 800; ++i) {
    const int rank = static_cast<int>(random() % 30);
    const std::string link = "http://l/" + std::to_string(random() % 300);
    rows.AppendRow({"d", link, std::to_string(rank), "1", "E"});
    reference.rows.push_back({"d", link, rank, 1, "E"});
  }
  const int rankColumn = rows.FindColumn("Rank");
  const int urlColumn = rows.FindColumn("URL");
  for (int i = 0; i < 3000; ++i) {
    const int action = static_cast<int>(random() % 10);
    const int row = static_cast<int>(random() % static_cast<unsigned>(rows.RowCount()));
    if (action == 0) {
      const int rank = static_cast<int>(random() % 30);
      rows.SetCell(row, rankColumn, std::to_string(rank));
      reference.rows[static_cast<std::size_t>(row)].rank = rank;
    } else if (action == 1) {
      const std::string link = "http://l/" + std::to_string(random() % 300);
      rows.SetCell(row, urlColumn, link);
      reference.rows[static_cast<std::size_t>(row)].url = link;
    } else {
      const int rank = static_cast<int>(random() % 30);
      const std::string link = "http://l/" + std::to_string(random() % 400);
      ASSERT_EQ(MergeHit(rows, "m", link, rank, "E"), reference.Merge("m", link, rank, "E")) << i;
    }
  }
  ExpectSameRows(rows, reference);
}

// A sorted table whose Rank cells are rewritten one at a time: after each
// rewrite, the next merge must land where the plain scan puts it, whether the
// rewrite kept the order, broke it, mended it, or left the merge's 0..100 range.
TEST(TableRows, TheRankIndexFollowsARewrittenRankCell) {
  const struct {
    int row;
    const char* rank;
    int mergedRank;
  } steps[] = {
      {1, "75", 72},   // still in order
      {1, "55", 60},   // out of order: the scan stops at row 1, above higher ranks
      {1, "80", 60},   // in order again
      {4, "65", 65},   // equal ranks: after the rows of 65
      {0, "150", 100}, // above the merge's range
      {4, "-3", 0},    // below it
      {2, "x", 1},     // no number reads as 0
  };
  TableRows rows(DefaultResultColumns());
  testing::ReferenceTable reference;
  for (int rank : {90, 80, 70, 60, 50}) {
    const std::string link = "http://r/" + std::to_string(rank);
    MergeHit(rows, "d", link, rank, "E");
    reference.Merge("d", link, rank, "E");
  }
  const int rankColumn = rows.FindColumn("Rank");
  int merged = 0;
  for (const auto& step : steps) {
    SCOPED_TRACE(std::string("rank cell of row ") + std::to_string(step.row) + " set to " + step.rank);
    rows.SetCell(step.row, rankColumn, step.rank);
    reference.rows[static_cast<std::size_t>(step.row)].rank = ParseLenientInt(step.rank);
    const std::string link = "http://new/" + std::to_string(merged++);
    ASSERT_EQ(MergeHit(rows, "m", link, step.mergedRank, "E"), reference.Merge("m", link, step.mergedRank, "E"));
    ExpectSameRows(rows, reference);
  }
}

TEST(TableRows, CellsFlagsAndChangesAcrossBlockSplits) {
  TableRows rows(DefaultResultColumns());
  for (int i = 0; i < 2000; ++i) rows.InsertRow(i / 2, {std::to_string(i)});
  // Inserting each row at i/2 reverses the odd ones into the upper half.
  EXPECT_EQ(rows.Cell(0, 0), "1");
  EXPECT_EQ(rows.Cell(999, 0), "1999");
  EXPECT_EQ(rows.Cell(1000, 0), "1998");
  EXPECT_EQ(rows.Cell(1999, 0), "0");
  EXPECT_EQ(rows.Cell(2000, 0), "");
  EXPECT_EQ(rows.Cell(-1, 0), "");
  EXPECT_EQ(rows.Cell(0, 9), "");

  rows.TakeChanges();
  rows.SetViewed(1500, true);
  rows.SetViewed(1500, true);  // no change, no news
  EXPECT_TRUE(rows.IsViewed(1500));
  EXPECT_FALSE(rows.IsViewed(1501));
  rows.SetCell(3, 2, "7");
  const std::vector<TableChange> changes = rows.TakeChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].kind, TableChange::Kind::ViewedChanged);
  EXPECT_EQ(changes[1].kind, TableChange::Kind::CellChanged);
  EXPECT_EQ(changes[1].row, 3);

  rows.DeleteAll();
  EXPECT_EQ(rows.RowCount(), 0);
  EXPECT_EQ(rows.FirstRowRankedBelow(50), 0);
  EXPECT_EQ(MergeHit(rows, "d", "http://a/", 1, "E"), (InsertPosition{false, 0}));
}

// The window's selection holds a row's identity: it must follow its row down
// as rows go in above it (across block splits), and never name a new row once
// the table has been emptied.
TEST(TableRows, RowIdentityFollowsItsRowAndDiesWithIt) {
  TableRows rows(DefaultResultColumns());
  rows.AppendRow({"first"});
  const TableRows::RowId first = rows.IdAt(0);
  ASSERT_NE(first, TableRows::kNoRow);
  EXPECT_EQ(rows.IdAt(1), TableRows::kNoRow);
  EXPECT_EQ(rows.RowOfId(TableRows::kNoRow), -1);
  for (int i = 0; i < 1500; ++i) rows.InsertRow(i % 3 == 0 ? 0 : rows.RowCount(), {std::to_string(i)});
  const int position = rows.RowOfId(first);
  EXPECT_EQ(position, 500);
  EXPECT_EQ(rows.Cell(position, 0), "first");
  EXPECT_EQ(rows.IdAt(position), first);
  const TableRows::RowId last = rows.IdAt(rows.RowCount() - 1);
  EXPECT_NE(last, first);
  EXPECT_EQ(rows.RowOfId(last), rows.RowCount() - 1);

  rows.DeleteAll();
  EXPECT_EQ(rows.RowOfId(first), -1);
  rows.AppendRow({"again"});
  EXPECT_NE(rows.IdAt(0), first);
  EXPECT_NE(rows.IdAt(0), last);
  EXPECT_EQ(rows.RowOfId(first), -1);
}

}  // namespace
}  // namespace sorvane
