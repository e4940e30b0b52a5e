// Folder trees no one would make on purpose, scanned for real: link loops and
// links into devices, FIFOs and sockets, folders and files the user may not
// read, names with line breaks and bytes that are not UTF-8, and a tree 10,000
// folders deep, far past the longest path the system opens. The scan always
// ends, by itself or at Stop, and finds what it may read.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "core/category.h"
#include "pcsearch/folder_scan.h"
#include "pcsearch/scan_test_support.h"
#include "results/saved_search.h"
#include "hostile/memory_folder.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using namespace sorvane::testing;

constexpr const char* kPhrase = "harbour lantern";

std::vector<std::string> SortedUrls(const std::vector<SearchHit>& rows) {
  std::vector<std::string> urls = Urls(rows);
  std::sort(urls.begin(), urls.end());
  return urls;
}

// The scan on a thread of its own, so a scan that blocks fails the test rather
// than hanging it: `unblock` then gets the chance to free it before the join.
ScanOutcome ScanWithin(std::chrono::seconds limit, std::vector<std::string> folders, int readers,
                       const std::function<void()>& unblock = [] {}) {
  std::future<ScanOutcome> running = std::async(std::launch::async, [&] {
    return Scan(folders, kPhrase, true, readers);
  });
  if (running.wait_for(limit) != std::future_status::ready) {
    ADD_FAILURE() << "the scan did not end within " << limit.count() << " s";
    unblock();
  }
  return running.get();
}

TEST(HostileFolderTree, LinkLoopsLinkChainsAndLinksIntoDevicesEnd) {
  TempFolder root;
  const fs::path& top = root.path();
  root.Write("a/found.txt", std::string("one ") + kPhrase);
  root.Write("a/b/deeper.txt", std::string("two ") + kPhrase);
  fs::create_directory_symlink("..", top / "a" / "b" / "up");
  fs::create_directory_symlink(".", top / "a" / "self");
  fs::create_directory_symlink("/", top / "a" / "root");
  fs::create_symlink("chain2", top / "chain1");  // a chain that never ends: ELOOP
  fs::create_symlink("chain1", top / "chain2");
  fs::create_symlink("/dev/zero", top / "zero.txt");  // endless bytes
  fs::create_symlink("/dev/urandom", top / "random.txt");
  fs::create_symlink("/dev/tty", top / "tty.txt");
  fs::create_symlink("a/found.txt", top / "alias.txt");

  for (const int readers : {0, 2}) {
    const ScanOutcome outcome = ScanWithin(std::chrono::seconds(20), {top.string()}, readers);
    EXPECT_EQ(outcome.end, ScanEnd::Completed);
    EXPECT_EQ(SortedUrls(outcome.rows),
              (std::vector<std::string>{(top / "a/b/deeper.txt").string(), (top / "a/found.txt").string(),
                                        (top / "alias.txt").string()}))
        << "readers " << readers;
    for (const SearchHit& row : outcome.rows) EXPECT_EQ(row.hits, 1) << row.url;
  }
  // The folders the user names may be links, and may be loops themselves.
  const ScanOutcome named = ScanWithin(std::chrono::seconds(20),
                                       {(top / "chain1").string(), (top / "a/self").string(),
                                        (top / "zero.txt").string()},
                                       0);
  EXPECT_EQ(named.end, ScanEnd::Completed);
  EXPECT_EQ(SortedUrls(named.rows), (std::vector<std::string>{(top / "a/self/b/deeper.txt").string(),
                                                              (top / "a/self/found.txt").string()}));
}

TEST(HostileFolderTree, FifosAndSocketsAreShownButNeverOpened) {
  TempFolder root;
  const fs::path& top = root.path();
  root.Write("plain.txt", kPhrase);
  ASSERT_EQ(::mkfifo((top / "pipe.txt").c_str(), 0666), 0);
  fs::create_symlink("pipe.txt", top / "pipe-link.txt");
  const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listening, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = (top / "socket.txt").string();
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
  ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listening, 1), 0);
  fs::create_symlink("socket.txt", top / "socket-link.txt");

  // Should a reader open the FIFO, a writer that sends the phrase frees it and
  // the stray row shows the fault.
  const auto unblock = [&] {
    const int writer = ::open((top / "pipe.txt").c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) {
      (void)!::write(writer, kPhrase, 15);
      ::close(writer);
    }
  };
  for (const int readers : {0, 2}) {
    const ScanOutcome outcome = ScanWithin(std::chrono::seconds(20), {top.string()}, readers, unblock);
    EXPECT_EQ(outcome.end, ScanEnd::Completed);
    EXPECT_EQ(SortedUrls(outcome.rows), std::vector<std::string>{(top / "plain.txt").string()});
    EXPECT_EQ(outcome.visited.size(), 5u) << "every entry is shown";
  }
  // Named as the folders to scan, they are no folders.
  const ScanOutcome named = ScanWithin(std::chrono::seconds(20),
                                       {(top / "pipe.txt").string(), socketPath, (top / "pipe-link.txt").string()},
                                       0, unblock);
  EXPECT_EQ(named.end, ScanEnd::Completed);
  EXPECT_TRUE(named.rows.empty());
  ::close(listening);
}

