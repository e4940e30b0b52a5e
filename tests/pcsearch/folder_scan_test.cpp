// The folder scan on trees generated in temporary folders: what it reads, in
// which order, and the rows it makes.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/hit_merge.h"
#include "core/relevance.h"
#include "pcsearch/folder_scan.h"
#include "pcsearch/plain_block_search.h"
#include "pcsearch/scan_test_support.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using namespace sorvane::testing;

TEST(FolderScan, RowCellsFollowTheReadingRule) {
  TempFolder root;
  const std::string dir = root.path().string();
  // The phrase starts at byte 250 and ends at byte 261: the second block's window
  // begins with the first window's last (length - 1) characters, "....WOODEN".
  root.Write("straddle.txt", Padding(250) + "WOODEN boats" + Padding(100, '-'));
  // A zero byte cuts the block before the phrase.
  root.Write("after-zero.txt", std::string("abc") + '\0' + "wooden boats" + Padding(80));
  // Control bytes between the letters are dropped before the comparison.
  root.Write("controls.txt", std::string("xx wooden\x07 bo\x01\x1f" "ats\x7f\xe9 yy"));
  // Twice in one window: one row, ranked for both (2 x 10, and 2 x 2 for "wooden").
  root.Write("twice.txt", "wooden boats and Wooden Boats");
  root.Write("none.txt", "wooden\nboats");

  const ScanOutcome outcome = Scan({dir}, "Wooden Boats", false);
  EXPECT_EQ(outcome.end, ScanEnd::Completed);
  EXPECT_EQ(outcome.doneCalls, 1);
  ASSERT_EQ(outcome.rows.size(), 3u);

  auto row = [&](const std::string& name) -> SearchHit {
    for (const SearchHit& hit : outcome.rows) {
      if (hit.url == dir + "/" + name) return hit;
    }
    ADD_FAILURE() << "no row for " << name;
    return {};
  };
  EXPECT_EQ(row("straddle.txt").description, Padding(5) + "WOODEN boats" + Padding(100, '-'));
  EXPECT_EQ(row("controls.txt").description, "xx wooden boats yy");
  EXPECT_EQ(row("twice.txt").description, "wooden boats and Wooden Boats");
  EXPECT_EQ(row("twice.txt").rank, 24);
  for (const SearchHit& hit : outcome.rows) {
    EXPECT_EQ(hit.rank, ScoreRelevance(hit.description, "Wooden Boats"));
    EXPECT_EQ(hit.hits, 1);
    EXPECT_EQ(hit.engine, "Sorvane");
  }
}

TEST(FolderScan, StraddlingWindowIsTheCarriedTailAndTheNextBlock) {
  TempFolder root;
  // Block one ends in "...WOODEN b" (bytes 245-255), block two holds "oats" and
  // then 100 dashes; the window is block one's last 11 characters and block two.
  const std::string first = Padding(245) + "WOODEN b";
  ASSERT_EQ(first.size(), 253u);
  const std::string contents = Padding(3, '#') + first + "oats" + Padding(100, '-');
  root.Write("f.txt", contents);
  const ScanOutcome outcome = Scan({root.path().string()}, "wooden boats", false);
  ASSERT_EQ(outcome.rows.size(), 1u);
  EXPECT_EQ(outcome.rows[0].description, contents.substr(256 - 11));
}

TEST(FolderScan, EqualRanksKeepTheOrderInWhichFilesWereRead) {
  TempFolder root;
  for (int i = 0; i < 12; ++i) {
    const std::string name = "f" + std::to_string(i * 7 % 12) + ".txt";
    root.Write(name, i % 3 == 0 ? "tar, tar" : "some tar");
  }
  const ScanOutcome outcome = Scan({root.path().string()}, "tar", false);
  ASSERT_EQ(outcome.rows.size(), 12u);
  // Expected: the rank-20 files, then the rank-10 files, each in reading order.
  std::vector<std::string> expected;
  for (int rank : {20, 10}) {
    for (const std::string& path : outcome.visited) {
      if (ScoreRelevance(root.Read(fs::path(path).filename().string()), "tar") == rank)
        expected.push_back(path);
    }
  }
  EXPECT_EQ(Urls(outcome.rows), expected);
}

TEST(FolderScan, VisitsEveryEntryOnceDepthFirstInListingOrder) {
  TempFolder root;
  // Folders whose last entries are subfolders, three levels deep.
  for (const char* name : {"a.txt", "b/b1.txt", "b/c/c1.txt", "b/c/d/d1.txt", "b/c/d/d2.txt",
                           "b/e/e1.txt", "f/g/h/i/deep.txt", "z.txt", "y/x.txt"}) {
    root.Write(name, "tar");
  }
  fs::create_directories(root.path() / "empty" / "deeper");

  const ScanOutcome flat = Scan({root.path().string()}, "tar", false);
  EXPECT_EQ(flat.visited, ListingOrder(root, false));
  EXPECT_EQ(flat.rows.size(), 2u);

  const ScanOutcome deep = Scan({root.path().string()}, "tar", true);
  const std::vector<std::string> expected = ListingOrder(root, true);
  EXPECT_EQ(deep.visited, expected);
  EXPECT_EQ(deep.rows.size(), 9u);
  EXPECT_EQ(std::set<std::string>(deep.visited.begin(), deep.visited.end()).size(), 9u);
  // Equal ranks: the rows stand in reading order too.
  EXPECT_EQ(Urls(deep.rows), expected);
}

