#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The Favorites menu is built from a folder tree of ".url" shortcut files. The
// folder listing, the shortcut reading and the menu itself sit behind these small
// interfaces, so the order and the numbering are tested without a window.
//
// Thread rule: everything here runs on the UI thread at frame creation.

struct FolderEntry {
  std::string name;
  bool hidden = false;
  bool system = false;
  bool directory = false;
};

class FavoritesListing {
 public:
  virtual ~FavoritesListing() = default;
  // The entries of `folder` in the order the system returns them; nothing when
  // the folder cannot be listed.
  virtual std::optional<std::vector<FolderEntry>> List(const std::filesystem::path& folder) = 0;
};

class ShortcutReader {
 public:
  virtual ~ShortcutReader() = default;
  // The value "URL" of the section "InternetShortcut"; empty when missing.
  virtual std::string ReadUrl(const std::filesystem::path& file) = 0;
};

class FavoritesMenu {
 public:
  virtual ~FavoritesMenu() = default;
  virtual void AppendEntry(const std::string& label, int commandId) = 0;
  virtual std::unique_ptr<FavoritesMenu> CreatePopup() = 0;
  // Puts `popup` into this menu at `position` under `name`.
  virtual void InsertPopup(std::size_t position, std::unique_ptr<FavoritesMenu> popup,
                           const std::string& name) = 0;
};

inline constexpr int kFavoriteFirstId = 3584;
inline constexpr int kFavoriteLastId = 4095;
// A shortcut's address is read into 2048 bytes: at most 2047 characters.
inline constexpr std::size_t kMaxShortcutUrl = 2047;

// Fills `menu` from `folder`: its subfolders first (as popups, sorted ignoring
// case, left out when no shortcut lies anywhere below them), then its shortcuts
// (sorted ignoring case, equal labels in listing order). Entry k gets command id
// 3584 + k and its address at urls[k]; indices run depth-first from `first`.
// Returns the first index not used.
int BuildFavoritesMenu(const std::filesystem::path& folder, int first, FavoritesMenu& menu,
                       std::vector<std::string>& urls, FavoritesListing& listing, ShortcutReader& reader);

// Orders two labels ignoring case, character by character over UTF-8 text:
// negative, zero or positive.
int CompareLabelsIgnoringCase(std::string_view left, std::string_view right);

// The address of a shortcut file's text: "URL" in "[InternetShortcut]", section
// and key names ignoring case, the value trimmed and cut to 2047 characters.
std::string ParseShortcutUrl(std::string_view text);

// The listing and reader over the real file system. Hidden means a name starting
// with "."; anything that is neither a regular file nor a real directory (links
// to folders, devices, sockets) counts as a system entry, so the walk never
// follows a link round in a circle.
class FileSystemFavoritesListing final : public FavoritesListing {
 public:
  std::optional<std::vector<FolderEntry>> List(const std::filesystem::path& folder) override;
};

class FileShortcutReader final : public ShortcutReader {
 public:
  std::string ReadUrl(const std::filesystem::path& file) override;
};

}  // namespace sorvane
