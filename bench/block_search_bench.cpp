// The scan's block reading alone, per instruction-set level, on a 128 KiB buffer
// that stays in the cache, as the reader's buffer does: text with a line end
// every few dozen bytes (where most of the packing work lies) and binary data
// with zero bytes. No phrase is found, so every byte is looked at.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "pcsearch/block_search.h"
#include "pcsearch/file_searcher.h"

namespace {

using sorvane::BlockSearch;
using sorvane::FileSearcher;
using sorvane::KernelLevel;

std::string MakeText(std::size_t size) {
  std::mt19937 random(1208);
  const char* const words[] = {"the", "of", "and", "harbor", "to", "in", "lamp", "is",
                               "that", "for", "it", "with", "as", "was", "on", "ropes"};
  const char* const gaps[] = {" ", " ", " ", " ", ", ", ". ", "\n", "\t", " = ", "(", ");\n"};
  std::string text;
  while (text.size() < size) {
    text += words[random() % 16];
    text += gaps[random() % 11];
  }
  text.resize(size);
  return text;
}

std::string MakeBinary(std::size_t size) {
  std::mt19937 random(2026);
  std::string data(size, '\0');
  for (char& c : data) c = static_cast<char>(random());
  return data;
}

void Search(benchmark::State& state, KernelLevel level, const std::string& data) {
  if (!sorvane::KernelLevelSupported(level)) {
    state.SkipWithError("this processor lacks the instruction set");
    return;
  }
  BlockSearch search("harbour lanterns", level);
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  for (auto _ : state) {
    search.Reset();
    benchmark::DoNotOptimize(search.Feed(bytes, data.size()));
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations() * data.size()));
}

const std::string& Text() {
  static const std::string text = MakeText(FileSearcher::kReadSize);
  return text;
}
const std::string& Binary() {
  static const std::string binary = MakeBinary(FileSearcher::kReadSize);
  return binary;
}

void BM_Text(benchmark::State& state) {
  Search(state, static_cast<KernelLevel>(state.range(0)), Text());
}
void BM_Binary(benchmark::State& state) {
  Search(state, static_cast<KernelLevel>(state.range(0)), Binary());
}

// 0 scalar, 1 SSSE3, 2 AVX2, 3 AVX-512.
BENCHMARK(BM_Text)->DenseRange(0, 3);
BENCHMARK(BM_Binary)->DenseRange(0, 3);

}  // namespace

BENCHMARK_MAIN();
