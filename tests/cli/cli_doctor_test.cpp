// sorvane-cli doctor and search --report, run as the built program against
// engines on loopback servers.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/page_server.h"
#include "support/raw_server.h"
#include "support/temp_folder.h"

extern char** environ;

namespace sorvane {
namespace {

using testing::PageServer;
using testing::PlainAnswer;
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
    page += "<a href=\"http://site.example/" + site + "/" + std::to_string(i) + "\">wooden boats " + site + "</a>\n";
  }
  return page;
}

// Every field, the empty last one too.
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// Each outcome line without its milliseconds, which no test can know.
std::vector<std::string> LinesWithoutTime(const std::string& text) {
  std::vector<std::string> lines;
  std::vector<std::string> rows = Split(text, '\n');
  if (rows.back().empty()) rows.pop_back();
  for (const std::string& line : rows) {
    std::vector<std::string> fields = Split(line, '\t');
    if (fields.size() >= 8) fields[7] = "ms";
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) joined += (i ? "\t" : "") + fields[i];
    lines.push_back(joined);
  }
  return lines;
}

class CliDoctorTest : public ::testing::Test {
 protected:
  CliDoctorTest() {
    ::setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    pages_.server().Get("/count", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(HitsPage("count", 3), "text/html");
    });
    pages_.server().Get("/other", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(HitsPage("other", 2), "text/html");
    });
    const std::string origin = pages_.Origin();
    home_.Write("engines.dat",
                "4\n"
                "Counted\n<a href=\"http\n</a>\n" + origin + "\n1\n/count?n=%d&q=\n\n"
                "Other\n<a href=\"http\n</a>\n" + origin + "\n1\n/other?q=\n\n"
                "Broken\n<a href=\"http\n</a>\nftp://files.example\n1\n/find?q=\n\n"
                "Refusing\n<a href=\"http\n</a>\n" + refusing_.Origin() + "\n1\n/s?q=\n\n");
    home_.Write("categories.dat",
                "Entire Web\n3\nCounted\nNobody\nOther\n"
                "Arts\n3\nBroken\nCounted\nRefusing\n"
                "Travel\n0\n");
  }

  CliResult Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {SORVANE_CLI_PATH, "--home", home_.path().string()});
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::string outPath = (output_.path() / "out").string();
    const std::string errPath = (output_.path() / "err").string();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
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

  TempFolder home_;
  TempFolder output_;
  TempFolder config_;
  PageServer pages_;
  RawServer refusing_{[](RawConnection& connection) {
    connection.Send(PlainAnswer("<p>Please set a user-agent</p>", "403 Forbidden"));
  }};
};

