#pragma once

#include <wx/panel.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "core/results_table.h"
#include "results/earlier_search.h"
#include "shell/app_settings.h"

class wxNotebook;
class wxBookCtrlEvent;
class wxContextMenuEvent;
class wxListEvent;

namespace sorvane {

class CResultsFindBar;
class CResultsListCtrl;
class CWebView;
class WebViewEvents;

// What the view asks of the frame round it.
class ViewHost {
 public:
  virtual ~ViewHost() = default;
  // Called once when the view finds no browser: remove the browser's bars and menus.
  virtual void TrimForNoBrowser() = 0;
  // A result row was opened: the saved search should remember it as viewed.
  virtual void SaveSearch() = 0;
  // Opens an address with the system's own program for it (a file) or its
  // default browser; the result code of the launch (above 32: success).
  virtual int LaunchAddress(const wxString& address) = 0;
  // Shows a text in the status bar's first pane.
  virtual void ShowStatus(const wxString& text) = 0;
};

// The document's view, the right-hand pane: the results table and, when there is
// a browser, the browser view, behind the tabs "Web View" and "List View".
// UI thread only.
class CSorvaneView final : public wxPanel {
 public:
  static constexpr int kWebViewTab = 0;
  static constexpr int kListViewTab = 1;

  // `table` is the frame's results table, shown by the results list.
  CSorvaneView(wxWindow* parent, ViewHost& host, WebViewEvents& webEvents, std::filesystem::path programFolder,
               bool browserView, std::shared_ptr<ResultsTable> table);

  // The one-time set-up: the table's columns, the browser view and its tabs, or
  // the trimmed window without them. Later calls do nothing.
  void OnInitialUpdate();
  // Brings the window of the selected tab to the front.
  void ShowSelectedTab();
  void SelectTab(int tab);
  int SelectedTab() const;

  // What a double-click on a result row does: a web row opens in the Web View, a
  // file row (or any row without a browser) with the system; the row is then
  // marked viewed and the search saved. Nothing happens without a selected row.
  void OpenRow();

  // The row menu of the selected row at `where` (the list's client
  // co-ordinates; wxDefaultPosition: under the selected row, as the keyboard
  // asks for it). Nothing without a selected row.
  void ShowRowMenu(const wxPoint& where);
  // The row menu's commands, on the selected row (false: there is none).
  bool OpenRowInBrowser();
  bool OpenRowFolder();
  bool CopyRowAddress();
  bool CopyRowDescription();

  // Finding in the results: the bar above the list, its text and "New only".
  void ShowFindBar();
  void CloseFindBar();
  bool FindBarShown() const;
  CResultsFindBar* FindBar() const { return m_findBar; }

  // A search starts or a previous search is brought back: rank order, no marks.
  void ResetResultsView();
  // A search ended: the rows the earlier save of its words lacked are new.
  void MarkNewRows(const std::optional<EarlierSearch>& earlier);

  CWebView* WebView() const { return m_webView; }
  CResultsListCtrl* ResultsList() const { return m_table; }
  wxNotebook* Tabs() const { return m_tabs; }
  wxWindow* ShownWindow() const { return m_shownWindow; }

  // The results list's colours: applied to the list, and read back for saving.
  void SetListColours(const ListColours& colours);
  ListColours GetListColours() const;

 private:
  void BindEvents();
  void OnTabChanged(wxBookCtrlEvent& event);
  void OnRowActivated(wxListEvent& event);
  void OnRowContextMenu(wxContextMenuEvent& event);
  void BindRowCommands(wxWindow& menuOwner);
  void ApplyFilter();
  void ReportShownRows();
  // The selected row's cells, read in one step; nothing without a selection.
  struct RowCellsOfHit {
    std::string description;
    std::string url;
    std::string engine;
  };
  std::optional<RowCellsOfHit> SelectedRowCells() const;
  void MarkSelectedViewed();

  ViewHost& m_host;
  WebViewEvents& m_webEvents;
  std::filesystem::path m_programFolder;
  bool m_wantBrowser;
  std::shared_ptr<ResultsTable> m_resultsTable;
  bool m_initialized = false;
  wxNotebook* m_tabs = nullptr;
  CResultsListCtrl* m_table = nullptr;
  wxPanel* m_listPage = nullptr;
  CResultsFindBar* m_findBar = nullptr;
  CWebView* m_webView = nullptr;
  wxWindow* m_shownWindow = nullptr;
  // Until the list exists, the colours it will be given.
  ListColours m_colours;
};

}  // namespace sorvane
