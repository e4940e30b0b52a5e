#pragma once

#include <wx/font.h>

class wxStaticText;

namespace sorvane {

// The category name at the top of the Search and Category Properties dialogs:
// its control's font at 24 pixels and bold, in pure red. Returns the font,
// which the dialog keeps for as long as the control shows it. UI thread only.
wxFont ShowAsCategoryTitle(wxStaticText& nameControl);

}  // namespace sorvane
