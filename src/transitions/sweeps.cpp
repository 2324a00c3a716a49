#include "transitions/sweeps.h"

#include "transitions/effect_drawing.h"

namespace transitions {

void PrepareSweep(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Position = IsReverse(args.direction) ? AlongSize(s, args.direction) + kSweepLength : -kSweepLength;
}

bool StepSweep(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  const int32_t across = AcrossSize(s, d);
  const int32_t p = s.Position;
  if (IsReverse(d)) {
    if (p < -(kSweepLength + kSweepPitch - 1)) return true;
    for (int32_t i = 1; i <= kSweepStrips; ++i) {
      CopyPicture(s, AxisRect(d, p + kSweepPitch * i, p + (kSweepPitch + 1) * i, 0, across));
    }
    s.Position -= kSweepPitch;
  } else {
    if (p >= along) return true;
    for (int32_t i = 0; i < kSweepStrips; ++i) {
      CopyPicture(s, AxisRect(d, p + kSweepPitch * i, p + (kSweepPitch - 1) * i + kSweepPitch, 0, across));
    }
    s.Position += kSweepPitch;
  }
  return false;
}

}  // namespace transitions
