// BMP variants written by ImageMagick, decoded and compared pixel by pixel.
#include <gtest/gtest.h>

#include "fixtures.h"
#include "imageformats/decode.h"

namespace imageformats {
namespace {

using testing::Convert;
using testing::KnownImage;
using testing::ReadLe16;
using testing::ReadLe32;

struct BmpVariant {
  const char* name;
  KnownImage (*image)();
  const char* options;
  const char* output;
  uint16_t bitCount;     // what the file must hold, so the case tests what it says
  uint32_t compression;
  int tolerance;
  bool alpha;
};

KnownImage HalfTransparent() { return testing::WithAlpha(testing::ManyColours(), false); }

const BmpVariant kVariants[] = {
    {"Bmp3_24", testing::ManyColours, "", "BMP3:v.bmp", 24, 0, 0, false},
    {"Bmp3_8", testing::ManyColours, "-type Palette -compress None", "BMP3:v.bmp", 8, 0, 0, false},
    {"Bmp3_Rle8", testing::ManyColours, "-type Palette -compress RLE", "BMP3:v.bmp", 8, 1, 0, false},
    {"Bmp3_4", testing::FewColours, "-type Palette -compress None", "BMP3:v.bmp", 4, 0, 0, false},
    {"Bmp3_1", testing::TwoColours, "-type Palette -compress None", "BMP3:v.bmp", 1, 0, 0, false},
    // 5 or 6 bits per channel: within one 5-bit step of the 8-bit source.
    {"Rgb565", testing::ManyColours, "-define bmp:subtype=RGB565", "BMP:v.bmp", 16, 3, 8, false},
    {"Rgb555", testing::ManyColours, "-define bmp:subtype=RGB555", "BMP:v.bmp", 16, 3, 8, false},
    {"Argb8888", HalfTransparent, "-define bmp:subtype=ARGB8888", "BMP:v.bmp", 32, 3, 0, true},
    {"V5_24", testing::ManyColours, "", "BMP:v.bmp", 24, 0, 0, false},
};

class BmpVariantTest : public ::testing::TestWithParam<BmpVariant> {};

TEST_P(BmpVariantTest, DecodesKnownPixels) {
  const BmpVariant& v = GetParam();
  const KnownImage image = v.image();
  const auto file = Convert(image, v.options, v.output);
  ASSERT_GT(file.size(), 54u);
  ASSERT_EQ(ReadLe16(file, 28), v.bitCount);
  ASSERT_EQ(ReadLe32(file, 30), v.compression);
  const raster::Bitmap bitmap = Decode(Format::Bmp, file);
  EXPECT_TRUE(testing::SamePixels(bitmap, image, v.tolerance, v.alpha));
}

INSTANTIATE_TEST_SUITE_P(ImageMagick, BmpVariantTest, ::testing::ValuesIn(kVariants),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(BmpDecode, OpaqueThirtyTwoBitsKeepsFullAlpha) {
  // An opaque picture written with an alpha mask: every alpha is 255.
  const KnownImage image = testing::ManyColours();
  const auto file = Convert(image, "-alpha on -define bmp:subtype=ARGB8888", "BMP:v.bmp");
  ASSERT_EQ(ReadLe16(file, 28), 32);
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Bmp, file), image, 0, false));
}

}  // namespace
}  // namespace imageformats
