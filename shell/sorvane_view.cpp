#include "dialogs/wx_text.h"
#include "shell/sorvane_view.h"

#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/toplevel.h>

#include "pcsearch/folder_scan.h"
#include "res/resource_ids.h"
#include "results/result_columns.h"
#include "results/results_list_ctrl.h"
#include "results/row_text_measure.h"
#include "shell/maker_info.h"
#include "shell/results_find_bar.h"
#include "shell/shell_open_messages.h"
#include "shell/web_view.h"

namespace sorvane {

CSorvaneView::CSorvaneView(wxWindow* parent, ViewHost& host, WebViewEvents& webEvents,
                           std::filesystem::path programFolder, bool browserView,
                           std::shared_ptr<ResultsTable> table)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(130, 50)),
      m_host(host),
      m_webEvents(webEvents),
      m_programFolder(std::move(programFolder)),
      m_wantBrowser(browserView),
      m_resultsTable(std::move(table)) {
  SetSizer(new wxBoxSizer(wxVERTICAL));
}

void CSorvaneView::OnInitialUpdate() {
  if (m_initialized) return;
  m_initialized = true;

  wxWindow* tableParent = this;
  if (m_wantBrowser) {
    m_tabs = new wxNotebook(this, ids::IDC_RESULTS_TABS);
    tableParent = m_tabs;
    m_webView = new CWebView(m_tabs, m_webEvents);
    m_webView->GoHome();
  }
  // The list's page: the find bar (hidden until asked for) over the list.
  m_listPage = new wxPanel(tableParent, wxID_ANY);
  m_findBar = new CResultsFindBar(m_listPage, [this] { ApplyFilter(); }, [this] { CloseFindBar(); });
  m_findBar->Hide();
  m_table = new CResultsListCtrl(m_listPage, ids::IDC_RESULTS_LIST);
  auto* pageSizer = new wxBoxSizer(wxVERTICAL);
  pageSizer->Add(m_findBar, 0, wxEXPAND);
  pageSizer->Add(m_table, 1, wxEXPAND);
  m_listPage->SetSizer(pageSizer);
  m_table->SetTable(m_resultsTable);
  m_table->SetViewChangedHandler([this] { ReportShownRows(); });
  WidenResultColumns(*m_table);
  SetListColours(m_colours);

  if (m_webView) {
    m_tabs->AddPage(m_webView, "Web View");
    m_tabs->AddPage(m_listPage, "List View");
    GetSizer()->Add(m_tabs, 1, wxEXPAND);
    m_webView->Navigate(wxString::FromUTF8((m_programFolder / "index.htm").string()));
    SelectTab(kWebViewTab);
  } else {
    GetSizer()->Add(m_listPage, 1, wxEXPAND);
    m_shownWindow = m_table;
    m_host.TrimForNoBrowser();
  }
  BindEvents();
  Layout();
}

void CSorvaneView::BindEvents() {
  if (m_tabs) m_tabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CSorvaneView::OnTabChanged, this);
  m_table->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CSorvaneView::OnRowActivated, this);
  m_table->RowsWindow().Bind(wxEVT_CONTEXT_MENU, &CSorvaneView::OnRowContextMenu, this);
  BindRowCommands(*m_table);
}

void CSorvaneView::OnTabChanged(wxBookCtrlEvent& event) {
  ShowSelectedTab();
  event.Skip();
}

void CSorvaneView::OnRowActivated(wxListEvent&) { OpenRow(); }

void CSorvaneView::OpenRow() {
  const TableRows::RowId hit = m_table ? m_table->SelectedHit() : TableRows::kNoRow;
  if (hit == TableRows::kNoRow || !m_resultsTable) return;
  // The address and the engine are read in one step: a worker's insert between
  // two reads would otherwise pair this hit's address with another's engine.
  struct {
    bool found = false;
    std::string url;
    std::string engine;
  } cells;
  m_resultsTable->WithLock([&](TableRows& rows) {
    const int row = rows.RowOfId(hit);
    if (row < 0) return;
    cells.found = true;
    cells.url = rows.Cell(row, rows.FindColumn(kUrlColumn));
    cells.engine = rows.Cell(row, rows.FindColumn(kEngineColumn));
  });
  if (!cells.found) return;
  if (cells.engine == kPcSearchEngineName || !m_webView) {
    const std::string_view message = OpenRowMessage(m_host.LaunchAddress(ToWx(cells.url)));
    if (!message.empty()) {
      wxMessageBox(wxString::FromUTF8(message.data(), message.size()), kApplicationName, wxOK,
                   wxGetTopLevelParent(this));
    }
  } else {
    m_webView->Navigate(ToWx(cells.url));
    SelectTab(kWebViewTab);
  }
  // The hit may have moved down meanwhile (a search still running): it is
  // found again by its identity.
  m_resultsTable->WithLock([hit](TableRows& rows) {
    const int row = rows.RowOfId(hit);
    if (row >= 0) rows.SetViewed(row, true);
  });
  m_host.SaveSearch();
}

void CSorvaneView::SelectTab(int tab) {
  if (m_tabs && tab >= 0 && tab < static_cast<int>(m_tabs->GetPageCount())) {
    m_tabs->ChangeSelection(static_cast<size_t>(tab));
    ShowSelectedTab();
  }
}

int CSorvaneView::SelectedTab() const { return m_tabs ? m_tabs->GetSelection() : kListViewTab; }

void CSorvaneView::ShowSelectedTab() {
  if (!m_tabs) return;
  const int tab = m_tabs->GetSelection();
  if (tab == kWebViewTab) {
    m_shownWindow = m_webView;
  } else if (tab == kListViewTab) {
    m_shownWindow = m_table;
  } else {
    return;
  }
  m_shownWindow->Refresh(true);
}

void CSorvaneView::SetListColours(const ListColours& colours) {
  m_colours = colours;
  if (!m_table) return;
  m_table->SetBackgroundColor(colours.background);
  m_table->SetTitleColor(colours.webViewColor);
  m_table->SetViewedColor(colours.viewedSiteColor);
  m_table->SetLongDescColor(colours.longDescColor);
}

ListColours CSorvaneView::GetListColours() const {
  if (!m_table) return m_colours;
  ListColours colours;
  colours.background = m_table->GetBackgroundColor();
  colours.webViewColor = m_table->GetTitleColor();
  colours.viewedSiteColor = m_table->GetViewedColor();
  colours.longDescColor = m_table->GetLongDescColor();
  return colours;
}

}  // namespace sorvane
