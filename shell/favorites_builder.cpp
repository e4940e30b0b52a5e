#include "shell/favorites_builder.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace sorvane {

namespace {

constexpr std::string_view kShortcutSuffix = ".url";

// Next code point of UTF-8 text; a broken sequence reads as its first byte.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
  if (at + length > text.size()) length = 1;
  char32_t value = length == 1 ? lead : (lead & (0x7F >> length));
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      length = 1;
      value = lead;
      break;
    }
    value = (value << 6) | (next & 0x3F);
  }
  at += length;
  return value;
}

// Lower case for the scripts shortcut names are usually written in: ASCII,
// Latin-1, Greek and Cyrillic capitals.
char32_t FoldCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (FoldCase(static_cast<unsigned char>(left[i])) != FoldCase(static_cast<unsigned char>(right[i])))
      return false;
  }
  return true;
}

std::string_view Trim(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

bool IsShortcutName(std::string_view name) {
  // The extension is compared exactly: "Readme.URL" is not a shortcut.
  return name.size() >= kShortcutSuffix.size() && name.substr(name.size() - kShortcutSuffix.size()) == kShortcutSuffix;
}

}  // namespace

int CompareLabelsIgnoringCase(std::string_view left, std::string_view right) {
  std::size_t l = 0;
  std::size_t r = 0;
  while (l < left.size() && r < right.size()) {
    const char32_t a = FoldCase(NextCodePoint(left, l));
    const char32_t b = FoldCase(NextCodePoint(right, r));
    if (a != b) return a < b ? -1 : 1;
  }
  if (l < left.size()) return 1;
  if (r < right.size()) return -1;
  return 0;
}

int BuildFavoritesMenu(const std::filesystem::path& folder, int first, FavoritesMenu& menu,
                       std::vector<std::string>& urls, FavoritesListing& listing, ShortcutReader& reader) {
  const std::optional<std::vector<FolderEntry>> entries = listing.List(folder);
  if (!entries) return first;

  // Shortcuts: labels kept sorted as they come, equal labels after the earlier ones.
  std::vector<std::string> labels;
  for (const FolderEntry& entry : *entries) {
    if (entry.hidden || entry.system || entry.directory || !IsShortcutName(entry.name)) continue;
    std::string label = entry.name.substr(0, entry.name.size() - kShortcutSuffix.size());
    std::size_t place = 0;
    while (place < labels.size() && CompareLabelsIgnoringCase(labels[place], label) <= 0) ++place;
    const std::size_t index = static_cast<std::size_t>(first) + place;
    if (urls.size() < static_cast<std::size_t>(first)) urls.resize(static_cast<std::size_t>(first));
    urls.insert(urls.begin() + static_cast<std::ptrdiff_t>(index), reader.ReadUrl(folder / entry.name));
    labels.insert(labels.begin() + static_cast<std::ptrdiff_t>(place), std::move(label));
  }
  for (std::size_t i = 0; i < labels.size(); ++i) {
    menu.AppendEntry(labels[i], kFavoriteFirstId + first + static_cast<int>(i));
  }
  int next = first + static_cast<int>(labels.size());

  // Subfolders, visited in listing order (so their entries are numbered in that
  // order) but placed in the menu sorted by name. The folder is listed afresh, as
  // it was for the shortcuts.
  const std::optional<std::vector<FolderEntry>> subfolders = listing.List(folder);
  if (!subfolders) return next;
  std::vector<std::string> popupNames;
  for (const FolderEntry& entry : *subfolders) {
    if (!entry.directory || entry.name == "." || entry.name == "..") continue;
    std::size_t place = 0;
    while (place < popupNames.size() && CompareLabelsIgnoringCase(popupNames[place], entry.name) <= 0) ++place;
    std::unique_ptr<FavoritesMenu> popup = menu.CreatePopup();
    const int after = BuildFavoritesMenu(folder / entry.name, next, *popup, urls, listing, reader);
    if (after > next) {
      menu.InsertPopup(place, std::move(popup), entry.name);
      popupNames.insert(popupNames.begin() + static_cast<std::ptrdiff_t>(place), entry.name);
    }
    next = after;
  }
  return next;
}

std::string ParseShortcutUrl(std::string_view text) {
  bool inSection = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      inSection = close != std::string_view::npos && EqualsIgnoringAsciiCase(Trim(line.substr(1, close - 1)), "InternetShortcut");
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !EqualsIgnoringAsciiCase(Trim(line.substr(0, equals)), "URL")) continue;
    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kMaxShortcutUrl));
  }
  return {};
}

std::optional<std::vector<FolderEntry>> FileSystemFavoritesListing::List(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return std::nullopt;
  std::vector<FolderEntry> entries;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) break;
    FolderEntry entry;
    entry.name = it->path().filename().string();
    entry.hidden = !entry.name.empty() && entry.name.front() == '.';
    const std::filesystem::file_status status = it->symlink_status(error);
    if (error) continue;
    entry.directory = std::filesystem::is_directory(status);
    const bool regular = std::filesystem::is_regular_file(status) ||
                         (std::filesystem::is_symlink(status) && std::filesystem::is_regular_file(it->status(error)));
    entry.system = !entry.directory && !regular;
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string FileShortcutReader::ReadUrl(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  // A shortcut is a few lines; anything much longer is not one worth reading whole.
  std::string text;
  text.resize(64 * 1024);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return ParseShortcutUrl(text);
}

}  // namespace sorvane
