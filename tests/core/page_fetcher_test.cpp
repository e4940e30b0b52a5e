// The page fetcher against real servers on the loopback interface.

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "core/page_fetcher.h"
#include "support/page_server.h"
#include "support/raw_server.h"

namespace sorvane {
namespace {

using namespace std::chrono_literals;
using testing::PageServer;
using testing::PlainAnswer;
using testing::RawConnection;
using testing::RawServer;

// Records the fetch's progress; asks to stop when told to, or once a given
// percentage has been reported.
class RecordingControl final : public FetchControl {
 public:
  void ReportProgress(int percent) override {
    progress.push_back(percent);
    if (percent == stopAfter) stop = true;
  }
  bool StopRequested() override { return stop.load(); }

  std::vector<int> progress;
  std::atomic<bool> stop{false};
  int stopAfter = -1;
};

// Generous enough for a loaded machine; the silent servers get a short idle time.
SessionOptions ShortOptions() {
  SessionOptions options;
  options.connectTimeout = 3s;
  options.idleTimeout = 3s;
  options.stopPollInterval = 20ms;
  return options;
}

SessionOptions QuickIdleOptions() {
  SessionOptions options = ShortOptions();
  options.idleTimeout = 300ms;
  return options;
}

std::shared_ptr<const InternetSession> DirectSession(SessionOptions options = ShortOptions()) {
  ConnectionSettings settings;
  settings.connectMethod = ConnectionSettings::kDirect;
  return CreateInternetSession(settings, options);
}

struct Fetched {
  std::string page;
  std::vector<int> progress;
  FetchResult result;
};

Fetched Fetch(const std::shared_ptr<const InternetSession>& session, const std::string& address,
              RecordingControl& control) {
  const AddressParts parts = SplitForFetch(address, {});
  std::unique_ptr<HttpConnection> connection = OpenConnection(session, parts);
  Fetched fetched;
  if (!connection) return fetched;
  fetched.result = FetchPage(*connection, parts.object, fetched.page, control);
  fetched.progress = control.progress;
  return fetched;
}

Fetched Fetch(const std::string& address, SessionOptions options = ShortOptions()) {
  RecordingControl control;
  return Fetch(DirectSession(options), address, control);
}

TEST(PageFetcher, SendsAPlainHttp10GetOnTheAddressesPort) {
  RawServer server([](RawConnection& connection) { connection.Send(PlainAnswer("<p>hello</p>")); });
  const Fetched fetched = Fetch(server.Origin() + "/find?q=two+words&n=10");
  EXPECT_EQ(fetched.page, "<p>hello</p>");
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests()[0];
  EXPECT_EQ(server.RequestLines()[0], "GET /find?q=two+words&n=10 HTTP/1.0");
  EXPECT_NE(request.find("\r\nUser-Agent: Sorvane\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nPragma: no-cache\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"), std::string::npos)
      << request;
}

TEST(PageFetcher, ConnectionsUseTheNamedPortOrTheSchemesDefault) {
  const auto session = DirectSession();
  const auto plain = OpenConnection(session, SplitForFetch("http://example.invalid/x", {}));
  const auto secure = OpenConnection(session, SplitForFetch("https://example.invalid/x", {}));
  const auto named = OpenConnection(session, SplitForFetch("example.invalid:8123/x", {}));
  ASSERT_TRUE(plain && secure && named);
  EXPECT_EQ(plain->port(), 80);
  EXPECT_EQ(secure->port(), 443);
  EXPECT_TRUE(secure->secure());
  EXPECT_EQ(named->port(), 8123);
  EXPECT_EQ(named->AddressFor("/a b#c"), "http://example.invalid:8123/a%20b%23c");
  // Only the web's two schemes are fetched.
  EXPECT_FALSE(OpenConnection(session, SplitForFetch("ftp://example.invalid/x", {})));
  EXPECT_FALSE(OpenConnection(nullptr, SplitForFetch("http://example.invalid/x", {})));
}

TEST(PageFetcher, RequestTargetEncodesOnlyWhatCannotBeSent) {
  EXPECT_EQ(RequestTargetFor("/s?q=\"a+b\"&x=%41"), "/s?q=\"a+b\"&x=%41");
  EXPECT_EQ(RequestTargetFor("/s?q=a b\t\x7f\xe9"), "/s?q=a%20b%09%7F%E9");
}

TEST(PageFetcher, OneChunkPageReportsEachStepOnce) {
  RawServer server([](RawConnection& connection) { connection.Send(PlainAnswer("short page")); });
  const Fetched fetched = Fetch(server.Origin() + "/");
  EXPECT_EQ(fetched.page, "short page");
  EXPECT_EQ(fetched.progress, (std::vector<int>{40, 50, 60, 70, 70, 80}));
}

TEST(PageFetcher, ZeroBytesAreDroppedEvenWhenAWholeChunkIsZeros) {
  std::string body = "before";
  body.append(5000, '\0');
  body += "after";
  body.insert(2, 1, '\0');
  RawServer server([&](RawConnection& connection) { connection.Send(PlainAnswer(body)); });
  EXPECT_EQ(Fetch(server.Origin() + "/").page, "beforeafter");
}

TEST(PageFetcher, ChunksAreAtMost1024Bytes) {
  const std::string body(10'000, 'x');
  RawServer server([&](RawConnection& connection) { connection.Send(PlainAnswer(body)); });
  const Fetched fetched = Fetch(server.Origin() + "/");
  EXPECT_EQ(fetched.page, body);
  const auto chunks = std::count(fetched.progress.begin(), fetched.progress.end(), 70);
  EXPECT_GE(chunks, 10 + 1);  // every chunk, and the empty read at the end
  EXPECT_EQ(fetched.progress.back(), 80);
}

TEST(PageFetcher, AnswerWithoutStatusLineIsStillThePage) {
  RawServer server([](RawConnection& connection) { connection.Send("<html>bare</html>"); });
  EXPECT_EQ(Fetch(server.Origin() + "/").page, "<html>bare</html>");
}

TEST(PageFetcher, ErrorPagesAreThePage) {
  PageServer pages;
  pages.server().Get("/missing", [](const httplib::Request&, httplib::Response& response) {
    response.status = 404;
    response.set_content("<h1>Not here</h1>", "text/html");
  });
  pages.server().Get("/broken", [](const httplib::Request&, httplib::Response& response) {
    response.status = 500;
    response.set_content("<h1>Broken</h1>", "text/html");
  });
  EXPECT_EQ(Fetch(pages.Origin() + "/missing").page, "<h1>Not here</h1>");
  EXPECT_EQ(Fetch(pages.Origin() + "/broken").page, "<h1>Broken</h1>");
}

TEST(PageFetcher, RedirectsAreFollowed) {
  PageServer pages;
  pages.server().Get("/old", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("/new");
  });
  pages.server().Get("/new", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("moved here", "text/html");
  });
  const Fetched fetched = Fetch(pages.Origin() + "/old");
  EXPECT_EQ(fetched.page, "moved here");
  EXPECT_EQ(fetched.progress.front(), 40);
  EXPECT_EQ(fetched.progress.back(), 80);
}

TEST(PageFetcher, ServerClosingMidPageLeavesWhatArrived) {
  RawServer server([](RawConnection& connection) {
    connection.Send("HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\nthe first part");
  });
  const Fetched fetched = Fetch(server.Origin() + "/");
  EXPECT_EQ(fetched.page, "the first part");
  EXPECT_EQ(fetched.progress.back(), 80);
}

TEST(PageFetcher, SilentServerEndsAfterTheIdleTimeWithAnEmptyPage) {
  RawServer server([](RawConnection& connection) { connection.HangUntilStopped(); });
  const Fetched fetched = Fetch(server.Origin() + "/", QuickIdleOptions());
  EXPECT_EQ(fetched.page, "");
  EXPECT_EQ(fetched.progress, (std::vector<int>{40, 50, 60, 70, 80}));
}

TEST(PageFetcher, StallingServerKeepsThePartThatCame) {
  RawServer server([](RawConnection& connection) {
    connection.Send("HTTP/1.0 200 OK\r\n\r\nsome of it");
    connection.HangUntilStopped();
  });
  EXPECT_EQ(Fetch(server.Origin() + "/", QuickIdleOptions()).page, "some of it");
}

TEST(PageFetcher, SlowDripWithinTheIdleTimeIsReadToTheEnd) {
  RawServer server([](RawConnection& connection) {
    connection.Send("HTTP/1.0 200 OK\r\n\r\n");
    for (char c : std::string("drip")) {
      if (connection.WaitForStop(150ms) || !connection.Send(std::string(1, c))) return;
    }
  });
  EXPECT_EQ(Fetch(server.Origin() + "/").page, "drip");
}

TEST(PageFetcher, EndlessBodyIsCutAtThePageLimit) {
  RawServer server([](RawConnection& connection) {
    connection.Send("HTTP/1.0 200 OK\r\n\r\n");
    const std::string block(64 * 1024, 'z');
    while (connection.Send(block)) {
    }
  });
  const Fetched fetched = Fetch(server.Origin() + "/");
  EXPECT_EQ(fetched.page.size(), std::size_t{32} << 20);
  EXPECT_EQ(fetched.progress.back(), 80);
}

TEST(PageFetcher, APageOfExactlyTheLimitIsReadWholeAndNotCut) {
  SessionOptions options = ShortOptions();
  options.pageLimit = 4096;
  const std::string body(4096, 'p');
  RawServer server([&](RawConnection& connection) { connection.Send(PlainAnswer(body)); });
  const Fetched whole = Fetch(server.Origin() + "/", options);
  EXPECT_EQ(whole.page, body);
  EXPECT_FALSE(whole.result.cut);
  EXPECT_EQ(whole.result.bytes, 4096);
  EXPECT_EQ(whole.progress.back(), 80);

  // One byte more is cut, and the end was never read.
  options.pageLimit = 4095;
  const Fetched cut = Fetch(server.Origin() + "/", options);
  EXPECT_EQ(cut.page, std::string(4095, 'p'));
  EXPECT_TRUE(cut.result.cut);
  EXPECT_EQ(cut.result.trouble, FetchTrouble::None);
  EXPECT_EQ(cut.progress.back(), 80);
}

// Records, at each step, whether the server had already sent its real answer.
class StepWitness final : public FetchControl {
 public:
  explicit StepWitness(const std::atomic<bool>& answerSent) : answerSent_(answerSent) {}
  void ReportProgress(int percent) override {
    steps.push_back(percent);
    sentAtStep.push_back(answerSent_.load());
    if (percent == stopAfter) stop = true;
  }
  bool StopRequested() override { return stop; }

