#include "shell/main_frame.h"

#include <wx/animate.h>
#include <wx/generic/animate.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/utils.h>

#include "core/engine_store.h"
#include "res/image_resources.h"
#include "res/menu_builder.h"
#include "res/menus.h"
#include "res/resource_ids.h"
#include "shell/category_pane.h"

namespace sorvane {

namespace {

constexpr int kCategoryPaneWidth = 155;
// The size the window starts with until it has a saved placement.
const wxSize kDefaultFrameSize(960, 680);

ColorRef ToColorRef(const wxColour& colour) { return MakeColorRef(colour.Red(), colour.Green(), colour.Blue()); }

}  // namespace

CMainFrame::CMainFrame(const FrameOptions& options)
    : wxFrame(nullptr, wxID_ANY, "Untitled - Sorvane", wxDefaultPosition, kDefaultFrameSize),
      m_options(options),
      m_categories(DefaultCategoryRows()),
      m_help(options.programFolder / kHelpFileName),
      m_resultsTable(std::make_shared<ResultsTable>()),
      m_searchRunner(ConnectionSettings{}) {
  // The connection is direct until the settings say otherwise.
  m_settings.connection.connectMethod = ConnectionSettings::kDirect;
  SetIcons(res::LoadProgramIcons());
}

CMainFrame::~CMainFrame() {
  if (!m_settingsSaved) SaveSettings();
}

bool CMainFrame::Create() {
  SetMenuBar(res::BuildMenuBar(res::MainMenu()));
  SetAcceleratorTable(res::BuildAcceleratorTable(res::MainAccelerators()));
  if (!CreateBars()) return false;

  // The Favorites popup starts with a placeholder item that goes before it is filled.
  if (wxMenu* favorites = FavoritesPopup()) {
    while (favorites->GetMenuItemCount() > 0) favorites->Destroy(favorites->FindItemByPosition(0));
  }
  FillFavoritesMenu();
  SetToolDropDowns();

  if (!CreateStatusBarPanes()) return false;
  if (!OnCreateClient()) return false;
  LoadSettings();
  FillPreviousSearches();

  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(m_wndReBar, 0, wxEXPAND);
  sizer->Add(m_wndSplitter, 1, wxEXPAND);
  SetSizer(sizer);
  BindEvents();
  // The view sets itself up at its full size, so its tabs never get squeezed.
  Layout();
  m_pView->OnInitialUpdate();
  Layout();
  return true;
}

// The client area: the category pane on the left, the view on the right; the
// store is loaded once the rows exist, which attaches each category's engines.
bool CMainFrame::OnCreateClient() {
  m_wndSplitter = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_LIVE_UPDATE | wxSP_3DSASH);
  m_pCategoryList = new CCategoryPane(m_wndSplitter, m_categories);
  m_pView = new CSorvaneView(m_wndSplitter, *this, *this, m_options.programFolder, m_options.browserView,
                            m_resultsTable);
  if (!m_wndSplitter->SplitVertically(m_pCategoryList, m_pView, kCategoryPaneWidth)) return false;
  m_wndSplitter->SetMinimumPaneSize(20);
  wxBusyCursor wait;
  LoadEngineStore(m_options.programFolder, m_engines, m_categories);
  return true;
}

void CMainFrame::LoadSettings() {
  if (!m_options.settings) return;
  m_settings = LoadAppSettings(*m_options.settings, ToColorRef(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
  if (const std::optional<WindowPlacement> placement = PlacementFromEdges(m_settings)) {
    SetSize(placement->left, placement->top, placement->width, placement->height);
    Refresh();
  }
  if (m_pView) m_pView->SetListColours(m_settings.colours);
  m_searchRunner.SetConnectionSettings(m_settings.connection);
}

void CMainFrame::SaveSettings() {
  m_settingsSaved = true;
  if (!m_options.settings) return;
  const wxRect rect = GetRect();
  TakeWindowEdges(m_settings, rect.GetLeft(), rect.GetTop(), rect.GetWidth(), rect.GetHeight(), IsIconized());
  if (m_pView) m_settings.colours = m_pView->GetListColours();
  SaveAppSettings(*m_options.settings, m_settings);
  m_options.settings->Flush();
}

CMainFrame::SearchKind CMainFrame::SearchSelectedCategory() {
  const int row = m_pCategoryList ? m_pCategoryList->SelectedRow() : -1;
  if (row < 0) return SearchKind::None;
  if (row == kMyPcRow) {
    StartPcSearch();
    return SearchKind::PcSearch;
  }
  StartSearch(row, m_strLastQuery);
  return SearchKind::WebSearch;
}

int CMainFrame::CategoryPicture(int imageIndex) {
  for (const Category& row : DefaultCategoryRows()) {
    if (row.imageIndex == imageIndex) return row.largePicture;
  }
  return 0;
}

wxBitmap CMainFrame::CategoryBitmap(int imageIndex) const {
  return m_pCategoryList ? m_pCategoryList->CategoryBitmap(imageIndex) : wxBitmap();
}

void CMainFrame::ShowCategoryMenu() { ShowCategoryMenu(ScreenToClient(wxGetMousePosition())); }

void CMainFrame::ShowCategoryMenu(const wxPoint& where) {
  std::unique_ptr<wxMenu> menu(res::BuildMenu(res::CategoryMenu()));
  PopupMenu(menu.get(), where);
}

void CMainFrame::StartThrobber() {
  if (m_wndAnimate && m_wndAnimate->GetAnimation().IsOk()) m_wndAnimate->Play();
}

void CMainFrame::StopThrobber() {
  if (m_wndAnimate) m_wndAnimate->Stop();
}

void CMainFrame::SetDocumentTitle(const wxString& title) { SetTitle(title + " - Sorvane"); }

wxMenu* CMainFrame::FavoritesPopup() const {
  wxMenuBar* bar = GetMenuBar();
  if (!bar || m_trimmed) return nullptr;
  return bar->GetMenu(res::kFavoritesMenuPosition);
}

}  // namespace sorvane
