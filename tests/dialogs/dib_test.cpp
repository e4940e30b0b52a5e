// The picture parser and decoder: colour tables by bit depth, bit-field masks,
// the file header, row order and padding, the cut at the control's edges, real
// ImageMagick files, and damaged or lying bitmaps that must come out empty.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "dialogs/dib.h"
#include "dialogs/dib_pixels.h"

namespace sorvane {
namespace {

using Bytes = std::vector<unsigned char>;

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

void PutU16(Bytes& out, std::uint16_t v) {
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}
void PutU32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void SetU32(Bytes& bytes, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// A bitmap written the way Windows lays one out. Rows are given in stored
// order, unpadded; the builder pads each to 4 bytes.
struct DibLayout {
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bitCount = 8;
  std::uint32_t compression = kDibRgb;
  std::uint32_t colorsUsed = 0;
  std::uint32_t headerSize = 40;
  std::uint16_t planes = 1;
  std::vector<Rgb> table;
  std::vector<std::uint32_t> masks;
  std::vector<Bytes> rows;
  bool fileHeader = false;
};

Bytes MakeDib(const DibLayout& layout) {
  Bytes info;
  PutU32(info, layout.headerSize);
  PutU32(info, static_cast<std::uint32_t>(layout.width));
  PutU32(info, static_cast<std::uint32_t>(layout.height));
  PutU16(info, layout.planes);
  PutU16(info, layout.bitCount);
  PutU32(info, layout.compression);
  PutU32(info, 0);
  PutU32(info, 2835);
  PutU32(info, 2835);
  PutU32(info, layout.colorsUsed);
  PutU32(info, 0);
  for (std::uint32_t m : layout.masks) PutU32(info, m);
  while (info.size() < layout.headerSize) info.push_back(0);
  for (const Rgb& c : layout.table) info.insert(info.end(), {c.b, c.g, c.r, 0});
  const std::size_t bitsOffset = info.size();
  for (Bytes row : layout.rows) {
    while (row.size() % 4 != 0) row.push_back(0);
    info.insert(info.end(), row.begin(), row.end());
  }
  if (!layout.fileHeader) return info;
  Bytes file = {'B', 'M'};
  PutU32(file, static_cast<std::uint32_t>(kDibFileHeaderSize + info.size()));
  PutU32(file, 0);
  PutU32(file, static_cast<std::uint32_t>(kDibFileHeaderSize + bitsOffset));
  file.insert(file.end(), info.begin(), info.end());
  return file;
}

std::vector<Rgb> GreyTable(int count) {
  std::vector<Rgb> table;
  for (int i = 0; i < count; ++i) {
    const auto v = static_cast<std::uint8_t>(i);
    table.push_back({v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v / 2)});
  }
  return table;
}

Rgb PixelAt(const DibPixels& pixels, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.width) + static_cast<std::size_t>(x)) * 3;
  return {pixels.rgb[at], pixels.rgb[at + 1], pixels.rgb[at + 2]};
}

std::vector<Rgb> AllPixels(const DibPixels& pixels) {
  std::vector<Rgb> all;
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) all.push_back(PixelAt(pixels, x, y));
  return all;
}

DibPixels LoadAndDecode(const Bytes& bytes) {
  CDib dib;
  EXPECT_TRUE(dib.Load(bytes));
  std::optional<DibPixels> pixels = DecodeDib(dib);
  EXPECT_TRUE(pixels.has_value());
  return pixels.value_or(DibPixels{});
}

void ExpectEmpty(const CDib& dib) {
  EXPECT_TRUE(dib.IsEmpty());
  EXPECT_FALSE(dib.HasPalette());
  EXPECT_TRUE(dib.Bits().empty());
  EXPECT_EQ(dib.Width(), 0);
  EXPECT_EQ(dib.Height(), 0);
  EXPECT_FALSE(DecodeDib(dib).has_value());
  EXPECT_EQ(VisiblePart(dib, {500, 500}), (PictureSize{0, 0}));
}

