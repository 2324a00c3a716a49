// Centre bands. "from center" grows a ragged rectangle of row and column bands
// from the middle; "to center" shows the new picture everywhere except that
// rectangle, shrinking it, through a clip region.
#include <algorithm>
#include <vector>

#include "raster/region.h"
#include "transitions/band_wipes.h"
#include "transitions/effect_drawing.h"

namespace transitions {
namespace {

void PrepareCenter(DrawingState& s) {
  ReadPictureSize(s);
  s.HalfX = s.PicWidth / 2 + 1;
  s.HalfY = s.PicHeight / 2 + 1;
  s.Ratio = PictureRatio(s);
}

// The ragged rectangle around the centre at the current position, as picture
// rectangles handed to `emit`.
template <class Emit>
void ForEachCenterBand(DrawingState& s, int32_t a, Emit&& emit) {
  const int32_t w = s.PicWidth;
  const int32_t h = s.PicHeight;
  const int32_t p = s.Position;
  const int32_t d = ScaleByRatio(s, p);
  const int32_t rowEnd = std::min(s.HalfY + d, h);
  for (int32_t y = std::max(s.HalfY - d, 0); y <= rowEnd && y < h; y += a) {
    const int32_t x0 = std::max(s.HalfX - p - Overshoot(s), 0);
    const int32_t x1 = std::min(s.HalfX + p + Overshoot(s), w);
    emit(raster::Rect{x0, y, x1, std::min(y + a, h)});
  }
  const int32_t columnEnd = std::min(s.HalfX + p, w);
  for (int32_t x = std::max(s.HalfX - p, 0); x <= columnEnd && x < w; x += a) {
    const int32_t y0 = std::max(s.HalfY - d - Overshoot(s), 0);
    const int32_t y1 = std::min(s.HalfY + d + Overshoot(s), h);
    emit(raster::Rect{x, y0, std::min(x + a, w), y1});
  }
}

}  // namespace

void PrepareBandFromCenter(DrawingState& s, const EffectArgs&) {
  PrepareCenter(s);
  s.Position = 0;
}

bool StepBandFromCenter(DrawingState& s, const EffectArgs& args) {
  if (s.Position >= s.HalfX + kOvershoot) {
    // A narrow picture's rounding can leave an edge row short of the last ragged
    // frame; the completing frame shows all of it.
    DrawWholePicture(s);
    return true;
  }
  // The rows cover the rectangle within Position and D of the centre, so that
  // part is copied once and skipped by the bands.
  const int32_t d = ScaleByRatio(s, s.Position);
  const raster::Rect shown =
      raster::Rect{s.HalfX - s.Position, s.HalfY - d, s.HalfX + s.Position, s.HalfY + d}.Intersect(s.PictureBounds());
  CopyPictureExcept(s, shown, s.ShownRect);
  ForEachCenterBand(s, args.tooth, [&s, &shown](const raster::Rect& r) { CopyPictureExcept(s, r, shown); });
  s.ShownRect = shown;
  s.Position += s.Step;
  return false;
}

void PrepareBandToCenter(DrawingState& s, const EffectArgs&) {
  PrepareCenter(s);
  s.Position = s.HalfX;
}

bool StepBandToCenter(DrawingState& s, const EffectArgs& args) {
  if (s.Position < 1 - kOvershoot) {
    // At the top speed the last frame may still keep a small old rectangle at
    // the centre; the completing frame shows the whole picture.
    DrawWholePicture(s);
    return true;
  }
  std::vector<raster::Rect> oldPart;
  ForEachCenterBand(s, args.tooth, [&oldPart](const raster::Rect& r) {
    if (!r.IsEmpty()) oldPart.push_back(r);
  });
  // Only what was old after the last frame can change: draw within its bounds.
  const raster::Region stillOld = raster::Region::FromRects(oldPart);
  DrawPictureThrough(s, raster::Region::FromRect(s.OldBounds).Subtract(stillOld));
  s.OldBounds = stillOld.Bounds();
  s.Position -= s.Step;
  return false;
}

}  // namespace transitions
