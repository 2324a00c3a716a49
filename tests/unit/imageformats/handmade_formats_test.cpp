// The formats and variants no tool here writes, built field by field: Autodesk
// CEL, Dr. Halo CUT with and without its palette file, Wavefront RLA, Paint
// Shop Pro, Photo CD, mirrored and 15/16-bit Targa, planar PCX. Each decodes
// to the picture it was made from; every truncation fails cleanly or gives
// the same picture. The files are kept as fuzzing seeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <string>

#include "fixtures.h"
#include "handmade_files.h"
#include "imageformats/decode.h"

namespace imageformats {
namespace {

using raster::MakePixel;
using raster::Pixel;
using testing::ByteWriter;
using testing::KnownImage;

// Decodes `file`, compares it with `expected` and checks its truncations.
void ExpectPicture(Format format, const std::vector<uint8_t>& file, const KnownImage& expected,
                   const DecodeOptions& options = {}, bool alpha = false) {
  testing::WriteFuzzSeed(format, file);
  raster::Bitmap decoded;
  ASSERT_NO_THROW(decoded = Decode(format, file, options)) << testing::DecodeErrorOf(format, file, options);
  EXPECT_TRUE(testing::SamePixels(decoded, expected, 0, alpha));
  EXPECT_TRUE(testing::TruncationsFailOrMatch(format, file, options));
}

// 7 x 5 indices into 12 colours, with runs and single pixels.
std::vector<uint8_t> Indices() {
  std::vector<uint8_t> indices;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) indices.push_back(static_cast<uint8_t>(x < 3 ? y : (x * 5 + y) % 12));
  return indices;
}

KnownImage FromIndices(const std::vector<uint8_t>& indices, Pixel (*colour)(uint8_t)) {
  KnownImage image{7, 5, {}};
  for (uint8_t i : indices) image.pixels.push_back(colour(i));
  return image;
}

TEST(Autodesk, IndicesIntoSixBitLevels) {
  std::vector<std::array<uint8_t, 3>> palette;
  for (int i = 0; i < 12; ++i) palette.push_back({uint8_t(i * 5), uint8_t(63 - i * 5), uint8_t(i % 2 ? 63 : 0)});
  const KnownImage expected = FromIndices(Indices(), [](uint8_t i) {
    // The VGA levels 0..63 spread over 0..255.
    const auto level = [](int v) { return static_cast<uint8_t>(std::lround(v * 255.0 / 63)); };
    return MakePixel(level(i * 5), level(63 - i * 5), level(i % 2 ? 63 : 0));
  });
  ExpectPicture(Format::Autodesk, testing::CelFile(7, 5, Indices(), palette), expected);
}

TEST(Cut, WithoutAPaletteIndicesAreGreyLevels) {
  ExpectPicture(Format::Cut, testing::CutFile(7, 5, Indices()),
                FromIndices(Indices(), [](uint8_t i) { return MakePixel(i, i, i); }));
}

TEST(Cut, APaletteFileGivesTheColoursAsImageMagickReadsThem) {
  for (uint16_t maxLevel : {uint16_t{255}, uint16_t{63}}) {
    std::vector<std::array<uint16_t, 3>> colours;
    for (uint16_t i = 0; i < 100; ++i)  // enough to cross the first 512-byte block
      colours.push_back({uint16_t(i * 7 % (maxLevel + 1)), uint16_t(maxLevel - i % (maxLevel + 1)), uint16_t(i % 3 * 20)});
    const std::vector<uint8_t> cut = testing::CutFile(7, 5, Indices());
    const std::vector<uint8_t> palette = testing::HaloPalette(colours, maxLevel);
    const std::string stem = testing::ScratchPath("halo" + std::to_string(maxLevel));
    testing::WriteBytes(stem + ".cut", cut);
    testing::WriteBytes(stem + ".pal", palette);
    DecodeOptions options;
    options.palette = palette;
    const raster::Bitmap decoded = Decode(Format::Cut, cut, options);
    EXPECT_TRUE(testing::SamePixels(decoded, testing::ImageMagickPixelsOfFile(stem + ".cut", "CUT"), 1)) << maxLevel;
    std::vector<uint8_t> seed = cut;  // the fuzz target finds the palette at its "AH"
    seed.insert(seed.end(), palette.begin(), palette.end());
    testing::WriteFuzzSeed(Format::Cut, seed);
  }
}

// 6 x 4 with every channel distinct, and an alpha channel.
KnownImage RgbaPicture() {
  KnownImage image{6, 4, {}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      image.pixels.push_back(x < 2 ? MakePixel(200, 10, 30, 255)  // runs
                                   : MakePixel(uint8_t(x * 40), uint8_t(y * 60), uint8_t(x * y * 10), uint8_t(90 + x)));
  return image;
}

KnownImage Opaque(KnownImage image) {
  for (Pixel& p : image.pixels) p |= 0xFF000000u;
  return image;
}

KnownImage GreyOfRed(KnownImage image) {
  for (Pixel& p : image.pixels) p = MakePixel(raster::PixelR(p), raster::PixelR(p), raster::PixelR(p), raster::PixelA(p));
  return image;
}

TEST(Rla, ColourGreyAndMatte) {
  const KnownImage image = RgbaPicture();
  ExpectPicture(Format::Rla, testing::RlaFile(image, false, false), Opaque(image));
  ExpectPicture(Format::Rla, testing::RlaFile(image, false, true), image, {}, true);
  ExpectPicture(Format::Rla, testing::RlaFile(image, true, true), GreyOfRed(image), {}, true);
}

TEST(Rla, SixteenBitChannelsGiveTheirHighBytes) {
  // Colour and matte channels have depths of their own.
  const KnownImage image = RgbaPicture();
  for (const auto& [colourBits, matteBits] : {std::pair{16, 16}, std::pair{16, 8}, std::pair{8, 16}}) {
    SCOPED_TRACE(std::to_string(colourBits) + "-bit colour, " + std::to_string(matteBits) + "-bit matte");
    ExpectPicture(Format::Rla, testing::RlaFile(image, false, true, colourBits, matteBits), image, {}, true);
  }
  ExpectPicture(Format::Rla, testing::RlaFile(image, true, false, 16), GreyOfRed(image));
}

// The layer on a picture of the given size: transparent black elsewhere.
KnownImage Placed(const KnownImage& layer, int width, int height, int left, int top, bool alpha) {
  KnownImage picture{width, height, std::vector<Pixel>(size_t(width) * height, MakePixel(0, 0, 0, 0))};
  for (int y = 0; y < layer.height; ++y)
    for (int x = 0; x < layer.width; ++x)
      if (x + left >= 0 && x + left < width && y + top >= 0 && y + top < height)
        picture.pixels[size_t(y + top) * width + x + left] = alpha ? layer.At(x, y) : layer.At(x, y) | 0xFF000000u;
  return picture;
}

TEST(Psp, FirstRasterLayerOfEveryLayoutAndCompression) {
  const KnownImage layer = RgbaPicture();
  for (int major : {3, 5})
    for (int compression : {0, 1, 2})
      for (bool mask : {false, true}) {
        testing::PspLayout layout;
        layout.major = major;
        layout.compression = compression;
        layout.mask = mask;
        layout.padRows = compression == 0 && mask;
        layout.vectorLayerFirst = major == 5 && compression == 1;
        layout.left = mask ? 2 : -1;  // partly outside the picture
        layout.top = 1;
        layout.imageWidth = 9;
        layout.imageHeight = 6;
        SCOPED_TRACE("version " + std::to_string(major) + ", compression " + std::to_string(compression));
        ExpectPicture(Format::Psp, testing::PspFile(layer, layout),
                      Placed(layer, 9, 6, layout.left, layout.top, mask), {}, true);
      }
}

// A grey or paletted layer (its palette the image's colours) that covers a
// picture of the image's size.
testing::PspLayout OneChannelLayer(const KnownImage& image, testing::PspLayout::Kind kind) {
  testing::PspLayout layout;
  layout.kind = kind;
  layout.imageWidth = image.width;
  layout.imageHeight = image.height;
  if (kind == testing::PspLayout::kPaletted)
    for (Pixel p : image.pixels)
      if (std::find(layout.palette.begin(), layout.palette.end(), p) == layout.palette.end()) layout.palette.push_back(p);
  return layout;
}

TEST(Psp, GreyAndPalettedLayers) {
  const KnownImage few = testing::FewColours();
  testing::PspLayout grey = OneChannelLayer(few, testing::PspLayout::kGrey);
  grey.compression = 1;
  ExpectPicture(Format::Psp, testing::PspFile(few, grey), Placed(GreyOfRed(few), 7, 5, 0, 0, false), {}, true);
  testing::PspLayout paletted = OneChannelLayer(few, testing::PspLayout::kPaletted);
  paletted.compression = 2;
  ExpectPicture(Format::Psp, testing::PspFile(few, paletted), Placed(few, 7, 5, 0, 0, false), {}, true);
}

TEST(Psp, FourAndOneBitLayersPackTheirPixels) {
  for (const KnownImage& image : {testing::FewColours(), testing::TwoColours()}) {
    testing::PspLayout layout = OneChannelLayer(image, testing::PspLayout::kPaletted);
    layout.bits = layout.palette.size() > 2 ? 4 : 1;
    layout.imageWidth = 9;
    layout.imageHeight = 6;
    layout.top = 1;
    for (int major : {3, 5})
      for (int compression : {0, 1, 2}) {
        layout.major = major;
        layout.compression = compression;
        layout.padRows = compression == 0 && major == 5;
        layout.left = major == 3 ? -1 : 2;  // cut off at the left, a row's pixels start inside a byte
        SCOPED_TRACE(std::to_string(layout.bits) + " bits, version " + std::to_string(major) + ", compression " +
                     std::to_string(compression));
        ExpectPicture(Format::Psp, testing::PspFile(image, layout), Placed(image, 9, 6, layout.left, 1, false), {},
                      true);
      }
  }
  // Grey levels of 4 bits spread over 0..255.
  const KnownImage grey = testing::GreyLevels();
  testing::PspLayout layout = OneChannelLayer(grey, testing::PspLayout::kGrey);
  layout.bits = 4;
  KnownImage expected = grey;
  for (Pixel& p : expected.pixels) {
    const auto level = static_cast<uint8_t>((raster::PixelR(p) >> 4) * 17);  // 15 is 255
    p = MakePixel(level, level, level);
  }
  ExpectPicture(Format::Psp, testing::PspFile(grey, layout), expected);
}

// Blocks of 96 x 64 with their own luma and chroma.
testing::Ycc Blocks(int x, int y) {
  const int bx = x / 96;
  const int by = y / 64;
  return {uint8_t(40 + bx * 15 + by * 3), uint8_t(110 + bx * 12), uint8_t(100 + by * 10)};
}

// PhotoYCC to RGB with the constants the Photo CD decoders in use share.
Pixel Rgb(testing::Ycc c) {
  const double luma = 1.3584 * c.luma;
  const double c1 = 2.2179 * (c.c1 - 156);
  const double c2 = 1.8215 * (c.c2 - 137);
  const auto clamp = [](double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
  return MakePixel(clamp(luma + c2), clamp(luma - 0.194 * c1 - 0.509 * c2), clamp(luma + c1));
}

TEST(PhotoCd, BaseImageInRowPairsWithHalfResolutionChroma) {
  KnownImage expected{768, 512, {}};
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 768; ++x) expected.pixels.push_back(Rgb(Blocks(x, y)));
  const std::vector<uint8_t> file = testing::PhotoCdFile(Blocks, 0);
  testing::WriteFuzzSeed(Format::PhotoCd, file);
  EXPECT_TRUE(testing::SamePixels(Decode(Format::PhotoCd, file), expected, 0));
  // The base image ends the data: cutting into it, or before it, fails.
  for (size_t cut : {size_t{0}, size_t{0x900}, size_t{96 * 2048}, file.size() - 1})
    EXPECT_NE(testing::DecodeErrorOf(Format::PhotoCd, std::vector<uint8_t>(file.begin(), file.begin() + cut)), "no error");
}

TEST(PhotoCd, RotationCodesTurnPortraitsUpright) {
  // A bright corner block at the stored top right.
  const auto corner = [](int x, int y) { return x >= 672 && y < 64 ? testing::Ycc{180, 156, 137} : testing::Ycc{30, 156, 137}; };
  const std::pair<int, std::pair<int, int>> cases[] = {
      {0, {767, 0}}, {1, {0, 0}}, {2, {0, 511}}, {3, {511, 767}}};  // where the bright corner ends up
  for (const auto& [rotation, at] : cases) {
    const raster::Bitmap decoded = Decode(Format::PhotoCd, testing::PhotoCdFile(corner, rotation));
    const bool turned = rotation % 2 == 1;
    EXPECT_EQ(decoded.Width(), turned ? 512 : 768) << rotation;
    EXPECT_GT(raster::PixelG(decoded.At(at.first, at.second)), 200) << rotation;
  }
  // ImageMagick writes a portrait with rotation code 1; both read it upright.
  KnownImage portrait{512, 768, std::vector<Pixel>(512 * 768, MakePixel(60, 60, 60))};
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) portrait.pixels[size_t(y) * 512 + x] = MakePixel(255, 255, 255);
  const raster::Bitmap decoded = Decode(Format::PhotoCd, testing::Convert(portrait, "", "PCD:v.pcd"));
  ASSERT_EQ(decoded.Width(), 512);
  EXPECT_GT(raster::PixelG(decoded.At(20, 20)), 200);
  EXPECT_LT(raster::PixelG(decoded.At(400, 700)), 120);
}

// Targa and PCX variants, written field by field.
std::vector<uint8_t> TargaHeader(uint8_t type, int depth, uint8_t descriptor, int w, int h) {
  ByteWriter out;
  out.U8(0).U8(0).U8(type).U16(0).U16(0).U8(0).U16(0).U16(0).U16(w).U16(h).U8(depth).U8(descriptor);
  return out.bytes;
}

TEST(Targa, EveryOriginGivesTheSamePicture) {
  const KnownImage image = Opaque(RgbaPicture());
  for (uint8_t descriptor : {0x00, 0x10, 0x20, 0x30}) {
    ByteWriter file;
    file.Bytes(TargaHeader(2, 24, descriptor, image.width, image.height));
    for (int row = 0; row < image.height; ++row)
      for (int column = 0; column < image.width; ++column) {
        const int x = descriptor & 0x10 ? image.width - 1 - column : column;
        const int y = descriptor & 0x20 ? row : image.height - 1 - row;
        const Pixel p = image.At(x, y);
        file.U8(raster::PixelB(p)).U8(raster::PixelG(p)).U8(raster::PixelR(p));
      }
    ExpectPicture(Format::Targa, file.bytes, image);
  }
}

TEST(Targa, FifteenAndSixteenBitPixelsWithTheirAlphaBit) {
  // 5-bit levels 0, 10, 31; the top bit is alpha when the header counts one.
  const uint16_t pixels[] = {0x0000, 0x7FFF, 0x8000 | (10 << 10) | (31 << 5), (31 << 10) | 10};
  for (const auto& [depth, descriptor] : {std::pair{15, 0}, std::pair{16, 0}, std::pair{16, 1}}) {
    ByteWriter file;
    file.Bytes(TargaHeader(10, depth, static_cast<uint8_t>(descriptor | 0x20), 4, 1));
    file.U8(0x80 | 0).U16(pixels[0]).U8(2).U16(pixels[1]).U16(pixels[2]).U16(pixels[3]);  // a run of 1, then 3 raw
    const uint8_t ten = static_cast<uint8_t>(std::lround(10 * 255.0 / 31));
    const bool alpha = descriptor == 1;
    KnownImage expected{4, 1, {MakePixel(0, 0, 0, alpha ? 0 : 255), MakePixel(255, 255, 255, alpha ? 0 : 255),
                               MakePixel(ten, 255, 0), MakePixel(255, 0, ten, alpha ? 0 : 255)}};
    ExpectPicture(Format::Targa, file.bytes, expected, {}, true);
  }
}

// PCX with `planes` planes of `bits` bits, from indices, run-length encoded.
std::vector<uint8_t> PlanarPcx(const std::vector<uint8_t>& indices, int w, int h, int bits, int planes,
                               const std::vector<Pixel>& colours) {
  ByteWriter file;
  file.U8(10).U8(5).U8(1).U8(bits).U16(0).U16(0).U16(w - 1).U16(h - 1).U16(72).U16(72);
  for (int i = 0; i < 16; ++i) {
    const Pixel p = i < static_cast<int>(colours.size()) ? colours[i] : 0;
    file.U8(raster::PixelR(p)).U8(raster::PixelG(p)).U8(raster::PixelB(p));
  }
  const int bytesPerLine = ((w * bits + 7) / 8 + 1) / 2 * 2;
  file.U8(0).U8(planes).U16(bytesPerLine).U16(1).Zeros(58);
  for (int y = 0; y < h; ++y) {
    std::vector<uint8_t> line(size_t(bytesPerLine) * planes, 0);
    for (int x = 0; x < w; ++x) {
      const uint8_t index = indices[size_t(y) * w + x];
      for (int p = 0; p < planes; ++p) {
        const int value = planes > 1 ? (index >> p) & 1 : index;
        const int bit = x * bits;
        line[size_t(p) * bytesPerLine + bit / 8] |= static_cast<uint8_t>(value << (8 - bits - bit % 8));
      }
    }
    for (const testing::Stretch& s : testing::SplitRuns(line, 63, 1))
      if (s.run || line[s.start] >= 0xC0) file.U8(0xC0 | s.length).U8(line[s.start]);
      else file.U8(line[s.start]);
  }
  return file.bytes;
}

TEST(Pcx, PlanarAndPackedLayoutsUseTheHeaderColours) {
  std::vector<Pixel> colours;
  for (int i = 0; i < 16; ++i) colours.push_back(MakePixel(uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 5)));
  const std::vector<uint8_t> indices = Indices();
  for (const auto& [bits, planes, count] : {std::tuple{1, 4, 16}, std::tuple{1, 3, 8}, std::tuple{1, 2, 4},
                                            std::tuple{4, 1, 16}, std::tuple{2, 1, 4}}) {
    std::vector<uint8_t> used;
    for (uint8_t i : indices) used.push_back(static_cast<uint8_t>(i % count));
    KnownImage expected{7, 5, {}};
    for (uint8_t i : used) expected.pixels.push_back(colours[i]);
    SCOPED_TRACE(std::to_string(planes) + " planes of " + std::to_string(bits) + " bits");
    ExpectPicture(Format::Pcx, PlanarPcx(used, 7, 5, bits, planes, colours), expected);
  }
}

}  // namespace
}  // namespace imageformats