TEST(DibColorTable, ColorsUsedZeroTakesTheCountOfTheBitDepth) {
  struct Case {
    std::uint16_t bitCount;
    std::uint32_t expected;
  };
  for (const Case& c : {Case{1, 2}, Case{4, 16}, Case{8, 256}}) {
    SCOPED_TRACE(c.bitCount);
    DibLayout layout;
    layout.bitCount = c.bitCount;
    layout.table = GreyTable(static_cast<int>(c.expected));
    layout.rows = {{0}};
    const Bytes bytes = MakeDib(layout);
    CDib dib;
    ASSERT_TRUE(dib.Load(bytes));
    EXPECT_EQ(dib.ColorCount(), c.expected);
    EXPECT_EQ(dib.Palette().size(), c.expected);
    EXPECT_EQ(dib.ColorTable().data(), bytes.data() + 40);
    EXPECT_EQ(dib.Bits().data(), bytes.data() + 40 + 4 * c.expected);
    EXPECT_TRUE(dib.Masks().empty());
    EXPECT_EQ(dib.ColorUse(), 0);
  }
}

TEST(DibColorTable, ColorsUsedNonZeroIsTakenAsIs) {
  DibLayout layout;
  layout.bitCount = 8;
  layout.colorsUsed = 3;
  layout.width = 4;
  layout.table = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  layout.rows = {{2, 0, 1, 200}};
  const Bytes bytes = MakeDib(layout);
  CDib dib;
  ASSERT_TRUE(dib.Load(bytes));
  EXPECT_EQ(dib.ColorCount(), 3u);
  EXPECT_EQ(dib.Bits().data(), bytes.data() + 40 + 12);
  // The palette is red, green, blue out of the entry's blue, green, red bytes.
  EXPECT_EQ(dib.Palette(), (std::vector<PaletteEntry>{{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}}));
  // An index past a short table has no colour of its own: black.
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), (std::vector<Rgb>{{70, 80, 90}, {10, 20, 30}, {40, 50, 60}, {0, 0, 0}}));

  // A 4-bit picture may name more colours than 16, up to the 256 of a palette.
  layout.bitCount = 4;
  layout.colorsUsed = 20;
  layout.table = GreyTable(20);
  layout.rows = {{0x13, 0xF0}};
  CDib four;
  const Bytes fourBitBytes = MakeDib(layout);
  ASSERT_TRUE(four.Load(fourBitBytes));
  EXPECT_EQ(four.ColorCount(), 20u);
}

TEST(DibColorTable, DirectColourHasNoTableUnlessOneIsNamed) {
  DibLayout layout;
  layout.bitCount = 24;
  layout.rows = {{1, 2, 3}};
  CDib dib;
  const Bytes plainBytes = MakeDib(layout);
  ASSERT_TRUE(dib.Load(plainBytes));
  EXPECT_EQ(dib.ColorCount(), 0u);
  EXPECT_TRUE(dib.ColorTable().empty());
  EXPECT_FALSE(dib.HasPalette());

  layout.colorsUsed = 2;
  layout.table = {{1, 1, 1}, {2, 2, 2}};
  const Bytes bytes = MakeDib(layout);
  ASSERT_TRUE(dib.Load(bytes));
  EXPECT_EQ(dib.ColorCount(), 2u);
  EXPECT_EQ(dib.Bits().data(), bytes.data() + 48);
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), (std::vector<Rgb>{{3, 2, 1}}));
}

