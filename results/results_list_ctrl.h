#pragma once

#include <wx/bitmap.h>
#include <wx/window.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/results_table.h"
#include "results/results_view.h"

class wxDC;
class wxHeaderCtrlEvent;
class wxScrollWinEvent;

namespace sorvane {

class ResultsHeader;
class ResultsRows;

// The results list: an owner-drawn report view over a ResultsTable, each row a
// 48-pixel band with the row picture, a bold first line with every column's
// text shortened to its column, and the description once more on the two lines
// under it. It is virtual: it keeps only the row count and asks the table for
// the cells of the rows it paints, so its cost does not grow with the table.
// Colours are COLORREF values (0x00BBGGRR), as the settings keep them.
// UI thread only; table changes made by workers reach it through the table's
// observer and are gathered into one repaint on the UI thread.
class CResultsListCtrl final : public wxWindow {
 public:
  using ColorRef = std::uint32_t;
  static constexpr int kRowHeight = 48;
  static constexpr int kPictureWidth = 32;
  static constexpr ColorRef kBlack = 0x000000;
  static constexpr ColorRef kWhite = 0xFFFFFF;

  CResultsListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& position = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize);
  ~CResultsListCtrl() override;

  // Shows `table` (or nothing for null) and becomes its observer. The columns
  // are the table's, in its order; each starts as wide as its title needs.
  void SetTable(std::shared_ptr<ResultsTable> table);
  const std::shared_ptr<ResultsTable>& Table() const { return m_table; }

  int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
  int GetColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);
  wxString GetColumnTitle(int column) const;

  // The number of rows the list shows; normally the table's, brought up to date
  // after each batch of changes.
  long GetItemCount() const { return m_itemCount; }
  void SetItemCount(long count);
  // Applies the pending table changes now (the queued call does the same).
  void SyncWithTable();

  // The list's rows and the table's: the list shows the view (results_view.h),
  // the table's rows sorted and filtered; the selection, the keys, the clicks
  // and the drawing reach the table only through these two. -1 for a row that
  // is not there (or not shown).
  int TableRowOf(long listRow) const;
  long ListRowOf(int tableRow) const;

  // Sorting the shown rows: a header click sorts by its column, a second click
  // reverses; the header shows the arrow. ResetOrder goes back to the table's
  // rank order (a new search, a loaded previous search).
  void ClickColumn(int column);
  void ResetOrder();
  int SortColumn() const { return m_view.SortColumn(); }
  bool SortDescending() const { return m_view.SortDescending(); }
  // Finding: only rows whose description, address or engine hold the text
  // are shown, and with newOnly only the new ones.
  void SetFilter(const std::string& text, bool newOnly);
  bool IsFiltering() const { return m_view.IsFiltering(); }
  // The addresses of the earlier search of the same words: rows not among
  // them are new and carry a "New" mark. Nothing: no marks.
  void SetEarlierAddresses(std::optional<std::unordered_set<std::string>> addresses);
  bool MarksNewRows() const { return m_view.MarksNewRows(); }
  bool IsNewRow(long listRow) const;
  // The table's row count as of the last sync (the list may show fewer).
  long GetTotalCount() const { return m_view.TotalCount(); }
  // Called whenever the shown rows may have changed (rows arrived, the order
  // or the filter changed), for whoever reports their count.
  void SetViewChangedHandler(std::function<void()> handler) { m_viewChanged = std::move(handler); }

  // The selection belongs to a hit, not to a position: rows a search inserts
  // above it move it down with its hit, and it goes when the hit goes (the
  // table emptied). The list row of the selected hit, or -1.
  long GetFirstSelected() const;
  // The selected hit's identity in the table, or kNoRow.
  TableRows::RowId SelectedHit() const { return m_selectedHit; }
  // Selects list row `row` (-1, or any row not shown, clears the selection)
  // and tells the handlers: a selected or deselected event.
  void Select(long row);
  // What the keys of a list do: Up/Down a row, Page Up/Down a page, Home/End
  // the first and last row, the new selection kept in view; Enter opens the
  // selected row as a double-click does. False for any other key.
  bool HandleKey(int keyCode);
  // Sends the activated event for list row `row`, as a double-click does.
  void ActivateRow(long row);
  long GetTopItem() const { return m_topRow; }
  int GetCountPerPage() const;
  void ScrollToRow(long row);
  void EnsureVisible(long row);
  // Horizontal scroll position in pixels.
  int GetScrollPosition() const { return m_scrollX; }
  void SetScrollPosition(int x);
  // The row under a point of the rows' area, or -1.
  long HitTest(const wxPoint& point) const;

  // The words of the search being shown.
  void SetWords(std::string words) { m_words = std::move(words); }
  const std::string& Words() const { return m_words; }

  void SetTitleColor(ColorRef color);
  void SetBackgroundColor(ColorRef color);
  void SetViewedColor(ColorRef color);
  void SetLongDescColor(ColorRef color);
  ColorRef GetTitleColor() const { return m_titleColor; }
  ColorRef GetBackgroundColor() const { return m_backgroundColor; }
  ColorRef GetViewedColor() const { return m_viewedColor; }
  ColorRef GetLongDescColor() const { return m_longDescColor; }

  // Draws row `row` into `rect` (client coordinates of the rows' area).
  void DrawItem(wxDC& dc, long row, const wxRect& rect) const;
  // Draws the rows visible from the top row on, as a paint does, into a
  // context of the rows' area size.
  void DrawVisibleRows(wxDC& dc) const;
  wxWindow& RowsWindow() const;

  static wxColour ToColour(ColorRef color);

 private:
  struct Column {
    wxString title;
    int width;
  };
  struct Pending;

  void BindEvents();
  void FitFontToRows();
  void LayoutChildren();
  void UpdateScrollbars();
  void RepaintAll();
  void OnSize(wxSizeEvent& event);
  void OnHeaderResizing(wxHeaderCtrlEvent& event);
  void OnHeaderClick(wxHeaderCtrlEvent& event);
  void OnTableChanged();
  void RefreshView();
  void DrawNewMark(wxDC& dc, const wxRect& rect, int titleEnd) const;
  std::string CellText(long row, int column) const;

  wxBitmap m_rowBitmap;
  ColorRef m_titleColor = kBlack;
  ColorRef m_backgroundColor;
  ColorRef m_viewedColor = 0x0000FF;
  ColorRef m_longDescColor = 0xFF0000;

  std::vector<Column> m_columns;
  std::shared_ptr<ResultsTable> m_table;
  std::shared_ptr<Pending> m_pending;
  ResultsView m_view;
  std::function<void()> m_viewChanged;
  long m_itemCount = 0;
  TableRows::RowId m_selectedHit = TableRows::kNoRow;
  long m_topRow = 0;
  int m_scrollX = 0;
  std::string m_words;
  ResultsHeader* m_header = nullptr;
  ResultsRows* m_rows = nullptr;

  friend class ResultsHeader;
  friend class ResultsRows;
};

}  // namespace sorvane
