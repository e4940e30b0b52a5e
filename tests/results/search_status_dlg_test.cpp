#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/listctrl.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "core/engine_outcome.h"
#include "core/settings_store.h"
#include "results/column_fit.h"
#include "results/search_status_dlg.h"
#include "results/window_engine_listener.h"
#include "support/gui_test_support.h"

namespace sorvane {
namespace {

using testing::PumpUntil;

// Runs `work` on a worker thread while the UI thread keeps handling events,
// as the window program does during a search; true when it ended in time.
bool RunOnWorker(const std::function<void()>& work) {
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    work();
    finished = true;
  });
  const bool ended = PumpUntil([&] { return finished.load(); });
  worker.join();
  return ended;
}

class SearchStatusDlgTest : public ::testing::Test {
 protected:
  void SetUp() override { owner_ = new wxFrame(nullptr, wxID_ANY, "owner"); }
  void TearDown() override { owner_->Destroy(); }

  static wxString Cell(wxListCtrl& list, long row, int column) { return list.GetItemText(row, column); }

  MemorySettingsStore settings_;
  wxFrame* owner_ = nullptr;
};

TEST_F(SearchStatusDlgTest, RowsShowEachWorkersProgressTextsArrivingFromAWorkerThread) {
  CSearchStatusDlg dialog(owner_, settings_);
  EXPECT_EQ(dialog.GetTitle(), "Search Status");
  wxListCtrl& list = dialog.EngineList();
  ASSERT_EQ(list.GetColumnCount(), 4);
  dialog.AddEngineRow("Alpha");
  dialog.AddEngineRow("Beta");
  EXPECT_EQ(Cell(list, 1, 0), "Beta");
  EXPECT_EQ(Cell(list, 1, 1), "0%");
  EXPECT_EQ(Cell(list, 1, 2), "Starting");

  EngineReportHandlers handlers;
  handlers.progress = [&](int slot, int percent) { dialog.OnEngineProgress(slot, percent); };
  auto listener = std::make_shared<WindowEngineListener>(dialog, handlers);
  ASSERT_TRUE(RunOnWorker([&] {
    listener->OnEngineProgress(0, 10);
    listener->OnEngineProgress(1, 40);
    listener->OnEngineProgress(0, 60);
    listener->OnEngineProgress(1, 70);
    listener->OnEngineProgress(1, 55);
    listener->OnEngineProgress(7, 30);  // no such row: ignored
  }));
  EXPECT_EQ(Cell(list, 0, 1), "60%");
  EXPECT_EQ(Cell(list, 0, 2), "Reading results");
  // 55 has no text of its own: only the percentage changes.
  EXPECT_EQ(Cell(list, 1, 1), "55%");
  EXPECT_EQ(Cell(list, 1, 2), "Reading results");
  EXPECT_GE(list.GetColumnWidth(2), CellTextWidth(list, "Reading results"));

  ASSERT_TRUE(RunOnWorker([&] { listener->OnEngineProgress(0, 100); }));
  EXPECT_EQ(Cell(list, 0, 1), "100%");
  EXPECT_EQ(Cell(list, 0, 2), "Done");

  // Once its run is closed the listener drops calls, and the worker does not wait.
  listener->Close();
  ASSERT_TRUE(RunOnWorker([&] { listener->OnEngineProgress(1, 80); }));
  EXPECT_EQ(Cell(list, 1, 1), "55%");
}

TEST_F(SearchStatusDlgTest, TheResultColumnTellsEachEnginesOutcomeOnceItsDoneHasCome) {
  CSearchStatusDlg dialog(owner_, settings_);
  wxListCtrl& list = dialog.EngineList();
  wxListItem heading;
  heading.SetMask(wxLIST_MASK_TEXT);
  ASSERT_TRUE(list.GetColumn(3, heading));
  EXPECT_EQ(heading.GetText(), "Result");
  struct Case {
    OutcomeWord word;
    int hits;
    int status;
    const char* detail;
    const char* shown;
  };
  const Case cases[] = {
      {OutcomeWord::Hits, 12, 200, "", "12 hits"},
      {OutcomeWord::Hits, 1, 200, "", "1 hit"},
      {OutcomeWord::AllKnown, 0, 200, "", "No new hits: all found by other engines"},
      {OutcomeWord::Stopped, 0, 0, "", "Stopped"},
      {OutcomeWord::NoConnection, 0, 0, "Could not resolve host: x.invalid",
       "Could not connect: Could not resolve host: x.invalid"},
      {OutcomeWord::TimedOut, 0, 0, "", "Timed out"},
      {OutcomeWord::Refused, 0, 403, "go away", "Refused by the site (HTTP 403)"},
      {OutcomeWord::HttpError, 0, 503, "", "Site error (HTTP 503)"},
      {OutcomeWord::EmptyPage, 0, 200, "", "Empty page"},
      {OutcomeWord::NoHits, 0, 200, "", "No hits: the end marker or the link was not found"},
      {OutcomeWord::MarkersNotFound, 0, 200, "", "No hits: the start marker is not on the page"},
      {OutcomeWord::InvalidAddress, 0, 0, "", "Invalid URL"},
  };
  for (const Case& c : cases) dialog.AddEngineRow("Engine");
  EXPECT_EQ(Cell(list, 0, 3), "");  // nothing before the done
  long row = 0;
  for (const Case& c : cases) {
    EngineOutcome outcome;
    outcome.word = c.word;
    outcome.hits = c.hits;
    outcome.status = c.status;
    outcome.detail = c.detail;
    dialog.SetEngineResult(static_cast<int>(row), OutcomeResultText(outcome));
    EXPECT_EQ(Cell(list, row, 3), c.shown);
    ++row;
  }
  EXPECT_GE(list.GetColumnWidth(3), CellTextWidth(list, "No hits: the end marker or the link was not found"));
  dialog.SetEngineResult(99, "ignored");
  // The other columns are the run's progress as before.
  EXPECT_EQ(Cell(list, 0, 2), "Starting");
}

