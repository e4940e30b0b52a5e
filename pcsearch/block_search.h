#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pcsearch/block_kernels.h"

namespace sorvane {

// The scan's reading of one file at a time, over large buffers, giving exactly the
// window the plain 256-byte reading (PlainBlockSearch) gives for every file.
// Thread rule: one thread at a time per object; each reader thread has its own.
class BlockSearch {
 public:
  static constexpr std::size_t kBlockSize = 256;
  // The most bytes one Feed call takes.
  static constexpr std::size_t kMaxFeed = 256 * 1024;

  explicit BlockSearch(std::string_view phrase, KernelLevel level = BestKernelLevel());

  // False when no file can ever match: an empty phrase, one longer than a block
  // (no window is ever that long before it carries over), or one holding a byte no
  // window keeps.
  bool CanMatch() const { return canMatch_; }

  // Starts a new file.
  void Reset();
  // The next bytes of the file, at most kMaxFeed of them. Every call but the
  // file's last must pass a whole number of 256-byte blocks. True once the phrase
  // was found; Window() then holds the description.
  bool Feed(const unsigned char* data, std::size_t size);
  bool Found() const { return found_; }
  const std::string& Window() const { return window_; }

 private:
  std::string phrase_;
  std::string upperPhrase_;
  PhraseFilter filter_;
  BlockKernels kernels_;
  bool canMatch_ = false;

  std::unique_ptr<unsigned char[]> stream_;
  std::vector<BlockSpan> spans_;
  std::size_t carried_ = 0;  // bytes at the stream's start taken from the last feed
  bool carry_ = false;
  bool found_ = false;
  std::string window_;
};

}  // namespace sorvane
