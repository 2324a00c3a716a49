// Hand-made bitmaps: the layouts and faults no tool writes on request.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "fixtures.h"
#include "imageformats/decode.h"

namespace imageformats {
namespace {

using raster::MakePixel;
using raster::Pixel;
using testing::BmpSpec;
using testing::BuildBmp;
using testing::KnownImage;
using testing::PackRows;
using ::testing::HasSubstr;

const std::vector<Pixel> kPalette = {MakePixel(255, 0, 0), MakePixel(0, 255, 0), MakePixel(0, 0, 255),
                                     MakePixel(10, 20, 30)};
const Pixel kSkipped = MakePixel(0, 0, 0, 0);  // what RLE leaves where it writes nothing

std::vector<uint32_t> Bgr(const KnownImage& image) {
  std::vector<uint32_t> out;
  for (Pixel p : image.pixels) out.push_back(p & 0xFFFFFF);
  return out;
}

BmpSpec TwentyFourBit(const KnownImage& image, bool topDown) {
  BmpSpec s;
  s.width = image.width;
  s.height = topDown ? -image.height : image.height;
  s.pixelData = PackRows(Bgr(image), image.width, image.height, 24, topDown);
  return s;
}

std::string ErrorOf(const std::vector<uint8_t>& file) {
  try {
    Decode(Format::Bmp, file);
  } catch (const DecodeError& e) {
    return e.what();
  }
  return "no error";
}

TEST(BmpLayouts, TopDownAndBottomUpGiveTheSamePicture) {
  const KnownImage image = testing::ManyColours();
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Bmp, BuildBmp(TwentyFourBit(image, true))), image, 0));
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Bmp, BuildBmp(TwentyFourBit(image, false))), image, 0));
}

TEST(BmpLayouts, BareDibWithoutFileHeader) {
  const KnownImage image = testing::ManyColours();
  BmpSpec s = TwentyFourBit(image, false);
  s.fileHeader = false;
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Bmp, BuildBmp(s)), image, 0));
  // A bare DIB with a palette: the pixels start after it.
  BmpSpec p;
  p.width = 2;
  p.height = 1;
  p.bitCount = 8;
  p.fileHeader = false;
  p.palette = kPalette;
  p.colorsUsed = 4;
  p.pixelData = {3, 1, 0, 0};
  const raster::Bitmap b = Decode(Format::Bmp, BuildBmp(p));
  EXPECT_EQ(b.At(0, 0), kPalette[3]);
  EXPECT_EQ(b.At(1, 0), kPalette[1]);
}

TEST(BmpLayouts, CoreHeaderWithThreeBytePalette) {
  BmpSpec s;
  s.headerSize = 12;
  s.width = 3;
  s.height = 2;
  s.bitCount = 4;
  s.palette = std::vector<Pixel>(16, MakePixel(1, 1, 1));
  s.palette[0] = kPalette[0];
  s.palette[15] = kPalette[3];
  s.pixelData = PackRows({0, 15, 0, 15, 15, 0}, 3, 2, 4, false);
  const raster::Bitmap b = Decode(Format::Bmp, BuildBmp(s));
  ASSERT_EQ(b.Width(), 3);
  EXPECT_EQ(b.At(0, 0), kPalette[0]);
  EXPECT_EQ(b.At(1, 0), kPalette[3]);
  EXPECT_EQ(b.At(0, 1), kPalette[3]);
  EXPECT_EQ(b.At(2, 1), kPalette[0]);
}

TEST(BmpLayouts, IndicesPastAShortPaletteAreBlack) {
  BmpSpec s;
  s.width = 3;
  s.height = 1;
  s.bitCount = 8;
  s.palette = kPalette;
  s.colorsUsed = 4;
  s.pixelData = {2, 4, 255, 0};
  const raster::Bitmap b = Decode(Format::Bmp, BuildBmp(s));
  EXPECT_EQ(b.At(0, 0), kPalette[2]);
  EXPECT_EQ(b.At(1, 0), MakePixel(0, 0, 0));
  EXPECT_EQ(b.At(2, 0), MakePixel(0, 0, 0));
}

