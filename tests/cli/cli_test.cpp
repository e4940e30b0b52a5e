// The command-line front end, run as the built program.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ShellQuote(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

class CliTest : public ::testing::Test {
 protected:
  CliResult Run(const std::vector<std::string>& arguments, bool withHome = true) {
    std::string command = ShellQuote(SORVANE_CLI_PATH);
    if (withHome) command += " --home " + ShellQuote(home_.path().string());
    for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
    command += " >" + ShellQuote((output_.path() / "out").string()) + " 2>" +
               ShellQuote((output_.path() / "err").string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = output_.Read("out");
    result.err = output_.Read("err");
    return result;
  }

  void WriteStore() {
    home_.Write("engines.dat",
                "4\n"
                "Paged\n<a class=\"r\" href=\"http\n</a>\nhttp://paged.example\n0\n/s?q=\n&p=%d\n/s?q=%s&p=%%d\n"
                "Counted\n<a href=\"http\n</a>\nhttp://count.example\n1\n/find?n=%d&q=\n\n"
                "Offset\n<h3><a href=\"/wik\n</a>\nhttps://wiki.example\n2\n/w?search=\n&offset=%d\n"
                "Tab\tName\ns\ne\nu\n3\np\nx\nnext\n");
    home_.Write("categories.dat",
                "Entire Web\n2\nPaged\nCounted\nmy pc\n0\nEmail\n1\nCounted\nNowhere\n1\nX\n");
  }

  TempFolder home_;
  TempFolder output_;
};

TEST_F(CliTest, EnginesPrintsEightFieldsPerRecord) {
  WriteStore();
  const CliResult result = Run({"engines"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "Paged\t<a class=\"r\" href=\"http\t</a>\thttp://paged.example\t0\t/s?q=\t&p=%d\t/s?q=%s&p=%%d\n"
            "Counted\t<a href=\"http\t</a>\thttp://count.example\t1\t/find?n=%d&q=\t\t\n"
            "Offset\t<h3><a href=\"/wik\t</a>\thttps://wiki.example\t2\t/w?search=\t&offset=%d\t\n"
            "Tab\tName\ts\te\tu\t3\tp\tx\tnext\n");

  const CliResult json = Run({"engines", "--json"});
  EXPECT_EQ(json.status, 0);
  EXPECT_NE(json.out.find("{\"name\": \"Paged\", \"startToken\": \"<a class=\\\"r\\\" href=\\\"http\", "
                          "\"endToken\": \"</a>\", \"url\": \"http://paged.example\", \"searchType\": 0, "
                          "\"prefix\": \"/s?q=\", \"suffix\": \"&p=%d\", \"nextPageCommand\": \"/s?q=%s&p=%%d\"}"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"name\": \"Tab\\tName\""), std::string::npos);
}

TEST_F(CliTest, CategoriesListsAllRowsWithTheirEngines) {
  WriteStore();
  const CliResult result = Run({"categories"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.substr(0, result.out.find("Arts")),
            "0\tEntire Web\tPaged\tCounted\n1\tMy PC\n2\t");
  EXPECT_NE(result.out.find("\n5\tEmail\tCounted\n6\tFinance\n"), std::string::npos);
  EXPECT_EQ(result.out.substr(result.out.rfind("\n", result.out.size() - 2) + 1), "21\tTravel\n");

  const CliResult json = Run({"categories", "--json"});
  EXPECT_NE(json.out.find("{\"row\": 0, \"name\": \"Entire Web\", \"engines\": [\"Paged\", \"Counted\"]}"),
            std::string::npos);
  EXPECT_NE(json.out.find("{\"row\": 1, \"name\": \"My PC\", \"engines\": []}"), std::string::npos);
}

TEST_F(CliTest, CategoriesWithoutAStoreStillListsTheRows) {
  const CliResult result = Run({"categories"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 22);
}

TEST_F(CliTest, AddressFirstAndNextPages) {
  WriteStore();
  CliResult result = Run({"address", "--engine", "Paged", "--next", "7", "--next", "12", "wooden boats"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "http://paged.example/s?q=wooden+boats&p=1\n"
            "paged.example/s?q=wooden+boats&p=7\n"
            "paged.example/s?q=wooden+boats&p=12\n");

  result = Run({"address", "--engine", "Offset", "--query-type", "all", "--next=10", "wooden", "boats"});
  EXPECT_EQ(result.out,
            "https://wiki.example/w?search=\"wooden+boats\"&offset=0\n"
            "https://wiki.example/w?search=\"wooden+boats\"&offset=10\n");

  result = Run({"address", "--engine", "Counted", "--query-type", "1", "--next", "10", "100% cotton"});
  EXPECT_EQ(result.out, "http://count.example/find?n=10&q=100% cotton\n") << "a ResultCount engine never pages";

  result = Run({"address", "--engine", "Counted", "--category", "Email", "John Smith"});
  EXPECT_EQ(result.out, "http://count.example/find?n=10&q=&F=John&L=Smith\n");

  result = Run({"address", "--json", "--engine", "Paged", "--next", "3", "x"});
  EXPECT_EQ(result.out,
            "[\n  {\"page\": 1, \"address\": \"http://paged.example/s?q=x&p=1\"},\n"
            "  {\"page\": 2, \"address\": \"paged.example/s?q=x&p=3\"}\n]\n");
}

TEST_F(CliTest, ParsePrintsTheMergedTable) {
  WriteStore();
  home_.Write("page1.htm",
              "<a class=\"r\" href=\"http://a.example/\">Wooden <b>boats</b></a>"
              "<a class=\"r\" href=\"http://b.example/\">Nothing</a>");
  home_.Write("page2.htm", std::string("<a class=\"r\" href=\"http://a.example/\">again</a>"
                                       "<a class=\"r\" href=\"http://c.exa\0mple/\">wooden boats wooden</a>",
                                       109));
  const std::string page1 = (home_.path() / "page1.htm").string();
  const std::string page2 = (home_.path() / "page2.htm").string();
  CliResult result = Run({"parse", "--engine", "Paged", "wooden", "boats", "--", page1, page2});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "wooden boats wooden\thttp://c.example/\t14\t1\tPaged\n"
            "Wooden boats\thttp://a.example/\t12\t1\tPaged\n"
            "Nothing\thttp://b.example/\t0\t1\tPaged\n");

  result = Run({"parse", "--json", "--engine", "Paged", "nothing", "--", page1});
  EXPECT_NE(result.out.find("{\"Description\": \"Nothing\", \"URL\": \"http://b.example/\", \"Rank\": 10, "
                            "\"Hits\": 1, \"Engine\": \"Paged\"}"),
            std::string::npos)
      << result.out;

  // --format json is --json; csv adds a header row and the viewed flag.
  EXPECT_EQ(Run({"parse", "--format", "json", "--engine", "Paged", "nothing", "--", page1}).out, result.out);
  result = Run({"parse", "--format=csv", "--engine", "Paged", "wooden", "boats", "--", page1});
  EXPECT_EQ(result.out,
            "Description,URL,Rank,Hits,Engine,Viewed\r\n"
            "Wooden boats,http://a.example/,12,1,Paged,0\r\n"
            "Nothing,http://b.example/,0,1,Paged,0\r\n");
  EXPECT_EQ(Run({"parse", "--format", "tsv", "--engine", "Paged", "wooden", "boats", "--", page1}).out,
            "Wooden boats\thttp://a.example/\t12\t1\tPaged\n"
            "Nothing\thttp://b.example/\t0\t1\tPaged\n");

  result = Run({"parse", "--engine", "Paged", "x", "--", page1, (home_.path() / "missing.htm").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.rfind("sorvane-cli: ", 0), 0u) << result.err;
}

TEST_F(CliTest, ParseReadsAFileInItsDeclaredCharsetAndPrintsUtf8) {
  WriteStore();
  // Shift_JIS: "東京タワー" and "ソフト" ("ソ" ends in the byte of a backslash),
  // the second title with a quote that JSON must escape.
  home_.Write("sjis.htm",
              "<meta charset=\"shift_jis\"><a class=\"r\" href=\"http://a.example/\">\x93\x8C\x8B\x9E\x83\x5E\x83\x8F"
              "\x81\x5B</a><a class=\"r\" href=\"http://b.example/\">\x83\x5C\x83\x74\x83\x67 &quot;x&quot;</a>");
  const std::string page = (home_.path() / "sjis.htm").string();
  CliResult result = Run({"parse", "--engine", "Paged", "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88", "--", page});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88 \"x\"\thttp://b.example/\t10\t1\tPaged\n"
            "\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x82\xBF\xE3\x83\xAF\xE3\x83\xBC\thttp://a.example/\t0\t1\tPaged\n");

  result = Run({"parse", "--json", "--engine", "Paged", "x", "--", page});
  EXPECT_NE(result.out.find("{\"Description\": \"\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88 \\\"x\\\"\", "),
            std::string::npos)
      << result.out;
}

TEST_F(CliTest, UsageErrorsAndUnknownNamesExitWithTwo) {
  WriteStore();
  const std::vector<std::vector<std::string>> calls = {
      {},
      {"frobnicate"},
      {"engines", "--bogus"},
      {"address", "--engine", "Nope", "x"},
      {"address", "--engine", "Paged", "--category", "email", "x"},
      {"address", "--engine", "Paged"},
      {"address", "--engine", "Paged", "--query-type", "5", "x"},
      {"address", "--engine", "Paged", "--next", "seven", "x"},
      {"address", "--engine"},
      {"parse", "--engine", "Paged", "x"},
      {"parse", "--format", "xml", "--engine", "Paged", "x", "--", "f"},
      {"parse", "--format", "--engine", "Paged", "x", "--", "f"},
  };
  for (const auto& call : calls) {
    const CliResult result = Run(call);
    EXPECT_EQ(result.status, 2) << (call.empty() ? "(nothing)" : call[0]) << ": " << result.err;
    EXPECT_EQ(result.err.rfind("sorvane-cli: ", 0), 0u) << result.err;
  }
}

TEST_F(CliTest, ScanRefusesAnEmptyPhraseAsBadUsage) {
  TempFolder tree;
  tree.Write("a.txt", "anything");
  for (const std::vector<std::string>& call :
       {std::vector<std::string>{"scan", "--folder", tree.path().string(), "--no-save"},
        {"scan", "--folder", tree.path().string(), "--no-save", ""},
        {"scan", "--folder", "", "--no-save", "x"}}) {
    const CliResult result = Run(call);
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("sorvane-cli: ", 0), 0u) << result.err;
  }
}

TEST_F(CliTest, ScanPrintsOneRowPerMatchingFileBestRankFirst) {
  TempFolder tree;
  tree.Write("top.txt", "a sea chest");
  tree.Write("sub/deeper/twice.log", std::string("SEA CHEST, sea chest\0binary tail"));
  tree.Write("sub/none.txt", "sea\nchest");
  const std::string top = (tree.path() / "top.txt").string();
  const std::string twice = (tree.path() / "sub" / "deeper" / "twice.log").string();

  const CliResult flat = Run({"scan", "--folder", tree.path().string(), "--no-save", "sea chest"});
  EXPECT_EQ(flat.status, 0) << flat.err;
  EXPECT_EQ(flat.out, "a sea chest\t" + top + "\t12\t1\tSorvane\n");

  for (const char* readers : {"0", "2"}) {
    const CliResult deep = Run({"scan", "--recurse", "--readers", readers, "--folder",
                                tree.path().string(), "--no-save", "sea", "chest"});
    EXPECT_EQ(deep.status, 0) << deep.err;
    EXPECT_EQ(deep.out, "SEA CHEST, sea chest\t" + twice + "\t24\t1\tSorvane\n"
                        "a sea chest\t" + top + "\t12\t1\tSorvane\n");
  }

  const CliResult json =
      Run({"scan", "--json", "--folder", tree.path().string(), "--no-save", "sea chest"});
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out, "[\n  {\"Description\": \"a sea chest\", \"URL\": \"" + top +
                          "\", \"Rank\": 12, \"Hits\": 1, \"Engine\": \"Sorvane\"}\n]\n");
  const CliResult csv = Run({"scan", "--format", "csv", "--folder", tree.path().string(), "--no-save", "sea chest"});
  EXPECT_EQ(csv.out, "Description,URL,Rank,Hits,Engine,Viewed\r\na sea chest," + top + ",12,1,Sorvane,0\r\n");
}

TEST_F(CliTest, HelpGoesToStandardOutput) {
  for (const std::vector<std::string>& call :
       {std::vector<std::string>{"--help"}, {"-h"}, {"engines", "--help"}, {"address", "--help"},
        {"parse", "--help"}, {"categories", "--help"}, {"saved", "--help"},
        {"saved", "show", "--help"}}) {
    const CliResult result = Run(call);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("usage: sorvane-cli", 0), 0u) << result.out;
  }
}

TEST_F(CliTest, SavedListsShowsAndDeletesSavedSearches) {
  home_.Write("SearchResults/wooden boats.svq",
              "2\n4\nWooden <b>boats</b>\nhttp://a.example/\n80\n2\nAlpha\n1\n"
              "Plans\nhttp://b.example/\n40\n1\nBeta\n0\n");
  home_.Write("SearchResults/a%2Fb.svq", "0\n0\n");  // the words "a/b"
  home_.Write("SearchResults/.svq", "0\n0\n");       // empty words: never listed
  home_.Write("SearchResults/notes.txt", "");

  CliResult result = Run({"saved", "list"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.out == "wooden boats\na/b\n" || result.out == "a/b\nwooden boats\n") << result.out;

  result = Run({"saved", "show", "wooden", "boats"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "category\t4\n"
            "Wooden <b>boats</b>\thttp://a.example/\t80\t2\tAlpha\t1\n"
            "Plans\thttp://b.example/\t40\t1\tBeta\t0\n");

  result = Run({"saved", "show", "--json", "wooden boats"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "{\"category\": 4, \"rows\": [\n"
            "  {\"Description\": \"Wooden <b>boats</b>\", \"URL\": \"http://a.example/\", \"Rank\": \"80\", "
            "\"Hits\": \"2\", \"Engine\": \"Alpha\", \"viewed\": 1},\n"
            "  {\"Description\": \"Plans\", \"URL\": \"http://b.example/\", \"Rank\": \"40\", "
            "\"Hits\": \"1\", \"Engine\": \"Beta\", \"viewed\": 0}\n"
            "]}\n");
  EXPECT_EQ(Run({"saved", "show", "--json", "a/b"}).out, "{\"category\": 0, \"rows\": []}\n");
  EXPECT_EQ(Run({"saved", "show", "--format", "json", "wooden boats"}).out, result.out);
  EXPECT_EQ(Run({"saved", "--format", "csv", "show", "wooden boats"}).out,
            "Description,URL,Rank,Hits,Engine,Viewed\r\n"
            "Wooden <b>boats</b>,http://a.example/,80,2,Alpha,1\r\n"
            "Plans,http://b.example/,40,1,Beta,0\r\n");
  EXPECT_EQ(Run({"saved", "show", "--format", "tsv", "wooden boats"}).out.rfind("category\t4\n", 0), 0u);

  result = Run({"saved", "delete", "a/b"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Run({"saved", "list"}).out, "wooden boats\n");

  for (const std::vector<std::string>& call :
       {std::vector<std::string>{"saved", "delete", "a/b"}, {"saved", "show", "../SearchResults/wooden boats"},
        {"saved", "show", "never"}}) {
    result = Run(call);
    EXPECT_EQ(result.status, 1) << call[2];
    EXPECT_EQ(result.err, "sorvane-cli: no saved search for '" + call[2] + "'\n");
  }
  EXPECT_TRUE(std::filesystem::exists(home_.path() / "SearchResults" / "wooden boats.svq"));

  for (const std::vector<std::string>& call :
       {std::vector<std::string>{"saved"}, {"saved", "rename", "x"}, {"saved", "show"}, {"saved", "delete"},
        {"saved", "list", "x"}, {"saved", "--json", "list"}, {"saved", "--bogus", "list"},
        {"saved", "--format", "csv", "delete", "x"}, {"saved", "show", "--format", "yaml", "x"}}) {
    EXPECT_EQ(Run(call).status, 2) << call.back();
  }
}

TEST_F(CliTest, SavedListWithoutAnySavedSearchIsEmpty) {
  const CliResult result = Run({"saved", "list"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
}

// A scan ends like a web search: the page is written and the search is kept
// under the phrase in the My PC row; --no-save leaves the program folder as it was.
TEST_F(CliTest, ScanSavesItsRowsUnlessToldNotTo) {
  TempFolder tree;
  tree.Write("notes/boat.txt", "plans for a Wooden Boat hull");
  tree.Write("notes/car.txt", "nothing to see");
  const std::string folder = (tree.path() / "notes").string();

  const CliResult unsaved = Run({"scan", "--no-save", "--folder", folder, "wooden boat"});
  ASSERT_EQ(unsaved.status, 0) << unsaved.err;
  EXPECT_FALSE(std::filesystem::exists(home_.path() / "Search Results.htm"));
  EXPECT_EQ(Run({"saved", "list"}).out, "");

  const CliResult saved = Run({"scan", "--folder", folder, "wooden boat"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_NE(saved.out.find((tree.path() / "notes/boat.txt").string()), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(home_.path() / "Search Results.htm"));
  EXPECT_EQ(Run({"saved", "list"}).out, "wooden boat\n");
  const CliResult shown = Run({"saved", "show", "wooden boat"});
  EXPECT_EQ(shown.out.substr(0, shown.out.find('\n')), "category\t1");
  EXPECT_NE(shown.out.find("boat.txt\t"), std::string::npos);
}

TEST_F(CliTest, ProgramFolderFromTheEnvironment) {
  WriteStore();
  const std::string command = "SORVANE_HOME=" + ShellQuote(home_.path().string()) + " " +
                              ShellQuote(SORVANE_CLI_PATH) + " engines >" +
                              ShellQuote((output_.path() / "out").string());
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(output_.Read("out").substr(0, 6), "Paged\t");
}

}  // namespace
}  // namespace sorvane