TEST(DibDecode, IndexedDepthsPackTheLeftmostPixelHighAndPadRowsToFourBytes) {
  DibLayout one;
  one.bitCount = 1;
  one.width = 10;  // two bytes of pixels, two of padding
  one.table = {{0, 0, 0}, {255, 255, 255}};
  one.rows = {{0b10110000, 0b01000000}};
  const std::vector<Rgb> expectedOne = {{255, 255, 255}, {0, 0, 0}, {255, 255, 255}, {255, 255, 255}, {0, 0, 0},
                                        {0, 0, 0},       {0, 0, 0}, {0, 0, 0},       {0, 0, 0},       {255, 255, 255}};
  CDib dib;
  const Bytes oneBitBytes = MakeDib(one);
  ASSERT_TRUE(dib.Load(oneBitBytes));
  EXPECT_EQ(dib.RowStride(), 4u);
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), expectedOne);

  DibLayout four;
  four.bitCount = 4;
  four.width = 3;
  four.height = 2;
  four.table = GreyTable(16);
  four.rows = {{0x12, 0x30}, {0xAB, 0xC0}};  // bottom row first
  const DibPixels pixels = LoadAndDecode(MakeDib(four));
  const std::vector<Rgb> grey = GreyTable(16);
  EXPECT_EQ(AllPixels(pixels), (std::vector<Rgb>{grey[0xA], grey[0xB], grey[0xC], grey[1], grey[2], grey[3]}));

  DibLayout eight;
  eight.width = 5;  // five bytes of pixels, three of padding
  eight.height = 2;
  eight.table = GreyTable(256);
  eight.rows = {{1, 2, 3, 4, 5}, {250, 251, 252, 253, 254}};
  const Bytes eightBitBytes = MakeDib(eight);
  ASSERT_TRUE(dib.Load(eightBitBytes));
  EXPECT_EQ(dib.RowStride(), 8u);
  EXPECT_EQ(dib.Bits().size(), 16u);
  const DibPixels eightPixels = *DecodeDib(dib);
  EXPECT_EQ(PixelAt(eightPixels, 0, 0), GreyTable(256)[250]);
  EXPECT_EQ(PixelAt(eightPixels, 4, 1), GreyTable(256)[5]);
}

TEST(DibDecode, RowsAreBottomUpForPositiveHeightAndTopDownForNegative) {
  DibLayout layout;
  layout.bitCount = 24;
  layout.width = 1;
  layout.height = 3;
  layout.rows = {{0, 0, 1}, {0, 0, 2}, {0, 0, 3}};
  EXPECT_EQ(AllPixels(LoadAndDecode(MakeDib(layout))), (std::vector<Rgb>{{3, 0, 0}, {2, 0, 0}, {1, 0, 0}}));
  layout.height = -3;
  CDib dib;
  const Bytes topDownBytes = MakeDib(layout);
  ASSERT_TRUE(dib.Load(topDownBytes));
  EXPECT_EQ(dib.Height(), -3);
  EXPECT_EQ(dib.RowCount(), 3);
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), (std::vector<Rgb>{{1, 0, 0}, {2, 0, 0}, {3, 0, 0}}));
}

TEST(DibDecode, DirectColourDepths) {
  DibLayout layout;
  layout.width = 2;
  layout.bitCount = 24;
  layout.rows = {{10, 20, 30, 40, 50, 60}};
  EXPECT_EQ(AllPixels(LoadAndDecode(MakeDib(layout))), (std::vector<Rgb>{{30, 20, 10}, {60, 50, 40}}));

  layout.bitCount = 32;
  layout.rows = {{10, 20, 30, 99, 40, 50, 60, 99}};
  EXPECT_EQ(AllPixels(LoadAndDecode(MakeDib(layout))), (std::vector<Rgb>{{30, 20, 10}, {60, 50, 40}}));

  // Plain 16 bits are 5-5-5, each channel widened so its top value is 255.
  layout.bitCount = 16;
  layout.rows = {{0x00, 0x7C, 0x1F, 0x02}};  // 0x7C00 red; 0x021F a little green, all blue
  EXPECT_EQ(AllPixels(LoadAndDecode(MakeDib(layout))), (std::vector<Rgb>{{255, 0, 0}, {0, 132, 255}}));
}

