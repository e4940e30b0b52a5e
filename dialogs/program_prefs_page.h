#pragma once

#include <cstdint>
#include <memory>

#include "dialogs/preferences_target.h"
#include "dialogs/property_sheet.h"

class wxButton;
class wxCheckBox;

namespace sorvane {

class CResultsListCtrl;
class ResultsTable;
class UserPrompts;

// The "Program" page: the results list's four colours, tried out on a preview
// list of two sample rows (one not yet visited, one visited), and whether the
// Web View comes forward when a search completes. UI thread only.
class CProgramPrefsPage final : public CPropertyPage {
 public:
  CProgramPrefsPage(CPropertySheet& sheet, PreferencesTarget& target, UserPrompts& prompts);

  CResultsListCtrl& PreviewList() { return *m_previewList; }
  wxCheckBox& ShowWebViewCheck() { return *m_showWebViewCheck; }
  wxButton& TitleColorButton() { return *m_titleButton; }
  wxButton& ViewedColorButton() { return *m_viewedButton; }
  wxButton& LongDescColorButton() { return *m_longDescButton; }
  wxButton& BackgroundColorButton() { return *m_backgroundButton; }
  wxButton& OriginalSettingsButton() { return *m_originalButton; }

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void BindEvents();
  void OnInitPage() override;
  bool OnApply() override;
  void AddSampleRows();
  void ShowColours(const ListColours& colours);
  ListColours PreviewColours() const;
  void ChooseColour(std::uint32_t (CResultsListCtrl::*getter)() const,
                    void (CResultsListCtrl::*setter)(std::uint32_t));
  void OnOriginalSettings(wxCommandEvent& event);
  void OnShowWebViewClicked(wxCommandEvent& event);

  CResultsListCtrl* m_previewList = nullptr;
  int m_showWebView = 0;

  PreferencesTarget& m_target;
  UserPrompts& m_prompts;
  std::shared_ptr<ResultsTable> m_sampleRows;
  wxCheckBox* m_showWebViewCheck = nullptr;
  wxButton* m_titleButton = nullptr;
  wxButton* m_viewedButton = nullptr;
  wxButton* m_longDescButton = nullptr;
  wxButton* m_backgroundButton = nullptr;
  wxButton* m_originalButton = nullptr;
};

}  // namespace sorvane
