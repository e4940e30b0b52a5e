// The search run: engines of made-up search sites on a loopback server, each
// paging its own way, and runs that are stopped, replaced or destroyed.

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <latch>
#include <map>
#include <mutex>
#include <stdexcept>

#include "core/search_run.h"
#include "support/page_server.h"
#include "support/raw_server.h"
#include "support/recording_listener.h"

namespace sorvane {
namespace {

using namespace std::chrono_literals;
using testing::PageServer;
using testing::PlainAnswer;
using testing::RawConnection;
using testing::RawServer;
using testing::RecordingListener;
using Event = RecordingListener::Event;

constexpr const char* kWords = "wooden boats";
constexpr const char* kEncoded = "wooden+boats";

// `count` hits whose links are http://site.example/<site>/<first + i>.
std::string HitsPage(const std::string& site, int first, int count) {
  std::string page = "<html><body><ul>\n";
  for (int i = first; i < first + count; ++i) {
    page += "<li><a href=\"http://site.example/" + site + "/" + std::to_string(i) + "\">wooden boats " +
            std::to_string(i) + "</a></li>\n";
  }
  return page + "</ul></body></html>\n";
}

SearchEngine MakeEngine(std::string name, std::string url, int searchType, std::string prefix,
                        std::string suffix, std::string nextPageCommand = {}) {
  SearchEngine engine;
  engine.name = std::move(name);
  engine.url = std::move(url);
  engine.searchType = searchType;
  engine.prefix = std::move(prefix);
  engine.suffix = std::move(suffix);
  engine.nextPageCommand = std::move(nextPageCommand);
  engine.startToken = "<a href=\"http";
  engine.endToken = "</a>";
  return engine;
}

SessionOptions TestSessionOptions() {
  SessionOptions options;
  options.connectTimeout = 5s;
  options.idleTimeout = 5s;
  options.stopPollInterval = 20ms;
  return options;
}

RunOptions TestRunOptions() { return RunOptions{200ms}; }

// Four engines of four paging kinds, and one that fills its quota at once.
class SearchRunTest : public ::testing::Test {
 protected:
  SearchRunTest() {
    Route("/paged", [](const httplib::Request& request) {
      return HitsPage("paged", 0, request.get_param_value("page") == "1" ? 4 : 0);
    });
    Route("/count", [](const httplib::Request& request) {
      return HitsPage("count" + request.get_param_value("id"), 0, 3);
    });
    Route("/offset", [](const httplib::Request& request) {
      const int start = std::stoi(request.get_param_value("start"));
      return HitsPage("offset", start, 6);
    });
    Route("/single", [](const httplib::Request& request) {
      return HitsPage("single", 0, request.has_param("p") ? 0 : 5);
    });
    Route("/many", [](const httplib::Request&) { return HitsPage("many", 0, 12); });
    Route("/fives", [](const httplib::Request& request) {
      const int start = std::stoi(request.get_param_value("start"));
      return HitsPage("fives", start, 5);
    });

    const std::string origin = pages_.Origin();
    engines_.Append(MakeEngine("Paged", origin, MultiplePages, "/paged?q=", "&page=%d", "/paged?q=%s&page=%%d"));
    engines_.Append(MakeEngine("Counted", origin, ResultCount, "/count?n=%d&q=", ""));
    engines_.Append(MakeEngine("Offset", origin, StartIndex, "/offset?q=", "&start=%d"));
    engines_.Append(MakeEngine("Single", origin, SinglePage, "/single?q=", "", "/single?q=%s&p=%d"));
    engines_.Append(MakeEngine("Many", origin, MultiplePages, "/many?q=", "&page=%d", "/many?q=%s&page=%%d"));
    engines_.Append(MakeEngine("Fives", origin, StartIndex, "/fives?q=", "&start=%d"));
  }

  void Route(const std::string& path, std::function<std::string(const httplib::Request&)> page) {
    pages_.server().Get(path, [this, page](const httplib::Request& request, httplib::Response& response) {
      {
        std::lock_guard lock(mutex_);
        targets_.push_back(request.target);
      }
      response.set_content(page(request), "text/html");
    });
  }

  std::vector<std::string> TargetsStartingWith(const std::string& path) {
    std::lock_guard lock(mutex_);
    std::vector<std::string> found;
    for (const std::string& target : targets_) {
      if (target.rfind(path, 0) == 0) found.push_back(target);
    }
    return found;
  }

