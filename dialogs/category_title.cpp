#include "dialogs/category_title.h"

#include <wx/stattext.h>

namespace sorvane {

wxFont ShowAsCategoryTitle(wxStaticText& nameControl) {
  wxFont title = nameControl.GetFont();
  title.SetPixelSize(wxSize(0, 24));
  title.SetWeight(wxFONTWEIGHT_BOLD);
  nameControl.SetFont(title);
  nameControl.SetForegroundColour(wxColour(255, 0, 0));
  nameControl.Refresh();
  return title;
}

}  // namespace sorvane
