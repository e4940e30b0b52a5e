// Any bytes as a bitmap resource or .bmp file: loading never reads past them,
// a picture that loads describes only bytes inside them, and decoding it gives
// exactly one colour for each of its pixels.

#include <algorithm>

#include "dialogs/dib.h"
#include "dialogs/dib_pixels.h"
#include "fuzz/fuzz_input.h"

namespace {

bool Inside(std::span<const unsigned char> part, const std::uint8_t* data, std::size_t size) {
  return part.empty() || (part.data() >= data && part.data() + part.size() <= data + size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvane::CDib dib;
  const bool loaded = dib.Load(std::span<const unsigned char>(data, size));
  FUZZ_CHECK(loaded == !dib.IsEmpty());
  const std::optional<sorvane::DibPixels> pixels = sorvane::DecodeDib(dib);
  if (!loaded) {
    FUZZ_CHECK(!pixels.has_value());
    FUZZ_CHECK(!dib.HasPalette());
    return 0;
  }
  FUZZ_CHECK(Inside(dib.Masks(), data, size));
  FUZZ_CHECK(Inside(dib.ColorTable(), data, size));
  FUZZ_CHECK(Inside(dib.Bits(), data, size));
  FUZZ_CHECK(dib.ColorTable().size() == std::size_t{4} * dib.ColorCount());
  FUZZ_CHECK(dib.Palette().size() == dib.ColorCount() && dib.ColorCount() <= sorvane::kMaxDibColors);
  FUZZ_CHECK(dib.Width() > 0 && dib.RowCount() > 0);
  FUZZ_CHECK(dib.Bits().size() == dib.RowStride() * static_cast<std::size_t>(dib.RowCount()));
  FUZZ_CHECK(dib.RowStride() % 4 == 0);
  FUZZ_CHECK(pixels.has_value());
  FUZZ_CHECK(pixels->width == dib.Width() && pixels->height == dib.RowCount());
  FUZZ_CHECK(pixels->rgb.size() == static_cast<std::size_t>(pixels->width) * pixels->height * 3);

  const sorvane::PictureSize control{static_cast<int>(size % 200), static_cast<int>(size % 150)};
  const sorvane::PictureSize visible = sorvane::VisiblePart(dib, control);
  FUZZ_CHECK(visible.width == std::min(dib.Width(), control.width));
  FUZZ_CHECK(visible.height == std::min(dib.RowCount(), control.height));

  // Parsing again over the same bytes finds the same picture.
  const std::span<const unsigned char> bits = dib.Bits();
  FUZZ_CHECK(dib.Parse());
  FUZZ_CHECK(dib.Bits().data() == bits.data() && dib.Bits().size() == bits.size());
  return 0;
}
