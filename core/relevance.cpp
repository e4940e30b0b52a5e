#include "core/relevance.h"

#include <algorithm>
#include <string>

#include "core/case_fold.h"
#include "core/text_util.h"

namespace sorvane {

int ScoreRelevance(std::string_view description, std::string_view words) {
  if (words.empty()) return 0;
  const std::string foldedDescription = FoldCase(description);
  const std::string foldedWords = FoldCase(words);

  int score = 10 * CountOverlapping(foldedDescription, foldedWords, 10);
  if (score >= 100) return 100;

  std::size_t wordStart = 0;
  for (std::size_t space = foldedWords.find(' '); space != std::string::npos;
       space = foldedWords.find(' ', space + 1)) {
    const std::string_view word = std::string_view(foldedWords).substr(wordStart, space - wordStart);
    // Past 50 more occurrences the score is 100 whatever the rest adds.
    score += 2 * CountOverlapping(foldedDescription, word, 50);
    if (score >= 100) return 100;
    wordStart = space + 1;
  }
  return std::min(score, 100);
}

}  // namespace sorvane
