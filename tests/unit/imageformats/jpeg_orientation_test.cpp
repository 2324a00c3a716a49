// EXIF orientation: JPEGs of a picture with distinct corner colours, stored
// turned or mirrored, with an APP1 segment (one-entry IFD0, either byte
// order) that says how to stand them upright; damaged tags leave the picture
// as stored. Also the header reader on its own.
#include <gtest/gtest.h>

#include <string>

#include "fixtures.h"
#include "handmade_files.h"
#include "imageformats/decode.h"
#include "imageformats/jpeg_header.h"

namespace imageformats {
namespace {

using testing::App1;
using testing::ByteWriter;
using testing::Exif;
using testing::WithApp1;
using testing::KnownImage;

constexpr int kWidth = 48;
constexpr int kHeight = 32;
constexpr int kTolerance = 12;

// Quarters of red, green, blue and white: each corner tells where it went.
KnownImage Corners() {
  KnownImage image{kWidth, kHeight, {}};
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool right = x >= kWidth / 2;
      const bool bottom = y >= kHeight / 2;
      image.pixels.push_back(!bottom ? (right ? raster::MakePixel(0, 200, 0) : raster::MakePixel(220, 0, 0))
                                     : (right ? raster::MakePixel(255, 255, 255) : raster::MakePixel(0, 0, 220)));
    }
  return image;
}

// The ImageMagick operation that stores the upright picture the way each
// orientation value describes (its inverse turns it upright again).
const char* const kStoredAs[9] = {"", "", "-flop", "-rotate 180", "-flip", "-transpose", "-rotate -90",
                                  "-transverse", "-rotate 90"};

std::vector<uint8_t> StoredJpeg(int orientation) {
  return testing::Convert(Corners(), std::string(kStoredAs[orientation]) + " -quality 95", "JPEG:v.jpg");
}

TEST(JpegOrientation, EveryValueInBothByteOrdersStandsUpright) {
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const std::vector<uint8_t> stored = StoredJpeg(orientation);
    for (bool bigEndian : {false, true}) {
      Exif exif;
      exif.bigEndian = bigEndian;
      exif.value = static_cast<uint16_t>(orientation);
      const std::vector<uint8_t> file = WithApp1(stored, App1(exif));
      const raster::Bitmap upright = Decode(Format::Jpeg, file);
      EXPECT_TRUE(testing::SamePixels(upright, Corners(), kTolerance))
          << "orientation " << orientation << (bigEndian ? " MM" : " II");
      // ImageMagick, told to turn by the same segment, agrees.
      const std::string path = testing::ScratchPath("orientation.jpg");
      testing::WriteBytes(path, file);
      EXPECT_TRUE(testing::SamePixels(upright, testing::ImageMagickPixelsOfFile(path, "JPEG", "-auto-orient"), 3))
          << "orientation " << orientation;
      if (orientation == 6 && bigEndian) testing::WriteFuzzSeed(Format::Jpeg, file);
    }
  }
}

TEST(JpegOrientation, DamagedOrOutOfRangeTagsLeaveThePictureAsStored) {
  const std::vector<uint8_t> stored = StoredJpeg(6);  // sideways: 32 x 48
  const KnownImage asStored = testing::ImageMagickPixels(stored, "JPEG");
  Exif outside;
  outside.value = 6;
  outside.ifdOffset = 4000;
  Exif huge;
  huge.value = 6;
  huge.entries = 0xFFFF;
  Exif truncated;
  truncated.value = 6;
  truncated.cut = 12;  // the segment ends inside the entry
  Exif zero;
  zero.value = 0;
  Exif nine;
  nine.value = 9;
  Exif longType;
  longType.value = 6;
  longType.type = 4;
  for (const Exif& e : {outside, huge, truncated, zero, nine, longType}) {
    const raster::Bitmap decoded = Decode(Format::Jpeg, WithApp1(stored, App1(e)));
    EXPECT_TRUE(testing::SamePixels(decoded, asStored, 3)) << "value " << e.value << ", entries " << e.entries;
  }
  // Not EXIF at all: another APP1 (XMP) before the real one is passed over.
  Exif six;
  six.value = 6;
  ByteWriter xmp;
  xmp.U8(0xFF).U8(0xE1).U16Be(2 + 29).Text("http://ns.adobe.com/xap/1.0/").U8(0);
  const auto file = WithApp1(WithApp1(stored, App1(six)), xmp.bytes);
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Jpeg, file), Corners(), kTolerance));
}

