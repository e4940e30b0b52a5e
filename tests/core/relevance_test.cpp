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
      {"caf\xE9 CAF\xC9", "caf\xE9", 10},               // bytes that are not UTF-8 stay as they are
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScoreRelevance(c.description, c.words), c.expected) << c.description << " / " << c.words;
  }
}

TEST(ScoreRelevance, EveryLetterIsComparedWithoutCase) {
  const struct {
    const char* description;
    const char* words;
    int expected;
  } cases[] = {
      {"Caf\xC3\xA9 CAF\xC3\x89 caf\xC3\xA9", "caf\xC3\xA9", 30},                        // é and É
      {"M\xC3\x9CNCHEN", "m\xC3\xBCnchen", 10},                                          // Ü and ü
      {"\xCE\xA3\xCE\x8A\xCE\xA3\xCE\xA5\xCE\xA6\xCE\x9F\xCE\xA3", "\xCF\x83\xCE\xAF\xCF\x83\xCF\x85\xCF\x86\xCE\xBF\xCF\x82",
       10},                                                                            // ΣΊΣΥΦΟΣ, σίσυφος
      {"STRASSE und Stra\xC3\x9F" "e", "stra\xC3\x9F" "e", 20},                           // ß folds to ss
      {"\xD0\x9C\xD0\x9E\xD0\xA1\xD0\x9A\xD0\x92\xD0\x90 city", "\xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 city", 12},  // МОСКВА: phrase and first word
      {"\xE6\x9D\xB1\xE4\xBA\xAC \xE6\x9D\xB1\xE4\xBA\xAC", "\xE6\x9D\xB1\xE4\xBA\xAC", 20},          // no case: bytes
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScoreRelevance(c.description, c.words), c.expected) << c.description << " / " << c.words;
  }
}

TEST(ScoreRelevance, OneWordFoundTenTimesScoresExactlyOneHundredAndNineTimesNinety) {
  std::string text;
  for (int times = 1; times <= 12; ++times) {
    text += "boat ";
    EXPECT_EQ(ScoreRelevance(text, "boat"), times >= 10 ? 100 : 10 * times) << times << " times";
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