// Runs `scan` as a user other than root where the test runs as root (root reads
// every folder whatever its permissions), in a child process; gives back what
// it printed, or "child failed".
std::string RunAsOrdinaryUser(const std::function<std::string()>& scan) {
  if (::geteuid() != 0) return scan();
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return "child failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    const gid_t nobodyGroup = 65534;
    const uid_t nobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setresgid(nobodyGroup, nobodyGroup, nobodyGroup) != 0 ||
        ::setresuid(nobody, nobody, nobody) != 0) {
      ::_exit(2);
    }
    const std::string result = scan();
    const bool ok = ::write(pipeEnds[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
    ::_exit(ok ? 0 : 3);
  }
  ::close(pipeEnds[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, got);
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "child failed";
}

TEST(HostileFolderTree, FoldersAndFilesThatMayNotBeReadArePassedOver) {
  TempFolder root;
  const fs::path& top = root.path();
  root.Write("readable.txt", kPhrase);
  root.Write("closed/inside.txt", kPhrase);           // no permission at all
  root.Write("list-only/inside.txt", kPhrase);        // may list, may not enter
  root.Write("enter-only/inside.txt", kPhrase);       // may enter, may not list
  root.Write("secret.txt", kPhrase);                  // a file that may not be read
  root.Write("open/unreadable-inside.txt", kPhrase);
  fs::permissions(top / "closed", fs::perms::none);
  fs::permissions(top / "list-only", fs::perms::owner_read | fs::perms::others_read | fs::perms::group_read);
  fs::permissions(top / "enter-only", fs::perms::owner_exec | fs::perms::others_exec | fs::perms::group_exec);
  fs::permissions(top / "secret.txt", fs::perms::none);
  fs::permissions(top / "open/unreadable-inside.txt", fs::perms::none);

  for (const int readers : {0, 2}) {
    const std::string found = RunAsOrdinaryUser([&] {
      const ScanOutcome outcome = Scan({top.string(), (top / "closed").string()}, kPhrase, true, readers);
      std::string text = outcome.end == ScanEnd::Completed ? "completed" : "not completed";
      for (const std::string& url : SortedUrls(outcome.rows)) text += "\n" + url;
      return text;
    });
    EXPECT_EQ(found, "completed\n" + (top / "readable.txt").string()) << "readers " << readers;
  }
  for (const char* folder : {"closed", "list-only", "enter-only"}) fs::permissions(top / folder, fs::perms::owner_all);
}

TEST(HostileFolderTree, NamesWithLineBreaksAndBytesThatAreNotUtf8) {
  TempFolder root;
  const fs::path& top = root.path();
  const std::vector<std::string> names = {"line\nbreak.txt", "\xff\xfe latin.txt", "tab\there\r.txt",
                                          "\x01\x1f\x7f control.txt", "\xc3\x28 bad pair/inside.txt",
                                          " leading and trailing .txt "};
  std::vector<std::string> expected;
  for (const std::string& name : names) {
    root.Write(name, std::string("text ") + kPhrase);
    expected.push_back((top / name).string());
  }
  std::sort(expected.begin(), expected.end());

  const ScanOutcome outcome = ScanWithin(std::chrono::seconds(20), {top.string()}, 2);
  EXPECT_EQ(outcome.end, ScanEnd::Completed);
  EXPECT_EQ(SortedUrls(outcome.rows), expected) << "each path exactly as the file system gave it";

  // Saved and loaded, each row stays one row: a line break in a name reads
  // back as a space, every other byte as it was.
  std::vector<RowCells> rows;
  for (const SearchHit& hit : outcome.rows)
    rows.push_back(RowCells{{hit.description, hit.url, std::to_string(hit.rank), "1", hit.engine}, false});
  const std::string words = "names\nwith \xff bytes";
  ASSERT_TRUE(SaveSearch(top, words, rows, kMyPcRow));
  ResultsTable table;
  ASSERT_EQ(LoadSavedSearch(top, words, table), kMyPcRow);
  const std::vector<RowCells> loaded = TakeRowCells(table);
  ASSERT_EQ(loaded.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::string url = rows[i].url();
    std::replace(url.begin(), url.end(), '\n', ' ');
    std::replace(url.begin(), url.end(), '\r', ' ');
    // A trailing blank is white space the reader cuts.
    while (!url.empty() && url.back() == ' ') url.pop_back();
    EXPECT_EQ(loaded[i].url(), url);
    EXPECT_EQ(loaded[i].engine(), kPcSearchEngineName);
  }
  const std::vector<std::string> titles = ListSavedSearches(top);
  EXPECT_EQ(titles, std::vector<std::string>{words});
}

// A chain of folders named "d", `depth` deep, made and removed with calls
// relative to an open folder, since the full path is longer than any path the
// system accepts; `hit.txt` holds the phrase at the chosen depths.
class DeepTree {
 public:
  DeepTree(const fs::path& top, int depth, const std::vector<int>& hitDepths) : top_(top), depth_(depth) {
    int folder = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 1; level <= depth && folder >= 0; ++level) {
      if (::mkdirat(folder, "d", 0755) != 0) ADD_FAILURE() << "mkdirat at level " << level;
      const int child = ::openat(folder, "d", O_RDONLY | O_DIRECTORY);
      ::close(folder);
      folder = child;
      if (std::find(hitDepths.begin(), hitDepths.end(), level) != hitDepths.end()) {
        const int file = ::openat(folder, "hit.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        (void)!::write(file, kPhrase, 15);
        ::close(file);
      }
    }
    if (folder >= 0) ::close(folder);
  }
  ~DeepTree() {
    // Down to the bottom, then up through "..", removing each level on the way.
    int folder = ::open(top_.c_str(), O_RDONLY | O_DIRECTORY);
    int level = 0;
    while (level < depth_) {
      const int child = ::openat(folder, "d", O_RDONLY | O_DIRECTORY);
      if (child < 0) break;
      ::close(folder);
      folder = child;
      ++level;
    }
    for (; level > 0; --level) {
      ::unlinkat(folder, "hit.txt", 0);
      const int parent = ::openat(folder, "..", O_RDONLY | O_DIRECTORY);
      ::close(folder);
      folder = parent;
      ::unlinkat(folder, "d", AT_REMOVEDIR);
    }
    ::close(folder);
  }

  // The full path of hit.txt at `level`.
  std::string HitPath(int level) const {
    std::string path = top_.string();
    for (int i = 0; i < level; ++i) path += "/d";
    return path + "/hit.txt";
  }

 private:
  fs::path top_;
  int depth_;
};

TEST(HostileFolderTree, TenThousandFoldersDeep) {
  // Making and removing 10,000 folders on a disk with discard costs most of a
  // minute; in memory it takes a second.
  MemoryFolder root;
  const std::vector<int> hitDepths = {1, 127, 128, 129, 1000, 1500, 3000, 9999, 10000};
  const DeepTree tree(root.path(), 10000, hitDepths);

  for (const int readers : {0, 2}) {
    const ScanOutcome outcome = ScanWithin(std::chrono::seconds(60), {root.path().string()}, readers);
    EXPECT_EQ(outcome.end, ScanEnd::Completed);
    const std::vector<std::string> urls = Urls(outcome.rows);
    // Every file whose path the system can open is found; one that lies
    // deeper may be passed over, but nothing else comes in its place.
    for (const int level : hitDepths) {
      const std::string path = tree.HitPath(level);
      const bool found = std::find(urls.begin(), urls.end(), path) != urls.end();
      if (path.size() < PATH_MAX) {
        EXPECT_TRUE(found) << "level " << level << ", readers " << readers;
      }
    }
    for (const std::string& url : urls) {
      EXPECT_NE(std::find_if(hitDepths.begin(), hitDepths.end(), [&](int level) { return tree.HitPath(level) == url; }),
                hitDepths.end());
    }
  }

  // Stop while deep inside: the scan ends before its next entry, and keeps the
  // rows of the files it read.
  ScanRequest request;
  request.folders = {root.path().string()};
  request.phrase = kPhrase;
  request.recurse = true;
  ResultsTable table;
  RecordingScanListener listener;
  ScanControl control;
  std::size_t shownAtStop = 0;
  listener.onProgress = [&](std::size_t shown) {
    if (shownAtStop == 0 && listener.progress.back().size() > 2000) {
      control.RequestStop();
      shownAtStop = shown;
    }
  };
  EXPECT_EQ(ScanFolders(request, table, listener, control), ScanEnd::Stopped);
  EXPECT_EQ(listener.doneCalls, 1);
  ASSERT_GT(shownAtStop, 0u);
  EXPECT_EQ(listener.progress.size(), shownAtStop) << "nothing shown after the stop";
  const std::vector<std::string> shown = listener.Paths();
  for (const std::string& url : Urls(table.Snapshot()))
    EXPECT_NE(std::find(shown.begin(), shown.end(), url), shown.end()) << url;
}

}  // namespace
}  // namespace sorvane
