// The program's end during a web search: fifty engines whose server never
// answers, the run closed as closing the window closes it, and every worker
// thread joined within the program's grace, so that no static destructor of
// the HTTP or TLS library runs under a worker.

#include <gtest/gtest.h>

#include "core/category.h"
#include "core/search_run.h"
#include "core/worker_thread.h"
#include "support/raw_server.h"
#include "support/recording_listener.h"

namespace sorvane {
namespace {

using namespace std::chrono_literals;
using testing::RawConnection;
using testing::RawServer;
using testing::RecordingListener;

SearchEngine HangingEngine(int number, const std::string& origin) {
  SearchEngine engine;
  engine.name = "Hanging " + std::to_string(number);
  engine.url = origin;
  engine.searchType = ResultCount;
  engine.prefix = "/hang?id=" + std::to_string(number) + "&n=%d&q=";
  engine.startToken = "<a href=\"http";
  engine.endToken = "</a>";
  return engine;
}

template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

TEST(ProgramEnd, ClosingDuringAHangingSearchJoinsEveryWorkerInTime) {
  RawServer server([](RawConnection& connection) { connection.HangUntilStopped(); });
  EngineList engines;
  Category category;
  category.name = "Arts";
  category.engineNames.emplace();
  for (int i = 0; i < kMaxEngineJobs; ++i) {
    engines.Append(HangingEngine(i, server.Origin()));
    category.engineNames->push_back("Hanging " + std::to_string(i));
  }
  auto table = std::make_shared<ResultsTable>();
  auto listener = std::make_shared<RecordingListener>();
  // The program's own session limits: the stop is seen within its poll.
  SearchRunner runner{ConnectionSettings{}};
  runner.StartSearch(category, "wooden boats", 2, engines, table, listener);
  // Every worker waits for an answer that never comes.
  ASSERT_TRUE(WaitUntil([&] { return server.Requests().size() == kMaxEngineJobs; }, 30s));
  ASSERT_GE(RunningWorkerThreads(), kMaxEngineJobs);

  const auto closed = std::chrono::steady_clock::now();
  runner.CurrentRun()->Close();
  const bool joined = EndWorkerThreads(closed + 10s);
  const auto took = std::chrono::steady_clock::now() - closed;
  EXPECT_TRUE(joined);
  EXPECT_EQ(RunningWorkerThreads(), 0);
  // The program gives its workers 300 ms; the margin is this machine's noise
  // (and the sanitizer's slowness), not the design's.
  EXPECT_LT(took, 3s) << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
  EXPECT_EQ(table->RowCount(), 0);
}

TEST(ProgramEnd, ThreadsThatEndedAreJoinedByTheNextStart) {
  std::atomic<int> ran{0};
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(StartDetachedThread([&ran] { ++ran; }));
  EXPECT_TRUE(EndWorkerThreads(std::chrono::steady_clock::now() + 10s));
  EXPECT_EQ(ran.load(), 200);
  EXPECT_EQ(RunningWorkerThreads(), 0);

  // A thread that outlives the grace is reported, and still counted.
  std::atomic<bool> release{false};
  ASSERT_TRUE(StartDetachedThread([&release] {
    while (!release.load()) std::this_thread::sleep_for(1ms);
  }));
  EXPECT_FALSE(EndWorkerThreads(std::chrono::steady_clock::now() + 20ms));
  EXPECT_EQ(RunningWorkerThreads(), 1);
  release.store(true);
  EXPECT_TRUE(EndWorkerThreads(std::chrono::steady_clock::now() + 10s));
}

}  // namespace
}  // namespace sorvane
