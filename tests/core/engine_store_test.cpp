#include "core/engine_store.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

SearchEngine MakeEngine(std::string name, int type, std::string next = "") {
  SearchEngine engine;
  engine.name = std::move(name);
  engine.startToken = "<a href=\"http";
  engine.endToken = "</a>";
  engine.url = "http://example.org";
  engine.searchType = type;
  engine.prefix = "/search?q=";
  engine.suffix = "&n=%d";
  engine.nextPageCommand = std::move(next);
  return engine;
}

std::vector<SearchEngine> Records(const EngineList& list) {
  std::vector<SearchEngine> records;
  for (const EnginePtr& engine : list) records.push_back(*engine);
  return records;
}

TEST(EngineFile, WritesSevenLinesForTypesOneAndTwoAndEightForZeroAndThree) {
  EngineList list;
  list.Append(MakeEngine("Paged", MultiplePages, "/more?q=%s&at=%%d"));
  list.Append(MakeEngine("Counted", ResultCount));
  EXPECT_EQ(FormatEngines(list),
            "2\n"
            "Paged\n<a href=\"http\n</a>\nhttp://example.org\n0\n/search?q=\n&n=%d\n/more?q=%s&at=%%d\n"
            "Counted\n<a href=\"http\n</a>\nhttp://example.org\n1\n/search?q=\n&n=%d\n");
}

TEST(EngineFile, RoundTripKeepsEveryRecordInOrder) {
  EngineList list;
  list.Append(MakeEngine("A", MultiplePages, "next-a"));
  list.Append(MakeEngine("B", ResultCount));
  list.Append(MakeEngine("C", StartIndex));
  list.Append(MakeEngine("D", SinglePage, "next-d"));
  list.Append(MakeEngine("A", 7));  // a duplicate name and an unknown type survive too

  EngineList reread;
  ParseEngines(FormatEngines(list), reread);
  EXPECT_EQ(Records(reread), Records(list));
}

TEST(EngineFile, CrLfFileReadsLikeLf) {
  EngineList lf, crlf;
  ParseEngines("1\nA\ns\ne\nhttp://u\n2\np\nx\n", lf);
  ParseEngines("1\r\nA\r\ns\r\ne\r\nhttp://u\r\n2\r\np\r\nx\r\n", crlf);
  ASSERT_EQ(lf.size(), 1u);
  EXPECT_EQ(Records(lf), Records(crlf));
  EXPECT_EQ(lf.at(0)->suffix, "x");
}

TEST(EngineFile, RecordsMissingARequiredTextAreDropped) {
  EngineList list;
  // The second record has no prefix, the third no end token; the url may be empty.
  ParseEngines("3\n"
               "Good\ns\ne\n\n1\np\n\n"
               "NoPrefix\ns\ne\nhttp://u\n1\n\n\n"
               "NoEnd\ns\n\nhttp://u\n1\np\n\n",
               list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.at(0)->name, "Good");
  EXPECT_EQ(list.at(0)->url, "");
  EXPECT_EQ(list.at(0)->valid, 1);
}

TEST(EngineFile, CountsThatLieAndShortFiles) {
  const std::string two = "A\ns\ne\nu\n1\np\nx\nB\ns\ne\nu\n1\np\nx\n";
  const struct {
    std::string text;
    std::size_t expected;
  } cases[] = {
      {"3\n" + two, 2},            // promises more than it has
      {"1\n" + two, 1},            // promises fewer: the rest is ignored
      {"abc\n" + two, 0},          // not a number reads as 0
      {"-1\n" + two, 0},
      {"2147483648\n" + two, 2},   // huge counts reserve nothing
      {"", 0},
      {"2\nA\ns\ne\nu\n1\np\nx\nB\ns\n", 1},  // cut inside the second record
      {"1\nA\ns\ne\nu\n1\np", 1},             // last line without its line break
      {"1\nA", 0},                            // the name alone, at the end of the file
  };
  for (const auto& c : cases) {
    EngineList list;
    ParseEngines(c.text, list);
    EXPECT_EQ(list.size(), c.expected) << c.text;
  }
}

