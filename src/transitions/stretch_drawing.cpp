#include "transitions/stretch_drawing.h"

#include <utility>

#include "transitions/effect_drawing.h"

namespace transitions {

raster::Rect BandFromStart(const DrawingState& s, Direction d, int32_t from, int32_t to) {
  const int32_t along = AlongSize(s, d);
  const int32_t across = AcrossSize(s, d);
  if (IsReverse(d)) return AxisRect(d, along - to, along - from, 0, across);
  return AxisRect(d, from, to, 0, across);
}

int32_t Reached(const DrawingState& s, Direction d) {
  return IsReverse(d) ? AlongSize(s, d) - s.Position : s.Position;
}

void Advance(DrawingState& s, Direction d, int32_t by) { s.Position += IsReverse(d) ? -by : by; }

void StretchPictureInto(DrawingState& s, const raster::Rect& r) {
  const raster::Rect inside = r.Normalized().Intersect(s.PictureBounds());
  if (inside.IsEmpty()) return;
  s.Canvas().StretchDraw(s.PicRect(inside), *s.SourceBitmap);
}

void DrawPictureMirrored(DrawingState& s, const raster::Rect& r, Direction d) {
  const raster::Rect inside = r.Normalized().Intersect(s.PictureBounds());
  if (inside.IsEmpty()) return;
  raster::Rect to = s.PicRect(inside);
  // A destination reversed on one axis mirrors the copy on that axis.
  if (IsVertical(d)) {
    std::swap(to.top, to.bottom);
  } else {
    std::swap(to.left, to.right);
  }
  s.Canvas().CopyRect(to, *s.SourceBitmap, inside);
}

void DrawGrownRect(DrawingState& s, const raster::Rect& r, bool inPlace) {
  if (!inPlace) {
    StretchPictureInto(s, r);
    return;
  }
  // The rectangles only grow, so what ShownRect holds is already in place.
  CopyPictureExcept(s, r, s.ShownRect);
  s.ShownRect = r.Normalized().Intersect(s.PictureBounds());
}

void FinishGrown(DrawingState& s, bool inPlace) {
  if (inPlace) {
    CopyPictureExcept(s, s.PictureBounds(), s.ShownRect);
  } else {
    DrawWholePicture(s);
  }
}

}  // namespace transitions