TEST(BmpLayouts, TwoBitsPerPixel) {
  BmpSpec s;
  s.width = 5;
  s.height = 1;
  s.bitCount = 2;
  s.palette = kPalette;
  s.pixelData = PackRows({0, 1, 2, 3, 2}, 5, 1, 2, false);
  const raster::Bitmap b = Decode(Format::Bmp, BuildBmp(s));
  const int indices[] = {0, 1, 2, 3, 2};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(b.At(x, 0), kPalette[indices[x]]) << x;
}

TEST(BmpLayouts, BitFieldMasksAfterAFortyByteHeader) {
  BmpSpec s;
  s.width = 2;
  s.height = 1;
  s.bitCount = 16;
  s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixelData = {0x00, 0xF8, 0xE0, 0x07};  // pure red, pure green (565)
  const raster::Bitmap b = Decode(Format::Bmp, BuildBmp(s));
  EXPECT_EQ(b.At(0, 0), MakePixel(255, 0, 0));
  EXPECT_EQ(b.At(1, 0), MakePixel(0, 255, 0));
}

TEST(BmpLayouts, AlphaMaskThatIsZeroEverywhereMeansOpaque) {
  BmpSpec s;
  s.width = 2;
  s.height = 1;
  s.bitCount = 32;
  s.compression = 3;
  s.headerSize = 108;
  s.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  s.pixelData = {1, 2, 3, 0, 4, 5, 6, 0};
  const raster::Bitmap b = Decode(Format::Bmp, BuildBmp(s));
  EXPECT_EQ(b.At(0, 0), MakePixel(3, 2, 1, 255));
  EXPECT_EQ(b.At(1, 0), MakePixel(6, 5, 4, 255));
  // One pixel with alpha makes the alpha real.
  s.pixelData[3] = 0x80;
  EXPECT_EQ(Decode(Format::Bmp, BuildBmp(s)).At(1, 0), MakePixel(6, 5, 4, 0));
}

BmpSpec Rle(uint16_t bits, int width, int height, std::vector<uint8_t> data) {
  BmpSpec s;
  s.width = width;
  s.height = height;
  s.bitCount = bits;
  s.compression = bits == 8 ? 1 : 2;
  s.palette = kPalette;
  s.palette.resize(size_t{1} << bits, MakePixel(9, 9, 9));
  s.pixelData = std::move(data);
  return s;
}

TEST(BmpRle, Rle8RunsAbsoluteRunsDeltaAndEndOfLine) {
  // 5 x 3, bottom-up. Stored row 0 (bottom): run of 2 x index 1, absolute 3 pixels
  // (odd: one pad byte). Row 1: delta right 2 and up 1 -> row 2 at x 2; there one
  // pixel of index 3, end of line (row 3 is past the picture).
  const BmpSpec s = Rle(8, 5, 3,
                        {2, 1, 0, 3, 0, 2, 3, 0, 0, 0,  // row 0, end of line
                         0, 2, 2, 1,                    // delta (2, 1): row 2, x 2
                         1, 3, 0, 1});                  // one pixel, end of bitmap
  const raster::Bitmap b = Decode(Format::Bmp, BuildBmp(s));
  const std::vector<Pixel> bottom = {kPalette[1], kPalette[1], kPalette[0], kPalette[2], kPalette[3]};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(b.At(x, 2), bottom[x]) << x;
  for (int x = 0; x < 5; ++x) EXPECT_EQ(b.At(x, 1), kSkipped) << x;  // skipped by the delta
  EXPECT_EQ(b.At(1, 0), kSkipped);
  EXPECT_EQ(b.At(2, 0), kPalette[3]);
  EXPECT_EQ(b.At(3, 0), kSkipped);
}

TEST(BmpRle, Rle4AlternatesNibbles) {
  // 8 x 1: run of 3 pixels alternating 1 and 2, absolute run of 5 pixels
  // 3 0 2 1 3 (three bytes, padded to four), end of bitmap.
  const BmpSpec s = Rle(4, 8, 1, {3, 0x12, 0, 5, 0x30, 0x21, 0x30, 0, 0, 1});
  const raster::Bitmap b = Decode(Format::Bmp, BuildBmp(s));
  const int row[] = {1, 2, 1, 3, 0, 2, 1, 3};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(b.At(x, 0), kPalette[row[x]]) << x;
}

