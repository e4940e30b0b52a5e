#pragma once

#include <wx/dialog.h>

namespace sorvane {

class CDibStatic;

// "About Sorvane": the icon, the version, the maker's notice and a picture that
// opens the maker's web site when clicked (the hand cursor shows over it).
class CAboutDlg final : public wxDialog {
 public:
  explicit CAboutDlg(wxWindow* parent);

  CDibStatic* Picture() const { return m_picture; }

 private:
  void BindEvents();
  void FitPictureFrame();
  void OnPictureClick(wxMouseEvent& event);

  CDibStatic* m_picture = nullptr;
};

}  // namespace sorvane
