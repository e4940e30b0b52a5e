#include <gtest/gtest.h>
#include <wx/dcmemory.h>

#include <cstdlib>
#include <string>

#include "results/fit_text.h"
#include "dialogs/wx_text.h"
#include "results/row_text_measure.h"

namespace sorvane {
namespace {

class RowTextMeasureTest : public ::testing::Test {
 protected:
  RowTextMeasureTest() : target_(200, 20, 24), dc_(target_) { dc_.SetFont(*wxNORMAL_FONT); }

  int Exact(std::string_view text) { return dc_.GetTextExtent(ToWx(text)).x; }

  wxBitmap target_;
  wxMemoryDC dc_;
};

TEST_F(RowTextMeasureTest, ShortenedCandidatesMeasureWithinTwoPixelsOfTheJoinedText) {
  RowTextMeasure measure(dc_);
  for (const std::string& text : {std::string("Antique Glass and Wooden Boats, a page about both"),
                                 std::string("Caf\xC3\xA9 cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e recipes"),
                                 std::string("Latin-1 bytes \xE9t\xE9 stay shown")}) {
    EXPECT_EQ(measure(text), Exact(text)) << text;
    for (std::size_t k = text.size(); k-- > 0;) {
      if (k > 0 && (static_cast<unsigned char>(text[k]) & 0xC0) == 0x80 && text.find("Latin-1") != 0) continue;
      const std::string candidate = text.substr(0, k) + "...";
      EXPECT_LE(std::abs(measure(candidate) - Exact(candidate)), 2) << candidate;
    }
  }
}

// Descriptions hold the letters of every script as UTF-8: at every column width
// the list's text is a start of them, never a cut letter shown as Latin-1.
TEST_F(RowTextMeasureTest, UnicodeDescriptionsAreFittedAndShownAsLetters) {
  RowTextMeasure measure(dc_);
  const std::string text =
      "\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\xAE\xE5\xA4\xA9\xE6\xB0\x97 \xE2\x80\x94 "
      "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC M\xC3\xBCnchen";
  const wxString letters = ToWx(text);
  EXPECT_EQ(letters.length(), 24u);
  EXPECT_EQ(letters[0], wxUniChar(0x6771));
  EXPECT_EQ(letters[18], wxUniChar(0xFC));
  for (int width = 0; width <= Exact(text) + 10; width += 3) {
    const std::string fitted = FitText(text, width, measure);
    const wxString shown = ToWx(fitted);
    EXPECT_EQ(shown, wxString::FromUTF8(fitted.data(), fitted.size())) << width;
    if (fitted.size() > 3) {
      EXPECT_EQ(shown[0], wxUniChar(0x6771)) << width;
    }
  }
}

TEST_F(RowTextMeasureTest, ShorteningAgreesWithMeasuringEveryCandidateAfresh) {
  const std::string description =
      "A description long enough to be cut on the second line and again on the third one, as results are";
  const TextMeasure exact = [this](std::string_view text) { return Exact(text); };
  int disagreements = 0;
  for (int width = 10; width < 700; width += 7) {
    RowTextMeasure fast(dc_);
    const TextMeasure quick = std::ref(fast);
    const DescriptionLines expected = FitDescriptionLines(description, width, exact);
    const DescriptionLines got = FitDescriptionLines(description, width, quick);
    if (!(expected == got)) ++disagreements;
  }
  // A candidate within two pixels of the width may be judged the other way.
  EXPECT_LE(disagreements, 3);
}

}  // namespace
}  // namespace sorvane
