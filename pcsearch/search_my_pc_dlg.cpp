#include "dialogs/help_page.h"
#include "dialogs/wx_text.h"
#include "pcsearch/search_my_pc_dlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "core/settings_store.h"
#include "dialogs/control_lookup.h"
#include "dialogs/user_prompts.h"
#include "dialogs/window_builder.h"
#include "pcsearch/drives.h"
#include "pcsearch/pc_search_setup.h"
#include "res/pc_search_templates.h"

namespace sorvane {

CSearchMyPCDlg::CSearchMyPCDlg(wxWindow* parent, SettingsStore& settings)
    : wxDialog(parent, wxID_ANY, ToWx(res::SearchMyPcTemplate().title), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_settings(settings),
      m_prompts(&SystemPrompts()),
      m_driveRoots(&AllDriveFolders) {
  const auto controls = BuildWindowControls(*this, res::SearchMyPcTemplate());
  m_folderList = &TemplateControl<wxListBox>(controls, res::IDC_PC_FOLDERS);
  m_phraseEdit = &TemplateControl<wxTextCtrl>(controls, res::IDC_PC_PHRASE);
  m_allDrives = &TemplateControl<wxRadioButton>(controls, res::IDC_PC_ALL_DRIVES);
  m_chosenFolders = &TemplateControl<wxRadioButton>(controls, res::IDC_PC_CHOSEN_FOLDERS);
  m_recurseCheck = &TemplateControl<wxCheckBox>(controls, res::IDC_PC_RECURSE);
  m_foldersNote = &TemplateControl<wxStaticText>(controls, res::IDC_PC_FOLDERS_NOTE);
  m_addButton = &TemplateControl<wxButton>(controls, res::IDC_PC_ADD);
  m_deleteButton = &TemplateControl<wxButton>(controls, res::IDC_PC_DELETE);
  m_searchNow = &TemplateControl<wxButton>(controls, 1);
  // A group of option buttons always shows one of them chosen; this hidden
  // member of the group is chosen when neither visible one is.
  m_noMethod = new wxRadioButton(this, wxID_ANY, wxEmptyString);
  m_noMethod->Hide();
  BindEvents();
  SetHelpPage(*this, "my_pc.html");
}

void CSearchMyPCDlg::BindEvents() {
  Bind(wxEVT_INIT_DIALOG, &CSearchMyPCDlg::OnInitDialog, this);
  m_phraseEdit->Bind(wxEVT_TEXT, &CSearchMyPCDlg::OnPhraseChanged, this);
  m_allDrives->Bind(wxEVT_RADIOBUTTON, &CSearchMyPCDlg::OnAllDrives, this);
  m_chosenFolders->Bind(wxEVT_RADIOBUTTON, &CSearchMyPCDlg::OnChosenFolders, this);
  m_addButton->Bind(wxEVT_BUTTON, &CSearchMyPCDlg::OnAdd, this);
  m_deleteButton->Bind(wxEVT_BUTTON, &CSearchMyPCDlg::OnDelete, this);
  m_searchNow->Bind(wxEVT_BUTTON, &CSearchMyPCDlg::OnSearchNow, this);
}

bool CSearchMyPCDlg::TransferDataToWindow() {
  m_phraseEdit->ChangeValue(ToWx(m_strPhrase));
  m_recurseCheck->SetValue(m_recurse != 0);
  return true;
}

bool CSearchMyPCDlg::TransferDataFromWindow() {
  m_strPhrase = FromWx(m_phraseEdit->GetValue());
  m_recurse = m_recurseCheck->GetValue() ? 1 : 0;
  return true;
}

void CSearchMyPCDlg::OnInitDialog(wxInitDialogEvent&) {
  const PcSearchSetup setup = LoadPcSearchSetup(m_settings);
  m_method = setup.method;
  m_recurse = setup.recurse != 0 ? 1 : 0;
  m_folderList->Clear();
  for (const std::string& folder : setup.folders) AddFolder(folder);
  TransferDataToWindow();
  ShowMethod();
  ApplyUpdateRule();
  m_phraseEdit->SetFocus();
}

// A stored method that is neither option selects neither button: the user
// has to choose before searching.
void CSearchMyPCDlg::ShowMethod() {
  if (m_method == kAllDrivesMethod)
    m_allDrives->SetValue(true);
  else if (m_method == kChosenFoldersMethod)
    m_chosenFolders->SetValue(true);
  else
    m_noMethod->SetValue(true);
}

void CSearchMyPCDlg::OnPhraseChanged(wxCommandEvent&) { ApplyUpdateRule(); }

void CSearchMyPCDlg::OnAllDrives(wxCommandEvent&) {
  m_method = kAllDrivesMethod;
  ApplyUpdateRule();
}

void CSearchMyPCDlg::OnChosenFolders(wxCommandEvent&) {
  m_method = kChosenFoldersMethod;
  ApplyUpdateRule();
}

void CSearchMyPCDlg::OnAdd(wxCommandEvent&) {
  if (const auto folder = m_prompts->ChooseFolder(this, "Select a folder to search")) AddFolder(FromWx(*folder));
  ApplyUpdateRule();
}

void CSearchMyPCDlg::OnDelete(wxCommandEvent&) {
  const int selected = m_folderList->GetSelection();
  if (selected != wxNOT_FOUND) {
    const wxString question =
        wxString::Format("Are you sure you want to delete '%s'?", m_folderList->GetString(selected));
    if (m_prompts->ShowMessage(this, question, kMessageCaption, wxYES_NO | wxCANCEL | wxICON_QUESTION) == wxYES)
      m_folderList->Delete(selected);
  }
  ApplyUpdateRule();
}

void CSearchMyPCDlg::OnSearchNow(wxCommandEvent&) {
  TransferDataFromWindow();
  // Enter reaches here only through the enabled button, but the rule is
  // cheap to hold to.
  if (!CanSearchNow(m_method, m_strPhrase, m_folderList->GetCount())) return;
  m_scanFolders = StorePcSearchSetup(m_settings, m_method, m_recurse, ListedFolders(), m_driveRoots);
  m_settings.Flush();
  EndModal(wxID_OK);
}

ScanRequest CSearchMyPCDlg::MakeScanRequest() const {
  ScanRequest request;
  request.folders = m_scanFolders;
  request.phrase = m_strPhrase;
  request.recurse = m_recurse != 0;
  request.stayOnFileSystem = !IsFolderMode(m_method);
  return request;
}

void CSearchMyPCDlg::AddFolder(const std::string& folder) {
  const std::size_t position = SortedFolderPosition(ListedFolders(), folder);
  m_folderList->Insert(ToWx(folder), static_cast<unsigned int>(position));
}

std::vector<std::string> CSearchMyPCDlg::ListedFolders() const {
  std::vector<std::string> folders;
  folders.reserve(m_folderList->GetCount());
  for (unsigned int index = 0; index < m_folderList->GetCount(); ++index)
    folders.push_back(FromWx(m_folderList->GetString(index)));
  return folders;
}

void CSearchMyPCDlg::ApplyUpdateRule() {
  TransferDataFromWindow();
  const bool folderMode = IsFolderMode(m_method);
  for (wxWindow* control : {static_cast<wxWindow*>(m_foldersNote), static_cast<wxWindow*>(m_folderList),
                            static_cast<wxWindow*>(m_addButton), static_cast<wxWindow*>(m_deleteButton)})
    control->Enable(folderMode);
  m_recurseCheck->SetLabel(ToWx(RecurseCheckText(folderMode)));
  m_searchNow->Enable(CanSearchNow(m_method, m_strPhrase, m_folderList->GetCount()));
}

}  // namespace sorvane
