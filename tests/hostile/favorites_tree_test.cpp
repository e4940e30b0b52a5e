// A Favorites folder as odd as the folder-tree tests' ones, read through the
// real listing and shortcut reader: link loops, FIFOs, sockets and devices
// named like shortcuts, a shortcut of megabytes, and a tree far deeper than the
// longest path. Building the menu always ends, and reads only real shortcuts.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "hostile/memory_folder.h"
#include "shell/favorites_builder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::MemoryFolder;

// Records the entries it is given; popups record into their own.
class RecordingMenu final : public FavoritesMenu {
 public:
  void AppendEntry(const std::string& label, int commandId) override { entries.emplace_back(label, commandId); }
  std::unique_ptr<FavoritesMenu> CreatePopup() override { return std::make_unique<RecordingMenu>(); }
  void InsertPopup(std::size_t, std::unique_ptr<FavoritesMenu> popup, const std::string& name) override {
    popupNames.push_back(name);
    popups.push_back(std::unique_ptr<RecordingMenu>(static_cast<RecordingMenu*>(popup.release())));
  }
  std::size_t Depth() const { return popups.empty() ? 0 : 1 + popups.front()->Depth(); }

  std::vector<std::pair<std::string, int>> entries;
  std::vector<std::string> popupNames;
  std::vector<std::unique_ptr<RecordingMenu>> popups;
};

std::string Shortcut(const std::string& url) { return "[InternetShortcut]\r\nURL=" + url + "\r\n"; }

struct Built {
  int next = 0;
  std::vector<std::string> urls;
  std::unique_ptr<RecordingMenu> menu = std::make_unique<RecordingMenu>();
};

// Builds on a thread of its own, so a read that blocks fails the test; a FIFO
// that was opened is then given a writer so the test can end.
Built BuildWithin(const fs::path& folder, std::chrono::seconds limit, const std::vector<fs::path>& fifos = {}) {
  Built built;
  std::future<void> running = std::async(std::launch::async, [&] {
    FileSystemFavoritesListing listing;
    FileShortcutReader reader;
    built.next = BuildFavoritesMenu(folder, 0, *built.menu, built.urls, listing, reader);
  });
  if (running.wait_for(limit) != std::future_status::ready) {
    ADD_FAILURE() << "building the menu did not end within " << limit.count() << " s";
    for (const fs::path& fifo : fifos) ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
  }
  running.get();
  return built;
}

TEST(HostileFavorites, LoopsFifosDevicesAndHugeShortcuts) {
  MemoryFolder favorites;
  const fs::path& top = favorites.path();
  favorites.Write("Boats.url", Shortcut("http://boats.example/"));
  favorites.Write("News/Daily.url", Shortcut("http://daily.example/"));
  fs::create_directory_symlink("..", top / "News" / "Up");
  fs::create_directory_symlink(".", top / "Self.url");
  fs::create_symlink("Loop2.url", top / "Loop1.url");
  fs::create_symlink("Loop1.url", top / "Loop2.url");
  fs::create_symlink("/dev/zero", top / "Zero.url");
  fs::create_symlink("/dev/tty", top / "Terminal.url");
  ASSERT_EQ(::mkfifo((top / "Pipe.url").c_str(), 0644), 0);
  fs::create_symlink("Pipe.url", top / "PipeLink.url");
  // A shortcut of 8 MB whose address lies past the part worth reading, and one
  // whose address line is itself 100,000 bytes long.
  favorites.Write("Huge.url", std::string(8 << 20, ';') + "\n" + Shortcut("http://late.example/"));
  favorites.Write("LongLine.url", Shortcut("http://long.example/" + std::string(100000, 'l')));

  const Built built = BuildWithin(top, std::chrono::seconds(20), {top / "Pipe.url"});
  std::vector<std::string> labels;
  for (const auto& [label, id] : built.menu->entries) labels.push_back(label);
  EXPECT_EQ(labels, (std::vector<std::string>{"Boats", "Huge", "LongLine"}));
  ASSERT_EQ(built.urls.size(), 4u);
  EXPECT_EQ(built.urls[0], "http://boats.example/");
  EXPECT_EQ(built.urls[1], "") << "an address past what is read counts as missing";
  EXPECT_EQ(built.urls[2].size(), kMaxShortcutUrl);
  EXPECT_EQ(built.menu->popupNames, std::vector<std::string>{"News"});
  EXPECT_EQ(built.urls[3], "http://daily.example/");
  EXPECT_EQ(built.next, 4);
}

TEST(HostileFavorites, ATreeDeeperThanTheLongestPath) {
  MemoryFolder favorites;
  // One shortcut at every 10th level of a 300-level chain of 40-byte names;
  // made relative to an open folder, since the full path outgrows what the
  // system accepts (long names get there without a quadratic number of steps).
  constexpr int kDepth = 300;
  const std::string name(40, 'f');
  int folder = ::open(favorites.path().c_str(), O_RDONLY | O_DIRECTORY);
  for (int level = 1; level <= kDepth; ++level) {
    ASSERT_EQ(::mkdirat(folder, name.c_str(), 0755), 0);
    const int child = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(folder);
    folder = child;
    if (level % 10 == 0) {
      const int file = ::openat(folder, "s.url", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const std::string text = Shortcut("http://level" + std::to_string(level) + ".example/");
      ASSERT_EQ(::write(file, text.data(), text.size()), static_cast<ssize_t>(text.size()));
      ::close(file);
    }
  }
  ::close(folder);

  const Built built = BuildWithin(favorites.path(), std::chrono::seconds(30));
  // Every shortcut whose path the system opens is in the menu, in depth order.
  const std::size_t pathBefore = favorites.path().string().size();
  std::size_t reachable = 0;
  for (int level = 10; level <= kDepth; level += 10) {
    if (pathBefore + (name.size() + 1) * static_cast<std::size_t>(level) + 6 < PATH_MAX) ++reachable;
  }
  ASSERT_GE(reachable, 9u);
  ASSERT_GE(built.urls.size(), reachable);
  for (std::size_t i = 0; i < reachable; ++i) {
    EXPECT_EQ(built.urls[i], "http://level" + std::to_string(10 * (i + 1)) + ".example/");
  }
  EXPECT_EQ(built.next, static_cast<int>(built.urls.size()));

  // The removal goes level by level too; remove_all would stop at the long paths.
  folder = ::open(favorites.path().c_str(), O_RDONLY | O_DIRECTORY);
  int levels = 0;
  for (int child; (child = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY)) >= 0; ++levels) {
    ::close(folder);
    folder = child;
  }
  for (; levels > 0; --levels) {
    ::unlinkat(folder, "s.url", 0);
    const int parent = ::openat(folder, "..", O_RDONLY | O_DIRECTORY);
    ::close(folder);
    folder = parent;
    ::unlinkat(folder, name.c_str(), AT_REMOVEDIR);
  }
  ::close(folder);
}

}  // namespace
}  // namespace sorvane
