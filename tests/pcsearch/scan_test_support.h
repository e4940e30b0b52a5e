#pragma once

// What the folder scan tests share: a listener that records, a one-call scan,
// and the walk order a scan must follow, written with the plain directory calls.

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pcsearch/folder_scan.h"
#include "support/temp_folder.h"

namespace sorvane::testing {

// Records what the scan reports; `onProgress` may act on the scan (stop it,
// abandon it) from inside the call, as a user's click would between two entries.
class RecordingScanListener : public ScanListener {
 public:
  void OnProgress(std::string_view text) override {
    progress.emplace_back(text);
    if (onProgress) onProgress(progress.size());
  }
  void OnScanDone() override { ++doneCalls; }

  // The paths of the progress texts, in order.
  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const std::string& text : progress) {
      EXPECT_EQ(text.rfind("Scanning ", 0), 0u) << text;
      paths.push_back(text.substr(9));
    }
    return paths;
  }

  std::vector<std::string> progress;
  int doneCalls = 0;
  std::function<void(std::size_t calls)> onProgress;
};

struct ScanOutcome {
  ScanEnd end = ScanEnd::Completed;
  std::vector<SearchHit> rows;
  std::vector<std::string> visited;  // paths of the progress texts
  int doneCalls = 0;
};

inline ScanOutcome Scan(std::vector<std::string> folders, const std::string& phrase, bool recurse,
                 int readers = 0) {
  ScanRequest request;
  request.folders = std::move(folders);
  request.phrase = phrase;
  request.recurse = recurse;
  request.readers = readers;
  ResultsTable table;
  RecordingScanListener listener;
  ScanControl control;
  ScanOutcome outcome;
  outcome.end = ScanFolders(request, table, listener, control);
  outcome.rows = table.Snapshot();
  outcome.visited = listener.Paths();
  outcome.doneCalls = listener.doneCalls;
  return outcome;
}

inline std::vector<std::string> Urls(const std::vector<SearchHit>& rows) {
  std::vector<std::string> urls;
  for (const SearchHit& row : rows) urls.push_back(row.url);
  return urls;
}

// The depth-first walk in the order the file system lists each folder, written
// with the plain directory calls: every entry that is not a folder, folders
// (links to folders excepted) entered where they are listed.
inline void ListingOrder(const std::string& folder, bool recurse, std::vector<std::string>& files) {
  DIR* stream = ::opendir(folder.c_str());
  if (stream == nullptr) return;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(stream)) names.emplace_back(entry->d_name);
  ::closedir(stream);
  for (const std::string& name : names) {
    if (name == "." || name == "..") continue;
    const std::string path = folder + "/" + name;
    struct stat info {};
    ASSERT_EQ(::lstat(path.c_str(), &info), 0) << path;
    if (S_ISDIR(info.st_mode)) {
      if (recurse) ListingOrder(path, recurse, files);
    } else {
      files.push_back(path);
    }
  }
}

inline std::vector<std::string> ListingOrder(const TempFolder& root, bool recurse) {
  std::vector<std::string> files;
  ListingOrder(root.path().string(), recurse, files);
  return files;
}

inline std::string Padding(std::size_t size, char fill = '.') { return std::string(size, fill); }

// A tree of `folders` x `files` small files, each holding the phrase.
inline void WriteLargeTree(const TempFolder& root, int folders, int files) {
  for (int folder = 0; folder < folders; ++folder) {
    for (int file = 0; file < files; ++file) {
      root.Write("d" + std::to_string(folder) + "/f" + std::to_string(file) + ".txt",
                 "line " + std::to_string(file) + " holds tar");
    }
  }
}

}  // namespace sorvane::testing
