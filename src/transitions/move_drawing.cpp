#include "transitions/move_drawing.h"

#include <algorithm>

#include "transitions/effect_drawing.h"

namespace transitions {

void DrawPictureAt(DrawingState& s, const raster::Rect& src, const raster::Rect& dst) {
  const raster::Rect bounds = s.PictureBounds();
  // Cut both rectangles to the common size, then to what lies inside the
  // picture on the source side and on the destination side.
  raster::Rect from = src.Normalized();
  raster::Rect to = dst.Normalized();
  const int32_t w = std::min(from.Width(), to.Width());
  const int32_t h = std::min(from.Height(), to.Height());
  if (w <= 0 || h <= 0) return;
  from = raster::Rect::FromSize(from.left, from.top, w, h);
  to = raster::Rect::FromSize(to.left, to.top, w, h);
  const int32_t dx = to.left - from.left;
  const int32_t dy = to.top - from.top;
  from = from.Intersect(bounds).Intersect(to.Intersect(bounds).Offset(-dx, -dy));
  if (from.IsEmpty()) return;
  s.Canvas().Blit({from.left + dx + s.OriginX, from.top + dy + s.OriginY}, *s.SourceBitmap, from);
}

void RestoreBack(DrawingState& s, const raster::Rect& r) {
  const raster::Rect clipped = r.Normalized().Intersect(s.PictureBounds());
  if (clipped.IsEmpty()) return;
  const raster::Rect onTarget = s.PicRect(clipped);
  s.Canvas().Blit({onTarget.left, onTarget.top}, *s.BackBitmap, onTarget);
}

raster::Rect TravelRect(const DrawingState& s, Direction d, int32_t from, int32_t to, int32_t across0,
                        int32_t across1) {
  if (!IsReverse(d)) {
    const int32_t along = AlongSize(s, d);
    const int32_t mirroredFrom = along - to;
    to = along - from;
    from = mirroredFrom;
  }
  return AxisRect(d, from, to, across0, across1);
}

raster::Rect TravelBand(const DrawingState& s, Direction d, int32_t from, int32_t to) {
  return TravelRect(s, d, from, to, 0, AcrossSize(s, d));
}

}  // namespace transitions
