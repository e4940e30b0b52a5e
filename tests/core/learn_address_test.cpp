// Cutting a search address, or an OpenSearch template, around the words so that
// the address builder asks for the same page again.

#include <gtest/gtest.h>

#include "core/learn_address.h"
#include "core/query_address.h"

namespace sorvane {
namespace {

// The request a record built from the split makes for `words`.
std::string Rebuilt(const SearchAddressSplit& split, std::string_view url, std::string_view words) {
  SearchEngine engine;
  EXPECT_TRUE(ApplyAddressSplit(split, url, engine));
  return BuildRequestAddress(engine, EncodeQuery(words, EntirePhrase));
}

TEST(SplitSearchAddress, RebuildsTheAddressHoweverTheWordsWereJoined) {
  struct Case {
    std::string address;
    std::string words;
    std::string expected;  // what the record asks for: the words joined with "+"
  };
  const std::vector<Case> cases = {
      {"https://www.mojeek.com/search?q=node.js", "node.js", "https://www.mojeek.com/search?q=node.js"},
      {"https://ex.org/find?lang=en&q=Wooden+Boats&x=1", "wooden boats", "https://ex.org/find?lang=en&q=wooden+boats&x=1"},
      {"https://ex.org/find?q=wooden%20boats", "wooden boats", "https://ex.org/find?q=wooden+boats"},
      {"https://ex.org/find?q=wooden boats&kind=all", "Wooden Boats", "https://ex.org/find?q=Wooden+Boats&kind=all"},
      // A word's bytes may come percent-encoded; a path may carry the words.
      {"https://ex.org/search/c%2B%2B%20tips", "c++ tips", "https://ex.org/search/c+++tips"},
      // The site's own escapes stay as they are, doubled in the pattern.
      {"https://www.gutenberg.org/ebooks/search/?query=sea+stories&submit_search=Go%21", "sea stories",
       "https://www.gutenberg.org/ebooks/search/?query=sea+stories&submit_search=Go%21"},
      {"https://ex.org/s?q=farm&fmt=%dx%s", "farm", "https://ex.org/s?q=farm&fmt=%dx%s"},
      // A fragment never reaches the server.
      {"https://ex.org/s?q=farm#results", "farm", "https://ex.org/s?q=farm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    const std::optional<SearchAddressSplit> split = SplitSearchAddress(c.address, c.words);
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->searchType, ResultCount);
    EXPECT_EQ(Rebuilt(*split, "", c.words), c.expected);
    // Other words go where these were.
    EXPECT_NE(Rebuilt(*split, "", "other words").find("other+words"), std::string::npos);
  }
}

TEST(SplitSearchAddress, PrefersTheWordsAsAParameterValue) {
  // "farm" appears in the host and the path before it is the value of q.
  const auto split = SplitSearchAddress("https://farm.example/farm/search?q=farm", "farm");
  ASSERT_TRUE(split.has_value());
  EXPECT_EQ(split->literalBefore, "https://farm.example/farm/search?q=");
  EXPECT_EQ(split->host, "farm.example");
  EXPECT_EQ(SplitSearchAddress("https://www.Example.org/?q=x", "x")->host, "Example.org");
}

TEST(SplitSearchAddress, AnOffsetParameterMakesAStartIndexEngine) {
  struct Case {
    std::string address;
    std::string beforePattern;
    std::string afterPattern;
  };
  const std::vector<Case> cases = {
      {"https://ex.org/w?search=kv+cache&limit=20&offset=40", "https://ex.org/w?search=", "&limit=20&offset=%d"},
      {"https://ex.org/s?start=10&q=kv+cache", "https://ex.org/s?start=%d&q=", ""},
      {"https://ex.org/s?q=kv+cache&first=0", "https://ex.org/s?q=", "&first=%d"},
      // No known name, but a multiple of ten under a name that is no count.
      {"https://ex.org/s?q=kv+cache&r=20", "https://ex.org/s?q=", "&r=%d"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    const auto split = SplitSearchAddress(c.address, "kv cache");
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->searchType, StartIndex);
    EXPECT_EQ(split->beforePattern, c.beforePattern);
    EXPECT_EQ(split->afterPattern, c.afterPattern);
  }
  // Counts, page numbers and numbers that are no offsets stay as they are.
  for (const std::string address : {"https://ex.org/s?q=kv&limit=20", "https://ex.org/s?q=kv&page=2",
                                    "https://ex.org/s?q=kv&year=2024", "https://ex.org/s?q=kv&v=7"}) {
    SCOPED_TRACE(address);
    const auto split = SplitSearchAddress(address, "kv");
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->searchType, ResultCount);
    EXPECT_EQ(Rebuilt(*split, "", "kv"), address);
  }
}

TEST(SplitSearchAddress, RefusesAddressesWithoutTheWordsOrAServer) {
  EXPECT_FALSE(SplitSearchAddress("https://ex.org/s?q=boats", "wooden boats"));
  EXPECT_FALSE(SplitSearchAddress("https://ex.org/s?q=wooden+boats", "   "));
  // The words in the server name alone are no search.
  EXPECT_FALSE(SplitSearchAddress("https://boats.example/", "boats"));
  EXPECT_FALSE(SplitSearchAddress("", "boats"));
  // Without a scheme the address is taken as http.
  const auto bare = SplitSearchAddress("ex.org/s?q=boats", "boats");
  ASSERT_TRUE(bare.has_value());
  EXPECT_EQ(bare->literalBefore, "http://ex.org/s?q=");
}

TEST(ApplyAddressSplit, TheUrlMustBeginTheAddress) {
  const auto split = SplitSearchAddress("https://en.wikipedia.org/w/index.php?search=bread&offset=0", "bread");
  ASSERT_TRUE(split.has_value());
  SearchEngine engine;
  ASSERT_TRUE(ApplyAddressSplit(*split, "https://en.wikipedia.org", engine));
  EXPECT_EQ(engine.url, "https://en.wikipedia.org");
  EXPECT_EQ(engine.prefix, "/w/index.php?search=");
  EXPECT_EQ(engine.suffix, "&offset=%d");
  EXPECT_EQ(engine.searchType, StartIndex);
  EXPECT_FALSE(ApplyAddressSplit(*split, "https://de.wikipedia.org", engine));
  EXPECT_FALSE(ApplyAddressSplit(*split, "https://en.wikipedia.org/w/index.php?search=bread", engine));
}

TEST(BasesOfAddress, SchemeOriginAndFolder) {
  const auto bases = BasesOfAddress("https://ex.org:8080/a/b/search.cgi?q=x/y");
  ASSERT_TRUE(bases.has_value());
  EXPECT_EQ(bases->scheme, "https:");
  EXPECT_EQ(bases->origin, "https://ex.org:8080");
  EXPECT_EQ(bases->folder, "https://ex.org:8080/a/b/");
  EXPECT_EQ(BasesOfAddress("https://ex.org?q=x")->folder, "https://ex.org");
  EXPECT_FALSE(BasesOfAddress("no address"));
}

TEST(SplitOpenSearchTemplate, ParametersTakeTheirPlacesOrGo) {
  struct Case {
    std::string templateAddress;
    int searchType;
    std::string rebuilt;  // for the words "wooden boats"
  };
  const std::vector<Case> cases = {
      {"https://ex.org/s?q={searchTerms}", ResultCount, "https://ex.org/s?q=wooden+boats"},
      {"https://ex.org/s?q={searchTerms}&start={startIndex?}", StartIndex, "https://ex.org/s?q=wooden+boats&start=0"},
      {"https://ex.org/s?q={searchTerms}&p={startPage}", ResultCount, "https://ex.org/s?q=wooden+boats&p=1"},
      {"https://ex.org/s?n={count?}&q={searchTerms}&geo={geo:box?}&l={language}", ResultCount,
       "https://ex.org/s?q=wooden+boats&l=*"},
      {"https://ex.org/s?q={searchTerms}&ie={inputEncoding}&n={count}", ResultCount,
       "https://ex.org/s?q=wooden+boats&ie=UTF-8&n=10"},
      {"https://ex.org/s/{searchTerms}?fmt=%20html", ResultCount, "https://ex.org/s/wooden+boats?fmt=%20html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.templateAddress);
    const auto split = SplitOpenSearchTemplate(c.templateAddress);
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->searchType, c.searchType);
    EXPECT_EQ(Rebuilt(*split, "", "wooden boats"), c.rebuilt);
  }
  EXPECT_FALSE(SplitOpenSearchTemplate("https://ex.org/s?q=fixed"));
  EXPECT_FALSE(SplitOpenSearchTemplate("https://ex.org/s?q={searchTerms}&r={searchTerms}"));
  EXPECT_FALSE(SplitOpenSearchTemplate("https://ex.org/s?q={searchTerms"));
  EXPECT_FALSE(SplitOpenSearchTemplate("{searchTerms}"));
}

}  // namespace
}  // namespace sorvane
