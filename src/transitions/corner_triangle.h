// The right triangle of the corner wipes: its right angle at `corner`, its legs
// running into the rectangle whose corner that is, horizontally `legX` and
// vertically `legY` long. `flags` (kShapeRight, kShapeBottom) names which corner
// of that rectangle `corner` is, so the legs run left or up from a right or
// bottom one. The triangle is cut to `window`.
#pragma once

#include "raster/region.h"
#include "transitions/phased_reveal.h"
#include "transitions/shape_reveals.h"

namespace transitions {

inline raster::Region CornerTriangle(const raster::Rect& window, raster::Point corner, int32_t flags, int32_t legX,
                                     int32_t legY) {
  const int32_t dx = (flags & kShapeRight) != 0 ? -legX : legX;
  const int32_t dy = (flags & kShapeBottom) != 0 ? -legY : legY;
  // The alternate rule gives a triangle the same area as the winding one.
  return PolygonRegion(window, {corner, {corner.x + dx, corner.y}, {corner.x, corner.y + dy}},
                       raster::FillMode::Alternate);
}

// The corner of the rectangle (0, 0, w, h) that `flags` names.
inline raster::Point CornerOf(int32_t flags, int32_t w, int32_t h) {
  return {(flags & kShapeRight) != 0 ? w : 0, (flags & kShapeBottom) != 0 ? h : 0};
}

}  // namespace transitions
