// The results page: its exact bytes, the banner rotation, and what an engine's
// page may not put into it.

#include <gtest/gtest.h>

#include "results/results_page.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

RowCells Row(std::string description, std::string url, std::string rank, std::string hits,
             std::string engine, bool viewed = false) {
  return RowCells{{std::move(description), std::move(url), std::move(rank), std::move(hits), std::move(engine)},
                  viewed};
}

const std::string kHead =
    "<meta charset=\"utf-8\">\n"
    "<p align=\"center\"><font color=\"#0000FF\" size=\"6\"><strong>Search Results</strong></font><br>\n"
    "<a href=\"https://sorvane.example/\"><img src=\"/p/banner0.jpg\" alt=\"Visit us on the web\"></a><br>\n"
    "<p align=\"center\">\n";

TEST(ResultsPage, EmptyTableSaysNoResults) {
  EXPECT_EQ(FormatResultsPage({}, "/p/banner0.jpg"), kHead + "<br>No results were found.<br>\n");
}

TEST(ResultsPage, RowsInTwoColoursAndTheHitTotal) {
  const std::vector<RowCells> rows = {
      Row("Wooden boats", "http://a.example/", "80", "1", "Alpha"),
      Row("Boat plans & more", "http://b.example/?q=1&p=2", "40", " 3x", "Alpha, Beta", true),
      Row("Nothing", "http://c.example/", "0", "", "Beta"),
  };
  EXPECT_EQ(FormatResultsPage(rows, "/p/banner0.jpg"),
            kHead +
                "<br><strong>Sorvane found 4 hits.</strong><br>\n"
                "<p align=\"left\">\n"
                "<table border=\"2\"><tr>\n"
                "<td bgcolor=\"#FFFF99\" ><a href=\"http://a.example/\">Wooden boats</a><br><font color=\"#000000\" "
                "size=\"3\">Wooden boats<br><font color=\"#000000\" size=\"4\">Hits:1 Rank:80 Engines:Alpha\n"
                "</tr>\n"
                "<tr>\n"
                "<td bgcolor=\"#FFFFCC\" ><a href=\"http://b.example/?q=1&p=2\">Boat plans &amp; more</a><br><font "
                "color=\"#000000\" size=\"3\">Boat plans &amp; more<br><font color=\"#000000\" size=\"4\">Hits: 3x "
                "Rank:40 Engines:Alpha, Beta\n"
                "</tr>\n"
                "<tr>\n"
                "<td bgcolor=\"#FFFF99\" ><a href=\"http://c.example/\">Nothing</a><br><font color=\"#000000\" "
                "size=\"3\">Nothing<br><font color=\"#000000\" size=\"4\">Hits: Rank:0 Engines:Beta\n"
                "</tr>\n"
                "</table>");
}

TEST(ResultsPage, HitTotalCountsEachRowsOwnCount) {
  const std::string page = FormatResultsPage(
      {Row("a", "u1", "1", "1", "e"), Row("b", "u2", "1", "3", "e"), Row("c", "u3", "1", "1", "e")}, "b");
  EXPECT_NE(page.find("Sorvane found 5 hits."), std::string::npos);
  EXPECT_NE(FormatResultsPage({Row("a", "u", "1", "-2", "e"), Row("b", "v", "1", "junk", "e")}, "b")
                .find("Sorvane found -2 hits."),
            std::string::npos);
}

TEST(ResultsPage, LinkTextIsCutAtFiftyCharacters) {
  const std::string fortyNine(49, 'd');
  const std::string fifty(50, 'd');
  EXPECT_EQ(ShortenLinkText(""), "");
  EXPECT_EQ(ShortenLinkText(fortyNine), fortyNine);
  EXPECT_EQ(ShortenLinkText(fifty), fifty + "...");
  EXPECT_EQ(ShortenLinkText(fifty + "tail"), fifty + "...");

  const std::string page = FormatResultsPage({Row(fifty + "tail", "http://x/", "1", "1", "e")}, "b");
  EXPECT_NE(page.find(">" + fifty + "...</a><br><font color=\"#000000\" size=\"3\">" + fifty + "tail<br>"),
            std::string::npos);

  // Letters, not bytes: 49 two-byte letters and one of three bytes are 50.
  std::string letters;
  for (int i = 0; i < 49; ++i) letters += "\xC3\xA9";
  EXPECT_EQ(ShortenLinkText(letters), letters);
  EXPECT_EQ(ShortenLinkText(letters + "\xE6\x9D\xB1"), letters + "\xE6\x9D\xB1...");
  EXPECT_EQ(ShortenLinkText(letters + "\xE6\x9D\xB1\xF0\x9F\x98\x80z"), letters + "\xE6\x9D\xB1...");
}