  std::vector<int> steps;
  std::vector<bool> sentAtStep;
  int stopAfter = -1;
  bool stop = false;

 private:
  const std::atomic<bool>& answerSent_;
};

TEST(PageFetcher, AnInterimContinueShiftsNeitherTheStepsNorTheStopPoints) {
  std::atomic<bool> answerSent{false};
  RawServer server([&](RawConnection& connection) {
    connection.Send("HTTP/1.1 100 Continue\r\n\r\n");
    if (connection.WaitForStop(300ms)) return;
    answerSent = true;
    connection.Send(PlainAnswer("the real page"));
  });
  const auto session = DirectSession();
  {
    StepWitness witness(answerSent);
    const AddressParts parts = SplitForFetch(server.Origin() + "/", {});
    std::string page;
    const FetchResult result = FetchPage(*OpenConnection(session, parts), parts.object, page, witness);
    EXPECT_EQ(page, "the real page");
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(witness.steps, (std::vector<int>{40, 50, 60, 70, 70, 80}));
    // 50 and 60 belong to the real answer's headers, not to the interim one.
    EXPECT_EQ(witness.sentAtStep, (std::vector<bool>{false, true, true, true, true, true}));
  }
  {
    answerSent = false;
    StepWitness witness(answerSent);
    witness.stopAfter = 50;  // the stop point after the request has been answered
    const AddressParts parts = SplitForFetch(server.Origin() + "/", {});
    std::string page;
    const FetchResult result = FetchPage(*OpenConnection(session, parts), parts.object, page, witness);
    EXPECT_EQ(witness.steps, (std::vector<int>{40, 50}));
    EXPECT_EQ(witness.sentAtStep, (std::vector<bool>{false, true}));
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(page, "");
  }
}

TEST(PageFetcher, TheResultTellsWhatTheFetchSaw) {
  PageServer pages;
  pages.server().Get("/old", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("/new");
  });
  pages.server().Get("/new", [](const httplib::Request&, httplib::Response& response) {
    response.status = 403;
    response.set_content("no robots", "text/html; charset=ISO-8859-1");
  });
  const Fetched fetched = Fetch(pages.Origin() + "/old");
  EXPECT_EQ(fetched.result.status, 403);
  EXPECT_EQ(fetched.result.contentType, "text/html; charset=ISO-8859-1");
  EXPECT_EQ(fetched.result.bytes, 9);
  EXPECT_EQ(fetched.result.address, pages.Origin() + "/new");
  EXPECT_EQ(fetched.result.trouble, FetchTrouble::None);
  EXPECT_FALSE(fetched.result.stopped);

