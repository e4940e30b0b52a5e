// Saving the store and a search onto a disk that fills up while the file is
// written: the save reports failure, the old file stays whole and no temporary
// file is left behind. A small tmpfs is mounted where the process may mount
// (in a mount namespace of its own, so nothing outlives the test); the file
// size limit stands in for a full disk everywhere else.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "core/engine_store.h"
#include "platform/file_io.h"
#include "results/saved_search.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

constexpr std::size_t kDiskBytes = 256 * 1024;
constexpr std::size_t kPage = 4096;

// A tmpfs of kDiskBytes on `folder`, or nothing where mounting is not allowed.
class SmallDisk {
 public:
  static std::unique_ptr<SmallDisk> Mount(const fs::path& folder) {
    // A private mount namespace keeps the mount from the rest of the machine
    // and ends it with the process; without one the mount is undone below.
    if (::unshare(CLONE_NEWNS) == 0) ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    fs::create_directories(folder);
    const std::string options = "size=" + std::to_string(kDiskBytes) + ",mode=0755";
    if (::mount("sorvane-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
      return nullptr;
    }
    return std::unique_ptr<SmallDisk>(new SmallDisk(folder));
  }
  ~SmallDisk() { ::umount2(folder_.c_str(), MNT_DETACH); }

  // Fills the disk to the last byte, then gives back `freeBytes` (rounded down to
  // whole pages, the file system's unit).
  void LeaveFree(std::size_t freeBytes) {
    const fs::path filler = folder_ / "filler";
    ::unlink(filler.c_str());
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const std::string chunk(kPage, 'f');
    std::size_t written = 0;
    for (;;) {
      const ssize_t n = ::write(fd, chunk.data(), chunk.size());
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    const std::size_t keep = written > freeBytes ? (written - freeBytes) / kPage * kPage : 0;
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(keep)), 0);
    ::close(fd);
  }
  void Empty() { ::unlink((folder_ / "filler").c_str()); }

 private:
  explicit SmallDisk(fs::path folder) : folder_(std::move(folder)) {}
  fs::path folder_;
};

// Bigger than the free space left in every case below: 40 engines with long texts.
EngineList ManyEngines(const std::string& mark) {
  EngineList engines;
  for (int i = 0; i < 40; ++i) {
    SearchEngine engine;
    engine.name = mark + " engine " + std::to_string(i);
    engine.startToken = "<a class=\"result\" href=\"http" + std::string(300, 't');
    engine.endToken = "</a>";
    engine.url = "http://engine" + std::to_string(i) + ".example/";
    engine.searchType = i % 4;
    engine.prefix = "search?q=" + std::string(300, 'p');
    engine.suffix = "&lang=en";
    engine.nextPageCommand = engine.searchType == MultiplePages || engine.searchType == SinglePage ? "&page=%d" : "";
    engines.Append(std::move(engine));
  }
  return engines;
}

CategoryRows ManyCategoryLists(const std::string& mark) {
  CategoryRows rows = DefaultCategoryRows();
  for (Category& row : rows) {
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back(mark + " engine " + std::to_string(i) + std::string(40, 'n'));
    row.engineNames = names;
  }
  return rows;
}

std::vector<RowCells> ManyRows(const std::string& mark) {
  std::vector<RowCells> rows;
  for (int i = 0; i < 300; ++i) {
    rows.push_back(RowCells{{mark + " result " + std::to_string(i) + std::string(60, 'd'),
                             "http://site" + std::to_string(i) + ".example/page", "50", "1", "Engine"},
                            i % 2 == 0});
  }
  return rows;
}

// The three saves, each writing its `mark` version into `home`.
struct Save {
  const char* what;
  fs::path file;
  std::function<bool(const std::string& mark)> run;
};

std::vector<Save> Saves(const fs::path& home) {
  return {
      {"engines.dat", home / kEnginesFileName,
       [home](const std::string& mark) { return SaveEngines(home, ManyEngines(mark)); }},
      {"categories.dat", home / kCategoriesFileName,
       [home](const std::string& mark) { return SaveCategories(home, ManyCategoryLists(mark)); }},
      {"saved search", SavedSearchPath(home, "wooden boats"),
       [home](const std::string& mark) { return SaveSearch(home, "wooden boats", ManyRows(mark), 4); }},
  };
}

// The folder's entries but the disk's filler.
std::size_t EntriesIn(const fs::path& folder) {
  std::size_t entries = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) entries += entry.path().filename() != "filler";
  return entries;
}

TEST(HostileFullDisk, ASaveThatFillsTheDiskLeavesTheOldFileWhole) {
  TempFolder temp;
  const fs::path home = temp.path() / "disk";
  const std::unique_ptr<SmallDisk> disk = SmallDisk::Mount(home);
  if (!disk) GTEST_SKIP() << "no right to mount a file system here; the file size limit test stands in";

  for (const Save& save : Saves(home)) {
    disk->Empty();
    ASSERT_TRUE(save.run("old")) << save.what;
    const std::string before = ReadWholeFile(save.file).value();
    const std::size_t entries = EntriesIn(save.file.parent_path());
    // From no room at all up to a few pages short of the new file.
    for (std::size_t freeBytes = 0; freeBytes <= 4 * kPage; freeBytes += kPage) {
      disk->LeaveFree(freeBytes);
      EXPECT_FALSE(save.run("new")) << save.what << " with " << freeBytes << " bytes free";
      EXPECT_EQ(ReadWholeFile(save.file), before) << save.what << " with " << freeBytes << " bytes free";
      EXPECT_EQ(EntriesIn(save.file.parent_path()), entries) << "a temporary file was left";
    }
    // Once there is room the same save goes through.
    disk->Empty();
    EXPECT_TRUE(save.run("new")) << save.what;
    EXPECT_NE(ReadWholeFile(save.file), before) << save.what;
  }
  // And what a full disk left is what loads.
  EngineList engines;
  CategoryRows rows = DefaultCategoryRows();
  LoadEngineStore(home, engines, rows);
  EXPECT_EQ(engines.size(), 40u);
}

// The file size limit makes every write past `limit` bytes fail with EFBIG, as a
// disk that fills at that byte would (the signal it raises is ignored, as a
// program that wants to survive it must).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved_;
    small.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = nullptr;
};

TEST(HostileFullDisk, AWriteThatFailsAtAnyByteLeavesTheOldFileWhole) {
  TempFolder home;
  for (const Save& save : Saves(home.path())) {
    ASSERT_TRUE(save.run("old")) << save.what;
    const std::string before = ReadWholeFile(save.file).value();
    const std::size_t entries = EntriesIn(save.file.parent_path());
    const std::size_t newSize = [&] {
      TempFolder probe;
      for (const Save& other : Saves(probe.path())) {
        if (std::string(other.what) == save.what) {
          other.run("new");
          return ReadWholeFile(other.file).value().size();
        }
      }
      return std::size_t{0};
    }();
    ASSERT_GT(newSize, before.size() / 2);
    for (std::size_t limit = 0; limit < newSize; limit += 509) {
      bool saved = false;
      {
        FileSizeLimit fills(limit);
        saved = save.run("new");
      }
      EXPECT_FALSE(saved) << save.what << " failing at byte " << limit;
      EXPECT_EQ(ReadWholeFile(save.file), before) << save.what << " failing at byte " << limit;
      EXPECT_EQ(EntriesIn(save.file.parent_path()), entries) << "a temporary file was left";
    }
    EXPECT_TRUE(save.run("new"));
  }
}

}  // namespace
}  // namespace sorvane
