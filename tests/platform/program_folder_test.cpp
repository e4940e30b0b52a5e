#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_io.h"
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

// Two files standing in for the compiled-in defaults.
const unsigned char kEngines[] = {'1', '\n', 'E', '\n'};
const unsigned char kStartPage[] = {'<', 'p', '>'};
const DefaultFile kDefaults[] = {{"engines.dat", kEngines, sizeof kEngines},
                                 {"index.htm", kStartPage, sizeof kStartPage}};

TEST(ResolveProgramFolder, WhicheverFolderIsChosenGetsTheBuiltInFilesItLacks) {
  TempFolder root;
  root.Write("home/index.htm", "my own start page");
  ProgramFolderInputs inputs;
  inputs.executableFolder = root.path() / "lone-binary";
  inputs.userDataFolder = root.path() / "data" / "sorvane";
  inputs.builtInDefaults = kDefaults;

  // A binary copied on its own: the new per-user folder, no installed defaults.
  ASSERT_EQ(ResolveProgramFolder(inputs), inputs.userDataFolder);
  EXPECT_EQ(root.Read("data/sorvane/engines.dat"), "1\nE\n");
  EXPECT_EQ(root.Read("data/sorvane/index.htm"), "<p>");

  // --home on a folder of one's own: what is missing comes, the rest stays.
  inputs.homeOption = root.path() / "home";
  ASSERT_EQ(ResolveProgramFolder(inputs), root.path() / "home");
  EXPECT_EQ(root.Read("home/engines.dat"), "1\nE\n");
  EXPECT_EQ(root.Read("home/index.htm"), "my own start page");

  // A folder named that is not there yet is made, and filled the same way.
  inputs.homeOption = root.path() / "new" / "folder";
  EXPECT_EQ(ResolveProgramFolder(inputs), root.path() / "new" / "folder");
  EXPECT_EQ(root.Read("new/folder/index.htm"), "<p>");

  // A file where the folder should be stays a file.
  root.Write("a-file", "text");
  inputs.homeOption = root.path() / "a-file";
  EXPECT_EQ(ResolveProgramFolder(inputs), root.path() / "a-file");
  EXPECT_EQ(root.Read("a-file"), "text");
}

TEST(BuiltInDefaultFiles, AreTheFilesOfTheDataFolderByteForByte) {
  std::vector<std::string> names;
  for (const DefaultFile& file : BuiltInDefaultFiles()) {
    names.emplace_back(file.name);
    const auto onDisk = ReadWholeFile(std::filesystem::path(SORVANE_DATA_DIR) / std::string(file.name));
    ASSERT_TRUE(onDisk.has_value()) << file.name;
    EXPECT_EQ(*onDisk, std::string(reinterpret_cast<const char*>(file.data), file.size)) << file.name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"banner0.jpg", "banner1.jpg", "categories.dat", "engines.dat",
                                             "index.htm"}));
}

}  // namespace
}  // namespace sorvane