  const Fetched unresolved = Fetch("http://nowhere.invalid/");
  EXPECT_EQ(unresolved.result.trouble, FetchTrouble::NoConnection);
  EXPECT_NE(unresolved.result.libraryCode, 0);
  EXPECT_FALSE(unresolved.result.libraryText.empty());
}

TEST(PageFetcher, IdleTimeoutAndStopAreToldApart) {
  RawServer server([](RawConnection& connection) { connection.HangUntilStopped(); });
  const Fetched idle = Fetch(server.Origin() + "/", QuickIdleOptions());
  EXPECT_EQ(idle.result.trouble, FetchTrouble::TimedOut);
  EXPECT_FALSE(idle.result.stopped);
  RecordingControl control;
  control.stopAfter = 60;
  RawServer answering([](RawConnection& connection) { connection.Send(PlainAnswer("x")); });
  const Fetched stopped = Fetch(DirectSession(), answering.Origin() + "/", control);
  EXPECT_TRUE(stopped.result.stopped);
  EXPECT_EQ(stopped.result.trouble, FetchTrouble::None);
}

TEST(PageFetcher, StopAfterAChunkEndsTheReadWithThatChunk) {
  RawServer server([](RawConnection& connection) {
    connection.Send("HTTP/1.0 200 OK\r\n\r\n" + std::string(1024, 'a'));
    if (connection.WaitForStop(200ms)) return;
    connection.Send(std::string(1024, 'b'));
    connection.HangUntilStopped();
  });
  RecordingControl control;
  control.stopAfter = 70;
  const Fetched fetched = Fetch(DirectSession(), server.Origin() + "/", control);
  EXPECT_EQ(fetched.page.find('b'), std::string::npos);
  EXPECT_FALSE(fetched.page.empty());
  EXPECT_EQ(fetched.progress, (std::vector<int>{40, 50, 60, 70}));
}

