#pragma once

#include <map>
#include <vector>

#include "res/window_templates.h"

class wxWindow;

namespace sorvane {

// Makes the controls of a search window's template as children of `parent`,
// placed and sized in dialog units of the parent's font, and sets the parent's
// client size. Returns the controls that have an id, by program id.
std::map<int, wxWindow*> BuildWindowControls(wxWindow& parent, const res::WindowTemplate& window);

// The same controls, every one of them (labels too) in the template's order,
// one for each entry of `window.controls`, for layouts that pair a label with
// the control it names.
std::vector<wxWindow*> BuildTemplateControls(wxWindow& parent, const res::WindowTemplate& window);
// The controls of BuildTemplateControls that have an id, by program id.
std::map<int, wxWindow*> ControlsById(const res::WindowTemplate& window, const std::vector<wxWindow*>& built);

}  // namespace sorvane