TEST_F(SearchStatusDlgTest, EveryReportRunsOnTheUiThreadWhileItsWorkerWaits) {
  std::vector<std::pair<int, bool>> seen;  // slot, was it the UI thread
  std::atomic<int> handled{0};
  int searchDone = 0;
  EngineReportHandlers handlers;
  handlers.done = [&](int slot) {
    seen.emplace_back(slot, wxThread::IsMain());
    ++handled;
  };
  handlers.searchDone = [&] { ++searchDone; };
  auto listener = std::make_shared<WindowEngineListener>(*owner_, handlers);
  ASSERT_TRUE(RunOnWorker([&] {
    for (int slot = 0; slot < 5; ++slot) {
      listener->OnEngineDone(slot);
      // Synchronous: the call has been handled by the time it returns.
      EXPECT_EQ(handled.load(), slot + 1);
    }
    listener->OnSearchDone();
  }));
  ASSERT_EQ(seen.size(), 5u);
  for (const auto& [slot, onUiThread] : seen) EXPECT_TRUE(onUiThread) << slot;
  EXPECT_EQ(searchDone, 1);
}

TEST_F(SearchStatusDlgTest, AWorkerWaitingOnAWindowThatIsDestroyedWakesWithoutTheCall) {
  auto* target = new wxFrame(nullptr, wxID_ANY, "target");
  bool called = false;
  EngineReportHandlers handlers;
  handlers.progress = [&](int, int) { called = true; };
  auto listener = std::make_shared<WindowEngineListener>(*target, handlers);
  std::atomic<bool> queued{false};
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    queued = true;
    listener->OnEngineProgress(0, 10);
    finished = true;
  });
  // Give the worker time to queue its call without the UI thread handling it.
  while (!queued) std::this_thread::yield();
  wxMilliSleep(50);
  delete target;
  EXPECT_TRUE(PumpUntil([&] { return finished.load(); }));
  worker.join();
  EXPECT_FALSE(called);
  EXPECT_TRUE(listener->IsClosed());
}

TEST_F(SearchStatusDlgTest, StopDisablesItselfAndAsksTheRunToStopOnce) {
  CSearchStatusDlg dialog(owner_, settings_);
  int stops = 0;
  dialog.SetStopHandler([&] { ++stops; });
  wxButton& stop = dialog.StopButton();
  EXPECT_EQ(stop.GetLabel(), "&Stop");
  ASSERT_TRUE(stop.IsEnabled());
  wxCommandEvent click(wxEVT_BUTTON, stop.GetId());
  click.SetEventObject(&stop);
  stop.GetEventHandler()->ProcessEvent(click);
  EXPECT_FALSE(stop.IsEnabled());
  EXPECT_EQ(stops, 1);
}

TEST_F(SearchStatusDlgTest, PlacementIsRestoredFromEdgesAndSavedAsEdges) {
  settings_.WriteNumber("StatusX", 100);
  settings_.WriteNumber("StatusY", 50);
  settings_.WriteNumber("StatusW", 700);
  settings_.WriteNumber("StatusH", 450);
  {
    CSearchStatusDlg dialog(owner_, settings_);
    EXPECT_EQ(dialog.GetRect(), wxRect(100, 50, 600, 400));
    dialog.Move(120, 70);
    dialog.SavePlacement();
    const wxRect shown = dialog.GetScreenRect();
    EXPECT_EQ(settings_.NumberOr("StatusX", 0), shown.GetLeft());
    EXPECT_EQ(settings_.NumberOr("StatusY", 0), shown.GetTop());
    EXPECT_EQ(settings_.NumberOr("StatusW", 0), shown.GetRight() + 1);
    EXPECT_EQ(settings_.NumberOr("StatusH", 0), shown.GetBottom() + 1);
  }
  // One value of -1 leaves the template's size.
  settings_.WriteNumber("StatusW", -1);
  CSearchStatusDlg dialog(owner_, settings_);
  EXPECT_EQ(dialog.GetClientSize(), dialog.ConvertDialogToPixels(wxSize(317, 175)));
}

}  // namespace
}  // namespace sorvane