TEST_F(CliDoctorTest, OneLinePerEngineInSlotOrderAndSuccessWhenAllTookHits) {
  const CliResult result = Run({"doctor", "entire web", "wooden", "boats"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(LinesWithoutTime(result.out),
            (std::vector<std::string>{
                "Counted\thits\t200\t" + std::to_string(HitsPage("count", 3).size()) + "\t1\t3\t0\tms\t",
                "Other\thits\t200\t" + std::to_string(HitsPage("other", 2).size()) + "\t1\t2\t0\tms\t"}));
  // Nothing is kept: no page, no saved search.
  EXPECT_FALSE(std::filesystem::exists(home_.path() / "Search Results.htm"));
  EXPECT_FALSE(std::filesystem::exists(home_.path() / "SearchResults"));
}

TEST_F(CliDoctorTest, AnyEngineWithoutHitsFailsAndTellsWhy) {
  const CliResult result = Run({"doctor", "Arts", "wooden boats"});
  EXPECT_EQ(result.status, 1) << result.err;
  const std::vector<std::string> lines = LinesWithoutTime(result.out);
  ASSERT_EQ(lines.size(), 3u) << result.out;
  EXPECT_EQ(lines[0], "Broken\tinvalid-address\t0\t0\t0\t0\t0\tms\t");
  EXPECT_EQ(lines[1].rfind("Counted\thits\t", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2], "Refusing\trefused\t403\t30\t1\t0\t0\tms\tPlease set a user-agent");
}

TEST_F(CliDoctorTest, JsonHasOneObjectPerEngineWithEveryKey) {
  const CliResult result = Run({"doctor", "--json", "--engine", "Refusing", "wooden boats"});
  EXPECT_EQ(result.status, 1) << result.err;
  for (const char* key : {"\"engine\": \"Refusing\"", "\"outcome\": \"refused\"", "\"status\": 403", "\"bytes\": 30",
                          "\"pages\": 1", "\"hits\": 0", "\"known\": 0", "\"ms\": ",
                          "\"detail\": \"Please set a user-agent\"", "\"address\": \"http://127.0.0.1:"}) {
    EXPECT_NE(result.out.find(key), std::string::npos) << key << "\n" << result.out;
  }
  EXPECT_EQ(result.out.front(), '[');
}

TEST_F(CliDoctorTest, ASavedPageIsCheckedWithoutTheNetwork) {
  const std::string page = HitsPage("saved", 4);
  const std::filesystem::path file = home_.Write("saved.html", page);
  // Broken's address cannot even be split; Other's server is never asked.
  const CliResult good = Run({"doctor", "--page", file.string(), "--engine", "Other", "wooden boats"});
  EXPECT_EQ(good.status, 0) << good.err;
  EXPECT_EQ(LinesWithoutTime(good.out),
            (std::vector<std::string>{"Other\thits\t0\t" + std::to_string(page.size()) + "\t1\t4\t0\tms\t"}));
  const std::filesystem::path changed = home_.Write("changed.html", "<div class=\"new-markup\">nothing</div>");
  const CliResult bad = Run({"doctor", "--page", changed.string(), "--engine", "Other", "wooden boats"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(LinesWithoutTime(bad.out), (std::vector<std::string>{"Other\tmarkers-not-found\t0\t37\t1\t0\t0\tms\t"}));
  EXPECT_EQ(Run({"doctor", "--page", (home_.path() / "missing.html").string(), "--engine", "Other", "x"}).status, 1);
}

TEST_F(CliDoctorTest, BadUsageAndUnknownNamesExitWithTwo) {
  EXPECT_EQ(Run({"doctor", "--page", "x.html", "Arts", "wooden boats"}).status, 2);
  EXPECT_EQ(Run({"doctor", "--engine", "Nobody", "wooden boats"}).status, 2);
  EXPECT_EQ(Run({"doctor", "Nowhere", "wooden boats"}).status, 2);
  EXPECT_EQ(Run({"doctor", "Arts"}).status, 2);
  EXPECT_EQ(Run({"doctor", "my pc", "x"}).status, 2);
  EXPECT_EQ(Run({"doctor", "--bogus", "Arts", "x"}).status, 2);
  const CliResult empty = Run({"doctor", "travel", "x"});
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.err.find("has no engines"), std::string::npos) << empty.err;
  EXPECT_EQ(Run({"doctor", "--help"}).status, 0);
}

TEST_F(CliDoctorTest, SearchReportWritesTheOutcomeLinesAfterTheTable) {
  const CliResult result = Run({"search", "--no-save", "--report", "Arts", "wooden boats"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("\tCounted\n"), std::string::npos) << result.out;
  // The messages of the search come first, then one line per engine.
  const std::vector<std::string> lines = LinesWithoutTime(result.err);
  ASSERT_EQ(lines.size(), 4u) << result.err;
  EXPECT_EQ(lines[0], "sorvane-cli: Broken: Invalid URL");
  EXPECT_EQ(lines[1], "Broken\tinvalid-address\t0\t0\t0\t0\t0\tms\t");
  EXPECT_EQ(lines[2].rfind("Counted\thits\t200\t", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("Refusing\trefused\t403\t", 0), 0u) << lines[3];
  // Without --report standard error holds the messages alone.
  EXPECT_EQ(Run({"search", "--no-save", "Arts", "wooden boats"}).err, "sorvane-cli: Broken: Invalid URL\n");
}

}  // namespace
}  // namespace sorvane
