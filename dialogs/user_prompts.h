#pragma once

#include <wx/colour.h>
#include <wx/string.h>

#include <optional>

class wxWindow;

namespace sorvane {

// The modal questions the dialogs put to the user: message boxes and the
// system's folder and colour choosers. They go through this interface so that a
// test can answer them instead of a person. UI thread only.
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // As wxMessageBox: `style` takes its flags, the answer is wxYES, wxNO,
  // wxCANCEL or wxOK.
  virtual int ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption, long style) = 0;
  // The full path of the folder chosen, or nothing when the user cancelled.
  virtual std::optional<wxString> ChooseFolder(wxWindow* owner, const wxString& title) = 0;
  // The colour chosen, or nothing when the user cancelled. The chooser opens
  // at `current`, the colour the user is about to change.
  virtual std::optional<wxColour> ChooseColour(wxWindow* owner, const wxColour& current) = 0;
};

// The real boxes and choosers. It holds no state.
UserPrompts& SystemPrompts();

// The caption of the program's own message boxes.
inline constexpr const char* kMessageCaption = "Sorvane";

}  // namespace sorvane
