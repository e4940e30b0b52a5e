#include <cstring>

#include "pcsearch/block_stream_impl.h"

namespace sorvane {

namespace {

using namespace kernel_detail;

struct ScalarCompact {
  std::size_t operator()(const unsigned char* in, std::size_t size, unsigned char* out) const {
    const void* zero = std::memchr(in, 0, size);
    if (zero != nullptr) size = static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - in);
    std::size_t kept = 0;
    // Branch-free: every byte is written, only printable ones advance the end.
    for (std::size_t i = 0; i < size; ++i) {
      const unsigned char c = in[i];
      out[kept] = c;
      kept += static_cast<unsigned char>(c - 32) < 95;
    }
    return kept;
  }
};

std::size_t BuildScalar(const unsigned char* in, std::size_t size, unsigned char* stream,
                        std::size_t length, std::size_t phraseLength, bool& carry, BlockSpan* spans) {
  return BuildStream(in, size, stream, length, phraseLength, carry, spans, ScalarCompact{});
}

bool FilterByte(unsigned char c, unsigned char wanted, bool letter) {
  return letter ? (c | 0x20) == wanted : c == wanted;
}

std::size_t FindScalar(const unsigned char* stream, std::size_t length, const PhraseFilter& filter) {
  if (length < filter.length) return length;
  const std::size_t last = length - filter.length;
  for (std::size_t at = 0; at <= last; ++at) {
    if (FilterByte(stream[at + filter.firstAt], filter.first, filter.firstIsLetter) &&
        FilterByte(stream[at + filter.secondAt], filter.second, filter.secondIsLetter) &&
        MatchesAt(stream + at, filter)) {
      return at;
    }
  }
  return length;
}

}  // namespace

BlockKernels ScalarBlockKernels() { return {&BuildScalar, &FindScalar}; }

}  // namespace sorvane
