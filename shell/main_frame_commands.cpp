// The command table: which handler each menu item, button and accelerator
// reaches, and the bodies of the frame's own commands.
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "core/engine_store.h"
#include "dialogs/category_properties_dlg.h"
#include "dialogs/engine_choice.h"
#include "dialogs/engines_dlg.h"
#include "dialogs/preferences_sheet.h"
#include "dialogs/preferences_target.h"
#include "dialogs/user_prompts.h"
#include "res/resource_ids.h"
#include "res/standard_ids.h"
#include "res/strings.h"
#include "shell/about_dialog.h"
#include "shell/category_pane.h"
#include "shell/choice_reselect.h"
#include "shell/help_book.h"
#include "shell/live_update.h"
#include "shell/main_frame.h"
#include "shell/maker_info.h"
#include "shell/open_with_shell.h"
#include "shell/sorvane_doc.h"

namespace sorvane {

void CMainFrame::BindEvents() {
  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
  Bind(wxEVT_DROP_FILES, &CMainFrame::OnDropFiles, this);
  Bind(wxEVT_IDLE, &CMainFrame::OnIdleUpdateIndicators, this);
  m_pCategoryList->Bind(wxEVT_LEFT_UP, &CMainFrame::OnCategoryClick, this);
  m_pCategoryList->Bind(wxEVT_CONTEXT_MENU, &CMainFrame::OnCategoryContextMenu, this);
  // The address box and the status bar share a number; the kind of event tells
  // an address chosen from the list from the View > Status Bar command.
  m_wndAddress->Bind(wxEVT_TEXT_ENTER, &CMainFrame::OnAddressEnter, this);
  m_wndAddress->Bind(wxEVT_COMBOBOX, &CMainFrame::OnAddressChosen, this);
  m_btnSearch->Bind(wxEVT_BUTTON, &CMainFrame::OnPreviousSearch, this);
  m_btnDelete->Bind(wxEVT_BUTTON, &CMainFrame::OnDeleteSearchButton, this);
  m_cbPrevious->Bind(wxEVT_CHOICE, &CMainFrame::OnPreviousSelChange, this);
  // Choosing the saved search already shown brings it back too (after a
  // search ran in between, say), though the selection did not change.
  CallWhenShownEntryIsChosenAgain(*m_cbPrevious, [this] { OnPreviousSearchSelected(); });
  BindCommands();
  BindKeyboard();
}

void CMainFrame::BindCommands() {
  const auto command = [this](int programId, void (CMainFrame::*handler)(wxCommandEvent&)) {
    Bind(wxEVT_MENU, handler, this, res::ToWxId(programId));
  };
  command(ids::ID_FILE_OPEN, &CMainFrame::OnFileOpen);
  command(ids::ID_FILE_PREFERENCES, &CMainFrame::OnPreferences);
  command(ids::ID_APP_EXIT, &CMainFrame::OnExit);
  command(ids::AFX_IDW_TOOLBAR, &CMainFrame::OnViewToolBar);
  command(ids::AFX_IDW_STATUS_BAR, &CMainFrame::OnViewStatusBar);
  command(ids::ID_VIEW_ENGINES, &CMainFrame::OnViewEngines);
  command(ids::ID_VIEW_SEARCH_REPORT, &CMainFrame::OnViewSearchReport);
  command(ids::ID_VIEW_STOP, &CMainFrame::OnStop);
  command(ids::ID_VIEW_REFRESH, &CMainFrame::OnRefresh);
  for (int id = ids::ID_FONT_LARGEST; id <= ids::ID_FONT_SMALLEST; ++id) command(id, &CMainFrame::OnTextSize);
  command(ids::ID_GO_BACK, &CMainFrame::OnGoBack);
  command(ids::ID_GO_FORWARD, &CMainFrame::OnGoForward);
  command(ids::ID_GO_START_PAGE, &CMainFrame::OnStartPage);
  command(ids::ID_FILE_PRINT, &CMainFrame::OnPrint);
  command(ids::ID_HELP_CONTENTS, &CMainFrame::OnHelpContents);
  command(ids::ID_HELP_HOW_TO_USE, &CMainFrame::OnHelpHowToUse);
  command(ids::ID_HELP_LIVE_UPDATE, &CMainFrame::OnLiveUpdate);
  command(ids::ID_HELP_VISIT_WEB, &CMainFrame::OnVisitWeb);
  command(ids::ID_APP_ABOUT, &CMainFrame::OnAbout);
  command(ids::ID_CATEGORY_NEW_SEARCH, &CMainFrame::OnNewSearch);
  command(ids::ID_CATEGORY_PROPERTIES, &CMainFrame::OnCategoryProperties);
  command(ids::ID_VIEW_FIND_RESULTS, &CMainFrame::OnFindInResults);
  command(ids::ID_FILE_EXPORT_RESULTS, &CMainFrame::OnExportResults);
  // Only the first 512 Favorites entries have a command; later ones stay inert.
  Bind(wxEVT_MENU, &CMainFrame::OnFavorite, this, ids::ID_FAVORITE_FIRST, ids::ID_FAVORITE_LAST);
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(m_wndToolBar->IsShown()); },
       res::ToWxId(ids::AFX_IDW_TOOLBAR));
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(GetStatusBar() && GetStatusBar()->IsShown()); },
       res::ToWxId(ids::AFX_IDW_STATUS_BAR));
}

