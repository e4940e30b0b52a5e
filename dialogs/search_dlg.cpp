#include "dialogs/search_dlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/category_title.h"
#include "dialogs/control_lookup.h"
#include "dialogs/dib_static.h"
#include "dialogs/window_builder.h"
#include "dialogs/wx_text.h"
#include "res/window_templates.h"

namespace sorvane {

CSearchDlg::CSearchDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, ToWx(res::SearchTemplate().title), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU) {
  const auto controls = BuildWindowControls(*this, res::SearchTemplate());
  m_picture = FindControl<CDibStatic>(controls, res::IDC_CATEGORY_PICTURE);
  m_searchNow = FindControl<wxButton>(controls, 1);
  m_categoryName = FindControl<wxStaticText>(controls, res::IDC_CATEGORY_NAME);
  m_categoryIcon = FindControl<wxStaticBitmap>(controls, res::IDC_CATEGORY_ICON);
  m_wordsEdit = FindControl<wxTextCtrl>(controls, res::IDC_SEARCH_WORDS);
  m_searchTypeList = FindControl<wxChoice>(controls, res::IDC_SEARCH_TYPE);
  // The picture shows the general one until the caller names the category's.
  if (m_picture) m_picture->SetPicture(res::IDB_DEFAULT_CATEGORY_PICTURE);
  FitPictureFrame();
  AddSortedSearchTypes();
  BindEvents();
}

void CSearchDlg::BindEvents() {
  Bind(wxEVT_INIT_DIALOG, &CSearchDlg::OnInitDialog, this);
  m_wordsEdit->Bind(wxEVT_TEXT, &CSearchDlg::OnWordsChanged, this);
  m_searchNow->Bind(wxEVT_BUTTON, &CSearchDlg::OnSearchNow, this);
  Bind(wxEVT_BUTTON, &CSearchDlg::OnCancel, this, wxID_CANCEL);
}

// The options list sorts its entries without regard to case as they are added,
// so the indices the caller gets back are those of the sorted list whatever
// order the toolkit's own list would keep.
void CSearchDlg::AddSortedSearchTypes() {
  for (const std::string_view entry : res::kSearchTypeEntries) {
    const wxString text = ToWx(entry);
    unsigned int position = 0;
    while (position < m_searchTypeList->GetCount() && m_searchTypeList->GetString(position).CmpNoCase(text) <= 0)
      ++position;
    m_searchTypeList->Insert(text, position);
  }
}

bool CSearchDlg::TransferDataToWindow() {
  m_categoryName->SetLabel(ToWx(m_strCategoryName));
  m_wordsEdit->ChangeValue(ToWx(m_strWords));
  if (m_searchType >= 0 && m_searchType < static_cast<int>(m_searchTypeList->GetCount()))
    m_searchTypeList->SetSelection(m_searchType);
  else
    m_searchTypeList->SetSelection(wxNOT_FOUND);
  return true;
}

bool CSearchDlg::TransferDataFromWindow() {
  m_strWords = FromWx(m_wordsEdit->GetValue());
  m_searchType = m_searchTypeList->GetSelection();
  return true;
}

// The frame is as large as the picture it shows. The template's frame matched
// the pictures in the font it was measured in; in a larger font it would leave
// a wide empty margin. The words column moves left into the width freed, the
// title keeps ending with that column and the buttons stay centred.
void CSearchDlg::FitPictureFrame() {
  if (!m_picture || !m_picture->HasPicture()) return;
  const wxRect before = m_picture->GetRect();
  m_picture->FitToPicture();
  const int freed = before.width - m_picture->GetSize().x;
  if (freed == 0) return;
  for (wxWindow* child : GetChildren()) {
    if (child == m_picture) continue;
    const wxRect place = child->GetRect();
    if (place.y > before.GetBottom())
      child->Move(place.x - freed / 2, place.y);
    else if (place.GetBottom() < before.y && place.GetRight() > before.GetRight())
      child->SetSize(place.width - freed, place.height);
    else if (place.x > before.GetRight())
      child->Move(place.x - freed, place.y);
  }
  const wxSize client = GetClientSize();
  SetClientSize(client.x - freed, client.y);
}

void CSearchDlg::OnInitDialog(wxInitDialogEvent&) {
  // The caller may have handed the picture control another picture.
  FitPictureFrame();
  m_strCallerWords = m_strWords;
  m_callerSearchType = m_searchType;
  TransferDataToWindow();
  m_categoryIcon->SetBitmap(m_pCategoryBitmap && m_pCategoryBitmap->IsOk() ? *m_pCategoryBitmap : wxNullBitmap);

  m_titleFont = ShowAsCategoryTitle(*m_categoryName);

  // Whatever the caller set, a search starts on "Search for entire phrase".
  m_searchType = 2;
  m_searchNow->Disable();
  TransferDataToWindow();
  ApplyWordsRule();
}

void CSearchDlg::OnWordsChanged(wxCommandEvent&) { ApplyWordsRule(); }

// Blanks count as words: the engines decide what a blank query means.
void CSearchDlg::ApplyWordsRule() {
  TransferDataFromWindow();
  m_searchNow->Enable(!m_strWords.empty());
}

void CSearchDlg::OnSearchNow(wxCommandEvent&) {
  TransferDataFromWindow();
  EndModal(wxID_OK);
}

void CSearchDlg::OnCancel(wxCommandEvent&) {
  m_strWords = m_strCallerWords;
  m_searchType = m_callerSearchType;
  EndModal(wxID_CANCEL);
}

}  // namespace sorvane
