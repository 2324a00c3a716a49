#include "imageformats/orientation.h"

namespace imageformats {

raster::Bitmap Orient(const raster::Bitmap& stored, int orientation) {
  if (orientation < 2 || orientation > 8) return stored;
  const int w = stored.Width();
  const int h = stored.Height();
  const bool swap = OrientationSwapsSides(orientation);
  raster::Bitmap upright(swap ? h : w, swap ? w : h);
  // For each upright pixel (x, y), the stored pixel it shows. The tag says
  // where the stored first row and first column lie in the upright picture.
  for (int y = 0; y < upright.Height(); ++y) {
    raster::Pixel* out = upright.Row(y);
    for (int x = 0; x < upright.Width(); ++x) {
      int sx = x;
      int sy = y;
      switch (orientation) {
        case 2: sx = w - 1 - x; break;                // mirrored left to right
        case 3: sx = w - 1 - x; sy = h - 1 - y; break;  // turned half round
        case 4: sy = h - 1 - y; break;                // mirrored top to bottom
        case 5: sx = y; sy = x; break;                // mirrored along the diagonal
        case 6: sx = y; sy = h - 1 - x; break;        // stored a quarter turn anticlockwise
        case 7: sx = w - 1 - y; sy = h - 1 - x; break;  // mirrored along the other diagonal
        case 8: sx = w - 1 - y; sy = x; break;        // stored a quarter turn clockwise
        default: break;
      }
      out[x] = stored.At(sx, sy);
    }
  }
  return upright;
}

}  // namespace imageformats