  std::unique_ptr<SearchRun> Run(const std::vector<std::string>& names) {
    return std::make_unique<SearchRun>(names, engines_, kWords, EntirePhrase, session_, table_, listener_,
                                       TestRunOptions());
  }

  int RowsOf(const std::string& engine) {
    const auto hits = table_->Snapshot();
    return static_cast<int>(std::count_if(hits.begin(), hits.end(), [&](const SearchHit& hit) { return hit.engine == engine; }));
  }

  PageServer pages_;
  std::mutex mutex_;
  std::vector<std::string> targets_;
  EngineList engines_;
  std::shared_ptr<const InternetSession> session_ =
      CreateInternetSession({ConnectionSettings::kDirect, "", ""}, TestSessionOptions());
  std::shared_ptr<ResultsTable> table_ = std::make_shared<ResultsTable>();
  std::shared_ptr<RecordingListener> listener_ = std::make_shared<RecordingListener>();
};

TEST_F(SearchRunTest, EachSearchTypePagesAsItsEngineAsks) {
  auto run = Run({"Paged", "Counted", "Offset", "Single", "Many"});
  ASSERT_TRUE(listener_->WaitForSearchDone());
  const std::string q = kEncoded;
  // Four new hits, then a page with none: paging ends after two pages, and the
  // second page's address (server + command, no port) still went to our port.
  EXPECT_EQ(TargetsStartingWith("/paged"),
            (std::vector<std::string>{"/paged?q=" + q + "&page=1", "/paged?q=" + q + "&page=4"}));
  EXPECT_EQ(TargetsStartingWith("/count"), (std::vector<std::string>{"/count?n=10&q=" + q}));
  // Six and six: the second page crosses the limit and is taken whole.
  EXPECT_EQ(TargetsStartingWith("/offset"),
            (std::vector<std::string>{"/offset?q=" + q + "&start=0", "/offset?q=" + q + "&start=6"}));
  EXPECT_EQ(TargetsStartingWith("/single"),
            (std::vector<std::string>{"/single?q=" + q, "/single?q=" + q + "&p=6"}));
  EXPECT_EQ(TargetsStartingWith("/many"), (std::vector<std::string>{"/many?q=" + q + "&page=1"}));
  EXPECT_EQ(RowsOf("Paged"), 4);
  EXPECT_EQ(RowsOf("Counted"), 3);
  EXPECT_EQ(RowsOf("Offset"), 12);
  EXPECT_EQ(RowsOf("Single"), 5);
  EXPECT_EQ(RowsOf("Many"), 12);
  for (int slot = 0; slot < 5; ++slot) EXPECT_EQ(listener_->DoneCount(slot), 1) << slot;
  EXPECT_EQ(listener_->SearchDoneCount(), 1);
  EXPECT_EQ(listener_->Events().back().kind, Event::SearchDone);
  EXPECT_TRUE(run->IsOver());
}

TEST_F(SearchRunTest, PagesAddingUpToExactlyTheHitLimitAskForNoMore) {
  auto run = Run({"Fives"});
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(TargetsStartingWith("/fives"), (std::vector<std::string>{"/fives?q=" + std::string(kEncoded) + "&start=0",
                                                                     "/fives?q=" + std::string(kEncoded) + "&start=5"}));
  EXPECT_EQ(RowsOf("Fives"), 10);
  const std::optional<EngineOutcome> outcome = run->Outcome(0);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->word, OutcomeWord::Hits);
  EXPECT_EQ(outcome->pages, 2);
  EXPECT_EQ(outcome->hits, 10);
}

TEST_F(SearchRunTest, ResultCountEngineWithAOneChunkPage) {
  auto run = Run({"Counted"});
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(listener_->ProgressOf(0), (std::vector<int>{10, 40, 50, 60, 70, 70, 80, 100}));
  const auto events = listener_->Events();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[events.size() - 2].kind, Event::Done);
}

TEST_F(SearchRunTest, PagedEngineReportsEachPage) {
  auto run = Run({"Paged"});
  ASSERT_TRUE(listener_->WaitForSearchDone());
  const std::vector<int> page = {30, 40, 50, 60, 70, 70, 80, 80};
  std::vector<int> expected = {10};
  expected.insert(expected.end(), page.begin(), page.end());
  expected.insert(expected.end(), page.begin(), page.end());
  expected.push_back(100);
  EXPECT_EQ(listener_->ProgressOf(0), expected);
}

