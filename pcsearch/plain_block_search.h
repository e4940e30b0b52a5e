#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// The scan's reading rule, written as plainly as it reads: 256-byte blocks, each
// cut at its first zero byte and stripped to printable bytes, the previous window's
// last (phrase length - 1) characters carried over when that window is at least as
// long as the phrase, compared without regard to ASCII letter case. It is the
// yardstick the fast reading is checked against, not the one the scan uses.
// Thread rule: one thread at a time per object.
class PlainBlockSearch {
 public:
  static constexpr std::size_t kBlockSize = 256;

  explicit PlainBlockSearch(std::string_view phrase);

  // One block of the file, in file order; only the last may be shorter than 256
  // bytes. True once a window holds the phrase; later blocks are then ignored.
  bool FeedBlock(std::string_view block);
  bool Found() const { return found_; }
  // The window (letter case as read) in which the phrase was found.
  const std::string& Window() const { return window_; }

 private:
  std::string phrase_;
  std::string upperPhrase_;
  std::string window_;
  bool found_ = false;
};

// The window of the first block whose window holds `phrase`, reading `contents`
// as a file of those bytes; nothing when no window does or the phrase is empty.
std::optional<std::string> FindWindowPlain(std::string_view contents, std::string_view phrase);

// The same for a file on disk read in 256-byte blocks; nothing also when the file
// cannot be opened.
std::optional<std::string> SearchFilePlain(const std::string& path, std::string_view phrase);

}  // namespace sorvane
