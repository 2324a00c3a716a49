// The two-colour gradients of slide backgrounds.
#pragma once

#include "raster/bitmap.h"
#include "raster/color.h"

namespace raster {

constexpr int kGradientStyleCount = 12;

// Paints the whole bitmap with a gradient from `start` to `end` (Windows colour
// values) in one of twelve styles: 0/1 top-down/bottom-up bands, 2/3 left-right/
// right-left bands, 4/5 from the left and right edges to the middle and back,
// 6/7 the same vertically, 8/9 nested rectangles, 10/11 nested ellipses. Any
// other style paints nothing.
void FillGradient(ColorRef start, ColorRef end, int style, Bitmap& bitmap);

// The colour at step t of a gradient spanning `span` steps: per channel
// start + round(t * step), the step (end - start) / span held as a float and
// rounded half to even. A span of 0 gives the start colour.
Pixel GradientColor(ColorRef start, ColorRef end, double span, int t);

}  // namespace raster
