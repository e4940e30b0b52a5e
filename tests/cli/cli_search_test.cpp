// sorvane-cli search, run as the built program against engines on a loopback server.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <thread>

#include "support/page_server.h"
#include "support/raw_server.h"
#include "support/temp_folder.h"

extern char** environ;

namespace sorvane {
namespace {

using namespace std::chrono_literals;
using testing::PageServer;
using testing::RawConnection;
using testing::RawServer;
using testing::TempFolder;

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

std::string HitsPage(const std::string& site, int count) {
  std::string page;
  for (int i = 0; i < count; ++i) {
    page += "<a href=\"http://site.example/" + site + "/" + std::to_string(i) + "\">wooden boats " + site + " " +
            std::to_string(i) + "</a>\n";
  }
  return page;
}

class CliSearchTest : public ::testing::Test {
 protected:
  CliSearchTest() {
    // The settings the CLI reads live in a folder of the test's own.
    ::setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    pages_.server().Get("/count", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(HitsPage("count", 3), "text/html");
    });
    pages_.server().Get("/other", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(HitsPage("other", 2), "text/html");
    });
    // Latin-1 bytes, as the header says: "CAFÉ crème".
    pages_.server().Get("/latin", [](const httplib::Request&, httplib::Response& response) {
      response.set_content("<a href=\"http://latin.example/1\">CAF\xC9 cr\xE8me &amp; the&nbsp;rest</a>\n",
                           "text/html; charset=ISO-8859-1");
    });
  }

  // Engines: Counted and Other on the page server, Broken with an ftp address,
  // Silent on a server that never answers (when one is given).
  void WriteStore(const std::string& silentOrigin = "http://127.0.0.1:9") {
    const std::string origin = pages_.Origin();
    home_.Write("engines.dat",
                "5\n"
                "Counted\n<a href=\"http\n</a>\n" + origin + "\n1\n/count?n=%d&q=\n\n"
                "Other\n<a href=\"http\n</a>\n" + origin + "\n1\n/other?q=\n\n"
                "Broken\n<a href=\"http\n</a>\nftp://files.example\n1\n/find?q=\n\n"
                "Silent\n<a href=\"http\n</a>\n" + silentOrigin + "\n1\n/s?q=\n\n"
                "Latin\n<a href=\"http\n</a>\n" + origin + "\n1\n/latin?q=\n\n");
    home_.Write("categories.dat",
                "Entire Web\n3\nCounted\nNobody\nOther\n"
                "Arts\n2\nBroken\nCounted\n"
                "Books\n2\nSilent\nOther\n"
                "Travel\n0\n"
                "Music\n1\nLatin\n");
  }

