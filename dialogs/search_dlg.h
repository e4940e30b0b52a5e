#pragma once

#include <wx/dialog.h>
#include <wx/font.h>

#include <map>
#include <string>

class wxBitmap;
class wxButton;
class wxChoice;
class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;

namespace sorvane {

class CDibStatic;

// The modal Search dialog of one category: the caller sets the category's name,
// small bitmap, picture and starting words, runs it, and on wxID_OK ("&Search
// Now") reads the words, exactly as typed, and the search type: the index of the
// chosen entry in the sorted options list, which is the query type.
// UI thread only.
class CSearchDlg final : public wxDialog {
 public:
  explicit CSearchDlg(wxWindow* parent);

  void SetCategoryName(const std::string& name) { m_strCategoryName = name; }
  // Not owned; may be null (an empty icon control). Must outlive the dialog.
  void SetCategoryBitmap(const wxBitmap* bitmap) { m_pCategoryBitmap = bitmap; }
  void SetWords(const std::string& words) { m_strWords = words; }
  void SetSearchType(int searchType) { m_searchType = searchType; }

  const std::string& Words() const { return m_strWords; }
  int SearchType() const { return m_searchType; }

  CDibStatic& Picture() { return *m_picture; }
  wxButton& SearchNowButton() { return *m_searchNow; }
  wxTextCtrl& WordsEdit() { return *m_wordsEdit; }
  wxChoice& SearchTypeList() { return *m_searchTypeList; }
  wxStaticText& CategoryNameControl() { return *m_categoryName; }
  wxStaticBitmap& CategoryIconControl() { return *m_categoryIcon; }

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void BindEvents();
  void AddSortedSearchTypes();
  void FitPictureFrame();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnWordsChanged(wxCommandEvent& event);
  void OnSearchNow(wxCommandEvent& event);
  void OnCancel(wxCommandEvent& event);
  void ApplyWordsRule();

  wxFont m_titleFont;
  const wxBitmap* m_pCategoryBitmap = nullptr;
  CDibStatic* m_picture = nullptr;
  wxButton* m_searchNow = nullptr;
  wxStaticText* m_categoryName = nullptr;
  wxStaticBitmap* m_categoryIcon = nullptr;
  wxTextCtrl* m_wordsEdit = nullptr;
  wxChoice* m_searchTypeList = nullptr;
  std::string m_strCategoryName;
  std::string m_strWords;
  int m_searchType = -1;
  // What the caller set, given back on Cancel: the words rule reads the
  // controls as the user types, and a cancelled dialog returns nothing new.
  std::string m_strCallerWords;
  int m_callerSearchType = -1;
};

}  // namespace sorvane