TEST_F(SearchRunTest, UnmatchedNamesGetNoSlot) {
  auto run = Run({"Counted", "Nobody", "Paged"});
  ASSERT_EQ(run->Jobs().size(), 2u);
  EXPECT_EQ(run->Jobs()[0].engine->name, "Counted");
  EXPECT_EQ(run->Jobs()[1].engine->name, "Paged");
  EXPECT_EQ(run->Jobs()[1].slotIndex, 1);
  EXPECT_EQ(run->Jobs()[1].encodedQuery, kEncoded);
  EXPECT_EQ(run->Jobs()[1].words, kWords);
  ASSERT_TRUE(listener_->WaitForSearchDone());
  for (const Event& event : listener_->Events()) EXPECT_LE(event.slot, 1);
}

TEST_F(SearchRunTest, SearchWithoutEnginesEndsOnlyAtStop) {
  auto run = Run({"Nobody", "Nothing"});
  EXPECT_TRUE(run->Jobs().empty());
  EXPECT_FALSE(run->IsOver());
  EXPECT_EQ(listener_->EventCount(), 0u);
  run->Stop();
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(listener_->EventCount(), 1u);
}

TEST_F(SearchRunTest, AtMostFiftyEnginesRun) {
  std::vector<std::string> names;
  for (int i = 0; i < kMaxEngineJobs + 5; ++i) {
    const std::string name = "Counted" + std::to_string(i);
    engines_.Append(MakeEngine(name, pages_.Origin(), ResultCount, "/count?id=" + std::to_string(i) + "&n=%d&q=", ""));
    names.push_back(name);
  }
  // Fifty connections at once overflow the test server's short listen backlog;
  // the dropped ones get in when the system retries them, which on a loaded
  // machine can take longer than the usual test timeouts.
  SessionOptions patient = TestSessionOptions();
  patient.connectTimeout = 60s;
  patient.idleTimeout = 60s;
  session_ = CreateInternetSession({ConnectionSettings::kDirect, "", ""}, patient);
  auto run = Run(names);
  ASSERT_EQ(run->Jobs().size(), static_cast<std::size_t>(kMaxEngineJobs));
  ASSERT_TRUE(listener_->WaitForSearchDone(90s));
  for (int slot = 0; slot < kMaxEngineJobs; ++slot) {
    EXPECT_EQ(listener_->DoneCount(slot), 1) << slot;
    EXPECT_EQ(listener_->ProgressOf(slot).back(), 100) << slot;
  }
  EXPECT_EQ(listener_->SearchDoneCount(), 1);
  EXPECT_EQ(table_->RowCount(), kMaxEngineJobs * 3);
  EXPECT_EQ(TargetsStartingWith("/count?id=50&").size(), 0u);
}

TEST_F(SearchRunTest, InvalidUrlIsAMessageAndTheEngineEnds) {
  engines_.Append(MakeEngine("Files", "ftp://files.example", ResultCount, "/find?q=", ""));
  auto run = Run({"Files"});
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(listener_->Messages(), (std::vector<std::string>{"Invalid URL"}));
  EXPECT_EQ(listener_->ProgressOf(0), (std::vector<int>{100}));
  EXPECT_EQ(listener_->DoneCount(0), 1);
}

TEST_F(SearchRunTest, AnUnreadableAddressIsReportedTwice) {
  // Neither as it stands nor with "http://" before it does "x:abc/..." split.
  engines_.Append(MakeEngine("Garbled", "x:abc", ResultCount, "/find?q=", ""));
  auto run = Run({"Garbled", "Counted"});
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(listener_->Messages(), (std::vector<std::string>{"Invalid URL", "Invalid URL"}));
  EXPECT_EQ(listener_->ProgressOf(0), (std::vector<int>{100}));
  EXPECT_EQ(RowsOf("Counted"), 3);
}

