#include "bmp_builder.h"

#include <cstddef>

namespace imageformats::testing {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> BuildBmp(const BmpSpec& s) {
  std::vector<uint8_t> header;
  Put32(header, s.headerSize);
  if (s.headerSize == 12) {
    Put16(header, static_cast<uint32_t>(s.width));
    Put16(header, static_cast<uint32_t>(s.height));
    Put16(header, 1);
    Put16(header, s.bitCount);
  } else {
    Put32(header, static_cast<uint32_t>(s.width));
    Put32(header, static_cast<uint32_t>(s.height));
    Put16(header, 1);
    Put16(header, s.bitCount);
    Put32(header, s.compression);
    Put32(header, static_cast<uint32_t>(s.pixelData.size()));
    Put32(header, 2835);
    Put32(header, 2835);
    Put32(header, s.colorsUsed);
    Put32(header, 0);
    // Masks live inside headers of 52 bytes and more, after a 40-byte one.
    if (s.headerSize > 40)
      for (uint32_t m : s.masks) Put32(header, m);
    header.resize(s.headerSize, 0);
    if (s.headerSize == 40)
      for (uint32_t m : s.masks) Put32(header, m);
  }
  for (raster::Pixel p : s.palette) {
    header.push_back(raster::PixelB(p));
    header.push_back(raster::PixelG(p));
    header.push_back(raster::PixelR(p));
    if (s.headerSize != 12) header.push_back(0);
  }
  std::vector<uint8_t> out;
  if (s.fileHeader) {
    out = {'B', 'M'};
    Put32(out, static_cast<uint32_t>(14 + header.size() + s.pixelData.size()));
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(14 + header.size()));
  }
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), s.pixelData.begin(), s.pixelData.end());
  return out;
}

std::vector<uint8_t> PackRows(const std::vector<uint32_t>& values, int width, int height, int bitCount,
                              bool topDown) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
  std::vector<uint8_t> out(stride * static_cast<std::size_t>(height), 0);
  for (int r = 0; r < height; ++r) {
    const int y = topDown ? r : height - 1 - r;
    uint8_t* row = out.data() + stride * static_cast<std::size_t>(r);
    for (int x = 0; x < width; ++x) {
      const uint32_t v = values[static_cast<std::size_t>(y * width + x)];
      if (bitCount <= 8) {
        const int bit = x * bitCount;
        row[bit / 8] |= static_cast<uint8_t>(v << (8 - bitCount - bit % 8));
      } else {
        for (int b = 0; b < bitCount / 8; ++b) row[x * (bitCount / 8) + b] = static_cast<uint8_t>(v >> (8 * b));
      }
    }
  }
  return out;
}

}  // namespace imageformats::testing
