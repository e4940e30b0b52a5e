#include "res/dialog_builder.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "res/image_resources.h"
#include "res/standard_ids.h"

namespace sorvane::res {

namespace {

wxString ToWx(std::string_view text) { return wxString::FromUTF8(text.data(), text.size()); }

}  // namespace

void BuildControls(wxWindow& parent, const DialogTemplate& dialog) {
  for (const ControlTemplate& control : dialog.controls) {
    const wxPoint position = parent.ConvertDialogToPixels(wxPoint(control.x, control.y));
    const wxSize size = parent.ConvertDialogToPixels(wxSize(control.width, control.height));
    const int id = control.id < 0 ? wxID_ANY : ToWxId(control.id);
    switch (control.kind) {
      case ControlTemplate::Kind::Static:
        new wxStaticText(&parent, id, ToWx(control.text), position, size);
        break;
      case ControlTemplate::Kind::DropList:
        // The height of a drop-down list is the height of its open list; the
        // closed control keeps its natural height.
        new wxChoice(&parent, id, position, wxSize(size.x, -1));
        break;
      case ControlTemplate::Kind::Button:
      case ControlTemplate::Kind::DefaultButton: {
        auto* button = new wxButton(&parent, id, ToWx(control.text), position, size);
        if (control.kind == ControlTemplate::Kind::DefaultButton) button->SetDefault();
        break;
      }
      case ControlTemplate::Kind::Picture:
        new wxPanel(&parent, id, position, size, wxBORDER_SUNKEN);
        break;
      case ControlTemplate::Kind::Icon: {
        // The program icon (icon 128); the stock information icon until it exists.
        const wxIcon icon = LoadProgramIcons().GetIcon(wxSize(32, 32), wxIconBundle::FALLBACK_NEAREST_LARGER);
        const wxBitmap picture = icon.IsOk() ? wxBitmap(icon) : wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_MESSAGE_BOX);
        new wxStaticBitmap(&parent, id, picture, position, size);
        break;
      }
    }
  }
  parent.SetClientSize(parent.ConvertDialogToPixels(wxSize(dialog.width, dialog.height)));
}

}  // namespace sorvane::res