TEST(DibDecode, BitFieldMasksFollowTheHeaderAndPlaceTheTableAfterThem) {
  DibLayout layout;
  layout.width = 2;
  layout.bitCount = 16;
  layout.compression = kDibBitFields;
  layout.masks = {0xF800, 0x07E0, 0x001F};  // 5-6-5
  layout.rows = {{0xE0, 0x07, 0x1F, 0xF8}};  // pure green; 0xF81F red and blue
  const Bytes bytes = MakeDib(layout);
  CDib dib;
  ASSERT_TRUE(dib.Load(bytes));
  EXPECT_EQ(dib.Masks().data(), bytes.data() + 40);
  EXPECT_EQ(dib.Masks().size(), 12u);
  EXPECT_EQ(dib.Bits().data(), bytes.data() + 52);
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), (std::vector<Rgb>{{0, 255, 0}, {255, 0, 255}}));

  // 32 bits with the channels in an unusual order, and a colour table after
  // the masks.
  layout.bitCount = 32;
  layout.masks = {0x000000FF, 0xFF000000, 0x00FF0000};
  layout.colorsUsed = 1;
  layout.table = {{1, 2, 3}};
  layout.rows = {{0x11, 0x00, 0x33, 0x22, 0, 0, 0, 0}};
  const Bytes wide = MakeDib(layout);
  ASSERT_TRUE(dib.Load(wide));
  EXPECT_EQ(dib.ColorTable().data(), wide.data() + 52);
  EXPECT_EQ(dib.Bits().data(), wide.data() + 56);
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), (std::vector<Rgb>{{0x11, 0x22, 0x33}, {0, 0, 0}}));

  // In a V5 header the masks are inside the header, the table after it.
  layout.headerSize = 124;
  layout.colorsUsed = 0;
  layout.table = {};
  const Bytes v5 = MakeDib(layout);
  ASSERT_TRUE(dib.Load(v5));
  EXPECT_EQ(dib.Masks().data(), v5.data() + 40);
  EXPECT_EQ(dib.Bits().data(), v5.data() + 124);
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), (std::vector<Rgb>{{0x11, 0x22, 0x33}, {0, 0, 0}}));
}

TEST(DibDecode, MasksWithNoSensibleColourAreRefused) {
  const std::vector<std::vector<std::uint32_t>> badMasks = {
      {0xF0F0, 0x0000, 0x0000},     // not one run of bits
      {0xFF00, 0x0FF0, 0x000F},     // channels share bits
      {0x1F0000, 0x07E0, 0x001F},   // past a 16-bit pixel
  };
  for (const auto& masks : badMasks) {
    DibLayout layout;
    layout.bitCount = 16;
    layout.compression = kDibBitFields;
    layout.masks = masks;
    layout.rows = {{0, 0}};
    CDib dib;
    EXPECT_FALSE(dib.Load(MakeDib(layout)));
    ExpectEmpty(dib);
  }
  // Bit fields only describe 16- and 32-bit pixels.
  DibLayout layout;
  layout.bitCount = 8;
  layout.compression = kDibBitFields;
  layout.masks = {0xE0, 0x1C, 0x03};
  layout.table = GreyTable(256);
  layout.rows = {{0}};
  CDib dib;
  EXPECT_FALSE(dib.Load(MakeDib(layout)));
}

TEST(DibLoad, AFileHeaderIsSkippedAndTheDataUsedInPlace) {
  DibLayout layout;
  layout.bitCount = 4;
  layout.width = 3;
  layout.height = 2;
  layout.table = GreyTable(16);
  layout.rows = {{0x12, 0x30}, {0x45, 0x60}};
  const Bytes resource = MakeDib(layout);
  layout.fileHeader = true;
  const Bytes file = MakeDib(layout);

  CDib fromResource, fromFile;
  ASSERT_TRUE(fromResource.Load(resource));
  ASSERT_TRUE(fromFile.Load(file));
  EXPECT_EQ(fromFile.Header().size, 40u);
  EXPECT_EQ(fromFile.Width(), 3);
  EXPECT_EQ(fromFile.Height(), 2);
  EXPECT_EQ(fromFile.Palette(), fromResource.Palette());
  EXPECT_EQ(fromFile.ColorTable().data(), file.data() + 14 + 40);
  EXPECT_EQ(fromFile.Bits().data(), file.data() + 14 + 40 + 64);
  EXPECT_EQ(AllPixels(*DecodeDib(fromFile)), AllPixels(*DecodeDib(fromResource)));

  // Parsing again finds the same picture; a CDib that never loaded has none.
  EXPECT_TRUE(fromFile.Parse());
  EXPECT_EQ(fromFile.Bits().data(), file.data() + 14 + 40 + 64);
  CDib never;
  EXPECT_FALSE(never.Parse());
  ExpectEmpty(never);
}

