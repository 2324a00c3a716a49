// Files crafted to carry the faults these formats are known for: RLE runs
// that pass the row or the picture, PCX lines too short for the width,
// palettes shorter than their indices, SGI offsets outside the file,
// Photoshop channel counts and section lengths that lie, PNM maxval 0 and
// samples above it, and small files that claim huge pictures (refused before
// the pixels are allocated).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <string>

#include "fixtures.h"
#include "handmade_files.h"
#include "imageformats/decode.h"

namespace imageformats {
namespace {

using raster::MakePixel;
using testing::ByteWriter;
using testing::DecodeErrorOf;
using ::testing::HasSubstr;

const raster::Pixel kBlack = MakePixel(0, 0, 0);

// The bytes of a string literal, NULs included.
template <size_t N>
std::vector<uint8_t> Text(const char (&text)[N]) {
  return std::vector<uint8_t>(text, text + N - 1);
}

// A Photoshop file: header, mode data, empty resources and layers, then the
// compression and `pixels` as given.
std::vector<uint8_t> PsdFile(int channels, int w, int h, int mode, const std::vector<uint8_t>& modeData,
                             int compression, const std::vector<uint8_t>& pixels, int depth = 8) {
  ByteWriter out;
  out.Text("8BPS").U16Be(1).Zeros(6).U16Be(channels).U32Be(h).U32Be(w).U16Be(depth).U16Be(mode);
  out.U32Be(modeData.size()).Bytes(modeData).U32Be(0).U32Be(0).U16Be(compression).Bytes(pixels);
  return out.bytes;
}

// An SGI header for a w x h picture of `channels`, RLE or verbatim.
ByteWriter SgiHeader(int w, int h, int channels, bool rle) {
  ByteWriter out;
  out.U16Be(474).U8(rle ? 1 : 0).U8(1).U16Be(3).U16Be(w).U16Be(h).U16Be(channels).Zeros(512 - 12);
  return out;
}

TEST(CraftedRuns, RunsThatPassTheRowOrThePictureAreRefused) {
  // Targa 2 x 2: a run of 5 pixels, and raw packets of 3 + 2.
  ByteWriter tga;
  tga.U8(0).U8(0).U8(10).Zeros(5).Zeros(4).U16(2).U16(2).U8(24).U8(0);
  std::vector<uint8_t> run = tga.bytes;
  for (uint8_t b : {0x84, 1, 2, 3}) run.push_back(b);
  EXPECT_EQ(DecodeErrorOf(Format::Targa, run), "Targa: RLE packet passes the end of the picture");
  std::vector<uint8_t> raw = tga.bytes;
  raw.push_back(2);  // three pixels as they are
  raw.insert(raw.end(), 9, 7);
  raw.push_back(1);  // two more: one too many
  raw.insert(raw.end(), 6, 7);
  EXPECT_EQ(DecodeErrorOf(Format::Targa, raw), "Targa: RLE packet passes the end of the picture");

  // Photoshop, 2 x 1 grey: a PackBits row of 4 copies, then of 3 literals.
  for (const std::vector<uint8_t>& row : {std::vector<uint8_t>{0xFD, 7}, std::vector<uint8_t>{2, 1, 2, 3}}) {
    ByteWriter pixels;
    pixels.U16Be(row.size()).Bytes(row);
    EXPECT_EQ(DecodeErrorOf(Format::Psd, PsdFile(1, 2, 1, 1, {}, 1, pixels.bytes)),
              "Photoshop: RLE run passes the end of the row");
  }

  // SGI, 2 x 1 grey: a run of 3 samples.
  ByteWriter sgi = SgiHeader(2, 1, 1, true);
  sgi.U32Be(520).U32Be(3).U8(3).U8(5).U8(0);
  EXPECT_EQ(DecodeErrorOf(Format::Sgi, sgi.bytes), "SGI: RLE run passes the end of the row");

  // CUT, 7 wide: a run of 10.
  std::vector<uint8_t> cut = testing::CutFile(7, 1, {1, 1, 1, 1, 1, 1, 1});
  cut[8] = 0x80 | 10;
  EXPECT_EQ(DecodeErrorOf(Format::Cut, cut), "CUT: RLE run passes the end of the row");

  // RLA, 2 wide: the first channel's code becomes a run of 6.
  testing::KnownImage two{2, 1, {MakePixel(1, 2, 3), MakePixel(4, 5, 6)}};
  std::vector<uint8_t> rla = testing::RlaFile(two, false, false);
  rla[740 + 4 + 2] = 5;
  EXPECT_EQ(DecodeErrorOf(Format::Rla, rla), "RLA: RLE run passes the end of the row");
}

TEST(CraftedPcx, BytesPerLineMustHoldTheWidth) {
  std::vector<uint8_t> pcx = testing::Convert(testing::ManyColours(), "", "PCX:v.pcx");  // 7 wide, 3 planes
  ASSERT_GE(pcx.size(), 128u);
  pcx[66] = 3;
  pcx[67] = 0;
  EXPECT_EQ(DecodeErrorOf(Format::Pcx, pcx), "PCX: bytes per line too few for the width");
  pcx[65] = 2;  // two planes of 8 bits: no such layout
  EXPECT_EQ(DecodeErrorOf(Format::Pcx, pcx), "PCX: unsupported layout of 2 planes at 8 bits");
}

TEST(CraftedPalettes, IndicesBeyondAShortPaletteAreBlack) {
  // Targa: a map of 2 entries starting at index 3; indices 3, 4, 5 and 1.
  ByteWriter tga;
  tga.U8(0).U8(1).U8(1).U16(3).U16(2).U8(24).Zeros(4).U16(4).U16(1).U8(8).U8(0x20);
  tga.U8(10).U8(20).U8(30).U8(40).U8(50).U8(60);
  tga.U8(3).U8(4).U8(5).U8(1);
  const raster::Bitmap targa = Decode(Format::Targa, tga.bytes);
  EXPECT_EQ(targa.At(0, 0), MakePixel(30, 20, 10));
  EXPECT_EQ(targa.At(1, 0), MakePixel(60, 50, 40));
  EXPECT_EQ(targa.At(2, 0), kBlack);
  EXPECT_EQ(targa.At(3, 0), kBlack);

  // Photoshop indexed with a table of two colours (reds, greens, blues).
  const raster::Bitmap psd =
      Decode(Format::Psd, PsdFile(1, 3, 1, 2, {200, 100, 0, 50, 1, 2}, 0, {1, 0, 7}));
  EXPECT_EQ(psd.At(0, 0), MakePixel(100, 50, 2));
  EXPECT_EQ(psd.At(1, 0), MakePixel(200, 0, 1));
  EXPECT_EQ(psd.At(2, 0), kBlack);

  // CUT with a palette file of two colours.
  const std::vector<uint8_t> palette = testing::HaloPalette({{255, 0, 0}, {0, 255, 0}}, 255);
  DecodeOptions options;
  options.palette = palette;
  const raster::Bitmap cut = Decode(Format::Cut, testing::CutFile(3, 1, {1, 0, 200}), options);
  EXPECT_EQ(cut.At(0, 0), MakePixel(0, 255, 0));
  EXPECT_EQ(cut.At(1, 0), MakePixel(255, 0, 0));
  EXPECT_EQ(cut.At(2, 0), kBlack);
  // A file that is not a palette is refused.
  options.palette = std::span<const uint8_t>(palette.data() + 2, 30);
  EXPECT_EQ(DecodeErrorOf(Format::Cut, testing::CutFile(3, 1, {1, 0, 2}), options), "CUT: not a Dr. Halo palette file");
}

TEST(CraftedSgi, OffsetsOutsideTheFileAreRefused) {
  const std::vector<uint8_t> file = testing::Convert(testing::ManyColours(), "-compress RLE", "SGI:v.sgi");
  ASSERT_GT(file.size(), 600u);
  auto beyond = file;
  beyond[512] = 0x7F;  // the first row's start
  EXPECT_EQ(DecodeErrorOf(Format::Sgi, beyond), "SGI: offset table points outside the file");
  auto longer = file;
  const size_t firstLength = 512 + 5 * 3 * 4;  // after the starts of 5 rows x 3 channels
  longer[firstLength] = 0x10;
  EXPECT_EQ(DecodeErrorOf(Format::Sgi, longer), "SGI: offset table points outside the file");
}

TEST(CraftedPsd, ChannelCountsAndSectionLengthsThatLie) {
  const std::vector<uint8_t> file = testing::Convert(testing::ManyColours(), "-compress None", "PSD:v.psd");
  ASSERT_GT(file.size(), 30u);
  const auto withChannels = [&](uint16_t channels) {
    auto f = file;
    f[12] = static_cast<uint8_t>(channels >> 8);
    f[13] = static_cast<uint8_t>(channels);
    return DecodeErrorOf(Format::Psd, f);
  };
  EXPECT_EQ(withChannels(2), "Photoshop: 2 channels are too few for the colour mode");
  EXPECT_EQ(withChannels(0), "Photoshop: bad channel count 0");
  EXPECT_EQ(withChannels(57), "Photoshop: bad channel count 57");
  // More channels than the data holds.
  EXPECT_EQ(DecodeErrorOf(Format::Psd, PsdFile(3, 2, 2, 3, {}, 0, std::vector<uint8_t>(8, 1))),
            "Photoshop: pixel data ends early");
  // Section lengths beyond the file.
  auto modeData = PsdFile(1, 1, 1, 1, {}, 0, {5});
  modeData[26] = 0x40;
  EXPECT_EQ(DecodeErrorOf(Format::Psd, modeData), "Photoshop: colour mode data ends early");
  auto resources = PsdFile(1, 1, 1, 1, {}, 0, {5});
  resources[30] = 0x7F;
  EXPECT_EQ(DecodeErrorOf(Format::Psd, resources), "Photoshop: image resources ends early");
  // RLE row counts that claim more than the file holds.
  ByteWriter counts;
  counts.U16Be(0xFFFF).U8(0).U8(5);
  EXPECT_EQ(DecodeErrorOf(Format::Psd, PsdFile(1, 1, 1, 1, {}, 1, counts.bytes)), "Photoshop: pixel data ends early");
}

TEST(PsdWhiteMatte, PartlyTransparentCompositesLoseTheirWhiteMatte) {
  // Photoshop stores the composite of a transparent document blended with
  // white: stored = colour x alpha + white x (1 - alpha).
  const raster::Pixel colours[] = {MakePixel(10, 5, 100, 128), MakePixel(200, 100, 50, 255), MakePixel(0, 255, 90, 200)};
  std::vector<uint8_t> planes(4 * 3);
  for (int i = 0; i < 3; ++i) {
    const double a = raster::PixelA(colours[i]) / 255.0;
    const auto matted = [&](uint8_t c) { return static_cast<uint8_t>(std::lround(c * a + 255 * (1 - a))); };
    planes[0 + i] = matted(raster::PixelR(colours[i]));
    planes[3 + i] = matted(raster::PixelG(colours[i]));
    planes[6 + i] = matted(raster::PixelB(colours[i]));
    planes[9 + i] = raster::PixelA(colours[i]);
  }
  const raster::Bitmap decoded = Decode(Format::Psd, PsdFile(4, 3, 1, 3, {}, 0, planes));
  EXPECT_TRUE(testing::SamePixels(decoded, testing::KnownImage{3, 1, {colours[0], colours[1], colours[2]}}, 1, true));
}

TEST(CraftedPnm, MaxvalZeroAndSamplesAboveIt) {
  EXPECT_EQ(DecodeErrorOf(Format::Pnm, Text("P5 2 1 0\n\x01\x02")), "PNM: maxval 0");
  EXPECT_EQ(DecodeErrorOf(Format::Pnm, Text("P2 2 1 5\n3 9\n")), "PNM: sample above maxval");
  EXPECT_EQ(DecodeErrorOf(Format::Pnm, Text("P5 2 1 100\n\x32\x65")), "PNM: sample above maxval");
  EXPECT_EQ(DecodeErrorOf(Format::Pnm, Text("P6 1 1 65535\n\x00\x01\x00\x02\x00")), "PNM: pixel data ends early");
  EXPECT_EQ(DecodeErrorOf(Format::Pnm, Text("P5 1 1 65536\n\x01\x02")), "PNM: maxval too large");
  EXPECT_EQ(DecodeErrorOf(Format::Pnm, Text("P5 99999999999 1 255\n")), "PNM: width too large");
  EXPECT_EQ(DecodeErrorOf(Format::Pnm, Text("P1 3 1\n0 1 2")), "PNM: bad bitmap digit");
  // A maxval of 5 spreads its levels over 0..255; comments are white space.
  const raster::Bitmap grey = Decode(Format::Pnm, Text("P2\n# levels\n3 1\n5\n0 5 # the top\n 2\n"));
  EXPECT_EQ(grey.At(0, 0), kBlack);
  EXPECT_EQ(grey.At(1, 0), MakePixel(255, 255, 255));
  EXPECT_EQ(grey.At(2, 0), MakePixel(102, 102, 102));
}

// The process's peak resident memory so far, in MiB.
long PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// A TIFF of 8-bit grey strips whose directory claims w x h and points at
// `stored` bytes.
std::vector<uint8_t> TiffClaiming(uint32_t w, uint32_t h, uint16_t compression, uint32_t stored) {
  ByteWriter out;
  out.Text("II").U16(42).U32(8).U16(9);
  const auto entry = [&](uint16_t tag, uint16_t type, uint32_t value) { out.U16(tag).U16(type).U32(1).U32(value); };
  const uint32_t data = 8 + 2 + 9 * 12 + 4;
  entry(256, 4, w);
  entry(257, 4, h);
  entry(258, 3, 8);
  entry(259, 3, compression);
  entry(262, 3, 1);
  entry(273, 4, data);
  entry(277, 3, 1);
  entry(278, 4, h);
  entry(279, 4, stored);
  out.U32(0).Zeros(stored);
  return out.bytes;
}

TEST(CraftedSizes, SmallFilesClaimingHugePicturesAreRefusedBeforeTheirPixels) {
  // 12000 x 10000 is within the pixel limit, and would take 480 MB. (A Paint
  // Shop Pro canvas that large with a small layer is a real picture, not a
  // fault, so it is not among them.)
  constexpr uint32_t kW = 12000;
  constexpr uint32_t kH = 10000;
  ByteWriter sgiRle = SgiHeader(kW, kH, 3, true);
  ByteWriter sgiVerbatim = SgiHeader(kW, kH, 3, false);
  sgiVerbatim.Zeros(100);
  ByteWriter cel;
  cel.U16(0x9119).U16(kW).U16(kH).Zeros(4).U8(8).U8(0).U32(0).Zeros(16).Zeros(768 + 50);
  ByteWriter tga;
  tga.U8(0).U8(0).U8(10).Zeros(9).U16(kW).U16(kH).U8(24).U8(0).U8(0xFF).U8(1).U8(2).U8(3);
  std::vector<uint8_t> pcx = testing::Convert(testing::ManyColours(), "", "PCX:v.pcx");
  const auto put16 = [&](size_t at, uint32_t v) {
    pcx[at] = static_cast<uint8_t>(v);
    pcx[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  put16(8, kW - 1);  // xmax, ymax, bytes per line
  put16(10, kH - 1);
  put16(66, kW);
  ByteWriter cut;
  cut.U16(kW).U16(kH).U16(0).U16(3).U8(0xFF).U8(1).U8(0);
  testing::KnownImage small{2, 1, {MakePixel(1, 2, 3), MakePixel(4, 5, 6)}};
  std::vector<uint8_t> rla = testing::RlaFile(small, false, false);
  rla[8 + 2] = (kW - 1) >> 8;  // the active window's right and top
  rla[8 + 3] = (kW - 1) & 0xFF;
  rla[8 + 6] = (kH - 1) >> 8;
  rla[8 + 7] = (kH - 1) & 0xFF;
  ByteWriter bmpRle;  // RLE8 data that stops without an end code
  bmpRle.Text("BM").U32(0).U32(0).U32(14 + 40 + 1024).U32(40).U32(kW).U32(kH).U16(1).U16(8).U32(1).Zeros(20).Zeros(1024);
  bmpRle.U8(255).U8(1).U8(255).U8(1);

  const std::pair<Format, std::vector<uint8_t>> files[] = {
      {Format::Sgi, sgiRle.bytes},
      {Format::Sgi, sgiVerbatim.bytes},
      {Format::Autodesk, cel.bytes},
      {Format::Targa, tga.bytes},
      {Format::Pcx, pcx},
      {Format::Pnm, Text("P6 12000 10000 255\n\x01\x02\x03")},
      {Format::Pnm, Text("P3 12000 10000 255\n1 2 3")},
      {Format::Cut, cut.bytes},
      {Format::Rla, rla},
      {Format::Psd, PsdFile(3, kW, kH, 3, {}, 0, {1, 2, 3})},
      {Format::Psd, PsdFile(3, kW, kH, 3, {}, 1, std::vector<uint8_t>(100, 0))},
      {Format::Tiff, TiffClaiming(kW, kH, 1, 64)},
      {Format::Tiff, TiffClaiming(kW, kH, 5, 64)},
      {Format::Bmp, bmpRle.bytes},
  };
  for (const auto& [format, file] : files) {
    const long before = PeakMiB();
    const std::string error = DecodeErrorOf(format, file);
    EXPECT_THAT(error, HasSubstr("ends early")) << FormatName(format) << " (" << file.size() << " bytes)";
    EXPECT_LT(PeakMiB() - before, 64) << FormatName(format) << " allocated before checking its data";
  }
}

TEST(FuzzFindings, OneBitSamplesOutsideBitmapModeAndLayersOutsideThePicture) {
  // A grey document of 1-bit samples once read 8-bit samples from 1-bit rows.
  EXPECT_EQ(DecodeErrorOf(Format::Psd, PsdFile(1, 9, 1, 1, {}, 0, {0xFF, 0x00}, 1)),
            "Photoshop: 1 bit a sample is for bitmap mode only");
  // A layer wholly beside the picture once filled a row backwards.
  testing::PspLayout layout;
  layout.imageWidth = 9;
  layout.imageHeight = 6;
  layout.left = 50;
  testing::KnownImage layer{2, 1, {MakePixel(1, 2, 3), MakePixel(4, 5, 6)}};
  const raster::Bitmap decoded = Decode(Format::Psp, testing::PspFile(layer, layout));
  EXPECT_TRUE(testing::SamePixels(decoded, testing::KnownImage{9, 6, std::vector<raster::Pixel>(54, 0)}, 0, true));
}

TEST(CraftedDepths, ChannelsOfAnotherDepthThanTheHeaderSays) {
  // Paint Shop Pro: rows of 8-bit indices under a header of 1 bit a pixel.
  testing::PspLayout layout;
  layout.kind = testing::PspLayout::kPaletted;
  layout.palette = {MakePixel(0, 0, 0), MakePixel(255, 255, 255)};
  layout.imageWidth = 7;
  layout.imageHeight = 5;
  std::vector<uint8_t> psp = testing::PspFile(testing::TwoColours(), layout);
  constexpr size_t kDepth = 32 + 4 + 10 + 4 + 8 + 9 + 2;  // signature, version, block, chunk, size, resolution, compression
  ASSERT_EQ(psp[kDepth], 8);
  psp[kDepth] = 1;
  EXPECT_EQ(DecodeErrorOf(Format::Psp, psp), "Paint Shop Pro: channel size does not match the layer");
  psp[kDepth] = 2;
  EXPECT_EQ(DecodeErrorOf(Format::Psp, psp), "Paint Shop Pro: unsupported bit depth 2");

  // RLA: 8-bit lines under a header of 16 bits end half way.
  testing::KnownImage two{2, 1, {MakePixel(1, 2, 3), MakePixel(4, 5, 6)}};
  std::vector<uint8_t> rla = testing::RlaFile(two, false, false);
  constexpr size_t kChannelBits = 658;
  ASSERT_EQ(rla[kChannelBits + 1], 8);
  rla[kChannelBits + 1] = 16;
  EXPECT_EQ(DecodeErrorOf(Format::Rla, rla), "RLA: RLE data ends early");
  rla[kChannelBits + 1] = 12;
  EXPECT_EQ(DecodeErrorOf(Format::Rla, rla), "RLA: unsupported channel depth of 12 bits");
}

TEST(CraftedBmp, AHeaderSizeBeyondTheDataIsRefused) {
  ByteWriter bmp;
  bmp.Text("BM").U32(0).U32(0).U32(14 + 40).U32(0xFFFFFFF8).U32(1).U32(1).U16(1).U16(24).Zeros(24).U8(1).U8(2).U8(3).U8(0);
  EXPECT_EQ(DecodeErrorOf(Format::Bmp, bmp.bytes), "BMP: info header ends early");
}

}  // namespace
}  // namespace imageformats
