// The PC search in the window: the Search My PC dialog, the folder scan on a
// worker thread, and the "Searching PC..." window that follows it and stops it.
#include <wx/utils.h>

#include "core/worker_thread.h"

#include "pcsearch/folder_scan.h"
#include "pcsearch/scan_progress_text.h"
#include "pcsearch/search_my_pc_dlg.h"
#include "pcsearch/searching_pc_dlg.h"
#include "results/results_list_ctrl.h"
#include "results/window_engine_listener.h"
#include "shell/main_frame.h"

namespace sorvane {

namespace {

constexpr std::size_t kScanStackSize = std::size_t{8} << 20;

// The scan's reports: the "Scanning" text goes straight to the window's
// throttled holder (the scan may pass thousands of files a second); the end is
// carried onto the UI thread as a search's end is.
class PcScanListener final : public ScanListener {
 public:
  PcScanListener(std::shared_ptr<ScanProgressText> progress, std::shared_ptr<WindowEngineListener> end)
      : m_progress(std::move(progress)), m_end(std::move(end)) {}

  void OnProgress(std::string_view text) override { m_progress->Put(text); }
  void OnScanDone() override { m_end->OnSearchDone(); }

 private:
  std::shared_ptr<ScanProgressText> m_progress;
  std::shared_ptr<WindowEngineListener> m_end;
};

}  // namespace

void CMainFrame::StartPcSearch() {
  CSearchMyPCDlg setup(this, StoredSettings());
  if (setup.ShowModal() != wxID_OK) return;
  const ScanRequest request = setup.MakeScanRequest();
  EndSearchUnderWay();

  auto control = std::make_shared<ScanControl>();
  m_pSearchingPcDlg = new CSearchingPCDlg(this, StoredSettings());
  m_pSearchingPcDlg->SetStopHandlers([control] { control->RequestStop(); },
                                     [this, control] {
                                       // Given up: its own end, should it still come, is dropped.
                                       control->Abandon();
                                       if (m_runListener) m_runListener->Close();
                                       OnPcSearchDone();
                                     });
  m_pSearchingPcDlg->Show();

  m_strLastQuery = request.phrase;
  m_resultsTable->DeleteAll();
  m_pView->ResultsList()->SetWords(m_strLastQuery);
  m_pView->ResultsList()->SyncWithTable();
  m_pView->ResetResultsView();
  if (m_pView->WebView()) m_pView->SelectTab(CSorvaneView::kListViewTab);
  StartThrobber();

  EngineReportHandlers handlers;
  handlers.searchDone = [this, control] {
    // A done already on its way when the scan was given up arrives after the
    // forced end has finished the search.
    if (!control->Abandoned()) OnPcSearchDone();
  };
  m_runListener = std::make_shared<WindowEngineListener>(*this, std::move(handlers));
  m_pcScan = control;
  m_searching = true;
  auto listener = std::make_shared<PcScanListener>(m_pSearchingPcDlg->ProgressText(), m_runListener);
  // The worker holds everything it touches; the frame never waits for it (the
  // program's end does). The walk goes down a tree recursively: a full stack.
  const bool started = StartDetachedThread(
      [request, control, listener, table = m_resultsTable] { ScanFolders(request, *table, *listener, *control); },
      kScanStackSize);
  if (!started) OnPcSearchDone();
}

void CMainFrame::OnPcSearchDone() {
  wxBusyCursor wait;
  if (m_runListener) m_runListener->Close();
  m_pcScan.reset();
  if (m_pSearchingPcDlg) {
    m_pSearchingPcDlg->SavePlacement();
    // Destroy, not delete: the forced end runs inside the window's own timer.
    m_pSearchingPcDlg->Destroy();
    m_pSearchingPcDlg = nullptr;
  }
  FinishSearch();
}

// Web and PC searches fill the one table: a search that starts ends the one
// under way first, whose workers then reach neither the table nor the window.
void CMainFrame::EndSearchUnderWay() {
  if (m_runListener) m_runListener->Close();
  m_runListener.reset();
  if (SearchRun* run = m_searchRunner.CurrentRun()) run->Close();
  if (m_pcScan) m_pcScan->Abandon();
  m_pcScan.reset();
  CloseStatusWindow();
  if (m_pSearchingPcDlg) {
    m_pSearchingPcDlg->SavePlacement();
    m_pSearchingPcDlg->Destroy();
    m_pSearchingPcDlg = nullptr;
  }
  m_searching = false;
}

}  // namespace sorvane
