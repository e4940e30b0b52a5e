#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sorvane {

// The inner loops of the fast reading, one set per instruction-set level, chosen
// at run time. Each block's text (cut at its first zero byte, printable bytes
// only) is appended to one stream; a block that starts without a carried-over
// window is preceded by a zero byte, which no phrase can match across. So a single
// search of the stream finds exactly the windows the block-by-block reading finds.

enum class KernelLevel { Scalar, Ssse3, Avx2, Avx512 };

struct BlockSpan {
  std::uint32_t start = 0;  // the block text's first byte in the stream
  std::uint32_t end = 0;    // one past its last byte
  bool carryIn = false;     // the window begins with the previous window's tail
};

// The phrase prepared for searching: upper-cased, with the two bytes the filter
// tests first (the rarest in ordinary text).
struct PhraseFilter {
  const unsigned char* upper = nullptr;
  std::size_t length = 0;
  std::size_t firstAt = 0;
  std::size_t secondAt = 0;
  unsigned char first = 0;   // lower case when `firstIsLetter`
  unsigned char second = 0;
  bool firstIsLetter = false;
  bool secondIsLetter = false;
};

// Bytes the stream must have writable past its text for the kernels' wide stores
// and loads.
inline constexpr std::size_t kStreamSlack = 128;

struct BlockKernels {
  // Appends the texts of the blocks of `in` (256 bytes each, the last may be
  // shorter) to `stream` from `streamLength` on, updating `carry` (does the next
  // block carry the window over?) and writing one span per block. Returns the new
  // stream length.
  std::size_t (*buildStream)(const unsigned char* in, std::size_t size, unsigned char* stream,
                             std::size_t streamLength, std::size_t phraseLength, bool& carry,
                             BlockSpan* spans);
  // The first position of the phrase in stream[0, length), or `length` when none.
  std::size_t (*findPhrase)(const unsigned char* stream, std::size_t length,
                            const PhraseFilter& filter);
};

BlockKernels ScalarBlockKernels();
BlockKernels Ssse3BlockKernels();
BlockKernels Avx2BlockKernels();
BlockKernels Avx512BlockKernels();  // AVX-512 BW with the byte compress of VBMI2

// The best level this processor runs, and whether it runs `level` at all.
KernelLevel BestKernelLevel();
bool KernelLevelSupported(KernelLevel level);
BlockKernels KernelsFor(KernelLevel level);
std::string_view KernelLevelName(KernelLevel level);

}  // namespace sorvane
