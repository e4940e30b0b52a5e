#include "core/result_parser.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

SearchEngine Engine(std::string startToken, std::string endToken, std::string url = "http://engine.example") {
  SearchEngine engine;
  engine.name = "Finder";
  engine.url = std::move(url);
  engine.prefix = "/s?q=";
  engine.startToken = std::move(startToken);
  engine.endToken = std::move(endToken);
  return engine;
}

int Parse(const SearchEngine& engine, std::string_view words, std::string page, ResultsTable& table,
          bool skipKnownLinks = true) {
  return ParseResultPage(engine, words, page, table, skipKnownLinks);
}

const std::string kResultPage =
    "<html><head><title>Results</title></head><body>\n"
    "<ol class=\"results\">\n"
    "<li><a class=\"hit\" href=\"http://boats.example/wooden\"><b>Wooden</b> boats for sale</a>\n"
    "<p>Snippet text</p></li>\n"
    "<li><a class=\"hit\" href=\"http://museum.example/boats\">The wooden boats museum: wooden\n"
    "boats of the world</a></li>\n"
    "<li><a class=\"hit\" href=\"http://other.example/\">Nothing&nbsp;to&quot;see&quot; here</a></li>\n"
    "</ol></body></html>\n";

TEST(ParseResultPage, CutsEveryHitOfARealLookingPage) {
  ResultsTable table;
  EXPECT_EQ(Parse(Engine("<a class=\"hit\" href=\"http", "</a>"), "wooden boats", kResultPage, table), 3);
  const std::vector<SearchHit> hits = table.Snapshot();
  ASSERT_EQ(hits.size(), 3u);
  // The museum: the phrase twice (the line feed became a space) and "wooden" twice.
  EXPECT_EQ(hits[0], (SearchHit{"The wooden boats museum: wooden boats of the world",
                                "http://museum.example/boats", 24, 1, "Finder"}));
  EXPECT_EQ(hits[1], (SearchHit{"Wooden boats for sale", "http://boats.example/wooden", 12, 1, "Finder"}));
  EXPECT_EQ(hits[2], (SearchHit{"Nothing to\"see\" here", "http://other.example/", 0, 1, "Finder"}));
}

TEST(ParseResultPage, LinkFormsAndTheEngineUrl) {
  ResultsTable table;
  // A token ending with the opening quote: the link begins with its last four bytes.
  const std::string page = "<p><a href=\"/doc/1\">One</a> <a href=\"/r?u=http://x.example/\">Two</a>";
  EXPECT_EQ(Parse(Engine("<a href=\"", "</a>"), "one", page, table), 2);
  const std::vector<SearchHit> hits = table.Snapshot();
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].url, "http://engine.exampleef=\"/doc/1");
  EXPECT_EQ(hits[1].url, "ef=\"/r?u=http://x.example/");  // holds "http://": kept as it is

  ResultsTable relative;
  EXPECT_EQ(Parse(Engine("<a href=\"/doc", "</a>", "http://e.example"), "x",
                  "<a href=\"/doc/7\">Seven</a>", relative), 1);
  EXPECT_EQ(relative.Snapshot()[0].url, "http://e.example/doc/7");
}

TEST(ParseResultPage, StopsAtMalformedHitsAndTheEndOfThePage) {
  const SearchEngine engine = Engine("<a href=\"http", "</a>");
  const struct {
    const char* page;
    int expected;
  } cases[] = {
      {"no hits here", 0},
      {"<a href=\"http://a/\">A</a><a href=\"http://b/\">B has no end", 1},
      {"<a href=\"http://a/\">A</a><a href=\"http\"\">empty link ends the list</a>", 1},
      {"<a href=\"http://a/\">A</a><a href=\"http://b/ never closed", 1},
      {"<a href=\"http", 0},
      {"<a href=\"http:", 0},
      {"<a href=\"http:/\"", 0},
      {"<a href=\"http:/\">", 0},
      {"<a href=\"http:/\">x</a", 0},
      {"<a href=\"http:/\"></a>", 1},
  };
  for (const auto& c : cases) {
    ResultsTable table;
    EXPECT_EQ(Parse(engine, "a", c.page, table), c.expected) << c.page;
  }
}

