#pragma once

#include <wx/dialog.h>
#include <wx/font.h>

#include <optional>
#include <string>
#include <vector>

#include "core/engine_list.h"

class wxBitmap;
class wxButton;
class wxCommandEvent;
class wxInitDialogEvent;
class wxListBox;
class wxStaticBitmap;
class wxStaticText;

namespace sorvane {

class UserPrompts;

// Which engines one category sends its queries to. The caller sets the
// category's name, small bitmap and the address of its engine-name list, runs
// the dialog, and saves categories.dat after wxID_OK. All editing happens in the
// dialog's list, sorted without regard to case; OK rewrites the category's list
// from it in that order, Cancel leaves it untouched. Engines are added from
// `engines` through the Choose an Engine dialog. UI thread only.
class CCategoryPropertiesDlg final : public wxDialog {
 public:
  using EngineNames = std::optional<std::vector<std::string>>;

  CCategoryPropertiesDlg(wxWindow* parent, const EngineList& engines);

  // Where the delete question is asked; the system's by default.
  void SetPrompts(UserPrompts& prompts) { m_prompts = &prompts; }

  void SetCategoryName(const std::string& name) { m_strCategoryName = name; }
  // Not owned; may be null (an empty icon control). Must outlive the dialog.
  void SetCategoryBitmap(const wxBitmap* bitmap) { m_pCategoryBitmap = bitmap; }
  // Not owned; the category's list, absent when it has none. Rewritten on OK.
  void SetEngineNames(EngineNames* names) { m_pEngineNames = names; }

  wxListBox& EngineListBox() { return *m_list; }
  wxButton& AddButton() { return *m_add; }
  wxButton& DeleteButton() { return *m_delete; }
  wxStaticText& CategoryNameControl() { return *m_categoryName; }
  wxStaticBitmap& CategoryIconControl() { return *m_categoryIcon; }

  // OK: the category's list becomes the entries of the dialog's list.
  bool TransferDataFromWindow() override;

 private:
  void BindEvents();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnAdd(wxCommandEvent& event);
  void OnDelete(wxCommandEvent& event);
  void InsertName(const std::string& name);

  const wxBitmap* m_pCategoryBitmap = nullptr;
  wxFont m_titleFont;
  EngineNames* m_pEngineNames = nullptr;
  wxStaticText* m_categoryName = nullptr;
  wxStaticBitmap* m_categoryIcon = nullptr;
  wxListBox* m_list = nullptr;
  wxButton* m_add = nullptr;
  wxButton* m_delete = nullptr;
  std::string m_strCategoryName;
  const EngineList& m_engines;
  UserPrompts* m_prompts;
  std::vector<std::string> m_names;  // in the list's order
};

}  // namespace sorvane
