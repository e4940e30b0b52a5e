#pragma once

#include <string>

#include "core/results_table.h"

namespace sorvane {

// What completing a search did, for the front end to report.
struct CompletionResult {
  bool pageWritten = false;
  bool searchSaved = false;
};

// The common end of every search, web or PC, in the order the frame does it:
// write "Search Results.htm" into programFolder, then save the search under
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
