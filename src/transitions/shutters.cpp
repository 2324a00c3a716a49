#include "transitions/shutters.h"

#include <algorithm>

#include "transitions/effect_drawing.h"

namespace transitions {

void PrepareShutter(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.BarCount = args.barCount;
  // A picture too small for a single bar has no bar size; it is shown whole.
  s.BarSize = s.BarCount > 0 ? AcrossSize(s, args.direction) / s.BarCount : 0;
  s.Position = 0;
}

bool StepShutter(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  const bool columnBars = IsVertical(d);
  // Column bars finish when the front has passed the far edge; the odd row bars
  // trail their front by one step, so row bars run one step longer.
  const int32_t lastPosition = columnBars ? along : along + s.Step;
  if (s.BarCount <= 0 || s.BarSize <= 0 || s.Position > lastPosition) {
    DrawWholePicture(s);
    return true;
  }
  const int32_t b = s.BarSize;
  const int32_t p = s.Position;
  for (int32_t i = 0; i < s.BarCount; i += 2) {
    CopyPicture(s, AxisRect(d, p, std::min(p + s.Step, along), i * b, (i + 1) * b));
    if (columnBars) {
      CopyPicture(s, AxisRect(d, std::max(along - p - s.Step, 0), along - p, (i + 1) * b, (i + 2) * b));
    } else {
      CopyPicture(s, AxisRect(d, along - p, along - p + s.Step, (i + 1) * b, (i + 2) * b));
    }
  }
  s.Position += s.Step;
  return false;
}

}  // namespace transitions
