// Autodesk Animator CEL and PIC pictures: a 32-byte header (identifier
// 0x9119), a palette of 256 colours with 6-bit levels, then one byte a pixel,
// rows from the top.
#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr Format kCel = Format::Autodesk;
constexpr uint16_t kMagic = 0x9119;
constexpr size_t kHeaderSize = 32;
constexpr int kLevels = 63;

}  // namespace

raster::Bitmap DecodeAutodesk(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, kCel);
  if (in.U16("header") != kMagic) Fail(kCel, "not an Animator picture");
  const uint16_t width = in.U16("header");
  const uint16_t height = in.U16("header");
  in.Skip(4, "header");  // position on the screen
  const uint8_t bits = in.U8("header");
  const uint8_t compression = in.U8("header");
  in.Seek(kHeaderSize, "header");
  if (bits != 8) Fail(kCel, "unsupported depth " + std::to_string(bits));
  if (compression != 0) Fail(kCel, "compressed pictures are not supported");
  CheckPictureSize(kCel, width, height, options);

  Palette palette;
  for (int i = 0; i < 256; ++i) {
    const auto rgb = in.Bytes(3, "palette");
    const auto level = [](uint8_t v) { return ScaleToByte(v > kLevels ? kLevels : v, kLevels); };
    palette.push_back(raster::MakePixel(level(rgb[0]), level(rgb[1]), level(rgb[2])));
  }
  CheckDataCovers(kCel, in.Remaining(), uint64_t{width} * height, 1);
  raster::Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    const auto indices = in.Bytes(width, "pixel data");
    raster::Pixel* row = bitmap.Row(y);
    for (int x = 0; x < width; ++x) row[x] = palette[indices[static_cast<size_t>(x)]];
  }
  return bitmap;
}

}  // namespace imageformats
