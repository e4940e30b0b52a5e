#pragma once

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>

namespace sorvane::testing {

// What a person's click on a control sends, without the pointer: the control's
// own event, handled as the toolkit would hand it on. UI thread only.

inline void Click(wxButton& button) {
  wxCommandEvent click(wxEVT_BUTTON, button.GetId());
  click.SetEventObject(&button);
  button.GetEventHandler()->ProcessEvent(click);
}

// Selects an option button and tells its handlers.
inline void Choose(wxRadioButton& option) {
  option.SetValue(true);
  wxCommandEvent click(wxEVT_RADIOBUTTON, option.GetId());
  click.SetEventObject(&option);
  click.SetInt(1);
  option.GetEventHandler()->ProcessEvent(click);
}

// Turns a check box over and tells its handlers.
inline void Toggle(wxCheckBox& check) {
  check.SetValue(!check.GetValue());
  wxCommandEvent click(wxEVT_CHECKBOX, check.GetId());
  click.SetEventObject(&check);
  click.SetInt(check.GetValue() ? 1 : 0);
  check.GetEventHandler()->ProcessEvent(click);
}

}  // namespace sorvane::testing
