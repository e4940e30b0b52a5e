#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/stattext.h>

#include <atomic>
#include <chrono>
#include <set>
#include <string>
#include <thread>

#include "core/settings_store.h"
#include "pcsearch/scan_progress_text.h"
#include "pcsearch/searching_pc_dlg.h"
#include "support/gui_test_support.h"
#include "support/control_events.h"

namespace sorvane {
namespace {

using namespace std::chrono_literals;
using testing::Click;
using testing::Pump;
using testing::PumpUntil;

class SearchingPcDlgTest : public ::testing::Test {
 protected:
  void SetUp() override { owner_ = new wxFrame(nullptr, wxID_ANY, "owner"); }
  void TearDown() override { owner_->Destroy(); }

  MemorySettingsStore settings_;
  wxFrame* owner_ = nullptr;
};

TEST_F(SearchingPcDlgTest, StopAsksTheScanToStopAndGivesItUpASecondLaterIfItIsStillThere) {
  auto* dialog = new CSearchingPCDlg(owner_, settings_);
  EXPECT_EQ(dialog->GetTitle(), "Searching PC...");
  EXPECT_EQ(dialog->FolderText().GetLabelText(), "");
  EXPECT_EQ(dialog->StopButton().GetLabel(), "&Stop");
  int stops = 0;
  int forcedEnds = 0;
  std::chrono::steady_clock::time_point stoppedAt, forcedAt;
  dialog->SetStopHandlers([&] { ++stops; },
                          [&] {
                            ++forcedEnds;
                            forcedAt = std::chrono::steady_clock::now();
                            // What the frame does at the end of a scan.
                            dialog->SavePlacement();
                            dialog->Destroy();
                          });
  dialog->Show();
  stoppedAt = std::chrono::steady_clock::now();
  Click(dialog->StopButton());
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(dialog->StopButton().IsEnabled());
  EXPECT_EQ(forcedEnds, 0);
  ASSERT_TRUE(PumpUntil([&] { return forcedEnds > 0; }, 5s));
  EXPECT_GE(forcedAt - stoppedAt, 950ms);
  Pump(200ms);
  EXPECT_EQ(forcedEnds, 1);
  EXPECT_TRUE(settings_.ReadNumber("PCStatusX"));
}

TEST_F(SearchingPcDlgTest, AScanThatEndsByItselfAfterStopIsNotGivenUp) {
  auto* dialog = new CSearchingPCDlg(owner_, settings_);
  int forcedEnds = 0;
  dialog->SetStopHandlers([] {}, [&] { ++forcedEnds; });
  dialog->Show();
  Click(dialog->StopButton());
  Pump(100ms);
  dialog->Destroy();  // the scan's own end closes the window first
  Pump(1500ms);
  EXPECT_EQ(forcedEnds, 0);
}

TEST_F(SearchingPcDlgTest, EnterEscAndTheCloseBoxLeaveTheWindowOpen) {
  auto* dialog = new CSearchingPCDlg(owner_, settings_);
  dialog->Show();
  for (const int key : {WXK_ESCAPE, WXK_RETURN}) {
    wxKeyEvent press(wxEVT_CHAR_HOOK);
    press.m_keyCode = key;
    press.SetEventObject(dialog);
    dialog->GetEventHandler()->ProcessEvent(press);
  }
  EXPECT_FALSE(dialog->Close());
  Pump(100ms);
  EXPECT_TRUE(dialog->IsShown());
  EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(dialog));
  dialog->Destroy();
}

TEST_F(SearchingPcDlgTest, PlacementComesBackFromEdgesAndAMinusOneLeavesTheTemplatesPlace) {
  settings_.WriteNumber("PCStatusX", 100);
  settings_.WriteNumber("PCStatusY", 50);
  settings_.WriteNumber("PCStatusW", 780);
  settings_.WriteNumber("PCStatusH", 130);
  {
    CSearchingPCDlg dialog(owner_, settings_);
    EXPECT_EQ(dialog.GetRect(), wxRect(100, 50, 680, 80));
    dialog.SetSize(140, 90, 600, 100);
    dialog.SavePlacement();
    const wxRect shown = dialog.GetScreenRect();
    EXPECT_EQ(settings_.NumberOr("PCStatusX", 0), shown.GetLeft());
    EXPECT_EQ(settings_.NumberOr("PCStatusY", 0), shown.GetTop());
    EXPECT_EQ(settings_.NumberOr("PCStatusW", 0), shown.GetRight() + 1);
    EXPECT_EQ(settings_.NumberOr("PCStatusH", 0), shown.GetBottom() + 1);
  }
  {
    // Moved and closed, it opens at the same place and size next time.
    CSearchingPCDlg dialog(owner_, settings_);
    EXPECT_EQ(dialog.GetRect(), wxRect(140, 90, 600, 100));
  }
  settings_.WriteNumber("PCStatusY", -1);
  CSearchingPCDlg dialog(owner_, settings_);
  EXPECT_EQ(dialog.GetClientSize(), dialog.ConvertDialogToPixels(wxSize(341, 54)));
}

TEST_F(SearchingPcDlgTest, AFastScanShowsItsNewestPathAtAPaceAPersonCanRead) {
  auto* dialog = new CSearchingPCDlg(owner_, settings_);
  dialog->Show();
  const auto progress = dialog->ProgressText();
  std::atomic<bool> finished{false};
  std::atomic<int> sent{0};
  const auto started = std::chrono::steady_clock::now();
  std::thread worker([&] {
    // Thousands of files a second, as a scan of small files passes them.
    while (std::chrono::steady_clock::now() - started < 600ms) {
      progress->Put("Scanning /tree/file" + std::to_string(sent++));
      std::this_thread::sleep_for(50us);
    }
    progress->Put("Scanning /tree/R&D notes.txt");
    finished = true;
  });
  std::set<wxString> shown;
  PumpUntil([&] {
    shown.insert(dialog->FolderText().GetLabelText());
    return finished.load();
  });
  worker.join();
  const auto elapsed = std::chrono::steady_clock::now() - started;
  EXPECT_GT(sent.load(), 1000);
  // At most one text per display interval (and the empty start), with room
  // for a timer that fires late, never early.
  const auto intervals = elapsed / CSearchingPCDlg::kDisplayInterval;
  EXPECT_LE(static_cast<long>(shown.size()), intervals + 3);
  EXPECT_GE(shown.size(), 3u);
  // The newest text arrives, an ampersand and all.
  EXPECT_TRUE(PumpUntil([&] { return dialog->FolderText().GetLabelText() == "Scanning /tree/R&D notes.txt"; }, 2s));
  dialog->Destroy();
  // The scan may still hold its side after the window is gone.
  progress->Put("Scanning /after");
  Pump(100ms);
}

}  // namespace
}  // namespace sorvane
