#include "pcsearch/file_searcher.h"

#include "platform/readable_file.h"

namespace sorvane {

static_assert(FileSearcher::kReadSize % BlockSearch::kBlockSize == 0 &&
              FileSearcher::kReadSize <= BlockSearch::kMaxFeed);

FileSearcher::FileSearcher(std::string_view phrase, KernelLevel level)
    : search_(phrase, level), buffer_(std::make_unique<unsigned char[]>(kReadSize)) {}

bool FileSearcher::Search(int folderHandle, const std::string& name, bool isLink,
                          ScanControl& control, std::string& window) {
  // No window can hold such a phrase, so there is nothing to read for.
  if (!search_.CanMatch()) return false;
  ReadableFile file;
  const bool keepAccessTime = folderHandle < 0 || folderHandle != accessTimeRefusedIn_;
  const bool opened = file.Open(folderHandle, name, isLink, keepAccessTime);
  if (file.AccessTimeRefused()) accessTimeRefusedIn_ = folderHandle;
  if (!opened) return false;
  control.CountFile();
  search_.Reset();
  for (;;) {
    if (control.StopRequested()) return false;
    const std::size_t got = file.Read(buffer_.get(), kReadSize);
    control.CountBytes(got);
    if (got == 0) return false;
    if (search_.Feed(buffer_.get(), got)) {
      window = search_.Window();
      return true;
    }
    if (got < kReadSize) return false;
  }
}

}  // namespace sorvane
