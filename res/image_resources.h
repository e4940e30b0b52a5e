#pragma once

#include <wx/animate.h>
#include <wx/bitmap.h>
#include <wx/cursor.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

#include <string_view>

namespace sorvane::res {

// The embedded pictures as toolkit objects. A file that was not supplied gives an
// invalid (empty) object; callers show nothing in its place.
wxImage LoadEmbeddedImage(std::string_view name);
wxBitmap LoadBitmapResource(int id);
// The hand cursor with its hot spot; the stock hand when the file is missing.
wxCursor LoadHandCursor();
// The program icon in its three sizes.
wxIconBundle LoadProgramIcons();
// The throbber animation "AVI_VIDEO", for a generic animation control.
bool LoadThrobber(wxAnimation& animation);

}  // namespace sorvane::res
