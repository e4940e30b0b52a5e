#pragma once

#include <wx/dialog.h>

#include <optional>
#include <string>

#include "core/learn_engine.h"
#include "core/settings_store.h"
#include "dialogs/worker_task.h"

class wxButton;
class wxCommandEvent;
class wxGauge;
class wxStaticText;
class wxTextCtrl;

namespace sorvane {

// Import: an engine learned from what a person has at hand, a search address
// in which the words they searched for appear (copied from the browser), or
// an OpenSearch description's file or address. "&Import" fetches the page and
// learns the record on a thread of its own, with progress; the dialog ends
// with wxID_OK once a record is learned, and says why when none is. Nothing
// is saved here. UI thread only.
class CImportEngineDlg final : public wxDialog {
 public:
  explicit CImportEngineDlg(wxWindow* parent);

  void SetConnection(const ConnectionSettings& connection) { m_connection = connection; }

  // After wxID_OK: the record learned and the words it was learned with.
  const SearchEngine& Learned() const { return m_learned; }
  std::string Words() const;

  wxTextCtrl& SourceEdit() { return *m_source; }
  wxTextCtrl& WordsEdit() { return *m_words; }
  wxButton& ImportButton() { return *m_import; }
  wxStaticText& StatusLine() { return *m_status; }
  bool Working() const { return m_task.Running(); }

 private:
  void BindEvents();
  void OnBrowse(wxCommandEvent& event);
  void OnImport(wxCommandEvent& event);
  void OnCancel(wxCommandEvent& event);

  ConnectionSettings m_connection;
  SearchEngine m_learned;
  wxTextCtrl* m_source = nullptr;
  wxTextCtrl* m_words = nullptr;
  wxButton* m_browse = nullptr;
  wxButton* m_import = nullptr;
  wxGauge* m_gauge = nullptr;
  wxStaticText* m_status = nullptr;
  WorkerTask m_task;  // last member: stopped first when the dialog goes
};

}  // namespace sorvane
