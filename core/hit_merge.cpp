#include "core/hit_merge.h"

#include <climits>

#include "core/lenient_number.h"

namespace sorvane {

int FindRowByText(const TableRows& rows, int column, std::string_view text) {
  return rows.FirstRowWithText(column, text);
}

InsertPosition FindInsertPosition(const TableRows& rows, int rank, std::string_view link) {
  const int firstLower = rows.FirstRowRankedBelow(rank);
  const int firstLink = rows.FirstRowWithText(rows.FindColumn(kUrlColumn), link);
  // The scan checks a row's link before its rank, so the lower-ranked row itself
  // is still looked at for the link.
  if (firstLink >= 0 && firstLink <= firstLower) return {true, firstLink};
  return {false, firstLower};
}

InsertPosition MergeHit(TableRows& rows, std::string_view description, std::string_view link,
                        int rank, std::string_view engineName) {
  const InsertPosition position = FindInsertPosition(rows, rank, link);
  if (position.found) {
    const int hitsColumn = rows.FindColumn(kHitsColumn);
    const int hits = ParseLenientInt(rows.Cell(position.row, hitsColumn));
    rows.SetCell(position.row, hitsColumn, FormatDecimal(hits == INT_MAX ? hits : hits + 1LL));
    return position;
  }
  std::vector<std::string> cells(static_cast<std::size_t>(rows.ColumnCount()));
  auto put = [&](const char* title, std::string_view text) {
    const int column = rows.FindColumn(title);
    if (column >= 0) cells[static_cast<std::size_t>(column)] = std::string(text);
  };
  put(kDescriptionColumn, description);
  put(kUrlColumn, link);
  put(kRankColumn, FormatDecimal(rank));
  put(kHitsColumn, "1");
  put(kEngineColumn, engineName);
  rows.InsertRow(position.row, std::move(cells));
  return position;
}

InsertPosition MergeHit(ResultsTable& table, std::string_view description, std::string_view link,
                        int rank, std::string_view engineName) {
  return table.WithLock(
      [&](TableRows& rows) { return MergeHit(rows, description, link, rank, engineName); });
}

}  // namespace sorvane