TEST_F(SearchRunTest, StopEndsWorkersThatListenWithinTheDelay) {
  RawServer silent([](RawConnection& connection) { connection.HangUntilStopped(); });
  engines_.Append(MakeEngine("Silent", silent.Origin(), MultiplePages, "/s?q=", "&p=%d", "/s?p=%d"));
  SessionOptions patient = TestSessionOptions();
  patient.idleTimeout = 60s;
  session_ = CreateInternetSession({ConnectionSettings::kDirect, "", ""}, patient);
  auto run = Run({"Silent", "Silent"});
  ASSERT_TRUE(listener_->WaitForProgress(0, 40));
  ASSERT_TRUE(listener_->WaitForProgress(1, 40));
  run->Stop();
  ASSERT_TRUE(listener_->WaitForSearchDone());
  ASSERT_TRUE(run->Gate()->WaitForThreads(5s));  // the watchdog too has had its turn
  EXPECT_EQ(listener_->DoneCount(0), 1);
  EXPECT_EQ(listener_->DoneCount(1), 1);
  EXPECT_EQ(listener_->SearchDoneCount(), 1);
  // The partial page was not parsed, and nothing was fetched after the stop.
  EXPECT_EQ(table_->RowCount(), 0);
  EXPECT_LE(silent.Requests().size(), 2u);
}

TEST_F(SearchRunTest, StopWhileReadingTheFirstPageLeavesItUnparsed) {
  RawServer stalling([](RawConnection& connection) {
    connection.Send("HTTP/1.0 200 OK\r\n\r\n" + HitsPage("stalling", 0, 3));
    connection.HangUntilStopped();
  });
  engines_.Append(MakeEngine("Stalling", stalling.Origin(), MultiplePages, "/s?q=", "&p=%d", "/s?p=%d"));
  SessionOptions patient = TestSessionOptions();
  patient.idleTimeout = 60s;
  session_ = CreateInternetSession({ConnectionSettings::kDirect, "", ""}, patient);
  auto run = Run({"Stalling"});
  ASSERT_TRUE(listener_->WaitForProgress(0, 70));
  run->Stop();
  ASSERT_TRUE(listener_->WaitForSearchDone());
  // The chunk in hand, then the end.
  EXPECT_EQ(listener_->ProgressOf(0), (std::vector<int>{10, 30, 40, 50, 60, 70, 100}));
  EXPECT_EQ(table_->RowCount(), 0);
}

TEST_F(SearchRunTest, StoppedResultCountEngineStillParsesWhatItRead) {
  RawServer stalling([](RawConnection& connection) {
    connection.Send("HTTP/1.0 200 OK\r\n\r\n" + HitsPage("counted", 0, 2));
    connection.HangUntilStopped();
  });
  engines_.Append(MakeEngine("Stalling", stalling.Origin(), ResultCount, "/s?n=%d&q=", ""));
  SessionOptions patient = TestSessionOptions();
  patient.idleTimeout = 60s;
  session_ = CreateInternetSession({ConnectionSettings::kDirect, "", ""}, patient);
  auto run = Run({"Stalling"});
  ASSERT_TRUE(listener_->WaitForProgress(0, 70));
  run->Stop();
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(listener_->ProgressOf(0), (std::vector<int>{10, 40, 50, 60, 70, 100}));
  EXPECT_EQ(RowsOf("Stalling"), 2);
}

// A listener whose message box the user does not close: its worker hangs there.
class BlockingMessageListener final : public EngineListener {
 public:
  explicit BlockingMessageListener(std::shared_ptr<RecordingListener> record) : record_(std::move(record)) {}
  void OnEngineProgress(int slot, int percent) override { record_->OnEngineProgress(slot, percent); }
  void OnEngineDone(int slot) override { record_->OnEngineDone(slot); }
  void OnSearchDone() override { record_->OnSearchDone(); }
  void ShowMessage(int slot, std::string_view message) override {
    record_->ShowMessage(slot, message);
    closed_.wait();
  }
  void Close() { closed_.count_down(); }

 private:
  std::shared_ptr<RecordingListener> record_;
  std::latch closed_{1};
};

