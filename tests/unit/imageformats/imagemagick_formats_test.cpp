// The formats ImageMagick writes (SGI, Targa, PCX, PNM, Photoshop, TIFF),
// each variant written at test time and compared pixel by pixel with the same
// file as ImageMagick reads it; every truncation of each file fails cleanly or
// gives the same picture. The files are kept as fuzzing seeds.
#include <gtest/gtest.h>

#include <string>

#include "fixtures.h"
#include "imageformats/decode.h"

namespace imageformats {
namespace {

using testing::KnownImage;

enum class Source { Many, Few, Two, Grey, ManyAlpha, ManyBinaryAlpha };

enum Check : unsigned {
  kExact = 0,
  // Text samples: a cut inside the last number leaves a smaller number, which
  // no reader can tell from a whole file; those cuts need only fail cleanly.
  kTextSamples = 1,
  // ImageMagick cannot read back what it wrote: compared with the source.
  kSourceOracle = 2,
};

struct Variant {
  const char* name;
  Format format;
  Source source;
  const char* options;
  const char* output;  // FORMAT:name
  int tolerance = 0;
  unsigned checks = kExact;
};

KnownImage Picture(Source source) {
  switch (source) {
    case Source::Many: return testing::ManyColours();
    case Source::Few: return testing::FewColours();
    case Source::Two: return testing::TwoColours();
    case Source::Grey: return testing::GreyLevels();
    case Source::ManyAlpha: return testing::WithAlpha(testing::ManyColours(), false);
    case Source::ManyBinaryAlpha: return testing::WithAlpha(testing::ManyColours(), true);
  }
  return {};
}

const Variant kVariants[] = {
    {"SgiVerbatim", Format::Sgi, Source::Many, "-compress None", "SGI:v.sgi"},
    {"SgiRle", Format::Sgi, Source::Many, "-compress RLE", "SGI:v.sgi"},
    {"SgiRgbaSixteenBits", Format::Sgi, Source::ManyAlpha, "-depth 16 -compress RLE", "SGI:v.sgi"},
    {"SgiVerbatimSixteenBits", Format::Sgi, Source::Many, "-depth 16 -compress None", "SGI:v.sgi"},
    {"SgiGrey", Format::Sgi, Source::Grey, "-type Grayscale -compress RLE", "SGI:v.sgi"},
    {"SgiGreyAlpha", Format::Sgi, Source::ManyAlpha, "-type GrayscaleAlpha -compress None", "SGI:v.sgi"},
    // ImageMagick stores rows from the top and says so only when told the
    // orientation; both origins are covered by the hand-made files.
    {"TargaTrueColour", Format::Targa, Source::Many, "-orient TopLeft -compress None", "TGA:v.tga"},
    {"TargaRle", Format::Targa, Source::Many, "-orient TopLeft -compress RLE", "TGA:v.tga"},
    {"TargaAlphaRle", Format::Targa, Source::ManyAlpha, "-orient TopLeft -compress RLE", "TGA:v.tga"},
    {"TargaColourMapped", Format::Targa, Source::Few, "-orient TopLeft -type Palette -compress None", "TGA:v.tga"},
    {"TargaColourMappedRle", Format::Targa, Source::Few, "-orient TopLeft -type Palette -compress RLE", "TGA:v.tga"},
    {"TargaGrey", Format::Targa, Source::Grey, "-orient TopLeft -type Grayscale -compress RLE", "TGA:v.tga"},
    {"PcxTrueColour", Format::Pcx, Source::Many, "", "PCX:v.pcx"},
    {"PcxPalette", Format::Pcx, Source::Few, "-type Palette", "PCX:v.pcx"},
    {"PcxBilevel", Format::Pcx, Source::Two, "-type Bilevel", "PCX:v.pcx"},
    {"PcxAlpha", Format::Pcx, Source::ManyBinaryAlpha, "", "PCX:v.pcx"},
    {"PnmBinaryPixmap", Format::Pnm, Source::Many, "", "PPM:v.ppm"},
    {"PnmTextPixmap", Format::Pnm, Source::Many, "-compress None", "PPM:v.ppm", 0, kTextSamples},
    {"PnmSixteenBitPixmap", Format::Pnm, Source::Many, "-depth 16", "PPM:v.ppm"},
    // ImageMagick rounds 10-bit levels down, this decoder to the nearest.
    {"PnmTenBitTextPixmap", Format::Pnm, Source::Many, "-depth 10 -compress None", "PPM:v.ppm", 1, kTextSamples},
    {"PnmBinaryGraymap", Format::Pnm, Source::Grey, "", "PGM:v.pgm"},
    {"PnmTextGraymap", Format::Pnm, Source::Grey, "-compress None", "PGM:v.pgm", 0, kTextSamples},
    {"PnmBinaryBitmap", Format::Pnm, Source::Two, "", "PBM:v.pbm"},
    {"PnmTextBitmap", Format::Pnm, Source::Two, "-compress None", "PBM:v.pbm", 0, kTextSamples},
    {"PsdRaw", Format::Psd, Source::Many, "-compress None", "PSD:v.psd"},
    {"PsdRle", Format::Psd, Source::Many, "-compress RLE", "PSD:v.psd"},
    // Partly transparent composites are matted with white, which ImageMagick
    // does not write: see PsdWhiteMatte for those.
    {"PsdAlpha", Format::Psd, Source::ManyBinaryAlpha, "-compress RLE", "PSD:v.psd"},
    {"PsdSixteenBits", Format::Psd, Source::ManyBinaryAlpha, "-depth 16 -compress RLE", "PSD:v.psd"},
    {"PsdSixteenBitsRaw", Format::Psd, Source::Many, "-depth 16 -compress None", "PSD:v.psd"},
    {"PsdGrey", Format::Psd, Source::Grey, "-type Grayscale -compress RLE", "PSD:v.psd"},
    {"PsdCmyk", Format::Psd, Source::Many, "-colorspace CMYK -compress RLE", "PSD:v.psd", 1},
    {"PsdIndexed", Format::Psd, Source::Few, "-type Palette -compress None", "PSD:v.psd", 0, kSourceOracle},
    {"PsdBitmap", Format::Psd, Source::Two, "-type Bilevel", "PSD:v.psd"},
    {"TiffRaw", Format::Tiff, Source::Many, "-compress None", "TIFF:v.tif"},
    {"TiffLzw", Format::Tiff, Source::Many, "-compress LZW", "TIFF:v.tif"},
    {"TiffDeflate", Format::Tiff, Source::Many, "-compress Zip", "TIFF:v.tif"},
    {"TiffPackBits", Format::Tiff, Source::Many, "-compress RLE", "TIFF:v.tif"},
    {"TiffJpeg", Format::Tiff, Source::Many, "-compress JPEG -quality 95", "TIFF:v.tif", 2},
    {"TiffTiles", Format::Tiff, Source::Many, "-define tiff:tile-geometry=16x16 -compress LZW", "TIFF:v.tif"},
    {"TiffStripPerRow", Format::Tiff, Source::Many, "-define tiff:rows-per-strip=1", "TIFF:v.tif"},
    {"TiffSixteenBitGrey", Format::Tiff, Source::Grey, "-type Grayscale -depth 16", "TIFF:v.tif"},
    {"TiffPalette", Format::Tiff, Source::Few, "-type Palette", "TIFF:v.tif"},
    {"TiffCmyk", Format::Tiff, Source::Many, "-colorspace CMYK", "TIFF:v.tif", 1},
    {"TiffAlpha", Format::Tiff, Source::ManyBinaryAlpha, "-compress Zip", "TIFF:v.tif"},
    {"TiffFax", Format::Tiff, Source::Two, "-type Bilevel -compress Group4", "TIFF:v.tif"},
};

class ImageMagickFormatTest : public ::testing::TestWithParam<Variant> {};

TEST_P(ImageMagickFormatTest, DecodesAsImageMagickReadsIt) {
  const Variant& v = GetParam();
  const std::vector<uint8_t> file = testing::Convert(Picture(v.source), v.options, v.output);
  ASSERT_FALSE(file.empty());
  testing::WriteFuzzSeed(v.format, file);
  const std::string output = v.output;
  const KnownImage expected = (v.checks & kSourceOracle) != 0
                                  ? Picture(v.source)
                                  : testing::ImageMagickPixels(file, output.substr(0, output.find(':')));
  ASSERT_FALSE(expected.pixels.empty());
  raster::Bitmap decoded;
  ASSERT_NO_THROW(decoded = Decode(v.format, file)) << testing::DecodeErrorOf(v.format, file);
  EXPECT_TRUE(testing::SamePixels(decoded, expected, v.tolerance, true));
  if ((v.checks & kTextSamples) == 0) {
    EXPECT_TRUE(testing::TruncationsFailOrMatch(v.format, file));
  } else {
    for (size_t n = 0; n < file.size(); ++n)
      ASSERT_TRUE(testing::DecodesOrFails(v.format, std::vector<uint8_t>(file.begin(), file.begin() + long(n)))) << n;
  }
}

INSTANTIATE_TEST_SUITE_P(Variants, ImageMagickFormatTest, ::testing::ValuesIn(kVariants),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace imageformats