TEST(ParseResultPage, ShortStartTokensStartTheLinkAtThePageStart) {
  ResultsTable table;
  EXPECT_EQ(Parse(Engine("<", ">"), "x", "<\"a>title>", table), 1);
  EXPECT_EQ(table.Snapshot()[0].url, "http://engine.example<");
}

TEST(ParseResultPage, KnownLinksAreSkippedOnlyWhenAsked) {
  const SearchEngine engine = Engine("<a href=\"http", "</a>");
  const std::string page = "<a href=\"http://a/\">A</a><a href=\"http://a/\">A again</a>";
  ResultsTable skipping;
  EXPECT_EQ(Parse(engine, "a", page, skipping, true), 1);
  EXPECT_EQ(skipping.Snapshot()[0].hits, 1);

  ResultsTable counting;
  EXPECT_EQ(Parse(engine, "a", page, counting, false), 2);
  ASSERT_EQ(counting.RowCount(), 1);
  EXPECT_EQ(counting.Snapshot()[0].hits, 2);
}

TEST(ParseResultPage, InvalidRecordsAreNotParsedAndThePageIsMarked) {
  SearchEngine engine = Engine("<a href=\"http", "</a>");
  std::string page = "<a href=\"http://a/\">A</a>rest";
  ResultsTable table;
  EXPECT_EQ(ParseResultPage(engine, "a", page, table, true), 1);
  EXPECT_EQ(page[page.find("/a>rest") - 1], '\0');

  engine.valid = 0;
  ResultsTable untouched;
  std::string again = "<a href=\"http://a/\">A</a>";
  EXPECT_EQ(ParseResultPage(engine, "a", again, untouched, true), 0);
  EXPECT_EQ(untouched.RowCount(), 0);
}

