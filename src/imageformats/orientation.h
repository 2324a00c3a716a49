// EXIF orientation values 1..8: how a picture stored as the camera's sensor
// saw it is turned and mirrored to stand upright.
#pragma once

#include "raster/bitmap.h"

namespace imageformats {

// Values 5 to 8 turn the picture by a quarter: width and height swap.
constexpr bool OrientationSwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

// The upright picture. Values outside 1..8 leave it as stored.
raster::Bitmap Orient(const raster::Bitmap& stored, int orientation);

}  // namespace imageformats
