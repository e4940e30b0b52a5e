#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/results_table.h"

namespace sorvane {

// The five cells of a row in the order the page and the saved file use them:
// Description, URL, Rank, Hits, Engine.
inline constexpr int kRowCellCount = 5;

// One row of the results table as its cells hold it (Rank and Hits as text, as
// a saved search may have stored anything there), with its viewed flag.
struct RowCells {
  std::array<std::string, kRowCellCount> cells;
  bool viewed = false;

  const std::string& description() const { return cells[0]; }
  const std::string& url() const { return cells[1]; }
  const std::string& rank() const { return cells[2]; }
  const std::string& hits() const { return cells[3]; }
  const std::string& engine() const { return cells[4]; }

  bool operator==(const RowCells&) const = default;
};

// Every row of the table, taken in one step under its lock. Columns are found by
// their titles; a column the table lacks gives empty cells.
std::vector<RowCells> TakeRowCells(ResultsTable& table);

// Appends one row at the end, setting the five cells and the viewed flag.
void AppendRowCells(TableRows& rows, const RowCells& row);

}  // namespace sorvane
