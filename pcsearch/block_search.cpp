#include "pcsearch/block_search.h"

#include <algorithm>
#include <cstring>

#include "core/text_util.h"
#include "pcsearch/keep_printable.h"

namespace sorvane {

namespace {

// How often a byte turns up in ordinary text and code, roughly, per 10,000
// bytes; letters are counted without case. The filter tests the two rarest
// bytes of the phrase first.
int Commonness(unsigned char c) {
  static constexpr int kLetters[26] = {
      650, 120, 220, 340, 1000, 180, 160, 480, 560, 10, 60, 330, 200,  // a..m
      560, 600, 150, 8,   500,  520, 730, 230, 80,  190, 15, 160, 7};  // n..z
  if (c >= 'a' && c <= 'z') return kLetters[c - 'a'];
  if (c >= 'A' && c <= 'Z') return kLetters[c - 'A'];
  if (c == ' ') return 1500;
  if (c >= '0' && c <= '9') return 60;
  switch (c) {
    case '.': case ',': case '_': case '(': case ')': case ';': case '=': case '"': return 70;
    case '-': case '/': case ':': case '\'': case '*': case '<': case '>': case '{': case '}': return 40;
    default: return 5;
  }
}

bool IsLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

}  // namespace

BlockSearch::BlockSearch(std::string_view phrase, KernelLevel level)
    : phrase_(phrase), upperPhrase_(ToUpperAscii(phrase)), kernels_(KernelsFor(level)) {
  canMatch_ = !phrase_.empty() && phrase_.size() <= kBlockSize &&
              std::all_of(phrase_.begin(), phrase_.end(),
                          [](char c) { return IsWindowByte(static_cast<unsigned char>(c)); });
  if (!canMatch_) return;

  filter_.upper = reinterpret_cast<const unsigned char*>(upperPhrase_.data());
  filter_.length = upperPhrase_.size();
  std::size_t rarest = 0;
  for (std::size_t i = 1; i < upperPhrase_.size(); ++i) {
    if (Commonness(upperPhrase_[i]) < Commonness(upperPhrase_[rarest])) rarest = i;
  }
  std::size_t second = rarest;
  for (std::size_t i = 0; i < upperPhrase_.size(); ++i) {
    if (i == rarest) continue;
    if (second == rarest || Commonness(upperPhrase_[i]) < Commonness(upperPhrase_[second])) second = i;
  }
  auto prepare = [&](std::size_t at, unsigned char& wanted, bool& letter) {
    const unsigned char c = static_cast<unsigned char>(upperPhrase_[at]);
    letter = IsLetter(c);
    wanted = letter ? static_cast<unsigned char>(c | 0x20) : c;
  };
  filter_.firstAt = rarest;
  filter_.secondAt = second;
  prepare(rarest, filter_.first, filter_.firstIsLetter);
  prepare(second, filter_.second, filter_.secondIsLetter);

  // Room for a feed's texts, one separator per block, the carried tail and the
  // kernels' slack.
  stream_ = std::make_unique<unsigned char[]>(kMaxFeed + kMaxFeed / kBlockSize + kBlockSize +
                                              kStreamSlack);
  spans_.resize(kMaxFeed / kBlockSize);
  Reset();
}

void BlockSearch::Reset() {
  carried_ = 0;
  carry_ = false;
  found_ = false;
  window_.clear();
}

bool BlockSearch::Feed(const unsigned char* data, std::size_t size) {
  if (!canMatch_ || found_ || size == 0) return found_;
  size = std::min(size, kMaxFeed);
  const std::size_t tail = phrase_.size() - 1;
  unsigned char* const stream = stream_.get();
  const std::size_t length =
      kernels_.buildStream(data, size, stream, carried_, phrase_.size(), carry_, spans_.data());
  const std::size_t blocks = (size + kBlockSize - 1) / kBlockSize;

  const std::size_t at = kernels_.findPhrase(stream, length, filter_);
  if (at < length) {
    // The hit belongs to the block in which the phrase's last byte lies.
    const std::size_t lastByte = at + phrase_.size() - 1;
    const auto span = std::upper_bound(
        spans_.begin(), spans_.begin() + static_cast<std::ptrdiff_t>(blocks), lastByte,
        [](std::size_t position, const BlockSpan& block) { return position < block.end; });
    const std::size_t start = span->carryIn ? span->start - tail : span->start;
    window_.assign(reinterpret_cast<const char*>(stream + start), span->end - start);
    found_ = true;
    return true;
  }
  // A window that carries over begins the next feed's stream with its last
  // (phrase length - 1) bytes; those bytes are all inside the current window.
  carried_ = 0;
  if (carry_ && tail > 0) {
    std::memmove(stream, stream + length - tail, tail);
    carried_ = tail;
  }
  return false;
}

}  // namespace sorvane
