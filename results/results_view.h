#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/table_rows.h"

namespace sorvane {

// Which rows of a results table the list shows, and in what order: the table
// itself stays in rank order (the page and the saved search are written from
// it), the view sorts and filters over it.
//
// Sorting: Rank and Hits as numbers, every other column as text without regard
// to case (Unicode case folding). Rows that compare equal keep their table
// order, in either direction, so sorting by Engine shows each engine's rows by
// rank. Filtering: a row is shown when its description, address or engine
// contains the filter text, without regard to case, and, with "new only", when
// it is new (its address was not among the earlier search's addresses).
//
// The view keeps rows by their identity (TableRows::RowId), so rows inserted
// into the table while a search runs go to their place in the sorted view at
// the next Sync, and rows already shown keep theirs. Thread rule: not locked itself; use
// it on one thread, and call every member taking a TableRows under the table's
// lock.
class ResultsView {
 public:
  // A click on a column header: a new column sorts ascending, the same column
  // again reverses the order.
  void ClickColumn(int column);
  void SortBy(int column, bool descending);
  // Back to the table's own order (a new search, a loaded previous search).
  void ClearSort();
  int SortColumn() const { return sortColumn_; }  // -1: table order
  bool SortDescending() const { return descending_; }

  void SetFilterText(std::string_view text);
  const std::string& FilterText() const { return filterText_; }
  void SetNewOnly(bool newOnly);
  bool NewOnly() const { return newOnly_; }

  // The addresses of the earlier search of the same words: every row whose
  // address is not among them is new. Nothing: no row is new (no earlier search,
  // or a previous search is being shown).
  void SetEarlierAddresses(std::optional<std::unordered_set<std::string>> addresses);
  bool MarksNewRows() const { return earlierAddresses_.has_value(); }
  bool IsNewRow(const TableRows& rows, int tableRow) const;

  // Sorting or filtering; without either the view is the table itself.
  bool IsIdentity() const { return sortColumn_ < 0 && !IsFiltering(); }
  bool IsFiltering() const { return !filterText_.empty() || newOnly_; }

  // Brings the view up to date with the rows: new rows go to their place,
  // changed rows are placed again, a cleared table starts over.
  void Sync(const TableRows& rows);

  // As of the last Sync.
  int ShownCount() const;
  int TotalCount() const { return knownRows_; }
  // The table row shown at `viewRow`, or -1.
  int TableRowAt(const TableRows& rows, int viewRow) const;
  // Where the table row is shown, or -1 when it is filtered out (or unknown).
  int ViewRowOfTableRow(const TableRows& rows, int tableRow) const;

 private:
  // What the view knows of one table row as of the last Sync.
  struct Entry {
    TableRows::RowId id = TableRows::kNoRow;
    std::uint64_t revision = 0;
    int tableRow = 0;
    int shownAt = -1;         // index in order_, -1 when filtered out
    long long number = 0;     // the sort key of Rank and Hits
    std::string text;         // the sort key of the other columns, folded
    std::string folded;       // the filtered cells, folded (only while filtering)
  };

  void Rebuild(const TableRows& rows);
  void ComputeKeys(const TableRows& rows, Entry& entry) const;
  bool Passes(const TableRows& rows, const Entry& entry) const;
  bool ShownBefore(const Entry* left, const Entry* right) const;
  void IndexPositions();

  int sortColumn_ = -1;
  bool descending_ = false;
  std::string filterText_;
  std::string foldedFilter_;
  bool newOnly_ = false;
  std::optional<std::unordered_set<std::string>> earlierAddresses_;

  bool needsRebuild_ = true;
  std::uint64_t generation_ = 0;
  std::uint64_t revision_ = 0;
  int knownRows_ = 0;
  bool numericSort_ = false;
  // Every row of the table (left empty when the view is the table itself).
  // Nodes of the map keep their place, so order_ can point into them.
  std::unordered_map<TableRows::RowId, Entry> entries_;
  std::vector<Entry*> order_;  // the rows shown, in view order
};

}  // namespace sorvane
