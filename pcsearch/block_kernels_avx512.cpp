#include <immintrin.h>

#include "pcsearch/block_stream_impl.h"

namespace sorvane {

namespace {

using namespace kernel_detail;

inline __mmask64 ValidBytes(std::size_t count) {
  return count >= 64 ? ~__mmask64{0} : (__mmask64{1} << count) - 1;
}

// One instruction packs the kept bytes of 64 (the byte compress of VBMI2); it is
// used in its register form and stored whole, since storing it compressed
// straight to memory is slow on some processors.
struct Avx512Compact {
  std::size_t operator()(const unsigned char* in, std::size_t size, unsigned char* out) const {
    const __m512i space = _mm512_set1_epi8(32);
    const __m512i printableCount = _mm512_set1_epi8(95);
    std::size_t kept = 0;
    for (std::size_t at = 0; at < size; at += 64) {
      const __mmask64 valid = ValidBytes(size - at);
      // A masked load reads nothing past the block, so the block's end needs
      // no copy.
      const __m512i v = _mm512_maskz_loadu_epi8(valid, in + at);
      const __mmask64 zeros = _mm512_mask_cmpeq_epi8_mask(valid, v, _mm512_setzero_si512());
      __mmask64 printable =
          _mm512_mask_cmplt_epu8_mask(valid, _mm512_sub_epi8(v, space), printableCount);
      if (zeros != 0) printable &= (__mmask64{1} << __builtin_ctzll(zeros)) - 1;
      // Packed whatever the mask: a branch for chunks kept whole is
      // unpredictable in text and costs more than the packing.
      _mm512_storeu_si512(out + kept, _mm512_maskz_compress_epi8(printable, v));
      kept += static_cast<std::size_t>(__builtin_popcountll(printable));
      if (zeros != 0) return kept;
    }
    return kept;
  }
};

std::size_t BuildAvx512(const unsigned char* in, std::size_t size, unsigned char* stream,
                        std::size_t length, std::size_t phraseLength, bool& carry,
                        BlockSpan* spans) {
  return BuildStream(in, size, stream, length, phraseLength, carry, spans, Avx512Compact{});
}

inline __mmask64 FilterBytes(__m512i v, unsigned char wanted, bool letter) {
  if (letter) v = _mm512_or_si512(v, _mm512_set1_epi8(0x20));
  return _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(static_cast<char>(wanted)));
}

std::size_t FindAvx512(const unsigned char* stream, std::size_t length,
                       const PhraseFilter& filter) {
  if (length < filter.length) return length;
  const std::size_t last = length - filter.length;
  // Loads may reach 63 bytes past `last` plus the filter offsets: inside the
  // stream's slack, and every candidate past `last` is dropped.
  for (std::size_t at = 0; at <= last; at += 64) {
    const __m512i a = _mm512_loadu_si512(stream + at + filter.firstAt);
    const __m512i b = _mm512_loadu_si512(stream + at + filter.secondAt);
    unsigned long long candidates = FilterBytes(a, filter.first, filter.firstIsLetter) &
                                    FilterBytes(b, filter.second, filter.secondIsLetter);
    while (candidates != 0) {
      const std::size_t position = at + static_cast<std::size_t>(__builtin_ctzll(candidates));
      if (position > last) return length;
      if (MatchesAt(stream + position, filter)) return position;
      candidates &= candidates - 1;
    }
  }
  return length;
}

}  // namespace

BlockKernels Avx512BlockKernels() { return {&BuildAvx512, &FindAvx512}; }

}  // namespace sorvane
