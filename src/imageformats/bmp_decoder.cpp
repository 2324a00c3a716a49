// Windows bitmaps: uncompressed 1 to 32 bits per pixel, bit fields, RLE4/RLE8.
#include <algorithm>

#include "imageformats/bmp_layout.h"
#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

using raster::Pixel;

uint32_t LoadLe(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

void ConvertRow(const BmpLayout& l, const uint8_t* src, Pixel* dst) {
  const int w = l.width;
  if (l.bitCount <= 8) {
    const int bits = l.bitCount;
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < w; ++x) {
      const int shift = 8 - bits * (x % perByte + 1);
      dst[x] = l.palette[(src[x / perByte] >> shift) & mask];
    }
  } else if (l.bitCount == 24) {
    for (int x = 0; x < w; ++x, src += 3) dst[x] = raster::MakePixel(src[2], src[1], src[0]);
  } else {
    const int bytes = l.bitCount / 8;
    const auto& c = l.channels;
    for (int x = 0; x < w; ++x, src += bytes) {
      const uint32_t v = LoadLe(src, bytes);
      dst[x] = raster::MakePixel(c[0].Extract(v), c[1].Extract(v), c[2].Extract(v),
                                 l.hasAlpha ? c[3].Extract(v) : 0xFF);
    }
  }
}

// A bit-field alpha that is zero everywhere is an unused field, not a
// transparent picture.
void DropEmptyAlpha(raster::Bitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    const Pixel* row = bitmap.Row(y);
    if (std::any_of(row, row + bitmap.Width(), [](Pixel p) { return raster::PixelA(p) != 0; })) return;
  }
  for (int y = 0; y < bitmap.Height(); ++y)
    for (Pixel& p : std::span(bitmap.Row(y), static_cast<size_t>(bitmap.Width()))) p |= 0xFF000000u;
}

raster::Bitmap DecodeUncompressed(const BmpLayout& l, std::span<const uint8_t> data) {
  const uint64_t rowBits = uint64_t{static_cast<uint32_t>(l.width)} * static_cast<uint32_t>(l.bitCount);
  const uint64_t stride = (rowBits + 31) / 32 * 4;
  // The last row's padding may be missing; its pixels may not.
  const uint64_t needed = stride * static_cast<uint64_t>(l.height - 1) + (rowBits + 7) / 8;
  if (needed > data.size() - l.pixelOffset) Fail(Format::Bmp, "pixel data ends early");
  raster::Bitmap bitmap(l.width, l.height);
  const uint8_t* base = data.data() + l.pixelOffset;
  for (int r = 0; r < l.height; ++r) {
    const int y = l.topDown ? r : l.height - 1 - r;
    ConvertRow(l, base + stride * static_cast<uint64_t>(r), bitmap.Row(y));
  }
  if (l.hasAlpha) DropEmptyAlpha(bitmap);
  return bitmap;
}

}  // namespace

raster::Bitmap DecodeBmp(std::span<const uint8_t> data, const DecodeOptions& options) {
  const BmpLayout layout = ReadBmpLayout(data, options);
  if (layout.compression != kBmpRle4 && layout.compression != kBmpRle8) return DecodeUncompressed(layout, data);
  CheckBmpRle(layout, data);
  raster::Bitmap bitmap(layout.width, layout.height, raster::MakePixel(0, 0, 0, 0));
  DecodeBmpRle(layout, data, bitmap);
  return bitmap;
}

}  // namespace imageformats
