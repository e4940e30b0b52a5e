#include "dialogs/dib.h"

#include <bit>
#include <limits>

namespace sorvane {
namespace {

std::uint16_t ReadU16(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t ReadU32(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::int32_t ReadI32(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<std::int32_t>(ReadU32(bytes, at));
}

// The caller has checked that 40 bytes are there.
DibHeader ReadInfoHeader(std::span<const unsigned char> bytes) {
  DibHeader header;
  header.size = ReadU32(bytes, 0);
  header.width = ReadI32(bytes, 4);
  header.height = ReadI32(bytes, 8);
  header.planes = ReadU16(bytes, 12);
  header.bitCount = ReadU16(bytes, 14);
  header.compression = ReadU32(bytes, 16);
  header.sizeImage = ReadU32(bytes, 20);
  header.xPelsPerMeter = ReadI32(bytes, 24);
  header.yPelsPerMeter = ReadI32(bytes, 28);
  header.colorsUsed = ReadU32(bytes, 32);
  header.colorsImportant = ReadU32(bytes, 36);
  return header;
}

bool IsKnownHeaderSize(std::uint32_t size) {
  // The plain information header, and the V4 and V5 headers that extend it
  // (their masks sit in the same place, inside the header).
  return size == 40 || size == 108 || size == 124;
}

bool IsKnownBitCount(std::uint16_t bitCount) {
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

// A channel mask must be one run of set bits inside the pixel, and the three
// channels must not share bits; anything else has no sensible colour.
bool AreUsableMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint16_t bitCount) {
  const std::uint64_t pixelBits = (std::uint64_t{1} << bitCount) - 1;
  for (std::uint32_t mask : {red, green, blue}) {
    if (mask == 0) continue;
    if (mask > pixelBits) return false;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    if ((run & (run + 1)) != 0) return false;
  }
  return (red & green) == 0 && (red & blue) == 0 && (green & blue) == 0;
}

}  // namespace

std::uint64_t DibRowStride(std::uint64_t width, std::uint32_t bitCount) {
  return (width * bitCount + 31) / 32 * 4;
}

bool CDib::Load(std::span<const unsigned char> resource) {
  Clear();
  std::span<const unsigned char> data = resource;
  // A bitmap resource starts with its information header, whose first byte is
  // its size; a .bmp file puts a file header starting "BM" in front of it.
  if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
    if (data.size() < kDibFileHeaderSize) return false;
    data = data.subspan(kDibFileHeaderSize);
  }
  resource_ = resource;
  headerData_ = data;
  return Parse();
}

bool CDib::Parse() {
  const std::span<const unsigned char> resource = resource_;
  const std::span<const unsigned char> data = headerData_;
  Clear();
  if (data.size() < kDibInfoHeaderSize) return false;
  const DibHeader header = ReadInfoHeader(data);
  if (!IsKnownHeaderSize(header.size) || header.size > data.size()) return false;
  if (header.planes != 1 || !IsKnownBitCount(header.bitCount)) return false;
  const bool bitFields = header.compression == kDibBitFields;
  if (header.compression != kDibRgb && !(bitFields && (header.bitCount == 16 || header.bitCount == 32))) {
    return false;
  }
  // INT32_MIN rows has no positive row count; width and height of 0 draw nothing.
  if (header.width <= 0 || header.height == 0 || header.height == std::numeric_limits<std::int32_t>::min()) {
    return false;
  }
  const std::uint64_t width = static_cast<std::uint64_t>(header.width);
  const std::uint64_t rows = static_cast<std::uint64_t>(header.height < 0 ? -header.height : header.height);
  if (width * rows > kMaxDibPixels) return false;

  // The masks follow the 40 bytes of the plain header; the larger headers hold
  // them inside, so the colour table always follows the whole header.
  std::size_t tableOffset = header.size;
  std::span<const unsigned char> masks;
  if (bitFields) {
    if (header.size == kDibInfoHeaderSize) tableOffset += kDibMasksSize;
    if (tableOffset > data.size()) return false;
    masks = data.subspan(kDibInfoHeaderSize, kDibMasksSize);
    if (!AreUsableMasks(ReadU32(masks, 0), ReadU32(masks, 4), ReadU32(masks, 8), header.bitCount)) return false;
  }

  std::uint32_t colorCount = header.colorsUsed;
  if (colorCount == 0 && header.bitCount <= 8) colorCount = 1u << header.bitCount;
  if (colorCount > kMaxDibColors) return false;
  const std::size_t tableBytes = std::size_t{4} * colorCount;
  if (tableBytes > data.size() - tableOffset) return false;
  const std::size_t bitsOffset = tableOffset + tableBytes;

  // Both factors are bounded by the pixel limit above, so this cannot overflow.
  const std::uint64_t stride = DibRowStride(width, header.bitCount);
  const std::uint64_t pixelBytes = stride * rows;
  if (pixelBytes > data.size() - bitsOffset) return false;

  resource_ = resource;
  headerData_ = data;
  header_ = header;
  masks_ = masks;
  colorCount_ = colorCount;
  if (colorCount > 0) colorTable_ = data.subspan(tableOffset, tableBytes);
  bits_ = data.subspan(bitsOffset, static_cast<std::size_t>(pixelBytes));
  colorUse_ = 0;
  width_ = header.width;
  height_ = header.height;
  rowStride_ = static_cast<std::size_t>(stride);
  MakePalette();
  return true;
}

void CDib::MakePalette() {
  palette_.clear();
  palette_.reserve(colorCount_);
  for (std::uint32_t i = 0; i < colorCount_; ++i) {
    const std::span<const unsigned char> entry = colorTable_.subspan(std::size_t{4} * i, 4);
    palette_.push_back(PaletteEntry{entry[2], entry[1], entry[0], 0});
  }
}

void CDib::Clear() { *this = CDib(); }

}  // namespace sorvane
