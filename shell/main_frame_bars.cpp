// The bar rows above the client area and the status bar below it.
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/animate.h>
#include <wx/generic/animate.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "dialogs/window_builder.h"
#include "res/embedded_files.h"
#include "res/menu_builder.h"
#include "res/image_resources.h"
#include "res/menus.h"
#include "res/resource_ids.h"
#include "res/standard_ids.h"
#include "shell/main_frame.h"

namespace sorvane {

namespace {

wxString ToWx(std::string_view text) { return wxString::FromUTF8(text.data(), text.size()); }

constexpr int kThrobberSize = 10;
constexpr int kStatusPanes = 4;

// One 22-pixel image of a toolbar strip, magenta transparent; an empty image of
// the same size when the strip was not supplied, so the buttons keep their place.
wxBitmap ToolbarImage(const wxImage& strip, int index) {
  const int width = res::kToolbarImageWidth;
  if (strip.IsOk() && (index + 1) * width <= strip.GetWidth()) {
    wxImage image = strip.GetSubImage(wxRect(index * width, 0, width, strip.GetHeight()));
    image.SetMaskColour(0xFF, 0x00, 0xFF);
    return wxBitmap(image);
  }
  wxImage blank(width, width);
  blank.SetAlpha();
  for (int y = 0; y < width; ++y)
    for (int x = 0; x < width; ++x) blank.SetAlpha(x, y, 0);
  return wxBitmap(blank);
}

}  // namespace

bool CMainFrame::CreateBars() {
  m_wndReBar = new wxPanel(this, res::ToWxId(ids::AFX_IDW_REBAR));
  if (!CreateDialogBar()) return false;
  if (!CreateToolBar()) return false;
  CreateAddressAndThrobber();
  LayoutReBar();
  return true;
}

bool CMainFrame::CreateDialogBar() {
  m_wndDlgBar = new wxPanel(m_wndReBar, res::ToWxId(ids::AFX_IDW_DIALOGBAR));
  BuildWindowControls(*m_wndDlgBar, res::PreviousSearchesTemplate());
  m_wndDlgBar->SetMinSize(m_wndDlgBar->GetClientSize());
  m_cbPrevious = dynamic_cast<wxChoice*>(m_wndDlgBar->FindWindow(ids::IDC_PREVIOUS_LIST));
  m_btnSearch = dynamic_cast<wxButton*>(m_wndDlgBar->FindWindow(ids::IDC_PREVIOUS_SEARCH));
  m_btnDelete = dynamic_cast<wxButton*>(m_wndDlgBar->FindWindow(ids::IDC_PREVIOUS_DELETE));
  return m_cbPrevious && m_btnSearch && m_btnDelete;
}

bool CMainFrame::CreateToolBar() {
  m_wndToolBar = new wxToolBar(m_wndReBar, res::ToWxId(ids::AFX_IDW_TOOLBAR), wxDefaultPosition, wxDefaultSize,
                               wxTB_FLAT | wxTB_HORIZONTAL | wxTB_TEXT | wxTB_NODIVIDER);
  const wxImage normal = res::LoadEmbeddedImage(res::BitmapFileName(ids::IDB_TOOLBAR_NORMAL));
  m_wndToolBar->SetToolBitmapSize(wxSize(res::kToolbarImageWidth, res::kToolbarImageWidth));
  for (const res::ToolbarButton& button : res::ToolbarButtons()) {
    const int id = res::ToWxId(button.id);
    m_wndToolBar->AddTool(id, ToWx(button.text), ToolbarImage(normal, button.image), wxNullBitmap,
                          button.dropDown ? wxITEM_DROPDOWN : wxITEM_NORMAL, ToWx(res::CommandTooltip(button.id)),
                          ToWx(res::CommandPrompt(button.id)));
  }
  return m_wndToolBar->Realize();
}

void CMainFrame::CreateAddressAndThrobber() {
  m_wndAddress = new wxComboBox(m_wndReBar, res::ToWxId(ids::IDC_ADDRESS_BOX), wxString(), wxDefaultPosition, wxSize(200, -1), 0,
                                nullptr, wxCB_DROPDOWN | wxTE_PROCESS_ENTER);
  m_wndAddress->SetMinSize(wxSize(200, -1));
  m_addressLabel = new wxStaticText(m_wndReBar, wxID_ANY, "Address");
  m_wndAnimate = new wxGenericAnimationCtrl(m_wndReBar, res::ToWxId(ids::IDC_THROBBER), wxNullAnimation, wxDefaultPosition,
                                            wxSize(kThrobberSize, kThrobberSize), wxAC_NO_AUTORESIZE);
  wxAnimation animation = wxGenericAnimationCtrl::CreateCompatibleAnimation();
  if (res::LoadThrobber(animation)) {
    m_wndAnimate->SetAnimation(animation);
    m_wndAnimate->SetSize(animation.GetSize());
    m_wndAnimate->SetMinSize(animation.GetSize());
  }
}

// Two rows: the toolbar with the throbber at its end; then the address box with
// its label and the Previous Searches bar.
void CMainFrame::LayoutReBar() {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  auto* first = new wxBoxSizer(wxHORIZONTAL);
  first->Add(m_wndToolBar, 0, wxEXPAND);
  first->AddStretchSpacer();  // keeps the throbber at the right end, toolbar or not
  first->Add(m_wndAnimate, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
  auto* second = new wxBoxSizer(wxHORIZONTAL);
  second->Add(m_addressLabel, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
  second->Add(m_wndAddress, 1, wxALIGN_CENTER_VERTICAL);
  second->Add(m_wndDlgBar, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
  rows->Add(first, 0, wxEXPAND);
  rows->Add(second, 0, wxEXPAND | wxTOP | wxBOTTOM, 2);
  m_wndReBar->SetSizer(rows);
}

bool CMainFrame::CreateStatusBarPanes() {
  wxStatusBar* status = CreateStatusBar(kStatusPanes, wxSTB_DEFAULT_STYLE, res::ToWxId(ids::AFX_IDW_STATUS_BAR));
  if (!status) return false;
  const int widths[kStatusPanes] = {-1, 40, 40, 40};
  status->SetStatusWidths(kStatusPanes, widths);
  SetStatusText("Ready", 0);
  return true;
}

// The lock indicators, kept current as the keyboard state changes.
void CMainFrame::OnIdleUpdateIndicators(wxIdleEvent& event) {
  if (wxStatusBar* status = GetStatusBar()) {
    const struct {
      int pane;
      wxKeyCode key;
      const char* text;
    } indicators[] = {{1, WXK_CAPITAL, "CAP"}, {2, WXK_NUMLOCK, "NUM"}, {3, WXK_SCROLL, "SCRL"}};
    for (const auto& indicator : indicators) {
      const wxString text = wxGetKeyState(indicator.key) ? indicator.text : "";
      if (status->GetStatusText(indicator.pane) != text) status->SetStatusText(text, indicator.pane);
    }
  }
  event.Skip();
}

// The Favorites and Font buttons do nothing themselves; their arrows drop down
// the Favorites popup and the Font menu under the button (the toolbar places a
// tool's drop-down menu at the button's bottom-left corner).
void CMainFrame::SetToolDropDowns() {
  m_wndToolBar->SetDropdownMenu(res::ToWxId(ids::ID_FONT_BUTTON), res::BuildMenu(res::FontMenu()));
  if (wxMenu* favorites = FavoritesPopup()) {
    m_wndToolBar->SetDropdownMenu(res::ToWxId(ids::ID_FAVORITES_BUTTON), CopyMenu(*favorites));
  }
}

wxMenu* CopyMenu(const wxMenu& menu) {
  auto* copy = new wxMenu;
  for (const wxMenuItem* item : menu.GetMenuItems()) {
    if (item->IsSeparator()) {
      copy->AppendSeparator();
    } else if (wxMenu* sub = item->GetSubMenu()) {
      copy->AppendSubMenu(CopyMenu(*sub), item->GetItemLabel());
    } else {
      copy->Append(item->GetId(), item->GetItemLabel(), item->GetHelp(), item->GetKind());
    }
  }
  return copy;
}

}  // namespace sorvane
