#include "dialogs/message_box.h"

#include <wx/msgdlg.h>

namespace sorvane {

MessageBoxFn ToolkitMessageBox() {
  return [](const wxString& message, const wxString& caption, long style, wxWindow* parent) {
    return wxMessageBox(message, caption, style, parent);
  };
}

}  // namespace sorvane
