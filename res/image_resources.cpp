#include "res/image_resources.h"

#include <wx/animate.h>
#include <wx/generic/animate.h>
#include <wx/icon.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include "res/embedded_files.h"
#include "res/resource_ids.h"

namespace sorvane::res {

wxImage LoadEmbeddedImage(std::string_view name) {
  const std::span<const unsigned char> bytes = EmbeddedFile(name);
  if (bytes.empty()) return {};
  wxLogNull quiet;  // a damaged picture shows as nothing, not as a message box
  wxMemoryInputStream stream(bytes.data(), bytes.size());
  wxImage image;
  if (!image.LoadFile(stream, wxBITMAP_TYPE_ANY)) return {};
  return image;
}

wxBitmap LoadBitmapResource(int id) {
  const wxImage image = LoadEmbeddedImage(BitmapFileName(id));
  return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

wxCursor LoadHandCursor() {
  wxImage image = LoadEmbeddedImage("cursor_232.png");
  if (!image.IsOk()) return wxCursor(wxCURSOR_HAND);
  image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, 10);
  image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, 1);
  return wxCursor(image);
}

wxIconBundle LoadProgramIcons() {
  wxIconBundle icons;
  for (const char* name : {"icon_128_16.png", "icon_128_32.png", "icon_128_48.png"}) {
    const wxImage image = LoadEmbeddedImage(name);
    if (!image.IsOk()) continue;
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    icons.AddIcon(icon);
  }
  return icons;
}

bool LoadThrobber(wxAnimation& animation) {
  const std::span<const unsigned char> bytes = EmbeddedFile("throbber.gif");
  if (bytes.empty()) return false;
  wxLogNull quiet;
  wxMemoryInputStream stream(bytes.data(), bytes.size());
  return animation.Load(stream, wxANIMATION_TYPE_GIF);
}

}  // namespace sorvane::res