// engines.dat cut off at points inside a record, as a full disk or a crash
// mid-write leaves it: the records before the cut come back whole, the cut
// record keeps what it has (its last line possibly partial) and is dropped only
// when a required text is missing.
TEST(EngineFile, AFileThatEndsInsideARecord) {
  const std::string alpha = "Alpha\n<a\n</a>\nhttp://a\n0\n/s?q=\n&p=%d\n/s?q=%s&p=%%d\n";
  const std::string beta = "Beta\n<b\n</b>\nhttp://b\n1\n/f?q=\n&n=10\n";
  const std::string file = "2\n" + alpha + beta;
  const auto cutAfter = [&](std::string_view text) { return file.substr(0, file.find(text) + text.size()); };

  const struct {
    std::string text;
    std::vector<std::string> names;
    std::string alphaNext;   // Alpha's nextPageCommand as read
    std::string betaSuffix;  // Beta's suffix as read, when Beta is there
  } cases[] = {
      {cutAfter("Beta\n"), {"Alpha"}, "/s?q=%s&p=%%d", ""},       // the name alone
      {cutAfter("Beta"), {"Alpha"}, "/s?q=%s&p=%%d", ""},         // not even its line break
      {cutAfter("/s?q=%s&p"), {"Alpha"}, "/s?q=%s&p", ""},        // inside the last line of a record
      {cutAfter("&p=%d\n"), {"Alpha"}, "", ""},                   // before the page command
      {cutAfter("<b"), {"Alpha"}, "/s?q=%s&p=%%d", ""},           // no end token: dropped
      {cutAfter("http://b\n1\n"), {"Alpha"}, "/s?q=%s&p=%%d", ""}, // no prefix: dropped
      {cutAfter("/f?q=\n"), {"Alpha", "Beta"}, "/s?q=%s&p=%%d", ""},
      {cutAfter("&n=1"), {"Alpha", "Beta"}, "/s?q=%s&p=%%d", "&n=1"},
      {file, {"Alpha", "Beta"}, "/s?q=%s&p=%%d", "&n=10"},
  };
  for (const auto& c : cases) {
    for (const bool crlf : {false, true}) {
      std::string text = c.text;
      if (crlf) {
        text.clear();
        for (char ch : c.text) text += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
      }
      SCOPED_TRACE(text);
      EngineList list;
      ParseEngines(text, list);
      std::vector<std::string> names;
      for (const EnginePtr& engine : list) names.push_back(engine->name);
      ASSERT_EQ(names, c.names);
      EXPECT_EQ(list.at(0)->startToken, "<a");
      EXPECT_EQ(list.at(0)->searchType, 0);
      EXPECT_EQ(list.at(0)->suffix, "&p=%d");
      EXPECT_EQ(list.at(0)->nextPageCommand, c.alphaNext);
      if (list.size() > 1) {
        EXPECT_EQ(list.at(1)->prefix, "/f?q=");
        EXPECT_EQ(list.at(1)->suffix, c.betaSuffix);
        EXPECT_EQ(list.at(1)->nextPageCommand, "");
      }
    }
  }
}

TEST(EngineFile, OverlongLineShiftsTheLaterFields) {
  EngineList list;
  const std::string longName(1030, 'n');
  ParseEngines("1\n" + longName + "\ns\ne\nu\n1\np\nx\n", list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.at(0)->name, std::string(1022, 'n'));
  EXPECT_EQ(list.at(0)->startToken, "nnnnnnnn");
  EXPECT_EQ(list.at(0)->endToken, "s");
}

TEST(EngineFile, LineBreaksInsideATextCannotCorruptTheFile) {
  EngineList list;
  SearchEngine engine = MakeEngine("Two\nLines", ResultCount);
  list.Append(engine);
  EngineList reread;
  ParseEngines(FormatEngines(list), reread);
  ASSERT_EQ(reread.size(), 1u);
  EXPECT_EQ(reread.at(0)->name, "Two Lines");
  EXPECT_EQ(reread.at(0)->suffix, engine.suffix);

  // A carriage return inside a text ends no line, so it comes back as it was.
  EngineList withReturn;
  withReturn.Append(MakeEngine("Carriage\rReturn", ResultCount));
  EngineList rereadReturn;
  ParseEngines(FormatEngines(withReturn), rereadReturn);
  ASSERT_EQ(rereadReturn.size(), 1u);
  EXPECT_EQ(rereadReturn.at(0)->name, "Carriage\rReturn");
}

