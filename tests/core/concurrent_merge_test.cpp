// Several workers merge into one table at once, as the engines of a search do.
// Run under ThreadSanitizer with -DSORVANE_SANITIZE=thread.

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "core/hit_merge.h"
#include "core/lenient_number.h"
#include "core/result_parser.h"

namespace sorvane {
namespace {

// A link always comes with the same rank, as it does when every engine describes
// it alike, so a second arrival always finds the first.
int RankOf(int link) { return (link * 37) % 101; }

TEST(ConcurrentMerge, EveryHitCountedOnceAndTheOrderKept) {
  ResultsTable table;
  std::atomic<int> notified{0};
  table.SetObserver([&](const std::vector<TableChange>& changes) {
    notified += static_cast<int>(changes.size());
  });

  constexpr int kThreads = 4;
  constexpr int kMergesPerThread = 3000;
  constexpr int kDistinctLinks = 2000;
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([&table, t] {
      for (int i = 0; i < kMergesPerThread; ++i) {
        const int link = (i * 7 + t * 131) % kDistinctLinks;
        MergeHit(table, "hit", "http://l/" + std::to_string(link), RankOf(link), "E" + std::to_string(t));
        if (i % 100 == 0) (void)table.RowCount();
      }
    });
  }
  for (std::thread& worker : workers) worker.join();

  const std::vector<SearchHit> hits = table.Snapshot();
  std::map<std::string, int> seen;
  int totalHits = 0;
  for (std::size_t i = 0; i < hits.size(); ++i) {
    EXPECT_EQ(++seen[hits[i].url], 1) << hits[i].url;
    if (i > 0) {
      EXPECT_GE(hits[i - 1].rank, hits[i].rank);
    }
    totalHits += hits[i].hits;
  }
  EXPECT_EQ(totalHits, kThreads * kMergesPerThread);
  EXPECT_EQ(notified.load(), kThreads * kMergesPerThread);
}

TEST(ConcurrentMerge, ParsersSkippingKnownLinksTakeEachLinkOnce) {
  SearchEngine engine;
  engine.name = "E";
  engine.url = "http://e/";
  engine.prefix = "?q=";
  engine.startToken = "<a href=\"http";
  engine.endToken = "</a>";
  std::string page;
  for (int i = 0; i < 500; ++i) page += "<a href=\"http://l/" + std::to_string(i) + "\">word " + std::to_string(i) + "</a>\n";

  ResultsTable table;
  std::atomic<int> taken{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&] {
      std::string copy = page;
      taken += ParseResultPage(engine, "word", copy, table, true);
    });
  }
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(taken.load(), 500);
  EXPECT_EQ(table.RowCount(), 500);
  for (const SearchHit& hit : table.Snapshot()) EXPECT_EQ(hit.hits, 1);
}

}  // namespace
}  // namespace sorvane
