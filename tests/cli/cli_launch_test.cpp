// How sorvane-cli starts: its version line, the libraries it does not load, and
// the hand-over of network commands to sorvane-cli-net.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "sorvane_version.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

struct Outcome {
  int status = -1;
  std::string out;
};

// Runs a shell command line; standard error joins standard output.
Outcome Shell(const std::string& line) {
  Outcome outcome;
  FILE* pipe = ::popen((line + " 2>&1 </dev/null").c_str(), "r");
  if (!pipe) return outcome;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) outcome.out.append(buffer, got);
  const int raw = ::pclose(pipe);
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return outcome;
}

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

const fs::path kCli = SORVANE_CLI_PATH;
const fs::path kHelper = fs::path(SORVANE_CLI_PATH).parent_path() / "sorvane-cli-net";

TEST(CliLaunch, VersionLine) {
  const Outcome outcome = Shell(Quote(kCli) + " --version");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, std::string(kVersionLine) + "\n");
  EXPECT_EQ(std::string(kVersionLine).rfind("Sorvane ", 0), 0u);
}

// The point of the split: the everyday commands must not pay for the HTTP
// library and its TLS stack, nor for the toolkit.
TEST(CliLaunch, LocalCommandsLoadNeitherNetworkNorToolkit) {
  const Outcome light = Shell("readelf -d " + Quote(kCli));
  ASSERT_EQ(light.status, 0) << light.out;
  EXPECT_NE(light.out.find("(NEEDED)"), std::string::npos);
  EXPECT_EQ(light.out.find("libcurl"), std::string::npos) << light.out;
  EXPECT_EQ(light.out.find("libwx"), std::string::npos) << light.out;
  EXPECT_EQ(light.out.find("ssl"), std::string::npos) << light.out;

  // The helper is where they went (so the reading above means something).
  const Outcome helper = Shell("readelf -d " + Quote(kHelper));
  EXPECT_NE(helper.out.find("libcurl"), std::string::npos) << helper.out;
}

// An installed layout: the CLI in bin/, the helper in libexec/sorvane/, and
// engines.dat beside the CLI (a portable install). The helper must choose the
// program folder as sorvane-cli would, from sorvane-cli's folder, not its own.
TEST(CliLaunch, HelperChoosesTheLaunchersProgramFolder) {
  TempFolder root;
  const fs::path bin = root.path() / "bin";
  const fs::path libexec = root.path() / "libexec" / "sorvane";
  fs::create_directories(bin);
  fs::create_directories(libexec);
  fs::copy_file(kCli, bin / "sorvane-cli");
  fs::copy_file(kHelper, libexec / "sorvane-cli-net");
  root.Write("bin/engines.dat", "0\n");
  root.Write("bin/categories.dat", "");
  const std::string environment = "env -u SORVANE_HOME HOME=" + Quote(root.path() / "home") +
                                  " XDG_DATA_HOME=" + Quote(root.path() / "data") +
                                  " XDG_CONFIG_HOME=" + Quote(root.path() / "config") + " ";

  // A category without engines: the search ends at once, and still writes its
  // page and saves itself in the program folder.
  const Outcome outcome = Shell(environment + Quote(bin / "sorvane-cli") + " search Arts 'old maps'");
  EXPECT_EQ(outcome.status, 0) << outcome.out;
  EXPECT_NE(outcome.out.find("has no engines"), std::string::npos) << outcome.out;
  EXPECT_TRUE(fs::exists(bin / "Search Results.htm"));
  EXPECT_FALSE(fs::exists(root.path() / "data" / "sorvane" / "Search Results.htm"));
}

// A binary copied on its own, with nothing installed: the defaults it was built
// with fill the new per-user folder, and a later start keeps the user's edits.
TEST(CliLaunch, ALoneCopiedBinaryStartsWithTheBuiltInDefaults) {
  TempFolder root;
  fs::copy_file(kCli, root.path() / "sorvane-cli");
  const std::string command = "env -u SORVANE_HOME HOME=" + Quote(root.path() / "home") +
                              " XDG_DATA_HOME=" + Quote(root.path() / "data") +
                              " XDG_CONFIG_HOME=" + Quote(root.path() / "config") + " " +
                              Quote(root.path() / "sorvane-cli");
  const Outcome categories = Shell(command + " categories");
  ASSERT_EQ(categories.status, 0) << categories.out;
  EXPECT_NE(categories.out.find("Entire Web"), std::string::npos) << categories.out;
  const fs::path folder = root.path() / "data" / "sorvane";
  for (const char* name : {"engines.dat", "categories.dat", "index.htm", "banner0.jpg", "banner1.jpg"})
    EXPECT_GT(fs::file_size(folder / name), 0u) << name;

  root.Write("data/sorvane/engines.dat", "0\n");
  const Outcome engines = Shell(command + " engines");
  EXPECT_EQ(engines.status, 0) << engines.out;
  EXPECT_EQ(engines.out, "");
  EXPECT_EQ(root.Read("data/sorvane/engines.dat"), "0\n");
}

TEST(CliLaunch, MissingHelperIsAFailureNotAHang) {
  TempFolder root;
  fs::copy_file(kCli, root.path() / "sorvane-cli");
  const Outcome outcome = Shell(Quote(root.path() / "sorvane-cli") + " --home " + Quote(root.path()) + " search Arts x");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out.rfind("sorvane-cli: cannot start the network commands' program: ", 0), 0u) << outcome.out;
  EXPECT_NE(outcome.out.find("sorvane-cli-net"), std::string::npos);

  // The local commands do not need it.
  EXPECT_EQ(Shell(Quote(root.path() / "sorvane-cli") + " --home " + Quote(root.path()) + " categories").status, 0);
}

}  // namespace
}  // namespace sorvane
