#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "pcsearch/block_search.h"
#include "pcsearch/scan_listener.h"

namespace sorvane {

// Reads one file at a time in large buffers and looks for the phrase the way the
// scan does. Thread rule: one thread at a time per object; each reader has one.
class FileSearcher {
 public:
  static constexpr std::size_t kReadSize = 128 * 1024;

  FileSearcher(std::string_view phrase, KernelLevel level);

  // The file `name` inside the open folder `folderHandle` (or a full path with
  // -1); `isLink` when the folder listed it as a link. True on a hit, with the
  // window in `window`. A file that cannot be opened, or is not a regular file,
  // is passed over; a read error ends the file as its end would; a stop request
  // ends the reading at the next buffer.
  bool Search(int folderHandle, const std::string& name, bool isLink, ScanControl& control,
              std::string& window);

 private:
  BlockSearch search_;
  std::unique_ptr<unsigned char[]> buffer_;
  // The folder in which the system last refused to keep a file's access time.
  // Files of one folder mostly have one owner, so the rest of that folder is
  // opened without asking, which saves a refused open per file when a user
  // scans folders of others (the system's own, mostly). A reused handle number
  // only costs an access time.
  int accessTimeRefusedIn_ = -2;
};

}  // namespace sorvane
