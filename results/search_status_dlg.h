#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>

class wxButton;
class wxListCtrl;

namespace sorvane {

class SearchRun;
class SettingsStore;

// The modeless "Search Status" window of one web search: a row per engine slot
// (row index = slot) with its percentage and what its worker is doing, and the
// "&Stop" button. It remembers its place in the settings ("StatusX", "StatusY",
// and the RIGHT and BOTTOM edges as "StatusW", "StatusH").
// UI thread only: workers reach it through a WindowEngineListener.
class CSearchStatusDlg final : public wxDialog {
 public:
  // Creates the window from its template, makes the columns and restores the
  // saved placement. `settings` must outlive the window.
  CSearchStatusDlg(wxWindow* owner, SettingsStore& settings);

  // What "&Stop" does besides disabling itself: asks the run to stop (the run
  // gives up the workers that have not ended a second later on its own thread).
  void AttachRun(SearchRun& run);
  void SetStopHandler(std::function<void()> stop) { m_stopHandler = std::move(stop); }

  // Appends slot's row: name, "0%", "Starting", then widens the columns to it.
  void AddEngineRow(const std::string& engineName);
  // A worker's progress: "<percent>%" in column 1, the status text for the
  // percentages that have one in column 2. Slots without a row are ignored.
  void OnEngineProgress(int slot, int percent);
  // The engine's outcome in the "Result" column, once its done has come
  // ("3 hits", "Timed out", ...). Slots without a row are ignored.
  void SetEngineResult(int slot, const std::string& result);
  // Writes the window's edges to the settings at once.
  void SavePlacement();

  wxListCtrl& EngineList() { return *m_engineList; }
  wxButton& StopButton() { return *m_stopButton; }

 private:
  void BindEvents();
  void RestorePlacement();
  void OnStop(wxCommandEvent& event);

  wxButton* m_stopButton = nullptr;
  wxListCtrl* m_engineList = nullptr;
  int m_left = -1;
  int m_top = -1;
  int m_right = -1;
  int m_bottom = -1;
  SettingsStore& m_settings;
  std::function<void()> m_stopHandler;
};

}  // namespace sorvane
