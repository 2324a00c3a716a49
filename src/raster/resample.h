// Quality resampling used to fit a picture once: area averaging on an axis that
// shrinks, bilinear interpolation on an axis that grows. Internal to the raster
// library; Canvas::ResampleHighQuality is the public entry.
#pragma once

#include "raster/bitmap.h"

namespace raster {

// Maps the source rectangle `from` onto the destination rectangle `to` (both
// ordered and non-empty) and writes the pixels of the part `out` of `to` into
// `dst` with out's top-left corner at `at` (the caller makes sure they fit;
// `dst` must not share memory with `src`). Filter taps are limited to `taps`
// (a non-empty part of `from` inside `src`).
void Resample(const Bitmap& src, const Rect& from, const Rect& taps, const Rect& to, const Rect& out, Bitmap& dst,
              Point at);

}  // namespace raster