TEST(DibCut, APictureLargerThanTheControlIsCutNotShrunk) {
  DibLayout layout;
  layout.width = 130;
  layout.height = 195;
  layout.table = GreyTable(256);
  layout.rows.assign(195, Bytes(130, 7));
  CDib dib;
  const Bytes bottomUpBytes = MakeDib(layout);
  ASSERT_TRUE(dib.Load(bottomUpBytes));
  EXPECT_EQ(VisiblePart(dib, {100, 150}), (PictureSize{100, 150}));
  EXPECT_EQ(VisiblePart(dib, {200, 150}), (PictureSize{130, 150}));
  EXPECT_EQ(VisiblePart(dib, {300, 300}), (PictureSize{130, 195}));
  EXPECT_EQ(VisiblePart(dib, {0, -5}), (PictureSize{0, 0}));
  // A top-down picture is as tall as its row count.
  layout.height = -195;
  const Bytes topDownBytes = MakeDib(layout);
  ASSERT_TRUE(dib.Load(topDownBytes));
  EXPECT_EQ(VisiblePart(dib, {130, 400}), (PictureSize{130, 195}));
}

// Files as ImageMagick writes them (BMP3, uncompressed), made from known pixels.
class DibFromImageMagick : public ::testing::Test {
 protected:
  static Bytes ReadSeed(const char* name) {
    std::ifstream in(std::filesystem::path(SORVANE_DIB_CORPUS) / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static std::uint32_t FileBitsOffset(const Bytes& file) {
    return static_cast<std::uint32_t>(file[10] | file[11] << 8 | file[12] << 16 | file[13] << 24);
  }
  // The 5 by 3 picture the 4-, 24- and 32-bit files were made from.
  static std::vector<Rgb> SmallPicture() {
    return {{255, 0, 0},     {0, 255, 0}, {0, 0, 255},   {255, 255, 255}, {0, 0, 0},
            {0, 0, 0},       {255, 255, 0}, {0, 255, 255}, {255, 0, 255},   {128, 128, 128},
            {255, 255, 255}, {0, 0, 0},   {255, 0, 0},   {0, 255, 0},     {0, 0, 255}};
  }
};

TEST_F(DibFromImageMagick, EveryDepthDecodesToTheOriginalPixels) {
  struct Case {
    const char* name;
    std::uint16_t bitCount;
  };
  for (const Case& c : {Case{"im_4bit_5x3.bmp", 4}, Case{"im_24bit_5x3.bmp", 24}, Case{"im_32bit_5x3.bmp", 32}}) {
    SCOPED_TRACE(c.name);
    const Bytes file = ReadSeed(c.name);
    ASSERT_FALSE(file.empty());
    CDib dib;
    ASSERT_TRUE(dib.Load(file));
    EXPECT_EQ(dib.Header().bitCount, c.bitCount);
    EXPECT_EQ(dib.Bits().data(), file.data() + FileBitsOffset(file));
    const DibPixels pixels = *DecodeDib(dib);
    EXPECT_EQ(pixels.width, 5);
    EXPECT_EQ(pixels.height, 3);
    EXPECT_EQ(AllPixels(pixels), SmallPicture());
  }

  const Bytes eight = ReadSeed("im_8bit_7x4.bmp");
  CDib dib;
  ASSERT_TRUE(dib.Load(eight));
  EXPECT_EQ(dib.Header().bitCount, 8);
  EXPECT_EQ(dib.ColorCount(), 256u);
  EXPECT_EQ(dib.Bits().data(), eight.data() + FileBitsOffset(eight));
  const DibPixels pixels = *DecodeDib(dib);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(PixelAt(pixels, x, y),
                (Rgb{static_cast<std::uint8_t>((x * 37 + y * 61) % 256), static_cast<std::uint8_t>((x * 11 + y * 97) % 256),
                     static_cast<std::uint8_t>((x * 73 + y * 13) % 256)}))
          << x << "," << y;

  // ImageMagick's default writer: a V5 header, its colour table after it.
  const Bytes v5 = ReadSeed("im_v5_8bit_7x4.bmp");
  ASSERT_TRUE(dib.Load(v5));
  EXPECT_EQ(dib.Header().size, 124u);
  EXPECT_EQ(dib.Bits().data(), v5.data() + FileBitsOffset(v5));
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), AllPixels(pixels));

