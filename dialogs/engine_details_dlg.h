#pragma once

#include <wx/dialog.h>

#include <memory>
#include <vector>

#include "core/internet_session.h"
#include "core/results_table.h"
#include "core/search_engine.h"
#include "core/settings_store.h"
#include "dialogs/worker_task.h"
#include "res/window_templates.h"
class wxButton;
class wxChoice;
class wxCommandEvent;
class wxGauge;
class wxListCtrl;
class wxStaticText;
class wxTextCtrl;

namespace sorvane {

class UserPrompts;

// The fields of one engine: the caller sets the eight values, runs the dialog
// and reads them back after wxID_OK. The search type is the index chosen in the
// unsorted "Search Type" list, -1 when none is chosen. Nothing is refused, but a
// record that the next start would drop (an empty name, start token, end token
// or prefix) is accepted only once the user has said to keep it.
//
// Below the fields, a words field with "&Test" and "&Find Markers": Test runs
// the record as the dialog holds it (not as saved) as a search runs it and
// shows the outcome and the hits it took; Find Markers fetches the first page
// the address fields ask for, puts the proposed tokens (and url, when the
// links need another) into the fields and tests the record. Both work on a
// thread of their own, show their progress and stop with "S&top" or when the
// dialog closes. UI thread only.
class CEngineDetailsDlg final : public wxDialog {
 public:
  explicit CEngineDetailsDlg(wxWindow* parent);

  // Where the warning about a dropped record is asked; the system's by default.
  void SetPrompts(UserPrompts& prompts) { m_prompts = &prompts; }

  // The connection the trials use: the window program's settings.
  void SetConnection(const ConnectionSettings& connection) { m_connection = connection; }
  // The words Test and Find Markers search for.
  void SetWords(const std::string& words);

  // `valid` is not shown; it is given back as it was set.
  void SetValues(const SearchEngine& values) { m_values = values; }
  const SearchEngine& Values() const { return m_values; }

  wxTextCtrl& NameEdit() { return *m_name; }
  wxTextCtrl& StartTokenEdit() { return *m_startToken; }
  wxTextCtrl& EndTokenEdit() { return *m_endToken; }
  wxTextCtrl& UrlEdit() { return *m_url; }
  wxChoice& SearchTypeList() { return *m_searchType; }
  wxTextCtrl& NextPageEdit() { return *m_nextPage; }
  wxTextCtrl& PrefixEdit() { return *m_prefix; }
  wxTextCtrl& SuffixEdit() { return *m_suffix; }
  wxTextCtrl& WordsEdit() { return *m_words; }
  wxButton& TestButton() { return *m_test; }
  wxButton& FindMarkersButton() { return *m_findMarkers; }
  wxButton& StopButton() { return *m_stop; }
  wxStaticText& OutcomeLine() { return *m_outcome; }
  wxListCtrl& HitsList() { return *m_hits; }
  bool TrialRunning() const { return m_task.Running(); }

  bool TransferDataToWindow() override;
  // Reads the controls; false (the dialog stays open) when the user would rather
  // fix a record that the next start would drop.
  bool TransferDataFromWindow() override;

 private:
  void LayOut(const res::WindowTemplate& shape, const std::vector<wxWindow*>& built);
  wxSizer* MakeTrialArea();
  void BindEvents();
  SearchEngine ReadControls() const;

  void OnTest(wxCommandEvent& event);
  void OnFindMarkers(wxCommandEvent& event);
  void OnStop(wxCommandEvent& event);
  void OnCancel(wxCommandEvent& event);
  // The record and words a trial runs with, or nothing (the reason shown).
  bool ReadyForTrial(SearchEngine& record, std::string& words);
  std::shared_ptr<const InternetSession> Session();
  void SetBusy(bool busy);
  void ShowTrial(const std::string& outcome, const std::vector<SearchHit>& hits);

  UserPrompts* m_prompts;
  SearchEngine m_values;
  wxTextCtrl* m_name = nullptr;
  wxTextCtrl* m_startToken = nullptr;
  wxTextCtrl* m_endToken = nullptr;
  wxTextCtrl* m_url = nullptr;
  wxChoice* m_searchType = nullptr;
  wxTextCtrl* m_nextPage = nullptr;
  wxTextCtrl* m_prefix = nullptr;
  wxTextCtrl* m_suffix = nullptr;
  wxTextCtrl* m_words = nullptr;
  wxButton* m_test = nullptr;
  wxButton* m_findMarkers = nullptr;
  wxButton* m_stop = nullptr;
  wxGauge* m_gauge = nullptr;
  wxStaticText* m_outcome = nullptr;
  wxListCtrl* m_hits = nullptr;
  ConnectionSettings m_connection;
  std::shared_ptr<const InternetSession> m_session;
  WorkerTask m_task;  // last member: stopped first when the dialog goes
};

// A record with every text empty and no search type chosen, as "A&dd" offers it.
SearchEngine BlankEngineValues();

}  // namespace sorvane
