#include "core/query_address.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

SearchEngine Engine(int type, std::string prefix = "/find?q=", std::string suffix = "&n=%d",
                    std::string next = "") {
  SearchEngine engine;
  engine.name = "E";
  engine.url = "http://search.example";
  engine.prefix = std::move(prefix);
  engine.suffix = std::move(suffix);
  engine.startToken = "s";
  engine.endToken = "e";
  engine.searchType = type;
  engine.nextPageCommand = std::move(next);
  return engine;
}

TEST(EncodeQuery, EachQueryType) {
  EXPECT_EQ(EncodeQuery("wooden boats", AllWords), "\"wooden+boats\"");
  EXPECT_EQ(EncodeQuery("wooden boats", AnyWords), "wooden boats");
  EXPECT_EQ(EncodeQuery("wooden boats", EntirePhrase), "wooden+boats");
  EXPECT_EQ(EncodeQuery("wooden boats", Expression), "wooden boats");
  EXPECT_EQ(EncodeQuery("wooden boats", 9), "wooden boats");
  // Only the space is touched.
  EXPECT_EQ(EncodeQuery("a+b & 50% caf\xE9  x", EntirePhrase), "a+b+&+50%+caf\xE9++x");
}

TEST(RewriteWordsForCategory, EmailOnly) {
  EXPECT_EQ(RewriteWordsForCategory("Email", "John Smith"), "&F=John&L=Smith");
  EXPECT_EQ(RewriteWordsForCategory("Email", "Mary Ann Jones"), "&F=Mary&L=Ann Jones");
  EXPECT_EQ(RewriteWordsForCategory("Email", "Smith"), "&L=Smith");
  EXPECT_EQ(RewriteWordsForCategory("email", "John Smith"), "John Smith");
  EXPECT_EQ(RewriteWordsForCategory("Books", "John Smith"), "John Smith");
}

TEST(BuildRequestAddress, PlacesTheFirstPageNumberByType) {
  EXPECT_EQ(BuildRequestAddress(Engine(MultiplePages), "boats"), "http://search.example/find?q=boats&n=1");
  EXPECT_EQ(BuildRequestAddress(Engine(ResultCount), "boats"), "http://search.example/find?q=boats&n=10");
  EXPECT_EQ(BuildRequestAddress(Engine(StartIndex), "boats"), "http://search.example/find?q=boats&n=0");
  EXPECT_EQ(BuildRequestAddress(Engine(SinglePage), "boats"), "http://search.example/find?q=boats&n=%d");
  EXPECT_EQ(BuildRequestAddress(Engine(42), "boats"), "http://search.example/find?q=boats&n=%d");
}

TEST(BuildRequestAddress, DoubledPercentInTheDefinitionAndPercentInTheWords) {
  for (int type : {MultiplePages, ResultCount, StartIndex}) {
    EXPECT_EQ(BuildRequestAddress(Engine(type, "/f?x=%%20&q=", ""), "100%d"),
              "http://search.example/f?x=%20&q=100%d")
        << type;
  }
  EXPECT_EQ(BuildRequestAddress(Engine(SinglePage, "/f?x=%%20&q=", ""), "100%d"),
            "http://search.example/f?x=%%20&q=100%d");
  // A placeholder the step cannot fill never reads anything.
  EXPECT_EQ(BuildRequestAddress(Engine(ResultCount, "/f?q=%s&", "n=%d&m=%d"), "w"),
            "http://search.example/f?q=%s&wn=10&m=%d");
}

TEST(BuildNextPageAddress, MultiplePagesPutsTheQueryThenTheTotalAfterTheServer) {
  const SearchEngine engine = Engine(MultiplePages, "/find?q=", "", "/next?q=%s&from=%%d");
  const AddressTemplate first = FirstPageTemplate(engine, "wooden+boats");
  EXPECT_EQ(BuildNextPageAddress(engine, "wooden+boats", first, "search.example", 7),
            "search.example/next?q=wooden+boats&from=7");
  // Without "%s" there is a single pass: "%%d" stays a plain "%d".
  const SearchEngine numberOnly = Engine(MultiplePages, "/find?q=", "", "/next?from=%d&x=%%d");
  EXPECT_EQ(BuildNextPageAddress(numberOnly, "w", first, "host", 7), "host/next?from=7&x=%d");
  // The user's percent signs survive both passes.
  EXPECT_EQ(BuildNextPageAddress(engine, "50%d%s", first, "h", 3), "h/next?q=50%d%s&from=3");
}

TEST(BuildNextPageAddress, StartIndexSinglePageAndOtherTypes) {
  const SearchEngine start = Engine(StartIndex, "/find?q=", "&start=%d");
  EXPECT_EQ(BuildNextPageAddress(start, "a%d", FirstPageTemplate(start, "a%d"), "x", 8),
            "http://search.example/find?q=a%d&start=8");

  const SearchEngine single = Engine(SinglePage, "/find?q=", "", "/more?q=%s&page=%d");
  EXPECT_EQ(BuildNextPageAddress(single, "boats", FirstPageTemplate(single, "boats"), "x", 4),
            "http://search.example/more?q=boats&page=5");

  const SearchEngine odd = Engine(7, "/find?q=", "&n=%d");
  EXPECT_EQ(BuildNextPageAddress(odd, "boats", FirstPageTemplate(odd, "boats"), "x", 4),
            "http://search.example/find?q=boats&n=%d");
}

}  // namespace
}  // namespace sorvane