  const Bytes mono = ReadSeed("im_1bit_5x3.bmp");
  ASSERT_TRUE(dib.Load(mono));
  EXPECT_EQ(dib.ColorCount(), 2u);
  EXPECT_EQ(dib.Bits().data(), mono.data() + FileBitsOffset(mono));
  for (const Rgb& pixel : AllPixels(*DecodeDib(dib))) {
    EXPECT_TRUE(pixel == (Rgb{0, 0, 0}) || pixel == (Rgb{255, 255, 255}));
  }
}

TEST_F(DibFromImageMagick, SixteenBitFieldsInAV5Header) {
  const Bytes file = ReadSeed("im_v5_16bit_565_5x3.bmp");
  CDib dib;
  ASSERT_TRUE(dib.Load(file));
  EXPECT_EQ(dib.Header().compression, kDibBitFields);
  EXPECT_EQ(dib.Bits().data(), file.data() + FileBitsOffset(file));
  std::vector<Rgb> expected = SmallPicture();
  expected[9] = {123, 125, 123};  // the writer stored 128 grey as 15, 31 and 15
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), expected);
}

// Each cut of a small valid bitmap is one byte short of something it needs, so
// every one must come out empty; copying the cut into its own buffer lets
// AddressSanitizer see any read past it.
TEST(DibMalformed, EveryTruncationParsesToAnEmptyPicture) {
  std::vector<DibLayout> specs(4);
  specs[0].bitCount = 8;
  specs[0].width = 3;
  specs[0].height = 2;
  specs[0].colorsUsed = 4;
  specs[0].table = GreyTable(4);
  specs[0].rows = {{0, 1, 2}, {3, 2, 1}};
  specs[1] = specs[0];
  specs[1].fileHeader = true;
  specs[2].bitCount = 16;
  specs[2].compression = kDibBitFields;
  specs[2].masks = {0xF800, 0x07E0, 0x001F};
  specs[2].rows = {{1, 2}};
  specs[3].bitCount = 1;
  specs[3].height = -1;
  specs[3].table = GreyTable(2);
  specs[3].rows = {{0x80}};
  for (const DibLayout& layout : specs) {
    const Bytes whole = MakeDib(layout);
    CDib dib;
    ASSERT_TRUE(dib.Load(whole));
    for (std::size_t size = 0; size < whole.size(); ++size) {
      SCOPED_TRACE(size);
      const std::unique_ptr<unsigned char[]> cut(new unsigned char[size + 1]);
      std::memcpy(cut.get(), whole.data(), size);
      EXPECT_FALSE(dib.Load(std::span<const unsigned char>(cut.get(), size)));
      ExpectEmpty(dib);
    }
  }
}

