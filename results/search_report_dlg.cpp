#include "dialogs/wx_text.h"
#include "results/search_report_dlg.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "results/column_fit.h"

namespace sorvane {

namespace {

constexpr const char* kNoSearchYet = "No web search has ended yet since Sorvane started.";

}  // namespace

std::vector<std::string> SearchReportCells(const NamedOutcome& named) {
  const EngineOutcome& outcome = named.outcome;
  return {named.engine,
          OutcomeResultText(outcome),
          outcome.status > 0 ? std::to_string(outcome.status) : std::string(),
          std::to_string(outcome.bytes),
          std::to_string(outcome.pages),
          std::to_string(outcome.hits),
          std::to_string(outcome.milliseconds) + " ms",
          outcome.address,
          outcome.detail};
}

CSearchReportDlg::CSearchReportDlg(wxWindow* owner)
    : wxDialog(owner, wxID_ANY, "Search Report", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
  m_heading = new wxStaticText(this, wxID_ANY, kNoSearchYet);
  m_outcomeList = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxBORDER_SUNKEN);
  for (const char* title :
       {"Search Engine", "Result", "HTTP Status", "Bytes", "Pages", "Hits", "Time", "Address", "Detail"}) {
    AddColumnSizedToTitle(*m_outcomeList, title);
  }
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_CLOSE, "&Close"));
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(m_heading, wxSizerFlags().Border(wxALL, 8));
  layout->Add(m_outcomeList, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT, 8));
  layout->Add(buttons, wxSizerFlags().Expand().Border(wxALL, 8));
  SetSizer(layout);
  SetSize(ConvertDialogToPixels(wxSize(420, 180)));
  SetEscapeId(wxID_CLOSE);
  BindEvents();
}

void CSearchReportDlg::BindEvents() {
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Hide(); }, wxID_CLOSE);
  // The window goes only with its owner; closing it hides it.
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    if (event.CanVeto()) {
      event.Veto();
      Hide();
    } else {
      event.Skip();
    }
  });
}

void CSearchReportDlg::ShowOutcomes(const std::string& words, const std::vector<NamedOutcome>& outcomes) {
  m_heading->SetLabel(ToWx("How each engine answered the last search, \"" + words + "\":"));
  m_outcomeList->DeleteAllItems();
  for (const NamedOutcome& named : outcomes) {
    const std::vector<std::string> cells = SearchReportCells(named);
    const long row = m_outcomeList->InsertItem(m_outcomeList->GetItemCount(), ToWx(cells[0]));
    for (std::size_t column = 1; column < cells.size(); ++column) {
      m_outcomeList->SetItem(row, static_cast<long>(column), ToWx(cells[column]));
    }
    FitColumnsToRow(*m_outcomeList, row);
  }
  Layout();
}

wxString CSearchReportDlg::Heading() const { return m_heading->GetLabel(); }

}  // namespace sorvane
