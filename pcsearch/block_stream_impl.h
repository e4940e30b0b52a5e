#pragma once

// Shared loop bodies of the block kernels. Each instruction-set file includes this
// and instantiates it with a block compactor of its own that lives in an unnamed
// namespace, so nothing compiled for a wider instruction set is ever shared with
// code that may run on a processor without it.

#include <cstddef>
#include <cstring>

#include "pcsearch/block_kernels.h"

namespace sorvane::kernel_detail {
namespace {

inline constexpr std::size_t kBlock = 256;

template <class Compact>
std::size_t BuildStream(const unsigned char* in, std::size_t size, unsigned char* stream,
                        std::size_t length, std::size_t phraseLength, bool& carry,
                        BlockSpan* spans, Compact compact) {
  for (std::size_t at = 0; at < size; at += kBlock) {
    const std::size_t blockSize = size - at < kBlock ? size - at : kBlock;
    const bool carryIn = carry;
    if (!carryIn) stream[length++] = 0;
    const std::size_t start = length;
    const std::size_t kept = compact(in + at, blockSize, stream + length);
    length += kept;
    *spans++ = BlockSpan{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length),
                         carryIn};
    // The window is (phrase length - 1) carried bytes plus this block's text; it
    // carries on when it is at least as long as the phrase.
    carry = carryIn ? kept >= 1 : kept >= phraseLength;
  }
  return length;
}

inline unsigned char UpperByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}

inline bool MatchesAt(const unsigned char* at, const PhraseFilter& filter) {
  for (std::size_t i = 0; i < filter.length; ++i) {
    if (UpperByte(at[i]) != filter.upper[i]) return false;
  }
  return true;
}

// For each 8-bit mask: the indexes of its set bits, packed low first; unused
// lanes select nothing (0x80 makes a byte shuffle write zero).
struct CompactTable {
  unsigned long long lanes[256];
  unsigned char counts[256];
  constexpr CompactTable() : lanes(), counts() {
    for (unsigned mask = 0; mask < 256; ++mask) {
      unsigned long long packed = 0;
      unsigned count = 0;
      for (unsigned bit = 0; bit < 8; ++bit) {
        if (mask & (1u << bit)) packed |= static_cast<unsigned long long>(bit) << (8 * count++);
      }
      for (unsigned lane = count; lane < 8; ++lane) packed |= 0x80ull << (8 * lane);
      lanes[mask] = packed;
      counts[mask] = static_cast<unsigned char>(count);
    }
  }
};

inline constexpr CompactTable kCompactTable{};

}  // namespace
}  // namespace sorvane::kernel_detail
