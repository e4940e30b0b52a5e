#pragma once

#include "res/dialog_templates.h"

class wxWindow;

namespace sorvane::res {

// Creates the template's controls as children of `parent`, placed and sized in
// dialog units of the parent's font, with ids through ToWxId. Sets the parent's
// client size to the template's size.
void BuildControls(wxWindow& parent, const DialogTemplate& dialog);

}  // namespace sorvane::res
