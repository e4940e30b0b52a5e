#include "dialogs/engines_dlg.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/utils.h>

#include <string>

#include "core/engine_store.h"
#include "dialogs/control_lookup.h"
#include "dialogs/engine_choice.h"
#include "dialogs/engine_details_dlg.h"
#include "dialogs/import_engine_dlg.h"
#include "dialogs/user_prompts.h"
#include "dialogs/window_builder.h"
#include "dialogs/wx_text.h"
#include "res/engine_dialog_templates.h"

namespace sorvane {

CEnginesDlg::CEnginesDlg(wxWindow* parent, EngineList& engines, std::filesystem::path programFolder)
    : wxDialog(parent, wxID_ANY, ToWx(res::EnginesTemplate().title), wxDefaultPosition,
               wxDefaultSize, wxCAPTION | wxSYSTEM_MENU),
      m_engines(engines),
      m_programFolder(std::move(programFolder)),
      m_prompts(&SystemPrompts()) {
  const auto controls = BuildWindowControls(*this, res::EnginesTemplate());
  m_list = FindControl<wxListBox>(controls, res::IDC_ENGINES_LIST);
  m_add = FindControl<wxButton>(controls, res::IDC_ENGINES_ADD);
  m_edit = FindControl<wxButton>(controls, res::IDC_ENGINES_EDIT);
  m_delete = FindControl<wxButton>(controls, res::IDC_ENGINES_DELETE);
  // Import sits above Add, in the column of buttons the template leaves room in.
  m_import = new wxButton(this, wxID_ANY, "&Import...", ConvertDialogToPixels(wxPoint(178, 70)),
                          ConvertDialogToPixels(wxSize(50, 14)));
  m_import->MoveBeforeInTabOrder(m_add);
  BindEvents();
}

void CEnginesDlg::BindEvents() {
  Bind(wxEVT_INIT_DIALOG, &CEnginesDlg::OnInitDialog, this);
  m_add->Bind(wxEVT_BUTTON, &CEnginesDlg::OnAdd, this);
  m_import->Bind(wxEVT_BUTTON, &CEnginesDlg::OnImport, this);
  m_edit->Bind(wxEVT_BUTTON, &CEnginesDlg::OnEdit, this);
  m_delete->Bind(wxEVT_BUTTON, &CEnginesDlg::OnDelete, this);
  m_list->Bind(wxEVT_LISTBOX_DCLICK, &CEnginesDlg::OnEdit, this);
}

void CEnginesDlg::OnInitDialog(wxInitDialogEvent&) {
  m_list->Clear();
  m_entries.clear();
  for (const EnginePtr& record : m_engines) InsertEntry(record);
}

unsigned int CEnginesDlg::InsertEntry(const EnginePtr& record) {
  std::vector<std::string> names;
  names.reserve(m_entries.size());
  for (const EnginePtr& entry : m_entries) names.push_back(entry->name);
  const auto position = static_cast<unsigned int>(SortedInsertPosition(names, record->name));
  m_entries.insert(m_entries.begin() + position, record);
  m_list->Insert(ToWx(record->name), position);
  return position;
}

void CEnginesDlg::RemoveEntry(unsigned int position) {
  m_list->Delete(position);
  m_entries.erase(m_entries.begin() + position);
}

// Nothing is checked here: an empty record, a duplicate name and no search type
// are all kept (the details dialog warns about records the next start drops).
void CEnginesDlg::OnAdd(wxCommandEvent&) { AddThroughDetails(BlankEngineValues(), ""); }

// The learned record is only offered: Engine Details shows it, and nothing is
// added or saved unless that dialog ends with OK, as for Add.
void CEnginesDlg::OnImport(wxCommandEvent&) {
  CImportEngineDlg import(this);
  import.SetConnection(m_connection);
  if (import.ShowModal() != wxID_OK) return;
  AddThroughDetails(import.Learned(), import.Words());
}

void CEnginesDlg::AddThroughDetails(const SearchEngine& values, const std::string& words) {
  CEngineDetailsDlg details(this);
  details.SetPrompts(*m_prompts);
  details.SetConnection(m_connection);
  details.SetValues(values);
  details.SetWords(words);
  if (details.ShowModal() != wxID_OK) return;
  {
    wxBusyCursor wait;
    SearchEngine record = details.Values();
    record.valid = 1;
    const unsigned int position = InsertEntry(m_engines.Append(std::move(record)));
    m_list->SetSelection(static_cast<int>(position));
  }
  Save();
}

void CEnginesDlg::OnEdit(wxCommandEvent&) {
  const int selected = m_list->GetSelection();
  if (selected == wxNOT_FOUND) return;
  const auto position = static_cast<unsigned int>(selected);
  const EnginePtr record = m_entries.at(position);
  CEngineDetailsDlg details(this);
  details.SetPrompts(*m_prompts);
  details.SetConnection(m_connection);
  details.SetValues(*record);
  if (details.ShowModal() != wxID_OK) return;
  const std::optional<std::size_t> index = FindRecordIndex(m_engines, record.get());
  if (!index) return;
  {
    wxBusyCursor wait;
    // The record keeps its place in the list; its entry moves to where the new
    // name sorts, still bound to it.
    const EnginePtr& replaced = m_engines.Replace(*index, details.Values());
    RemoveEntry(position);
    m_list->SetSelection(static_cast<int>(InsertEntry(replaced)));
  }
  Save();
}

void CEnginesDlg::OnDelete(wxCommandEvent&) {
  const int selected = m_list->GetSelection();
  if (selected == wxNOT_FOUND) return;
  const auto position = static_cast<unsigned int>(selected);
  const EnginePtr record = m_entries.at(position);
  const int answer = m_prompts->ShowMessage(this, ToWx(DeleteEngineQuestion(record->name)), kMessageCaption,
                                            wxYES_NO | wxCANCEL | wxICON_QUESTION);
  if (answer != wxYES) return;
  {
    wxBusyCursor wait;
    RemoveEntry(position);
    if (const std::optional<std::size_t> index = FindRecordIndex(m_engines, record.get())) m_engines.Remove(*index);
  }
  Save();
}

void CEnginesDlg::Save() {
  bool saved = false;
  {
    wxBusyCursor wait;
    saved = SaveEngines(m_programFolder, m_engines);
  }
  if (!saved) {
    m_prompts->ShowMessage(this, ToWx(SaveFailedMessage(m_programFolder / kEnginesFileName)), kMessageCaption,
                           wxOK | wxICON_WARNING);
  }
}

}  // namespace sorvane