  CliResult Run(const std::vector<std::string>& arguments, bool interruptOnRequest = false,
                RawServer* watched = nullptr, const std::string& errPathOverride = {}) {
    std::vector<std::string> all = {SORVANE_CLI_PATH, "--home", home_.path().string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::string outPath = (output_.path() / "out").string();
    const std::string errPath = errPathOverride.empty() ? (output_.path() / "err").string() : errPathOverride;
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, errPath.c_str(),
                                     errPathOverride.empty() ? O_WRONLY | O_CREAT | O_TRUNC : O_WRONLY, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    CliResult result;
    if (spawned != 0) return result;
    if (interruptOnRequest && watched != nullptr) {
      for (int i = 0; i < 500 && watched->Requests().empty(); ++i) std::this_thread::sleep_for(10ms);
      ::kill(pid, SIGINT);
    }
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = output_.Read("out");
    result.err = output_.Read("err");
    return result;
  }

  TempFolder home_;
  TempFolder output_;
  TempFolder config_;
  PageServer pages_;
};

TEST_F(CliSearchTest, PrintsTheMergedTableOfTheCategorysEngines) {
  WriteStore();
  const CliResult result = Run({"search", "--no-save", "entire web", "wooden", "boats"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  int rows = 0;
  for (char c : result.out) rows += c == '\n';
  EXPECT_EQ(rows, 5);
  EXPECT_NE(result.out.find("\thttp://site.example/count/0\t"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("\thttp://site.example/other/1\t"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("\t1\tCounted\n"), std::string::npos) << result.out;

  const CliResult byRow = Run({"search", "--no-save", "--json", "--query-type", "any", "0", "wooden boats"});
  ASSERT_EQ(byRow.status, 0) << byRow.err;
  EXPECT_EQ(byRow.out.front(), '[');
  EXPECT_NE(byRow.out.find("\"Engine\": \"Other\""), std::string::npos) << byRow.out;
}

TEST_F(CliSearchTest, WithoutNoSaveThePageIsWrittenAndTheSearchKept) {
  WriteStore();
  const CliResult result = Run({"search", "Entire Web", "wooden boats"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(home_.Read("Search Results.htm").find("http://site.example/count/0"), std::string::npos);
  const std::string saved = home_.Read("SearchResults/wooden boats.svq");
  EXPECT_NE(saved.find("http://site.example/other/1"), std::string::npos) << saved;
  EXPECT_FALSE(std::filesystem::exists(home_.path() / "SearchResults" / "wooden+boats.svq"));
}

// A page in Latin-1 reaches the table, the console, the saved search and the
// results page as the letters it shows in a browser, in UTF-8.
TEST_F(CliSearchTest, APageInAnotherCharsetIsShownAndKeptInUtf8) {
  WriteStore();
  const std::string description = "CAF\xC3\x89 cr\xC3\xA8me & the rest";
  const CliResult result = Run({"search", "music", "caf\xC3\xA9"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, description + "\thttp://latin.example/1\t10\t1\tLatin\n");

  const CliResult json = Run({"saved", "show", "--json", "caf\xC3\xA9"});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_NE(json.out.find("\"" + description + "\""), std::string::npos) << json.out;

  const std::string page = home_.Read("Search Results.htm");
  EXPECT_EQ(page.rfind("<meta charset=\"utf-8\">\n", 0), 0u) << page;
  EXPECT_NE(page.find("CAF\xC3\x89 cr\xC3\xA8me &amp; the rest"), std::string::npos) << page;
}

// --new: the rows whose address the earlier save of the same words lacked,
// every row the first time; the save itself is the whole table either way.
TEST_F(CliSearchTest, NewPrintsOnlyTheRowsTheEarlierSearchDidNotHave) {
  WriteStore();
  home_.Write("SearchResults/wooden boats.svq",
              "2\n0\nold\nhttp://site.example/count/0\n10\n1\nCounted\n1\n"
              "gone\nhttp://gone.example/\n5\n1\nCounted\n0\n");
  CliResult result = Run({"search", "--new", "--format", "csv", "Entire Web", "wooden boats"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("Description,URL,Rank,Hits,Engine,Viewed\r\n", 0), 0u) << result.out;
  int records = 0;
  for (char c : result.out) records += c == '\n';
  EXPECT_EQ(records, 1 + 4) << result.out;  // five rows, count/0 was there before
  EXPECT_EQ(result.out.find("count/0"), std::string::npos) << result.out;
  EXPECT_NE(home_.Read("SearchResults/wooden boats.svq").find("count/0"), std::string::npos);

  // The same words again: nothing is new now.
  result = Run({"search", "--new", "Entire Web", "wooden boats"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");

  // Words never searched: every row, here without saving.
  result = Run({"search", "--new", "--no-save", "--json", "Entire Web", "boats"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("count/0"), std::string::npos) << result.out;
  EXPECT_FALSE(std::filesystem::exists(home_.path() / "SearchResults" / "boats.svq"));
}

TEST_F(CliSearchTest, StoppedSearchIsStillSaved) {
  RawServer silent([](RawConnection& connection) { connection.HangUntilStopped(); });
  WriteStore(silent.Origin());
  const CliResult result = Run({"search", "books", "wooden boats"}, true, &silent);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(home_.Read("SearchResults/wooden boats.svq").find("http://site.example/other/0"), std::string::npos);
}

TEST_F(CliSearchTest, InvalidUrlIsReportedAndTheSearchGoesOn) {
  WriteStore();
  const CliResult result = Run({"search", "--no-save", "Arts", "wooden boats"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "sorvane-cli: Broken: Invalid URL\n");
  EXPECT_NE(result.out.find("\tCounted\n"), std::string::npos) << result.out;
}

TEST_F(CliSearchTest, CtrlCStopsAndStillPrintsWhatWasFound) {
  RawServer silent([](RawConnection& connection) { connection.HangUntilStopped(); });
  WriteStore(silent.Origin());
  const auto started = std::chrono::steady_clock::now();
  const CliResult result = Run({"search", "--no-save", "books", "wooden boats"}, true, &silent);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 20s);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("\tOther\n"), std::string::npos) << result.out;
}

TEST_F(CliSearchTest, OnATerminalEachEngineHasALiveLine) {
  WriteStore();
  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(::grantpt(terminal), 0);
  ASSERT_EQ(::unlockpt(terminal), 0);
  // Our own hold on the terminal's far side, so reading it ends only after
  // we let go, never before the program has opened it.
  const int farSide = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY);
  ASSERT_GE(farSide, 0);
  std::string screen;
  std::thread reader([&] {
    char buffer[4096];
    for (;;) {
      const ssize_t got = ::read(terminal, buffer, sizeof buffer);
      if (got <= 0) break;  // EIO once the program has closed its side
      screen.append(buffer, static_cast<std::size_t>(got));
    }
  });
  const CliResult result = Run({"search", "--no-save", "Entire Web", "wooden boats"}, false, nullptr,
                               ::ptsname(terminal));
  ::close(farSide);
  reader.join();
  ::close(terminal);
  ASSERT_EQ(result.status, 0);
  EXPECT_NE(screen.find("Counted  100%  Done"), std::string::npos) << screen;
  EXPECT_NE(screen.find("Other  100%  Done"), std::string::npos) << screen;
  EXPECT_EQ(screen.find("Nobody"), std::string::npos) << screen;
}

TEST_F(CliSearchTest, RefusesMyPcUnknownCategoriesAndMissingWords) {
  WriteStore();
  const CliResult myPc = Run({"search", "--no-save", "my pc", "x"});
  EXPECT_EQ(myPc.status, 2);
  EXPECT_NE(myPc.err.find("'sorvane-cli scan'"), std::string::npos) << myPc.err;
  EXPECT_EQ(Run({"search", "--no-save", "1", "x"}).status, 2);
  EXPECT_EQ(Run({"search", "--no-save", "Nowhere", "x"}).status, 2);
  EXPECT_EQ(Run({"search", "--no-save", "22", "x"}).status, 2);
  EXPECT_EQ(Run({"search", "--no-save", "Arts"}).status, 2);
  EXPECT_EQ(Run({"search", "--bogus", "Arts", "x"}).status, 2);
}

TEST_F(CliSearchTest, CategoryWithoutEnginesPrintsAnEmptyTable) {
  WriteStore();
  const CliResult result = Run({"search", "--no-save", "travel", "x"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("has no engines"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace sorvane