// A folder typed or stored with its trailing "/" gives the same paths as one
// without: a doubled "/" would make the same file a second, different link.
TEST(FolderScan, AFolderGivenWithATrailingSlashGivesPathsWithOneSlash) {
  TempFolder root;
  for (const char* name : {"a.txt", "sub/b.txt", "sub/deeper/c.txt"}) root.Write(name, "tar");
  const std::string dir = root.path().string();
  const ScanOutcome plain = Scan({dir}, "tar", true);
  const ScanOutcome slashed = Scan({dir + "/"}, "tar", true);
  const std::vector<std::string> expected = {dir + "/a.txt", dir + "/sub/b.txt", dir + "/sub/deeper/c.txt"};
  std::vector<std::string> urls = Urls(slashed.rows);
  std::sort(urls.begin(), urls.end());
  EXPECT_EQ(urls, expected);
  EXPECT_EQ(Urls(slashed.rows), Urls(plain.rows));
  EXPECT_EQ(slashed.visited, plain.visited);
  for (const std::string& path : slashed.visited) EXPECT_EQ(path.find("//"), std::string::npos) << path;
}

TEST(FolderScan, FoldersThatCannotBeListedArePassedOver) {
  TempFolder root;
  root.Write("first/one.txt", "tar");
  root.Write("last/two.txt", "tar");
  const std::string missing = (root.path() / "missing").string();
  const ScanOutcome outcome = Scan(
      {missing, (root.path() / "first").string(), missing, (root.path() / "last").string()},
      "tar", true);
  EXPECT_EQ(outcome.end, ScanEnd::Completed);
  EXPECT_EQ(outcome.rows.size(), 2u);

  if (::geteuid() == 0) GTEST_SKIP() << "root lists folders whatever their permissions";
  root.Write("open/locked/hidden.txt", "tar");
  root.Write("open/seen.txt", "tar");
  root.Write("locked/hidden.txt", "tar");
  fs::permissions(root.path() / "open" / "locked", fs::perms::none);
  fs::permissions(root.path() / "locked", fs::perms::none);
  const ScanOutcome locked = Scan(
      {(root.path() / "locked").string(), (root.path() / "open").string()}, "tar", true);
  EXPECT_EQ(locked.end, ScanEnd::Completed);
  EXPECT_EQ(Urls(locked.rows), std::vector<std::string>{(root.path() / "open" / "seen.txt").string()});
  fs::permissions(root.path() / "open" / "locked", fs::perms::owner_all);
  fs::permissions(root.path() / "locked", fs::perms::owner_all);
}

TEST(FolderScan, LinksToFilesAreFollowedLinksToFoldersAndOddEntriesAreNot) {
  TempFolder outside;
  outside.Write("target.txt", "a link leads here: tar");
  outside.Write("linked-folder/inside.txt", "tar");
  TempFolder root;
  root.Write("sub/real.txt", "tar");
  fs::create_symlink(outside.path() / "target.txt", root.path() / "alias.txt");
  fs::create_symlink(outside.path() / "linked-folder", root.path() / "folder-link");
  fs::create_directory_symlink(root.path(), root.path() / "sub" / "loop");
  fs::create_symlink(root.path() / "nowhere.txt", root.path() / "dangling.txt");
  ASSERT_EQ(::mkfifo((root.path() / "pipe").c_str(), 0600), 0);
  fs::create_symlink(root.path() / "pipe", root.path() / "pipe-link");

  for (int readers : {0, 2}) {
    const ScanOutcome outcome = Scan({root.path().string()}, "tar", true, readers);
    EXPECT_EQ(outcome.end, ScanEnd::Completed);
    std::vector<std::string> urls = Urls(outcome.rows);
    std::sort(urls.begin(), urls.end());
    EXPECT_EQ(urls, (std::vector<std::string>{(root.path() / "alias.txt").string(),
                                              (root.path() / "sub" / "real.txt").string()}))
        << "readers " << readers;
    // Every entry that is not a folder is shown, the links to folders included,
    // and none of them is entered.
    EXPECT_EQ(outcome.visited, ListingOrder(root, true));
  }
}

