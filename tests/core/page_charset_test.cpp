#include "core/page_charset.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/result_parser.h"
#include "platform/file_io.h"

namespace sorvane {
namespace {

std::string Page(std::string_view head, std::string_view body) {
  return "<html><head>" + std::string(head) + "</head><body>" + std::string(body) + "</body></html>";
}

TEST(PageCharset, TheHeaderComesBeforeTheMetaTagAndTheBytes) {
  // "Café" in Latin-1 bytes, with a meta tag that claims UTF-8.
  const std::string page = Page("<meta charset=\"utf-8\">", "Caf\xE9");
  EXPECT_EQ(DetectPageCharset(page, "text/html; charset=ISO-8859-1"), "WINDOWS-1252");
  EXPECT_EQ(ConvertPageToUtf8(page, "text/html; charset=ISO-8859-1"),
            Page("<meta charset=\"utf-8\">", "Caf\xC3\xA9"));
  // Quoted, upper case, with other parameters round it.
  EXPECT_EQ(DetectPageCharset(page, "text/html;CHARSET=\"iso-8859-1\"; foo=bar"), "WINDOWS-1252");
  // Without a header the meta tag holds; its UTF-8 is broken here, so the byte
  // becomes U+FFFD and the rest of the page follows.
  EXPECT_EQ(ConvertPageToUtf8(page, ""), Page("<meta charset=\"utf-8\">", "Caf\xEF\xBF\xBD"));
}

TEST(PageCharset, MetaTagsInBothFormsWithinTheFirstFourKilobytes) {
  const std::string body = "\x93quoted\x94 \x80 caf\xE9";  // Windows-1252
  const std::string expected = "\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC caf\xC3\xA9";

  const std::string httpEquiv =
      "<META HTTP-EQUIV='Content-Type' CONTENT='text/html; charset=windows-1252'>";
  EXPECT_EQ(ConvertPageToUtf8(Page(httpEquiv, body), ""), Page(httpEquiv, expected));
  // Unquoted, before a self-closing slash: read as browsers read it (a slash
  // right after the value would be part of it, and no charset is named so).
  EXPECT_EQ(DetectPageCharset(Page("<meta charset=koi8-r />", "M\xC3\xBCnchen"), ""), "KOI8-R");
  EXPECT_EQ(DetectPageCharset(Page("<meta charset=koi8-r/>", "M\xC3\xBCnchen"), ""), "UTF-8");

  // A content attribute without http-equiv, a commented-out tag and a tag past
  // the first 4 KiB declare nothing: valid UTF-8 is then read as UTF-8.
  const std::string utf8Body = "M\xC3\xBCnchen";
  EXPECT_EQ(DetectPageCharset(Page("<meta name=x content='text/html; charset=koi8-r'>", utf8Body), ""), "UTF-8");
  EXPECT_EQ(DetectPageCharset(Page("<!-- <meta charset=koi8-r> -->", utf8Body), ""), "UTF-8");
  EXPECT_EQ(DetectPageCharset(Page(std::string(4096, ' ') + "<meta charset=koi8-r>", utf8Body), ""), "UTF-8");
  EXPECT_EQ(DetectPageCharset(Page(std::string(4000, ' ') + "<meta charset=koi8-r>", utf8Body), ""), "KOI8-R");
}

TEST(PageCharset, UndeclaredPagesAreUtf8WhenValidElseWindows1252) {
  EXPECT_EQ(ConvertPageToUtf8("M\xC3\xBCnchen \xE6\x9D\xB1\xE4\xBA\xAC", ""), "M\xC3\xBCnchen \xE6\x9D\xB1\xE4\xBA\xAC");
  EXPECT_EQ(ConvertPageToUtf8("M\xFCnchen", ""), "M\xC3\xBCnchen");
  // Overlong forms, surrogates and cut sequences are not UTF-8.
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("ab\xE6\x9D"));
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80 plain ascii"));
  EXPECT_EQ(DetectPageCharset("ab\xE6\x9D", ""), "WINDOWS-1252");
}

TEST(PageCharset, MultiByteCharsetsFromAMetaTag) {
  // Shift_JIS: the trail byte of "ソ" is a backslash, which must not be split off.
  const std::string sjis = Page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
                                "\x93\x8C\x8B\x9E \x83\x5C\x83\x74\x83\x67");
  EXPECT_EQ(ConvertPageToUtf8(sjis, ""),
            Page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
                 "\xE6\x9D\xB1\xE4\xBA\xAC \xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88"));
  const std::string gb = Page("<meta charset=\"gb2312\">", "\xB6\xAB\xBE\xA9 \xD6\xD0\xCE\xC4");
  EXPECT_EQ(ConvertPageToUtf8(gb, ""),
            Page("<meta charset=\"gb2312\">", "\xE4\xB8\x9C\xE4\xBA\xAC \xE4\xB8\xAD\xE6\x96\x87"));
}

