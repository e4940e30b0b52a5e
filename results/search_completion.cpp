#include "results/search_completion.h"

#include "results/results_page.h"
#include "results/saved_search.h"
#include "results/table_cells.h"

namespace sorvane {

CompletionResult CompleteSearch(const std::string& programFolder, ResultsTable& table,
                                const std::string& words, int categoryRow, int& bannerIndex, bool save) {
  CompletionResult result;
  result.rows = TakeRowCells(table);
  // Before the save replaces the file, which is the only record of it.
  result.earlier = ReadEarlierSearch(programFolder, words);
  for (const bool isNew : NewRowFlags(result.earlier, result.rows)) result.newRowCount += isNew ? 1 : 0;
  result.pageWritten = WriteResultsPage(programFolder, result.rows, bannerIndex);
  if (save) result.searchSaved = SaveSearch(programFolder, words, result.rows, categoryRow);
  return result;
}

}  // namespace sorvane