// All-drives mode scans each mount point on its own, so the walk of one stops
// where another file system is mounted inside it. Mounting needs privileges;
// without them the test is skipped.
TEST(FolderScan, AWalkThatStaysOnItsFileSystemDoesNotEnterAnotherMount) {
  TempFolder root;
  root.Write("here.txt", "tar");
  root.Write("sub/also-here.txt", "tar");
  const fs::path mountPoint = root.path() / "mounted";
  fs::create_directories(mountPoint);
  if (::geteuid() != 0 ||
      ::mount("sorvane-test", mountPoint.c_str(), "tmpfs", 0, "size=1m") != 0) {
    GTEST_SKIP() << "cannot mount a file system here";
  }
  root.Write("mounted/elsewhere.txt", "tar");

  for (bool stay : {true, false}) {
    ScanRequest request;
    request.folders = {root.path().string()};
    request.phrase = "tar";
    request.recurse = true;
    request.stayOnFileSystem = stay;
    ResultsTable table;
    RecordingScanListener listener;
    ScanControl control;
    ScanFolders(request, table, listener, control);
    std::vector<std::string> urls = Urls(table.Snapshot());
    std::sort(urls.begin(), urls.end());
    std::vector<std::string> expected = {(root.path() / "here.txt").string(),
                                         (root.path() / "sub" / "also-here.txt").string()};
    if (!stay) expected.push_back((mountPoint / "elsewhere.txt").string());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(urls, expected) << (stay ? "staying" : "crossing");
  }
  ::umount2(mountPoint.c_str(), MNT_DETACH);
}

TEST(FolderScan, AFileReachedTwiceCountsOnItsRow) {
  TempFolder root;
  root.Write("top.txt", "tar");
  root.Write("sub/inner.txt", "tar and tar");
  const std::string sub = (root.path() / "sub").string();
  for (int readers : {0, 2}) {
    const ScanOutcome outcome = Scan({root.path().string(), sub}, "tar", true, readers);
    ASSERT_EQ(outcome.rows.size(), 2u);
    EXPECT_EQ(outcome.rows[0].url, sub + "/inner.txt");
    EXPECT_EQ(outcome.rows[0].hits, 2);
    EXPECT_EQ(outcome.rows[1].hits, 1);
  }
  // Without recursion, a folder listed twice.
  const ScanOutcome twice = Scan({sub, sub}, "tar", false);
  ASSERT_EQ(twice.rows.size(), 1u);
  EXPECT_EQ(twice.rows[0].hits, 2);
}

TEST(FolderScan, AnEmptyPhraseIsRefusedBeforeAnythingIsRead) {
  TempFolder root;
  root.Write("a.txt", "anything");
  const ScanOutcome outcome = Scan({root.path().string()}, "", true);
  EXPECT_EQ(outcome.end, ScanEnd::Refused);
  EXPECT_TRUE(outcome.visited.empty());
  EXPECT_TRUE(outcome.rows.empty());
  EXPECT_EQ(outcome.doneCalls, 0);
}

// Random files around every block edge: the scan's rows, with one reader or
// with reader threads, are the rows the plain 256-byte reading of each file
// would make in the same order.
TEST(FolderScan, ReaderThreadsAndThePlainReadingGiveTheSameTable) {
  TempFolder root;
  std::mt19937 random(20261208);
  const std::string phrase = "Sea Chest";
  const std::string noise = "abcdefghijklmnopqrstuvwxyz SEA chest\n\t\x01\x7f\xe9";
  for (int i = 0; i < 160; ++i) {
    const std::size_t size =
        i % 10 == 0 ? 300000 + random() % 5000 : random() % 3000;
    std::string contents(size, ' ');
    for (char& c : contents) c = noise[random() % noise.size()];
    if (i % 4 == 0) {
      for (std::size_t at = 0; at < size; at += 256 + random() % 600) contents[at] = '\0';
    }
    if (i % 3 != 0 && size > phrase.size()) {
      const std::size_t block = random() % (size / 256 + 1);
      std::size_t at = block * 256 + 256 - random() % phrase.size() - 1;
      if (random() % 2) at = random() % (size - phrase.size());
      at = std::min(at, size - phrase.size());
      contents.replace(at, phrase.size(), i % 2 ? "sea chest" : "SEA CHEST");
    }
    root.Write("d" + std::to_string(i % 7) + "/f" + std::to_string(i), contents);
  }

  const ScanOutcome single = Scan({root.path().string()}, phrase, true, 0);
  const ScanOutcome threaded = Scan({root.path().string()}, phrase, true, 2);
  EXPECT_EQ(threaded.rows, single.rows);
  EXPECT_EQ(threaded.visited, single.visited);

  ResultsTable reference;
  for (const std::string& path : single.visited) {
    const std::optional<std::string> window = SearchFilePlain(path, phrase);
    if (window) MergeHit(reference, *window, path, ScoreRelevance(*window, phrase), "Sorvane");
  }
  const std::vector<SearchHit> plain = reference.Snapshot();
  EXPECT_GT(plain.size(), 40u);
  EXPECT_EQ(single.rows, plain);
}


}  // namespace
}  // namespace sorvane