TEST(CategoryFile, AttachesListsByNameIgnoringCase) {
  CategoryRows rows = DefaultCategoryRows();
  ParseCategories("entire web\n2\nA\nB\nNo Such Row\n1\nZ\nBOOKS\n1\nC\n", rows);
  EXPECT_EQ(rows[0].engineNames, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(rows[3].engineNames, (std::vector<std::string>{"C"}));
  EXPECT_FALSE(rows[2].engineNames.has_value());
}

TEST(CategoryFile, LaterBlockReplacesEarlierAndShortBlocksStopAtTheEnd) {
  CategoryRows rows = DefaultCategoryRows();
  ParseCategories("Arts\n1\nOld\nArts\n2\nNew\nNewer\nMusic\n5\nOnly", rows);
  EXPECT_EQ(rows[2].engineNames, (std::vector<std::string>{"New", "Newer"}));
  EXPECT_EQ(rows[14].engineNames, (std::vector<std::string>{"Only"}));
}

// categories.dat cut off inside a block: the names read so far form the list,
// the end itself adds no empty name, and a last name without its line break
// gets no list at all.
TEST(CategoryFile, AFileThatEndsInsideABlock) {
  using Names = std::vector<std::string>;
  const struct {
    std::string text;
    std::optional<Names> entireWeb;
    std::optional<Names> arts;
  } cases[] = {
      {"Entire Web\n3\nAlpha\nBeta\nArts\n1\nGamma\n", Names{"Alpha", "Beta", "Arts"}, std::nullopt},
      {"Entire Web\n2\nAlpha\nBe", Names{"Alpha", "Be"}, std::nullopt},
      {"Entire Web\n2\nAlpha\n", Names{"Alpha"}, std::nullopt},
      {"Entire Web\n2\n", Names{}, std::nullopt},
      {"Entire Web\n2", Names{}, std::nullopt},
      // As a C stream reads it: the end is seen only by the read that meets it,
      // so a name with its line break still starts a (then empty) block.
      {"Entire Web\n", Names{}, std::nullopt},
      {"Entire Web", std::nullopt, std::nullopt},
      {"Entire Web\n2\nAlpha\nBeta\nArts", Names{"Alpha", "Beta"}, std::nullopt},
      {"Entire Web\n2\nAlpha\nBeta\nArts\n1\n", Names{"Alpha", "Beta"}, Names{}},
      {"Entire Web\r\n2\r\nAlpha\r\n", Names{"Alpha"}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CategoryRows rows = DefaultCategoryRows();
    ParseCategories(c.text, rows);
    EXPECT_EQ(rows[0].engineNames, c.entireWeb);
    EXPECT_EQ(rows[2].engineNames, c.arts);
  }
}

TEST(CategoryFile, EmptyCountReadsAsZeroAndRowsWithoutListsSaveAsZero) {
  CategoryRows rows = DefaultCategoryRows();
  ParseCategories("Arts\n\nBooks\n1\nX\n", rows);
  EXPECT_EQ(rows[2].engineNames, std::vector<std::string>{});
  EXPECT_EQ(rows[3].engineNames, (std::vector<std::string>{"X"}));

  const std::string saved = FormatCategories(rows);
  EXPECT_EQ(saved.substr(0, saved.find("Arts")), "Entire Web\n0\nMy PC\n0\n");
  EXPECT_NE(saved.find("Arts\n0\nBooks\n1\nX\nBusiness\n0\n"), std::string::npos);

  CategoryRows reread = DefaultCategoryRows();
  ParseCategories(saved, reread);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(reread[i].engineNames.value_or(std::vector<std::string>{}),
              rows[i].engineNames.value_or(std::vector<std::string>{}));
  }
}

TEST(EngineStore, LoadReadsBothFilesAndSkipsCategoriesWithoutEngines) {
  TempFolder folder;
  folder.Write("categories.dat", "Arts\n1\nA\n");
  EngineList engines;
  CategoryRows rows = DefaultCategoryRows();
  LoadEngineStore(folder.path(), engines, rows);
  EXPECT_TRUE(engines.empty());
  EXPECT_FALSE(rows[2].engineNames.has_value()) << "categories.dat is read only after engines.dat";

  folder.Write("engines.dat", "1\nA\ns\ne\nu\n1\np\nx\n");
  LoadEngineStore(folder.path(), engines, rows);
  EXPECT_EQ(engines.size(), 1u);
  EXPECT_EQ(rows[2].engineNames, (std::vector<std::string>{"A"}));
}

TEST(EngineStore, SavesReplaceTheFilesAndReadBack) {
  TempFolder folder;
  folder.Write("engines.dat", "old contents");
  EngineList engines;
  engines.Append(MakeEngine("A", StartIndex));
  CategoryRows rows = DefaultCategoryRows();
  rows[5].engineNames = std::vector<std::string>{"A"};
  ASSERT_TRUE(SaveEngines(folder.path(), engines));
  ASSERT_TRUE(SaveCategories(folder.path(), rows));
  EXPECT_EQ(folder.Read("engines.dat"), FormatEngines(engines));

  EngineList reread;
  CategoryRows rereadRows = DefaultCategoryRows();
  LoadEngineStore(folder.path(), reread, rereadRows);
  EXPECT_EQ(Records(reread), Records(engines));
  EXPECT_EQ(rereadRows[5].engineNames, rows[5].engineNames);
}

TEST(EngineStore, FailedSaveReportsFailure) {
  TempFolder folder;
  EngineList engines;
  engines.Append(MakeEngine("A", ResultCount));
  EXPECT_FALSE(SaveEngines(folder.path() / "no-such-folder", engines));
  EXPECT_FALSE(SaveCategories(folder.path() / "no-such-folder", DefaultCategoryRows()));
}

TEST(FindEngine, MatchesNamesExactlyAndTheFirstDuplicateWins) {
  EngineList list;
  list.Append(MakeEngine("Twin", ResultCount));
  list.Append(MakeEngine("Twin", StartIndex));
  list.Append(MakeEngine("Other", ResultCount));
  ASSERT_NE(FindEngine(list, "Twin"), nullptr);
  EXPECT_EQ(FindEngine(list, "Twin")->searchType, ResultCount);
  EXPECT_EQ(FindEngine(list, "twin"), nullptr);
  EXPECT_EQ(FindEngine(list, "Missing"), nullptr);
}

TEST(EngineList, ReplacingARecordLeavesTheOldOneAliveForItsHolders) {
  EngineList list;
  list.Append(MakeEngine("A", ResultCount));
  EnginePtr heldBySearch = list.at(0);
  list.Replace(0, MakeEngine("A2", ResultCount));
  list.Remove(0);
  EXPECT_EQ(heldBySearch->name, "A");
  EXPECT_TRUE(list.empty());
}

TEST(Categories, TheTwentyTwoRowsInPaneOrder) {
  const CategoryRows rows = DefaultCategoryRows();
  ASSERT_EQ(rows.size(), 22u);
  EXPECT_EQ(rows[0].name, "Entire Web");
  EXPECT_EQ(rows[kMyPcRow].name, "My PC");
  EXPECT_EQ(rows[kMyPcRow].largePicture, 0);
  EXPECT_EQ(rows[5].name, "Email");
  EXPECT_EQ(rows[21].name, "Travel");
  EXPECT_EQ(rows[8].imageIndex, 21);  // Jobs came last to the image list
  EXPECT_EQ(FindCategoryRowIgnoringCase(rows, "tEcHnOlOgY"), 20);
  EXPECT_EQ(FindCategoryRow(rows, "technology"), -1);
}

}  // namespace
}  // namespace sorvane
