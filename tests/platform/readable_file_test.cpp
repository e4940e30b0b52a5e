// Opening and reading files the way the folder scan does.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/readable_file.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

std::string ReadAll(ReadableFile& file, std::size_t piece) {
  std::string contents;
  std::string buffer(piece, '\0');
  for (;;) {
    const std::size_t got = file.Read(reinterpret_cast<unsigned char*>(buffer.data()), piece);
    contents.append(buffer, 0, got);
    if (got < piece) return contents;
  }
}

TEST(ReadableFile, ReadsEveryByteInPiecesOfAnySize) {
  TempFolder folder;
  for (std::size_t size : {0u, 1u, 4095u, 131072u, 131073u, 400000u}) {
    std::string contents(size, 'a');
    for (std::size_t i = 0; i < size; ++i) contents[i] = static_cast<char>(i * 7 % 251);
    const std::string path = folder.Write("f" + std::to_string(size), contents).string();
    for (std::size_t piece : {256u, 131072u}) {
      ReadableFile file;
      ASSERT_TRUE(file.Open(-1, path, false));
      EXPECT_EQ(ReadAll(file, piece), contents) << size << " in pieces of " << piece;
    }
  }
}

TEST(ReadableFile, AFileThatReportsNoSizeIsReadToItsEnd) {
  ReadableFile file;
  if (!file.Open(-1, "/proc/self/status", false)) GTEST_SKIP() << "no /proc here";
  EXPECT_EQ(file.Size(), 0u);
  const std::string contents = ReadAll(file, 64);
  EXPECT_GT(contents.size(), 64u);
  EXPECT_EQ(contents.back(), '\n');
}

TEST(ReadableFile, OnlyRegularFilesOpenAndLinksOnlyWhenAllowed) {
  TempFolder folder;
  const std::filesystem::path file = folder.Write("file.txt", "text");
  std::filesystem::create_symlink(file, folder.path() / "link");
  std::filesystem::create_directory_symlink(folder.path(), folder.path() / "folder-link");
  ASSERT_EQ(::mkfifo((folder.path() / "pipe").c_str(), 0600), 0);

  ReadableFile reader;
  EXPECT_TRUE(reader.Open(-1, file.string(), false));
  EXPECT_TRUE(reader.Open(-1, (folder.path() / "link").string(), true));
  EXPECT_EQ(ReadAll(reader, 256), "text");
  EXPECT_FALSE(reader.Open(-1, (folder.path() / "folder-link").string(), true));
  EXPECT_FALSE(reader.Open(-1, folder.path().string(), false));
  // Would wait for a writer without O_NONBLOCK.
  EXPECT_FALSE(reader.Open(-1, (folder.path() / "pipe").string(), false));
  EXPECT_FALSE(reader.Open(-1, (folder.path() / "pipe").string(), true));
  EXPECT_FALSE(reader.Open(-1, (folder.path() / "missing").string(), true));
}

TEST(ReadableFile, AFileOfAnotherUserOpensWithItsAccessTimeLeftToTheSystem) {
  TempFolder folder;
  const std::string mine = folder.Write("mine.txt", "text").string();
  ReadableFile file;
  ASSERT_TRUE(file.Open(-1, mine, false));
  EXPECT_FALSE(file.AccessTimeRefused());

  struct stat info {};
  const char* const others = "/etc/passwd";
  if (::geteuid() == 0 || ::stat(others, &info) != 0 || info.st_uid == ::geteuid()) {
    GTEST_SKIP() << "needs a readable file of another user, and not to be root";
  }
  ASSERT_TRUE(file.Open(-1, others, false));
  EXPECT_TRUE(file.AccessTimeRefused());
  ASSERT_TRUE(file.Open(-1, others, false, false));
  EXPECT_FALSE(file.AccessTimeRefused());
  EXPECT_FALSE(ReadAll(file, 4096).empty());
}

}  // namespace
}  // namespace sorvane
