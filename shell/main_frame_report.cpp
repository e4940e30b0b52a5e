// The Search Report: how each engine of the last web search answered, kept at
// the search's end and shown on View > "Search &Report".
#include "results/search_report_dlg.h"
#include "shell/main_frame.h"

namespace sorvane {

void CMainFrame::KeepSearchReport(const SearchRun& run) {
  m_lastOutcomes = RunOutcomes(run);
  m_reportWords = m_strLastQuery;
  if (m_pReportDlg) m_pReportDlg->ShowOutcomes(m_reportWords, m_lastOutcomes);
}

void CMainFrame::OnViewSearchReport(wxCommandEvent&) {
  if (!m_pReportDlg) {
    m_pReportDlg = new CSearchReportDlg(this);
    // Before the first web search there is nothing to tell, and the window says so.
    if (!m_reportWords.empty() || !m_lastOutcomes.empty()) m_pReportDlg->ShowOutcomes(m_reportWords, m_lastOutcomes);
  }
  m_pReportDlg->Show();
  m_pReportDlg->Raise();
}

}  // namespace sorvane
