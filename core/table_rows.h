#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sorvane {

// What changed in a table, for whoever shows it.
struct TableChange {
  enum class Kind { RowInserted, CellChanged, ViewedChanged, Cleared };
  Kind kind = Kind::Cleared;
  int row = -1;
  int column = -1;
};

// The rows of a results table, with no locking of their own (ResultsTable adds
// the lock). Every cell holds text; each row also carries its `viewed` flag.
//
// Rows live in blocks of a few hundred, so inserting in the middle of a table of
// 100,000 rows moves a few hundred pointers, not the whole table. Two indexes keep
// the merge's questions cheap while giving exactly the answers a scan from the
// first row would: where each link first occurs, and how the rows' ranks are
// ordered (for a table in descending rank, "first row ranked below r" is a count).
class TableRows {
 public:
  // A row's identity: given when the row is inserted, kept while it moves down
  // as rows go in above it, never given to another row (not even after
  // DeleteAll). 0 is no row. What the window selects is a hit, not a position,
  // so it holds this.
  using RowId = std::uint64_t;
  static constexpr RowId kNoRow = 0;

  explicit TableRows(std::vector<std::string> columnTitles);
  ~TableRows();
  TableRows(const TableRows&) = delete;
  TableRows& operator=(const TableRows&) = delete;

  int ColumnCount() const { return static_cast<int>(titles_.size()); }
  const std::string& ColumnTitle(int column) const;
  int FindColumn(std::string_view title) const;  // -1 when no column has that title

  int RowCount() const { return rowCount_; }
  // An empty text for a row or column that does not exist.
  const std::string& Cell(int row, int column) const;
  bool IsViewed(int row) const;
  // The identity of the row at `row`, or kNoRow; and back: the row's present
  // index, or -1 once it is gone.
  RowId IdAt(int row) const;
  int RowOfId(RowId id) const;

  // `cells` beyond the column count are dropped, missing ones are empty. A
  // position outside 0..RowCount() appends. Returns the row's index.
  int InsertRow(int position, std::vector<std::string> cells);
  int AppendRow(std::vector<std::string> cells) { return InsertRow(rowCount_, std::move(cells)); }
  void SetCell(int row, int column, std::string text);
  void SetViewed(int row, bool viewed);
  void DeleteAll();

  // Index of the first row whose cell in `column` equals `text`, or -1.
  int FirstRowWithText(int column, std::string_view text) const;
  // Index of the first row whose "Rank" cell reads as less than `rank`, or
  // RowCount() when there is none (or the table has no "Rank" column).
  int FirstRowRankedBelow(int rank) const;

  // The changes made since the last call, oldest first.
  std::vector<TableChange> TakeChanges();

  // For views that keep their own order of the rows (by RowId): DeleteAll starts
  // a new generation, and every change raises the table's revision, each row
  // remembering the revision of its own last change, so a view can tell the
  // rows changed since it last looked.
  struct RowStamp {
    RowId id = kNoRow;
    std::uint64_t revision = 0;
  };
  std::uint64_t Generation() const { return generation_; }
  std::uint64_t Revision() const { return revision_; }
  // Every row's identity and revision, in table order.
  std::vector<RowStamp> Stamps() const;

 private:
  struct Row;
  struct Block;

  Row* RowAt(int index) const;
  int PositionOf(const Row* row) const;
  void SplitBlock(std::size_t blockIndex);
  int OutOfOrderPairs(const Row* upper, const Row* lower) const;
  void IndexLink(Row* row);
  void UnindexLink(Row* row);
  void CountRank(int rank, int delta);

  std::vector<std::string> titles_;
  int urlColumn_ = -1;
  int rankColumn_ = -1;

  std::vector<std::unique_ptr<Block>> blocks_;
  std::vector<int> blockStarts_;  // index of each block's first row
  int rowCount_ = 0;

  // Each link maps to one of its rows; the others hang off that row in a chain.
  // The key views the mapped row's own cell, so an index entry costs no copy.
  std::unordered_map<std::string_view, Row*> rowsByLink_;
  std::unordered_map<RowId, Row*> rowsById_;
  RowId lastId_ = kNoRow;
  // Rows per rank: the merge's ranks 0..100 in an array, anything else in a map.
  std::array<int, 101> rowsPerScoreRank_{};
  std::map<int, int> rowsPerOtherRank_;
  int outOfOrderPairs_ = 0;  // neighbours whose upper row ranks below the lower

  std::vector<TableChange> changes_;

  std::uint64_t generation_ = 0;
  std::uint64_t revision_ = 0;
};

}  // namespace sorvane
