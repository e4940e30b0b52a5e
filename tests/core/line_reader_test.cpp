#include "core/line_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace sorvane {
namespace {

std::vector<std::string> AllLines(std::string_view text) {
  LineReader reader(text);
  std::vector<std::string> lines;
  while (!reader.AtEnd()) {
    std::string line = reader.ReadLine();
    if (reader.LastReadWasEmptyAtEnd()) break;
    lines.push_back(line);
  }
  return lines;
}

TEST(LineReader, LfAndCrLfReadTheSameWithTrailingWhiteSpaceCut) {
  const std::vector<std::string> expected = {"one", "  two", "", "three"};
  EXPECT_EQ(AllLines("one\n  two\n\nthree\n"), expected);
  EXPECT_EQ(AllLines("one\r\n  two \t\r\n\r\nthree\r\n"), expected);
  EXPECT_EQ(AllLines("one\n  two\n\nthree"), expected);
}

TEST(LineReader, LinesOfMaxLengthStayWholeLongerOnesComeInPieces) {
  const std::string exact(1022, 'a');
  EXPECT_EQ(AllLines(exact + "\nnext\n"), (std::vector<std::string>{exact, "next"}));
  EXPECT_EQ(AllLines(exact + "\r\nnext\r\n"), (std::vector<std::string>{exact, "next"}));

  const std::string longer = std::string(1022, 'b') + "c";
  EXPECT_EQ(AllLines(longer + "\nnext\n"),
            (std::vector<std::string>{std::string(1022, 'b'), "c", "next"}));

  const std::string twoPieces(2044, 'd');
  EXPECT_EQ(AllLines(twoPieces + "\n"),
            (std::vector<std::string>{std::string(1022, 'd'), std::string(1022, 'd')}));
}

TEST(LineReader, EndFlagFollowsTheCStreamRule) {
  LineReader withBreak("last\n");
  EXPECT_EQ(withBreak.ReadLine(), "last");
  EXPECT_FALSE(withBreak.AtEnd());
  EXPECT_EQ(withBreak.ReadLine(), "");
  EXPECT_TRUE(withBreak.AtEnd());
  EXPECT_TRUE(withBreak.LastReadWasEmptyAtEnd());

  LineReader withoutBreak("last");
  EXPECT_EQ(withoutBreak.ReadLine(), "last");
  EXPECT_TRUE(withoutBreak.AtEnd());
  EXPECT_FALSE(withoutBreak.LastReadWasEmptyAtEnd());

  LineReader empty("");
  EXPECT_EQ(empty.ReadLine(), "");
  EXPECT_TRUE(empty.AtEnd());
}

}  // namespace
}  // namespace sorvane