TEST(PageFetcher, StopWhileTheServerSendsNothingEndsTheFetch) {
  RawServer server([](RawConnection& connection) {
    connection.Send("HTTP/1.0 200 OK\r\n\r\nstart");
    connection.HangUntilStopped();
  });
  SessionOptions patient = ShortOptions();
  patient.idleTimeout = 60s;  // only the stop can end this fetch in time
  patient.stopPollInterval = 100ms;
  RecordingControl control;
  std::thread stopper([&] {
    std::this_thread::sleep_for(300ms);
    control.stop = true;
  });
  const auto started = std::chrono::steady_clock::now();
  const Fetched fetched = Fetch(DirectSession(patient), server.Origin() + "/", control);
  const auto elapsed = std::chrono::steady_clock::now() - started;
  stopper.join();
  EXPECT_EQ(fetched.page, "start");
  EXPECT_LT(elapsed, 10s);
  EXPECT_EQ(fetched.progress.back(), 70);
}

TEST(PageFetcher, StopBeforeTheRequestIsSentSendsNothing) {
  RawServer server([](RawConnection& connection) { connection.Send(PlainAnswer("x")); });
  RecordingControl control;
  control.stopAfter = 40;
  const Fetched fetched = Fetch(DirectSession(), server.Origin() + "/", control);
  EXPECT_EQ(fetched.progress, (std::vector<int>{40}));
  EXPECT_TRUE(server.Requests().empty());
}

