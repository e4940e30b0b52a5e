#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>
#include <vector>

#include "pcsearch/folder_scan.h"

class wxButton;
class wxCheckBox;
class wxListBox;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace sorvane {

class SettingsStore;
class UserPrompts;

// The modal "Search My PC" dialog: the phrase, all drives or a list of chosen
// folders, and whether subfolders are scanned. It opens with the choices of the
// last PC search and, on "&Search Now" (wxID_OK), stores the new ones and works
// out the folders to scan. A cancelled dialog stores nothing.
//
//   CSearchMyPCDlg dialog(frame, frame->SettingsSection());
//   if (dialog.ShowModal() != wxID_OK) return;
//   ScanRequest request = dialog.MakeScanRequest();
//
// UI thread only.
class CSearchMyPCDlg final : public wxDialog {
 public:
  using DriveRoots = std::function<std::vector<std::string>()>;

  // `settings` must outlive the dialog.
  CSearchMyPCDlg(wxWindow* parent, SettingsStore& settings);

  // The folder browser and the delete question; the system's by default.
  void SetPrompts(UserPrompts& prompts) { m_prompts = &prompts; }
  // Where all-drives mode gets its drives; this machine's by default.
  void SetDriveRoots(DriveRoots driveRoots) { m_driveRoots = std::move(driveRoots); }

  // After wxID_OK: the phrase exactly as typed, the recurse value (0 or 1),
  // the chosen method and the folders to scan in order.
  const std::string& Phrase() const { return m_strPhrase; }
  int Recurse() const { return m_recurse; }
  int Method() const { return m_method; }
  const std::vector<std::string>& ScanFolders() const { return m_scanFolders; }
  // The same as one request for the scan. All drives are scanned mount by
  // mount, so a drive's walk does not wander into another drive.
  ScanRequest MakeScanRequest() const;

  wxTextCtrl& PhraseEdit() { return *m_phraseEdit; }
  wxRadioButton& AllDrivesOption() { return *m_allDrives; }
  wxRadioButton& ChosenFoldersOption() { return *m_chosenFolders; }
  wxCheckBox& RecurseCheck() { return *m_recurseCheck; }
  wxStaticText& FoldersNote() { return *m_foldersNote; }
  wxListBox& FolderList() { return *m_folderList; }
  wxButton& AddButton() { return *m_addButton; }
  wxButton& DeleteButton() { return *m_deleteButton; }
  wxButton& SearchNowButton() { return *m_searchNow; }

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void BindEvents();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnPhraseChanged(wxCommandEvent& event);
  void OnAllDrives(wxCommandEvent& event);
  void OnChosenFolders(wxCommandEvent& event);
  void OnAdd(wxCommandEvent& event);
  void OnDelete(wxCommandEvent& event);
  void OnSearchNow(wxCommandEvent& event);
  void ShowMethod();
  void AddFolder(const std::string& folder);
  std::vector<std::string> ListedFolders() const;
  void ApplyUpdateRule();

  int m_method = 0;
  wxListBox* m_folderList = nullptr;
  std::string m_strPhrase;
  int m_recurse = 0;

  SettingsStore& m_settings;
  UserPrompts* m_prompts;
  DriveRoots m_driveRoots;
  std::vector<std::string> m_scanFolders;
  wxTextCtrl* m_phraseEdit = nullptr;
  wxRadioButton* m_allDrives = nullptr;
  wxRadioButton* m_chosenFolders = nullptr;
  wxRadioButton* m_noMethod = nullptr;
  wxCheckBox* m_recurseCheck = nullptr;
  wxStaticText* m_foldersNote = nullptr;
  wxButton* m_addButton = nullptr;
  wxButton* m_deleteButton = nullptr;
  wxButton* m_searchNow = nullptr;
};

}  // namespace sorvane
