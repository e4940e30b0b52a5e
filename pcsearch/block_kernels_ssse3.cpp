#include <tmmintrin.h>

#include <cstring>

#include "pcsearch/block_stream_impl.h"

namespace sorvane {

namespace {

using namespace kernel_detail;

// Writes the bytes of `v` selected by the 16-bit `mask`, packed, at `out`; may
// write up to 16 bytes. Returns how many were kept.
// No shortcut for a chunk kept whole: in text that branch is unpredictable and
// costs more than it saves.
inline std::size_t Emit16(__m128i v, unsigned mask, unsigned char* out) {
  const unsigned low = mask & 0xFF;
  const unsigned high = mask >> 8;
  const __m128i shuffle = _mm_set_epi64x(
      static_cast<long long>(kCompactTable.lanes[high] + 0x0808080808080808ull),
      static_cast<long long>(kCompactTable.lanes[low]));
  const __m128i packed = _mm_shuffle_epi8(v, shuffle);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
  const std::size_t lowCount = kCompactTable.counts[low];
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + lowCount), _mm_srli_si128(packed, 8));
  return lowCount + kCompactTable.counts[high];
}

struct Ssse3Compact {
  std::size_t operator()(const unsigned char* in, std::size_t size, unsigned char* out) const {
    const __m128i zero = _mm_setzero_si128();
    const __m128i below = _mm_set1_epi8(31);
    const __m128i above = _mm_set1_epi8(127);
    std::size_t kept = 0;
    for (std::size_t at = 0; at < size; at += 16) {
      __m128i v;
      if (size - at >= 16) {
        v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
      } else {
        // A short tail is padded with zero bytes, which end the block just where
        // its bytes end.
        alignas(16) unsigned char tail[16] = {};
        std::memcpy(tail, in + at, size - at);
        v = _mm_load_si128(reinterpret_cast<const __m128i*>(tail));
      }
      const unsigned zeros = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)));
      // Signed compares: bytes from 128 up are negative and fail the first test.
      unsigned printable = static_cast<unsigned>(_mm_movemask_epi8(
          _mm_and_si128(_mm_cmpgt_epi8(v, below), _mm_cmpgt_epi8(above, v))));
      if (zeros != 0) {
        printable &= (1u << __builtin_ctz(zeros)) - 1;
        return kept + Emit16(v, printable, out + kept);
      }
      kept += Emit16(v, printable, out + kept);
    }
    return kept;
  }
};

std::size_t BuildSsse3(const unsigned char* in, std::size_t size, unsigned char* stream,
                       std::size_t length, std::size_t phraseLength, bool& carry, BlockSpan* spans) {
  return BuildStream(in, size, stream, length, phraseLength, carry, spans, Ssse3Compact{});
}

inline __m128i FilterBytes(__m128i v, unsigned char wanted, bool letter) {
  if (letter) v = _mm_or_si128(v, _mm_set1_epi8(0x20));
  return _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(wanted)));
}

std::size_t FindSsse3(const unsigned char* stream, std::size_t length, const PhraseFilter& filter) {
  if (length < filter.length) return length;
  const std::size_t last = length - filter.length;
  // Loads may reach up to 15 bytes past `last` plus the filter offsets: inside
  // the stream's slack, and every candidate past `last` is dropped.
  for (std::size_t at = 0; at <= last; at += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(stream + at + filter.firstAt));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(stream + at + filter.secondAt));
    unsigned candidates = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(FilterBytes(a, filter.first, filter.firstIsLetter),
                      FilterBytes(b, filter.second, filter.secondIsLetter))));
    while (candidates != 0) {
      const std::size_t position = at + static_cast<std::size_t>(__builtin_ctz(candidates));
      if (position > last) return length;
      if (MatchesAt(stream + position, filter)) return position;
      candidates &= candidates - 1;
    }
  }
  return length;
}

}  // namespace

BlockKernels Ssse3BlockKernels() { return {&BuildSsse3, &FindSsse3}; }

}  // namespace sorvane