TEST_F(SearchRunTest, StopGivesUpAHungWorkerAndSpeaksForIt) {
  engines_.Append(MakeEngine("Files", "ftp://files.example", ResultCount, "/find?q=", ""));
  auto blocking = std::make_shared<BlockingMessageListener>(listener_);
  auto run = std::make_unique<SearchRun>(std::vector<std::string>{"Files", "Counted"}, engines_, kWords,
                                         EntirePhrase, session_, table_, blocking, TestRunOptions());
  ASSERT_TRUE(listener_->WaitForProgress(1, 100));
  run->Stop();
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(listener_->ProgressOf(0), (std::vector<int>{100}));
  EXPECT_EQ(listener_->DoneCount(0), 1);
  const std::size_t eventsAtEnd = listener_->EventCount();
  // The user closes the box: the worker goes on, and is heard no more.
  blocking->Close();
  ASSERT_TRUE(run->Gate()->WaitForThreads(5s));
  EXPECT_EQ(listener_->EventCount(), eventsAtEnd);
  EXPECT_EQ(listener_->DoneCount(0), 1);
  EXPECT_EQ(listener_->SearchDoneCount(), 1);
}

TEST_F(SearchRunTest, AWindowProgramsOwnTimerCanGiveUpTheWorkers) {
  engines_.Append(MakeEngine("Files", "ftp://files.example", ResultCount, "/find?q=", ""));
  auto blocking = std::make_shared<BlockingMessageListener>(listener_);
  // The run's own delay would never come; the window's timer decides.
  SearchRun run({"Files"}, engines_, kWords, EntirePhrase, session_, table_, blocking, RunOptions{std::chrono::hours(1)});
  ASSERT_TRUE(listener_->WaitForMessages(1));
  run.RequestStop();
  EXPECT_FALSE(run.IsOver());
  run.AbandonNow();
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(listener_->DoneCount(0), 1);
  blocking->Close();
  ASSERT_TRUE(run.WaitForThreads(5s));
  EXPECT_EQ(listener_->DoneCount(0), 1);
}

TEST_F(SearchRunTest, ConnectionSettingsCountUntilTheSessionIsMade) {
  Category category{"Arts", 0, 0, 0, std::vector<std::string>{"Counted"}};
  SearchRunner runner({ConnectionSettings::kNamedProxy, "127.0.0.1", ""}, TestSessionOptions(), TestRunOptions());
  runner.SetConnectionSettings({ConnectionSettings::kDirect, "", ""});
  runner.StartSearch(category, kWords, EntirePhrase, engines_, table_, listener_);
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(RowsOf("Counted"), 3);
}

// A window program going away: the marshalled calls fail with an exception.
class ThrowingListener final : public EngineListener {
 public:
  explicit ThrowingListener(int throwAt) : throwAt_(throwAt) {}
  void OnEngineProgress(int, int percent) override {
    if (percent == throwAt_) throw std::runtime_error("the window is gone");
  }
  void OnEngineDone(int) override {}
  void OnSearchDone() override {}
  void ShowMessage(int, std::string_view) override {}

 private:
  int throwAt_;
};

TEST_F(SearchRunTest, AListenerThatThrowsEndsOnlyItsWorkers) {
  // 60 is reported from inside the HTTP library's header callback, 70 from its
  // body callback, 80 from the worker itself.
  for (int throwAt : {60, 70, 80}) {
    auto run = std::make_unique<SearchRun>(std::vector<std::string>{"Paged", "Counted"}, engines_, kWords,
                                           EntirePhrase, session_, table_, std::make_shared<ThrowingListener>(throwAt),
                                           TestRunOptions());
    ASSERT_TRUE(run->WaitForThreads(5s)) << throwAt;
    EXPECT_FALSE(run->IsOver()) << throwAt;
    run->Stop();
  }
}

// Closes the run from inside the done of its last slot, as a window program
// that ends the search itself at that done would.
class ClosingListener final : public EngineListener {
 public:
  ClosingListener(std::shared_ptr<RecordingListener> record, int slots) : record_(std::move(record)), slots_(slots) {}
  void OnEngineProgress(int slot, int percent) override { record_->OnEngineProgress(slot, percent); }
  void OnEngineDone(int slot) override {
    record_->OnEngineDone(slot);
    if (++done_ == slots_) close();
  }
  void OnSearchDone() override { record_->OnSearchDone(); }
  void ShowMessage(int slot, std::string_view message) override { record_->ShowMessage(slot, message); }
  std::function<void()> close;

 private:
  std::shared_ptr<RecordingListener> record_;
  int slots_;
  std::atomic<int> done_{0};
};

