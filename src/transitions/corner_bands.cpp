// Corner bands: a ragged rectangle growing from a corner in the picture's
// proportions, made of row bands and column bands of the tooth size.
#include "transitions/band_wipes.h"

#include <algorithm>

#include "transitions/effect_drawing.h"

namespace transitions {

void PrepareCornerBand(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Ratio = PictureRatio(s);
  s.Position = (args.variant & kCornerRight) ? s.PicWidth : 0;
}

bool StepCornerBand(DrawingState& s, const EffectArgs& args) {
  const int32_t w = s.PicWidth;
  const int32_t h = s.PicHeight;
  const bool right = (args.variant & kCornerRight) != 0;
  const bool bottom = (args.variant & kCornerBottom) != 0;
  if (right ? s.Position < 1 - kOvershoot : s.Position >= w + kOvershoot) return true;

  const int32_t a = args.tooth;
  const int32_t grown = right ? w - s.Position : s.Position;  // distance from the starting edge
  const int32_t d = ScaleByRatio(s, grown);
  // The rows reach the front and the columns reach D: the corner rectangle up
  // to both is complete after this tick, so it is copied once and skipped below.
  const raster::Rect shown{right ? std::max(s.Position, 0) : 0, bottom ? std::max(h - d, 0) : 0,
                           right ? w : std::min(s.Position, w), bottom ? h : std::min(d, h)};
  CopyPictureExcept(s, shown, s.ShownRect);
  // Rows: full-height bands counted from the corner's edge, reaching to the ragged front.
  for (int32_t e = 0; e <= d / a && e * a < h; ++e) {
    const int32_t y0 = bottom ? h - a * e - a : a * e;
    const int32_t x0 = right ? std::max(s.Position - Overshoot(s), 0) : 0;
    const int32_t x1 = right ? w : std::min(s.Position + Overshoot(s), w);
    CopyPictureExcept(s, {x0, std::max(y0, 0), x1, std::min(y0 + a, h)}, shown);
  }
  // Columns: bands laid from the corner's side up to the front, reaching D plus overshoot.
  for (int32_t f = 0; f <= grown / a; ++f) {
    const int32_t x0 = right ? s.Position + a * f : a * f;
    if (x0 >= w) break;
    const int32_t y0 = bottom ? std::max(h - d - Overshoot(s), 0) : 0;
    const int32_t y1 = bottom ? h : std::min(d + Overshoot(s), h);
    CopyPictureExcept(s, {x0, y0, x0 + a, y1}, shown);
  }
  s.ShownRect = shown;
  s.Position += right ? -s.Step : s.Step;
  return false;
}

}  // namespace transitions
