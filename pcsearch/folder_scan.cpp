#include "pcsearch/folder_scan.h"

#include "core/hit_merge.h"
#include "core/relevance.h"
#include "pcsearch/reader_pool.h"

namespace sorvane {

namespace {

// Past this depth a folder's handle is closed once it has been listed and its
// entries are opened by full path, so a very deep tree cannot run the process
// out of file handles.
constexpr int kHeldFolderDepth = 128;

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace

FolderScan::FolderScan(const ScanRequest& request, ResultsTable& table, ScanListener& listener,
                       ScanControl& control)
    : request_(request), table_(table), listener_(listener), control_(control),
      searcher_(request.phrase, request.kernels) {
  if (request.readers > 0) {
    pool_ = std::make_unique<ReaderPool>(
        request.readers, request.phrase, request.kernels, control,
        [this](const std::string& path, const std::string& window) { AddHit(path, window); });
  }
}

FolderScan::~FolderScan() { Finish(); }

void FolderScan::Finish() {
  if (pool_) pool_->Finish();
}

void FolderScan::AddHit(const std::string& path, const std::string& window) {
  const int rank = ScoreRelevance(window, request_.phrase);
  // A file reached twice (overlapping folders) counts on its existing row, as a
  // web hit does, rather than standing in the table twice.
  control_.WriteUnlessAbandoned(
      [&] { MergeHit(table_, window, path, rank, kPcSearchEngineName); });
}

void FolderScan::VisitFile(const std::shared_ptr<OpenDirectory>& folder, const std::string& name,
                           const std::string& path, EntryKind kind) {
  if (!control_.Abandoned()) {
    progress_.assign("Scanning ");
    progress_.append(path);
    listener_.OnProgress(progress_);
  }
  // FIFOs, devices and sockets are shown like every other entry but never
  // opened: they could block a reader, never end, or act on being opened.
  if (kind == EntryKind::Other) return;
  const bool isLink = kind == EntryKind::Link;
  if (pool_) {
    pool_->Submit(folder, name, path, isLink);
    return;
  }
  const int handle = folder ? folder->Handle() : -1;
  if (searcher_.Search(handle, folder ? name : path, isLink, control_, window_)) AddHit(path, window_);
}

void FolderScan::SearchFile(const std::string& path) {
  if (path.empty()) return;
  // Looked at before it is opened, as a link is, since nothing is known of it.
  VisitFile(nullptr, path, path, EntryKind::Link);
}

bool FolderScan::ScanFolder(const std::string& folder) {
  std::optional<OpenDirectory> opened = OpenDirectory::Open(folder);
  if (!opened) return true;
  root_ = std::make_shared<OpenDirectory>(std::move(*opened));
  const bool completed = WalkFolder(folder, root_, 0);
  root_.reset();
  return completed;
}

bool FolderScan::WalkFolder(const std::string& path, std::shared_ptr<OpenDirectory> folder,
                            int depth) {
  std::vector<DirectoryEntry> entries;
  // A listing that fails part-way still has its first entries visited.
  folder->ReadEntries(entries);
  if (depth >= kHeldFolderDepth) folder.reset();

  for (const DirectoryEntry& entry : entries) {
    if (control_.StopRequested()) return false;
    if (entry.name == "." || entry.name == "..") continue;
    switch (entry.kind) {
      case EntryKind::File:
      case EntryKind::Link:
      case EntryKind::Other:
        // A link counts as a file only when it leads to a regular file; links to
        // folders are never followed, so a link loop cannot trap the walk.
        VisitFile(folder, entry.name, JoinPath(path, entry.name), entry.kind);
        break;
      case EntryKind::Folder: {
        if (!request_.recurse) break;
        const std::string childPath = JoinPath(path, entry.name);
        std::optional<OpenDirectory> child =
            folder ? OpenDirectory::OpenChild(folder->Handle(), entry.name)
                   : OpenDirectory::OpenChild(-1, childPath);
        if (!child) break;
        if (request_.stayOnFileSystem && !root_->OnSameMount(*child)) break;
        if (!WalkFolder(childPath, std::make_shared<OpenDirectory>(std::move(*child)), depth + 1))
          return false;
        break;
      }
    }
  }
  return true;
}

ScanEnd ScanFolders(const ScanRequest& request, ResultsTable& table, ScanListener& listener,
                    ScanControl& control) {
  if (request.phrase.empty()) return ScanEnd::Refused;
  bool stopped = false;
  {
    FolderScan scan(request, table, listener, control);
    for (const std::string& folder : request.folders) {
      if (!scan.ScanFolder(folder)) {
        stopped = true;
        break;
      }
    }
    scan.Finish();
  }
  if (!control.Abandoned()) listener.OnScanDone();
  return stopped || control.StopRequested() ? ScanEnd::Stopped : ScanEnd::Completed;
}

}  // namespace sorvane
