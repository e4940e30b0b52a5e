#pragma once

#include <wx/bitmap.h>
#include <wx/window.h>

#include "dialogs/dib.h"

class wxDC;

namespace sorvane {

// The picture control of the dialogs: shows one embedded bitmap resource at its
// own size from the control's top-left corner. A picture larger than the
// control is cut at the control's edges, never shrunk. Nothing is drawn before
// SetPicture, nor after it is given a number that has no bitmap.
// UI thread only.
class CDibStatic final : public wxWindow {
 public:
  CDibStatic(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size,
             long style = wxBORDER_NONE);

  // Loads bitmap resource `resourceId` and repaints; false (and an empty
  // control) when there is no such bitmap or it cannot be read.
  bool SetPicture(int resourceId);

  // Makes the control's inside exactly the picture's size, its border round
  // it and its top-left corner where it was. An empty control keeps its size.
  void FitToPicture();

  bool HasPicture() const { return m_bitmap.IsOk(); }
  const CDib& Dib() const { return m_dib; }
  // The picture as painted, for callers and tests; invalid when empty.
  const wxBitmap& Picture() const { return m_bitmap; }

  // What a paint draws, on any device context: the picture at (0, 0), unscaled.
  void Draw(wxDC& dc) const;

 private:
  void OnPaint(wxPaintEvent& event);

  CDib m_dib;
  // The decoded pixels, made once at SetPicture: toolkits paint bitmaps, not
  // colour tables, and decoding on every paint would redo the same work.
  wxBitmap m_bitmap;
};

}  // namespace sorvane
