// Ending a folder scan early: the stop, which keeps the rows found, and the
// forced end, after which the scan touches neither the table nor the listener.

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "pcsearch/folder_scan.h"
#include "pcsearch/scan_test_support.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using namespace sorvane::testing;

TEST(FolderScan, StopEndsTheScanBeforeTheNextEntryAndKeepsTheRows) {
  TempFolder root;
  WriteLargeTree(root, 20, 25);
  for (int readers : {0, 2}) {
    ScanRequest request;
    request.folders = {root.path().string()};
    request.phrase = "tar";
    request.recurse = true;
    request.readers = readers;
    ResultsTable table;
    RecordingScanListener listener;
    ScanControl control;
    // Reader threads fall behind the walk, so with them the stop waits for rows.
    std::size_t stoppedAt = 0;
    std::size_t rowsAtStop = 0;
    listener.onProgress = [&](std::size_t calls) {
      if (stoppedAt != 0 || (readers == 0 ? calls < 120 : table.RowCount() < 10)) return;
      stoppedAt = calls;
      rowsAtStop = static_cast<std::size_t>(table.RowCount());
      control.RequestStop();
    };
    EXPECT_EQ(ScanFolders(request, table, listener, control), ScanEnd::Stopped);
    ASSERT_GT(stoppedAt, 0u) << "readers " << readers;
    EXPECT_EQ(listener.progress.size(), stoppedAt) << "readers " << readers;
    EXPECT_EQ(listener.doneCalls, 1);
    const std::vector<std::string> visited = listener.Paths();
    const std::vector<std::string> rows = Urls(table.Snapshot());
    // The file shown when the stop came is not read; the ones before it were
    // (reader threads may not have got to the last of them before the stop).
    const std::vector<std::string> readBefore(visited.begin(), visited.end() - 1);
    if (readers == 0) {
      EXPECT_EQ(rows, readBefore);
    } else {
      ASSERT_LE(rows.size(), readBefore.size());
      EXPECT_TRUE(std::equal(rows.begin(), rows.end(), readBefore.begin()));
      EXPECT_GE(rows.size(), rowsAtStop);
    }
  }
}

TEST(FolderScan, StopIsSeenInsideTheReadingOfALargeFile) {
  TempFolder root;
  root.Write("big.bin", std::string(8 << 20, 'x'));
  ScanRequest request;
  request.folders = {root.path().string()};
  request.phrase = "tar";
  ResultsTable table;
  RecordingScanListener listener;
  ScanControl control;
  listener.onProgress = [&](std::size_t) { control.RequestStop(); };
  EXPECT_EQ(ScanFolders(request, table, listener, control), ScanEnd::Stopped);
  EXPECT_LT(control.BytesRead(), std::uint64_t{8 << 20});
}

TEST(FolderScan, AnAbandonedScanNoLongerTouchesTheTableOrTheListener) {
  TempFolder root;
  WriteLargeTree(root, 10, 40);
  for (int readers : {0, 2}) {
    ScanRequest request;
    request.folders = {root.path().string()};
    request.phrase = "tar";
    request.recurse = true;
    request.readers = readers;
    ResultsTable table;
    RecordingScanListener listener;
    ScanControl control;
    int rowsWhenAbandoned = -1;
    std::size_t callsWhenAbandoned = 0;
    // Reader threads may still be reading the files before; they are cut off too.
    listener.onProgress = [&](std::size_t calls) {
      if (callsWhenAbandoned != 0 || table.RowCount() < 20) return;
      control.Abandon();
      callsWhenAbandoned = calls;
      rowsWhenAbandoned = table.RowCount();
    };
    ScanFolders(request, table, listener, control);
    ASSERT_GT(callsWhenAbandoned, 0u) << "readers " << readers;
    EXPECT_LT(callsWhenAbandoned, 400u);
    EXPECT_EQ(listener.progress.size(), callsWhenAbandoned);
    EXPECT_EQ(listener.doneCalls, 0);
    EXPECT_EQ(table.RowCount(), rowsWhenAbandoned);
  }
}

// The forced end comes from another thread, the one that owns the listener's
// window: a listener that hands its calls to that thread re-checks the abandon
// flag there, so nothing reaches the window once Abandon has returned. The
// walk is held in its 300th call while reader threads go on adding rows.
TEST(FolderScan, AbandonFromAnotherThreadFreezesTheTable) {
  TempFolder root;
  WriteLargeTree(root, 20, 50);

  class WindowListener : public ScanListener {
   public:
    explicit WindowListener(ScanControl& control) : control_(control) {}
    void OnProgress(std::string_view) override { Deliver(); }
    void OnScanDone() override { Deliver(); }

    std::mutex windowThread;  // held while the owning thread works
    std::condition_variable changed;
    int delivered = 0;
    int deliveredAfterAbandon = 0;
    bool held = false;
    bool abandoned = false;

   private:
    void Deliver() {
      std::unique_lock lock(windowThread);
      if (control_.Abandoned()) return;
      ++delivered;
      if (abandoned) ++deliveredAfterAbandon;
      if (delivered == 300) {
        held = true;
        changed.notify_all();
        changed.wait(lock, [this] { return abandoned; });
      }
    }
    ScanControl& control_;
  };

  ScanRequest request;
  request.folders = {root.path().string()};
  request.phrase = "tar";
  request.recurse = true;
  request.readers = 2;
  ResultsTable table;
  ScanControl control;
  WindowListener listener(control);
  int rowsWhenAbandoned = -1;
  std::thread worker([&] { ScanFolders(request, table, listener, control); });
  {
    std::unique_lock lock(listener.windowThread);
    listener.changed.wait(lock, [&] { return listener.held; });
    control.Abandon();
    listener.abandoned = true;
    rowsWhenAbandoned = table.RowCount();
    listener.changed.notify_all();
  }
  worker.join();
  EXPECT_EQ(listener.delivered, 300);
  EXPECT_EQ(listener.deliveredAfterAbandon, 0);
  EXPECT_EQ(table.RowCount(), rowsWhenAbandoned);
  EXPECT_LT(rowsWhenAbandoned, 300);
}


}  // namespace
}  // namespace sorvane
