// Dr. Halo CUT pictures: colour indices of one byte, each row a byte count
// and run-length codes (0 ends the row; the low 7 bits count; the high bit
// repeats the next byte, else that many bytes follow as they are). The
// colours come from a Dr. Halo palette file given with the options (a 40-byte
// header "AH" ... with the largest index and the largest red, green and blue
// levels, then 16-bit R, G, B triples in 512-byte blocks, a triple never
// crossing a block's end), or else from a grey ramp.
#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr Format kCut = Format::Cut;
constexpr size_t kPaletteHeaderSize = 40;
constexpr size_t kPaletteBlock = 512;
constexpr size_t kEntrySize = 6;

Palette ReadPalette(std::span<const uint8_t> file) {
  ByteReader in(file, kCut);
  const auto id = in.Bytes(2, "palette file");
  if (id[0] != 'A' || id[1] != 'H') Fail(kCut, "not a Dr. Halo palette file");
  in.Skip(10, "palette file");  // version, size, file type, subtype, board, mode
  const uint32_t count = in.U16("palette file") + 1u;
  uint16_t maxima[3];
  for (uint16_t& m : maxima) m = in.U16("palette file");
  in.Seek(kPaletteHeaderSize, "palette file");
  Palette palette;
  for (uint32_t i = 0; i < count && i < 256; ++i) {
    if (in.Position() % kPaletteBlock + kEntrySize > kPaletteBlock)
      in.Seek(in.Position() + kPaletteBlock - in.Position() % kPaletteBlock, "palette file");
    uint8_t rgb[3];
    for (int c = 0; c < 3; ++c) {
      const uint16_t level = in.U16("palette file");
      rgb[c] = maxima[c] == 0 ? 0 : ScaleToByte(level < maxima[c] ? level : maxima[c], maxima[c]);
    }
    palette.push_back(raster::MakePixel(rgb[0], rgb[1], rgb[2]));
  }
  return palette;
}

}  // namespace

raster::Bitmap DecodeCut(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, kCut);
  const uint16_t width = in.U16("header");
  const uint16_t height = in.U16("header");
  in.Skip(2, "header");
  CheckPictureSize(kCut, width, height, options);
  const Palette palette = options.palette.empty() ? Palette::GreyRamp(256) : ReadPalette(options.palette);
  // Every row has its count and end code; a run of two bytes gives 127 pixels.
  CheckDataCovers(kCut, in.Remaining(), uint64_t{height} * 3, 1);
  CheckDataCovers(kCut, in.Remaining(), uint64_t{width} * height, 63);

  raster::Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    ByteReader row = in.Section(in.U16("row length"), "row");
    raster::Pixel* out = bitmap.Row(y);
    int x = 0;
    for (;;) {
      const uint8_t code = row.U8("row");
      const int count = code & 0x7F;
      if (count == 0) break;
      if (count > width - x) Fail(kCut, "RLE run passes the end of the row");
      if ((code & 0x80) != 0) {
        const raster::Pixel colour = palette[row.U8("row")];
        for (int i = 0; i < count; ++i) out[x++] = colour;
      } else {
        for (int i = 0; i < count; ++i) out[x++] = palette[row.U8("row")];
      }
    }
    if (x != width) Fail(kCut, "row ends early");
  }
  return bitmap;
}

}  // namespace imageformats
