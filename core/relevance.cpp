#include "core/relevance.h"

#include <algorithm>
#include <string>

#include "core/text_util.h"

namespace sorvane {

int ScoreRelevance(std::string_view description, std::string_view words) {
  if (words.empty()) return 0;
  const std::string upperDescription = ToUpperAscii(description);
  const std::string upperWords = ToUpperAscii(words);

  int score = 10 * CountOverlapping(upperDescription, upperWords, 10);
  if (score >= 100) return 100;

  std::size_t wordStart = 0;
  for (std::size_t space = upperWords.find(' '); space != std::string::npos;
       space = upperWords.find(' ', space + 1)) {
    const std::string_view word = std::string_view(upperWords).substr(wordStart, space - wordStart);
    // Past 50 more occurrences the score is 100 whatever the rest adds.
    score += 2 * CountOverlapping(upperDescription, word, 50);
    if (score >= 100) return 100;
    wordStart = space + 1;
  }
  return std::min(score, 100);
}

}  // namespace sorvane
