// sorvane-cli learn and engines add, run as the built program: a record learned
// from an address (the page fetched from a loopback server, or read from a
// file) or an OpenSearch file, and added to engines.dat.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "support/page_server.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::PageServer;
using testing::TempFolder;

const std::filesystem::path kPagesFolder = SORVANE_ENGINE_PAGES_DIR;

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

class CliLearnTest : public ::testing::Test {
 protected:
  CliLearnTest() {
    ::setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    home_.Write("engines.dat", "1\nKept\n<a href=\"http\n</a>\n\n1\nhttp://kept.example/?q=\n\n");
  }

  CliResult Run(const std::vector<std::string>& arguments, const std::string& input = "/dev/null") {
    std::vector<std::string> all = {SORVANE_CLI_PATH, "--home", home_.path().string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::string outPath = (output_.path() / "out").string();
    const std::string errPath = (output_.path() / "err").string();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    CliResult result;
    if (spawned != 0) return result;
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = output_.Read("out");
    result.err = output_.Read("err");
    return result;
  }

  std::string Engines() { return ReadWholeFile(home_.path() / "engines.dat").value_or(""); }

  TempFolder home_;
  TempFolder output_;
  TempFolder config_;
};

constexpr const char* kWibyRecord =
    "\t<a class=\"tlink\" href=\"http\t</a>\t\t1\t";

TEST_F(CliLearnTest, LearnsFromAnAddressAndTheFetchedPage) {
  PageServer server;
  std::string asked;
  const std::string page = ReadWholeFile(kPagesFolder / "Wiby.html").value();
  server.server().Get("/search", [&](const httplib::Request& request, httplib::Response& response) {
    asked = request.target;
    response.set_content(page, "text/html");
  });
  // As a browser shows it: the words joined by "%20", in other letter case.
  const CliResult result =
      Run({"learn", "--address", server.Origin() + "/search?q=Wooden%20Boats&lang=en", "wooden", "boats"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(asked, "/search?q=wooden+boats&lang=en");
  const std::string record = "127.0.0.1" + std::string(kWibyRecord) + server.Origin() + "/search?q=\t&lang=en\t\n";
  ASSERT_EQ(result.out.substr(0, record.size() + 1), record + "\n");
  // Then the hits, as parse prints them.
  EXPECT_NE(result.out.find("WoodenBoat Magazine - for wooden boat owners, builders and designers\t"
                            "http://www.woodenboat.com/\t"),
            std::string::npos)
      << result.out;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 2 + 3);
}

TEST_F(CliLearnTest, LearnsFromAnOpenSearchFileAndASavedPageAsJson) {
  const std::filesystem::path description = home_.Write(
      "opensearch.xml",
      "<?xml version=\"1.0\"?><OpenSearchDescription xmlns=\"http://a9.com/-/spec/opensearch/1.1/\">"
      "<ShortName>Wiki Search</ShortName><Url type=\"text/html\" "
      "template=\"https://en.wikipedia.org/w/index.php?search={searchTerms}&amp;offset={startIndex?}\"/>"
      "</OpenSearchDescription>");
  const CliResult result = Run({"learn", "--json", "--opensearch", description.string(), "--page",
                                (kPagesFolder / "Wikipedia.html").string(), "andrews sisters"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("{\"engine\": {\"name\": \"Wiki Search\", \"startToken\": "
                             "\"<div class=\\\"mw-search-result-heading\\\"><a href=\\\"/wik\", \"endToken\": "
                             "\"</a>\", \"url\": \"https://en.wikipedia.org\", \"searchType\": 2, \"prefix\": "
                             "\"/w/index.php?search=\", \"suffix\": \"&offset=%d\", \"nextPageCommand\": \"\"},\n"
                             "\"hits\": [\n",
                             0),
            0u)
      << result.out;
  EXPECT_NE(result.out.find("\"URL\": \"https://en.wikipedia.org/wiki/Patty_Andrews\""), std::string::npos);
  EXPECT_TRUE(result.out.ends_with("]\n}\n")) << result.out;
}

TEST_F(CliLearnTest, LearnedRecordsGoIntoEnginesDat) {
  const std::string page = (kPagesFolder / "GovTrack.html").string();
  const CliResult learned =
      Run({"learn", "--name", "Gov", "--page", page, "--address", "https://www.govtrack.us/search?q=farm", "farm"});
  ASSERT_EQ(learned.status, 0) << learned.err;
  const std::filesystem::path output = home_.Write("learned.txt", learned.out);

  // The whole output of learn, hits and all, is what engines add takes.
  CliResult added = Run({"engines", "add", "-"}, output.string());
  ASSERT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(added.out, "added Gov\n");
  EXPECT_EQ(Engines(),
            "2\nKept\n<a href=\"http\n</a>\n\n1\nhttp://kept.example/?q=\n\n"
            "Gov\n<li><a href=\"/con\n</a>\nhttps://www.govtrack.us\n1\n/search?q=\n\n");
  const CliResult parsed = Run({"parse", "--engine", "Gov", "farm", "--", page});
  EXPECT_EQ(std::count(parsed.out.begin(), parsed.out.end(), '\n'), 4) << parsed.out;

  // A name that is there already is refused, and nothing changes...
  const std::string before = Engines();
  added = Run({"engines", "add", output.string()});
  EXPECT_EQ(added.status, 1);
  EXPECT_NE(added.err.find("'Gov' exists already"), std::string::npos) << added.err;
  EXPECT_EQ(Engines(), before);
  // ... unless it is to be replaced, in its place.
  home_.Write("kept.txt", "Kept\ts\te\t\t3\tp\t\tnext\n");
  added = Run({"engines", "add", "--replace", (home_.path() / "kept.txt").string()});
  ASSERT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(added.out, "replaced Kept\n");
  EXPECT_EQ(Engines(), "2\nKept\ns\ne\n\n3\np\n\nnext\nGov\n<li><a href=\"/con\n</a>\nhttps://www.govtrack.us\n1\n/search?q=\n\n");
}

TEST_F(CliLearnTest, BadInputLeavesEnginesDatAsItWas) {
  const std::string before = Engines();
  const std::vector<std::pair<std::string, std::string>> inputs = {
      {"five.txt", "Desc\thttp://x/\t10\t1\tEngine\n"},
      {"type.txt", "N\ts\te\tu\tone\tp\t\t\n"},
      {"invalid.txt", "N\ts\t\tu\t1\tp\t\t\n"},
      {"empty.txt", "\nN\ts\te\tu\t1\tp\t\t\n"},
      {"second.txt", "Good\ts\te\tu\t1\tp\t\t\nBad\ts\n"},
  };
  for (const auto& [name, contents] : inputs) {
    SCOPED_TRACE(name);
    const CliResult added = Run({"engines", "add", home_.Write(name, contents).string()});
    EXPECT_EQ(added.status, 1);
    EXPECT_EQ(added.err.rfind("sorvane-cli: ", 0), 0u) << added.err;
    EXPECT_EQ(Engines(), before);
  }
  EXPECT_EQ(Run({"engines", "add", (home_.path() / "missing.txt").string()}).status, 1);
  EXPECT_EQ(Run({"engines", "add"}).status, 2);
  EXPECT_EQ(Run({"engines", "add", "--force", "x"}).status, 2);
}

TEST_F(CliLearnTest, ExitStatusesOfLearn) {
  const std::string page = (kPagesFolder / "Wiby.html").string();
  // Bad usage: no address or file, both, no words.
  EXPECT_EQ(Run({"learn", "--page", page, "wooden boats"}).status, 2);
  EXPECT_EQ(Run({"learn", "--address", "http://wiby.me/?q=x", "--opensearch", "f.xml", "x"}).status, 2);
  EXPECT_EQ(Run({"learn", "--address", "http://wiby.me/?q=x"}).status, 2);
  // The words are not in the address; the page has no entries holding them;
  // the description is not one.
  CliResult result = Run({"learn", "--page", page, "--address", "http://wiby.me/?q=sailing", "wooden boats"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("are not in the address"), std::string::npos) << result.err;
  result = Run({"learn", "--page", page, "--address", "http://wiby.me/?q=zeppelin", "zeppelin"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("no engine record found"), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "");
  const std::string html = home_.Write("page.xml", "<html><body><p>wooden boats</p></body></html>").string();
  result = Run({"learn", "--page", page, "--opensearch", html, "wooden boats"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("not an OpenSearch description"), std::string::npos) << result.err;
  // A server that cannot be reached.
  result = Run({"learn", "--address", "http://127.0.0.1:1/?q=boats", "boats"});
  EXPECT_EQ(result.status, 1);
}

}  // namespace
}  // namespace sorvane
