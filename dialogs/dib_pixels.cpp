#include "dialogs/dib_pixels.h"

#include <algorithm>
#include <array>
#include <bit>
#include <span>

namespace sorvane {
namespace {

std::uint32_t ReadLittleEndian(std::span<const unsigned char> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

// Takes one channel out of a pixel and widens it to 8 bits, so a 5-bit 31 is
// 255 and not 248.
class ChannelMask {
 public:
  explicit ChannelMask(std::uint32_t mask)
      : mask_(mask),
        shift_(mask == 0 ? 0 : std::countr_zero(mask)),
        maximum_(mask == 0 ? 0 : mask >> shift_) {}

  std::uint8_t Take(std::uint32_t pixel) const {
    if (maximum_ == 0) return 0;
    const std::uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<std::uint8_t>((value * 255 + maximum_ / 2) / maximum_);
  }

 private:
  std::uint32_t mask_;
  int shift_;
  std::uint32_t maximum_;
};

std::array<ChannelMask, 3> ChannelMasks(const CDib& dib) {
  const std::span<const unsigned char> masks = dib.Masks();
  if (!masks.empty()) {
    return {ChannelMask(ReadLittleEndian(masks, 0, 4)), ChannelMask(ReadLittleEndian(masks, 4, 4)),
            ChannelMask(ReadLittleEndian(masks, 8, 4))};
  }
  if (dib.Header().bitCount == 16) return {ChannelMask(0x7C00), ChannelMask(0x03E0), ChannelMask(0x001F)};
  return {ChannelMask(0xFF0000), ChannelMask(0x00FF00), ChannelMask(0x0000FF)};
}

void DecodeIndexedRow(const CDib& dib, std::span<const unsigned char> row, std::uint8_t* out) {
  const unsigned bitCount = dib.Header().bitCount;
  const unsigned perByte = 8 / bitCount;
  const unsigned indexMask = (1u << bitCount) - 1;
  const std::vector<PaletteEntry>& palette = dib.Palette();
  for (int x = 0; x < dib.Width(); ++x) {
    const unsigned byte = row[static_cast<std::size_t>(x) / perByte];
    // The leftmost pixel is in the byte's highest bits.
    const unsigned shift = (perByte - 1 - static_cast<unsigned>(x) % perByte) * bitCount;
    const unsigned index = (byte >> shift) & indexMask;
    if (index < palette.size()) {
      out[0] = palette[index].red;
      out[1] = palette[index].green;
      out[2] = palette[index].blue;
    } else {
      out[0] = out[1] = out[2] = 0;
    }
    out += 3;
  }
}

void DecodeDirectRow(const CDib& dib, const std::array<ChannelMask, 3>& masks, std::span<const unsigned char> row,
                     std::uint8_t* out) {
  const int bytesPerPixel = dib.Header().bitCount / 8;
  for (int x = 0; x < dib.Width(); ++x) {
    const std::size_t at = static_cast<std::size_t>(x) * static_cast<std::size_t>(bytesPerPixel);
    if (bytesPerPixel == 3) {
      out[0] = row[at + 2];
      out[1] = row[at + 1];
      out[2] = row[at];
    } else {
      const std::uint32_t pixel = ReadLittleEndian(row, at, bytesPerPixel);
      out[0] = masks[0].Take(pixel);
      out[1] = masks[1].Take(pixel);
      out[2] = masks[2].Take(pixel);
    }
    out += 3;
  }
}

}  // namespace

std::optional<DibPixels> DecodeDib(const CDib& dib) {
  if (dib.IsEmpty()) return std::nullopt;
  DibPixels pixels;
  pixels.width = dib.Width();
  pixels.height = dib.RowCount();
  const std::size_t outStride = static_cast<std::size_t>(pixels.width) * 3;
  pixels.rgb.resize(outStride * static_cast<std::size_t>(pixels.height));
  const bool indexed = dib.Header().bitCount <= 8;
  const std::array<ChannelMask, 3> masks = ChannelMasks(dib);
  const bool bottomUp = dib.Height() > 0;
  for (int y = 0; y < pixels.height; ++y) {
    const int storedRow = bottomUp ? pixels.height - 1 - y : y;
    const std::span<const unsigned char> row =
        dib.Bits().subspan(static_cast<std::size_t>(storedRow) * dib.RowStride(), dib.RowStride());
    std::uint8_t* out = pixels.rgb.data() + static_cast<std::size_t>(y) * outStride;
    if (indexed) {
      DecodeIndexedRow(dib, row, out);
    } else {
      DecodeDirectRow(dib, masks, row, out);
    }
  }
  return pixels;
}

PictureSize VisiblePart(PictureSize picture, PictureSize control) {
  return {std::max(0, std::min(picture.width, control.width)), std::max(0, std::min(picture.height, control.height))};
}

PictureSize VisiblePart(const CDib& dib, PictureSize control) {
  if (dib.IsEmpty()) return {};
  return VisiblePart(PictureSize{dib.Width(), dib.RowCount()}, control);
}

}  // namespace sorvane
