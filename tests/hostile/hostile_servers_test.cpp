// Engines whose servers misbehave, on real loopback servers, through the whole
// search run: never answering, dripping a byte a second, closing mid-page,
// sending 100 MB, breaking the chunked encoding, redirecting in a circle,
// sending zero and control bytes, answering 500 with a huge body; then a
// category of 50 such engines at once, left to end by itself and stopped. The
// search always ends (by itself, or promptly after Stop), every slot reports
// its end once, and the table holds only clean rows, which save and load back.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <set>
#include <thread>
#include <string>
#include <vector>

#include "core/search_run.h"
#include "hostile/memory_folder.h"
#include "results/saved_search.h"
#include "support/raw_server.h"
#include "support/recording_listener.h"

namespace sorvane {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using testing::MemoryFolder;
using testing::PlainAnswer;
using testing::RawConnection;
using testing::RawServer;
using testing::RecordingListener;

constexpr const char* kWords = "wooden boats";

std::string HitsPage(const std::string& site, int count) {
  std::string page = "<html><body><ul>\n";
  for (int i = 0; i < count; ++i) {
    page += "<li><a href=\"http://" + site + ".example/" + std::to_string(i) + "\">wooden boats " + std::to_string(i) +
            "</a></li>\n";
  }
  return page + "</ul></body></html>\n";
}

// The ways a server can misbehave, each a connection handler.
enum class Misbehaviour {
  NeverAnswers,
  DripsAByteASecond,  // a few bytes, then it closes (so a run left alone ends)
  DripsForever,
  ClosesMidPage,
  Sends100MB,
  BreaksChunkedEncoding,
  RedirectsInACircle,
  SendsZeroAndControlBytes,
  Answers500WithAHugeBody,
};
constexpr Misbehaviour kAll[] = {
    Misbehaviour::NeverAnswers,       Misbehaviour::DripsAByteASecond,     Misbehaviour::DripsForever,
    Misbehaviour::ClosesMidPage,      Misbehaviour::Sends100MB,            Misbehaviour::BreaksChunkedEncoding,
    Misbehaviour::RedirectsInACircle, Misbehaviour::SendsZeroAndControlBytes, Misbehaviour::Answers500WithAHugeBody,
};

std::string Name(Misbehaviour kind) {
  switch (kind) {
    case Misbehaviour::NeverAnswers: return "NeverAnswers";
    case Misbehaviour::DripsAByteASecond: return "DripsAByteASecond";
    case Misbehaviour::DripsForever: return "DripsForever";
    case Misbehaviour::ClosesMidPage: return "ClosesMidPage";
    case Misbehaviour::Sends100MB: return "Sends100MB";
    case Misbehaviour::BreaksChunkedEncoding: return "BreaksChunkedEncoding";
    case Misbehaviour::RedirectsInACircle: return "RedirectsInACircle";
    case Misbehaviour::SendsZeroAndControlBytes: return "SendsZeroAndControlBytes";
    case Misbehaviour::Answers500WithAHugeBody: return "Answers500WithAHugeBody";
  }
  return "?";
}

// Sends `filler` until `total` bytes went or the client hung up.
void SendFiller(RawConnection& connection, std::size_t total) {
  const std::string filler(64 * 1024, 'x');
  for (std::size_t sent = 0; sent < total; sent += filler.size()) {
    if (!connection.Send(filler)) return;
  }
}

void Serve(Misbehaviour kind, RawConnection& connection) {
  switch (kind) {
    case Misbehaviour::NeverAnswers:
      connection.HangUntilStopped();
      return;
    case Misbehaviour::DripsAByteASecond:
    case Misbehaviour::DripsForever: {
      const std::string page = "HTTP/1.0 200 OK\r\n\r\n" + HitsPage("drip", 3);
      const std::size_t bytes = kind == Misbehaviour::DripsForever ? page.size() : 22;
      for (std::size_t i = 0; i < bytes; ++i) {
        if (!connection.Send(page.substr(i, 1)) || connection.WaitForStop(i < 19 ? 0ms : 1000ms)) return;
      }
      if (kind == Misbehaviour::DripsForever) {
        while (connection.Send("x") && !connection.WaitForStop(1000ms)) {
        }
      }
      return;
    }
    case Misbehaviour::ClosesMidPage: {
      const std::string page = HitsPage("closes", 6);
      connection.Send("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(page.size()) + "\r\n\r\n" +
                      page.substr(0, page.size() / 2));
      return;
    }
    case Misbehaviour::Sends100MB: {
      const std::size_t total = std::size_t{100} << 20;
      connection.Send("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(total) + "\r\n\r\n" +
                      HitsPage("huge", 4));
      SendFiller(connection, total);
      return;
    }
    case Misbehaviour::BreaksChunkedEncoding: {
      const std::string first = HitsPage("chunked", 2);
      char size[32];
      std::snprintf(size, sizeof size, "%zx", first.size());
      connection.Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + std::string(size) + "\r\n" + first +
                      "\r\nZZZZ-not-a-size\r\n<a href=\"http://after.example/\">wooden boats</a>\r\n0\r\n\r\n");
      return;
    }
    case Misbehaviour::RedirectsInACircle: {
      const std::string& request = connection.request();
      const bool atA = request.find(" /loop-a") != std::string::npos;
      connection.Send(std::string("HTTP/1.0 302 Found\r\nLocation: ") + (atA ? "/loop-b" : "/loop-a") +
                      "\r\nContent-Length: 0\r\n\r\n");
      return;
    }
    case Misbehaviour::SendsZeroAndControlBytes: {
      std::string page = "HTTP/1.0 200 OK\r\n\r\n\0\0\x01\x02"s;
      page += "<a href=\"http://ctrl.example/\x01\x1b[31m\r\n\0tail\">wooden\0 \x07\x08 boats\x7f\x1f</a>"s;
      page += "<a href=\"http://ctrl.example/two\">" + std::string(4096, '\0') + "wooden boats two</a>";
      page += std::string(1000, '\x01');
      connection.Send(page);
      return;
    }
    case Misbehaviour::Answers500WithAHugeBody: {
      const std::string body = HitsPage("error", 3);
      connection.Send("HTTP/1.0 500 Internal Server Error\r\nContent-Length: " + std::to_string(body.size() + (40 << 20)) +
                      "\r\n\r\n" + body);
      SendFiller(connection, std::size_t{40} << 20);
      return;
    }
  }
}