TEST(CleanDescription, TheRestOfTheLinksTagIsDropped) {
  const struct {
    const char* title;
    const char* expected;
  } cases[] = {
      {"title=\"X\" data-serp-pos=\"0\">X", "X"},
      {"title=\"The Andrews Sisters\" data-serp-pos=\"0\"><span class=\"searchmatch\">The</span> Andrews Sisters",
       "The Andrews Sisters"},
      // A "<" before the first ">": the ">" belongs to a tag of the title.
      {"<b>Bold</b> and <i class=\"x>y\">odd</i>", "Bold and y\">odd"},
      // No ">" at all: a page that is not HTML keeps its whole title.
      {"plain title = \"text\"", "plain title = \"text\""},
      {"open < tag never closed", "open < tag never closed"},
      {">", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanDescription(c.title), c.expected) << c.title;
}

TEST(CleanDescription, CharacterReferencesAreDecodedAfterTheTagsGo) {
  const struct {
    const char* title;
    const char* expected;
  } cases[] = {
      {"Fish &amp; Chips &#39;n&#x27; &quot;more&quot; &apos;x&apos;", "Fish & Chips 'n' \"more\" 'x'"},
      {"two&nbsp;words&nbsp;&nbsp; here", "two words here"},
      {"M&uuml;nchen &mdash; caf&eacute; &#233;&#xE9;&#XE9; &Sigma;&sigma;", "M\xC3\xBCnchen \xE2\x80\x94 caf\xC3\xA9 "
                                                                             "\xC3\xA9\xC3\xA9\xC3\xA9 \xCE\xA3\xCF\x83"},
      {"&#x6771;&#20140; &#x1F600;", "\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80"},
      // An escaped tag is text the page wants shown; decoding twice would be wrong.
      {"x &lt;b&gt; y &amp;lt;", "x <b> y &lt;"},
      // Unknown or malformed references stay as written.
      {"&bogus; &amp &#; &#x; &#12a; &Amp; && &;", "&bogus; &amp &#; &#x; &#12a; &Amp; && &;"},
      {"&averyveryverylongname;", "&averyveryverylongname;"},
      // Numbers naming no character give U+FFFD; 128..159 are Windows-1252's.
      {"&#0;|&#xD800;|&#x110000;|&#99999999999999999999;", "\xEF\xBF\xBD|\xEF\xBF\xBD|\xEF\xBF\xBD|\xEF\xBF\xBD"},
      {"&#150; &#x80; &#129;x", "\xE2\x80\x93 \xE2\x82\xAC x"},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanDescription(c.title), c.expected) << c.title;
}

TEST(CleanDescription, ControlsAndWhiteSpaceBecomeSingleSpaces) {
  EXPECT_EQ(CleanDescription("line\none\r\ntwo"), "line one two");
  EXPECT_EQ(CleanDescription("  \t lead\x01\x7F" "and   trail \n "), "lead and trail");
  EXPECT_EQ(CleanDescription("a&#10;&#9;b&#127;c\xC2\xA0" "d\xC2\x85" "e"), "a b c d e");
  EXPECT_EQ(CleanDescription(std::string("zero\0byte", 9)), "zero byte");
  EXPECT_EQ(CleanDescription(" \t\r\n "), "");
}

TEST(CleanDescription, AlwaysUtf8) {
  // The title starts two bytes after the link's quote: here inside an "é".
  EXPECT_EQ(CleanDescription("\xA9t\xC3\xA9 d\xE2\x80\x99un"), "t\xC3\xA9 d\xE2\x80\x99un");
  EXPECT_EQ(CleanDescription("\x80\x80\x80\x80x"), "\xEF\xBF\xBDx");
  // Bytes of a page that was never converted.
  EXPECT_EQ(CleanDescription("caf\xE9 <b>M\xFCnchen</b>"), "caf\xEF\xBF\xBD M\xEF\xBF\xBDnchen");
}

TEST(CleanDescription, CutToThreeHundredFiftyBytesOnACharacterBoundary) {
  EXPECT_EQ(CleanDescription(std::string(400, 'z')), std::string(350, 'z'));
  // The cut would split the two bytes of "é" or the three of "東".
  EXPECT_EQ(CleanDescription(std::string(349, 'a') + "\xC3\xA9xyz"), std::string(349, 'a'));
  EXPECT_EQ(CleanDescription(std::string(348, 'a') + "\xE6\x9D\xB1xyz"), std::string(348, 'a'));
  EXPECT_EQ(CleanDescription(std::string(346, 'a') + "\xF0\x9F\x98\x80xyz"), std::string(346, 'a') + "\xF0\x9F\x98\x80");
  // The cut comes after decoding and collapsing, and leaves no blank at the end.
  EXPECT_EQ(CleanDescription(std::string(345, 'a') + "&eacute;&nbsp;&nbsp;   bbbbbbb"),
            std::string(345, 'a') + "\xC3\xA9 bb");
  EXPECT_EQ(CleanDescription(std::string(349, 'a') + "   b"), std::string(349, 'a'));
}

TEST(StripTags, RemovesRunsFromLessThanToGreaterThan) {
  EXPECT_EQ(StripTags("a<b>c</b>d"), "acd");
  EXPECT_EQ(StripTags("<<x>>y"), ">y");
  EXPECT_EQ(StripTags("a<b"), "a<b");
  EXPECT_EQ(StripTags(""), "");
}

TEST(FindColumn, ByTitle) {
  ResultsTable table;
  EXPECT_EQ(FindColumn(table, "Description"), 0);
  EXPECT_EQ(FindColumn(table, "Engine"), 4);
  EXPECT_EQ(FindColumn(table, "engine"), -1);
}

}  // namespace
}  // namespace sorvane
