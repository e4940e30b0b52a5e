#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

class SettingsStore;

// What the Search My PC dialog remembers between PC searches, and the rules it
// applies, apart from any window so they can be checked on their own.
// "PC Search Method" holds the id of the option button last chosen.
inline constexpr int kAllDrivesMethod = 1029;
inline constexpr int kChosenFoldersMethod = 1030;

struct PcSearchSetup {
  int method = kAllDrivesMethod;
  int recurse = 0;
  std::vector<std::string> folders;  // as stored: "Folder0", "Folder1", ...
};

// Reads the stored setup; missing values take their defaults and the folder
// list ends at the first empty or missing "Folder%d".
PcSearchSetup LoadPcSearchSetup(const SettingsStore& store);

// Any method but all drives counts as folder mode, so a stored value that is
// neither option still asks for folders rather than scanning every drive.
inline bool IsFolderMode(int method) { return method != kAllDrivesMethod; }

// The recurse check box's text, which says what a tick means in each mode.
std::string_view RecurseCheckText(bool folderMode);

// "&Search Now" needs a phrase that is not only blanks, and something to scan:
// all drives, or chosen folders with at least one listed.
bool CanSearchNow(int method, std::string_view phrase, std::size_t listedFolders);

// The folder list keeps its entries in alphabetical order without regard to
// case. Where `folder` goes: after every entry that sorts before it or equal to
// it, so an entry listed twice keeps the order in which it was added.
std::size_t SortedFolderPosition(const std::vector<std::string>& folders, std::string_view folder);

// Stores the chosen setup and returns the folders to scan, in order. Folder
// mode scans and stores the listed folders; all-drives mode scans and stores
// the roots `driveRoots` gives, so the next opening shows the drives that were
// scanned. "Folder<count>" is written empty to end the stored list.
std::vector<std::string> StorePcSearchSetup(SettingsStore& store, int method, int recurse,
                                            const std::vector<std::string>& listedFolders,
                                            const std::function<std::vector<std::string>()>& driveRoots);

}  // namespace sorvane