TEST(JpegOrientation, TheScaleIsChosenForTheTurnedSize) {
  // Stored 1600 x 400, upright 400 x 1600. A box of 100 x 400 is covered by
  // the quarter scale of the upright picture; measured on the stored one it
  // would need the full scale.
  const std::vector<uint8_t> stored =
      testing::Convert(testing::Gradient(1600, 400), "-quality 80", "JPEG:v.jpg");
  Exif exif;
  exif.value = 6;
  const auto file = WithApp1(stored, App1(exif));
  DecodeOptions options;
  options.fitWidth = 100;
  options.fitHeight = 400;
  const raster::Bitmap decoded = Decode(Format::Jpeg, file, options);
  EXPECT_EQ(decoded.Width(), 100);
  EXPECT_EQ(decoded.Height(), 400);
  const auto header = ReadJpegHeader(file);
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->width, 1600);
  EXPECT_EQ(header->UprightWidth(), 400);
  EXPECT_EQ(header->UprightHeight(), 1600);
}

TEST(JpegHeader, ReadsOnlyWhatIsThere) {
  EXPECT_EQ(ReadJpegHeader(std::vector<uint8_t>{}), std::nullopt);
  EXPECT_EQ(ReadJpegHeader(std::vector<uint8_t>{0xFF, 0xD8}), std::nullopt);
  const std::vector<uint8_t> sof = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x00, 0x00,  // APP0, 2 bytes
                                    0xFF, 0xFF, 0xC2, 0x00, 0x0B, 0x08, 0x01, 0x2C, 0x02, 0x58, 0x03};
  const auto header = ReadJpegHeader(sof);
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->width, 600);
  EXPECT_EQ(header->height, 300);
  EXPECT_EQ(header->orientation, 1);
  for (size_t cut = 0; cut < sof.size() - 1; ++cut)  // every truncation: nothing, no overread
    EXPECT_EQ(ReadJpegHeader(std::span(sof.data(), cut)), std::nullopt) << cut;
  const std::vector<uint8_t> scanFirst = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02};
  EXPECT_EQ(ReadJpegHeader(scanFirst), std::nullopt);
  const std::vector<uint8_t> badLength = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01};
  EXPECT_EQ(ReadJpegHeader(badLength), std::nullopt);

  // The orientation before the frame header; every cut of the APP1 payload
  // reads as 1 without reading outside it.
  Exif exif;
  exif.value = 8;
  exif.bigEndian = true;
  const std::vector<uint8_t> app1 = App1(exif);
  const auto turned = ReadJpegHeader(WithApp1(sof, app1));
  ASSERT_TRUE(turned.has_value());
  EXPECT_EQ(turned->orientation, 8);
  EXPECT_EQ(turned->UprightWidth(), 300);
  const std::vector<uint8_t> payload(app1.begin() + 4, app1.end());
  EXPECT_EQ(ExifOrientation(payload), 8);
  // "Exif\0\0", the TIFF header, the entry count and one whole 12-byte entry.
  constexpr size_t kWholeEntry = 6 + 8 + 2 + 12;
  for (size_t n = 0; n < payload.size(); ++n)
    EXPECT_EQ(ExifOrientation(std::vector<uint8_t>(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(n))),
              n < kWholeEntry ? 1 : 8)
        << n;
}

}  // namespace
}  // namespace imageformats
