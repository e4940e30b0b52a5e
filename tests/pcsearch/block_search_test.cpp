// The fast reading against the plain 256-byte reading, and the reading rule itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "pcsearch/block_search.h"
#include "pcsearch/file_searcher.h"
#include "pcsearch/keep_printable.h"
#include "pcsearch/plain_block_search.h"

namespace sorvane {
namespace {

std::vector<KernelLevel> RunnableLevels() {
  std::vector<KernelLevel> levels;
  for (KernelLevel level :
       {KernelLevel::Scalar, KernelLevel::Ssse3, KernelLevel::Avx2, KernelLevel::Avx512}) {
    if (KernelLevelSupported(level)) levels.push_back(level);
  }
  return levels;
}

// Feeds `contents` in pieces of `feedSize` (a whole number of blocks), as the
// scan's reader does with its buffer.
std::optional<std::string> FindWindowFast(std::string_view contents, std::string_view phrase,
                                          KernelLevel level, std::size_t feedSize) {
  BlockSearch search(phrase, level);
  for (std::size_t at = 0; at < contents.size(); at += feedSize) {
    const std::size_t size = std::min(feedSize, contents.size() - at);
    if (search.Feed(reinterpret_cast<const unsigned char*>(contents.data() + at), size)) {
      return search.Window();
    }
  }
  return std::nullopt;
}

void ExpectSameEverywhere(const std::string& contents, const std::string& phrase,
                          const std::string& what) {
  const std::optional<std::string> plain = FindWindowPlain(contents, phrase);
  for (KernelLevel level : RunnableLevels()) {
    for (std::size_t feed : {std::size_t{256}, std::size_t{768}, FileSearcher::kReadSize}) {
      const std::optional<std::string> fast = FindWindowFast(contents, phrase, level, feed);
      ASSERT_EQ(fast, plain) << what << ", " << KernelLevelName(level) << ", feed " << feed
                             << ", size " << contents.size() << ", phrase length " << phrase.size();
    }
  }
}

TEST(KeepPrintable, KeepsCodes32To126Only) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  std::string expected;
  for (int c = 32; c <= 126; ++c) expected += static_cast<char>(c);
  EXPECT_EQ(KeepPrintable(all), expected);
  EXPECT_EQ(KeepPrintable("xy\x07z\x7f\xe9!"), "xyz!");
}

struct RuleCase {
  const char* what;
  std::string contents;
  std::string phrase;
  std::optional<std::string> window;
};

std::string Filler(std::size_t size, char c = 'q') { return std::string(size, c); }

std::vector<RuleCase> RuleCases() {
  std::vector<RuleCase> cases;
  {
    std::string file = "A short note about wooden boats and sails." + Filler(58, '.');
    cases.push_back({"100-byte file", file, "wooden boats", file});
  }
  {
    // Bytes 250 to 259: the phrase straddles the first two blocks.
    std::string file = Filler(250) + "0123456789" + Filler(40);
    cases.push_back({"straddles a block edge", file, "0123456789",
                     Filler(3) + "0123456789" + Filler(40)});
  }
  {
    std::string file = "abc" + std::string(1, '\0') + "wooden boats" + Filler(20);
    cases.push_back({"after a zero byte in the block", file, "wooden boats", std::nullopt});
  }
  {
    // After the zero byte's block, the next block is read afresh.
    std::string file = std::string(1, '\0') + Filler(255) + "wooden boats";
    cases.push_back({"zero byte ends only its own block", file, "wooden boats", "wooden boats"});
  }
  cases.push_back({"case as read", "He built WOODEN BOATS.", "Wooden Boats", "He built WOODEN BOATS."});
  cases.push_back({"control byte dropped", "xy\x07z", "xyz", "xyz"});
  cases.push_back({"a at sign is no back quote", "A`B", "a@b", std::nullopt});
  cases.push_back({"a bracket is no brace", "x{y", "X[Y", std::nullopt});
  cases.push_back({"phrase with a control byte never matches", "ab\tcd", "ab\tcd", std::nullopt});
  {
    // The window of the first block is 5 bytes, shorter than the phrase, so the
    // second block starts afresh and the straddling phrase is not found.
    std::string file = "abcde" + std::string(251, '\x01') + "fghij";
    cases.push_back({"short window carries nothing", file, "abcdefghij", std::nullopt});
  }
  {
    // A block whose text is empty ends the carried window.
    std::string file = Filler(250) + "abcde" + std::string(1, '\x02') + std::string(256, '\x03') +
                       "fghij";
    cases.push_back({"empty block breaks the carry", file, "abcdefghij", std::nullopt});
  }
  {
    std::string file = Filler(252) + "abcd" + "\n\n" + "efghij" + Filler(30);
    cases.push_back({"dropped bytes join across the edge", file, "abcdefgh",
                     Filler(3) + "abcdefghij" + Filler(30)});
  }
  {
    std::string phrase = Filler(256, 'z');
    // The first window carries its last 255 bytes, so the second window holds
    // the whole phrase.
    cases.push_back({"phrase of a whole block", Filler(3, 'y') + phrase, phrase,
                     Filler(2, 'y') + phrase});
    cases.push_back({"phrase of a whole block, aligned", phrase + "tail", phrase, phrase});
  }
  return cases;
}

TEST(BlockReading, FollowsTheReadingRule) {
  for (const RuleCase& c : RuleCases()) {
    EXPECT_EQ(FindWindowPlain(c.contents, c.phrase), c.window) << c.what << " (plain)";
    for (KernelLevel level : RunnableLevels()) {
      EXPECT_EQ(FindWindowFast(c.contents, c.phrase, level, FileSearcher::kReadSize), c.window)
          << c.what << " (" << KernelLevelName(level) << ")";
    }
  }
}

TEST(BlockReading, UnmatchablePhrasesAreKnownInAdvance) {
  EXPECT_FALSE(BlockSearch("").CanMatch());
  EXPECT_FALSE(BlockSearch(Filler(257)).CanMatch());
  EXPECT_FALSE(BlockSearch("caf\xc3\xa9").CanMatch());
  EXPECT_TRUE(BlockSearch(Filler(256)).CanMatch());
  EXPECT_TRUE(BlockSearch(" x").CanMatch());
}

// Contents made of runs: printable text, line ends, zero bytes, high bytes, and
// copies of the phrase in mixed case, some split by dropped bytes.
std::string Generate(std::mt19937& random, std::size_t size, const std::string& phrase, int zeroOdds) {
  std::string out;
  out.reserve(size + phrase.size());
  std::uniform_int_distribution<int> pick(0, 99);
  std::uniform_int_distribution<int> printable(32, 126);
  std::uniform_int_distribution<int> any(0, 255);
  while (out.size() < size) {
    const int kind = pick(random);
    if (kind < zeroOdds) {
      out += '\0';
    } else if (kind < 8) {
      out += static_cast<char>(any(random));
    } else if (kind < 12) {
      out += '\n';
    } else if (kind < 14 && !phrase.empty()) {
      for (char c : phrase) {
        if (pick(random) < 3) out += '\x05';
        out += (pick(random) < 50 && c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
      }
    } else {
      const int run = 1 + pick(random) / 4;
      for (int i = 0; i < run; ++i) out += static_cast<char>(printable(random) | (pick(random) < 70 ? 0x20 : 0));
    }
  }
  out.resize(size);
  return out;
}

TEST(BlockReading, FastEqualsPlainAroundEveryEdge) {
  std::mt19937 random(20261208);
  const std::vector<std::string> phrases = {"e", "Qz", "wooden boats", "@[`{", Filler(255, 'k'),
                                            Filler(256, 'k'), Filler(257, 'k'), Filler(1000, 'k')};
  const std::size_t buffer = FileSearcher::kReadSize;
  std::vector<std::size_t> sizes = {0, 1, 2, 31, 32, 33, 255, 256, 257, 511, 512, 513, 4095, 4097};
  for (std::size_t edge : {buffer, 2 * buffer}) {
    for (std::size_t delta : {std::size_t{0}, std::size_t{1}, std::size_t{255}, std::size_t{256},
                              std::size_t{257}}) {
      sizes.push_back(edge + delta);
      sizes.push_back(edge - delta);
    }
  }
  for (const std::string& phrase : phrases) {
    for (std::size_t size : sizes) {
      for (int zeroOdds : {0, 1}) {
        ExpectSameEverywhere(Generate(random, size, phrase, zeroOdds), phrase, "generated");
      }
    }
  }
}

TEST(BlockReading, FastEqualsPlainWithThePhrasePlantedAtEveryOffsetOfAnEdge) {
  // The phrase put across the block edge and across the buffer edge at every
  // offset, in text with no other copy of it.
  const std::size_t buffer = FileSearcher::kReadSize;
  for (const std::string& phrase : {std::string("Ab"), std::string("needle in hay"), Filler(255, 'n')}) {
    for (std::size_t edge : {std::size_t{256}, buffer}) {
      for (std::size_t offset = 0; offset <= phrase.size(); ++offset) {
        std::string contents(edge + 300, 'x');
        // Dropped line ends shorten the windows; a long phrase needs full blocks
        // to carry over.
        if (phrase.size() < 100) {
          for (std::size_t i = 0; i < contents.size(); i += 61) contents[i] = '\n';
        }
        contents.replace(edge - offset, phrase.size(), phrase);
        ExpectSameEverywhere(contents, phrase, "planted at edge - " + std::to_string(offset));
        ASSERT_TRUE(FindWindowPlain(contents, phrase).has_value());
      }
    }
  }
}

}  // namespace
}  // namespace sorvane
