#include "results/table_cells.h"

namespace sorvane {

namespace {

constexpr const char* kCellColumns[kRowCellCount] = {kDescriptionColumn, kUrlColumn, kRankColumn,
                                                     kHitsColumn, kEngineColumn};

}  // namespace

std::vector<RowCells> TakeRowCells(ResultsTable& table) {
  return table.WithLock([](TableRows& rows) {
    std::array<int, kRowCellCount> columns{};
    for (int i = 0; i < kRowCellCount; ++i) columns[i] = rows.FindColumn(kCellColumns[i]);
    std::vector<RowCells> result;
    result.reserve(static_cast<std::size_t>(rows.RowCount()));
    for (int row = 0; row < rows.RowCount(); ++row) {
      RowCells cells;
      for (int i = 0; i < kRowCellCount; ++i) cells.cells[i] = rows.Cell(row, columns[i]);
      cells.viewed = rows.IsViewed(row);
      result.push_back(std::move(cells));
    }
    return result;
  });
}

void AppendRowCells(TableRows& rows, const RowCells& row) {
  std::vector<std::string> cells(static_cast<std::size_t>(rows.ColumnCount()));
  for (int i = 0; i < kRowCellCount; ++i) {
    const int column = rows.FindColumn(kCellColumns[i]);
    if (column >= 0) cells[static_cast<std::size_t>(column)] = row.cells[i];
  }
  const int index = rows.AppendRow(std::move(cells));
  if (row.viewed) rows.SetViewed(index, true);
}

}  // namespace sorvane
