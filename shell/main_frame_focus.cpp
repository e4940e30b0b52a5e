// The keyboard round the window: Tab and Shift+Tab through every control in the
// order a person reads the window (the bars, the category pane, the tabs, the
// list or the page), F6 and Shift+F6 between its three parts (the category
// pane, the view, the bars), the category pane's Enter and menu keys, and the
// framework's New (Ctrl+N).
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/webview.h>

#include <algorithm>

#include "res/menu_builder.h"
#include "res/menus.h"
#include "res/resource_ids.h"
#include "res/standard_ids.h"
#include "results/results_list_ctrl.h"
#include "shell/category_pane.h"
#include "shell/main_frame.h"
#include "shell/sorvane_doc.h"

namespace sorvane {

namespace {

bool Reachable(const wxWindow* window) {
  return window && window->IsShownOnScreen() && window->IsEnabled();
}

// The window of `order` that holds `focus` (itself or one of its children), or -1.
int IndexHolding(const std::vector<wxWindow*>& order, wxWindow* focus) {
  for (wxWindow* window = focus; window; window = window->GetParent()) {
    const auto found = std::find(order.begin(), order.end(), window);
    if (found != order.end()) return static_cast<int>(found - order.begin());
    if (window->IsTopLevel()) break;
  }
  return -1;
}

// Gives the focus to the next reachable window of `order` after `from`
// (backwards with `forward` false), wrapping round.
void FocusNext(const std::vector<wxWindow*>& order, int from, bool forward) {
  const int count = static_cast<int>(order.size());
  for (int step = 1; step <= count; ++step) {
    const int index = ((from < 0 && !forward ? 0 : from) + (forward ? step : -step) % count + count) % count;
    if (Reachable(order[static_cast<std::size_t>(index)])) {
      order[static_cast<std::size_t>(index)]->SetFocus();
      return;
    }
  }
}

}  // namespace

void CMainFrame::BindKeyboard() {
  Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { MoveFocusBetweenParts(true); }, res::ToWxId(ids::ID_NEXT_PANE));
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { MoveFocusBetweenParts(false); }, res::ToWxId(ids::ID_PREV_PANE));
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { NewDocument(); }, res::ToWxId(ids::ID_FILE_NEW));
  m_pCategoryList->Bind(wxEVT_LIST_KEY_DOWN, &CMainFrame::OnCategoryKey, this);
}

// What the view shows in front: the list's rows (which take its keys) or the page.
wxWindow* CMainFrame::ViewFocusWindow() const {
  if (!m_pView) return nullptr;
  wxWindow* shown = m_pView->ShownWindow();
  if (m_pView->ResultsList() && shown == m_pView->ResultsList()) return &m_pView->ResultsList()->RowsWindow();
  if (m_pView->WebView() && shown == m_pView->WebView()) return m_pView->WebView()->Browser();
  return shown;
}

std::vector<wxWindow*> CMainFrame::TabOrder() const {
  return {m_wndAddress, m_cbPrevious, m_btnSearch, m_btnDelete, m_pCategoryList,
          m_pView ? m_pView->Tabs() : nullptr, ViewFocusWindow()};
}

void CMainFrame::OnCharHook(wxKeyEvent& event) {
  if (event.GetKeyCode() != WXK_TAB || event.ControlDown() || event.AltDown()) {
    event.Skip();
    return;
  }
  wxWindow* focus = wxWindow::FindFocus();
  // A page moves through its own links with Tab; F6 leaves it, as in a browser.
  if (m_pView && m_pView->WebView() && IndexHolding({m_pView->WebView()}, focus) == 0) {
    event.Skip();
    return;
  }
  const std::vector<wxWindow*> order = TabOrder();
  FocusNext(order, IndexHolding(order, focus), !event.ShiftDown());
}

void CMainFrame::MoveFocusBetweenParts(bool forward) {
  wxWindow* bars = Reachable(m_wndAddress) ? static_cast<wxWindow*>(m_wndAddress) : m_cbPrevious;
  const std::vector<wxWindow*> parts = {m_pCategoryList, ViewFocusWindow(), bars};
  wxWindow* focus = wxWindow::FindFocus();
  int from = IndexHolding(parts, focus);
  // Anywhere in the bars counts as the bars.
  if (from < 0 && IndexHolding({m_wndReBar}, focus) == 0) from = 2;
  if (from < 0 && m_pView && IndexHolding({m_pView}, focus) == 0) from = 1;
  FocusNext(parts, from, forward);
}

// Enter acts as a click on the selected row; the menu key and Shift+F10 open
// the row's menu under it.
void CMainFrame::OnCategoryKey(wxListEvent& event) {
  const int key = event.GetKeyCode();
  if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
    CallAfter([this] { SearchSelectedCategory(); });
  } else if (key == WXK_MENU || key == WXK_WINDOWS_MENU || (key == WXK_F10 && wxGetKeyState(WXK_SHIFT))) {
    const int row = m_pCategoryList->SelectedRow();
    wxRect rect;
    if (row >= 0 && m_pCategoryList->GetItemRect(row, rect)) {
      ShowCategoryMenu(ScreenToClient(m_pCategoryList->ClientToScreen(wxPoint(rect.x + 16, rect.GetBottom()))));
    } else {
      ShowCategoryMenu(ScreenToClient(m_pCategoryList->GetScreenPosition()));
    }
  } else {
    event.Skip();
  }
}

// The framework's New: an empty document, whose title is "Untitled".
void CMainFrame::NewDocument() {
  if (m_document) m_document->SetTitle("Untitled");
  else SetDocumentTitle("Untitled");
}

}  // namespace sorvane
