// The Previous Searches bar: the list of saved searches and its two buttons.
// The decisions are the core's (results/previous_searches.h); this file shows
// their messages and carries them out on the window.
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "results/earlier_search.h"
#include "results/previous_searches.h"
#include "results/results_list_ctrl.h"
#include "results/results_page.h"
#include "results/saved_search.h"
#include "shell/category_pane.h"
#include "shell/main_frame.h"
#include "shell/maker_info.h"

namespace sorvane {

namespace {

PreviousSearchList ListOfChoice(const wxChoice& choice) {
  PreviousSearchList list;
  for (unsigned int i = 0; i < choice.GetCount(); ++i) list.titles.push_back(choice.GetString(i).utf8_string());
  list.selection = choice.GetSelection();
  return list;
}

void Inform(wxWindow* owner, const std::string& message) {
  wxMessageBox(wxString::FromUTF8(message), kProductTitle, wxOK | wxICON_INFORMATION, owner);
}

}  // namespace

void CMainFrame::FillPreviousSearches(const std::string& shown) {
  m_cbPrevious->Clear();
  int selection = 0;
  for (const std::string& title : ListSavedSearches(m_options.programFolder)) {
    if (!shown.empty() && title == shown) selection = static_cast<int>(m_cbPrevious->GetCount());
    m_cbPrevious->Append(wxString::FromUTF8(title));
  }
  if (m_cbPrevious->GetCount() > 0) m_cbPrevious->SetSelection(selection);
}

void CMainFrame::OnPreviousSearchSelected() {
  wxBusyCursor wait;
  const SelectDecision decision = DecidePreviousSearchSelected(ListOfChoice(*m_cbPrevious));
  if (decision.outcome != SelectOutcome::Load) return;
  // A search still running would go on filling the table and, at its end, save
  // its rows mixed with the chosen ones under the chosen words, over that
  // saved search. It is given up instead.
  if (m_searching) EndSearchUnderWay();
  m_strLastQuery = decision.words;
  // When it was saved and how many rows it has, from the file being loaded.
  const std::optional<EarlierSearch> saved = ReadEarlierSearch(m_options.programFolder, decision.words);
  m_resultsTable->DeleteAll();
  if (const std::optional<int> row = LoadSavedSearch(m_options.programFolder, decision.words, *m_resultsTable)) {
    // Only the saved row is put into the selected state; the pane keeps one.
    if (*row >= 0 && *row < m_pCategoryList->GetItemCount())
      m_pCategoryList->SetItemState(*row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    Refresh();
  }
  m_pView->ResultsList()->SetWords(m_strLastQuery);
  m_pView->ResultsList()->SyncWithTable();
  m_pView->ResetResultsView();
  if (saved) ShowStatus(SavedSearchStatusText(*saved));
  if (WriteResultsPage(m_options.programFolder, *m_resultsTable, m_bannerIndex))
    NavigateTo(wxString::FromUTF8(ResultsPagePath(m_options.programFolder).string()));
}

void CMainFrame::OnSearchAgain() {
  const int selected = SelectedCategoryRow();
  const SearchAgainDecision decision = DecideSearchAgain(
      ListOfChoice(*m_cbPrevious), selected >= 0 ? std::optional<int>(selected) : std::nullopt);
  switch (decision.outcome) {
    case SearchAgainOutcome::ShowEmptyListMessage:
    case SearchAgainOutcome::ShowChooseCategoryMessage:
      Inform(this, decision.message);
      return;
    case SearchAgainOutcome::StartPcSearch:
      m_strLastQuery = decision.words;
      StartPcSearch();
      return;
    case SearchAgainOutcome::StartWebSearch:
      StartSearch(decision.categoryRow, decision.words);
      return;
  }
}

void CMainFrame::OnDeleteSearch() {
  const DeleteDecision decision = DecideDeleteSearch(ListOfChoice(*m_cbPrevious));
  switch (decision.outcome) {
    case DeleteOutcome::ShowEmptyListMessage:
      Inform(this, decision.message);
      return;
    case DeleteOutcome::Nothing:
      return;
    case DeleteOutcome::AskToConfirm:
      break;
  }
  const int answer = wxMessageBox(wxString::FromUTF8(decision.message), kProductTitle,
                                  wxYES_NO | wxCANCEL | wxICON_QUESTION, this);
  if (answer != wxYES) return;
  wxBusyCursor wait;
  DeleteSavedSearch(m_options.programFolder, decision.words);
  FillPreviousSearches();
}

}  // namespace sorvane
