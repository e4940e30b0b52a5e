#include "shell/favorites_builder.h"

#include <gtest/gtest.h>

#include <map>

#include "support/temp_folder.h"

namespace sorvane {
namespace {

// A folder tree in memory, listed in the order the entries were added.
class FakeListing final : public FavoritesListing {
 public:
  void Add(const std::string& folder, FolderEntry entry) { folders_[folder].push_back(std::move(entry)); }
  void AddFile(const std::string& folder, const std::string& name, bool hidden = false) {
    Add(folder, {name, hidden, false, false});
    folders_.try_emplace(folder);
  }
  void AddFolder(const std::string& folder, const std::string& name, bool hidden = false) {
    Add(folder, {name, hidden, false, true});
    folders_.try_emplace(folder + "/" + name);
  }
  void Unlistable(const std::string& folder) { unlistable_.insert({folder, true}); }

  std::optional<std::vector<FolderEntry>> List(const std::filesystem::path& folder) override {
    if (unlistable_.count(folder.generic_string())) return std::nullopt;
    const auto found = folders_.find(folder.generic_string());
    if (found == folders_.end()) return std::nullopt;
    return found->second;
  }

 private:
  std::map<std::string, std::vector<FolderEntry>> folders_;
  std::map<std::string, bool> unlistable_;
};

// Every shortcut's address is its own path, so the tests see which file each
// index came from.
class PathReader final : public ShortcutReader {
 public:
  std::string ReadUrl(const std::filesystem::path& file) override { return file.generic_string(); }
};

// The menu as text: "label=id" for entries, "[name]{...}" for popups.
class RecordingMenu final : public FavoritesMenu {
 public:
  void AppendEntry(const std::string& label, int commandId) override {
    items.push_back(label + "=" + std::to_string(commandId));
  }
  std::unique_ptr<FavoritesMenu> CreatePopup() override { return std::make_unique<RecordingMenu>(); }
  void InsertPopup(std::size_t position, std::unique_ptr<FavoritesMenu> popup, const std::string& name) override {
    const auto& child = static_cast<RecordingMenu&>(*popup);
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(position), "[" + name + "]{" + child.Text() + "}");
  }
  std::string Text() const {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : " ") + item;
    return text;
  }
  std::vector<std::string> items;
};

struct Built {
  int next;
  std::string menu;
  std::vector<std::string> urls;
};

Built Build(FakeListing& listing, const std::string& root = "/fav") {
  RecordingMenu menu;
  PathReader reader;
  std::vector<std::string> urls;
  const int next = BuildFavoritesMenu(root, 0, menu, urls, listing, reader);
  return {next, menu.Text(), urls};
}

TEST(FavoritesBuilder, EqualLabelsKeepListingOrderAfterCaseInsensitiveSort) {
  FakeListing listing;
  listing.AddFile("/fav", "b.url");
  listing.AddFile("/fav", "A.url");
  listing.AddFile("/fav", "a.url");
  const Built built = Build(listing);
  EXPECT_EQ(built.menu, "A=3584 a=3585 b=3586");
  EXPECT_EQ(built.next, 3);
  EXPECT_EQ(built.urls, (std::vector<std::string>{"/fav/A.url", "/fav/a.url", "/fav/b.url"}));
}

TEST(FavoritesBuilder, OnlyExactLowerCaseUrlFilesThatAreNotHiddenCount) {
  FakeListing listing;
  listing.AddFile("/fav", "Readme.URL");
  listing.AddFile("/fav", "page.txt");
  listing.AddFile("/fav", ".secret.url", true);
  listing.Add("/fav", {"device.url", false, true, false});
  listing.AddFile("/fav", "kept.url");
  const Built built = Build(listing);
  EXPECT_EQ(built.menu, "kept=3584");
  EXPECT_EQ(built.next, 1);
}

TEST(FavoritesBuilder, SubfoldersComeFirstSortedButAreNumberedInListingOrder) {
  FakeListing listing;
  listing.AddFile("/fav", "zeta.url");
  listing.AddFolder("/fav", "news");
  listing.AddFolder("/fav", "Blogs");
  listing.AddFile("/fav/news", "daily.url");
  listing.AddFile("/fav/news", "Weekly.url");
  listing.AddFile("/fav/Blogs", "one.url");
  const Built built = Build(listing);
  // Own shortcuts take index 0; then "news" (listed first) takes 1 and 2,
  // "Blogs" takes 3, but "Blogs" sorts before "news" in the menu.
  EXPECT_EQ(built.menu, "[Blogs]{one=3587} [news]{daily=3585 Weekly=3586} zeta=3584");
  EXPECT_EQ(built.next, 4);
  ASSERT_EQ(built.urls.size(), 4u);
  EXPECT_EQ(built.urls[0], "/fav/zeta.url");
  EXPECT_EQ(built.urls[1], "/fav/news/daily.url");
  EXPECT_EQ(built.urls[3], "/fav/Blogs/one.url");
}

