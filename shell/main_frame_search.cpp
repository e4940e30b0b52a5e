// The web search in the window: its start from a category row, the reports of
// its workers, and the common end every search, web or PC, comes to.
#include <wx/busyinfo.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include "core/category_engines.h"
#include "dialogs/dib_static.h"
#include "dialogs/search_dlg.h"
#include "res/window_templates.h"
#include "results/results_list_ctrl.h"
#include "results/results_page.h"
#include "results/saved_search.h"
#include "results/search_completion.h"
#include "results/search_status_dlg.h"
#include "results/window_engine_listener.h"
#include "shell/category_pane.h"
#include "shell/main_frame.h"
#include "shell/maker_info.h"
#include "shell/open_with_shell.h"

namespace sorvane {

void CMainFrame::StartSearch(int row, const std::string& initialWords) {
  if (row < 0 || row >= static_cast<int>(m_categories.size())) return;
  const Category& category = m_categories[static_cast<std::size_t>(row)];
  // Without an engine nobody would ever end the search: say so and start nothing.
  if (!CategoryHasEngines(category, m_engines)) {
    wxMessageBox(wxString::FromUTF8(NoEnginesMessage(category.name)), kProductTitle, wxOK | wxICON_INFORMATION,
                 this);
    return;
  }

  CSearchDlg dialog(this);
  dialog.SetCategoryName(category.name);
  const wxBitmap smallBitmap = CategoryBitmap(category.imageIndex);
  dialog.SetCategoryBitmap(smallBitmap.IsOk() ? &smallBitmap : nullptr);
  if (category.largePicture != 0) dialog.Picture().SetPicture(category.largePicture);
  dialog.SetWords(initialWords);
  if (dialog.ShowModal() != wxID_OK) return;

  EndSearchUnderWay();

  StartThrobber();
  if (m_pView->WebView()) m_pView->SelectTab(CSorvaneView::kListViewTab);

  m_pStatusDlg = new CSearchStatusDlg(this, StoredSettings());
  m_pStatusDlg->Show();

  EngineReportHandlers handlers;
  handlers.progress = [this](int slot, int percent) { OnEngineProgress(slot, percent); };
  handlers.done = [this](int slot) { OnEngineDone(slot); };
  handlers.searchDone = [this] { OnSearchDone(); };
  handlers.message = [this](int, std::string_view message) { ShowWorkerMessage(message); };
  m_runListener = std::make_shared<WindowEngineListener>(*this, std::move(handlers));

  // The workers start here; their reports queue behind this call on the UI
  // thread, so every status row exists before its first report is shown.
  SearchRun& run = m_searchRunner.StartSearch(category, dialog.Words(), dialog.SearchType(), m_engines,
                                              m_resultsTable, m_runListener);
  m_searching = true;
  m_strLastQuery = m_searchRunner.LastQuery();
  m_pView->ResultsList()->SetWords(m_strLastQuery);
  m_pView->ResultsList()->SyncWithTable();
  m_pView->ResetResultsView();
  for (const EngineJob& job : run.Jobs()) m_pStatusDlg->AddEngineRow(job.engine->name);
  m_pStatusDlg->AttachRun(run);
}

void CMainFrame::OnEngineProgress(int engineSlot, int percentage) {
  if (m_pStatusDlg) m_pStatusDlg->OnEngineProgress(engineSlot, percentage);
}

// The slot's outcome is the run's from just before this done went out.
void CMainFrame::OnEngineDone(int engineSlot) {
  SearchRun* run = m_searchRunner.CurrentRun();
  if (!m_pStatusDlg || !run) return;
  if (const auto outcome = run->Outcome(engineSlot)) m_pStatusDlg->SetEngineResult(engineSlot, OutcomeResultText(*outcome));
}

// The run itself counts the slots that have ended, each once, whether by
// itself or given up after Stop, and reports the last one here.
void CMainFrame::OnSearchDone() {
  wxBusyCursor wait;
  if (m_runListener) m_runListener->Close();
  if (SearchRun* run = m_searchRunner.CurrentRun()) KeepSearchReport(*run);
  CloseStatusWindow();
  // Said before the end so that a page or search that could not be kept
  // (FinishSearch says so) is what the status bar shows last.
  m_searchSummary = SearchSummaryText(m_resultsTable->RowCount(), m_lastOutcomes);
  ShowStatus(m_searchSummary);
  FinishSearch();
}

void CMainFrame::CloseStatusWindow() {
  if (!m_pStatusDlg) return;
  m_pStatusDlg->SavePlacement();
  m_pStatusDlg->Destroy();
  m_pStatusDlg = nullptr;
}

void CMainFrame::FinishSearch() {
  m_searching = false;
  const CompletionResult completion = CompleteSearch(m_options.programFolder.string(), *m_resultsTable,
                                                     m_strLastQuery, std::max(0, SelectedCategoryRow()),
                                                     m_bannerIndex);
  const wxString page = wxString::FromUTF8(ResultsPagePath(m_options.programFolder).string());
  if (completion.pageWritten) NavigateTo(page);
  // The bar shows the search just saved, so that Delete and Search act on the
  // search on screen.
  FillPreviousSearches(m_strLastQuery);
  // What is new since the last search of the same words.
  m_pView->ResultsList()->SyncWithTable();
  m_pView->MarkNewRows(completion.earlier);
  // One line: what the engines gave, then what is new since the last time.
  if (completion.earlier) {
    ShowStatus(m_searchSummary.empty() ? NewRowsStatusText(completion)
                                       : m_searchSummary + "  " + NewRowsStatusText(completion));
  }
  m_searchSummary.clear();
  // The search itself succeeded; the user still learns that it was not kept.
  if (!completion.searchSaved || !completion.pageWritten) {
    if (wxStatusBar* status = GetStatusBar()) {
      status->SetStatusText(completion.searchSaved ? "The results page could not be written."
                                                   : "The search could not be saved.");
    }
  }
  if (m_settings.showWebView != 0) {
    if (m_pView->WebView()) {
      m_pView->SelectTab(CSorvaneView::kWebViewTab);
    } else if (completion.pageWritten) {
      OpenWithShell(this, page, [this](const wxString& address) { return LaunchAddress(address); });
    }
  }
  StopThrobber();
}

void CMainFrame::SaveSearch() {
  wxBusyCursor wait;
  sorvane::SaveSearch(m_options.programFolder, m_strLastQuery, *m_resultsTable, std::max(0, SelectedCategoryRow()));
}

int CMainFrame::LaunchAddress(const wxString& address) {
  return m_options.launcher ? m_options.launcher(address.utf8_string()) : LaunchWithShell(address);
}

// A worker's "Invalid URL" and the like: a box of the application's own name,
// which holds up only the worker that asked.
void CMainFrame::ShowWorkerMessage(std::string_view message) {
  wxMessageBox(wxString::FromUTF8(message.data(), message.size()), kApplicationName, wxOK, this);
}

SettingsStore& CMainFrame::StoredSettings() {
  return m_options.settings ? *m_options.settings : m_scratchSettings;
}

int CMainFrame::SelectedCategoryRow() const { return m_pCategoryList ? m_pCategoryList->SelectedRow() : -1; }

}  // namespace sorvane
