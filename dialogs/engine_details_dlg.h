#pragma once

#include <wx/dialog.h>

#include <vector>

#include "core/search_engine.h"
#include "res/window_templates.h"
class wxChoice;
class wxTextCtrl;

namespace sorvane {

class UserPrompts;

// The fields of one engine: the caller sets the eight values, runs the dialog
// and reads them back after wxID_OK. The search type is the index chosen in the
// unsorted "Search Type" list, -1 when none is chosen. Nothing is refused, but a
// record that the next start would drop (an empty name, start token, end token
// or prefix) is accepted only once the user has said to keep it.
// UI thread only.
class CEngineDetailsDlg final : public wxDialog {
 public:
  explicit CEngineDetailsDlg(wxWindow* parent);

  // Where the warning about a dropped record is asked; the system's by default.
  void SetPrompts(UserPrompts& prompts) { m_prompts = &prompts; }

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

  bool TransferDataToWindow() override;
  // Reads the controls; false (the dialog stays open) when the user would rather
  // fix a record that the next start would drop.
  bool TransferDataFromWindow() override;

 private:
  void LayOut(const res::WindowTemplate& shape, const std::vector<wxWindow*>& built);
  SearchEngine ReadControls() const;

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
};

// A record with every text empty and no search type chosen, as "A&dd" offers it.
SearchEngine BlankEngineValues();

}  // namespace sorvane