TEST(FavoritesBuilder, FoldersWithoutShortcutsBelowThemAreLeftOut) {
  FakeListing listing;
  listing.AddFolder("/fav", "empty");
  listing.AddFolder("/fav", "nested");
  listing.AddFolder("/fav/nested", "also-empty");
  listing.AddFolder("/fav", "deep");
  listing.AddFolder("/fav/deep", "inner");
  listing.AddFile("/fav/deep/inner", "x.url");
  const Built built = Build(listing);
  EXPECT_EQ(built.menu, "[deep]{[inner]{x=3584}}");
  EXPECT_EQ(built.next, 1);
}

TEST(FavoritesBuilder, HiddenSubfolderIsSearchedAndUnlistableOneUsesNoIndex) {
  FakeListing listing;
  listing.AddFolder("/fav", ".hidden", true);
  listing.AddFile("/fav/.hidden", "h.url");
  listing.AddFolder("/fav", "locked");
  listing.Unlistable("/fav/locked");
  listing.AddFolder("/fav", "after");
  listing.AddFile("/fav/after", "a.url");
  const Built built = Build(listing);
  EXPECT_EQ(built.menu, "[.hidden]{h=3584} [after]{a=3585}");
  EXPECT_EQ(built.next, 2);
}

TEST(FavoritesBuilder, UnlistableRootGivesBackTheFirstIndex) {
  FakeListing listing;
  RecordingMenu menu;
  PathReader reader;
  std::vector<std::string> urls;
  EXPECT_EQ(BuildFavoritesMenu("/missing", 7, menu, urls, listing, reader), 7);
  EXPECT_TRUE(menu.items.empty());
}

TEST(FavoritesBuilder, LabelsCompareIgnoringCaseBeyondAscii) {
  EXPECT_EQ(CompareLabelsIgnoringCase("abc", "ABC"), 0);
  EXPECT_LT(CompareLabelsIgnoringCase("abc", "abd"), 0);
  EXPECT_GT(CompareLabelsIgnoringCase("abcd", "ABC"), 0);
  EXPECT_EQ(CompareLabelsIgnoringCase("\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89"), 0);  // Été / éTÉ
  EXPECT_EQ(CompareLabelsIgnoringCase("\xD0\x9C\xD0\xB8\xD1\x80", "\xD0\xBC\xD0\x98\xD0\xA0"), 0);  // Мир / мИР
  // A lone continuation byte does not swallow the following text.
  EXPECT_LT(CompareLabelsIgnoringCase("\x80" "a", "\x80" "b"), 0);
}

TEST(ShortcutFile, UrlIsReadFromItsSectionIgnoringNameCase) {
  EXPECT_EQ(ParseShortcutUrl("[InternetShortcut]\r\nURL=http://a.example/\r\n"), "http://a.example/");
  EXPECT_EQ(ParseShortcutUrl("[DEFAULT]\nURL=http://wrong/\n[internetshortcut]\nurl = http://right/ \n"),
            "http://right/");
  EXPECT_EQ(ParseShortcutUrl("[InternetShortcut]\nIconFile=x\n"), "");
  EXPECT_EQ(ParseShortcutUrl("URL=http://no-section/\n"), "");
  EXPECT_EQ(ParseShortcutUrl("[InternetShortcut]\nURL=\"http://quoted/\"\n"), "http://quoted/");
  const std::string longUrl(3000, 'x');
  EXPECT_EQ(ParseShortcutUrl("[InternetShortcut]\nURL=" + longUrl + "\n").size(), kMaxShortcutUrl);
}

TEST(FileSystemFavorites, RealTreeBuildsLikeTheModel) {
  testing::TempFolder folder;
  folder.Write("Fav/b.url", "[InternetShortcut]\nURL=http://b/\n");
  folder.Write("Fav/A.url", "[InternetShortcut]\nURL=http://a/\n");
  folder.Write("Fav/.hidden.url", "[InternetShortcut]\nURL=http://hidden/\n");
  folder.Write("Fav/notes.txt", "x");
  folder.Write("Fav/Sub/c.url", "[InternetShortcut]\nURL=http://c/\n");
  std::filesystem::create_directories(folder.path() / "Fav" / "Empty");
  std::filesystem::create_directory_symlink(folder.path() / "Fav", folder.path() / "Fav" / "Loop");

  FileSystemFavoritesListing listing;
  FileShortcutReader reader;
  RecordingMenu menu;
  std::vector<std::string> urls;
  const int next = BuildFavoritesMenu(folder.path() / "Fav", 0, menu, urls, listing, reader);
  EXPECT_EQ(next, 3);
  EXPECT_EQ(menu.Text(), "[Sub]{c=3586} A=3584 b=3585");
  EXPECT_EQ(urls, (std::vector<std::string>{"http://a/", "http://b/", "http://c/"}));
}

}  // namespace
}  // namespace sorvane
