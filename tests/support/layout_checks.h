#pragma once

// Checks of a window's layout as this desktop's fonts make it: texts that are
// not cut, controls that stay inside their window and keep apart.

#include <gtest/gtest.h>
#include <wx/anybutton.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sorvane::testing {

inline std::string Describe(const wxWindow& control) {
  const wxString label = control.GetLabel();
  return wxString(control.GetClassInfo()->GetClassName()).utf8_string() + " \"" + label.utf8_string() + "\"";
}

// The controls of `window` that show a text of their own.
inline bool ShowsItsText(const wxWindow* control) {
  return dynamic_cast<const wxStaticText*>(control) || dynamic_cast<const wxAnyButton*>(control) ||
         dynamic_cast<const wxCheckBox*>(control) || dynamic_cast<const wxRadioButton*>(control);
}

// What a control needs to show its whole text. A push button draws its text
// over its padding when given less than its natural size, so only the text
// and a little room round it count; a label, check box or option button needs
// its natural size (the indicator, the gap and the text).
inline wxSize NeededForText(const wxWindow& control) {
  if (dynamic_cast<const wxAnyButton*>(&control)) {
    const wxSize text = control.GetTextExtent(wxStripMenuCodes(control.GetLabel()));
    constexpr int kRoom = 4;
    return {text.x + 2 * kRoom, text.y + kRoom};
  }
  return control.GetBestSize();
}

// Every label, button, check box and option button among the children of
// `window` is at least as wide and as tall as its text needs here.
inline void ExpectNoCutTexts(const wxWindow& window) {
  for (const wxWindow* child : window.GetChildren()) {
    if (!child->IsShown() || !ShowsItsText(child) || child->GetLabel().empty()) continue;
    const wxSize needed = NeededForText(*child);
    EXPECT_GE(child->GetSize().x, needed.x) << Describe(*child) << " is cut";
    EXPECT_GE(child->GetSize().y, needed.y) << Describe(*child) << " is cut";
  }
}

// The part of a control that shows something: a label draws its lines from
// its top, and a box taller than they need stays empty below them.
inline wxRect Occupied(const wxWindow& control) {
  wxRect place = control.GetRect();
  if (dynamic_cast<const wxStaticText*>(&control) && control.GetWindowStyle() & wxST_NO_AUTORESIZE) {
    wxClientDC dc(const_cast<wxWindow*>(&control));
    dc.SetFont(control.GetFont());
    place.height = std::min(place.height, dc.GetMultiLineTextExtent(control.GetLabel()).y);
  }
  return place;
}

// Every shown child of `window` lies inside its client area, and no two of
// them overlap (a group box frames others and is left out).
inline void ExpectChildrenInsideAndApart(const wxWindow& window) {
  const wxRect client(wxPoint(0, 0), window.GetClientSize());
  std::vector<const wxWindow*> placed;
  for (const wxWindow* child : window.GetChildren()) {
    if (!child->IsShown() || child->IsTopLevel() || dynamic_cast<const wxStaticBox*>(child)) continue;
    const wxRect place = Occupied(*child);
    EXPECT_TRUE(client.Contains(place)) << Describe(*child) << " at " << place.x << "," << place.y << " size "
                                        << place.width << "x" << place.height << " leaves the client area "
                                        << client.width << "x" << client.height;
    for (const wxWindow* other : placed) {
      const wxRect otherPlace = Occupied(*other);
      EXPECT_FALSE(place.Intersects(otherPlace))
          << Describe(*child) << " (" << place.x << "," << place.y << " " << place.width << "x" << place.height
          << ") overlaps " << Describe(*other) << " (" << otherPlace.x << "," << otherPlace.y << " "
          << otherPlace.width << "x" << otherPlace.height << ")";
    }
    placed.push_back(child);
  }
}

// The vertical centres of two controls, for a label beside its field.
inline int CentreY(const wxWindow& control) { return control.GetRect().y + control.GetRect().height / 2; }

}  // namespace sorvane::testing
