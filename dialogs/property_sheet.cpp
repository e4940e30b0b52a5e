#include "dialogs/property_sheet.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

#include "dialogs/control_lookup.h"
#include "dialogs/window_builder.h"
#include "dialogs/wx_text.h"

namespace sorvane {

CPropertyPage::CPropertyPage(CPropertySheet& sheet, const res::WindowTemplate& page)
    : wxPanel(&sheet.PageParent(), wxID_ANY), m_sheet(sheet), m_caption(ToWx(page.title)) {
  m_controls = BuildWindowControls(*this, page);
  SetMinSize(GetSize());
}

void CPropertyPage::SetModified(bool modified) {
  m_modified = modified;
  m_sheet.UpdateApplyButton();
}

void CPropertyPage::BringToFront() {
  for (int index = 0; index < m_sheet.PageCount(); ++index)
    if (&m_sheet.Page(index) == this) m_sheet.SelectPage(index);
}

CPropertySheet::CPropertySheet(wxWindow* parent, const wxString& caption)
    : wxDialog(parent, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
  m_book = new wxNotebook(this, wxID_ANY);
  auto* buttons = new wxStdDialogButtonSizer();
  m_okButton = new wxButton(this, wxID_OK, "OK");
  m_cancelButton = new wxButton(this, wxID_CANCEL, "Cancel");
  m_applyButton = new wxButton(this, wxID_APPLY, "&Apply");
  m_okButton->SetDefault();
  buttons->AddButton(m_okButton);
  buttons->AddButton(m_cancelButton);
  buttons->AddButton(m_applyButton);
  buttons->Realize();
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(m_book, 1, wxEXPAND | wxALL, 7);
  layout->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 7);
  SetSizer(layout);
  m_applyButton->Disable();
  BindEvents();
}

void CPropertySheet::BindEvents() {
  Bind(wxEVT_INIT_DIALOG, &CPropertySheet::OnInitDialog, this);
  m_book->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CPropertySheet::OnPageChanged, this);
  m_okButton->Bind(wxEVT_BUTTON, &CPropertySheet::OnOk, this);
  m_applyButton->Bind(wxEVT_BUTTON, &CPropertySheet::OnApplyButton, this);
}

wxWindow& CPropertySheet::PageParent() { return *m_book; }

void CPropertySheet::AddPage(CPropertyPage& page) {
  m_pages.push_back(&page);
  m_book->AddPage(&page, page.Caption());
}

void CPropertySheet::OnInitDialog(wxInitDialogEvent&) {
  GetSizer()->Fit(this);
  if (!m_pages.empty()) ShowPage(SelectedPage() < 0 ? 0 : SelectedPage());
}

int CPropertySheet::SelectedPage() const { return m_book->GetSelection(); }

void CPropertySheet::SelectPage(int index) {
  if (index < 0 || index >= PageCount()) return;
  if (m_book->GetSelection() != index) m_book->ChangeSelection(static_cast<size_t>(index));
  ShowPage(index);
}

void CPropertySheet::OnPageChanged(wxBookCtrlEvent& event) {
  ShowPage(event.GetSelection());
  event.Skip();
}

void CPropertySheet::ShowPage(int index) {
  if (index < 0 || index >= PageCount()) return;
  CPropertyPage& page = *m_pages[static_cast<size_t>(index)];
  if (page.m_shown) return;
  page.m_shown = true;
  page.OnInitPage();
}

bool CPropertySheet::ApplyChanges() {
  for (int index = 0; index < PageCount(); ++index) {
    CPropertyPage& page = *m_pages[static_cast<size_t>(index)];
    if (!page.m_shown) continue;
    if (!page.OnApply()) {
      SelectPage(index);
      return false;
    }
    page.m_modified = false;
  }
  UpdateApplyButton();
  return true;
}

void CPropertySheet::OnOk(wxCommandEvent&) {
  if (ApplyChanges()) EndModal(wxID_OK);
}

void CPropertySheet::OnApplyButton(wxCommandEvent&) { ApplyChanges(); }

void CPropertySheet::UpdateApplyButton() {
  bool anyModified = false;
  for (const CPropertyPage* page : m_pages) anyModified = anyModified || page->m_modified;
  m_applyButton->Enable(anyModified);
}

}  // namespace sorvane
