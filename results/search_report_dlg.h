#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

#include "core/engine_outcome.h"

class wxListCtrl;
class wxStaticText;

namespace sorvane {

// The "Search Report" window: how each engine of the last web search answered,
// one row per engine in slot order (engine, result, HTTP status, bytes, pages,
// hits, time, address, detail). Empty until the first web search has ended;
// outcomes are not kept with saved searches. Closing only hides it, so the
// View menu brings the same window back.
// UI thread only.
class CSearchReportDlg final : public wxDialog {
 public:
  explicit CSearchReportDlg(wxWindow* owner);

  // The last search's words and its engines' outcomes, replacing what was shown.
  void ShowOutcomes(const std::string& words, const std::vector<NamedOutcome>& outcomes);

  wxListCtrl& OutcomeList() { return *m_outcomeList; }
  wxString Heading() const;

 private:
  void BindEvents();

  wxStaticText* m_heading = nullptr;
  wxListCtrl* m_outcomeList = nullptr;
};

// The texts of one report row, column by column: the engine, the result as the
// status window says it, the HTTP status (empty when none came), bytes, pages,
// hits, milliseconds with " ms", the last address and the detail.
std::vector<std::string> SearchReportCells(const NamedOutcome& named);

}  // namespace sorvane
