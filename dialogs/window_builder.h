#pragma once

#include <map>

#include "res/window_templates.h"

class wxWindow;

namespace sorvane {

// Makes the controls of a search window's template as children of `parent`,
// placed and sized in dialog units of the parent's font, and sets the parent's
// client size. Returns the controls that have an id, by program id.
std::map<int, wxWindow*> BuildWindowControls(wxWindow& parent, const res::WindowTemplate& window);

}  // namespace sorvane