TEST(RunGate, ClosedFromTheLastDoneTheSearchsEndIsNeverReported) {
  auto table = std::make_shared<ResultsTable>();
  auto record = std::make_shared<RecordingListener>();
  auto closing = std::make_shared<ClosingListener>(record, 2);
  auto gate = std::make_shared<RunGate>(2, table, closing);
  // Weak, as a window's listener holds its run: the gate owns the listener.
  closing->close = [weak = std::weak_ptr<RunGate>(gate)] {
    if (auto gate = weak.lock()) gate->Close();
  };
  gate->FinishEngine(1, {});
  gate->FinishEngine(0, {});
  EXPECT_EQ(record->DoneCount(0), 1);
  EXPECT_EQ(record->DoneCount(1), 1);
  EXPECT_EQ(record->SearchDoneCount(), 0);
  EXPECT_TRUE(gate->SearchOver());
  // The outcome of each slot was kept before its done went out.
  EXPECT_TRUE(gate->Outcome(0));
  EXPECT_TRUE(gate->Outcome(1));
}

TEST(RunGate, EachSlotKeepsItsOutcomeAndAGivenUpOneIsStopped) {
  auto table = std::make_shared<ResultsTable>();
  auto listener = std::make_shared<RecordingListener>();
  auto gate = std::make_shared<RunGate>(3, table, listener);
  OutcomeFacts refused;
  refused.pages = 1;
  refused.status = 403;
  refused.siteText = "go away";
  gate->FinishEngine(0, refused);
  OutcomeFacts hung;  // was reading its first page when it was given up
  hung.address = "http://hung.example/";
  gate->RecordFacts(1, hung);
  OutcomeFacts tookSome;  // had taken hits before it hung
  tookSome.pages = 1;
  tookSome.hits = 4;
  gate->RecordFacts(2, tookSome);
  EXPECT_FALSE(gate->Outcome(1));
  gate->AbandonUnfinished();
  EXPECT_EQ(gate->Outcome(0)->word, OutcomeWord::Refused);
  EXPECT_EQ(gate->Outcome(0)->detail, "go away");
  EXPECT_EQ(gate->Outcome(1)->word, OutcomeWord::Stopped);
  EXPECT_EQ(gate->Outcome(1)->address, "http://hung.example/");
  EXPECT_EQ(gate->Outcome(2)->word, OutcomeWord::Hits);
  EXPECT_EQ(gate->Outcome(2)->hits, 4);
  // The worker that comes back later changes nothing.
  gate->FinishEngine(1, tookSome);
  EXPECT_EQ(gate->Outcome(1)->word, OutcomeWord::Stopped);
  EXPECT_FALSE(gate->Outcome(3));
}

TEST(RunGate, AGivenUpSlotReachesNeitherTableNorListener) {
  auto table = std::make_shared<ResultsTable>();
  auto listener = std::make_shared<RecordingListener>();
  auto gate = std::make_shared<RunGate>(2, table, listener);
  EngineJob job;
  job.engine = std::make_shared<const SearchEngine>(MakeEngine("Late", "http://late.example", ResultCount, "/", ""));
  job.slotIndex = 0;
  job.words = kWords;
  std::string page = HitsPage("late", 0, 3);
  EXPECT_EQ(gate->ParsePage(job, page).taken, 3);
  gate->FinishEngine(1, {});
  gate->AbandonUnfinished();
  EXPECT_EQ(listener->ProgressOf(0), (std::vector<int>{100}));
  EXPECT_EQ(listener->DoneCount(1), 1);
  EXPECT_EQ(listener->DoneCount(0), 1);
  EXPECT_EQ(listener->SearchDoneCount(), 1);
  const std::size_t events = listener->EventCount();

  page = HitsPage("later", 0, 3);
  EXPECT_EQ(gate->ParsePage(job, page).taken, 0);
  gate->ReportProgress(0, 70);
  gate->ShowMessage(0, "Invalid URL");
  gate->FinishEngine(0, {});
  gate->AbandonUnfinished();
  EXPECT_EQ(listener->EventCount(), events);
  EXPECT_EQ(table->RowCount(), 3);
}

