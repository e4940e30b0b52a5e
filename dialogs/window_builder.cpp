#include "dialogs/window_builder.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "dialogs/dib_static.h"
#include "dialogs/wx_text.h"
#include "res/image_resources.h"
#include "res/standard_ids.h"
#include "results/results_list_ctrl.h"

namespace sorvane {

namespace {

// Cancel keeps the toolkit's own id so that Esc ends the dialog as it should.
int ControlId(int programId) {
  if (programId < 0) return wxID_ANY;
  if (programId == 2) return wxID_CANCEL;
  return res::ToWxId(programId);
}

}  // namespace

std::vector<wxWindow*> BuildTemplateControls(wxWindow& parent, const res::WindowTemplate& window) {
  using K = res::WindowControl::Kind;
  std::vector<wxWindow*> made;
  made.reserve(window.controls.size());
  const res::WindowControl* previous = nullptr;
  for (const res::WindowControl& control : window.controls) {
    const wxPoint position = parent.ConvertDialogToPixels(wxPoint(control.x, control.y));
    const wxSize size = parent.ConvertDialogToPixels(wxSize(control.width, control.height));
    const int id = ControlId(control.id);
    wxWindow* built = nullptr;
    switch (control.kind) {
      case K::TitleStatic:
        built = new wxStaticText(&parent, id, ToWx(control.text), position, size,
                                wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE | wxBORDER_SUNKEN);
        break;
      case K::Edit:
        built = new wxTextCtrl(&parent, id, ToWx(control.text), position, size);
        break;
      case K::SortedDropList:
      case K::DropList:
        // The height of a drop-down list is that of its open list; the closed
        // control keeps its natural height. The owner sorts the entries.
        built = new wxChoice(&parent, id, position, wxSize(size.x, -1));
        break;
      case K::DefaultButton:
      case K::Button: {
        auto* button = new wxButton(&parent, id, ToWx(control.text), position, size);
        if (control.kind == K::DefaultButton) button->SetDefault();
        built = button;
        break;
      }
      case K::Bitmap:
        built = new wxStaticBitmap(&parent, id, wxNullBitmap, position, size);
        break;
      case K::Picture:
        built = new CDibStatic(&parent, id, position, size, wxBORDER_SUNKEN);
        break;
      case K::ReportList:
        built = new wxListCtrl(&parent, id, position, size, wxLC_REPORT | wxBORDER_SIMPLE);
        break;
      // Not the toolkit's sorted style: its order differs between platforms, and
      // the owner's order must match the one its entries are saved in.
      case K::ListBox:
        built = new wxListBox(&parent, id, position, size, 0, nullptr, wxLB_SINGLE | wxLB_NEEDED_SB | wxBORDER_SUNKEN);
        break;
      case K::GroupBox:
        built = new wxStaticBox(&parent, id, ToWx(control.text), position, size);
        break;
      case K::CheckBox: {
        // A check box gets at least its natural size: GTK cannot draw its
        // indicator and text in the room the template's font needed. The
        // template's width stays when it is more, for a text changed later.
        auto* check = new wxCheckBox(&parent, id, ToWx(control.text), position, wxDefaultSize);
        const wxSize natural = check->GetBestSize();
        check->SetSize(std::max(natural.x, size.x), natural.y);
        built = check;
        break;
      }
      case K::RadioButton: {
        // A run of option buttons is one group; the first of the run starts it.
        // An option button takes its natural size: GTK draws its indicator
        // and text in more room than the template's font needed.
        const bool startsGroup = !previous || previous->kind != K::RadioButton;
        built = new wxRadioButton(&parent, id, ToWx(control.text), position, wxDefaultSize,
                                 startsGroup ? wxRB_GROUP : 0);
        break;
      }
      case K::SunkenText:
        // GTK centres a label vertically in the space it is given; a long path
        // loses its middle rather than its file name.
        built = new wxStaticText(&parent, id, ToWx(control.text), position, size,
                                wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE | wxBORDER_SUNKEN);
        break;
      case K::Static: {
        // The template's widths were measured in another font: a text meant
        // for one line keeps it and grows to its natural width; a longer
        // text wraps in its box.
        auto* text = new wxStaticText(&parent, id, ToWx(control.text), position, size, wxST_NO_AUTORESIZE);
        const bool oneLine = control.height <= 10 && control.text.find('\n') == std::string_view::npos;
        if (oneLine)
          text->SetSize(std::max(text->GetBestSize().x, size.x), size.y);
        else
          text->Wrap(size.x);
        built = text;
        break;
      }
      case K::ResultsList:
        built = new CResultsListCtrl(&parent, id, position, size);
        break;
      case K::Icon: {
        // The program icon at its 32-pixel size; the stock information icon
        // should the embedded one be missing.
        const wxIcon icon = res::LoadProgramIcons().GetIcon(wxSize(32, 32), wxIconBundle::FALLBACK_NEAREST_LARGER);
        const wxBitmap picture =
            icon.IsOk() ? wxBitmap(icon) : wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_MESSAGE_BOX);
        built = new wxStaticBitmap(&parent, id, picture, position, size);
        break;
      }
    }
    made.push_back(built);
    previous = &control;
  }
  parent.SetClientSize(parent.ConvertDialogToPixels(wxSize(window.width, window.height)));
  return made;
}

std::map<int, wxWindow*> ControlsById(const res::WindowTemplate& window, const std::vector<wxWindow*>& built) {
  std::map<int, wxWindow*> controls;
  for (size_t i = 0; i < built.size() && i < window.controls.size(); ++i)
    if (window.controls[i].id >= 0 && built[i]) controls[window.controls[i].id] = built[i];
  return controls;
}

std::map<int, wxWindow*> BuildWindowControls(wxWindow& parent, const res::WindowTemplate& window) {
  return ControlsById(window, BuildTemplateControls(parent, window));
}

}  // namespace sorvane
