// Writes Windows bitmaps field by field, for the cases no tool writes: top-down
// rows, bare DIBs, core headers, short palettes, hand-made RLE, odd headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "raster/color.h"

namespace imageformats::testing {

struct BmpSpec {
  int32_t width = 0;
  int32_t height = 0;  // negative: top-down
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t headerSize = 40;  // 12 writes a core header
  bool fileHeader = true;
  uint32_t colorsUsed = 0;
  std::vector<raster::Pixel> palette;  // written as given
  std::vector<uint32_t> masks;         // written after a 40-byte header, or inside a bigger one
  std::vector<uint8_t> pixelData;      // written as given
};

std::vector<uint8_t> BuildBmp(const BmpSpec& layout);

// Rows of `pixels` packed at `bitCount` bits (indices for <= 8, BGR for 24),
// padded to 4 bytes, bottom row first unless topDown.
std::vector<uint8_t> PackRows(const std::vector<uint32_t>& values, int width, int height, int bitCount,
                              bool topDown);

}  // namespace imageformats::testing
