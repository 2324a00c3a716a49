#include "transitions/blinds.h"

#include "transitions/effect_drawing.h"

namespace transitions {

void PrepareBlind(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Position = IsReverse(args.direction) ? kBlindSize - 1 : 0;
}

bool StepBlind(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const bool reverse = IsReverse(d);
  if (reverse ? s.Position < 0 : s.Position >= kBlindSize) return true;
  const int32_t along = AlongSize(s, d);
  const int32_t across = AcrossSize(s, d);
  for (int32_t line = s.Position; line < along; line += kBlindSize) {
    CopyPicture(s, AxisRect(d, line, line + 1, 0, across));
  }
  s.Position += reverse ? -1 : 1;
  return false;
}

}  // namespace transitions
