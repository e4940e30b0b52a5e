#include "dialogs/help_page.h"
#include "dialogs/wx_text.h"
#include "pcsearch/searching_pc_dlg.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include "core/settings_store.h"
#include "dialogs/control_lookup.h"
#include "dialogs/window_builder.h"
#include "pcsearch/scan_progress_text.h"
#include "res/pc_search_templates.h"

namespace sorvane {

namespace {
constexpr int kForcedEndTimerId = 1;
constexpr int kDisplayTimerId = 2;
}  // namespace

CSearchingPCDlg::CSearchingPCDlg(wxWindow* owner, SettingsStore& settings)
    : wxDialog(owner, wxID_ANY, ToWx(res::SearchingPcTemplate().title), wxDefaultPosition, wxDefaultSize,
               wxCAPTION),
      m_settings(settings),
      m_progress(std::make_shared<ScanProgressText>()),
      m_displayTimer(this, kDisplayTimerId),
      m_forcedEndTimer(this, kForcedEndTimerId) {
  const auto controls = BuildWindowControls(*this, res::SearchingPcTemplate());
  m_folderText = &TemplateControl<wxStaticText>(controls, res::IDC_PC_SCANNING);
  m_stopButton = &TemplateControl<wxButton>(controls, res::IDC_PC_STOP);
  // Esc would otherwise close the window as a Cancel button does.
  SetEscapeId(wxID_NONE);
  RestorePlacement();
  BindEvents();
  m_displayTimer.Start(static_cast<int>(kDisplayInterval.count()));
  SetHelpPage(*this, "my_pc.html");
}

CSearchingPCDlg::~CSearchingPCDlg() {
  m_displayTimer.Stop();
  m_forcedEndTimer.Stop();
}

void CSearchingPCDlg::BindEvents() {
  m_stopButton->Bind(wxEVT_BUTTON, &CSearchingPCDlg::OnStop, this);
  Bind(wxEVT_TIMER, &CSearchingPCDlg::OnDisplayTimer, this, kDisplayTimerId);
  Bind(wxEVT_TIMER, &CSearchingPCDlg::OnForcedEndTimer, this, kForcedEndTimerId);
  Bind(wxEVT_CHAR_HOOK, &CSearchingPCDlg::OnCharHook, this);
  Bind(wxEVT_CLOSE_WINDOW, &CSearchingPCDlg::OnClose, this);
}

void CSearchingPCDlg::SetStopHandlers(std::function<void()> stop, std::function<void()> forcedEnd) {
  m_stopHandler = std::move(stop);
  m_forcedEndHandler = std::move(forcedEnd);
}

void CSearchingPCDlg::SavePlacement() {
  const wxRect edges = GetScreenRect();
  m_left = edges.GetLeft();
  m_top = edges.GetTop();
  m_right = edges.GetRight() + 1;
  m_bottom = edges.GetBottom() + 1;
  m_settings.WriteNumber("PCStatusX", m_left);
  m_settings.WriteNumber("PCStatusY", m_top);
  m_settings.WriteNumber("PCStatusW", m_right);
  m_settings.WriteNumber("PCStatusH", m_bottom);
  m_settings.Flush();
}

void CSearchingPCDlg::RestorePlacement() {
  m_left = static_cast<int>(m_settings.NumberOr("PCStatusX", -1));
  m_top = static_cast<int>(m_settings.NumberOr("PCStatusY", -1));
  m_right = static_cast<int>(m_settings.NumberOr("PCStatusW", -1));
  m_bottom = static_cast<int>(m_settings.NumberOr("PCStatusH", -1));
  if (m_left == -1 || m_top == -1 || m_right == -1 || m_bottom == -1) return;
  SetSize(m_left, m_top, m_right - m_left, m_bottom - m_top);
  Refresh();
}

void CSearchingPCDlg::OnStop(wxCommandEvent&) {
  m_stopButton->Disable();
  if (m_stopHandler) m_stopHandler();
  m_forcedEndTimer.StartOnce(static_cast<int>(kForcedEndDelay.count()));
}

void CSearchingPCDlg::OnDisplayTimer(wxTimerEvent&) {
  // The text is a path: an ampersand in it is a character, not a mnemonic.
  if (const auto text = m_progress->TakeNew()) m_folderText->SetLabelText(ToWx(*text));
}

// The timer belongs to the window, so it cannot fire once the window is gone:
// a scan that ended by itself in time never gets here.
void CSearchingPCDlg::OnForcedEndTimer(wxTimerEvent&) {
  m_forcedEndTimer.Stop();
  if (m_forcedEndHandler) m_forcedEndHandler();
}

void CSearchingPCDlg::OnCharHook(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (key == WXK_ESCAPE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER) return;
  event.Skip();
}

// Only the end of the scan closes the window; a close that can be refused is.
void CSearchingPCDlg::OnClose(wxCloseEvent& event) {
  if (event.CanVeto()) {
    event.Veto();
    return;
  }
  Destroy();
}

}  // namespace sorvane