TEST(PageCharset, InvalidSequencesNeverLoseTheRestOfThePage) {
  const std::string head = "<meta charset=shift_jis>";
  // 0xA0 is no Shift_JIS character; a lead byte at the very end is cut off.
  EXPECT_EQ(ConvertPageToUtf8(head + "a\xA0" "b\x93\x8C", ""), head + "a\xEF\xBF\xBD" "b\xE6\x9D\xB1");
  EXPECT_EQ(ConvertPageToUtf8(head + "tail\x93", ""), head + "tail\xEF\xBF\xBD");
  // Bytes Windows-1252 leaves undefined.
  EXPECT_EQ(ConvertPageToUtf8("x\x81y\x8Dz", "text/html; charset=windows-1252"),
            "x\xEF\xBF\xBDy\xEF\xBF\xBDz");
  // A name the converter takes for UTF-8 without it being one of a browser's:
  // the converter's UTF-8 would let a sequence past U+10FFFF through.
  const std::string converted = ConvertPageToUtf8("ab\xF4\x90\x80\x80" "cd", "text/html; charset=+utf-8");
  EXPECT_TRUE(IsValidUtf8(converted));
  EXPECT_TRUE(converted.starts_with("ab") && converted.ends_with("cd")) << converted;
  EXPECT_NE(converted.find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(PageCharset, UnknownOrHostileNamesArePassedOver) {
  const std::string latin = "caf\xE9";
  EXPECT_EQ(DetectPageCharset(latin, "text/html; charset=no-such-charset"), "WINDOWS-1252");
  EXPECT_EQ(DetectPageCharset("<meta charset=bogus>caf\xC3\xA9", ""), "UTF-8");
  // Converter options must not be smuggled in through the name.
  EXPECT_EQ(DetectPageCharset(latin, "text/html; charset=utf-8//IGNORE"), "WINDOWS-1252");
  EXPECT_EQ(DetectPageCharset(latin, "text/html; charset="), "WINDOWS-1252");
  EXPECT_EQ(DetectPageCharset(latin, "text/html"), "WINDOWS-1252");
  // A meta tag that says UTF-16 is written in ASCII, so it is not UTF-16.
  EXPECT_EQ(DetectPageCharset("<meta charset=utf-16>abc", ""), "UTF-8");
}

TEST(PageCharset, ByteOrderMarksDecideAndAreDropped) {
  EXPECT_EQ(ConvertPageToUtf8("\xEF\xBB\xBF" "caf\xC3\xA9", "text/html; charset=iso-8859-1"), "caf\xC3\xA9");
  EXPECT_EQ(ConvertPageToUtf8(std::string("\xFF\xFE" "a\0\xE9\0", 6), ""), "a\xC3\xA9");
  EXPECT_EQ(ConvertPageToUtf8(std::string("\xFE\xFF\0a\x6C\x34", 6), ""), "a\xE6\xB0\xB4");
}

TEST(PageCharset, ZeroBytesAndEmptyPagesPassThrough) {
  EXPECT_EQ(ConvertPageToUtf8("", ""), "");
  EXPECT_EQ(ConvertPageToUtf8("", "text/html; charset=shift_jis"), "");
  EXPECT_EQ(ConvertPageToUtf8(std::string("a\0b\xE9", 4), ""), std::string("a\0b\xC3\xA9", 5));
}

// Result pages written in five charsets, each declared the way such pages
// declare it, parse into the same UTF-8 a browser shows.
TEST(PageCharset, SavedPagesInFiveCharsetsParseIntoUtf8Rows) {
  struct Row {
    std::string url;
    std::string description;
  };
  const struct {
    const char* file;
    const char* contentType;
    std::vector<Row> rows;
  } cases[] = {
      {"utf-8.html", "text/html",
       {{"http://muenchen.example/", "M\xC3\xBCnchen \xE2\x80\x93 Stadtportal"},
        {"http://tokyo.example/weather", "\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\xAE\xE5\xA4\xA9\xE6\xB0\x97 today"},
        {"http://greek.example/", "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC & more"}}},
      // The header wins over the page's own (wrong) meta tag.
      {"iso-8859-1.html", "text/html; charset=ISO-8859-1",
       {{"http://cafe.example/", "Caf\xC3\xA9 cr\xC3\xA8me \xC3\xA0 Paris"},
        {"http://masse.example/", "Gr\xC3\xB6\xC3\x9F" "e & Gewicht \xC3\xA9t\xC3\xA9"}}},
      {"windows-1252.html", "",
       {{"http://quotes.example/", "\xE2\x80\x9CSmart\xE2\x80\x9D quotes \xE2\x80\x93 \xE2\x82\xAC" "5 only"},
        {"http://naive.example/", "Na\xC3\xAFve \xE2\x80\x98" "caf\xC3\xA9\xE2\x80\x99 \xE2\x80\xA6"}}},
      {"shift_jis.html", "",
       {{"http://tower.example/", "\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x82\xBF\xE3\x83\xAF\xE3\x83\xBC"},
        {"http://soft.example/",
         "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\xE3\x82\xA6\xE3\x82\xA7\xE3\x82\xA2\xE9\x96\x8B\xE7\x99\xBA"}}},
      {"gb2312.html", "",
       {{"http://pku.example/", "\xE5\x8C\x97\xE4\xBA\xAC\xE5\xA4\xA7\xE5\xAD\xA6"},
        {"http://soft.example/cn", "\xE4\xB8\xAD\xE6\x96\x87\xE8\xBD\xAF\xE4\xBB\xB6 <\xE4\xB8\x8B\xE8\xBD\xBD>"}}},
  };
  SearchEngine engine;
  engine.name = "Pages";
  engine.prefix = "/?q=";
  engine.startToken = "<a class=\"r\" href=\"http";
  engine.endToken = "</a>";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::optional<std::string> bytes =
        ReadWholeFile(std::filesystem::path(SORVANE_CHARSET_PAGES_DIR) / c.file);
    ASSERT_TRUE(bytes.has_value());
    std::string page = ConvertPageToUtf8(*bytes, c.contentType);
    EXPECT_TRUE(IsValidUtf8(page));
    ResultsTable table;
    EXPECT_EQ(ParseResultPage(engine, "unused", page, table, true), static_cast<int>(c.rows.size()));
    const std::vector<SearchHit> hits = table.Snapshot();
    ASSERT_EQ(hits.size(), c.rows.size());
    for (std::size_t i = 0; i < hits.size(); ++i) {
      EXPECT_EQ(hits[i].url, c.rows[i].url);
      EXPECT_EQ(hits[i].description, c.rows[i].description);
    }
  }
}

}  // namespace
}  // namespace sorvane
