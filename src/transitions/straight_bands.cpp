// Straight ragged bands: teeth perpendicular to the front, copied from the
// starting edge to the front plus each tooth's own overshoot.
#include "transitions/band_wipes.h"

#include <algorithm>

#include "transitions/effect_drawing.h"

namespace transitions {

void PrepareStraightBand(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Position = IsReverse(args.direction) ? AlongSize(s, args.direction) : 0;
}

bool StepStraightBand(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  const int32_t across = AcrossSize(s, d);
  const bool reverse = IsReverse(d);
  if (reverse ? s.Position < 1 - kOvershoot : s.Position >= along + kOvershoot) return true;

  // Every tooth reaches at least the front, so the part up to the front is
  // complete after this tick: copy its new part as one block, then only the
  // teeth's ends beyond it.
  const raster::Rect shown = reverse ? AxisRect(d, std::max(s.Position, 0), along, 0, across)
                                     : AxisRect(d, 0, std::min(s.Position, along), 0, across);
  CopyPictureExcept(s, shown, s.ShownRect);
  const int32_t t = args.tooth;
  const int32_t teeth = t == 1 ? across : (across + t) / t;
  for (int32_t k = 0; k < teeth; ++k) {
    const int32_t a0 = k * t;
    const int32_t a1 = std::min(a0 + t, across);
    if (reverse) {
      CopyPictureExcept(s, AxisRect(d, std::max(s.Position - Overshoot(s), 0), along, a0, a1), shown);
    } else {
      CopyPictureExcept(s, AxisRect(d, 0, std::min(s.Position + Overshoot(s), along), a0, a1), shown);
    }
  }
  s.ShownRect = shown;
  s.Position += reverse ? -s.Step : s.Step;
  return false;
}

}  // namespace transitions
