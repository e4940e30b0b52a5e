#include "results/column_fit.h"

#include <wx/listctrl.h>

namespace sorvane {

namespace {

// The cells the sizing looks at are cut like the list's own text buffers.
constexpr size_t kMaxMeasuredCharacters = 254;

void WidenTo(wxListCtrl& list, int column, const wxString& text) {
  const int wanted = CellTextWidth(list, text.Left(kMaxMeasuredCharacters));
  if (list.GetColumnWidth(column) < wanted) list.SetColumnWidth(column, wanted);
}

}  // namespace

int ColumnCount(const wxListCtrl& list) { return list.GetColumnCount(); }

int CellTextWidth(const wxListCtrl& list, const wxString& text) {
  return list.GetTextExtent(text).x + list.GetTextExtent("M").x;
}

void FitColumnsToRow(wxListCtrl& list, long row) {
  if (row < 0 || row >= list.GetItemCount()) return;
  for (int column = 0; column < ColumnCount(list); ++column) WidenTo(list, column, list.GetItemText(row, column));
}

void FitColumns(wxListCtrl& list, bool withHeadings) {
  if (withHeadings) {
    for (int column = 0; column < ColumnCount(list); ++column) {
      wxListItem heading;
      heading.SetMask(wxLIST_MASK_TEXT);
      list.GetColumn(column, heading);
      WidenTo(list, column, heading.GetText());
    }
  }
  for (long row = 0; row < list.GetItemCount(); ++row) FitColumnsToRow(list, row);
}

void AddColumnSizedToTitle(wxListCtrl& list, const wxString& title) {
  list.AppendColumn(title, wxLIST_FORMAT_LEFT, CellTextWidth(list, title));
}

}  // namespace sorvane
