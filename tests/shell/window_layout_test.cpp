// The main window's bars at the widths a person may give the window: they
// shrink, then wrap, and never cover one another or cut a text.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/toolbar.h>

#include <cstdlib>
#include <vector>

#include "shell/frame_fixture.h"
#include "support/layout_checks.h"

namespace sorvane::testing {
namespace {

using WindowLayout = FrameTest;

// Every shown control of the bars: the rebar's own children (toolbar,
// throbber, address label and box) and the Previous Searches bar's.
std::vector<wxWindow*> BarControls(CMainFrame& frame) {
  std::vector<wxWindow*> controls;
  for (wxWindow* child : frame.ReBar()->GetChildren()) {
    if (!child->IsShown()) continue;
    if (child == frame.DialogBar()) {
      for (wxWindow* inner : child->GetChildren())
        if (inner->IsShown()) controls.push_back(inner);
    } else {
      controls.push_back(child);
    }
  }
  return controls;
}

// A control's place in the frame's client area, from the positions the
// layout gave each window on the way up: the toolkit's own screen positions
// of nested windows follow a resize only some time later.
wxRect PlaceInFrame(const wxWindow& control, const CMainFrame& frame) {
  wxRect place = control.GetRect();
  for (const wxWindow* parent = control.GetParent(); parent && parent != &frame; parent = parent->GetParent())
    place.Offset(parent->GetPosition());
  return place;
}

int CentreYInFrame(const wxWindow& control, const CMainFrame& frame) {
  const wxRect place = PlaceInFrame(control, frame);
  return place.y + place.height / 2;
}

// The toolkit hands a new size over in steps on a loaded machine: the checks
// look at the bars once the window and its rebar have the width.
void ResizeTo(CMainFrame& frame, int width) {
  frame.SetSize(wxSize(width, 600));
  ASSERT_TRUE(PumpUntil([&] { return frame.ReBar()->GetSize().x == frame.GetClientSize().x && frame.GetSize().x == width; }))
      << "the window did not take the width " << width;
}

void ExpectBarsApartInsideAndWhole(CMainFrame& frame, int width) {
  SCOPED_TRACE(::testing::Message() << "window " << width << " pixels wide");
  const wxRect client(wxPoint(0, 0), frame.GetClientSize());
  const std::vector<wxWindow*> controls = BarControls(frame);
  for (size_t i = 0; i < controls.size(); ++i) {
    const wxRect place = PlaceInFrame(*controls[i], frame);
    EXPECT_TRUE(client.Contains(place)) << Describe(*controls[i]) << " leaves the window";
    for (size_t j = 0; j < i; ++j)
      EXPECT_FALSE(place.Intersects(PlaceInFrame(*controls[j], frame)))
          << Describe(*controls[i]) << " covers " << Describe(*controls[j]);
  }
  ExpectNoCutTexts(*frame.DialogBar());
}

TEST_F(WindowLayout, BarsShrinkThenWrapAndNeverCoverOneAnother) {
  CMainFrame& frame = Open(true);
  const wxComboBox& address = *frame.AddressBox();
  for (const int width : {1280, 1024, 800, 640, 560}) {
    ResizeTo(frame, width);
    ExpectBarsApartInsideAndWhole(frame, width);
    EXPECT_GE(address.GetSize().x, 200) << width;
    EXPECT_GT(frame.PreviousSearches()->GetSize().x, 0) << width;
  }
  // Wide, the Previous Searches bar sits beside the address box; at 640
  // pixels it has a row of its own under it.
  ResizeTo(frame, 1024);
  EXPECT_LT(std::abs(CentreYInFrame(*frame.DeleteSearchButton(), frame) - CentreYInFrame(address, frame)), address.GetSize().y / 2);
  ResizeTo(frame, 640);
  EXPECT_GE(PlaceInFrame(*frame.DeleteSearchButton(), frame).y, PlaceInFrame(address, frame).GetBottom());
  // Back to wide, it returns beside the address box.
  ResizeTo(frame, 1280);
  EXPECT_LT(std::abs(CentreYInFrame(*frame.DeleteSearchButton(), frame) - CentreYInFrame(address, frame)), address.GetSize().y / 2);
  ExpectBarsApartInsideAndWhole(frame, 1280);
}

TEST_F(WindowLayout, WithoutABrowserTheBarsKeepApartAtEveryWidthToo) {
  CMainFrame& frame = Open(false);
  for (const int width : {1024, 640}) {
    ResizeTo(frame, width);
    ExpectBarsApartInsideAndWhole(frame, width);
  }
}

}  // namespace
}  // namespace sorvane::testing