TEST(RunGate, AClosedGateDropsEverything) {
  auto table = std::make_shared<ResultsTable>();
  auto listener = std::make_shared<RecordingListener>();
  RunGate gate(1, table, listener);
  gate.Close();
  EXPECT_TRUE(gate.StopRequested());
  EngineJob job;
  job.engine = std::make_shared<const SearchEngine>(MakeEngine("Old", "http://old.example", ResultCount, "/", ""));
  std::string page = HitsPage("old", 0, 3);
  EXPECT_EQ(gate.ParsePage(job, page).taken, 0);
  gate.ReportProgress(0, 10);
  gate.FinishEngine(0, {});
  gate.AbandonUnfinished();
  EXPECT_EQ(listener->EventCount(), 0u);
  EXPECT_EQ(table->RowCount(), 0);
}

TEST_F(SearchRunTest, ANewRunClosesTheOldOneAndKeepsItOut) {
  // The old run's engine has read half a page holding two hits when the new
  // run starts; stopped while reading, a ResultCount engine still parses.
  RawServer stalling([](RawConnection& connection) {
    connection.Send("HTTP/1.0 200 OK\r\n\r\n" + HitsPage("old", 0, 2));
    connection.HangUntilStopped();
  });
  engines_.Append(MakeEngine("Stalling", stalling.Origin(), ResultCount, "/s?n=%d&q=", ""));
  Category oldCategory{"Arts", 0, 0, 0, std::vector<std::string>{"Stalling"}};
  Category newCategory{"Books", 0, 0, 0, std::vector<std::string>{"Counted"}};
  SessionOptions patient = TestSessionOptions();
  patient.idleTimeout = 60s;
  SearchRunner runner({ConnectionSettings::kDirect, "", ""}, patient, TestRunOptions());
  auto oldListener = std::make_shared<RecordingListener>();
  SearchRun& oldRun = runner.StartSearch(oldCategory, kWords, EntirePhrase, engines_, table_, oldListener);
  const std::shared_ptr<RunGate> oldGate = oldRun.Gate();
  ASSERT_TRUE(oldListener->WaitForProgress(0, 70));
  const std::size_t oldEvents = oldListener->EventCount();

  runner.StartSearch(newCategory, "new words", EntirePhrase, engines_, table_, listener_);
  ASSERT_TRUE(oldGate->WaitForThreads(5s));
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(oldListener->EventCount(), oldEvents);
  EXPECT_EQ(RowsOf("Stalling"), 0);
  EXPECT_EQ(RowsOf("Counted"), 3);
  EXPECT_EQ(listener_->DoneCount(0), 1);
  EXPECT_EQ(listener_->SearchDoneCount(), 1);
  EXPECT_EQ(runner.LastQuery(), "new words");
}

TEST_F(SearchRunTest, OnceCloseReturnsNoMergeReachesTheTable) {
  // Four engines parse long pages at once. Each worker is held after its
  // first merge (the table tells its observer on the merging thread) until the
  // run has been closed, so every one of them is in the middle of its page.
  Route("/long", [](const httplib::Request& request) {
    return HitsPage("long" + request.get_param_value("id"), 0, 300);
  });
  std::vector<std::string> names;
  for (int i = 0; i < 4; ++i) {
    const std::string name = "Long" + std::to_string(i);
    engines_.Append(MakeEngine(name, pages_.Origin(), ResultCount, "/long?id=" + std::to_string(i) + "&n=%d&q=", ""));
    names.push_back(name);
  }
  std::mutex mutex;
  std::condition_variable changed;
  int merges = 0;
  bool closed = false;
  table_->SetObserver([&](const std::vector<TableChange>&) {
    std::unique_lock lock(mutex);
    ++merges;
    changed.notify_all();
    changed.wait_for(lock, 30s, [&] { return closed; });
  });
  auto run = Run(names);
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, 30s, [&] { return merges > 0; }));
  }
  run->Close();
  const int rowsAtClose = table_->RowCount();
  {
    std::lock_guard lock(mutex);
    closed = true;
  }
  changed.notify_all();
  ASSERT_TRUE(run->Gate()->WaitForThreads(30s));
  EXPECT_EQ(table_->RowCount(), rowsAtClose);
  EXPECT_LT(rowsAtClose, 4 * 300);
  table_->SetObserver({});
}

