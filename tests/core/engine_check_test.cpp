// Every way an engine can end, reached through the engine check (the same run a
// search makes) against servers on the loopback interface: a site with hits,
// one whose hits are all known, one that refuses, fails, hangs, answers empty,
// or whose markup has changed, an address that cannot be fetched, and a check
// that is stopped.

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <stop_token>

#include "core/engine_check.h"
#include "support/page_server.h"
#include "support/raw_server.h"

namespace sorvane {
namespace {

using namespace std::chrono_literals;
using testing::PageServer;
using testing::PlainAnswer;
using testing::RawConnection;
using testing::RawServer;

std::string HitsPage(int count) {
  std::string page = "<html><body><ul>\n";
  for (int i = 0; i < count; ++i) {
    page += "<li><a href=\"http://site.example/" + std::to_string(i) + "\">wooden boats " + std::to_string(i) +
            "</a></li>\n";
  }
  return page + "</ul></body></html>\n";
}

SearchEngine EngineAt(const std::string& origin, int searchType = ResultCount) {
  SearchEngine engine;
  engine.name = "Loop";
  engine.url = origin;
  engine.searchType = searchType;
  engine.prefix = "/s?q=";
  engine.suffix = searchType == StartIndex ? "&start=%d" : "";
  engine.startToken = "<a href=\"http";
  engine.endToken = "</a>";
  return engine;
}

SessionOptions Patient() {
  SessionOptions options;
  options.connectTimeout = 10s;
  options.idleTimeout = 10s;
  options.stopPollInterval = 20ms;
  return options;
}

class EngineCheckTest : public ::testing::Test {
 protected:
  EngineOutcome Check(const SearchEngine& engine, SessionOptions sessionOptions = Patient()) {
    options_.words = "wooden boats";
    if (!options_.session) options_.session = CreateInternetSession({ConnectionSettings::kDirect, "", ""}, sessionOptions);
    return CheckEngine(engine, table_, options_);
  }

  // A server answering every request with `answer`.
  static RawServer Answering(std::string answer) {
    return RawServer([answer](RawConnection& connection) { connection.Send(answer); });
  }

