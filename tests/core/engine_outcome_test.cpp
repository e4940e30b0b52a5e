// How an engine's facts become its outcome, and the words and texts it is told in.

#include <gtest/gtest.h>

#include "core/engine_outcome.h"

namespace sorvane {
namespace {

TEST(EngineOutcome, TheFirstWordThatAppliesIsTold) {
  OutcomeFacts facts;
  facts.pages = 1;
  facts.lastPageBytes = 10;
  facts.bytes = 10;
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::MarkersNotFound);
  facts.startTokenOnFirstPage = true;
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::NoHits);
  facts.lastPageBytes = 0;
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::EmptyPage);
  facts.status = 404;
  facts.siteText = "Not here";
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::HttpError);
  EXPECT_EQ(DecideOutcome(facts, 0).detail, "Not here");
  facts.status = 407;
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::Refused);
  facts.trouble = FetchTrouble::Other;  // a read that failed half way tells nothing more
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::Refused);
  facts.trouble = FetchTrouble::TimedOut;
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::TimedOut);
  EXPECT_EQ(DecideOutcome(facts, 0).detail, "");
  facts.trouble = FetchTrouble::NoConnection;
  facts.troubleText = "Could not resolve host: nowhere.invalid";
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::NoConnection);
  EXPECT_EQ(DecideOutcome(facts, 0).detail, "Could not resolve host: nowhere.invalid");
  facts.stopped = true;
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::Stopped);
  facts.known = 2;
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::AllKnown);
  facts.hits = 1;
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::Hits);
  facts.invalidAddress = true;
  EXPECT_EQ(DecideOutcome(facts, 0).word, OutcomeWord::InvalidAddress);
}

TEST(EngineOutcome, NumbersAreCarriedOver) {
  OutcomeFacts facts;
  facts.status = 200;
  facts.bytes = 5000;
  facts.lastPageBytes = 1000;
  facts.pages = 3;
  facts.hits = 12;
  facts.known = 2;
  facts.address = "http://a.example/s?p=2";
  const EngineOutcome outcome = DecideOutcome(facts, 1234);
  EXPECT_EQ(outcome, (EngineOutcome{OutcomeWord::Hits, 200, 5000, 3, 12, 2, 1234, "http://a.example/s?p=2", ""}));
}

TEST(EngineOutcome, WordsAndResultTexts) {
  struct Case {
    OutcomeWord word;
    const char* machine;
    const char* person;
  };
  const Case cases[] = {
      {OutcomeWord::InvalidAddress, "invalid-address", "Invalid URL"},
      {OutcomeWord::Hits, "hits", "7 hits"},
      {OutcomeWord::AllKnown, "all-known", "No new hits: all found by other engines"},
      {OutcomeWord::Stopped, "stopped", "Stopped"},
      {OutcomeWord::NoConnection, "no-connection", "Could not connect: Connection refused"},
      {OutcomeWord::TimedOut, "timed-out", "Timed out"},
      {OutcomeWord::Refused, "refused", "Refused by the site (HTTP 429)"},
      {OutcomeWord::HttpError, "http-error", "Site error (HTTP 429)"},
      {OutcomeWord::EmptyPage, "empty-page", "Empty page"},
      {OutcomeWord::NoHits, "no-hits", "No hits: the end marker or the link was not found"},
      {OutcomeWord::MarkersNotFound, "markers-not-found", "No hits: the start marker is not on the page"},
  };
  for (const Case& c : cases) {
    EngineOutcome outcome;
    outcome.word = c.word;
    outcome.hits = 7;
    outcome.status = 429;
    outcome.detail = "Connection refused";
    EXPECT_EQ(OutcomeWordText(c.word), c.machine);
    EXPECT_EQ(OutcomeResultText(outcome), c.person) << c.machine;
  }
  EngineOutcome one;
  one.word = OutcomeWord::Hits;
  one.hits = 1;
  EXPECT_EQ(OutcomeResultText(one), "1 hit");
}

TEST(EngineOutcome, PageTextExcerptReadsAsAPersonWould) {
  EXPECT_EQ(PageTextExcerpt("<html><HEAD><STYLE>b{}</STYLE><Script>if (a<b) x();</SCRIPT></HEAD>"
                            "<body>\r\n <h1>Too  many</h1>\trequests</body>"),
            "Too many requests");
  EXPECT_EQ(PageTextExcerpt("no markup at all"), "no markup at all");
  EXPECT_EQ(PageTextExcerpt("a < b"), "a < b");
  EXPECT_EQ(PageTextExcerpt("<script>never closed"), "");
  // Characters, not bytes: 120 letters of two bytes each, and no sequence cut.
  std::string umlauts;
  for (int i = 0; i < 130; ++i) umlauts += "\xC3\xBC";
  EXPECT_EQ(PageTextExcerpt(umlauts), umlauts.substr(0, 240));
  EXPECT_EQ(PageTextExcerpt(std::string(119, 'a') + " bc"), std::string(119, 'a'));
  EXPECT_EQ(PageTextExcerpt("abc def", 3), "abc");
}

TEST(EngineOutcome, TheSummaryCountsTheEnginesThatTookHits) {
  EngineOutcome hits;
  hits.word = OutcomeWord::Hits;
  EngineOutcome known;
  known.word = OutcomeWord::AllKnown;
  EXPECT_EQ(SearchSummaryText(17, {{"A", hits}, {"B", known}, {"C", hits}}),
            "Sorvane found 17 hits from 2 of 3 engines.");
  EXPECT_EQ(SearchSummaryText(0, {}), "Sorvane found 0 hits from 0 of 0 engines.");
}

TEST(EngineOutcome, LinesAreTabSeparatedWithTheDetailKeptOnOneLine) {
  EngineOutcome outcome;
  outcome.word = OutcomeWord::Refused;
  outcome.status = 403;
  outcome.bytes = 80;
  outcome.pages = 1;
  outcome.milliseconds = 42;
  outcome.detail = "Please\tset a\r\nuser-agent";
  EXPECT_EQ(OutcomeLine("Wiki", outcome), "Wiki\trefused\t403\t80\t1\t0\t0\t42\tPlease set a  user-agent");
}

}  // namespace
}  // namespace sorvane
