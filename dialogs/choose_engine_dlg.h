#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

#include "core/engine_list.h"

class wxCommandEvent;
class wxInitDialogEvent;
class wxListBox;

namespace sorvane {

// Picks one engine by name for a category: the names of `engines`, sorted
// without regard to case. After the run the chosen name is empty unless an entry
// was chosen with OK or a double-click; OK with nothing selected keeps the
// dialog open. UI thread only.
class CChooseEngineDlg final : public wxDialog {
 public:
  CChooseEngineDlg(wxWindow* parent, const EngineList& engines);

  const std::string& ChosenName() const { return m_strChosenName; }
  wxListBox& EngineListBox() { return *m_list; }

 private:
  void BindEvents();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnChoose(wxCommandEvent& event);

  const EngineList& m_engines;
  std::string m_strChosenName;
  wxListBox* m_list = nullptr;
  std::vector<std::string> m_names;  // in the list's order
};

}  // namespace sorvane
