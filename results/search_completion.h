#pragma once

#include <optional>
#include <string>

#include "core/results_table.h"
#include "results/earlier_search.h"

namespace sorvane {

// What completing a search did, for the front end to report.
struct CompletionResult {
  bool pageWritten = false;
  bool searchSaved = false;
  // The saved search of the same words as it was before this one replaced it
  // (nothing when there was none): what tells the new rows.
  std::optional<EarlierSearch> earlier;
  // The rows as written, in table order, and how many of them are new (every
  // row when there was no earlier search).
  std::vector<RowCells> rows;
  int newRowCount = 0;
};

// The common end of every search, web or PC, in the order the frame does it:
// read what the earlier save of the same words held, write "Search Results.htm"
// into programFolder, then save the search under
// `words` with `categoryRow` (unless save is false). bannerIndex is the
// frame's m_bannerIndex (the CLI keeps its own, starting at 0). The table is
// read once, under its lock, so the page and the saved file hold the same rows.
// The front end then rebuilds its Previous Searches list (ListSavedSearches),
// switches tabs and stops its throbber. Thread rule: call it from the thread
// that owns bannerIndex, once the search's workers have ended.
CompletionResult CompleteSearch(const std::string& programFolder, ResultsTable& table,
                                const std::string& words, int categoryRow, int& bannerIndex,
                                bool save = true);

}  // namespace sorvane
