#pragma once

#include <wx/string.h>

#include <functional>

class wxWindow;

namespace sorvane {

// The program's own message boxes carry this caption.
inline constexpr const char* kMessageBoxCaption = "Sorvane";

// How a window shows a message box and learns the answer (wxYES, wxNO, wxCANCEL,
// wxOK, as wxMessageBox answers). Windows that ask the user something take one,
// so a test can answer in the user's place; by default it is the toolkit's box.
using MessageBoxFn = std::function<int(const wxString& message, const wxString& caption, long style, wxWindow* parent)>;

MessageBoxFn ToolkitMessageBox();

}  // namespace sorvane
