#include "core/relevance.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvane {
namespace {

TEST(ScoreRelevance, WholeWordsCountTenEachAndEveryWordButTheLastTwo) {
  const struct {
    const char* description;
    const char* words;
    int expected;
  } cases[] = {
      // The phrase once (10) and "game" twice, once inside the phrase (2 x 2).
      {"Game software for a game night", "game software", 14},
      {"boats boats boats", "boats", 30},              // one word: whole-text count only
      {"BOATS and Boats", "boats", 20},                // letter case ignored
      {"aaaa", "aa", 30},                              // overlapping occurrences count
      {"nothing relevant", "boats", 0},
      {"anything", "", 0},
      {"a  b", "a  b", 12},                            // empty word between two spaces adds nothing
      {"x y x y", "x y", 24},                          // 2 x 10 + 2 x 2 for "x"
      {"caf\xE9 CAF\xC9", "caf\xE9", 10},               // bytes above 127 keep their case
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScoreRelevance(c.description, c.words), c.expected) << c.description << " / " << c.words;
  }
}

TEST(ScoreRelevance, CapsAtOneHundred) {
  std::string tenTimes;
  for (int i = 0; i < 10; ++i) tenTimes += "wooden boats ";
  EXPECT_EQ(ScoreRelevance(tenTimes, "wooden boats"), 100);
  EXPECT_EQ(ScoreRelevance(std::string(60, 'w'), "w x"), 100);  // 2 x 60 from the first word
  EXPECT_EQ(ScoreRelevance("wooden boats wooden boats", "wooden boats"), 24);
}

}  // namespace
}  // namespace sorvane
