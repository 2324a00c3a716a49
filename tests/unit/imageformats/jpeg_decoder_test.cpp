// JPEG through libjpeg: colour spaces, progressive files, DCT scaling for the
// fit hint, and faults.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fixtures.h"
#include "imageformats/decode.h"

namespace imageformats {
namespace {

using testing::Convert;
using testing::KnownImage;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Quality 100 without chroma subsampling stays within a few levels.
constexpr const char* kFine = "-quality 100 -sampling-factor 1x1";
constexpr int kTolerance = 8;

// The number of components in the first SOF segment.
int Components(const std::vector<uint8_t>& jpeg) {
  for (size_t i = 2; i + 9 < jpeg.size();) {
    if (jpeg[i] != 0xFF) return -1;
    const uint8_t marker = jpeg[i + 1];
    if (marker >= 0xC0 && marker <= 0xC2) return jpeg[i + 9];
    i += 2 + static_cast<size_t>((jpeg[i + 2] << 8) | jpeg[i + 3]);
  }
  return -1;
}

TEST(JpegDecode, ColourPicture) {
  const KnownImage image = testing::ManyColours();
  const auto file = Convert(image, kFine, "JPEG:v.jpg");
  ASSERT_EQ(Components(file), 3);
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Jpeg, file), image, kTolerance));
}

TEST(JpegDecode, ProgressiveColourPicture) {
  const KnownImage image = testing::ManyColours();
  const auto file = Convert(image, std::string(kFine) + " -interlace JPEG", "JPEG:v.jpg");
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Jpeg, file), image, kTolerance));
}

TEST(JpegDecode, GreyscalePicture) {
  const KnownImage image = testing::GreyLevels();
  const auto file = Convert(image, std::string(kFine) + " -type Grayscale", "JPEG:v.jpg");
  ASSERT_EQ(Components(file), 1);
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Jpeg, file), image, kTolerance));
}

TEST(JpegDecode, AdobeCmykPicture) {
  // ImageMagick writes CMYK with the Adobe marker, inverted; plain CMYK maths
  // (no colour profile) brings it back close to the source.
  const KnownImage image = testing::ManyColours();
  const auto file = Convert(image, std::string(kFine) + " -colorspace CMYK", "JPEG:v.jpg");
  ASSERT_EQ(Components(file), 4);
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Jpeg, file), image, 12));
}

struct ScaleCase {
  int fitWidth, fitHeight;
  int width, height;  // of the result for a 64 x 48 picture
};

TEST(JpegDecode, FitHintChoosesTheSmallestScaleThatCoversTheBox) {
  const KnownImage image = testing::Gradient(64, 48);
  const auto file = Convert(image, kFine, "JPEG:v.jpg");
  const ScaleCase cases[] = {
      {0, 0, 64, 48},     // no hint
      {100, 100, 64, 48},  // box larger than the picture
      {16, 12, 16, 12},   // exactly 1/4
      {17, 12, 24, 18},   // one pixel more needs 3/8
      {8, 6, 8, 6},       // 1/8
      {1, 1, 8, 6},       // never below 1/8
      {10, 40, 56, 42},   // the height decides: 7/8
      {64, 0, 64, 48},    // half a hint is no hint
  };
  for (const ScaleCase& c : cases) {
    DecodeOptions options;
    options.fitWidth = c.fitWidth;
    options.fitHeight = c.fitHeight;
    const raster::Bitmap b = Decode(Format::Jpeg, file, options);
    EXPECT_EQ(b.Width(), c.width) << c.fitWidth << "x" << c.fitHeight;
    EXPECT_EQ(b.Height(), c.height) << c.fitWidth << "x" << c.fitHeight;
  }
  // A scaled picture is the same picture, smaller: compare a corner and the middle.
  DecodeOptions quarter;
  quarter.fitWidth = 16;
  quarter.fitHeight = 12;
  const raster::Bitmap small = Decode(Format::Jpeg, file, quarter);
  const raster::Bitmap full = Decode(Format::Jpeg, file);
  for (auto [x, y] : {std::pair{0, 0}, std::pair{8, 6}, std::pair{15, 11}}) {
    const raster::Pixel a = small.At(x, y);
    const raster::Pixel b = full.At(x * 4 + 2, y * 4 + 2);
    EXPECT_NEAR(raster::PixelR(a), raster::PixelR(b), 10);
    EXPECT_NEAR(raster::PixelG(a), raster::PixelG(b), 10);
  }
}

std::string ErrorOf(const std::vector<uint8_t>& file) {
  try {
    Decode(Format::Jpeg, file);
  } catch (const DecodeError& e) {
    return e.what();
  }
  return "no error";
}

TEST(JpegFaults, NotAJpeg) {
  EXPECT_EQ(ErrorOf({}), "JPEG: no data");
  EXPECT_THAT(ErrorOf({'B', 'M', 1, 2, 3, 4}), StartsWith("JPEG: Not a JPEG file"));
}

TEST(JpegFaults, TruncatedScanIsAnErrorButAMissingEndMarkerIsNot) {
  const KnownImage image = testing::Gradient(64, 48);
  const auto file = Convert(image, kFine, "JPEG:v.jpg");
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(file.begin(), file.begin() + file.size() / 2)), "JPEG: data ends early");
  const std::vector<uint8_t> noEnd(file.begin(), file.end() - 2);
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Jpeg, noEnd), testing::Gradient(64, 48), kTolerance));

  const auto progressive = Convert(image, std::string(kFine) + " -interlace JPEG", "JPEG:v.jpg");
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(progressive.begin(), progressive.begin() + progressive.size() / 2)),
            "JPEG: data ends early");
}

// Sets the size in the first SOF of `jpeg`.
std::vector<uint8_t> Resized(std::vector<uint8_t> jpeg, int width, int height) {
  for (size_t i = 2; i + 9 < jpeg.size();) {
    if (jpeg[i + 1] >= 0xC0 && jpeg[i + 1] <= 0xC2) {
      jpeg[i + 5] = static_cast<uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<uint8_t>(height);
      jpeg[i + 7] = static_cast<uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<uint8_t>(width);
      return jpeg;
    }
    i += 2 + static_cast<size_t>((jpeg[i + 2] << 8) | jpeg[i + 3]);
  }
  ADD_FAILURE() << "no SOF";
  return jpeg;
}

TEST(JpegFaults, AbsurdSizesAreRefused) {
  const auto file = Convert(testing::ManyColours(), kFine, "JPEG:v.jpg");
  EXPECT_EQ(ErrorOf(Resized(file, 40000, 8)), "JPEG: picture too large (40000 x 8)");
  EXPECT_EQ(ErrorOf(Resized(file, 30000, 30000)), "JPEG: picture too large (30000 x 30000)");
  EXPECT_THAT(ErrorOf(Resized(file, 0, 8)), HasSubstr("JPEG: "));
}

}  // namespace
}  // namespace imageformats
