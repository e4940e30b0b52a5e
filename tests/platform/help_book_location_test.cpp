#include "platform/help_book_location.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(HelpBookLocation, TheBookOfTheRunningProgramComesBeforeACopyInTheProgramFolder) {
  TempFolder root;
  const fs::path exe = root.path() / "usr" / "bin";
  const fs::path installed = exe / ".." / "share" / "sorvane";
  const fs::path home = root.path() / "home";
  const auto candidates = HelpBookCandidates(home / "sorvane.hlp", exe, {installed, root.path() / "elsewhere"});
  ASSERT_EQ(candidates.size(), 4u);
  EXPECT_EQ(candidates[0], exe / "sorvane.htb");
  EXPECT_EQ(candidates[1], (root.path() / "usr" / "share" / "sorvane" / "sorvane.htb")) << "made plain";
  EXPECT_EQ(candidates[3], home / "sorvane.htb");

  // None there: the program folder's path, for the message that it is missing.
  EXPECT_EQ(FindHelpBook(candidates), home / "sorvane.htb");
  root.Write("home/sorvane.htb", "old copy");
  EXPECT_EQ(FindHelpBook(candidates), home / "sorvane.htb");
  root.Write("usr/share/sorvane/sorvane.htb", "installed");
  EXPECT_EQ(FindHelpBook(candidates), candidates[1]);
  root.Write("usr/bin/sorvane.htb", "built beside the program");
  EXPECT_EQ(FindHelpBook(candidates), exe / "sorvane.htb");
}

TEST(HelpBookLocation, APortableFolderIsLookedInOnceAndAFolderIsNoBook) {
  TempFolder root;
  // The build tree: the program folder is the program's own.
  const auto candidates = HelpBookCandidates(root.path() / "sorvane.hlp", root.path(), {});
  EXPECT_EQ(candidates, std::vector<fs::path>{root.path() / "sorvane.htb"});
  fs::create_directories(root.path() / "sorvane.htb");
  EXPECT_EQ(FindHelpBook(candidates), root.path() / "sorvane.htb");
  EXPECT_EQ(FindHelpBook(HelpBookCandidates(root.path() / "a" / "sorvane.hlp", root.path() / "b", {})),
            root.path() / "a" / "sorvane.htb");
  EXPECT_EQ(HelpBookPath("/x/sorvane.hlp"), fs::path("/x/sorvane.htb"));
}

}  // namespace
}  // namespace sorvane
