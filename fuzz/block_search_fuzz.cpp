// Any phrase and any file contents, fed in any whole-block pieces: the scan's
// fast reading, at every instruction-set level this processor runs, finds a
// hit exactly when the plain 256-byte reading does, with the same window.

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "fuzz/fuzz_input.h"
#include "pcsearch/block_search.h"
#include "pcsearch/keep_printable.h"
#include "pcsearch/plain_block_search.h"

namespace {

using sorvane::BlockSearch;
using sorvane::KernelLevel;

struct Outcome {
  bool found = false;
  std::string window;
  bool operator==(const Outcome&) const = default;
};

Outcome Plain(std::string_view contents, std::string_view phrase) {
  const std::optional<std::string> window = sorvane::FindWindowPlain(contents, phrase);
  return window ? Outcome{true, *window} : Outcome{};
}

// One search object per phrase and level, kept across inputs and Reset before
// each, as a reader thread keeps its own from file to file. (Building one clears
// a quarter-megabyte stream, which would otherwise be most of each run.)
BlockSearch& SearchFor(std::string_view phrase, KernelLevel level) {
  // About 200 MB at most; the oldest goes first.
  constexpr std::size_t kMostKept = 768;
  using Key = std::pair<std::string, int>;
  static std::map<Key, std::unique_ptr<BlockSearch>> kept;
  static std::deque<Key> order;
  const Key key{std::string(phrase), static_cast<int>(level)};
  std::unique_ptr<BlockSearch>& search = kept[key];
  if (!search) {
    search = std::make_unique<BlockSearch>(phrase, level);
    order.push_back(key);
    if (order.size() > kMostKept) {
      kept.erase(order.front());
      order.pop_front();
    }
  }
  search->Reset();
  return *search;
}

// Feeds the contents in pieces whose sizes (in blocks) the input chose, cycling
// through them; every piece but the last is a whole number of blocks.
Outcome Fast(std::string_view contents, std::string_view phrase, KernelLevel level,
             std::string_view pieceSizes) {
  BlockSearch& search = SearchFor(phrase, level);
  FUZZ_CHECK(search.CanMatch());
  std::size_t at = 0;
  std::size_t piece = 0;
  while (at < contents.size()) {
    const std::size_t blocks =
        pieceSizes.empty() ? BlockSearch::kMaxFeed / BlockSearch::kBlockSize
                           : 1 + static_cast<unsigned char>(pieceSizes[piece++ % pieceSizes.size()]) % 8;
    const std::size_t size = std::min(blocks * BlockSearch::kBlockSize, contents.size() - at);
    if (search.Feed(reinterpret_cast<const unsigned char*>(contents.data() + at), size)) break;
    at += size;
  }
  return search.Found() ? Outcome{true, search.Window()} : Outcome{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvane::fuzz::FuzzInput input(data, size);
  const std::string_view pieceSizes = input.NextField();
  const std::string_view phrase = input.NextField();
  const std::string_view contents = input.Rest();

  const Outcome expected = Plain(contents, phrase);
  // A phrase no window can hold is never found; the fast reading is only built
  // for the others, since building one is most of a run's cost.
  const bool matchable = !phrase.empty() && phrase.size() <= BlockSearch::kBlockSize &&
                         std::all_of(phrase.begin(), phrase.end(), [](char c) {
                           return sorvane::IsWindowByte(static_cast<unsigned char>(c));
                         });
  if (!matchable) {
    FUZZ_CHECK(!expected.found);
    return 0;
  }
  for (int level = 0; level <= static_cast<int>(sorvane::BestKernelLevel()); ++level) {
    const KernelLevel kernels = static_cast<KernelLevel>(level);
    if (!sorvane::KernelLevelSupported(kernels)) continue;
    FUZZ_CHECK(Fast(contents, phrase, kernels, pieceSizes) == expected);
  }
  return 0;
}
