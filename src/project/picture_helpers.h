// Small picture helpers of slide composition: the two-colour gradient of
// gradient backgrounds, the random pick from a list of numbers, and tiling.
#pragma once

#include <string_view>

#include "base/random.h"
#include "raster/bitmap.h"
#include "raster/color.h"

namespace project {

constexpr int kGradientStyleCount = 12;

// Paints the whole bitmap with a gradient from `start` to `end` (Windows colour
// values) in one of twelve styles: 0/1 top-down/bottom-up bands, 2/3 left-right/
// right-left bands, 4/5 from the left and right edges to the middle and back,
// 6/7 the same vertically, 8/9 nested rectangles, 10/11 nested ellipses. Any
// other style paints nothing.
void FillGradient(raster::ColorRef start, raster::ColorRef end, int style, raster::Bitmap& bitmap);

// The colour at step t of a gradient spanning `span` steps: per channel
// start + round(t * step), the step (end - start) / span held as a float and
// rounded half to even. A span of 0 gives the start colour.
raster::Pixel GradientColor(raster::ColorRef start, raster::ColorRef end, double span, int t);

// A random entry of a list of integers, each followed by ";" (text after the
// last ";" is not an entry; blanks around a number are allowed). An empty list
// gives 0 without drawing. Throws ConversionError for an entry that is not an
// integer.
int PickFromList(std::string_view text, base::Random& random);

// Repeats `tile` over `target` from its top-left corner; the last column and
// row are cut by the target's edges. An empty tile draws nothing.
void TileBitmap(raster::Bitmap& target, const raster::Bitmap& tile);

}  // namespace project
