#include "shell/about_dialog.h"

#include "dialogs/control_lookup.h"
#include "dialogs/dib_static.h"
#include "dialogs/window_builder.h"
#include "res/image_resources.h"
#include "res/resource_ids.h"
#include "shell/maker_info.h"
#include "shell/open_with_shell.h"

namespace sorvane {

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, ids::IDD_ABOUTBOX, "About Sorvane") {
  const auto controls = BuildWindowControls(*this, res::AboutTemplate());
  m_picture = FindControl<CDibStatic>(controls, ids::IDC_ABOUT_PICTURE);
  if (m_picture) {
    m_picture->SetPicture(ids::IDB_ABOUT_PICTURE);
    m_picture->SetCursor(res::LoadHandCursor());
    FitPictureFrame();
  }
  BindEvents();
  CentreOnParent();
}

// The frame is as large as its picture, centred where the template centres
// it: the template's frame matched the picture only in the font it was
// measured in. Nothing lies under it, so the dialog loses the height freed.
void CAboutDlg::FitPictureFrame() {
  const wxRect before = m_picture->GetRect();
  m_picture->FitToPicture();
  const wxSize after = m_picture->GetSize();
  m_picture->Move(before.x + (before.width - after.x) / 2, before.y);
  const wxSize client = GetClientSize();
  SetClientSize(client.x, client.y - (before.height - after.y));
}

void CAboutDlg::BindEvents() {
  if (m_picture) m_picture->Bind(wxEVT_LEFT_DOWN, &CAboutDlg::OnPictureClick, this);
}

void CAboutDlg::OnPictureClick(wxMouseEvent&) { OpenWithShell(this, wxString(std::string(kMakerWebSite))); }

}  // namespace sorvane
