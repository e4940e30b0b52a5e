// The results beyond the list itself: finding in them, taking them elsewhere
// as a file, and the status texts that say what a search or a saved search
// holds.
#include <wx/datetime.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>

#include <chrono>

#include "results/results_export.h"
#include "results/results_page.h"
#include "results/table_cells.h"
#include "shell/main_frame.h"
#include "shell/maker_info.h"

namespace sorvane {

namespace {

// The save dialog's file types, in the order of ExportFormat.
constexpr const char* kExportWildcard =
    "CSV files (*.csv)|*.csv|JSON files (*.json)|*.json|Web pages (*.htm;*.html)|*.htm;*.html";
constexpr ExportFormat kExportFormats[] = {ExportFormat::Csv, ExportFormat::Json, ExportFormat::Html};

// A saved file's date and time as this person's locale writes them.
wxString LocalDateTime(std::chrono::system_clock::time_point when) {
  return wxDateTime(static_cast<time_t>(std::chrono::system_clock::to_time_t(when))).Format("%x %X");
}

}  // namespace

void CMainFrame::ShowStatus(const wxString& text) {
  if (wxStatusBar* status = GetStatusBar()) status->SetStatusText(text, 0);
}

wxString CMainFrame::NewRowsStatusText(const CompletionResult& completion) {
  const wxString since = completion.earlier ? LocalDateTime(completion.earlier->savedAt) : wxString();
  return wxString::Format("%d hits, %d new since %s", static_cast<int>(completion.rows.size()),
                          completion.newRowCount, since);
}

wxString CMainFrame::SavedSearchStatusText(const EarlierSearch& saved) {
  return wxString::Format("Saved %s, %d hits", LocalDateTime(saved.savedAt), saved.rowCount);
}

void CMainFrame::OnFindInResults(wxCommandEvent&) { m_pView->ShowFindBar(); }

void CMainFrame::OnExportResults(wxCommandEvent&) {
  wxFileDialog dialog(this, "Export Results", wxEmptyString, "Search Results.csv", kExportWildcard,
                      wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (dialog.ShowModal() != wxID_OK) return;
  const int type = dialog.GetFilterIndex();
  const ExportFormat format = type >= 0 && type < static_cast<int>(std::size(kExportFormats))
                                  ? kExportFormats[type]
                                  : ExportFormat::Csv;
  if (!ExportResultsTo(dialog.GetPath().utf8_string(), format)) {
    wxMessageBox(wxString::Format("The results could not be written to %s.", dialog.GetPath()), kProductTitle,
                 wxOK | wxICON_EXCLAMATION, this);
  }
}

bool CMainFrame::ExportResultsTo(const std::filesystem::path& path, ExportFormat format) {
  wxBusyCursor wait;
  const std::filesystem::path target = WithExportExtension(path, format);
  // The page names the banner beside the program's own results page.
  const std::string banner = (m_options.programFolder / "banner0.jpg").string();
  if (!ExportResults(target, TakeRowCells(*m_resultsTable), format, banner)) return false;
  ShowStatus(wxString::Format("Results exported to %s", wxString::FromUTF8(target.string())));
  return true;
}

}  // namespace sorvane
