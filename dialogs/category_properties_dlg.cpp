#include "dialogs/category_properties_dlg.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "dialogs/choose_engine_dlg.h"
#include "dialogs/category_title.h"
#include "dialogs/control_lookup.h"
#include "dialogs/engine_choice.h"
#include "dialogs/help_page.h"
#include "dialogs/user_prompts.h"
#include "dialogs/window_builder.h"
#include "dialogs/wx_text.h"
#include "res/engine_dialog_templates.h"

namespace sorvane {

CCategoryPropertiesDlg::CCategoryPropertiesDlg(wxWindow* parent, const EngineList& engines)
    : wxDialog(parent, wxID_ANY, ToWx(res::CategoryPropertiesTemplate().title), wxDefaultPosition,
               wxDefaultSize, wxCAPTION | wxSYSTEM_MENU),
      m_engines(engines),
      m_prompts(&SystemPrompts()) {
  const auto controls = BuildWindowControls(*this, res::CategoryPropertiesTemplate());
  m_categoryName = FindControl<wxStaticText>(controls, res::IDC_CATEGORY_NAME);
  m_categoryIcon = FindControl<wxStaticBitmap>(controls, res::IDC_CATEGORY_ICON);
  m_list = FindControl<wxListBox>(controls, res::IDC_PROPERTIES_LIST);
  m_add = FindControl<wxButton>(controls, res::IDC_PROPERTIES_ADD);
  m_delete = FindControl<wxButton>(controls, res::IDC_PROPERTIES_DELETE);
  BindEvents();
  SetHelpPage(*this, "category_properties.html");
}

void CCategoryPropertiesDlg::BindEvents() {
  Bind(wxEVT_INIT_DIALOG, &CCategoryPropertiesDlg::OnInitDialog, this);
  m_add->Bind(wxEVT_BUTTON, &CCategoryPropertiesDlg::OnAdd, this);
  m_delete->Bind(wxEVT_BUTTON, &CCategoryPropertiesDlg::OnDelete, this);
}

void CCategoryPropertiesDlg::OnInitDialog(wxInitDialogEvent&) {
  m_categoryName->SetLabel(ToWx(m_strCategoryName));
  m_categoryIcon->SetBitmap(m_pCategoryBitmap && m_pCategoryBitmap->IsOk() ? *m_pCategoryBitmap : wxNullBitmap);

  m_titleFont = ShowAsCategoryTitle(*m_categoryName);

  m_list->Clear();
  m_names.clear();
  if (m_pEngineNames && *m_pEngineNames) {
    for (const std::string& name : **m_pEngineNames) InsertName(name);
  }
}

void CCategoryPropertiesDlg::InsertName(const std::string& name) {
  const std::size_t position = SortedInsertPosition(m_names, name);
  m_names.insert(m_names.begin() + static_cast<std::ptrdiff_t>(position), name);
  m_list->Insert(ToWx(name), static_cast<unsigned int>(position));
}

// A name that a listed entry begins with (in any letter case) is not added, and
// nothing is said: it is taken to be listed already.
void CCategoryPropertiesDlg::OnAdd(wxCommandEvent&) {
  CChooseEngineDlg choose(this, m_engines);
  choose.ShowModal();
  const std::string& name = choose.ChosenName();
  if (name.empty() || HasEntryStartingWith(m_names, name)) return;
  InsertName(name);
}

void CCategoryPropertiesDlg::OnDelete(wxCommandEvent&) {
  const int selected = m_list->GetSelection();
  if (selected == wxNOT_FOUND) return;
  const auto position = static_cast<std::size_t>(selected);
  const int answer =
      m_prompts->ShowMessage(this, ToWx(RemoveCategoryEngineQuestion(m_names.at(position), m_strCategoryName)),
                             kMessageCaption, wxYES_NO | wxCANCEL | wxICON_QUESTION);
  if (answer != wxYES) return;
  m_list->Delete(static_cast<unsigned int>(position));
  m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(position));
}

bool CCategoryPropertiesDlg::TransferDataFromWindow() {
  if (m_pEngineNames) *m_pEngineNames = m_names;
  return true;
}

}  // namespace sorvane
