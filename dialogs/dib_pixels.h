#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "dialogs/dib.h"

namespace sorvane {

// A picture's pixels ready to paint: rows from the top, pixels from the left,
// three bytes each (red, green, blue).
struct DibPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// Decodes a parsed picture: 1, 4 and 8 bits through the colour table (an index
// past the table is black), 16 bits as 5-5-5, 24 and 32 bits as blue, green,
// red (the fourth byte unused), 16 and 32 bits with bit-field masks. Rows stored
// bottom-up (positive height) come out top row first. Empty for an empty CDib.
std::optional<DibPixels> DecodeDib(const CDib& dib);

struct PictureSize {
  int width = 0;
  int height = 0;

  bool operator==(const PictureSize&) const = default;
};

// The part of a picture a control shows: drawn at the control's top-left corner
// at its own size, never scaled, so whatever passes the control's right or
// bottom edge is cut off.
PictureSize VisiblePart(PictureSize picture, PictureSize control);
// The same for a loaded picture; an empty one shows nothing.
PictureSize VisiblePart(const CDib& dib, PictureSize control);

}  // namespace sorvane
