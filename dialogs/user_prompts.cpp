#include "dialogs/user_prompts.h"

#include <wx/colordlg.h>
#include <wx/dirdlg.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

namespace sorvane {

namespace {

class SystemUserPrompts final : public UserPrompts {
 public:
  int ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption, long style) override {
    return wxMessageBox(text, caption, style, owner);
  }

  std::optional<wxString> ChooseFolder(wxWindow* owner, const wxString& title) override {
    // The browse starts at the desktop; only folders of the file system can be
    // chosen, so a chosen entry always has a path.
    const wxString desktop = wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Desktop);
    wxDirDialog chooser(owner, title, desktop, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (chooser.ShowModal() != wxID_OK) return std::nullopt;
    const wxString path = chooser.GetPath();
    if (path.empty()) return std::nullopt;
    return path;
  }

  std::optional<wxColour> ChooseColour(wxWindow* owner, const wxColour& current) override {
    wxColourData data;
    data.SetColour(current);
    wxColourDialog chooser(owner, &data);
    if (chooser.ShowModal() != wxID_OK) return std::nullopt;
    return chooser.GetColourData().GetColour();
  }
};

}  // namespace

UserPrompts& SystemPrompts() {
  static SystemUserPrompts prompts;
  return prompts;
}

}  // namespace sorvane