TEST(DibMalformed, LyingHeadersParseToAnEmptyPicture) {
  struct Case {
    const char* what;
    std::size_t offset;  // into the information header
    std::uint32_t value;
  };
  const Case cases[] = {
      {"core header size", 0, 12},
      {"header size 39", 0, 39},
      {"header size 41", 0, 41},
      {"header size past the data", 0, 124},
      {"header size huge", 0, 0xFFFFFFFF},
      {"zero width", 4, 0},
      {"negative width", 4, static_cast<std::uint32_t>(-3)},
      {"width INT_MIN", 4, 0x80000000u},
      {"zero height", 8, 0},
      {"height INT_MIN", 8, 0x80000000u},
      {"huge width", 4, 0x7FFFFFFF},
      {"huge height", 8, 0x7FFFFFFF},
      {"huge negative height", 8, static_cast<std::uint32_t>(-0x7FFFFFFF)},
      {"width one past the data", 4, 5},
      {"zero planes", 12, 0 | (8u << 16)},
      {"two planes", 12, 2 | (8u << 16)},
      {"bit depth 0", 12, 1 | (0u << 16)},
      {"bit depth 2", 12, 1 | (2u << 16)},
      {"bit depth 7", 12, 1 | (7u << 16)},
      {"bit depth 64", 12, 1 | (64u << 16)},
      {"bit depth 0xFFFF", 12, 1 | (0xFFFFu << 16)},
      {"run-length 8", 16, 1},
      {"run-length 4", 16, 2},
      {"jpeg", 16, 4},
      {"compression huge", 16, 0xFFFFFFFF},
      {"257 colours", 32, 257},
      {"colours past the data", 32, 200},
      {"colours huge", 32, 0xFFFFFFFF},
      {"colours overflowing 4 x count", 32, 0x40000001},
  };
  DibLayout layout;
  layout.width = 4;
  layout.height = 2;
  layout.colorsUsed = 2;
  layout.table = GreyTable(2);
  layout.rows = {{0, 1, 0, 1}, {1, 0, 1, 0}};
  const Bytes valid = MakeDib(layout);
  CDib dib;
  ASSERT_TRUE(dib.Load(valid));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = valid;
    SetU32(bytes, c.offset, c.value);
    EXPECT_FALSE(dib.Load(bytes));
    ExpectEmpty(dib);
  }

  // Huge pictures are refused by their size alone, before any data is sought;
  // one just within the limit still lacks its rows.
  DibLayout huge;
  huge.bitCount = 1;
  huge.table = GreyTable(2);
  huge.rows = {{0}};
  for (auto [width, height] : {std::pair{65536, 65536}, std::pair{INT_MAX, 1}, std::pair{1, INT_MAX},
                               std::pair{8193, -8193}, std::pair{INT_MAX, -INT_MAX},
                               std::pair{8192, 8192}}) {
    huge.width = width;
    huge.height = height;
    EXPECT_FALSE(dib.Load(MakeDib(huge))) << width << "x" << height;
    ExpectEmpty(dib);
  }
}

TEST(DibMalformed, OddButHarmlessPicturesStaySafe) {
  // Extra bytes after the pixels, and an image size field that lies, are
  // ignored: the picture is what its header and tables describe.
  DibLayout layout;
  layout.width = 2;
  layout.colorsUsed = 1;
  layout.table = {{9, 9, 9}};
  layout.rows = {{0, 255}};
  Bytes bytes = MakeDib(layout);
  SetU32(bytes, 20, 0xFFFFFFFF);
  bytes.resize(bytes.size() + 100, 0xAA);
  CDib dib;
  ASSERT_TRUE(dib.Load(bytes));
  EXPECT_EQ(dib.Bits().size(), 4u);
  EXPECT_EQ(AllPixels(*DecodeDib(dib)), (std::vector<Rgb>{{9, 9, 9}, {0, 0, 0}}));

  // "BM" alone, or a file header with nothing behind it.
  const Bytes bm = {'B', 'M'};
  EXPECT_FALSE(dib.Load(bm));
  ExpectEmpty(dib);
  EXPECT_FALSE(dib.Load({}));
  ExpectEmpty(dib);
}

}  // namespace
}  // namespace sorvane
