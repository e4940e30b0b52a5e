#include "shell/open_with_shell.h"

#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "shell/maker_info.h"
#include "shell/shell_open_messages.h"

namespace sorvane {

int LaunchWithShell(const wxString& address) {
  wxBusyCursor wait;
  const std::string utf8 = address.utf8_string();
  const bool web = IsWebAddress(utf8);
  bool launched = false;
  if (web) {
    launched = wxLaunchDefaultBrowser(address);
  } else if (wxFileName::Exists(address)) {
    launched = wxLaunchDefaultApplication(address);
  }
  return LaunchResultCode(launched, web, wxFileName::Exists(address));
}

int OpenWithShell(wxWindow* owner, const wxString& address, const std::function<int(const wxString&)>& launch) {
  const int result = launch(address);
  const std::string_view message = OpenWithShellMessage(result);
  if (!message.empty()) {
    wxMessageBox(wxString::FromUTF8(message.data(), message.size()), kApplicationName, wxOK, owner);
  }
  return result;
}

}  // namespace sorvane
