// Browser navigation: the Go and View commands, the address box, the browser's
// events, and the window trimmed of all of it when there is no browser.
#include <wx/combobox.h>
#include <wx/animate.h>
#include <wx/generic/animate.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

#include "res/menus.h"
#include "res/resource_ids.h"
#include "res/standard_ids.h"
#include "shell/main_frame.h"
#include "shell/sorvane_doc.h"
#include "shell/web_view.h"

namespace sorvane {

namespace {

// Text sizes by command: Largest sends 4, Smallest 0.
int ZoomOfCommand(int programId) { return ids::ID_FONT_SMALLEST - programId; }


}  // namespace

void CMainFrame::NavigateTo(const wxString& address) {
  if (CWebView* web = m_pView ? m_pView->WebView() : nullptr) web->Navigate(address);
}

void CMainFrame::OnGoBack(wxCommandEvent&) {
  if (CWebView* web = m_pView->WebView()) web->GoBack();
}

void CMainFrame::OnGoForward(wxCommandEvent&) {
  if (CWebView* web = m_pView->WebView()) web->GoForward();
}

void CMainFrame::OnStop(wxCommandEvent&) {
  if (CWebView* web = m_pView->WebView()) web->Stop();
}

void CMainFrame::OnRefresh(wxCommandEvent&) {
  if (CWebView* web = m_pView->WebView()) web->Refresh();
}

void CMainFrame::OnStartPage(wxCommandEvent&) {
  NavigateTo(wxString::FromUTF8((m_options.programFolder / "index.htm").string()));
}

void CMainFrame::OnTextSize(wxCommandEvent& event) {
  if (CWebView* web = m_pView->WebView()) web->SetTextSize(ZoomOfCommand(res::FromWxId(event.GetId())));
}

void CMainFrame::OnPrint(wxCommandEvent&) {
  if (CWebView* web = m_pView->WebView()) web->Print();
}

// Enter: go to the typed address and keep it in the list, repeats included.
void CMainFrame::OnAddressEnter(wxCommandEvent&) {
  const wxString address = m_wndAddress->GetValue();
  NavigateTo(address);
  m_wndAddress->Append(address);
}

void CMainFrame::OnAddressChosen(wxCommandEvent&) {
  const int chosen = m_wndAddress->GetSelection();
  if (chosen == wxNOT_FOUND) return;
  NavigateTo(m_wndAddress->GetString(static_cast<unsigned>(chosen)));
}

// The status bar's first pane shows the address under the pointer, and its
// idle message again once the pointer has left the link.
void CMainFrame::OnStatusTextChange(const wxString& text) {
  SetStatusText(text.empty() ? wxString("Ready") : text, 0);
}

void CMainFrame::OnNavigateComplete2(const wxString& address) {
  StopThrobber();
  m_wndAddress->ChangeValue(address);
}

void CMainFrame::OnTitleChange(const wxString& title) {
  if (m_document) {
    m_document->SetTitle(title);
  } else {
    SetDocumentTitle(title);
  }
}

// Every completed document joins the address list, so a page of frames adds one
// entry per frame.
void CMainFrame::OnDocumentComplete(const wxString& address) {
  m_wndAddress->Append(address);
  m_wndAddress->ChangeValue(address);
}

// Without a browser the window keeps the List View alone: the toolbar and the
// address box go, and so do the menu items that only serve a browser. The
// throbber stays for the searches, and the Ctrl+O accelerator stays too.
void CMainFrame::TrimForNoBrowser() {
  m_wndToolBar->Hide();
  m_wndAddress->Hide();
  m_addressLabel->Hide();
  m_wndReBar->Layout();
  Layout();

  wxMenuBar* bar = GetMenuBar();
  for (const int id : {res::ToWxId(ids::ID_FILE_OPEN), res::ToWxId(ids::AFX_IDW_TOOLBAR)}) {
    wxMenu* owner = nullptr;
    if (wxMenuItem* item = bar->FindItem(id, &owner)) owner->Destroy(item);
  }
  for (int i = 0; i < 2; ++i) delete bar->Remove(res::kGoMenuPosition);
  m_trimmed = true;
  // The browser's part of the View menu runs from Stop to the Fonts popup;
  // found by Stop's id, so items added above it do not shift what goes.
  wxMenu* view = bar->GetMenu(res::kViewMenuPosition);
  size_t position = 0;
  if (!view->FindChildItem(res::ToWxId(ids::ID_VIEW_STOP), &position)) return;
  while (position < view->GetMenuItemCount()) {
    wxMenuItem* item = view->FindItemByPosition(position);
    const bool fonts = item->IsSubMenu();
    view->Destroy(item);
    if (fonts) break;
  }
}

}  // namespace sorvane