SearchEngine EngineFor(const std::string& name, const std::string& origin, Misbehaviour kind) {
  SearchEngine engine;
  engine.name = name;
  engine.url = origin;
  // The circle starts at /loop-a; every other server answers any address.
  engine.prefix = kind == Misbehaviour::RedirectsInACircle ? "/loop-a?q=" : "/search?q=";
  // Paging engines ask again after a page; a single-page one asks once.
  engine.searchType = kind == Misbehaviour::ClosesMidPage || kind == Misbehaviour::RedirectsInACircle ? MultiplePages
                                                                                                        : ResultCount;
  engine.suffix = engine.searchType == MultiplePages ? "&page=%d" : "";
  engine.nextPageCommand = engine.searchType == MultiplePages ? engine.prefix + "%s&page=%%d" : "";
  engine.startToken = "<a href=\"http";
  engine.endToken = "</a>";
  return engine;
}

// One server per misbehaviour, each engine of a category on one of them.
class HostileServers : public ::testing::Test {
 protected:
  HostileServers() {
    for (const Misbehaviour kind : kAll) {
      servers_.push_back(std::make_unique<RawServer>([kind](RawConnection& connection) { Serve(kind, connection); }));
    }
  }

  static SessionOptions ShortTimes(std::size_t pageLimit) {
    SessionOptions options;
    options.connectTimeout = 2s;
    options.idleTimeout = 2s;  // the product waits 30 s for a byte
    options.stopPollInterval = 20ms;
    options.pageLimit = pageLimit;
    return options;
  }

  // Engines named after their misbehaviour, `count` in all, cycling through `kinds`.
  std::vector<std::string> AddEngines(const std::vector<Misbehaviour>& kinds, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
      const Misbehaviour kind = kinds[static_cast<std::size_t>(i) % kinds.size()];
      const std::string name = Name(kind) + std::to_string(i);
      engines_.Append(EngineFor(name, servers_[static_cast<std::size_t>(kind)]->Origin(), kind));
      names.push_back(name);
    }
    return names;
  }

  std::unique_ptr<SearchRun> Start(const std::vector<std::string>& names, SessionOptions options) {
    session_ = CreateInternetSession({ConnectionSettings::kDirect, "", ""}, options);
    return std::make_unique<SearchRun>(names, engines_, kWords, EntirePhrase, session_, table_, listener_,
                                       RunOptions{1000ms});
  }

  // Every slot ended once, the search once, no thread left behind; the rows are
  // clean, and survive a save and a load.
  void ExpectAWholeEnd(SearchRun& run, std::size_t slots) {
    ASSERT_EQ(run.Jobs().size(), slots);
    EXPECT_TRUE(run.Gate()->WaitForThreads(10s)) << "a worker still runs";
    for (std::size_t slot = 0; slot < slots; ++slot) {
      EXPECT_EQ(listener_->DoneCount(static_cast<int>(slot)), 1) << run.Jobs()[slot].engine->name;
    }
    EXPECT_EQ(listener_->SearchDoneCount(), 1);

    const std::vector<SearchHit> rows = table_->Snapshot();
    std::set<std::string> links;
    for (const SearchHit& row : rows) {
      EXPECT_TRUE(links.insert(row.url).second) << row.url;
      EXPECT_TRUE(std::all_of(row.description.begin(), row.description.end(),
                              [](char c) { return c >= 32 && c <= 126; }))
          << row.description;
      EXPECT_GE(row.rank, 0);
      EXPECT_LE(row.rank, 100);
    }
    const MemoryFolder home;
    ASSERT_TRUE(SaveSearch(home.path(), kWords, *table_, 4));
    ResultsTable loaded;
    ASSERT_EQ(LoadSavedSearch(home.path(), kWords, loaded), 4);
    EXPECT_EQ(loaded.RowCount(), static_cast<int>(rows.size()));
  }

  int RowsOf(const std::string& engine) {
    const std::vector<SearchHit> rows = table_->Snapshot();
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [&](const SearchHit& row) { return row.engine == engine; }));
  }

  std::vector<std::unique_ptr<RawServer>> servers_;
  EngineList engines_;
  std::shared_ptr<const InternetSession> session_;
  std::shared_ptr<ResultsTable> table_ = std::make_shared<ResultsTable>();
  std::shared_ptr<RecordingListener> listener_ = std::make_shared<RecordingListener>();
};

