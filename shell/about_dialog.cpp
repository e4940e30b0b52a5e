#include "shell/about_dialog.h"

#include "res/dialog_builder.h"
#include "res/image_resources.h"
#include "res/resource_ids.h"
#include "shell/maker_info.h"
#include "shell/open_with_shell.h"

namespace sorvane {

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, ids::IDD_ABOUTBOX, "About Sorvane") {
  const res::DialogTemplate dialog = res::AboutTemplate();
  res::BuildControls(*this, dialog);
  // The picture itself (bitmap 231) is drawn by the resource picture control once
  // it exists; the place is kept, and it already links to the maker's site.
  m_picture = FindWindow(ids::IDC_ABOUT_PICTURE);
  if (m_picture) m_picture->SetCursor(res::LoadHandCursor());
  BindEvents();
  CentreOnParent();
}

void CAboutDlg::BindEvents() {
  if (m_picture) m_picture->Bind(wxEVT_LEFT_DOWN, &CAboutDlg::OnPictureClick, this);
}

void CAboutDlg::OnPictureClick(wxMouseEvent&) { OpenWithShell(this, wxString(std::string(kMakerWebSite))); }

}  // namespace sorvane
