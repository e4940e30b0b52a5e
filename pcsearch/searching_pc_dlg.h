#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <chrono>
#include <functional>
#include <memory>

class wxButton;
class wxStaticText;

namespace sorvane {

class ScanProgressText;
class SettingsStore;

// The modeless "Searching PC..." window that follows a running scan: the file
// being read and "&Stop". It closes only when its owner ends it at the end of
// the scan; Enter, Esc and the close box do nothing. It remembers its place in
// the settings ("PCStatusX", "PCStatusY", and the RIGHT and BOTTOM edges as
// "PCStatusW", "PCStatusH").
//
// How the main frame drives it:
//   auto* dialog = new CSearchingPCDlg(frame, frame->SettingsSection());
//   dialog->SetStopHandlers([control] { control->RequestStop(); },
//                           [frame, control] { control->Abandon(); frame->OnPcSearchDone(); });
//   dialog->Show();
//   // the scan listener's OnProgress, on the worker:  progress->Put(text);
//   //   where progress = dialog->ProgressText(), taken before the scan starts
//   // at the end of the scan, on the UI thread:
//   dialog->SavePlacement();
//   dialog->Destroy();
//
// UI thread only, except the object ProgressText() returns.
class CSearchingPCDlg final : public wxDialog {
 public:
  // How often at most the shown text changes: fast enough to look alive,
  // slow enough to read.
  static constexpr std::chrono::milliseconds kDisplayInterval{50};
  // How long after "&Stop" a scan that has not ended is given up.
  static constexpr std::chrono::milliseconds kForcedEndDelay{1000};

  // Creates the window from its template and restores the saved placement.
  // `settings` must outlive the window.
  CSearchingPCDlg(wxWindow* owner, SettingsStore& settings);
  ~CSearchingPCDlg() override;

  // `stop` runs when "&Stop" is pressed; `forcedEnd` a second later if the
  // window still exists then, that is, if the scan has not ended by itself.
  // `forcedEnd` typically gives the scan up and ends the search as its end
  // would, which destroys this window: it must do so with Destroy().
  void SetStopHandlers(std::function<void()> stop, std::function<void()> forcedEnd);

  // Where the scan leaves its newest "Scanning <path>" text, from any thread;
  // the window shows the newest one at most every kDisplayInterval. It lives
  // on after the window as long as someone holds it.
  std::shared_ptr<ScanProgressText> ProgressText() const { return m_progress; }

  // Writes the window's edges to the settings at once.
  void SavePlacement();

  wxStaticText& FolderText() { return *m_folderText; }
  wxButton& StopButton() { return *m_stopButton; }

 private:
  void BindEvents();
  void RestorePlacement();
  void OnStop(wxCommandEvent& event);
  void OnDisplayTimer(wxTimerEvent& event);
  void OnForcedEndTimer(wxTimerEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void OnClose(wxCloseEvent& event);

  int m_left = -1;
  int m_top = -1;
  int m_right = -1;
  int m_bottom = -1;
  wxStaticText* m_folderText = nullptr;
  wxButton* m_stopButton = nullptr;

  SettingsStore& m_settings;
  std::shared_ptr<ScanProgressText> m_progress;
  std::function<void()> m_stopHandler;
  std::function<void()> m_forcedEndHandler;
  wxTimer m_displayTimer;
  wxTimer m_forcedEndTimer;
};

}  // namespace sorvane
