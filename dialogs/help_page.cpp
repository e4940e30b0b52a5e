#include "dialogs/help_page.h"

#include <wx/app.h>
#include <wx/event.h>
#include <wx/window.h>

namespace sorvane {

void SetHelpPage(wxWindow& window, const char* page) {
  // The key is caught on its way to the dialog's controls, whichever has the
  // focus; every other key goes on to them (and to other hooks) unchanged.
  window.Bind(wxEVT_CHAR_HOOK, [&window, name = std::string(page)](wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_F1 || event.HasAnyModifiers()) {
      event.Skip();
      return;
    }
    for (wxWindow* parent = window.GetParent(); parent != nullptr; parent = parent->GetParent()) {
      if (auto* host = dynamic_cast<HelpPageHost*>(parent)) {
        host->ShowHelpPage(&window, name);
        return;
      }
    }
    // A dialog without a parent (the Preferences sheet) asks the main window.
    if (wxTheApp != nullptr) {
      if (auto* host = dynamic_cast<HelpPageHost*>(wxTheApp->GetTopWindow())) host->ShowHelpPage(&window, name);
    }
  });
}

}  // namespace sorvane
