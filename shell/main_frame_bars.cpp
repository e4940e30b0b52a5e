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

#include <algorithm>
#include <vector>

#include "dialogs/window_builder.h"
#include "res/window_templates.h"
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

// The gap between two bands of a row, and the least width the toolbar keeps
// (its overflow menu) when the window is narrow.
constexpr int kBandGap = 4;
constexpr int kLeastToolBarWidth = 48;
constexpr int kThrobberMargin = 4;

// The Previous Searches bar's controls in a row: the label and the buttons at
// their natural sizes (the template's font was another), the list taking the
// rest, down to a least width.
constexpr int kLeastListWidth = 60;       // dialog units
constexpr int kPreferredListWidth = 158;  // dialog units, the template's

void LayOutDialogBar(wxPanel& bar, const std::vector<wxWindow*>& built) {
  const int gap = bar.ConvertDialogToPixels(wxSize(2, 0)).x;
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  for (wxWindow* control : built) {
    if (auto* list = dynamic_cast<wxChoice*>(control)) {
      list->SetMinSize(wxSize(bar.ConvertDialogToPixels(wxSize(kLeastListWidth, 0)).x, list->GetBestSize().y));
      row->Add(list, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    } else if (auto* button = dynamic_cast<wxButton*>(control)) {
      const wxSize given = button->GetSize();
      const wxSize natural = button->GetBestSize();
      button->SetMinSize(wxSize(std::max(given.x, natural.x), std::max(given.y, natural.y)));
      row->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    } else {
      control->SetMinSize(control->GetBestSize());
      row->Add(control, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    }
  }
  bar.SetSizer(row);
}

struct BarWidths {
  int least;
  int preferred;
};

// The bar's least width shows every control with its list at its least; its
// preferred width gives the list the template's width.
BarWidths DialogBarWidths(const wxPanel& bar) {
  const int least = bar.GetSizer()->CalcMin().x;
  const int listLeast = bar.ConvertDialogToPixels(wxSize(kLeastListWidth, 0)).x;
  const int listPreferred = bar.ConvertDialogToPixels(wxSize(kPreferredListWidth, 0)).x;
  return {least, least + std::max(0, listPreferred - listLeast)};
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
  const res::WindowTemplate shape = res::PreviousSearchesTemplate();
  const std::vector<wxWindow*> built = BuildTemplateControls(*m_wndDlgBar, shape);
  m_cbPrevious = dynamic_cast<wxChoice*>(m_wndDlgBar->FindWindow(ids::IDC_PREVIOUS_LIST));
  m_btnSearch = dynamic_cast<wxButton*>(m_wndDlgBar->FindWindow(ids::IDC_PREVIOUS_SEARCH));
  m_btnDelete = dynamic_cast<wxButton*>(m_wndDlgBar->FindWindow(ids::IDC_PREVIOUS_DELETE));
  if (!m_cbPrevious || !m_btnSearch || !m_btnDelete) return false;
  LayOutDialogBar(*m_wndDlgBar, built);
  return true;
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

// The rows of bars. The first: the toolbar, which gives up buttons at its end
// (into its overflow menu) rather than push the throbber out of the window,
// and the throbber at the right end. The second: the address box with its
// label and the Previous Searches bar; when the window is too narrow for both
// the bar wraps to a third row of its own (ArrangeBars), as a band of a
// rebar does, so that no bar ever covers another.
void CMainFrame::LayoutReBar() {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  auto* first = new wxBoxSizer(wxHORIZONTAL);
  first->Add(m_wndToolBar, 0, wxEXPAND);
  first->AddStretchSpacer();  // keeps the throbber at the right end, toolbar or not
  first->Add(m_wndAnimate, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, kThrobberMargin);
  auto* second = new wxBoxSizer(wxHORIZONTAL);
  second->Add(m_addressLabel, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, kBandGap);
  second->Add(m_wndAddress, 1, wxALIGN_CENTER_VERTICAL);
  second->Add(m_wndDlgBar, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, kBandGap);
  auto* third = new wxBoxSizer(wxHORIZONTAL);
  rows->Add(first, 0, wxEXPAND);
  rows->Add(second, 0, wxEXPAND | wxTOP | wxBOTTOM, 2);
  rows->Add(third, 0, wxEXPAND | wxBOTTOM, 2);
  m_wndReBar->SetSizer(rows);
}

// Places the Previous Searches bar for a rebar `width` pixels wide: beside the
// address box at its own preferred width while both fit, then narrower down
// to the least it can show its controls in (its list gives up the width), and
// below that on a row of its own.
void CMainFrame::ArrangeBars(int width) {
  wxSizer* rows = m_wndReBar ? m_wndReBar->GetSizer() : nullptr;
  if (!rows || rows->GetItemCount() < 3) return;
  wxSizer* second = rows->GetItem(size_t{1})->GetSizer();
  wxSizer* third = rows->GetItem(size_t{2})->GetSizer();
  // The toolbar has its full width while the row holds it and the throbber.
  const int besideThrobber = width - m_wndAnimate->GetMinSize().x - 2 * kThrobberMargin;
  m_wndToolBar->SetMinSize(wxSize(std::max(kLeastToolBarWidth, std::min(besideThrobber, m_wndToolBar->GetBestSize().x)),
                                  m_wndToolBar->GetBestSize().y));
  const BarWidths bar = DialogBarWidths(*m_wndDlgBar);
  // The bar keeps a gap at its left and a margin at its right, on either row.
  const int room = width - 2 * kBandGap;
  int addressLeast = 0;
  if (m_wndAddress->IsShown()) {
    addressLeast = m_wndAddress->GetMinSize().x;
    if (m_addressLabel->IsShown()) addressLeast += m_addressLabel->GetBestSize().x + 2 * kBandGap;
  }
  const bool beside = room - addressLeast >= bar.least;
  const int barWidth = beside ? std::min(room - addressLeast, bar.preferred) : std::min(room, bar.preferred);
  wxSizer* wanted = beside ? second : third;
  if (!wanted->GetItem(m_wndDlgBar)) {
    (beside ? third : second)->Detach(m_wndDlgBar);
    wanted->Add(m_wndDlgBar, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, kBandGap);
  }
  m_wndDlgBar->SetMinSize(wxSize(std::max(0, barWidth), m_wndDlgBar->GetBestSize().y));
}

bool CMainFrame::Layout() {
  // While a window manager settles the frame's decorations, GTK gives the frame
  // a client area a pixel or two high for a moment. Laid out in it, the bars
  // would be squeezed below their least size (and GTK complains of each); they
  // keep their places instead until a real size arrives. A frame dragged that
  // small shows no bars whole either way.
  if (m_wndReBar && m_wndReBar->GetSizer() && GetClientSize().y < m_wndReBar->GetSizer()->CalcMin().y) return false;
  ArrangeBars(GetClientSize().x);
  const bool laidOut = wxFrame::Layout();
  // The Previous Searches bar may have changed rows or width while the rebar
  // kept its size, and only a new size lays the rebar out by itself.
  if (m_wndReBar) m_wndReBar->Layout();
  return laidOut;
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