TEST(ResultsPage, DeclaresUtf8AndWritesTheLettersAsTheyAre) {
  const std::string description = "M\xC3\xBCnchen \xE2\x80\x94 \xE6\x9D\xB1\xE4\xBA\xAC & AT&T";
  const std::string page = FormatResultsPage({Row(description, "http://x.example/", "10", "1", "e")}, "b");
  EXPECT_TRUE(page.starts_with("<meta charset=\"utf-8\">\n<p align=\"center\">")) << page;
  EXPECT_NE(page.find("size=\"3\">M\xC3\xBCnchen \xE2\x80\x94 \xE6\x9D\xB1\xE4\xBA\xAC &amp; AT&amp;T<br>"),
            std::string::npos)
      << page;
}

TEST(ResultsPage, BannersRotateThroughTheFilesThatExist) {
  TempFolder folder;
  int index = 0;
  // No banners at all: always the first name.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(NextBannerPath(folder.path(), index), (folder.path() / "banner0.jpg").string());

  folder.Write("banner0.jpg", "jpg");
  folder.Write("banner1.jpg", "jpg");
  folder.Write("banner3.jpg", "jpg");  // not consecutive: never reached
  index = 0;
  std::vector<std::string> shown;
  for (int i = 0; i < 5; ++i) shown.push_back(std::filesystem::path(NextBannerPath(folder.path(), index)).filename());
  EXPECT_EQ(shown, (std::vector<std::string>{"banner0.jpg", "banner1.jpg", "banner0.jpg", "banner1.jpg", "banner0.jpg"}));
  EXPECT_EQ(index, 1);
}

TEST(ResultsPage, MarkupFromAnEngineIsShownNotObeyed) {
  const std::string page = FormatResultsPage(
      {Row("<script>alert(1)</script> &amp; \"q\"", "http://x.example/a?b=\"><script>", "<b>9</b>",
           "1<i>", "<img src=x onerror=y>")},
      "b");
  // Inside the quoted href a "<" is only a character of the link; the quote that
  // would have ended the attribute is what must not get through.
  const std::string href = "<a href=\"http://x.example/a?b=%22><script>\">";
  const std::size_t hrefAt = page.find(href);
  ASSERT_NE(hrefAt, std::string::npos) << page;
  std::string outsideHref = page;
  outsideHref.erase(hrefAt, href.size());
  EXPECT_EQ(outsideHref.find("<script"), std::string::npos) << page;
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_EQ(page.find("<i>"), std::string::npos);
  EXPECT_EQ(page.find("<img src=x"), std::string::npos);
  EXPECT_NE(page.find("\">&lt;script&gt;alert(1)&lt;/script&gt; &amp;amp; \"q\"</a>"), std::string::npos) << page;
  EXPECT_NE(page.find("Hits:1&lt;i&gt; Rank:&lt;b&gt;9&lt;/b&gt; Engines:&lt;img src=x onerror=y&gt;\n"),
            std::string::npos);
}

TEST(ResultsPage, OnlyKnownSchemesReachTheHref) {
  struct Case {
    std::string link;
    std::string href;
  };
  const std::vector<Case> cases = {
      {"http://a.example/x?y=1&z=2", "http://a.example/x?y=1&z=2"},
      {"HTTPS://a.example/", "HTTPS://a.example/"},
      {"ftp://f.example/pub", "ftp://f.example/pub"},
      {"mailto:someone@example.com", "mailto:someone@example.com"},
      {"file:///home/me/notes.txt", "file:///home/me/notes.txt"},
      {"/home/me/notes.txt", "/home/me/notes.txt"},  // a PC search's row
      {"C:\\My Documents\\notes.txt", "C:\\My Documents\\notes.txt"},
      {"relative/page.htm?q=a:b", "relative/page.htm?q=a:b"},
      {"", ""},
      {"javascript:alert(1)", "#"},
      {"JavaScript:alert(1)", "#"},
      {"  \x01javascript:alert(1)", "#"},
      {"java\tscr\nipt:alert(1)", "#"},
      {"&#106;avascript&#58;alert(1)", "#"},
      {"&#x6A;avascript&colon;alert(1)", "#"},
      {"javascript&#0058alert(1)", "#"},
      {"data:text/html,<script>x</script>", "#"},
      {"vbscript:msgbox", "#"},
      {"x-custom+1.0:thing", "#"},
      {"&amp;javascript:x", "&amp;javascript:x"},  // starts with '&': no scheme, a relative link
  };
  for (const Case& c : cases) EXPECT_EQ(SafeLinkTarget(c.link), c.href) << c.link;
}

TEST(ResultsPage, WrittenWholeOrNotAtAll) {
  TempFolder folder;
  int index = 0;
  EXPECT_TRUE(WriteResultsPage(folder.path(), std::vector<RowCells>{}, index));
  EXPECT_EQ(folder.Read("Search Results.htm"),
            FormatResultsPage({}, (folder.path() / "banner0.jpg").string()));

  // A folder where the page should be: the write fails and leaves it alone.
  TempFolder blocked;
  std::filesystem::create_directory(blocked.path() / "Search Results.htm");
  EXPECT_FALSE(WriteResultsPage(blocked.path(), std::vector<RowCells>{}, index));
  EXPECT_TRUE(std::filesystem::is_directory(blocked.path() / "Search Results.htm"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(blocked.path()), {}), 1);
}

}  // namespace
}  // namespace sorvane