TEST(PageFetcher, RefusedConnectionStillReportsEveryStep) {
  int freePort = 0;
  {
    RawServer closed([](RawConnection&) {});
    freePort = closed.port();
  }
  const Fetched fetched = Fetch("http://127.0.0.1:" + std::to_string(freePort) + "/");
  EXPECT_EQ(fetched.page, "");
  EXPECT_EQ(fetched.progress, (std::vector<int>{40, 50, 60, 70, 80}));
}

TEST(PageFetcher, HttpsIsSpokenAsTlsAndAPlainServerYieldsNothing) {
  RawServer server([](RawConnection& connection) { connection.Send(PlainAnswer("plain text")); });
  const Fetched fetched = Fetch("https://127.0.0.1:" + std::to_string(server.port()) + "/");
  EXPECT_EQ(fetched.page, "");
  EXPECT_EQ(fetched.progress.back(), 80);
}

// A proxy that answers every request itself and keeps the request lines.
class ProxyTest : public ::testing::Test {
 protected:
  RawServer proxy_{[](RawConnection& connection) { connection.Send(PlainAnswer("from the proxy")); }};
  RawServer origin_{[](RawConnection& connection) { connection.Send(PlainAnswer("from the origin")); }};
};

TEST_F(ProxyTest, NamedProxyGetsTheAbsoluteAddress) {
  ConnectionSettings settings{ConnectionSettings::kNamedProxy, "127.0.0.1", std::to_string(proxy_.port())};
  RecordingControl control;
  const auto session = CreateInternetSession(settings, ShortOptions());
  ASSERT_TRUE(session);
  EXPECT_EQ(session->proxyName(), "127.0.0.1:" + std::to_string(proxy_.port()));
  const Fetched fetched = Fetch(session, "http://engine.invalid:8080/s?q=x", control);
  EXPECT_EQ(fetched.page, "from the proxy");
  ASSERT_EQ(proxy_.RequestLines().size(), 1u);
  EXPECT_EQ(proxy_.RequestLines()[0], "GET http://engine.invalid:8080/s?q=x HTTP/1.0");
}

TEST_F(ProxyTest, NamedProxyWithoutPortCannotMakeASession) {
  EXPECT_EQ(ProxyNameFor({ConnectionSettings::kNamedProxy, "proxy.invalid", ""}), "");
  EXPECT_EQ(ProxyNameFor({ConnectionSettings::kNamedProxy, "", "8080"}), ":8080");
  EXPECT_FALSE(CreateInternetSession({ConnectionSettings::kNamedProxy, "127.0.0.1", ""}));
  SessionHolder holder;
  EXPECT_FALSE(holder.EnsureSession({ConnectionSettings::kNamedProxy, "127.0.0.1", ""}));
  EXPECT_TRUE(holder.EnsureSession({ConnectionSettings::kDirect, "", ""}));
}

TEST_F(ProxyTest, DirectIgnoresTheEnvironmentAndSystemSettingsFollowIt) {
  const std::string proxyAddress = proxy_.Origin();
  ::setenv("http_proxy", proxyAddress.c_str(), 1);
  ::unsetenv("no_proxy");
  ::unsetenv("NO_PROXY");
  RecordingControl direct;
  EXPECT_EQ(Fetch(CreateInternetSession({ConnectionSettings::kDirect, "", ""}, ShortOptions()),
                  origin_.Origin() + "/a", direct)
                .page,
            "from the origin");
  RecordingControl system;
  EXPECT_EQ(Fetch(CreateInternetSession({0, "", ""}, ShortOptions()), origin_.Origin() + "/b", system).page,
            "from the proxy");
  ::unsetenv("http_proxy");
  ASSERT_EQ(proxy_.RequestLines().size(), 1u);
  EXPECT_EQ(proxy_.RequestLines()[0], "GET " + origin_.Origin() + "/b HTTP/1.0");
  EXPECT_EQ(AccessTypeFor({7, "", ""}), AccessType::SystemSettings);
}

}  // namespace
}  // namespace sorvane
