// The table taken elsewhere: CSV as RFC 4180 writes it, JSON with the command
// line's keys, and the file names the save dialog hands over.

#include "results/results_export.h"

#include <gtest/gtest.h>

#include "core/json_text.h"
#include "results/results_page.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

TEST(CsvField, QuotesOnlyWhatNeedsQuotingAndDoublesQuotes) {
  EXPECT_EQ(CsvField("plain text"), "plain text");
  EXPECT_EQ(CsvField(""), "");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("\""), "\"\"\"\"");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(CsvField("cr\rhere"), "\"cr\rhere\"");
  EXPECT_EQ(CsvField(" spaces kept "), " spaces kept ");
  EXPECT_EQ(CsvField("semi;colon\ttab"), "semi;colon\ttab");
}

TEST(CsvField, WritesValidUtf8) {
  EXPECT_EQ(CsvField("\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
  // A Latin-1 byte from an old saved search becomes its letter in UTF-8.
  EXPECT_EQ(CsvField("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(AsValidUtf8("\xC3"), "\xC3\x83");  // a cut sequence
}

TEST(FormatResultsCsv, HeaderRowThenOneRecordPerRowWithCrLf) {
  const std::vector<RowCells> rows = {
      {{"Boats, wooden", "http://a.example/?q=\"x\"", "80", "2", "Wiby"}, true},
      {{"Plain", "http://b.example/", "40", "1", "Mojeek"}, false},
  };
  EXPECT_EQ(FormatResultsCsv(rows),
            "Description,URL,Rank,Hits,Engine,Viewed\r\n"
            "\"Boats, wooden\",\"http://a.example/?q=\"\"x\"\"\",80,2,Wiby,1\r\n"
            "Plain,http://b.example/,40,1,Mojeek,0\r\n");
  EXPECT_EQ(FormatResultsCsv({}), "Description,URL,Rank,Hits,Engine,Viewed\r\n");
}

TEST(FormatResultsJson, CommandLineKeysWithNumbersAndTheViewedFlag) {
  const std::vector<RowCells> rows = {
      {{"A \"quoted\" title", "http://a/", "80", "2", "Wiby"}, true},
      {{"Odd cells", "http://b/", "n/a", "", "E"}, false},
  };
  EXPECT_EQ(FormatResultsJson(rows, true),
            "[\n"
            "  {\"Description\": \"A \\\"quoted\\\" title\", \"URL\": \"http://a/\", \"Rank\": 80, \"Hits\": 2, "
            "\"Engine\": \"Wiby\", \"viewed\": 1},\n"
            "  {\"Description\": \"Odd cells\", \"URL\": \"http://b/\", \"Rank\": 0, \"Hits\": 0, "
            "\"Engine\": \"E\", \"viewed\": 0}\n"
            "]\n");
  EXPECT_EQ(FormatResultsJson(rows, false).find("viewed"), std::string::npos);
  EXPECT_EQ(FormatResultsJson({}, true), "[]\n");
}

TEST(ExportResults, WritesTheChosenFormatAndAddsAMissingExtension) {
  TempFolder folder;
  const std::vector<RowCells> rows = {{{"Boats", "http://a/", "80", "2", "Wiby"}, false}};
  EXPECT_EQ(WithExportExtension(folder.path() / "results", ExportFormat::Csv), folder.path() / "results.csv");
  EXPECT_EQ(WithExportExtension(folder.path() / "results.txt", ExportFormat::Json), folder.path() / "results.txt");
  EXPECT_EQ(WithExportExtension(folder.path() / "page", ExportFormat::Html), folder.path() / "page.htm");

  ASSERT_TRUE(ExportResults(folder.path() / "r.csv", rows, ExportFormat::Csv, "banner0.jpg"));
  EXPECT_EQ(folder.Read("r.csv"), FormatResultsCsv(rows));
  ASSERT_TRUE(ExportResults(folder.path() / "r.json", rows, ExportFormat::Json, "banner0.jpg"));
  EXPECT_EQ(folder.Read("r.json"), FormatResultsJson(rows, true));
  ASSERT_TRUE(ExportResults(folder.path() / "r.htm", rows, ExportFormat::Html, "/x/banner0.jpg"));
  EXPECT_EQ(folder.Read("r.htm"), FormatResultsPage(rows, "/x/banner0.jpg"));

  // Nothing is written into a folder that does not exist, and false says so.
  EXPECT_FALSE(ExportResults(folder.path() / "missing" / "r.csv", rows, ExportFormat::Csv, ""));
}

}  // namespace
}  // namespace sorvane
