#include "results/row_text_measure.h"

#include <wx/dc.h>

#include "dialogs/wx_text.h"

namespace sorvane {

namespace {

constexpr std::string_view kEllipsis = "...";

bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

RowTextMeasure::RowTextMeasure(wxDC& dc)
    : m_dc(dc), m_letterWidth(dc.GetTextExtent("M").x), m_ellipsisWidth(dc.GetTextExtent("...").x) {}

int RowTextMeasure::operator()(std::string_view text) {
  if (text == "M") return m_letterWidth;
  if (text.size() >= kEllipsis.size() && text.substr(text.size() - kEllipsis.size()) == kEllipsis) {
    const std::size_t start = text.size() - kEllipsis.size();
    if (start < m_startWidths.size() && m_startWidths[start] >= 0 &&
        std::string_view(m_base).substr(0, start) == text.substr(0, start))
      return m_startWidths[start] + m_ellipsisWidth;
  }
  MeasureStarts(text);
  return m_startWidths.back();
}

void RowTextMeasure::MeasureStarts(std::string_view text) {
  m_base.assign(text);
  m_startWidths.assign(text.size() + 1, -1);
  m_startWidths[0] = 0;
  if (text.empty()) return;
  const wxString shown = ToWx(text);
  wxArrayInt widths;  // widths[i]: extent of the first i + 1 characters
  if (!m_dc.GetPartialTextExtents(shown, widths) || widths.empty()) {
    m_startWidths.back() = m_dc.GetTextExtent(shown).x;
    return;
  }
  // Characters to bytes: one byte each when the text was not UTF-8.
  const bool utf8 = shown.length() != text.size() || wxString::FromUTF8(text.data(), text.size()) == shown;
  std::size_t character = 0;
  for (std::size_t byte = 1; byte <= text.size(); ++byte) {
    const bool boundary =
        byte == text.size() || !utf8 || !IsUtf8Continuation(static_cast<unsigned char>(text[byte]));
    if (!boundary) continue;
    if (character < widths.size()) m_startWidths[byte] = widths[character];
    ++character;
  }
  if (m_startWidths.back() < 0) m_startWidths.back() = m_dc.GetTextExtent(shown).x;
}

}  // namespace sorvane
