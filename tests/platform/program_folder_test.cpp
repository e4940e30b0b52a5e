#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

TEST(ResolveProgramFolder, OptionThenVariableThenOwnFolderThenUserFolder) {
  TempFolder root;
  const auto exeFolder = root.path() / "bin";
  const auto userFolder = root.path() / "data" / "sorvane";
  std::filesystem::create_directories(exeFolder);

  ProgramFolderInputs inputs;
  inputs.executableFolder = exeFolder;
  inputs.userDataFolder = userFolder;
  EXPECT_EQ(ResolveProgramFolder(inputs), userFolder);
  EXPECT_TRUE(std::filesystem::is_directory(userFolder)) << "the user folder is created";

  root.Write("bin/engines.dat", "0\n");
  EXPECT_EQ(ResolveProgramFolder(inputs), exeFolder);

  inputs.homeVariable = (root.path() / "from-variable").string();
  EXPECT_EQ(ResolveProgramFolder(inputs), root.path() / "from-variable");

  inputs.homeOption = root.path() / "from-option";
  EXPECT_EQ(ResolveProgramFolder(inputs), root.path() / "from-option");
}

TEST(ResolveProgramFolder, SeedsANewUserFolderWithoutOverwritingItsFiles) {
  TempFolder root;
  root.Write("defaults/engines.dat", "1\ndefault engine\n");
  root.Write("defaults/categories.dat", "Arts\n0\n");
  root.Write("data/sorvane/categories.dat", "mine\n");
  root.Write("defaults/sorvane.htb", "help book");

  ProgramFolderInputs inputs;
  inputs.executableFolder = root.path() / "bin-without-store";
  inputs.userDataFolder = root.path() / "data" / "sorvane";
  inputs.defaultsFolders = {root.path() / "no-defaults-here", root.path() / "defaults"};
  ASSERT_EQ(ResolveProgramFolder(inputs), inputs.userDataFolder);
  EXPECT_EQ(root.Read("data/sorvane/engines.dat"), "1\ndefault engine\n");
  EXPECT_EQ(root.Read("data/sorvane/categories.dat"), "mine\n");
  EXPECT_FALSE(std::filesystem::exists(inputs.userDataFolder / "sorvane.htb")) << "the help book stays installed";
}

}  // namespace
}  // namespace sorvane
