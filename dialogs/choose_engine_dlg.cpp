#include "dialogs/choose_engine_dlg.h"

#include <wx/listbox.h>

#include "dialogs/control_lookup.h"
#include "dialogs/engine_choice.h"
#include "dialogs/help_page.h"
#include "dialogs/window_builder.h"
#include "dialogs/wx_text.h"
#include "res/engine_dialog_templates.h"

namespace sorvane {

CChooseEngineDlg::CChooseEngineDlg(wxWindow* parent, const EngineList& engines)
    : wxDialog(parent, wxID_ANY, ToWx(res::ChooseEngineTemplate().title), wxDefaultPosition,
               wxDefaultSize, wxCAPTION | wxSYSTEM_MENU),
      m_engines(engines) {
  const auto controls = BuildWindowControls(*this, res::ChooseEngineTemplate());
  m_list = FindControl<wxListBox>(controls, res::IDC_CHOOSE_LIST);
  BindEvents();
  SetHelpPage(*this, "category_properties.html");
}

void CChooseEngineDlg::BindEvents() {
  Bind(wxEVT_INIT_DIALOG, &CChooseEngineDlg::OnInitDialog, this);
  Bind(wxEVT_BUTTON, &CChooseEngineDlg::OnChoose, this, wxID_OK);
  m_list->Bind(wxEVT_LISTBOX_DCLICK, &CChooseEngineDlg::OnChoose, this);
}

void CChooseEngineDlg::OnInitDialog(wxInitDialogEvent&) {
  m_list->Clear();
  m_names.clear();
  for (const EnginePtr& engine : m_engines) {
    const std::size_t position = SortedInsertPosition(m_names, engine->name);
    m_names.insert(m_names.begin() + static_cast<std::ptrdiff_t>(position), engine->name);
    m_list->Insert(ToWx(engine->name), static_cast<unsigned int>(position));
  }
}

void CChooseEngineDlg::OnChoose(wxCommandEvent&) {
  const int selected = m_list->GetSelection();
  if (selected == wxNOT_FOUND) return;
  m_strChosenName = m_names.at(static_cast<std::size_t>(selected));
  EndModal(wxID_OK);
}

}  // namespace sorvane
