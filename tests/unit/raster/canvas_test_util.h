// Shared helpers of the canvas tests.
#pragma once

#include <cstdint>

#include <gtest/gtest.h>

#include "raster/bitmap.h"

namespace raster::testing {

// Every pixel different: red = x, green = y, blue = tag.
inline Bitmap Numbered(int w, int h, uint8_t tag = 7) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.At(x, y) = MakePixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y), tag);
  return b;
}

inline ::testing::AssertionResult SameBitmap(const Bitmap& actual, const Bitmap& expected) {
  if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
    return ::testing::AssertionFailure() << "size differs";
  for (int y = 0; y < actual.Height(); ++y)
    for (int x = 0; x < actual.Width(); ++x)
      if (actual.At(x, y) != expected.At(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex << actual.At(x, y)
                                             << " expected " << expected.At(x, y);
  return ::testing::AssertionSuccess();
}

}  // namespace raster::testing
