// Shortening texts to a column with "...", and the description's second and
// third lines, against a fixed-width and a proportional fake measure.

#include <gtest/gtest.h>

#include "results/fit_text.h"

namespace sorvane {
namespace {

// Every byte 10 pixels wide, so a text fits a width w when 10 * (length + 1) <= w.
int FixedWidth(std::string_view text) { return static_cast<int>(text.size()) * 10; }

// Narrow and wide letters, as a real font has them.
int Proportional(std::string_view text) {
  int width = 0;
  for (char c : text) {
    switch (c) {
      case 'i':
      case 'l':
      case '.':
        width += 3;
        break;
      case 'M':
      case 'W':
        width += 14;
        break;
      default:
        width += 8;
    }
  }
  return width;
}

TEST(FitText, FixedWidthMeasure) {
  const TextMeasure measure = FixedWidth;
  EXPECT_EQ(TextFitWidth(measure, "Hello world"), 120);
  EXPECT_EQ(FitText("Hello world", 120, measure), "Hello world");
  EXPECT_EQ(FitText("Hello world", 1000, measure), "Hello world");
  // Width 119 holds 7 characters and "..."; 100 holds 6.
  EXPECT_EQ(FitText("Hello world", 119, measure), "Hello w...");
  EXPECT_EQ(FitText("Hello world", 100, measure), "Hello ...");
  EXPECT_EQ(FitText("Hello world", 59, measure), "H...");
  EXPECT_EQ(FitText("Hello world", 40, measure), "...");
  EXPECT_EQ(FitText("", 10, measure), "");
}

TEST(FitText, ProportionalMeasureKeepsTheLongestStartThatFits) {
  const TextMeasure measure = Proportional;
  // Three narrow letters and three wide ones, plus 14 for the "M" of the margin.
  EXPECT_EQ(TextFitWidth(measure, "iiiWWW"), 65);
  EXPECT_EQ(FitText("iiiWWW", 65, measure), "iiiWWW");
  EXPECT_EQ(FitText("iiiWWW", 64, measure), "iiiWW...");
  EXPECT_EQ(FitText("iiiWWW", 59, measure), "iiiW...");
  EXPECT_EQ(FitText("iiiWWW", 45, measure), "iii...");
  // Dropping narrow letters gains little: the same width keeps only "WW".
  EXPECT_EQ(FitText("WWWiii", 64, measure), "WW...");
}

TEST(FitText, ANegativeWidthCountsAsUnsignedAndLeavesTheTextWhole) {
  const TextMeasure measure = FixedWidth;
  EXPECT_EQ(FitText("A rather long description", -1, measure), "A rather long description");
  EXPECT_EQ(FitText("A rather long description", -30, measure), "A rather long description");
}

TEST(FitText, AWidthTooSmallForTheEllipsisEndsWithNothing) {
  int calls = 0;
  const TextMeasure measure = [&calls](std::string_view text) {
    ++calls;
    return FixedWidth(text);
  };
  const std::string text(350, 'x');
  for (int width : {0, 1, 39}) {
    calls = 0;
    EXPECT_EQ(FitText(text, width, measure), "") << width;
    // Two measures per candidate: the text with "...", and each start with "...".
    EXPECT_LE(calls, 2 * (static_cast<int>(text.size()) + 2));
  }
  EXPECT_EQ(FitText("", 0, measure), "");
}

TEST(FitText, TheTextWithTheEllipsisIsTriedBeforeAnyCut) {
  // A font whose "..." kerns back under the letters before it.
  const TextMeasure kerning = [](std::string_view text) {
    const int width = FixedWidth(text);
    return text.ends_with("...") ? width - 40 : width;
  };
  EXPECT_EQ(FitText("Hello", 55, kerning), "Hello...");
}

TEST(FitText, ACutNeverSplitsAUtf8Character) {
  const TextMeasure measure = FixedWidth;
  // "café": the é is two bytes; a cut after its first byte would leave a broken
  // character for the list to draw.
  EXPECT_EQ(FitText("caf\xC3\xA9s noirs", 80, measure), "caf...");
  EXPECT_EQ(FitText("caf\xC3\xA9s noirs", 90, measure), "caf\xC3\xA9...");
}

TEST(FitDescriptionLines, AFittingDescriptionIsOneLine) {
  const TextMeasure measure = FixedWidth;
  EXPECT_EQ(FitDescriptionLines("Short", 200, measure), (DescriptionLines{"Short", std::nullopt}));
  EXPECT_EQ(FitDescriptionLines("", 200, measure), (DescriptionLines{"", std::nullopt}));
  // A negative width leaves the text whole, so there is nothing to continue.
  EXPECT_EQ(FitDescriptionLines("A long description", -10, measure),
            (DescriptionLines{"A long description", std::nullopt}));
}

TEST(FitDescriptionLines, TheThirdLineGoesOnFromTheFirstHiddenCharacter) {
  const TextMeasure measure = FixedWidth;
  // Width 150 holds 11 characters and "...".
  EXPECT_EQ(FitDescriptionLines("abcdefghijklmnopqrst", 150, measure),
            (DescriptionLines{"abcdefghijk...", "lmnopqrst"}));
  // The rest is itself cut when it is too long; nothing goes beyond it.
  EXPECT_EQ(FitDescriptionLines("abcdefghijklmnopqrstuvwxyz0123456789", 150, measure),
            (DescriptionLines{"abcdefghijk...", "lmnopqrstuv..."}));

  const TextMeasure proportional = Proportional;
  const DescriptionLines lines = FitDescriptionLines("Wild lilies in the Mill", 120, proportional);
  ASSERT_TRUE(lines.third.has_value());
  ASSERT_TRUE(lines.second.ends_with("..."));
  const std::string shown = lines.second.substr(0, lines.second.size() - 3);
  EXPECT_EQ(shown + *lines.third, "Wild lilies in the Mill");
}

TEST(FitDescriptionLines, NoThirdLineWhenTheSecondWasNotCut) {
  const TextMeasure kerning = [](std::string_view text) {
    const int width = FixedWidth(text);
    return text.ends_with("...") ? width - 40 : width;
  };
  // The second line came back longer than the text ("Hello..."), not shorter.
  EXPECT_EQ(FitDescriptionLines("Hello", 55, kerning), (DescriptionLines{"Hello...", std::nullopt}));
  // Nothing fits: an empty second line and no third.
  EXPECT_EQ(FitDescriptionLines("Hello", 20, FixedWidth), (DescriptionLines{"", std::nullopt}));
}

}  // namespace
}  // namespace sorvane
