#pragma once

#include <wx/string.h>

#include <functional>

class wxWindow;

namespace sorvane {

// Opens an address with the system (a web address in the default browser, a
// file with its own program) under the wait cursor; a failure the message table
// knows is shown in a box owned by `owner`, captioned "sorvane". Returns the
// result code (above 32: success).
// The launch alone, under the wait cursor, with no message: its result code.
int LaunchWithShell(const wxString& address);

int OpenWithShell(wxWindow* owner, const wxString& address,
                  const std::function<int(const wxString&)>& launch = LaunchWithShell);

}  // namespace sorvane
