#include "shell/about_dialog.h"

#include "dialogs/dib_static.h"
#include "res/dialog_builder.h"
#include "res/image_resources.h"
#include "res/resource_ids.h"
#include "shell/maker_info.h"
#include "shell/open_with_shell.h"

namespace sorvane {

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, ids::IDD_ABOUTBOX, "About Sorvane") {
  const res::DialogTemplate dialog = res::AboutTemplate();
  res::BuildControls(*this, dialog);
  // The template's builder only keeps the picture's place; the picture control
  // takes that place and shows bitmap 231 there.
  if (wxWindow* place = FindWindow(ids::IDC_ABOUT_PICTURE)) {
    auto* picture = new CDibStatic(this, place->GetId(), place->GetPosition(), place->GetSize(), wxBORDER_SUNKEN);
    place->Destroy();
    picture->SetPicture(ids::IDB_ABOUT_PICTURE);
    picture->SetCursor(res::LoadHandCursor());
    m_picture = picture;
  }
  BindEvents();
  CentreOnParent();
}

void CAboutDlg::BindEvents() {
  if (m_picture) m_picture->Bind(wxEVT_LEFT_DOWN, &CAboutDlg::OnPictureClick, this);
}

void CAboutDlg::OnPictureClick(wxMouseEvent&) { OpenWithShell(this, wxString(std::string(kMakerWebSite))); }

}  // namespace sorvane
