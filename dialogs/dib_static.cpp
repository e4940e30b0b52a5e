#include "dialogs/dib_static.h"

#include <wx/dcclient.h>
#include <wx/image.h>

#include <cstdlib>
#include <cstring>

#include "dialogs/dib_pixels.h"
#include "res/embedded_files.h"

namespace sorvane {

CDibStatic::CDibStatic(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size, long style)
    : wxWindow(parent, id, position, size, style | wxFULL_REPAINT_ON_RESIZE) {
  Bind(wxEVT_PAINT, &CDibStatic::OnPaint, this);
}

bool CDibStatic::SetPicture(int resourceId) {
  m_bitmap = wxBitmap();
  m_dib.Clear();
  const bool loaded = m_dib.Load(res::EmbeddedFile(res::BitmapFileName(resourceId)));
  if (loaded) {
    if (const std::optional<DibPixels> pixels = DecodeDib(m_dib); pixels && pixels->width > 0 && pixels->height > 0) {
      // wxImage takes ownership of a malloc'ed buffer.
      auto* data = static_cast<unsigned char*>(std::malloc(pixels->rgb.size()));
      if (data) {
        std::memcpy(data, pixels->rgb.data(), pixels->rgb.size());
        wxImage image(pixels->width, pixels->height, data);
        m_bitmap = wxBitmap(image);
      }
    }
  }
  Refresh();
  return m_bitmap.IsOk();
}

void CDibStatic::FitToPicture() {
  if (!m_bitmap.IsOk()) return;
  SetClientSize(m_bitmap.GetSize());
  SetMinSize(GetSize());
}

void CDibStatic::Draw(wxDC& dc) const {
  if (!m_bitmap.IsOk()) return;
  // The device context clips at the control's edges: that is the cut.
  dc.DrawBitmap(m_bitmap, 0, 0, false);
}

void CDibStatic::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  Draw(dc);
}

}  // namespace sorvane
