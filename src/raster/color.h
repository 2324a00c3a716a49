// Pixel and colour values. A pixel is 32-bit BGRA in memory, which reads as the
// integer 0xAARRGGBB on a little-endian machine. Project data and settings hold
// Windows colour values 0x00BBGGRR; convert once, where they enter the engine.
#pragma once

#include <cstdint>

namespace raster {

using Pixel = uint32_t;      // 0xAARRGGBB
using ColorRef = uint32_t;   // 0x00BBGGRR, as Windows stores colours

constexpr Pixel MakePixel(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 0xFF) {
  return (uint32_t{a} << 24) | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}
constexpr uint8_t PixelR(Pixel p) { return static_cast<uint8_t>(p >> 16); }
constexpr uint8_t PixelG(Pixel p) { return static_cast<uint8_t>(p >> 8); }
constexpr uint8_t PixelB(Pixel p) { return static_cast<uint8_t>(p); }
constexpr uint8_t PixelA(Pixel p) { return static_cast<uint8_t>(p >> 24); }

constexpr Pixel PixelFromColorRef(ColorRef c) {
  return MakePixel(static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16));
}
constexpr ColorRef ColorRefFromPixel(Pixel p) {
  return uint32_t{PixelR(p)} | (uint32_t{PixelG(p)} << 8) | (uint32_t{PixelB(p)} << 16);
}

}  // namespace raster
