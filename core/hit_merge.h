#pragma once

#include <string_view>

#include "core/results_table.h"

namespace sorvane {

// Where a hit goes: the row that already holds its link, or the row to insert at.
struct InsertPosition {
  bool found = false;
  int row = 0;
  bool operator==(const InsertPosition&) const = default;
};

// First row whose cell in `column` equals `text` byte for byte, or -1.
int FindRowByText(const TableRows& rows, int column, std::string_view text);

// As a scan from the first row would decide: a row holding `link` met before or at
// the first row ranked below `rank` is found; otherwise the hit is inserted at
// that first lower-ranked row (or appended). The order stays descending by rank,
// later arrivals after earlier ones of the same rank.
InsertPosition FindInsertPosition(const TableRows& rows, int rank, std::string_view link);

// Inserts a new row (Hits "1") or raises the found row's Hits by one; a found
// row's description, rank and engine never change. Returns where the hit went.
InsertPosition MergeHit(TableRows& rows, std::string_view description, std::string_view link,
                        int rank, std::string_view engineName);

// The same, as one step under the table's lock.
InsertPosition MergeHit(ResultsTable& table, std::string_view description, std::string_view link,
                        int rank, std::string_view engineName);

}  // namespace sorvane
