#include "shell/results_find_bar.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/wx_text.h"
#include "res/resource_ids.h"

namespace sorvane {

CResultsFindBar::CResultsFindBar(wxWindow* parent, std::function<void()> changed, std::function<void()> closed)
    : wxPanel(parent, wxID_ANY), m_changed(std::move(changed)), m_closed(std::move(closed)) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, "&Find:"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
  m_text = new wxTextCtrl(this, ids::IDC_FIND_TEXT, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                          wxTE_PROCESS_ENTER);
  row->Add(m_text, 1, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM, 2);
  m_newOnly = new wxCheckBox(this, ids::IDC_FIND_NEW_ONLY, "New only");
  row->Add(m_newOnly, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 8);
  SetSizer(row);

  m_text->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { m_changed(); });
  m_newOnly->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { m_changed(); });
  // Esc here closes the bar; it must not reach the menu's Esc (Stop), so the
  // bar takes it before the window's accelerators see it.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers()) {
      m_closed();
      return;
    }
    event.Skip();
  });
}

std::string CResultsFindBar::Text() const { return FromWx(m_text->GetValue()); }

bool CResultsFindBar::NewOnly() const { return m_newOnly->IsEnabled() && m_newOnly->GetValue(); }

void CResultsFindBar::EnableNewOnly(bool enable) { m_newOnly->Enable(enable); }

void CResultsFindBar::Clear() {
  m_text->ChangeValue(wxEmptyString);
  m_newOnly->SetValue(false);
}

void CResultsFindBar::FocusText() {
  m_text->SetFocus();
  m_text->SelectAll();
}

}  // namespace sorvane
