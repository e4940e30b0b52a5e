#include "pcsearch/pc_search_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings_store.h"
#include "pcsearch/scan_progress_text.h"

namespace sorvane {
namespace {

using Folders = std::vector<std::string>;

TEST(PcSearchSetup, FirstUseTakesTheDefaultsAndTheStoredListEndsAtTheFirstEmptyValue) {
  MemorySettingsStore store;
  PcSearchSetup setup = LoadPcSearchSetup(store);
  EXPECT_EQ(setup.method, kAllDrivesMethod);
  EXPECT_EQ(setup.recurse, 0);
  EXPECT_TRUE(setup.folders.empty());

  store.WriteNumber("PC Search Method", kChosenFoldersMethod);
  store.WriteNumber("Recurse", 1);
  store.WriteText("Folder0", "/data");
  store.WriteText("Folder1", "/work");
  store.WriteText("Folder2", "");
  store.WriteText("Folder3", "/left/over");  // behind the end mark: not listed
  setup = LoadPcSearchSetup(store);
  EXPECT_EQ(setup.method, kChosenFoldersMethod);
  EXPECT_EQ(setup.recurse, 1);
  EXPECT_EQ(setup.folders, (Folders{"/data", "/work"}));
}

TEST(PcSearchSetup, SearchNowNeedsAPhraseThatIsNotBlankAndSomethingToScan) {
  EXPECT_FALSE(CanSearchNow(kAllDrivesMethod, "", 0));
  EXPECT_FALSE(CanSearchNow(kAllDrivesMethod, "  \t ", 0));
  EXPECT_TRUE(CanSearchNow(kAllDrivesMethod, " boats", 0));
  EXPECT_FALSE(CanSearchNow(kChosenFoldersMethod, "boats", 0));
  EXPECT_TRUE(CanSearchNow(kChosenFoldersMethod, "boats", 1));
  // A stored method that is neither option never searches until one is chosen.
  EXPECT_FALSE(CanSearchNow(7, "boats", 3));
  EXPECT_TRUE(IsFolderMode(7));
  EXPECT_FALSE(IsFolderMode(kAllDrivesMethod));
  EXPECT_EQ(RecurseCheckText(true), "S&can all subfolders in the folders listed.");
  EXPECT_EQ(RecurseCheckText(false), "S&can all folders on my PC and network.");
}

TEST(PcSearchSetup, FoldersSortWithoutRegardToCaseAndARepeatGoesAfterItsTwin) {
  Folders list;
  for (const char* folder : {"D:\\Work", "c:\\data", "C:\\Apps", "/srv", "C:\\data", "/home/Zed", "/home/ann"})
    list.insert(list.begin() + static_cast<long>(SortedFolderPosition(list, folder)), folder);
  EXPECT_EQ(list, (Folders{"/home/ann", "/home/Zed", "/srv", "C:\\Apps", "c:\\data", "C:\\data", "D:\\Work"}));
}

TEST(PcSearchSetup, AllDrivesModeStoresTheDriveRootsSoTheNextOpeningShowsThem) {
  MemorySettingsStore store;
  const Folders scanned =
      StorePcSearchSetup(store, kAllDrivesMethod, 0, {"/listed/but/not/used"}, [] { return Folders{"/", "/home"}; });
  EXPECT_EQ(scanned, (Folders{"/", "/home"}));
  EXPECT_EQ(store.NumberOr("PC Search Method", 0), kAllDrivesMethod);
  EXPECT_EQ(LoadPcSearchSetup(store).folders, scanned);
  EXPECT_EQ(store.TextOr("Folder2", "-"), "");

  // No drive found (the mount table cannot be read): nothing to scan, and the
  // stored list is emptied rather than left with an earlier search's folders.
  EXPECT_TRUE(StorePcSearchSetup(store, kAllDrivesMethod, 0, {}, [] { return Folders{}; }).empty());
  EXPECT_TRUE(LoadPcSearchSetup(store).folders.empty());
}

TEST(ScanProgressText, GivesTheNewestTextOnceAndNothingWhileNoneIsNew) {
  ScanProgressText progress;
  EXPECT_FALSE(progress.TakeNew());
  progress.Put("Scanning /a");
  progress.Put("Scanning /b");
  EXPECT_EQ(progress.TakeNew(), "Scanning /b");
  EXPECT_FALSE(progress.TakeNew());
  progress.Put("Scanning /b");
  EXPECT_EQ(progress.TakeNew(), "Scanning /b");
}

}  // namespace
}  // namespace sorvane
