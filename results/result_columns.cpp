#include "results/result_columns.h"

#include <iterator>

#include "results/results_list_ctrl.h"

namespace sorvane {

namespace {

// The long columns get room to spare beyond their titles.
constexpr int kWidthFactors[] = {3, 6, 1, 1, 2};

}  // namespace

int ResultColumnWidthFactor(int column) {
  return column >= 0 && column < static_cast<int>(std::size(kWidthFactors)) ? kWidthFactors[column] : 1;
}

void WidenResultColumns(CResultsListCtrl& list) {
  for (int column = 0; column < list.GetColumnCount(); ++column)
    list.SetColumnWidth(column, list.GetColumnWidth(column) * ResultColumnWidthFactor(column));
}

}  // namespace sorvane
