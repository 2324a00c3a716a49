// PNG through libpng: every colour type and depth ImageMagick writes, and faults.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include "fixtures.h"
#include "imageformats/decode.h"

namespace imageformats {
namespace {

using testing::Convert;
using testing::KnownImage;
using ::testing::HasSubstr;

KnownImage ColoursBinaryAlpha() { return testing::WithAlpha(testing::ManyColours(), true); }
KnownImage ColoursAlpha() { return testing::WithAlpha(testing::ManyColours(), false); }
KnownImage GreyAlpha() { return testing::WithAlpha(testing::GreyLevels(), false); }

struct PngVariant {
  const char* name;
  KnownImage (*image)();
  const char* options;
  const char* output;
  int bitDepth;  // IHDR fields the file must hold
  int colourType;
  int interlace;
  bool alpha;
};

const PngVariant kVariants[] = {
    {"Palette", testing::ManyColours, "", "PNG8:v.png", 8, 3, 0, false},
    {"PaletteWithTrns", ColoursBinaryAlpha, "", "PNG8:v.png", 8, 3, 0, true},
    {"Grey1", testing::TwoColours, "-define png:color-type=0 -define png:bit-depth=1", "PNG:v.png", 1, 0, 0, false},
    {"Grey8", testing::GreyLevels, "-define png:color-type=0 -define png:bit-depth=8", "PNG:v.png", 8, 0, 0, false},
    {"Grey16", testing::GreyLevels, "-define png:color-type=0 -define png:bit-depth=16", "PNG:v.png", 16, 0, 0,
     false},
    {"GreyAlpha", GreyAlpha, "-define png:color-type=4", "PNG:v.png", 8, 4, 0, true},
    {"Rgb", testing::ManyColours, "", "PNG24:v.png", 8, 2, 0, false},
    {"Rgba", ColoursAlpha, "", "PNG32:v.png", 8, 6, 0, true},
    {"Rgb16", testing::ManyColours, "", "PNG48:v.png", 16, 2, 0, false},
    {"Rgba16", ColoursAlpha, "", "PNG64:v.png", 16, 6, 0, true},
    {"InterlacedRgb", testing::ManyColours, "-interlace PNG", "PNG24:v.png", 8, 2, 1, false},
    {"InterlacedRgba16", ColoursAlpha, "-interlace PNG", "PNG64:v.png", 16, 6, 1, true},
};

class PngVariantTest : public ::testing::TestWithParam<PngVariant> {};

TEST_P(PngVariantTest, DecodesKnownPixels) {
  const PngVariant& v = GetParam();
  const KnownImage image = v.image();
  const auto file = Convert(image, v.options, v.output);
  ASSERT_GT(file.size(), 33u);
  ASSERT_EQ(file[24], v.bitDepth);
  ASSERT_EQ(file[25], v.colourType);
  ASSERT_EQ(file[28], v.interlace);
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Png, file), image, 0, v.alpha));
}

INSTANTIATE_TEST_SUITE_P(ImageMagick, PngVariantTest, ::testing::ValuesIn(kVariants),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(PngDecode, TransparentPixelsKeepTheirColour) {
  // Straight alpha: a fully transparent pixel still carries its colour.
  const KnownImage image = ColoursBinaryAlpha();
  const raster::Bitmap b = Decode(Format::Png, Convert(image, "", "PNG32:v.png"));
  ASSERT_EQ(raster::PixelA(b.At(0, 0)), 0);
  EXPECT_EQ(b.At(0, 0) & 0xFFFFFF, image.At(0, 0) & 0xFFFFFF);
}

std::string ErrorOf(const std::vector<uint8_t>& file) {
  try {
    Decode(Format::Png, file);
  } catch (const DecodeError& e) {
    return e.what();
  }
  return "no error";
}

uint32_t ReadBe32(const std::vector<uint8_t>& d, size_t pos) {
  return (uint32_t{d[pos]} << 24) | (uint32_t{d[pos + 1]} << 16) | (uint32_t{d[pos + 2]} << 8) | d[pos + 3];
}

// Writes width and height into IHDR and fixes its CRC.
std::vector<uint8_t> Resized(std::vector<uint8_t> png, uint32_t width, uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<uint8_t>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<uint8_t>(height >> (24 - 8 * i));
  }
  const uLong crc = crc32(0, png.data() + 12, 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  return png;
}

TEST(PngFaults, EachFaultIsNamed) {
  const auto file = Convert(testing::ManyColours(), "", "PNG24:v.png");
  EXPECT_EQ(ErrorOf({}), "PNG: not a PNG file");
  EXPECT_EQ(ErrorOf({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}), "PNG: data ends early");
  const std::string text(file.begin(), file.end());
  const size_t idat = text.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(idat) + 10)),
            "PNG: data ends early");
  auto damaged = file;
  damaged[18] ^= 0x01;  // IHDR width, CRC left as it was
  EXPECT_THAT(ErrorOf(damaged), HasSubstr("CRC error"));
  EXPECT_THAT(ErrorOf(Resized(file, 0, 5)), HasSubstr("PNG: "));
  EXPECT_EQ(ErrorOf(Resized(file, 30000, 30000)), "PNG: picture too large (30000 x 30000)");
  // libpng's own limits (set to ours) catch these while reading IHDR.
  EXPECT_EQ(ErrorOf(Resized(file, 40000, 1)), "PNG: Invalid IHDR data");
  EXPECT_EQ(ErrorOf(Resized(file, 1, 0x7FFFFFFF)), "PNG: Invalid IHDR data");
}

TEST(PngFaults, TrailingChunksAndAMissingEndChunkDoNotMatter) {
  const KnownImage image = testing::ManyColours();
  const auto file = Convert(image, "", "PNG24:v.png");
  const std::string text(file.begin(), file.end());
  const size_t afterPixels = text.rfind("IDAT") + 8 + ReadBe32(file, text.rfind("IDAT") - 4) + 4;
  ASSERT_LT(afterPixels, file.size());
  const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(afterPixels));
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Png, cut), image, 0));
}

}  // namespace
}  // namespace imageformats
