#pragma once

#include <wx/dialog.h>
#include <wx/panel.h>

#include <functional>
#include <map>
#include <vector>

#include "res/window_templates.h"

class wxButton;
class wxBookCtrlEvent;
class wxNotebook;

namespace sorvane {

class CPropertySheet;

// One page of a CPropertySheet, its controls made from a template. A page
// initialises itself the first time it is shown; its apply step runs on the
// sheet's OK and Apply once it has been shown. It marks itself changed to
// enable Apply. UI thread only.
class CPropertyPage : public wxPanel {
 public:
  // `sheet` is the sheet the page will be added to.
  CPropertyPage(CPropertySheet& sheet, const res::WindowTemplate& page);

  const wxString& Caption() const { return m_caption; }
  bool HasBeenShown() const { return m_shown; }
  bool IsModified() const { return m_modified; }
  // Marks the page changed or not, which the sheet's Apply button follows.
  void SetModified(bool modified = true);

 protected:
  // The page's controls by program id.
  const std::map<int, wxWindow*>& Controls() const { return m_controls; }
  // Brings the page to the front of its sheet, e.g. to show why it refused.
  void BringToFront();

 private:
  friend class CPropertySheet;
  // The first time the page is shown.
  virtual void OnInitPage() {}
  // Takes the page's values; false keeps the sheet open on this page.
  virtual bool OnApply() { return true; }

  CPropertySheet& m_sheet;
  wxString m_caption;
  std::map<int, wxWindow*> m_controls;
  bool m_shown = false;
  bool m_modified = false;
};

// A modal sheet of pages with OK, Cancel and Apply. OK and Apply run the apply
// step of every page shown so far, in page order; a page that refuses stays in
// front and keeps the sheet open. Apply is enabled while a page is marked
// changed. Cancel applies nothing. UI thread only.
class CPropertySheet : public wxDialog {
 public:
  explicit CPropertySheet(wxWindow* parent = nullptr, const wxString& caption = wxEmptyString);

  // The window the pages are made in.
  wxWindow& PageParent();
  // Adds a page made with this sheet; the sheet's window owns it.
  void AddPage(CPropertyPage& page);
  // Brings page `index` to the front (initialising it if it is new).
  void SelectPage(int index);
  int SelectedPage() const;
  int PageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage& Page(int index) { return *m_pages.at(index); }

  // Runs every shown page's apply step; false when a page refused.
  bool ApplyChanges();

  wxButton& OkButton() { return *m_okButton; }
  wxButton& CancelButton() { return *m_cancelButton; }
  wxButton& ApplyButton() { return *m_applyButton; }

 private:
  friend class CPropertyPage;
  void BindEvents();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnOk(wxCommandEvent& event);
  void OnApplyButton(wxCommandEvent& event);
  void ShowPage(int index);
  void UpdateApplyButton();

  wxNotebook* m_book = nullptr;
  wxButton* m_okButton = nullptr;
  wxButton* m_cancelButton = nullptr;
  wxButton* m_applyButton = nullptr;
  std::vector<CPropertyPage*> m_pages;
};

}  // namespace sorvane
