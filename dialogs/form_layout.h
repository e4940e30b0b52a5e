#pragma once

#include <vector>

#include "res/window_templates.h"

class wxFlexGridSizer;
class wxSizer;
class wxWindow;

namespace sorvane {

// Laying out a dialog whose template is a column of labelled fields. The
// templates place each label and field by hand, measured in another font: in
// this desktop's font the labels come out wider and the fields start at ragged
// edges. A form lays them out again by their sizes here. UI thread only.

// One row of a form: a label and the control it names.
struct FormRow {
  wxWindow* label;
  wxWindow* field;
};

// The rows of a built template (BuildTemplateControls) read as a form: every
// one-line label followed by the control it names, the order in which a
// template lists them and in which the keyboard visits them.
std::vector<FormRow> LabelledFields(const res::WindowTemplate& window, const std::vector<wxWindow*>& built);

// The buttons of a built template, in its order.
std::vector<wxWindow*> TemplateButtons(const res::WindowTemplate& window, const std::vector<wxWindow*>& built);

// Two columns: the labels in one as wide as the widest label, every field
// from the same left edge across the column left for it, each label centred on
// its field's height. The fields column takes any width the window gains.
wxFlexGridSizer* MakeFormGrid(wxWindow& parent, const std::vector<FormRow>& rows);

// Buttons at their natural size side by side, the row centred.
wxSizer* MakeButtonRow(wxWindow& parent, const std::vector<wxWindow*>& buttons);

// Gives `window` the sizer `body` inside the dialog margin and sizes its client
// area to fit it, no smaller than the template's size, which stays the least
// size the user can make it.
void FitToForm(wxWindow& window, wxSizer* body, const res::WindowTemplate& shape);

}  // namespace sorvane
