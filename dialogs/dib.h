#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace sorvane {

// The fields of a bitmap's information header, read from its little-endian
// bytes. Headers of 108 and 124 bytes share these first 40 bytes.
struct DibHeader {
  std::uint32_t size = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t colorsImportant = 0;
};

inline constexpr std::uint32_t kDibRgb = 0;
inline constexpr std::uint32_t kDibBitFields = 3;
inline constexpr std::size_t kDibInfoHeaderSize = 40;
inline constexpr std::size_t kDibFileHeaderSize = 14;
inline constexpr std::size_t kDibMasksSize = 12;
// Far beyond any picture the program shows (130 by 235), and small enough that
// decoding a picture can never ask for an absurd amount of memory.
inline constexpr std::uint64_t kMaxDibPixels = std::uint64_t{1} << 26;
inline constexpr std::uint32_t kMaxDibColors = 256;

// One entry of the picture's logical palette.
struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;

  bool operator==(const PaletteEntry&) const = default;
};

// One device-independent bitmap, described in place: every view points into the
// bytes handed to Load, which must outlive the CDib (the embedded pictures live
// for the whole program). A CDib that failed to load is empty and draws nothing.
// A CDib belongs to the UI thread; once loaded it only reads.
class CDib {
 public:
  // Takes the bytes of a bitmap resource, or of a .bmp file (its 14-byte file
  // header, starting "BM", is skipped), then parses them. On failure the
  // picture is empty and false comes back.
  bool Load(std::span<const unsigned char> resource);

  // Locates the masks, colour table and pixels behind the header Load found and
  // builds the palette. Every size and count is checked against the bytes
  // there are: a header that lies leaves the picture empty and returns false.
  bool Parse();

  // The palette from the colour table; none when the colour count is 0.
  void MakePalette();

  void Clear();

  bool IsEmpty() const { return bits_.empty(); }
  const DibHeader& Header() const { return header_; }
  // The three 4-byte masks for bit-field pictures, otherwise empty.
  std::span<const unsigned char> Masks() const { return masks_; }
  // 4-byte entries in the order blue, green, red, reserved.
  std::span<const unsigned char> ColorTable() const { return colorTable_; }
  std::uint32_t ColorCount() const { return colorCount_; }
  // Exactly the pixel rows: RowStride() bytes for each of the picture's rows.
  std::span<const unsigned char> Bits() const { return bits_; }
  // The colour table holds colour values, not palette indices.
  int ColorUse() const { return colorUse_; }
  std::int32_t Width() const { return width_; }
  // Negative for a picture stored top row first.
  std::int32_t Height() const { return height_; }
  std::int32_t RowCount() const { return height_ < 0 ? -height_ : height_; }
  std::size_t RowStride() const { return rowStride_; }
  bool HasPalette() const { return !palette_.empty(); }
  const std::vector<PaletteEntry>& Palette() const { return palette_; }

 private:
  std::span<const unsigned char> resource_;
  // From the information header to the end of the resource.
  std::span<const unsigned char> headerData_;
  DibHeader header_;
  std::span<const unsigned char> masks_;
  std::span<const unsigned char> colorTable_;
  std::uint32_t colorCount_ = 0;
  std::span<const unsigned char> bits_;
  int colorUse_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::size_t rowStride_ = 0;
  std::vector<PaletteEntry> palette_;
};

// Bytes per pixel row: rows are padded to a multiple of 4 bytes.
std::uint64_t DibRowStride(std::uint64_t width, std::uint32_t bitCount);

}  // namespace sorvane
