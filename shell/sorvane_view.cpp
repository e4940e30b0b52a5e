#include "shell/sorvane_view.h"

#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

#include "res/resource_ids.h"
#include "shell/web_view.h"

namespace sorvane {

namespace {

wxColour ToColour(ColorRef colour) { return wxColour(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

}  // namespace

CSorvaneView::CSorvaneView(wxWindow* parent, ViewHost& host, WebViewEvents& webEvents,
                           std::filesystem::path programFolder, bool browserView)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(130, 50)),
      m_host(host),
      m_webEvents(webEvents),
      m_programFolder(std::move(programFolder)),
      m_wantBrowser(browserView) {
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
  m_table = new wxListCtrl(tableParent, ids::IDC_RESULTS_LIST, wxDefaultPosition, wxDefaultSize,
                           wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
  AddResultColumns();
  SetListColours(m_colours);

  if (m_webView) {
    m_tabs->AddPage(m_webView, "Web View");
    m_tabs->AddPage(m_table, "List View");
    GetSizer()->Add(m_tabs, 1, wxEXPAND);
    m_webView->Navigate(wxString::FromUTF8((m_programFolder / "index.htm").string()));
    SelectTab(kWebViewTab);
  } else {
    GetSizer()->Add(m_table, 1, wxEXPAND);
    m_shownWindow = m_table;
    m_host.TrimForNoBrowser();
  }
  BindEvents();
  Layout();
}

void CSorvaneView::BindEvents() {
  if (m_tabs) m_tabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CSorvaneView::OnTabChanged, this);
}

// Each column starts as wide as its title, and the long ones get room to spare.
void CSorvaneView::AddResultColumns() {
  const wxString titles[] = {"Description", "URL", "Rank", "Hits", "Engine"};
  const int widen[] = {3, 6, 1, 1, 2};
  const int letterM = m_table->GetTextExtent("M").x;
  for (int column = 0; column < 5; ++column) {
    const int fitted = m_table->GetTextExtent(titles[column]).x + letterM;
    m_table->InsertColumn(column, titles[column], wxLIST_FORMAT_LEFT, fitted * widen[column]);
  }
}

void CSorvaneView::OnTabChanged(wxBookCtrlEvent& event) {
  ShowSelectedTab();
  event.Skip();
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
  m_table->SetBackgroundColour(ToColour(colours.background));
  m_table->SetForegroundColour(ToColour(colours.webViewColor));
  m_table->Refresh();
}

}  // namespace sorvane
