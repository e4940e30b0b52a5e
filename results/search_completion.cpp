#include "results/search_completion.h"

#include "results/results_page.h"
#include "results/saved_search.h"
#include "results/table_cells.h"

namespace sorvane {

CompletionResult CompleteSearch(const std::string& programFolder, ResultsTable& table,
                                const std::string& words, int categoryRow, int& bannerIndex, bool save) {
  const std::vector<RowCells> rows = TakeRowCells(table);
  CompletionResult result;
  result.pageWritten = WriteResultsPage(programFolder, rows, bannerIndex);
  if (save) result.searchSaved = SaveSearch(programFolder, words, rows, categoryRow);
  return result;
}

}  // namespace sorvane
