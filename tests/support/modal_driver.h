#pragma once

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/toplevel.h>

#include <functional>
#include <vector>

#include "support/control_events.h"

namespace sorvane::testing {

inline void ClickId(wxWindow& dialog, int id) {
  auto* button = dynamic_cast<wxButton*>(dialog.FindWindow(id));
  ASSERT_NE(button, nullptr) << "no button " << id;
  Click(*button);
}

// Selects the entry showing `text` and double-clicks it as the user would.
inline void DoubleClick(wxListBox& list, const wxString& text) {
  const int position = list.FindString(text, true);
  ASSERT_NE(position, wxNOT_FOUND) << text;
  list.SetSelection(position);
  wxCommandEvent click(wxEVT_LISTBOX_DCLICK, list.GetId());
  click.SetEventObject(&list);
  click.SetInt(position);
  list.GetEventHandler()->ProcessEvent(click);
}

inline std::vector<wxString> Entries(const wxListBox& list) {
  std::vector<wxString> entries;
  for (unsigned int i = 0; i < list.GetCount(); ++i) entries.push_back(list.GetString(i));
  return entries;
}

// The modal dialog of type Dialog now open, or null.
template <class Dialog>
Dialog* OpenModal() {
  for (wxWindow* window : wxTopLevelWindows) {
    auto* dialog = dynamic_cast<Dialog*>(window);
    if (dialog && dialog->IsModal()) return dialog;
  }
  return nullptr;
}

// Does `act` on the Dialog that the next step opens modally, once it is up, as
// the user would; a dialog that never opens is a failure. `act` must end it.
template <class Dialog>
void WhenModal(std::function<void(Dialog&)> act, int tries = 100) {
  wxTheApp->CallAfter([act, tries] {
    if (Dialog* dialog = OpenModal<Dialog>()) {
      act(*dialog);
    } else if (tries > 0) {
      WhenModal<Dialog>(act, tries - 1);
    } else {
      ADD_FAILURE() << "the expected dialog did not open";
    }
  });
}

// Set up before a step that must open no dialog: if one opens anyway it is
// cancelled and the test fails, instead of waiting for a user forever. Pump
// events after the step so that the check runs in either case.
inline void FailIfAnyModalOpens() {
  wxTheApp->CallAfter([] {
    if (wxDialog* dialog = OpenModal<wxDialog>()) {
      ADD_FAILURE() << "a dialog opened: " << dialog->GetTitle();
      dialog->EndModal(wxID_CANCEL);
    }
  });
}

// The style of the program's delete questions.
inline constexpr long kDeleteQuestionStyle = wxYES_NO | wxCANCEL | wxICON_QUESTION;

}  // namespace sorvane::testing
