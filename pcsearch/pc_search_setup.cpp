#include "pcsearch/pc_search_setup.h"

#include <algorithm>
#include <string>

#include "core/settings_store.h"
#include "core/text_util.h"

namespace sorvane {

namespace {

std::string FolderValueName(std::size_t index) { return "Folder" + std::to_string(index); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

}  // namespace

PcSearchSetup LoadPcSearchSetup(const SettingsStore& store) {
  PcSearchSetup setup;
  setup.method = static_cast<int>(store.NumberOr("PC Search Method", kAllDrivesMethod));
  setup.recurse = static_cast<int>(store.NumberOr("Recurse", 0));
  for (std::size_t index = 0;; ++index) {
    std::string folder = store.TextOr(FolderValueName(index), "");
    if (folder.empty()) break;
    setup.folders.push_back(std::move(folder));
  }
  return setup;
}

std::string_view RecurseCheckText(bool folderMode) {
  return folderMode ? "S&can all subfolders in the folders listed." : "S&can all folders on my PC and network.";
}

bool CanSearchNow(int method, std::string_view phrase, std::size_t listedFolders) {
  const bool hasWords = std::any_of(phrase.begin(), phrase.end(), [](char c) { return !IsBlank(c); });
  if (!hasWords) return false;
  return method == kAllDrivesMethod || (method == kChosenFoldersMethod && listedFolders > 0);
}

std::size_t SortedFolderPosition(const std::vector<std::string>& folders, std::string_view folder) {
  return SortedInsertPosition(folders, folder);
}

std::vector<std::string> StorePcSearchSetup(SettingsStore& store, int method, int recurse,
                                            const std::vector<std::string>& listedFolders,
                                            const std::function<std::vector<std::string>()>& driveRoots) {
  store.WriteNumber("PC Search Method", method);
  store.WriteNumber("Recurse", recurse);
  std::vector<std::string> scanFolders;
  if (IsFolderMode(method)) {
    scanFolders = listedFolders;
  } else if (driveRoots) {
    scanFolders = driveRoots();
  }
  // An empty entry would end the stored list early and hide the rest, and
  // scanning it means nothing: it is dropped.
  std::erase_if(scanFolders, [](const std::string& folder) { return folder.empty(); });
  for (std::size_t index = 0; index < scanFolders.size(); ++index)
    store.WriteText(FolderValueName(index), scanFolders[index]);
  store.WriteText(FolderValueName(scanFolders.size()), "");
  return scanFolders;
}

}  // namespace sorvane
