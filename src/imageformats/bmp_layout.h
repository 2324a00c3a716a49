// What the headers of a Windows bitmap say about its pixels: size, depth,
// compression, colour masks, palette and where the pixel data starts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "imageformats/decode.h"

namespace imageformats {

enum BmpCompression : uint32_t {
  kBmpRgb = 0,
  kBmpRle8 = 1,
  kBmpRle4 = 2,
  kBmpBitFields = 3,
  kBmpAlphaBitFields = 6,
};

// One channel of a bit-field pixel: (pixel & mask) >> shift, scaled from 0..max
// to 0..255.
struct BmpChannel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  static BmpChannel FromMask(uint32_t mask);
  uint8_t Extract(uint32_t pixel) const {
    if (max == 0) return 0;
    const uint64_t v = (pixel & mask) >> shift;
    return static_cast<uint8_t>((v * 255 + max / 2) / max);
  }
};

struct BmpLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = kBmpRgb;
  // Red, green, blue, alpha; used by 16 and 32 bits per pixel.
  std::array<BmpChannel, 4> channels;
  bool hasAlpha = false;
  // For 1 to 8 bits per pixel: always 2^bitCount entries, those the file
  // leaves out black.
  std::vector<raster::Pixel> palette;
  size_t pixelOffset = 0;
};

// Reads the file header (when the data starts with "BM"; otherwise the data is
// taken as a bare DIB), the info header, masks and palette.
BmpLayout ReadBmpLayout(std::span<const uint8_t> data, const DecodeOptions& options);

// Walks RLE4 or RLE8 data without keeping a pixel: raises DecodeError for
// data that ends early, so that damaged data is refused before the bitmap is
// allocated.
void CheckBmpRle(const BmpLayout& layout, std::span<const uint8_t> data);

// Fills `bitmap` (already of the layout's size, every pixel black with alpha 0)
// from RLE4 or RLE8 data.
void DecodeBmpRle(const BmpLayout& layout, std::span<const uint8_t> data, raster::Bitmap& bitmap);

}  // namespace imageformats
