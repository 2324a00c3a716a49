#include "transitions/effect_drawing.h"

#include <cmath>
#include <utility>
#include <vector>

namespace transitions {

void CopyPicture(DrawingState& s, const raster::Rect& r) {
  const raster::Rect clipped = r.Normalized().Intersect(s.PictureBounds());
  if (clipped.IsEmpty()) return;
  s.Canvas().Blit({clipped.left + s.OriginX, clipped.top + s.OriginY}, *s.SourceBitmap, clipped);
}

void CopyPictureExcept(DrawingState& s, const raster::Rect& r, const raster::Rect& skip) {
  const raster::Rect rect = r.Normalized().Intersect(s.PictureBounds());
  if (rect.IsEmpty()) return;
  const raster::Rect hole = skip.Intersect(rect);
  if (hole.IsEmpty()) {
    CopyPicture(s, rect);
    return;
  }
  CopyPicture(s, {rect.left, rect.top, rect.right, hole.top});
  CopyPicture(s, {rect.left, hole.bottom, rect.right, rect.bottom});
  CopyPicture(s, {rect.left, hole.top, hole.left, hole.bottom});
  CopyPicture(s, {hole.right, hole.top, rect.right, hole.bottom});
}

void DrawWholePicture(DrawingState& s) { CopyPicture(s, s.PictureBounds()); }

void DrawPictureThrough(DrawingState& s, const raster::Region& clip) {
  raster::Region onTarget = clip.Intersect(s.PictureBounds());
  if (onTarget.IsEmpty()) return;
  onTarget.Offset(s.OriginX, s.OriginY);
  raster::Canvas& canvas = s.Canvas();
  canvas.SetClip(std::move(onTarget));
  canvas.Blit({s.OriginX, s.OriginY}, *s.SourceBitmap, s.PictureBounds());
  canvas.ClearClip();
}


void ReadPictureSize(DrawingState& s) {
  s.PicWidth = s.SourceBitmap->Width();
  s.PicHeight = s.SourceBitmap->Height();
  s.ShownRect = {};
  s.OldBounds = s.PictureBounds();
}

float PictureRatio(const DrawingState& s) {
  if (s.PicWidth <= 0) return 0.0f;
  return static_cast<float>(s.PicHeight) / static_cast<float>(s.PicWidth);
}

int32_t ScaleByRatio(const DrawingState& s, int32_t value) {
  // The default rounding mode rounds halves to the even neighbour.
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(value) * static_cast<double>(s.Ratio)));
}

bool IsVertical(Direction d) { return d == Direction::kDown || d == Direction::kUp; }
bool IsReverse(Direction d) { return d == Direction::kUp || d == Direction::kLeft; }

int32_t AlongSize(const DrawingState& s, Direction d) { return IsVertical(d) ? s.PicHeight : s.PicWidth; }
int32_t AcrossSize(const DrawingState& s, Direction d) { return IsVertical(d) ? s.PicWidth : s.PicHeight; }

raster::Rect AxisRect(Direction d, int32_t along0, int32_t along1, int32_t across0, int32_t across1) {
  if (IsVertical(d)) return {across0, along0, across1, along1};
  return {along0, across0, along1, across1};
}

void PrepareFromEdge(DrawingState& s, const EffectArgs&) {
  ReadPictureSize(s);
  s.Position = 0;
}

void PrepareNothing(DrawingState&, const EffectArgs&) {}

bool StepWholePicture(DrawingState& s, const EffectArgs&) {
  DrawWholePicture(s);
  return true;
}

}  // namespace transitions