// Each server alone, with the product's page limit: what each gives.
TEST_F(HostileServers, EachMisbehaviourAloneEndsWithWhatCanBeRead) {
  const std::vector<Misbehaviour> ending = {Misbehaviour::NeverAnswers,        Misbehaviour::DripsAByteASecond,
                                            Misbehaviour::ClosesMidPage,       Misbehaviour::Sends100MB,
                                            Misbehaviour::BreaksChunkedEncoding, Misbehaviour::RedirectsInACircle,
                                            Misbehaviour::SendsZeroAndControlBytes,
                                            Misbehaviour::Answers500WithAHugeBody};
  const std::vector<std::string> names = AddEngines(ending, static_cast<int>(ending.size()));
  std::unique_ptr<SearchRun> run = Start(names, ShortTimes(SessionOptions{}.pageLimit));
  ASSERT_TRUE(listener_->WaitForSearchDone(30s)) << "the search did not end by itself";
  ExpectAWholeEnd(*run, names.size());

  EXPECT_EQ(RowsOf(names[0]), 0) << "nothing came";
  EXPECT_EQ(RowsOf(names[2]), 3) << "the whole hits before the cut";
  EXPECT_EQ(RowsOf(names[3]), 4) << "the hits at the start of 100 MB";
  EXPECT_LE(RowsOf(names[4]), 2) << "at most the chunk that was whole";
  EXPECT_EQ(RowsOf(names[5]), 0) << "a circle gives no page";
  EXPECT_EQ(RowsOf(names[6]), 2) << "zero and control bytes dropped, the hits kept";
  EXPECT_EQ(RowsOf(names[7]), 3) << "an error page is a page";
  // The redirect circle was given up after the session's limit, page after page.
  const std::vector<std::string> circle = servers_[static_cast<std::size_t>(Misbehaviour::RedirectsInACircle)]->Requests();
  EXPECT_LE(circle.size(), 2 * static_cast<std::size_t>(SessionOptions{}.maxRedirects + 1));
}

// Fifty engines at once, none stopped: the search ends by itself.
TEST_F(HostileServers, FiftyMisbehavingEnginesLeftAlone) {
  const std::vector<Misbehaviour> ending = {Misbehaviour::NeverAnswers,        Misbehaviour::DripsAByteASecond,
                                            Misbehaviour::ClosesMidPage,       Misbehaviour::Sends100MB,
                                            Misbehaviour::BreaksChunkedEncoding, Misbehaviour::RedirectsInACircle,
                                            Misbehaviour::SendsZeroAndControlBytes,
                                            Misbehaviour::Answers500WithAHugeBody};
  const std::vector<std::string> names = AddEngines(ending, kMaxEngineJobs);
  std::unique_ptr<SearchRun> run = Start(names, ShortTimes(std::size_t{4} << 20));
  ASSERT_TRUE(listener_->WaitForSearchDone(40s)) << "the search did not end by itself";
  ExpectAWholeEnd(*run, kMaxEngineJobs);
  EXPECT_GE(table_->RowCount(), 10);
}

// Fifty engines at once, stopped while most are still reading: the search ends
// within the second the workers are given, and nothing is written after it.
TEST_F(HostileServers, FiftyMisbehavingEnginesStopped) {
  const std::vector<std::string> names = AddEngines(std::vector<Misbehaviour>(std::begin(kAll), std::end(kAll)),
                                                    kMaxEngineJobs);
  std::unique_ptr<SearchRun> run = Start(names, ShortTimes(std::size_t{4} << 20));
  ASSERT_TRUE(listener_->WaitForProgress(-1, 70, 10s));
  std::this_thread::sleep_for(300ms);
  const auto stopped = std::chrono::steady_clock::now();
  run->Stop();
  ASSERT_TRUE(listener_->WaitForSearchDone(10s)) << "the search outlived Stop";
  EXPECT_LT(std::chrono::steady_clock::now() - stopped, 5s) << "the search outlived Stop by far";
  const int rowsAtEnd = table_->RowCount();
  ExpectAWholeEnd(*run, kMaxEngineJobs);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(table_->RowCount(), rowsAtEnd) << "rows came after the end";
}

}  // namespace
}  // namespace sorvane
