#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>
#include <vector>

class wxDC;

namespace sorvane {

// Measures texts in a device context for the shortening of a row's texts,
// fast enough for a screen of rows. Shortening tries one candidate after
// another, each a start of the same text followed by "..."; measuring each
// from scratch made one screen of long descriptions cost over half a second.
// So a text that is not such a candidate is measured once with the widths of
// all its starts, and a candidate's width is the width of its start plus that
// of "..." (which can differ from measuring the joined text by the kerning
// where they meet and the rounding of each to pixels: at most two pixels with
// the fonts seen here).
// The context's font must stay the same while one measure is in use.
// UI thread only.
class RowTextMeasure {
 public:
  explicit RowTextMeasure(wxDC& dc);
  int operator()(std::string_view text);

 private:
  void MeasureStarts(std::string_view text);

  wxDC& m_dc;
  int m_letterWidth;
  int m_ellipsisWidth;
  std::string m_base;
  // m_startWidths[n]: width of the base's first n bytes; -1 where n falls
  // inside a character.
  std::vector<int> m_startWidths;
};

}  // namespace sorvane
