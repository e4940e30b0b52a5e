#include "dialogs/form_layout.h"

#include <wx/sizer.h>
#include <wx/window.h>

#include <algorithm>

namespace sorvane {

namespace {

using Kind = res::WindowControl::Kind;

// The gaps of the usual dialog rules, in dialog units: a margin of 7 round the
// window, 4 between a label and its field, 3 between rows, 6 between buttons.
constexpr int kMargin = 7;
constexpr int kLabelGap = 4;
constexpr int kRowGap = 3;
constexpr int kButtonGap = 6;
// The narrowest a field may become when the window leaves it little room.
constexpr int kLeastFieldWidth = 60;

bool IsOneLineLabel(const res::WindowControl& control) {
  return control.kind == Kind::Static && control.height <= 10 && control.text.find('\n') == std::string_view::npos;
}

bool IsField(const res::WindowControl& control) {
  switch (control.kind) {
    case Kind::Edit:
    case Kind::SortedDropList:
    case Kind::DropList:
    case Kind::ListBox:
    case Kind::ReportList:
    case Kind::ResultsList:
    case Kind::SunkenText:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::vector<FormRow> LabelledFields(const res::WindowTemplate& window, const std::vector<wxWindow*>& built) {
  std::vector<FormRow> rows;
  const size_t count = std::min(window.controls.size(), built.size());
  for (size_t i = 0; i + 1 < count; ++i) {
    if (IsOneLineLabel(window.controls[i]) && IsField(window.controls[i + 1]) && built[i] && built[i + 1]) {
      rows.push_back({built[i], built[i + 1]});
      ++i;
    }
  }
  return rows;
}

std::vector<wxWindow*> TemplateButtons(const res::WindowTemplate& window, const std::vector<wxWindow*>& built) {
  std::vector<wxWindow*> buttons;
  const size_t count = std::min(window.controls.size(), built.size());
  for (size_t i = 0; i < count; ++i) {
    const Kind kind = window.controls[i].kind;
    if ((kind == Kind::Button || kind == Kind::DefaultButton) && built[i]) buttons.push_back(built[i]);
  }
  return buttons;
}

wxFlexGridSizer* MakeFormGrid(wxWindow& parent, const std::vector<FormRow>& rows) {
  const wxSize gap = parent.ConvertDialogToPixels(wxSize(kLabelGap, kRowGap));
  auto* grid = new wxFlexGridSizer(2, gap.y, gap.x);
  grid->AddGrowableCol(1);
  const int leastFieldWidth = parent.ConvertDialogToPixels(wxSize(kLeastFieldWidth, 0)).x;
  for (const FormRow& row : rows) {
    // A label's size from its template may be narrower than its text here. A
    // field is as wide as the grid makes it, but never narrower than what it
    // needs to show (a drop-down list its longest entry), its height its own.
    row.label->SetMinSize(row.label->GetBestSize());
    const wxSize natural = row.field->GetBestSize();
    row.field->SetMinSize(wxSize(std::max(leastFieldWidth, natural.x), natural.y));
    grid->Add(row.label, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(row.field, 0, wxEXPAND);
  }
  return grid;
}

wxSizer* MakeButtonRow(wxWindow& parent, const std::vector<wxWindow*>& buttons) {
  const int gap = parent.ConvertDialogToPixels(wxSize(kButtonGap, 0)).x;
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->AddStretchSpacer();
  for (size_t i = 0; i < buttons.size(); ++i) {
    wxWindow* button = buttons[i];
    // The template's size is the least; a longer text in this font gets more.
    const wxSize given = button->GetSize();
    const wxSize natural = button->GetBestSize();
    button->SetMinSize(wxSize(std::max(given.x, natural.x), std::max(given.y, natural.y)));
    row->Add(button, 0, i > 0 ? wxLEFT : 0, gap);
  }
  row->AddStretchSpacer();
  return row;
}

void FitToForm(wxWindow& window, wxSizer* body, const res::WindowTemplate& shape) {
  auto* outer = new wxBoxSizer(wxVERTICAL);
  outer->Add(body, 1, wxEXPAND | wxALL, window.ConvertDialogToPixels(wxSize(kMargin, 0)).x);
  window.SetSizer(outer);
  const wxSize needed = outer->GetMinSize();
  const wxSize templateSize = window.ConvertDialogToPixels(wxSize(shape.width, shape.height));
  // The width the template meant is kept so fields stay roomy; the height is
  // what the rows need, as extra height would only leave a gap under them.
  const wxSize client(std::max(needed.x, templateSize.x), needed.y);
  window.SetClientSize(client);
  window.SetMinClientSize(client);
  window.Layout();
}

}  // namespace sorvane