  EngineCheckOptions options_;
  std::shared_ptr<ResultsTable> table_ = std::make_shared<ResultsTable>();
};

TEST_F(EngineCheckTest, HitsTakenAreCountedWithThePageTheyCameFrom) {
  RawServer server = Answering(PlainAnswer(HitsPage(4)));
  const EngineOutcome outcome = Check(EngineAt(server.Origin()));
  EXPECT_EQ(outcome.word, OutcomeWord::Hits);
  EXPECT_EQ(outcome.hits, 4);
  EXPECT_EQ(outcome.known, 0);
  EXPECT_EQ(outcome.pages, 1);
  EXPECT_EQ(outcome.status, 200);
  EXPECT_EQ(outcome.bytes, static_cast<long long>(HitsPage(4).size()));
  EXPECT_EQ(outcome.address, server.Origin() + "/s?q=wooden+boats");
  EXPECT_EQ(outcome.detail, "");
  EXPECT_GE(outcome.milliseconds, 0);
  EXPECT_EQ(table_->RowCount(), 4);
}

TEST_F(EngineCheckTest, PagesAreAddedUpAndTheLastAddressIsTheOneAfterRedirects) {
  PageServer pages;
  pages.server().Get("/s", [](const httplib::Request& request, httplib::Response& response) {
    response.set_redirect("/moved?start=" + request.get_param_value("start"));
  });
  pages.server().Get("/moved", [](const httplib::Request& request, httplib::Response& response) {
    // Five new hits a page, then none.
    const int start = std::stoi(request.get_param_value("start"));
    std::string page = start == 0 ? HitsPage(5) : "<html>no more</html>";
    response.set_content(page, "text/html");
  });
  const EngineOutcome outcome = Check(EngineAt(pages.Origin(), StartIndex));
  EXPECT_EQ(outcome.word, OutcomeWord::Hits);
  EXPECT_EQ(outcome.pages, 2);
  EXPECT_EQ(outcome.hits, 5);
  EXPECT_EQ(outcome.bytes, static_cast<long long>(HitsPage(5).size() + std::string("<html>no more</html>").size()));
  EXPECT_EQ(outcome.address, pages.Origin() + "/moved?start=5");
}

TEST_F(EngineCheckTest, HitsAllInTheTableAlreadyAreAllKnown) {
  RawServer server = Answering(PlainAnswer(HitsPage(3)));
  for (int i = 0; i < 3; ++i) {
    table_->WithLock([&](TableRows& rows) {
      rows.AppendRow({"earlier", "http://site.example/" + std::to_string(i), "10", "1", "Other"});
    });
  }
  const EngineOutcome outcome = Check(EngineAt(server.Origin()));
  EXPECT_EQ(outcome.word, OutcomeWord::AllKnown);
  EXPECT_EQ(outcome.hits, 0);
  EXPECT_EQ(outcome.known, 3);
  EXPECT_EQ(table_->RowCount(), 3);
}

TEST_F(EngineCheckTest, SomeKnownAndSomeNewIsHits) {
  RawServer server = Answering(PlainAnswer(HitsPage(3)));
  table_->WithLock([&](TableRows& rows) { rows.AppendRow({"earlier", "http://site.example/1", "10", "1", "Other"}); });
  const EngineOutcome outcome = Check(EngineAt(server.Origin()));
  EXPECT_EQ(outcome.word, OutcomeWord::Hits);
  EXPECT_EQ(outcome.hits, 2);
  EXPECT_EQ(outcome.known, 1);
}

TEST_F(EngineCheckTest, RefusingSitesSayWhyInTheDetail) {
  for (const char* status : {"403 Forbidden", "429 Too Many Requests", "401 Unauthorized"}) {
    RawServer server = Answering(PlainAnswer(
        "<html><head><title>Error</title><style>p { color: red }</style><script>var x = '<p>';</script></head>"
        "<body>\n  <p>Please set a user-agent and respect\n our robot policy</p></body></html>",
        status));
    const EngineOutcome outcome = Check(EngineAt(server.Origin()));
    EXPECT_EQ(outcome.word, OutcomeWord::Refused) << status;
    EXPECT_EQ(outcome.status, std::stoi(status)) << status;
    EXPECT_EQ(outcome.detail, "Error Please set a user-agent and respect our robot policy") << status;
  }
}

TEST_F(EngineCheckTest, OtherErrorStatusesAreSiteErrors) {
  RawServer server = Answering(PlainAnswer("<h1>Internal trouble</h1>" + std::string(500, 'x'), "500 Oops"));
  const EngineOutcome outcome = Check(EngineAt(server.Origin()));
  EXPECT_EQ(outcome.word, OutcomeWord::HttpError);
  EXPECT_EQ(outcome.status, 500);
  EXPECT_EQ(outcome.detail, "Internal trouble " + std::string(120 - 17, 'x'));
}

TEST_F(EngineCheckTest, AnErrorPageWithHitsStillCountsItsHits) {
  RawServer server = Answering(PlainAnswer(HitsPage(2), "404 Not Found"));
  EXPECT_EQ(Check(EngineAt(server.Origin())).word, OutcomeWord::Hits);
}

TEST_F(EngineCheckTest, AClosedPortIsNoConnectionWithTheLibrarysWords) {
  int freePort = 0;
  {
    RawServer closed([](RawConnection&) {});
    freePort = closed.port();
  }
  const EngineOutcome outcome = Check(EngineAt("http://127.0.0.1:" + std::to_string(freePort)));
  EXPECT_EQ(outcome.word, OutcomeWord::NoConnection);
  EXPECT_NE(outcome.detail.find("onnect"), std::string::npos) << outcome.detail;
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.pages, 1);
}

TEST_F(EngineCheckTest, TlsToAPlainServerIsNoConnection) {
  RawServer server = Answering(PlainAnswer("plain"));
  const EngineOutcome outcome = Check(EngineAt("https://127.0.0.1:" + std::to_string(server.port())));
  EXPECT_EQ(outcome.word, OutcomeWord::NoConnection);
  EXPECT_FALSE(outcome.detail.empty());
}

TEST_F(EngineCheckTest, WithoutASessionEveryEngineIsNoConnection) {
  RawServer server = Answering(PlainAnswer(HitsPage(3)));
  options_.words = "wooden boats";
  const EngineOutcome outcome = CheckEngine(EngineAt(server.Origin()), table_, options_);
  EXPECT_EQ(outcome.word, OutcomeWord::NoConnection);
  EXPECT_EQ(outcome.pages, 0);
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(EngineCheckTest, AServerThatNeverAnswersTimesOut) {
  RawServer server([](RawConnection& connection) { connection.HangUntilStopped(); });
  SessionOptions quick = Patient();
  quick.idleTimeout = 300ms;
  const EngineOutcome outcome = Check(EngineAt(server.Origin()), quick);
  EXPECT_EQ(outcome.word, OutcomeWord::TimedOut);
  EXPECT_GE(outcome.milliseconds, 300);
}

TEST_F(EngineCheckTest, AnEmptyAnswerIsAnEmptyPage) {
  RawServer server = Answering(PlainAnswer(""));
  const EngineOutcome outcome = Check(EngineAt(server.Origin()));
  EXPECT_EQ(outcome.word, OutcomeWord::EmptyPage);
  EXPECT_EQ(outcome.status, 200);
  EXPECT_EQ(outcome.bytes, 0);
  // A server that closes without a word is the same to the person asking.
  RawServer silent([](RawConnection&) {});
  EXPECT_EQ(Check(EngineAt(silent.Origin())).word, OutcomeWord::EmptyPage);
}

TEST_F(EngineCheckTest, ChangedMarkupIsToldApartFromAMissingEndMarker) {
  RawServer changed = Answering(PlainAnswer("<div class=\"result\"><a class=\"new\" href=\"http://x.example/\">x</a></div>"));
  EXPECT_EQ(Check(EngineAt(changed.Origin())).word, OutcomeWord::MarkersNotFound);
  RawServer noEnd = Answering(PlainAnswer("<li><a href=\"http://x.example/\">wooden boats</span>"));
  EXPECT_EQ(Check(EngineAt(noEnd.Origin())).word, OutcomeWord::NoHits);
}

TEST_F(EngineCheckTest, AnAddressThatCannotBeFetchedIsInvalid) {
  SearchEngine engine = EngineAt("ftp://files.example");
  const EngineOutcome outcome = Check(engine);
  EXPECT_EQ(outcome.word, OutcomeWord::InvalidAddress);
  EXPECT_EQ(outcome.address, "ftp://files.example/s?q=wooden+boats");
  EXPECT_EQ(outcome.pages, 0);
}

TEST_F(EngineCheckTest, AStoppedCheckEndsPromptlyAsStopped) {
  RawServer server([](RawConnection& connection) { connection.HangUntilStopped(); });
  std::stop_source stop;
  options_.stop = stop.get_token();
  options_.progress = [&](int, int percent) {
    if (percent == 40) stop.request_stop();
  };
  SessionOptions patient = Patient();
  patient.idleTimeout = 60s;
  const auto started = std::chrono::steady_clock::now();
  const EngineOutcome outcome = Check(EngineAt(server.Origin()), patient);
  EXPECT_EQ(outcome.word, OutcomeWord::Stopped);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
}

TEST_F(EngineCheckTest, AGivenPageIsParsedWithoutTheNetwork) {
  options_.givenFirstPage = std::make_shared<const std::string>(HitsPage(3));
  std::vector<int> progress;
  options_.progress = [&](int, int percent) { progress.push_back(percent); };
  // Nothing listens here: a fetch would fail.
  const EngineOutcome outcome = Check(EngineAt("http://127.0.0.1:1"));
  EXPECT_EQ(outcome.word, OutcomeWord::Hits);
  EXPECT_EQ(outcome.hits, 3);
  EXPECT_EQ(outcome.pages, 1);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.bytes, static_cast<long long>(HitsPage(3).size()));
  EXPECT_EQ(progress.back(), 100);
}

TEST_F(EngineCheckTest, APageIsReadInItsCharsetWhileItsBytesAreCountedAsSent) {
  const std::string body = "<a href=\"http://site.example/M\xFCnchen\">M\xFCnchen</a>";
  RawServer server = Answering("HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=ISO-8859-1\r\n\r\n" + body);
  const EngineOutcome outcome = Check(EngineAt(server.Origin()));
  EXPECT_EQ(outcome.word, OutcomeWord::Hits);
  EXPECT_EQ(outcome.bytes, static_cast<long long>(body.size()));
  ASSERT_EQ(table_->RowCount(), 1);
  EXPECT_EQ(table_->Snapshot()[0].url, "http://site.example/M\xC3\xBCnchen");
}

TEST_F(EngineCheckTest, SeveralEnginesRunTogetherAndAnswerInSlotOrder) {
  RawServer good = Answering(PlainAnswer(HitsPage(2)));
  RawServer refusing = Answering(PlainAnswer("go away", "403 Forbidden"));
  options_.words = "wooden boats";
  options_.session = CreateInternetSession({ConnectionSettings::kDirect, "", ""}, Patient());
  const std::vector<EngineOutcome> outcomes =
      CheckEngines({EngineAt(refusing.Origin()), EngineAt("ftp://x.example"), EngineAt(good.Origin())}, table_,
                   options_);
  ASSERT_EQ(outcomes.size(), 3u);
  EXPECT_EQ(outcomes[0].word, OutcomeWord::Refused);
  EXPECT_EQ(outcomes[0].detail, "go away");
  EXPECT_EQ(outcomes[1].word, OutcomeWord::InvalidAddress);
  EXPECT_EQ(outcomes[2].word, OutcomeWord::Hits);
  EXPECT_TRUE(CheckEngines({}, table_, options_).empty());
}

}  // namespace
}  // namespace sorvane
