#pragma once

#include <wx/string.h>

class wxListCtrl;

namespace sorvane {

// Column sizing for report-view lists: columns only ever grow, each to the
// width of a text plus an "M". UI thread only.
int ColumnCount(const wxListCtrl& list);
int CellTextWidth(const wxListCtrl& list, const wxString& text);
// Widens every column that is narrower than row `row`'s cell in it.
void FitColumnsToRow(wxListCtrl& list, long row);
// Optionally first to every column's title, then to every row.
void FitColumns(wxListCtrl& list, bool withHeadings);
// Appends a left-aligned column as wide as its title needs.
void AddColumnSizedToTitle(wxListCtrl& list, const wxString& title);

}  // namespace sorvane