// Looks at the run's outcome of each slot from inside that slot's done.
class OutcomeReader final : public EngineListener {
 public:
  void OnEngineProgress(int, int) override {}
  void OnEngineDone(int slot) override {
    std::lock_guard lock(mutex);
    const std::shared_ptr<RunGate> run = gate.lock();
    seen[slot] = run && run->Outcome(slot).has_value();
  }
  void OnSearchDone() override {
    {
      std::lock_guard lock(mutex);
      over = true;
    }
    changed.notify_all();
  }
  void ShowMessage(int, std::string_view) override {}
  bool WaitForOver() {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, 10s, [&] { return over; });
  }

  std::mutex mutex;
  std::condition_variable changed;
  std::weak_ptr<RunGate> gate;  // weak: the gate owns this listener
  std::map<int, bool> seen;
  bool over = false;
};

TEST_F(SearchRunTest, EachSlotsOutcomeIsThereWhenItsDoneArrives) {
  engines_.Append(MakeEngine("Files", "ftp://files.example", ResultCount, "/find?q=", ""));
  auto reader = std::make_shared<OutcomeReader>();
  std::unique_ptr<SearchRun> run;
  {
    std::lock_guard hold(reader->mutex);  // a done waits here until the gate is known
    run = std::make_unique<SearchRun>(MakeEngineJobs({"Counted", "Files"}, engines_, kWords, EntirePhrase, session_),
                                      table_, reader, TestRunOptions());
    reader->gate = run->Gate();
  }
  ASSERT_TRUE(reader->WaitForOver());
  {
    std::lock_guard lock(reader->mutex);
    EXPECT_EQ(reader->seen, (std::map<int, bool>{{0, true}, {1, true}}));
  }
  EXPECT_EQ(run->Outcome(0)->word, OutcomeWord::Hits);
  EXPECT_EQ(run->Outcome(0)->hits, 3);
  EXPECT_EQ(run->Outcome(1)->word, OutcomeWord::InvalidAddress);
}

TEST_F(SearchRunTest, DestroyingARunLeavesItsWorkersHarmless) {
  RawServer silent([](RawConnection& connection) { connection.HangUntilStopped(); });
  engines_.Append(MakeEngine("Silent", silent.Origin(), ResultCount, "/s?n=%d&q=", ""));
  auto run = Run({"Silent"});
  const std::shared_ptr<RunGate> gate = run->Gate();
  ASSERT_TRUE(listener_->WaitForProgress(0, 40));
  const std::size_t events = listener_->EventCount();
  run.reset();
  table_.reset();  // the run's workers keep their own reference
  ASSERT_TRUE(gate->WaitForThreads(5s));
  EXPECT_EQ(listener_->EventCount(), events);
  EXPECT_EQ(listener_->DoneCount(0), 0);
}

TEST_F(SearchRunTest, WithoutASessionEveryEngineEndsAtOnce) {
  Category category{"Arts", 0, 0, 0, std::vector<std::string>{"Counted", "Paged"}};
  SearchRunner runner({ConnectionSettings::kNamedProxy, "127.0.0.1", ""}, TestSessionOptions(), TestRunOptions());
  runner.StartSearch(category, kWords, EntirePhrase, engines_, table_, listener_);
  ASSERT_TRUE(listener_->WaitForSearchDone());
  EXPECT_EQ(listener_->ProgressOf(0), (std::vector<int>{10, 100}));
  EXPECT_EQ(listener_->ProgressOf(1), (std::vector<int>{10, 100}));
  std::lock_guard lock(mutex_);
  EXPECT_TRUE(targets_.empty());
}

TEST_F(SearchRunTest, RunnerRewritesEmailWordsAndEmptiesTheTable) {
  table_->WithLock([](TableRows& rows) { rows.AppendRow({"d", "http://x", "1", "1", "e"}); });
  ASSERT_EQ(table_->RowCount(), 1);
  Category email{"Email", 0, 0, 0, std::nullopt};
  SearchRunner runner({ConnectionSettings::kDirect, "", ""}, TestSessionOptions(), TestRunOptions());
  SearchRun& run = runner.StartSearch(email, "ann lee", AllWords, engines_, table_, listener_);
  EXPECT_EQ(runner.LastQuery(), "&F=ann&L=lee");
  EXPECT_EQ(table_->RowCount(), 0);
  EXPECT_TRUE(run.Jobs().empty());
}

}  // namespace
}  // namespace sorvane
