#pragma once

#include <wx/dialog.h>

#include <filesystem>
#include <vector>

#include "core/engine_list.h"
#include "core/settings_store.h"

class wxButton;
class wxCommandEvent;
class wxInitDialogEvent;
class wxListBox;

namespace sorvane {

class UserPrompts;

// The Engines dialog: every engine by name, sorted without regard to case, with
// Add, Import, Edit and Delete. Each change goes into `engines` at once and is saved to
// engines.dat in `programFolder` at once; closing saves nothing more.
//
// The list keeps file order while the dialog shows sorted names; each entry is
// bound to its record. Records are never changed in place: an edit or a delete
// puts a new record in the list (or takes one out), so a search running with the
// old record keeps it until its workers end. UI thread only.
class CEnginesDlg final : public wxDialog {
 public:
  CEnginesDlg(wxWindow* parent, EngineList& engines, std::filesystem::path programFolder);

  // The delete question and the save warning, and the same for the Engine
  // Details dialogs opened from here; the system's by default.
  void SetPrompts(UserPrompts& prompts) { m_prompts = &prompts; }
  // The connection Import and the details' trials use.
  void SetConnection(const ConnectionSettings& connection) { m_connection = connection; }

  wxListBox& EngineListBox() { return *m_list; }
  wxButton& AddButton() { return *m_add; }
  wxButton& ImportButton() { return *m_import; }
  wxButton& EditButton() { return *m_edit; }
  wxButton& DeleteButton() { return *m_delete; }
  // The record the entry at `position` of the list stands for.
  const EnginePtr& EntryRecord(unsigned int position) const { return m_entries.at(position); }

 private:
  void BindEvents();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnAdd(wxCommandEvent& event);
  void OnImport(wxCommandEvent& event);
  // Runs Engine Details on `values`; on OK the record is added and saved.
  void AddThroughDetails(const SearchEngine& values, const std::string& words);
  void OnEdit(wxCommandEvent& event);
  void OnDelete(wxCommandEvent& event);

  // Puts the record's name at its sorted place; returns that place.
  unsigned int InsertEntry(const EnginePtr& record);
  void RemoveEntry(unsigned int position);
  // Writes engines.dat, telling the user when it could not be written.
  void Save();

  EngineList& m_engines;
  std::filesystem::path m_programFolder;
  UserPrompts* m_prompts;
  wxListBox* m_list = nullptr;
  wxButton* m_add = nullptr;
  wxButton* m_import = nullptr;
  ConnectionSettings m_connection;
  wxButton* m_edit = nullptr;
  wxButton* m_delete = nullptr;
  std::vector<EnginePtr> m_entries;  // in the list's order
};

}  // namespace sorvane
