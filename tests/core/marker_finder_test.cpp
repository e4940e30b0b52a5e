// Finding the markers of result pages: the entries are taken, navigation,
// advertising, pagination and footer links are not, and every proposal is
// what the parser then does with the page.

#include <gtest/gtest.h>

#include <set>

#include "core/learn_engine.h"
#include "core/marker_finder.h"
#include "core/query_address.h"
#include "platform/file_io.h"
#include "core/result_parser.h"

namespace sorvane {
namespace {

struct PageParts {
  std::string entryOpen = "<div class=\"result\"><h3><a class=\"title\" href=\"";
  std::vector<std::string> links;
  std::string words = "wooden boats";
  bool ads = true;
};

// A result page as sites make them: a header with navigation, two ads through
// the site's own redirector, the entries with titles and snippets, pagination
// and a footer.
std::string MakePage(const PageParts& parts) {
  std::string page =
      "<!DOCTYPE html><html><head><title>wooden boats - Search</title>"
      "<link rel=\"stylesheet\" href=\"/static/site.css\"></head><body>\n"
      "<header><a class=\"logo\" href=\"/\">Home</a> <nav><a class=\"nav\" href=\"/images?q=wooden+boats\">Images</a>"
      " <a class=\"nav\" href=\"https://search.example/settings/\">Settings for your searches</a></nav></header>\n";
  if (parts.ads) {
    for (int i = 0; i < 2; ++i) {
      page += "<div class=\"result ad\"><h3><a class=\"title\" href=\"https://search.example/aclk?ad=" +
              std::to_string(i) + "&amp;u=boats\">Wooden boats for sale, ad " + std::to_string(i) +
              "</a></h3><p>Sponsored: buy wooden boats today at the lowest prices anywhere.</p></div>\n";
    }
  }
  for (std::size_t i = 0; i < parts.links.size(); ++i) {
    const std::string title = i % 3 == 1 ? "A harbour history, part " + std::to_string(i)
                                         : "Wooden Boats and their builders, part " + std::to_string(i);
    page += parts.entryOpen + parts.links[i] + "\">" + title +
            "</a></h3>\n<p class=\"snippet\">Clinker and carvel hulls, <b>wooden</b> masts and the yards "
            "that build them, told by people who sail them.</p></div>\n";
  }
  page +=
      "<div class=\"pages\"><a href=\"/search?q=wooden+boats&amp;start=10\">2</a> "
      "<a href=\"/search?q=wooden+boats&amp;start=20\">3</a> "
      "<a href=\"/search?q=wooden+boats&amp;start=10\">Next page</a></div>\n"
      "<footer><a href=\"/about/company\">About us and our history</a> <a href=\"/privacy/policy\">Privacy policy "
      "and cookies</a> <a href=\"https://blog.search.example/\">Our blog</a></footer></body></html>\n";
  return page;
}

std::vector<std::string> Links(const std::string& pattern, int count) {
  std::vector<std::string> links;
  for (int i = 0; i < count; ++i) links.push_back(pattern + std::to_string(i) + "/page.html");
  return links;
}

// The links the parser takes from `page` with the proposal, completed.
std::set<std::string> Taken(const MarkerProposal& proposal, const std::string& page, std::string_view words) {
  SearchEngine engine;
  engine.name = "t";
  engine.startToken = proposal.startToken;
  engine.endToken = proposal.endToken;
  engine.url = proposal.url;
  engine.prefix = "p";
  std::string copy = page;
  ResultsTable table;
  EXPECT_EQ(ParseResultPage(engine, words, copy, table, true), proposal.hits);
  std::set<std::string> links;
  for (const SearchHit& hit : table.Snapshot()) links.insert(hit.url);
  return links;
}

std::set<std::string> Completed(const std::string& base, const std::vector<std::string>& links) {
  std::set<std::string> completed;
  for (const std::string& link : links) completed.insert(base + link);
  return completed;
}

TEST(FindMarkers, TakesTheEntriesAndNoAdsPaginationOrFooterWhateverTheLinkForm) {
  struct Case {
    std::string name;
    std::string pattern;
    std::string address;
    std::string base;  // what makes the links whole
    std::string url;   // the url proposed
  };
  const std::vector<Case> cases = {
      {"absolute", "https://site", "https://search.example/search?q=wooden+boats", "", ""},
      {"mixed schemes", "http://www.site", "https://search.example/search?q=wooden+boats", "", ""},
      {"root-relative", "/boats/", "https://search.example/search?q=wooden+boats", "https://search.example",
       "https://search.example"},
      {"scheme-relative", "//boats.example/", "https://search.example/search?q=wooden+boats", "https:", "https:"},
      {"folder-relative", "item", "https://search.example/cgi/find.cgi?q=wooden+boats",
       "https://search.example/cgi/", "https://search.example/cgi/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PageParts parts;
    parts.links = Links(c.pattern, 10);
    const std::string page = MakePage(parts);
    const auto proposal = FindMarkers(page, parts.words, c.address);
    ASSERT_TRUE(proposal.has_value());
    EXPECT_EQ(proposal->url, c.url);
    EXPECT_EQ(proposal->hits, 10);
    EXPECT_EQ(Taken(*proposal, page, parts.words), Completed(c.base, parts.links));
    EXPECT_EQ(proposal->endToken, "</a>");
  }
}

TEST(FindMarkers, TokensAreWhatARecordLineCanHold) {
  // Tabs and line breaks inside the entries' markup: a token can hold neither
  // (records are lines; the CLI separates fields with tabs).
  PageParts parts;
  parts.entryOpen = "<div class=\"result\">\n\t<h3>\t<a class=\"r\" href=\"";
  parts.links = Links("https://site", 6);
  const std::string page = MakePage(parts);
  const auto proposal = FindMarkers(page, parts.words, "https://search.example/search?q=wooden+boats");
  ASSERT_TRUE(proposal.has_value());
  EXPECT_EQ(proposal->startToken.find_first_of("\t\r\n"), std::string::npos) << proposal->startToken;
  EXPECT_EQ(proposal->startToken, "<a class=\"r\" href=\"http");
  EXPECT_EQ(Taken(*proposal, page, parts.words), Completed("", parts.links));
}

TEST(FindMarkers, ReachesIntoTheLinkWhenTheMarkupAloneCannotTellEntriesFromNavigation) {
  // Every anchor starts its own line with the same bare markup; only the path
  // tells the entries (/app/) from the other links of the site.
  std::string page = "<html><body>\n<a href=\"https://store.example/about/\">About the store and its people</a>\n";
  std::vector<std::string> entries;
  for (int i = 0; i < 12; ++i) {
    entries.push_back("https://store.example/app/" + std::to_string(1000 + i) + "/Harbour_Town/");
    page += "<a href=\"" + entries.back() + "\" data-id=\"" + std::to_string(i) + "\">\n<span>Harbour Town " +
            std::to_string(i) + ", a city builder</span><span>Released 2024</span></a>\n";
  }
  page += "<a href=\"https://store.example/bundle/77/\">The builder's bundle of games</a>\n"
          "<a href=\"https://store.example/search/?term=city+builder&amp;page=2\">Next</a>\n</body></html>\n";
  const auto proposal = FindMarkers(page, "city builder", "https://store.example/search/?term=city+builder");
  ASSERT_TRUE(proposal.has_value());
  EXPECT_EQ(proposal->url, "https://store.example/");
  EXPECT_TRUE(proposal->startToken.ends_with("app/")) << proposal->startToken;
  EXPECT_EQ(Taken(*proposal, page, "city builder"), std::set<std::string>(entries.begin(), entries.end()));
}

TEST(FindMarkers, NothingWithoutEntriesHoldingTheWords) {
  PageParts parts;
  parts.links = Links("https://site", 8);
  const std::string page = MakePage(parts);
  EXPECT_FALSE(FindMarkers(page, "zeppelin", "https://search.example/search?q=zeppelin"));
  EXPECT_FALSE(FindMarkers("", "wooden boats", "https://search.example/search?q=wooden+boats"));
  EXPECT_FALSE(FindMarkers("<html><body>Please prove you are human.</body></html>", "wooden boats",
                           "https://search.example/search?q=wooden+boats"));
  // A page cut off inside an attribute is read as far as it goes.
  EXPECT_FALSE(FindMarkers("<a href=\"https://x.example/wooden boats", "wooden boats", ""));
}

TEST(FindMarkers, AStopEndsTheSearchWithNothing) {
  PageParts parts;
  parts.links = Links("https://site", 8);
  const std::string page = MakePage(parts);
  EXPECT_FALSE(FindMarkers(page, parts.words, "https://search.example/search?q=wooden+boats", [] { return true; }));
}

}  // namespace
}  // namespace sorvane

namespace sorvane {
namespace {

TEST(RefindMarkers, NewTokensAndTheUrlPrefixSplitMovedWhereTheLinksNeedIt) {
  // A broken record: the address all in the prefix, tokens the site no longer
  // sends; the page's links are relative, so the url must become the origin.
  SearchEngine record;
  record.name = "Wiki";
  record.startToken = "<li class=\"old\"><a href=\"";
  record.endToken = "</old>";
  record.prefix = "https://en.wikipedia.org/w/index.php?title=Special:Search&search=";
  record.suffix = "&offset=%d";
  record.searchType = StartIndex;
  const std::string page =
      ReadWholeFile(std::filesystem::path(SORVANE_ENGINE_PAGES_DIR) / "Wikipedia.html").value_or("");
  LearnFailure failure;
  const std::optional<SearchEngine> repaired = RefindMarkers(record, page, "andrews sisters", failure);
  ASSERT_TRUE(repaired.has_value()) << failure.message;
  EXPECT_EQ(repaired->startToken, "<div class=\"mw-search-result-heading\"><a href=\"/wik");
  EXPECT_EQ(repaired->endToken, "</a>");
  EXPECT_EQ(repaired->url, "https://en.wikipedia.org");
  EXPECT_EQ(repaired->prefix, "/w/index.php?title=Special:Search&search=");
  EXPECT_EQ(repaired->suffix, record.suffix);
  EXPECT_EQ(BuildRequestAddress(*repaired, "x"), BuildRequestAddress(record, "x"));

  // A page without entries leaves the record to the person, with the reason.
  EXPECT_FALSE(RefindMarkers(record, "<html>Access denied</html>", "andrews sisters", failure));
  EXPECT_FALSE(failure.message.empty());
}

}  // namespace
}  // namespace sorvane

namespace sorvane {
namespace {

TEST(FindMarkers, ATokenMayReachThePagesFirstByte) {
  // The first link's markup starts the page: nothing lies before its token.
  const std::string page =
      " href=\"https://a.example/1\">wooden boats one</a>\n href=\"https://a.example/2\">wooden boats two</a>\n";
  const auto proposal = FindMarkers(page, "wooden boats", "https://search.example/?q=wooden+boats");
  ASSERT_TRUE(proposal.has_value());
  EXPECT_EQ(proposal->hits, 2);
}

}  // namespace
}  // namespace sorvane

namespace sorvane {
namespace {

// Links relative to the folder the words sit in ("/search/wooden+boats" linking
// to "item-1"): their base is all of the address before the words, so no record
// can be both the links' base and the request's start with a prefix between,
// and one without a prefix would be dropped when engines.dat is read. Learning
// and repairing say so rather than offer such a record.
// Six entries whose links are relative to the page's folder ("item-1"), each
// followed by `separator`.
std::string RelativeItemsPage(const std::string& separator) {
  std::string page = "<html><body><h1>Results</h1>" + separator;
  for (int i = 1; i <= 6; ++i) {
    page += "<div class=\"r\"><a href=\"item-" + std::to_string(i) + "\">Wooden boats number " + std::to_string(i) +
            " for sale</a><p>About wooden boats</p></div>" + separator;
  }
  return page + "</body></html>";
}

TEST(LearnEngine, NoRecordWhenTheLinksBaseIsAllOfTheAddressBeforeTheWords) {
  const std::string page = RelativeItemsPage("\n");
  const std::optional<SearchAddressSplit> split =
      SplitSearchAddress("http://example.com/search/wooden+boats", "wooden boats");
  ASSERT_TRUE(split.has_value());
  LearnFailure failure;
  EXPECT_FALSE(LearnEngine(*split, page, "wooden boats", "", failure).has_value());
  EXPECT_NE(failure.message.find("http://example.com/search/"), std::string::npos) << failure.message;

  SearchEngine record;
  record.name = "Boats";
  record.startToken = "<li class=\"gone\"><a href=\"";
  record.endToken = "</li>";
  record.url = "http://example.com";
  record.prefix = "/search/";
  failure = {};
  EXPECT_FALSE(RefindMarkers(record, page, "wooden boats", failure).has_value());
  EXPECT_NE(failure.message.find("before the words"), std::string::npos) << failure.message;

  // With the words in a query string the same links leave a prefix: learned.
  const std::optional<SearchAddressSplit> query =
      SplitSearchAddress("http://example.com/search/?q=wooden+boats", "wooden boats");
  ASSERT_TRUE(query.has_value());
  const std::optional<LearnedEngine> learned = LearnEngine(*query, page, "wooden boats", "", failure);
  ASSERT_TRUE(learned.has_value()) << failure.message;
  EXPECT_EQ(learned->engine.url, "http://example.com/search/");
  EXPECT_EQ(learned->engine.prefix, "?q=");
  EXPECT_EQ(learned->hits, 6);
}

// A site still on plain http, its page on one line, its result links relative:
// the trials must recognise the entries once the parser has put the url in
// front of them, or a token that takes every other entry wins.
TEST(FindMarkers, RelativeLinksOfAPlainHttpSiteAreRecognisedAsTheEntries) {
  const std::string page = RelativeItemsPage("");
  const auto proposal = FindMarkers(page, "wooden boats", "http://example.com/search?q=wooden+boats");
  ASSERT_TRUE(proposal.has_value());
  EXPECT_EQ(proposal->startToken, "<div class=\"r\"><a href=\"item");
  EXPECT_EQ(proposal->url, "http://example.com/");
  EXPECT_EQ(proposal->hits, 6);
  std::set<std::string> expected;
  for (int i = 1; i <= 6; ++i) expected.insert("http://example.com/item-" + std::to_string(i));
  EXPECT_EQ(Taken(*proposal, page, "wooden boats"), expected);
}

}  // namespace
}  // namespace sorvane
