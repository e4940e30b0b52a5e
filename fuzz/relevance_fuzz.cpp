// Any description against any words: a score from 0 to 100 that ignores case.

#include "core/relevance.h"
#include "core/text_util.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvane::fuzz::FuzzInput input(data, size);
  const std::string words(input.NextField());
  const std::string description(input.Rest());
  const int score = sorvane::ScoreRelevance(description, words);
  FUZZ_CHECK(score >= 0 && score <= 100);
  FUZZ_CHECK(score == sorvane::ScoreRelevance(sorvane::ToUpperAscii(description), words));
  return 0;
}