void CMainFrame::OnFileOpen(wxCommandEvent&) {
  // The filter comes from the document type: "Sorvane Files (*.htm)" and ".htm".
  const std::string_view name = res::DocumentTypePart(res::DocumentPart::FilterName);
  const std::string_view extension = res::DocumentTypePart(res::DocumentPart::FilterExtension);
  const wxString filter = wxString::FromUTF8(name.data(), name.size()) + "|*" +
                          wxString::FromUTF8(extension.data(), extension.size()) + "|All Files (*.*)|*";
  wxFileDialog dialog(this, "Open", wxString(), wxString(), filter, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK || !m_document) return;
  m_document->OnOpenDocument(dialog.GetPath());
}

// The sheet edits the settings held here and the results list's colours; they
// reach the settings file when the window is destroyed, as the rest do.
void CMainFrame::OnPreferences(wxCommandEvent&) {
  PreferencesTarget target{
      m_settings,
      [this] { return m_pView ? m_pView->GetListColours() : m_settings.colours; },
      [this](const ListColours& colours) {
        m_settings.colours = colours;
        if (m_pView) m_pView->SetListColours(colours);
      }};
  CPreferencesSheet sheet(target);
  sheet.ShowModal();
  // A connection chosen before the first search is the one it uses; once the
  // session exists it stays until the next start.
  m_searchRunner.SetConnectionSettings(m_settings.connection);
}

void CMainFrame::OnExit(wxCommandEvent&) { Close(); }

void CMainFrame::OnViewToolBar(wxCommandEvent&) {
  m_wndToolBar->Show(!m_wndToolBar->IsShown());
  m_wndReBar->Layout();
  Layout();
}

void CMainFrame::OnViewStatusBar(wxCommandEvent&) {
  if (wxStatusBar* status = GetStatusBar()) {
    status->Show(!status->IsShown());
    SendSizeEvent();
  }
}

void CMainFrame::OnViewEngines(wxCommandEvent&) {
  // The dialog changes m_engines and saves engines.dat itself after each change.
  CEnginesDlg dialog(this, m_engines, m_options.programFolder);
  dialog.SetConnection(m_settings.connection);
  dialog.ShowModal();
}

void CMainFrame::OnHelpContents(wxCommandEvent&) { m_help.ShowContents(this); }

void CMainFrame::OnHelpHowToUse(wxCommandEvent&) {
  m_help.ShowKeyword(this, kHowToUseKeyword);
}

void CMainFrame::ShowHelpPage(wxWindow* from, const std::string& page) {
  auto* dialog = from ? wxDynamicCast(wxGetTopLevelParent(from), wxDialog) : nullptr;
  m_help.ShowPage(this, page, dialog != nullptr && dialog->IsModal());
}

void CMainFrame::OnLiveUpdate(wxCommandEvent&) {
  // The update component answers non-zero when it wants the program to end.
  if (CallLiveUpdate(m_options.programFolder) != 0) Close();
}

void CMainFrame::OnVisitWeb(wxCommandEvent&) { OpenWithShell(this, wxString(std::string(kMakerWebSite))); }

void CMainFrame::OnAbout(wxCommandEvent&) {
  CAboutDlg dialog(this);
  dialog.ShowModal();
}

void CMainFrame::OnNewSearch(wxCommandEvent&) {
  m_strLastQuery.clear();
  SearchSelectedCategory();
}

void CMainFrame::OnCategoryProperties(wxCommandEvent&) {
  const int row = m_pCategoryList->SelectedRow();
  if (row >= 0) EditCategoryProperties(row);
}

void CMainFrame::EditCategoryProperties(int row) {
  if (row < 0 || row >= static_cast<int>(m_categories.size())) return;
  Category& category = m_categories[static_cast<std::size_t>(row)];
  const wxBitmap bitmap = CategoryBitmap(category.imageIndex);
  CCategoryPropertiesDlg dialog(this, m_engines);
  dialog.SetCategoryName(category.name);
  dialog.SetCategoryBitmap(&bitmap);
  dialog.SetEngineNames(&category.engineNames);
  if (dialog.ShowModal() != wxID_OK) return;
  bool saved = false;
  {
    wxBusyCursor wait;
    saved = SaveCategories(m_options.programFolder, m_categories);
  }
  if (!saved) {
    const std::string message = SaveFailedMessage(m_options.programFolder / kCategoriesFileName);
    SystemPrompts().ShowMessage(this, wxString::FromUTF8(message), kMessageCaption, wxOK | wxICON_WARNING);
  }
}

void CMainFrame::OnPreviousSearch(wxCommandEvent&) { OnSearchAgain(); }

void CMainFrame::OnDeleteSearchButton(wxCommandEvent&) { OnDeleteSearch(); }

void CMainFrame::OnPreviousSelChange(wxCommandEvent&) { OnPreviousSearchSelected(); }

// A click acts on the row the pointer selected on its way (or none).
void CMainFrame::OnCategoryClick(wxMouseEvent& event) {
  event.Skip();
  CallAfter([this] { SearchSelectedCategory(); });
}

void CMainFrame::OnCategoryContextMenu(wxContextMenuEvent&) { ShowCategoryMenu(); }

void CMainFrame::OnDropFiles(wxDropFilesEvent& event) {
  if (event.GetNumberOfFiles() > 0 && m_document) m_document->OnOpenDocument(event.GetFiles()[0]);
}

void CMainFrame::OnClose(wxCloseEvent& event) {
  // A search still running is given up; its workers can reach nothing of the
  // window once it is gone.
  EndSearchUnderWay();
  SaveSettings();
  event.Skip();
}

}  // namespace sorvane
