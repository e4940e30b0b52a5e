#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

TEST(GuiCommandLine, OptionsAndOneFile) {
  const GuiCommandLine none = ParseGuiCommandLine({});
  EXPECT_TRUE(none.valid);
  EXPECT_FALSE(none.home.has_value());
  EXPECT_FALSE(none.noWebView);
  EXPECT_TRUE(none.file.empty());

  const GuiCommandLine all = ParseGuiCommandLine({"--home", "/tmp/sv", "--no-webview", "Search Results.htm"});
  EXPECT_TRUE(all.valid);
  EXPECT_EQ(all.home, std::filesystem::path("/tmp/sv"));
  EXPECT_TRUE(all.noWebView);
  EXPECT_EQ(all.file, "Search Results.htm");

  EXPECT_EQ(ParseGuiCommandLine({"--home=/data"}).home, std::filesystem::path("/data"));
  EXPECT_EQ(ParseGuiCommandLine({"--", "-odd.htm"}).file, "-odd.htm");
}

TEST(GuiCommandLine, VersionAndHelpAreNoted) {
  EXPECT_FALSE(ParseGuiCommandLine({"a.htm"}).version);
  EXPECT_TRUE(ParseGuiCommandLine({"--version"}).version);
  EXPECT_TRUE(ParseGuiCommandLine({"--no-webview", "--version"}).version);
  EXPECT_TRUE(ParseGuiCommandLine({"--help"}).help);
  EXPECT_TRUE(ParseGuiCommandLine({"-h"}).help);
  // After "--" they are file names.
  EXPECT_FALSE(ParseGuiCommandLine({"--", "--version"}).version);
}

TEST(GuiCommandLine, MistakesAreRefused) {
  EXPECT_FALSE(ParseGuiCommandLine({"--home"}).valid);
  EXPECT_FALSE(ParseGuiCommandLine({"--colour"}).valid);
  EXPECT_FALSE(ParseGuiCommandLine({"a.htm", "b.htm"}).valid);
  EXPECT_FALSE(ParseGuiCommandLine({"a.htm", "--", "b.htm"}).valid);
}

}  // namespace
}  // namespace sorvane
