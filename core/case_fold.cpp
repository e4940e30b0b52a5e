#include "core/case_fold.h"

#include <utf8proc.h>

#include <array>

namespace sorvane {

std::string FoldCase(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  utf8proc_ssize_t pos = 0;
  while (pos < size) {
    const utf8proc_uint8_t byte = bytes[pos];
    // Descriptions are mostly ASCII; the library is asked only about the rest.
    if (byte < 0x80) {
      folded.push_back(static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte));
      ++pos;
      continue;
    }
    utf8proc_int32_t codePoint = 0;
    const utf8proc_ssize_t length = utf8proc_iterate(bytes + pos, size - pos, &codePoint);
    if (length <= 0) {
      folded.push_back(static_cast<char>(byte));
      ++pos;
      continue;
    }
    // A full folding gives at most three code points.
    std::array<utf8proc_int32_t, 8> foldedCodePoints{};
    int lastBoundClass = 0;
    const utf8proc_ssize_t count = utf8proc_decompose_char(
        codePoint, foldedCodePoints.data(), static_cast<utf8proc_ssize_t>(foldedCodePoints.size()),
        UTF8PROC_CASEFOLD, &lastBoundClass);
    if (count <= 0 || count > static_cast<utf8proc_ssize_t>(foldedCodePoints.size())) {
      folded.append(text.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(length)));
    } else {
      for (utf8proc_ssize_t i = 0; i < count; ++i) {
        std::array<utf8proc_uint8_t, 4> encoded{};
        const utf8proc_ssize_t written = utf8proc_encode_char(foldedCodePoints[i], encoded.data());
        folded.append(reinterpret_cast<const char*>(encoded.data()), static_cast<std::size_t>(written));
      }
    }
    pos += length;
  }
  return folded;
}

}  // namespace sorvane