TEST(BmpRle, RunsPastTheRightEdgeAreDropped) {
  const BmpSpec s = Rle(8, 2, 2, {200, 1, 0, 0, 5, 2, 0, 1});
  const raster::Bitmap b = Decode(Format::Bmp, BuildBmp(s));
  EXPECT_EQ(b.At(0, 1), kPalette[1]);
  EXPECT_EQ(b.At(1, 1), kPalette[1]);
  EXPECT_EQ(b.At(0, 0), kPalette[2]);
  EXPECT_EQ(b.At(1, 0), kPalette[2]);
}

TEST(BmpRle, DataEndingBeforeEndOfBitmapIsAnError) {
  EXPECT_EQ(ErrorOf(BuildBmp(Rle(8, 4, 4, {2, 1, 0, 0, 2}))), "BMP: RLE data ends early");
  EXPECT_EQ(ErrorOf(BuildBmp(Rle(8, 4, 4, {0, 5, 1, 2}))), "BMP: RLE data ends early");
}

TEST(BmpFaults, EachFaultIsNamed) {
  const KnownImage image = testing::ManyColours();
  auto file = BuildBmp(TwentyFourBit(image, false));
  EXPECT_EQ(ErrorOf({'B'}), "BMP: not a bitmap file");
  EXPECT_EQ(ErrorOf({'G', 'I', 'F', '8', '9', 'a'}), "BMP: not a bitmap file");
  EXPECT_EQ(ErrorOf({'B', 'M', 0, 0}), "BMP: file header ends early");
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(file.begin(), file.end() - 30)), "BMP: pixel data ends early");

  BmpSpec s = TwentyFourBit(image, false);
  s.headerSize = 20;
  EXPECT_EQ(ErrorOf(BuildBmp(s)), "BMP: unsupported header size 20");
  s = TwentyFourBit(image, false);
  s.bitCount = 7;
  EXPECT_EQ(ErrorOf(BuildBmp(s)), "BMP: unsupported bit depth 7");
  s = TwentyFourBit(image, false);
  s.compression = 4;  // embedded JPEG
  EXPECT_EQ(ErrorOf(BuildBmp(s)), "BMP: unsupported compression 4 at 24 bits");
  s.compression = 1;  // RLE8 at 24 bits
  EXPECT_THAT(ErrorOf(BuildBmp(s)), HasSubstr("unsupported compression 1"));
  s = Rle(8, 2, 2, {});
  s.compression = 3;
  s.bitCount = 16;
  s.palette.clear();
  s.masks = {0, 0, 0};
  EXPECT_EQ(ErrorOf(BuildBmp(s)), "BMP: bad colour masks");

  // A pixel offset beyond the end of the data.
  auto badOffset = file;
  badOffset[10] = 0xFF;
  badOffset[11] = 0xFF;
  EXPECT_EQ(ErrorOf(badOffset), "BMP: pixel data offset beyond the end of the data");
}

TEST(BmpFaults, SizesOutsideTheLimitsAreRefusedBeforeDecoding) {
  const auto sized = [](int32_t w, int32_t h) {
    BmpSpec s;
    s.width = w;
    s.height = h;
    s.pixelData = {0, 0, 0, 0};
    return ErrorOf(BuildBmp(s));
  };
  EXPECT_EQ(sized(0, 5), "BMP: bad picture size 0 x 5");
  EXPECT_EQ(sized(-3, 5), "BMP: bad picture size -3 x 5");
  EXPECT_EQ(sized(5, 0), "BMP: bad picture size 5 x 0");
  EXPECT_EQ(sized(40000, 1), "BMP: picture too large (40000 x 1)");
  EXPECT_EQ(sized(30000, -30000), "BMP: picture too large (30000 x 30000)");
  EXPECT_EQ(sized(1, INT32_MIN), "BMP: picture too large (1 x 2147483648)");
  // The caller's own limit.
  BmpSpec s = TwentyFourBit(testing::ManyColours(), false);
  DecodeOptions small;
  small.maxPixels = 34;
  EXPECT_THROW(Decode(Format::Bmp, BuildBmp(s), small), DecodeError);
  small.maxPixels = 35;
  EXPECT_NO_THROW(Decode(Format::Bmp, BuildBmp(s), small));
}

}  // namespace
}  // namespace imageformats
