#include "dialogs/wx_text.h"
#include "results/search_status_dlg.h"

#include <wx/button.h>
#include <wx/listctrl.h>

#include "core/engine_listener.h"
#include "core/search_run.h"
#include "core/settings_store.h"
#include "dialogs/window_builder.h"
#include "res/window_templates.h"
#include "results/column_fit.h"

namespace sorvane {

namespace {

constexpr int kNameColumn = 0;
constexpr int kPercentColumn = 1;
constexpr int kStatusColumn = 2;
constexpr int kResultColumn = 3;

}  // namespace

CSearchStatusDlg::CSearchStatusDlg(wxWindow* owner, SettingsStore& settings)
    : wxDialog(owner, wxID_ANY, ToWx(res::SearchStatusTemplate().title), wxDefaultPosition, wxDefaultSize,
               wxCAPTION),
      m_settings(settings) {
  const auto controls = BuildWindowControls(*this, res::SearchStatusTemplate());
  m_stopButton = dynamic_cast<wxButton*>(controls.at(res::IDC_STATUS_STOP));
  m_engineList = dynamic_cast<wxListCtrl*>(controls.at(res::IDC_STATUS_LIST));
  // "Result" stays empty until the engine's done says how its part ended.
  for (const char* title : {"Search Engine", "% Complete", "Status", "Result"})
    m_engineList->AppendColumn(title, wxLIST_FORMAT_LEFT, 0);
  FitColumns(*m_engineList, true);
  RestorePlacement();
  BindEvents();
}

void CSearchStatusDlg::BindEvents() { m_stopButton->Bind(wxEVT_BUTTON, &CSearchStatusDlg::OnStop, this); }

void CSearchStatusDlg::AttachRun(SearchRun& run) {
  SearchRun* target = &run;
  m_stopHandler = [target] { target->Stop(); };
}

void CSearchStatusDlg::AddEngineRow(const std::string& engineName) {
  const long row = m_engineList->InsertItem(m_engineList->GetItemCount(), ToWx(engineName));
  m_engineList->SetItem(row, kPercentColumn, "0%");
  m_engineList->SetItem(row, kStatusColumn, ToWx(*EngineStatusText(kProgressStarting)));
  FitColumnsToRow(*m_engineList, row);
  m_engineList->EnsureVisible(row);
}

void CSearchStatusDlg::OnEngineProgress(int slot, int percent) {
  if (slot < 0 || slot >= m_engineList->GetItemCount()) return;
  m_engineList->SetItem(slot, kPercentColumn, wxString::Format("%d%%", percent));
  if (const auto text = EngineStatusText(percent)) m_engineList->SetItem(slot, kStatusColumn, ToWx(*text));
  FitColumnsToRow(*m_engineList, slot);
}

void CSearchStatusDlg::SetEngineResult(int slot, const std::string& result) {
  if (slot < 0 || slot >= m_engineList->GetItemCount()) return;
  m_engineList->SetItem(slot, kResultColumn, ToWx(result));
  FitColumnsToRow(*m_engineList, slot);
}

void CSearchStatusDlg::SavePlacement() {
  const wxRect edges = GetScreenRect();
  m_left = edges.GetLeft();
  m_top = edges.GetTop();
  m_right = edges.GetRight() + 1;
  m_bottom = edges.GetBottom() + 1;
  m_settings.WriteNumber("StatusX", m_left);
  m_settings.WriteNumber("StatusY", m_top);
  m_settings.WriteNumber("StatusW", m_right);
  m_settings.WriteNumber("StatusH", m_bottom);
  m_settings.Flush();
}

void CSearchStatusDlg::RestorePlacement() {
  m_left = static_cast<int>(m_settings.NumberOr("StatusX", -1));
  m_top = static_cast<int>(m_settings.NumberOr("StatusY", -1));
  m_right = static_cast<int>(m_settings.NumberOr("StatusW", -1));
  m_bottom = static_cast<int>(m_settings.NumberOr("StatusH", -1));
  if (m_left == -1 || m_top == -1 || m_right == -1 || m_bottom == -1) return;
  SetSize(m_left, m_top, m_right - m_left, m_bottom - m_top);
}

void CSearchStatusDlg::OnStop(wxCommandEvent&) {
  m_stopButton->Disable();
  if (m_stopHandler) m_stopHandler();
}

}  // namespace sorvane
