#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <set>
#include <tuple>

#include "dialogs/dib_pixels.h"
#include "dialogs/dib_static.h"

namespace sorvane {
namespace {

using Rgb = std::tuple<int, int, int>;

Rgb DecodedAt(const DibPixels& pixels, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * pixels.width + x) * 3;
  return {pixels.rgb[at], pixels.rgb[at + 1], pixels.rgb[at + 2]};
}

Rgb ShownAt(const wxImage& image, int x, int y) { return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)}; }

// Draws the control's picture into a bitmap of the control's size over a
// colour the pictures do not use.
wxImage DrawIntoControlSize(const CDibStatic& control) {
  const wxSize size = control.GetClientSize();
  wxBitmap target(size.x, size.y, 24);
  {
    wxMemoryDC dc(target);
    dc.SetBackground(wxBrush(wxColour(1, 2, 3)));
    dc.Clear();
    control.Draw(dc);
  }
  return target.ConvertToImage();
}

class DibStaticTest : public ::testing::Test {
 protected:
  void SetUp() override { frame_ = new wxFrame(nullptr, wxID_ANY, "picture"); }
  void TearDown() override { frame_->Destroy(); }
  wxFrame* frame_ = nullptr;
};

TEST_F(DibStaticTest, PictureLargerThanTheControlIsCutAtItsEdgesNotShrunk) {
  CDibStatic control(frame_, wxID_ANY, wxPoint(0, 0), wxSize(80, 100));
  ASSERT_TRUE(control.SetPicture(189));
  ASSERT_EQ(control.Dib().Width(), 130);
  ASSERT_EQ(control.Dib().RowCount(), 195);
  ASSERT_EQ(control.Dib().ColorCount(), 256u);
  const std::optional<DibPixels> decoded = DecodeDib(control.Dib());
  ASSERT_TRUE(decoded);

  const wxImage shown = DrawIntoControlSize(control);
  ASSERT_EQ(shown.GetWidth(), 80);
  ASSERT_EQ(shown.GetHeight(), 100);
  int mismatches = 0;
  std::set<Rgb> colours;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 80; ++x) {
      colours.insert(DecodedAt(*decoded, x, y));
      if (ShownAt(shown, x, y) != DecodedAt(*decoded, x, y)) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  // The comparison means something only if the visible part is not one flat
  // colour that a shrunken picture would also give.
  EXPECT_GT(colours.size(), 4u);
}

TEST_F(DibStaticTest, NothingIsDrawnBeforeSetPictureOrForAMissingNumber) {
  CDibStatic control(frame_, wxID_ANY, wxPoint(0, 0), wxSize(40, 40));
  EXPECT_FALSE(control.HasPicture());
  const Rgb untouched{1, 2, 3};
  EXPECT_EQ(ShownAt(DrawIntoControlSize(control), 10, 10), untouched);

  ASSERT_TRUE(control.SetPicture(189));
  EXPECT_FALSE(control.SetPicture(0));
  EXPECT_FALSE(control.HasPicture());
  EXPECT_TRUE(control.Dib().IsEmpty());
  EXPECT_EQ(ShownAt(DrawIntoControlSize(control), 10, 10), untouched);
}

TEST_F(DibStaticTest, FittedToItsPictureTheInsideIsExactlyThePictureAndAnEmptyControlKeepsItsSize) {
  CDibStatic framed(frame_, wxID_ANY, wxPoint(5, 7), wxSize(300, 400), wxBORDER_SUNKEN);
  ASSERT_TRUE(framed.SetPicture(189));
  framed.FitToPicture();
  EXPECT_EQ(framed.GetClientSize(), wxSize(130, 195));
  EXPECT_EQ(framed.GetPosition(), wxPoint(5, 7));
  EXPECT_GE(framed.GetSize().x, 130);

  CDibStatic empty(frame_, wxID_ANY, wxPoint(0, 0), wxSize(40, 50));
  EXPECT_FALSE(empty.SetPicture(0));
  empty.FitToPicture();
  EXPECT_EQ(empty.GetSize(), wxSize(40, 50));
}

}  // namespace
}  // namespace sorvane
