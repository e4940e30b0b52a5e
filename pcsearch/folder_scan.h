#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/results_table.h"
#include "pcsearch/block_kernels.h"
#include "pcsearch/file_searcher.h"
#include "pcsearch/scan_listener.h"
#include "platform/directory_listing.h"

namespace sorvane {

// The engine name of every row a scan adds.
inline constexpr const char* kPcSearchEngineName = "Sorvane";

// What a scan is asked to do; set before the scan starts and not changed while
// it runs.
struct ScanRequest {
  std::vector<std::string> folders;  // full paths, scanned in this order
  std::string phrase;                // as typed, blanks kept
  bool recurse = false;              // subfolders too
  // All-drives mode: each folder is a mount point scanned on its own, so the walk
  // does not go on into another mounted file system.
  bool stayOnFileSystem = false;
  // Threads that read files while the walking thread lists folders; 0 reads on
  // the walking thread itself. Rows arrive in the same order either way.
  int readers = 0;
  KernelLevel kernels = BestKernelLevel();
};

enum class ScanEnd { Completed, Stopped, Refused };

// The whole scan, run on the caller's thread (the worker): each folder in turn,
// then the listener's done call. An empty phrase is refused before anything is
// read, with no listener call. Rows go into `table` (one per matching file, the
// same file reached twice counts on its row), placed by rank as web hits are.
ScanEnd ScanFolders(const ScanRequest& request, ResultsTable& table, ScanListener& listener,
                    ScanControl& control);

// One scan's walk. Thread rule: used by one thread, the worker.
class FolderScan {
 public:
  FolderScan(const ScanRequest& request, ResultsTable& table, ScanListener& listener,
             ScanControl& control);
  ~FolderScan();
  FolderScan(const FolderScan&) = delete;
  FolderScan& operator=(const FolderScan&) = delete;

  // Walks one folder (and its subfolders when asked). False when it was stopped.
  // A folder that cannot be listed counts as completed.
  bool ScanFolder(const std::string& folder);
  // Reads one file given by its full path and adds at most one row.
  void SearchFile(const std::string& path);
  // Waits for files still being read by reader threads.
  void Finish();

 private:
  bool WalkFolder(const std::string& path, std::shared_ptr<OpenDirectory> folder, int depth);
  void VisitFile(const std::shared_ptr<OpenDirectory>& folder, const std::string& name,
                 const std::string& path, EntryKind kind);
  void AddHit(const std::string& path, const std::string& window);

  const ScanRequest& request_;
  ResultsTable& table_;
  ScanListener& listener_;
  ScanControl& control_;
  FileSearcher searcher_;
  std::unique_ptr<class ReaderPool> pool_;
  // The folder being scanned, whose mount the walk stays on when asked to.
  std::shared_ptr<OpenDirectory> root_;
  std::string progress_;
  std::string window_;
};

}  // namespace sorvane
