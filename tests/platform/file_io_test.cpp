#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

std::size_t FileCount(const std::filesystem::path& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(WriteFileAtomically, ReplacesTheFileAndKeepsItsPermissions) {
  TempFolder folder;
  const auto file = folder.Write("engines.dat", "old");
  ::chmod(file.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(file, std::string("new\0bytes", 9)));
  EXPECT_EQ(ReadWholeFile(file), std::string("new\0bytes", 9));
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(FileCount(folder.path()), 1u) << "no temporary file is left behind";
}

// A new file gets the mode an ordinary create would give it, and finding the
// process's mask must leave that mask as it was.
TEST(WriteFileAtomically, ANewFileFollowsTheProcessMask) {
  TempFolder folder;
  const mode_t previous = ::umask(027);
  const bool written = WriteFileAtomically(folder.path() / "new.svq", "rows");
  const mode_t after = ::umask(previous);
  ASSERT_TRUE(written);
  EXPECT_EQ(after, 027u);
  struct stat info {};
  ASSERT_EQ(::stat((folder.path() / "new.svq").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(WriteFileAtomically, FailureLeavesWhatWasThereAndNoTemporaryFile) {
  TempFolder folder;
  // A folder where the file should be: the rename over it fails after the write.
  std::filesystem::create_directories(folder.path() / "engines.dat" / "inside");
  EXPECT_FALSE(WriteFileAtomically(folder.path() / "engines.dat", "new"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "engines.dat" / "inside"));
  EXPECT_EQ(FileCount(folder.path()), 1u);

  EXPECT_FALSE(WriteFileAtomically(folder.path() / "missing" / "file", "x"));
}

TEST(CreateFileAtomically, WritesANewFileButNeverReplacesOne) {
  TempFolder folder;
  ASSERT_TRUE(CreateFileAtomically(folder.path() / "index.htm", "start page"));
  EXPECT_EQ(folder.Read("index.htm"), "start page");

  // Whatever is there stays: the file just written, an empty one, a link to
  // nowhere.
  EXPECT_FALSE(CreateFileAtomically(folder.path() / "index.htm", "other"));
  EXPECT_EQ(folder.Read("index.htm"), "start page");
  folder.Write("engines.dat", "");
  EXPECT_FALSE(CreateFileAtomically(folder.path() / "engines.dat", "defaults"));
  EXPECT_EQ(folder.Read("engines.dat"), "");
  std::filesystem::create_symlink(folder.path() / "gone", folder.path() / "banner0.jpg");
  EXPECT_FALSE(CreateFileAtomically(folder.path() / "banner0.jpg", "picture"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "gone"));
  EXPECT_EQ(FileCount(folder.path()), 3u) << "no temporary file is left behind";
}

TEST(ReadWholeFile, MissingFilesAndFoldersReadAsNothing) {
  TempFolder folder;
  EXPECT_FALSE(ReadWholeFile(folder.path() / "none").has_value());
  EXPECT_FALSE(ReadWholeFile(folder.path()).has_value());
  folder.Write("empty", "");
  EXPECT_EQ(ReadWholeFile(folder.path() / "empty"), "");
}

}  // namespace
}  // namespace sorvane
